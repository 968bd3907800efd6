#pragma once
// Every active enemy's own script, run each Playing frame, and its drawing.

// Runs the behaviours (only while Playing) and draws every active enemy (also while Paused).
void UpdateEnemies();
