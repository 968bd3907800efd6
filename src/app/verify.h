#pragma once
// A replay judged for the boards: whether it starts where the game itself starts that kind of game, and
// lasts no longer than that kind of game can. Its end and what it earned are judged by playing it.
#include <string>

// The kind of game a replay's start is (StartFromMenu's kind and level), and its speed.
struct RunKind {
    int kind = -1;
    int level = 0;
    bool hz30 = false;
};

// The replay read last: its kind, and nullptr when its start is exactly what the game makes when that
// kind starts from the menu, apart from what the player brings to it (settings, bindings, the random
// generator, the high score, unlocks, the menu it was started from, and what only the pictures show);
// else the part of the game that differs. The state it finds is put back.
const char* UnmadeStart(RunKind& run);

// The most frames a game of that kind can be given: pauses included, far beyond any real game.
long long LongestGame(int kind);

// The board a game of that kind is ranked on: "full", "level-2", "boss-3", "rush", with "-30hz".
std::string BoardName(const RunKind& run);
