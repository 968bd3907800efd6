#include "app/input_step.h"

#include "app/replay.h"
#include "frontend/update.h"
#include "input/controls.h"
#include "input/devices.h"
#include "world/world.h"

void InputStep() {
    // Every device folded into this frame's controls, or the replay's. While a replay is watched the
    // viewer has read the player's own keys already (replay_viewer).
    Controls c;
    if (!PlaybackActive() || !PlaybackControls(c)) {
        PollInputDevices();
        c = ReadControls();
    }
    RecordFrameControls(c);
    ApplyControls(c);
}
