#pragma once
// Colours of the two kinds of drifting squares: debris shards and hit sparks, one record per vertex.
#include "enemies/polygons.h"

constexpr int kShardColourKinds = 4;  // 0, 1 enemy debris; 2, 3 the ship's
constexpr int kSparkColourKinds = 3;

extern ColourRecord ShardFillColours[kShardColourKinds][4];
extern ColourRecord ShardLineColours[kShardColourKinds][4];
extern ColourRecord SparkFillColours[kSparkColourKinds][4];
extern ColourRecord SparkLineColours[kSparkColourKinds][4];

void BuildShardColours();
void BuildSparkColours();
