#pragma once
// The browser build's start: its storage, then the game's passes run on the page's animation frames.
namespace plat {

// Makes the browser's persistent storage the working folder, then calls ready() once its files are in.
void StartWebPlatform(void (*ready)());
// Runs pass() as often as the game's clock is due on every animation frame, until it returns false.
void RunOnAnimationFrames(bool (*pass)(int& exitCode));

}  // namespace plat
