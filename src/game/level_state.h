#pragma once
// Where the running level stands: its clock, its intro, the boss fight and the report. Each level's
// start sets what it needs; ResetLevelState assigns a fresh value.
#include <cstdint>

#include "world/world.h"



void ResetLevelState();
