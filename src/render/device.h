#pragma once
// The graphics device: created once for the game window, reset when the display options change.

// 0 on success, -1 on failure (logged).
int InitDevice(int windowed);
int ResetDevice(int windowed, int width, int height);
// The options item and Alt+Enter: switch, rebuild the presentation, save the choice.
void SetWindowed(int windowed);
// Moves the window to (WindowX, WindowY) with the given outer size (frame included), on top.
void change_window_size(int outerWidth, int outerHeight);
// The window's client area at the chosen resolution (native: at the last fixed one).
void PlaceWindowForResolution();
// The picture's size for the resolution chosen: the table's entry, or 0 x 0 for native.
void ChosenPictureSize(int& width, int& height);
// What the menu asked of the display this frame (W.Host's requests) done: the device made again at the
// window mode and resolution chosen, the smoothing applied.
void PerformDisplayRequests();
// Multisampling as the smoothing option asks: 4x by default where a GPU draws, none on a software
// rasteriser.
int SmoothingSamples();
void ApplySmoothing();
// Releases the device, if held.
void ReleaseGraphics();

// The light picture: the same scene for less work, its glow drawn at half resolution. Where the
// effects option asks for it, or leaves it to the renderer and a software rasteriser draws.
bool LightPicture();

// A modal message box (caption "error...") with the text cut to 51 characters. Writes nothing to the log.
void ErrorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
