#pragma once
// Whole-degree sine and cosine tables (Content.SinTable, Content.CosTable); every game angle is an int kept in 0..359.
#include "world/content.h"

void BuildTrigTables();

// Any whole-degree angle into 0..359 (one correction of 360 in play; further out is wrapped fully so a
// table look-up can never leave the table).
int NormaliseAngle(int angle);
