#include "game/shot_shapes.h"


void BuildShotShapes() {
    ContentTables& Content = ContentToBuild();
    const PointF bar[4] = {{0, 0}, {0, -20}, {4, -20}, {4, 0}};
    const PointF reflected[4] = {{0, 0}, {0, -6}, {6, -6}, {6, 0}};
    for (int kind = 0; kind < kShotKinds; ++kind)
        for (int v = 0; v < 4; ++v) Content.ShotShapes[kind][v] = kind == 15 ? reflected[v] : bar[v];
    static const int turn[15] = {0, -11, 11, -22, 22, 90, -90, 79, -79, 101, -101, -33, 33, -44, 44};
    for (int kind = 1; kind <= 14; ++kind) RotatePointList(Content.ShotShapes[kind], 4, turn[kind]);
}
