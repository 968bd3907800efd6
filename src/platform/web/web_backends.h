#pragma once
// Between the browser backends: the game's clock, the canvas and the presents counted for the frame loop.
#include <cstdint>

#include "platform/window/window.h"

namespace plat {

// The counter the game paces itself by, in microseconds: it moves when the game waits, so waiting never
// blocks the page; the frame loop keeps it level with the browser's clock.
uint64_t GameTime();
void SetGameTime(uint64_t micros);
// The browser's clock, in microseconds.
uint64_t PageTime();

// The canvas's drawing buffer, sized to the page in device pixels once per animation frame.
void FitCanvas();
void CanvasSize(int& w, int& h);

// Pictures presented since the page opened.
uint64_t PresentCount();
// The next picture is not drawn: another one follows it before the browser shows the canvas.
void HideNextPicture();

// Refills the music's queue.
void PumpSound();

// Keys go up when the page loses the focus.
void ReleaseAllKeys();
// For the keyboard's shortcuts (Alt+Enter).
void PushWindowEvent(WindowEventKind kind);

}  // namespace plat
