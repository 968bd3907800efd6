#pragma once
// The whole picture drawn from the world alone, which it only reads, ending with the present. What
// only the pictures show was moved on before (frontend/presentation.h), drawn or not.
#include "world/world.h"

void RenderFrame(const World& w);
