#pragma once
// The 25 enemy model templates and their colour tables, built once by DefineModels.
#include <cstdint>

#include "world/world.h"
#include "enemies/polygons.h"

constexpr int kModelTypes = 25;

extern Poly ModelPolys[kModelTypes][kMaxPolys];
extern int32_t ModelPolyCount[kModelTypes];
extern ColourRecord FillColours[kModelTypes][kColourRecords];
extern ColourRecord LineColours[kModelTypes][kColourRecords];

void DefineModels();
