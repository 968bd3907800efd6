#include "frontend/camera.h"

#include "shell/random.h"
#include "world/world.h"

namespace {

constexpr CameraState kInitial{320, 240, 500, 320, 240};

constexpr CameraGoal kOrientationGoals[3] = {
    {320, 256, 550, 320, 256, 0, -1},  // normal
    {310, 256, 440, 310, 256, -1, 0},  // horizontal
    {320, 256, 420, 320, 256, 1, 0},   // 'tate
};

void Step(CameraState& cam, const CameraGoal& goal) {
    if (W.Presentation.ShakeAmount > 0) W.Presentation.ShakeAmount -= 2;
    if (W.Presentation.ShakeAmount < 0) W.Presentation.ShakeAmount = 0;

    cam.eyeX = cam.eyeX - (cam.eyeX - goal.eyeX) * 0.0625f;
    cam.eyeY = cam.eyeY - (cam.eyeY - goal.eyeY) * 0.0625f;
    cam.eyeZ = cam.eyeZ - (cam.eyeZ - goal.eyeZ) * 0.125f;
    cam.targetX = cam.targetX - (cam.targetX - goal.targetX) * 0.125f;
    cam.targetY = cam.targetY - (cam.targetY - goal.targetY) * 0.125f;

    // The offsets stay in the target, so the easing pulls the picture back.
    if (W.Presentation.ShakeAmount != 0) {
        int s = W.Presentation.ShakeAmount;
        cam.targetX += static_cast<float>(Random() % s - s / 2);
        cam.targetY += static_cast<float>(Random() % s - s / 2);
    }
}

CameraState& Upright(int distance) { return distance == 560 ? W.Presentation.UprightCamera560 : W.Presentation.UprightCamera550; }

}  // namespace

const CameraGoal& PlayfieldGoal(const World& w) {
    const int orientation = w.Saved.ScreenOrientation >= 0 && w.Saved.ScreenOrientation <= 2 ? w.Saved.ScreenOrientation : 0;
    return kOrientationGoals[orientation];
}

CameraGoal UprightGoal(int distance) { return {320, 256, static_cast<float>(distance), 320, 256, 0, -1}; }

const CameraState& UprightCamera(const World& w, int distance) {
    return distance == 560 ? w.Presentation.UprightCamera560 : w.Presentation.UprightCamera550;
}

void SetScreenShake(int amount) { W.Presentation.ShakeAmount = amount; }

void StepCamera() { Step(W.Presentation.PlayfieldCamera, PlayfieldGoal(W)); }
void StepUprightCamera(int distance) { Step(Upright(distance), UprightGoal(distance)); }

void ResetCamera() {
    W.Presentation.ShakeAmount = 0;
    W.Presentation.PlayfieldCamera = W.Presentation.UprightCamera560 = W.Presentation.UprightCamera550 = kInitial;
}
