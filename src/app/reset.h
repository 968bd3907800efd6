#pragma once
// Puts every module's state back to its start-up values (tests and the headless runner start clean).
void ResetAllState();
