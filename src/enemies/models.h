#pragma once
// The 25 enemy model templates and their colour tables, built once by DefineModels.
#include <cstdint>

#include "world/world.h"
#include "enemies/polygons.h"

// The models the rules name: each level's mid-boss and end boss, and the end bosses' behaviours.
constexpr int32_t kMidBossModel[kLevelCount] = {0, 8, 18, 23};
constexpr int32_t kBossModel[kLevelCount] = {7, 11, 19, 24};
constexpr int32_t kBossBehaviour[kLevelCount] = {11, 19, 52, 93};

void DefineModels();
