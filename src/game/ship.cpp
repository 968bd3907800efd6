#include "game/ship.h"
#include "world/world.h"

#include <cmath>
#include <cstring>

Poly ShipPolys[3];
ColourRecord ShipFillColours[kColourRecords];
ColourRecord ShipLineColours[kColourRecords];
float ShipRadius;
PointF WingShape[2][3];
PointF ThrusterShape[2][4];
PointF ThrusterAnchor[2];

void BuildShipModel() {
    DefinePoly(ShipPolys[0], 0, 0, 3, 1, 1, -6, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0);
    DefinePoly(ShipPolys[1], 1, 1, 4, 1, 1, 0, 0, 0, 0, 6, 6, 45, 0, 0, 0, 0, 0, 0);
    DefinePoly(ShipPolys[2], 0, 0, 3, 1, 1, 6, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0);
    // A small circle at the heart of the ship, far inside its drawn outline: 2 / tan(45 degrees).
    ShipRadius = static_cast<float>(2.0 / std::tan(45.0 * 3.14159 / 180.0));
    ShipPolys[1].radius = ShipRadius;

    std::memset(ShipFillColours, 0, sizeof ShipFillColours);
    std::memset(ShipLineColours, 0, sizeof ShipLineColours);
    DefineColour(ShipFillColours[0], 255, 255, 255, 60);
    DefineColour(ShipFillColours[1], 0, 100, 111, 40);
    DefineColour(ShipFillColours[2], 0, 100, 111, 40);
    for (int v = 0; v < 3; ++v) DefineColour(ShipLineColours[v], 0, 100, 111, 160);
    for (int v = 0; v < 4; ++v) DefineColour(ShipFillColours[10 + v], 0, 130, 130, 30);
    for (int v = 0; v < 4; ++v) DefineColour(ShipLineColours[10 + v], 255, 255, 0, 110);

    const PointF flames[2][4] = {{{0, 0}, {-8, -4}, {0, 24}, {-8, 24}}, {{0, 0}, {8, -4}, {0, 24}, {8, 24}}};
    std::memcpy(ThrusterShape, flames, sizeof ThrusterShape);
    ThrusterAnchor[0] = {-6, 14};
    ThrusterAnchor[1] = {6, 14};
    const PointF wings[2][3] = {{{0, -16}, {-7, 8}, {0, 16}}, {{0, -16}, {7, 8}, {0, 16}}};
    std::memcpy(WingShape, wings, sizeof WingShape);

    InstantiateModel(W.PlayerShip, ShipPolys, 0, 0, 0, 1, 0, 0, 3, 320, 480, 0, 0, 0, 0, 0, 0, 0, 0);
}

