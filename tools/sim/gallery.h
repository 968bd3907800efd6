#pragma once
// The model gallery: every enemy model and the ship on the playfield at play scale, in one PNG.
#include <string>

// Needs the real graphics device and a finished GameInit. Returns false when the picture could not
// be made or written.
bool RenderGallery(const std::string& file);
