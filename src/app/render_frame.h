#pragma once
// The whole picture of one frame, ending with the present.
void RenderFrame();
