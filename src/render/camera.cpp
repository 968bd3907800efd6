#include "render/camera.h"

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

#include "platform/platform.h"
#include "world/world.h"
#include "shell/random.h"


namespace {

constexpr CameraState kInitial{320, 240, 500, 320, 240};
constexpr float kFieldOfView = 0.8726646f;  // 50 degrees
constexpr float kAspect = 4.0f / 3.0f;      // at every resolution: wide modes show a stretched picture

struct Goal {
    float eyeX, eyeY, eyeZ, targetX, targetY;
    float upX, upY;
};

constexpr Goal kOrientationGoals[3] = {
    {320, 256, 550, 320, 256, 0, -1},  // normal
    {310, 256, 440, 310, 256, -1, 0},  // horizontal
    {320, 256, 420, 320, 256, 1, 0},   // 'tate
};

void Step(CameraState& cam, const Goal& goal) {
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

void Apply(const CameraState& cam, const Goal& goal) {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::View,
                     glm::lookAtLH(glm::vec3(cam.eyeX, cam.eyeY, cam.eyeZ), glm::vec3(cam.targetX, cam.targetY, 0.0f),
                                   glm::vec3(goal.upX, goal.upY, 0.0f)));
    gfx.SetTransform(plat::TransformKind::Projection, glm::perspectiveLH_NO(kFieldOfView, kAspect, 0.1f, 1000.0f));
}

const Goal& PlayfieldGoal() {
    int orientation = W.Saved.ScreenOrientation >= 0 && W.Saved.ScreenOrientation <= 2 ? W.Saved.ScreenOrientation : 0;
    return kOrientationGoals[orientation];
}

Goal UprightGoal(int distance) { return {320, 256, static_cast<float>(distance), 320, 256, 0, -1}; }
CameraState& Upright(int distance) { return distance == 560 ? W.Presentation.UprightCamera560 : W.Presentation.UprightCamera550; }

}  // namespace

void SetScreenShake(int amount) { W.Presentation.ShakeAmount = amount; }

void StepCamera() { Step(W.Presentation.PlayfieldCamera, PlayfieldGoal()); }
void StepUprightCamera(int distance) { Step(Upright(distance), UprightGoal(distance)); }
void ApplyCamera() { Apply(W.Presentation.PlayfieldCamera, PlayfieldGoal()); }
void ApplyUprightCamera(int distance) { Apply(Upright(distance), UprightGoal(distance)); }

void UpdateCamera() {
    StepCamera();
    ApplyCamera();
}

void UpdateUprightCamera(int distance) {
    StepUprightCamera(distance);
    ApplyUprightCamera(distance);
}

void ResetCamera() {
    W.Presentation.ShakeAmount = 0;
    W.Presentation.PlayfieldCamera = W.Presentation.UprightCamera560 = W.Presentation.UprightCamera550 = kInitial;
}

void SetWorld(const glm::mat4& m) { plat::gfx().SetTransform(plat::TransformKind::World, m); }
