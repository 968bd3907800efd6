#pragma once
// A simple, deterministic pilot for the headless runner: it holds fire, follows enemies sideways,
// raises the shield when bullets come close and otherwise dodges. A test aid, never part of the game.

// Sets this frame's keys from the game state (before the frame's input step). A pilot that cannot be
// destroyed does not dodge: it closes in on its target instead.
void AutopilotFrame(bool fearless);
