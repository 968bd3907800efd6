#pragma once
// The cameras set as the view: the playfield's for the three screen orientations, and the upright one.
#include <cstdint>

#include <glm/mat4x4.hpp>

#include "frontend/camera.h"

// The playfield camera, turned for the horizontal and rotated orientations, set as the view the next
// things drawn are seen through; where it is comes from frontend/camera.h.
void ApplyCamera(const World& w);
// Always upright, at eye distance 560 or 550: keeps the front end readable in horiz.
void ApplyUprightCamera(const World& w, int distance);
// Moved on and set at once, for the tools that show a scene without a frame.
void UpdateCamera();
void UpdateUprightCamera(int distance);

// Where the next things drawn sit in the world (identity unless moved), for drawing outside the batches.
void SetWorld(const glm::mat4& m = glm::mat4(1.0f));

