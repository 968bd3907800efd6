#include "shell/game_vars.h"

SavedVars Saved;
ProgramVars Program;
GameVars Game;

void ResetGameVars() {
    Saved = {};
    Program = {};
    Game = {};
}
