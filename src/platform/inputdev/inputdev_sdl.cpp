#include <SDL.h>

#include <cstring>

#include "platform/inputdev/dik_map.h"
#include "platform/real.h"
#include "platform/window/sdl_window.h"

namespace plat {
namespace {

bool swallowed[SDL_NUM_SCANCODES];

// Stick deflection -32768..32767 to the 0..65535 range with rest near the middle.
int32_t AxisRange(Sint16 v) { return static_cast<int32_t>(v) + 32768; }

class SdlInput : public InputDevice {
public:
    bool Init() override { return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0; }
    bool CreateKeyboard() override { return SDL_WasInit(SDL_INIT_EVENTS) != 0; }
    bool AcquireKeyboard() override { return true; }

    ReadResult ReadKeyboard(uint8_t state[256]) override {
        int count = 0;
        const Uint8* keys = SDL_GetKeyboardState(&count);
        if (!keys) return ReadResult::Failed;
        std::memset(state, 0, 256);
        for (int sc = 0; sc < count; ++sc) {
            if (sc < SDL_NUM_SCANCODES && swallowed[sc]) swallowed[sc] = keys[sc] != 0;
            if (!keys[sc] || (sc < SDL_NUM_SCANCODES && swallowed[sc])) continue;
            int dik = DikFromSdlScancode(sc);
            if (dik > 0 && dik < 256) state[dik] = 0x80;
        }
        return ReadResult::Ok;
    }

    // Called again while none is open, so a controller plugged in later is taken up.
    bool OpenJoystick() override {
        if (!joystickSystem_) {
            if (joystickSystemFailed_) return false;
            joystickSystem_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK) == 0;
            joystickSystemFailed_ = !joystickSystem_;
            if (!joystickSystem_) return false;
        }
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_IsGameController(i)) {
                controller_ = SDL_GameControllerOpen(i);
                if (controller_) return true;
            }
            joystick_ = SDL_JoystickOpen(i);
            if (joystick_) return true;
        }
        return false;
    }

    ReadResult ReadJoystick(JoystickState& s) override {
        if (controller_) {
            if (!SDL_GameControllerGetAttached(controller_)) return ReadResult::Lost;
            s.x = AxisRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX));
            s.y = AxisRange(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
            // The d-pad steers as well as the stick.
            if (SDL_GameControllerGetButton(controller_, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) s.x = 0;
            if (SDL_GameControllerGetButton(controller_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) s.x = 65535;
            if (SDL_GameControllerGetButton(controller_, SDL_CONTROLLER_BUTTON_DPAD_UP)) s.y = 0;
            if (SDL_GameControllerGetButton(controller_, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) s.y = 65535;
            std::memset(s.buttons, 0, sizeof s.buttons);
            for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX && b < 128; ++b)
                s.buttons[b] = SDL_GameControllerGetButton(controller_, static_cast<SDL_GameControllerButton>(b))
                                   ? 0x80 : 0;
            return ReadResult::Ok;
        }
        if (joystick_) {
            if (!SDL_JoystickGetAttached(joystick_)) return ReadResult::Lost;
            s.x = SDL_JoystickNumAxes(joystick_) > 0 ? AxisRange(SDL_JoystickGetAxis(joystick_, 0)) : 32767;
            s.y = SDL_JoystickNumAxes(joystick_) > 1 ? AxisRange(SDL_JoystickGetAxis(joystick_, 1)) : 32767;
            std::memset(s.buttons, 0, sizeof s.buttons);
            int n = SDL_JoystickNumButtons(joystick_);
            for (int b = 0; b < n && b < 128; ++b) s.buttons[b] = SDL_JoystickGetButton(joystick_, b) ? 0x80 : 0;
            return ReadResult::Ok;
        }
        return ReadResult::Failed;
    }

    // A controller that was pulled out is let go, so the next one can be opened.
    bool AcquireJoystick() override {
        if (controller_ && !SDL_GameControllerGetAttached(controller_)) {
            SDL_GameControllerClose(controller_);
            controller_ = nullptr;
        }
        if (joystick_ && !SDL_JoystickGetAttached(joystick_)) {
            SDL_JoystickClose(joystick_);
            joystick_ = nullptr;
        }
        return controller_ || joystick_;
    }

private:
    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;
    bool joystickSystem_ = false, joystickSystemFailed_ = false;
};

}  // namespace

void SwallowKeyUntilReleased(int sdlScancode) {
    if (sdlScancode >= 0 && sdlScancode < SDL_NUM_SCANCODES) swallowed[sdlScancode] = true;
}

InputDevice& RealInput() {
    static SdlInput in;
    return in;
}

}  // namespace plat
