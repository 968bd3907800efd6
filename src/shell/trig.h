#pragma once
// Whole-degree sine and cosine tables; every game angle is an int kept in 0..359.

extern float SinTable[360];
extern float CosTable[360];

void BuildTrigTables();
