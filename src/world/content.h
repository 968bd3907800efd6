#pragma once
// The content: what the program builds once at start-up and only reads after (the trig tables, the unit
// polygons, the enemy and ship models, the shots' outlines, the colour tables). Apart from the world,
// as nothing in a game changes it: a snapshot leaves it out and a reset keeps it.
#include <array>
#include <cstdint>

#include "world/entities.h"

struct PointF {
    float x, y;
};

struct ColourRecord {
    int32_t r, g, b;
    int32_t halfAlpha;  // packed as (2 x halfAlpha) mod 256
};

constexpr int kShapeCount = 8;  // 3 to 10 sides
constexpr int kMaxSides = 10;
constexpr int kColourGroups = 16;  // ten records each, one per vertex
constexpr int kColourRecords = kColourGroups * 10;
constexpr int kModelTypes = 25;
constexpr int kShotKinds = 16;
constexpr int kShardColourKinds = 4;  // 0, 1 enemy debris; 2, 3 the ship's
constexpr int kSparkColourKinds = 3;

struct ContentTables {
    // Whole degrees, pi taken as 3.14159.
    float SinTable[360];
    float CosTable[360];

    // Circumradius of the n-gon with sides 1 long, index n - 3.
    float PolyRadiusFactor[kShapeCount];
    // Vertex 0 straight up, then clockwise on screen; list n - 3 holds n vertices.
    PointF UnitPolygons[kShapeCount][kMaxSides];

    // The enemy model templates and their colour tables.
    Poly ModelPolys[kModelTypes][kMaxPolys];
    int32_t ModelPolyCount[kModelTypes];
    ColourRecord FillColours[kModelTypes][kColourRecords];
    ColourRecord LineColours[kModelTypes][kColourRecords];

    // The ship's model: two wing triangles and the core diamond.
    Poly ShipPolys[3];
    ColourRecord ShipFillColours[kColourRecords];
    ColourRecord ShipLineColours[kColourRecords];
    float ShipRadius;  // the core's collision circle, the ship's hit radius everywhere
    // The wings are drawn from these fixed triangles rather than the unit triangle.
    PointF WingShape[2][3];
    // Thruster flames: unscaled corners (the 24 is the flame length, replaced when drawn) and anchors.
    PointF ThrusterShape[2][4];
    PointF ThrusterAnchor[2];

    // The player's shots: four corners per kind, offsets from the shot's x, y.
    PointF ShotShapes[kShotKinds][4];

    // The drifting squares' colours, one record per vertex.
    ColourRecord ShardFillColours[kShardColourKinds][4];
    ColourRecord ShardLineColours[kShardColourKinds][4];
    ColourRecord SparkFillColours[kSparkColourKinds][4];
    ColourRecord SparkLineColours[kSparkColourKinds][4];
};

// Read everywhere through Content; only the start-up builders write, through ContentToBuild().
extern const ContentTables& Content;
ContentTables& ContentToBuild();
