#pragma once
// Colours of the two kinds of drifting squares: debris shards and hit sparks, one record per vertex.
#include "enemies/polygons.h"

void BuildShardColours();
void BuildSparkColours();
