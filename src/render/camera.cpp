#include "render/camera.h"

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

#include "platform/platform.h"
#include "frontend/camera.h"
#include "world/world.h"

namespace {

constexpr float kFieldOfView = 0.8726646f;  // 50 degrees
constexpr float kAspect = 4.0f / 3.0f;      // at every resolution: wide modes show a stretched picture

// The view from cam toward its target, up as the goal says.
void Apply(const CameraState& cam, const CameraGoal& goal) {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::View,
                     glm::lookAtLH(glm::vec3(cam.eyeX, cam.eyeY, cam.eyeZ), glm::vec3(cam.targetX, cam.targetY, 0.0f),
                                   glm::vec3(goal.upX, goal.upY, 0.0f)));
    gfx.SetTransform(plat::TransformKind::Projection, glm::perspectiveLH_NO(kFieldOfView, kAspect, 0.1f, 1000.0f));
}

}  // namespace

void ApplyCamera(const World& w) { Apply(w.Presentation.PlayfieldCamera, PlayfieldGoal(w)); }
void ApplyUprightCamera(const World& w, int distance) { Apply(UprightCamera(w, distance), UprightGoal(distance)); }

void UpdateCamera() {
    StepCamera();
    ApplyCamera(W);
}

void UpdateUprightCamera(int distance) {
    StepUprightCamera(distance);
    ApplyUprightCamera(W, distance);
}

void SetWorld(const glm::mat4& m) { plat::gfx().SetTransform(plat::TransformKind::World, m); }
