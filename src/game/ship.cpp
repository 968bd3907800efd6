#include "game/ship.h"
#include "world/world.h"

#include <cmath>
#include <cstring>


void BuildShipModel() {
    ContentTables& Content = ContentToBuild();
    DefinePoly(Content.ShipPolys[0], 0, 0, 3, 1, 1, -6, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0);
    DefinePoly(Content.ShipPolys[1], 1, 1, 4, 1, 1, 0, 0, 0, 0, 6, 6, 45, 0, 0, 0, 0, 0, 0);
    DefinePoly(Content.ShipPolys[2], 0, 0, 3, 1, 1, 6, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0);
    // A small circle at the heart of the ship, far inside its drawn outline: 2 / tan(45 degrees).
    Content.ShipRadius = static_cast<float>(2.0 / std::tan(45.0 * 3.14159 / 180.0));
    Content.ShipPolys[1].radius = Content.ShipRadius;

    std::memset(Content.ShipFillColours, 0, sizeof Content.ShipFillColours);
    std::memset(Content.ShipLineColours, 0, sizeof Content.ShipLineColours);
    DefineColour(Content.ShipFillColours[0], 255, 255, 255, 60);
    DefineColour(Content.ShipFillColours[1], 0, 100, 111, 40);
    DefineColour(Content.ShipFillColours[2], 0, 100, 111, 40);
    for (int v = 0; v < 3; ++v) DefineColour(Content.ShipLineColours[v], 0, 100, 111, 160);
    for (int v = 0; v < 4; ++v) DefineColour(Content.ShipFillColours[10 + v], 0, 130, 130, 30);
    for (int v = 0; v < 4; ++v) DefineColour(Content.ShipLineColours[10 + v], 255, 255, 0, 110);

    const PointF flames[2][4] = {{{0, 0}, {-8, -4}, {0, 24}, {-8, 24}}, {{0, 0}, {8, -4}, {0, 24}, {8, 24}}};
    std::memcpy(Content.ThrusterShape, flames, sizeof Content.ThrusterShape);
    Content.ThrusterAnchor[0] = {-6, 14};
    Content.ThrusterAnchor[1] = {6, 14};
    const PointF wings[2][3] = {{{0, -16}, {-7, 8}, {0, 16}}, {{0, -16}, {7, 8}, {0, 16}}};
    std::memcpy(Content.WingShape, wings, sizeof Content.WingShape);

    InstantiateModel(W.PlayerShip, Content.ShipPolys, 0, 0, 0, 1, 0, 0, 3, 320, 480, 0, 0, 0, 0, 0, 0, 0, 0);
}

