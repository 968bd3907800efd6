#pragma once
// The cameras' motion: the playfield's, turned for the three screen orientations and shaken, and the
// front end's, always upright. Moved on a frame before the frame is drawn; render/camera.h sets them.
#include "world/world.h"

struct CameraGoal {
    float eyeX, eyeY, eyeZ, targetX, targetY;
    float upX, upY;
};
const CameraGoal& PlayfieldGoal(const World& w);
CameraGoal UprightGoal(int distance);  // at eye distance 560 or 550
const CameraState& UprightCamera(const World& w, int distance);

void SetScreenShake(int amount);
// Eased toward its goal, shaken with the game's random numbers.
void StepCamera();
void StepUprightCamera(int distance);
void ResetCamera();
