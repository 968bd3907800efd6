#pragma once
// What the frame shows: first moved on a frame (cameras, background, menu and HUD animations), whether
// or not it is drawn, then the whole picture drawn from the state alone, ending with the present.
void AdvancePresentation();
void RenderFrame();
