#pragma once
// The 25 enemy model templates and their colour tables, built once by DefineModels.
#include <cstdint>

#include "world/world.h"
#include "enemies/polygons.h"

void DefineModels();
