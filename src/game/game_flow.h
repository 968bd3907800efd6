#pragma once
// How a game starts, what one frame of play does, the boss fight and the end of a level.
#include <cstdint>

#include "world/world.h"

enum PlayKind { StartFullGame = 0, StartLevelPractice = 1, StartBossPractice = 2, StartBossRush = 3 };


// The caller sets CurrentLevel (and WeaponLevel where the kind needs it) first.
void StartPlay(int kind);
// What the menu does to start a game of a kind, for level index 0..3 (ignored by full game and rush).
void StartFromMenu(int kind, int level);
// The frame chains of Playing (after the game-over countdown) and Paused.
void PlayingFrame();
void PausedFrame();
void UpdatePlaying();
// The end of every level script: boss approach, boss spawn, death sequence, report, leaving.
void BossApproachAndLevelEnd();
void BossDeathSequence();

// Playing with no lives left, once a frame: the music stops, and at 200 frames the game returns to the
// menu and the settings are saved.
void GameOverSequence();
// The pilot rating has come up after the last boss of a game that was not a boss fight.
bool PilotRatingReached();
// The content built once at start-up: polygons, models and their colours, the ship, the shot shapes.
void GameInit();
// The playfield grid scrolls on while the game plays (a picture only).
void AdvancePlayfieldGrid();
