#pragma once
// The view of the playfield for the three screen orientations, with screen shake.
#include <cstdint>

#include <glm/mat4x4.hpp>



void SetScreenShake(int amount);
// The playfield camera, turned for the horizontal and rotated orientations: moved one frame on (easing
// toward its goal, shaken), then set as the view the next things drawn are seen through.
void StepCamera();
void ApplyCamera();
// Always upright, at eye distance 560 or 550: keeps the front end readable in horiz.
void StepUprightCamera(int distance);
void ApplyUprightCamera(int distance);
// Moved on and set at once, for the tools that show a scene without a frame.
void UpdateCamera();
void UpdateUprightCamera(int distance);

// Where the next things drawn sit in the world (identity unless moved), for drawing outside the batches.
void SetWorld(const glm::mat4& m = glm::mat4(1.0f));

void ResetCamera();
