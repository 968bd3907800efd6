// The keyboard from the page's key events, controllers from the browser's Gamepad API.
#include <emscripten/dom_pk_codes.h>
#include <emscripten/html5.h>

#include <cstring>

#include "platform/real.h"
#include "platform/web/web_backends.h"

namespace plat {
namespace {

uint8_t keys[256];
bool swallowedReturn;  // the Return of Alt+Enter, until it is let go

// The page's physical key codes are the keyboard's set-1 scan codes, which DirectInput numbers too:
// a 0xE0 prefix sets the top bit. Pause and Num Lock swap places there, and Print Screen is SysRq.
int DikFromDomPk(int pk) {
    switch (pk) {
        case DOM_PK_PAUSE: return 0xC5;
        case DOM_PK_NUM_LOCK: return 0x45;
        case DOM_PK_PRINT_SCREEN: return 0xB7;
        default: break;
    }
    if (pk > 0 && pk < 0x80) return pk;
    if ((pk & 0xFF00) == 0xE000) return 0x80 | (pk & 0x7F);
    return 0;
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    int dik = DikFromDomPk(emscripten_compute_dom_pk_code(e->code));
    bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    bool isReturn = dik == 0x1C || dik == 0x9C;
    if (down && e->altKey && isReturn && !e->repeat) {
        // The Return of Alt+Enter must not also choose a menu item.
        swallowedReturn = true;
        PushWindowEvent(WindowEventKind::ToggleFullscreen);
        return true;
    }
    if (isReturn && !down) swallowedReturn = false;
    if (dik > 0 && !(isReturn && swallowedReturn)) keys[dik] = down ? 0x80 : 0;
    // The browser keeps its own shortcuts (reload, developer tools, full screen); the game has the rest,
    // so arrows and space do not scroll the page.
    if (e->ctrlKey || e->metaKey) return false;
    if (dik == 0x3F || dik == 0x57 || dik == 0x58) return false;  // F5, F11, F12
    return dik != 0;
}

// The standard gamepad's buttons in the order SDL's game controllers number them, as on the desktop:
// A, B, X, Y, back, guide, start, stick presses, shoulders, then the d-pad (up, down, left, right).
constexpr int kStandardToSdl[17] = {0, 1, 2, 3, 9, 10, -1, -1, 4, 6, 7, 8, 11, 12, 13, 14, 5};

int32_t AxisRange(double v) {
    int32_t r = static_cast<int32_t>(v * 32768.0) + 32768;
    return r < 0 ? 0 : r > 65535 ? 65535 : r;
}

class WebInput : public InputDevice {
public:
    bool Init() override {
        const char* target = EMSCRIPTEN_EVENT_TARGET_WINDOW;
        return emscripten_set_keydown_callback(target, nullptr, true, OnKey) == EMSCRIPTEN_RESULT_SUCCESS &&
               emscripten_set_keyup_callback(target, nullptr, true, OnKey) == EMSCRIPTEN_RESULT_SUCCESS;
    }
    bool CreateKeyboard() override { return true; }
    bool AcquireKeyboard() override { return true; }
    ReadResult ReadKeyboard(uint8_t state[256]) override {
        std::memcpy(state, keys, 256);
        return ReadResult::Ok;
    }

    // Called again while none is open, so a controller plugged in later is taken up.
    bool OpenJoystick() override {
        if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
        int n = emscripten_get_num_gamepads();
        for (int i = 0; i < n; ++i) {
            if (emscripten_get_gamepad_status(i, &pad_) == EMSCRIPTEN_RESULT_SUCCESS && pad_.connected) {
                index_ = i;
                return true;
            }
        }
        return false;
    }

    ReadResult ReadJoystick(JoystickState& s) override {
        if (index_ < 0) return ReadResult::Failed;
        if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
            emscripten_get_gamepad_status(index_, &pad_) != EMSCRIPTEN_RESULT_SUCCESS || !pad_.connected)
            return ReadResult::Lost;
        s.x = pad_.numAxes > 0 ? AxisRange(pad_.axis[0]) : 32767;
        s.y = pad_.numAxes > 1 ? AxisRange(pad_.axis[1]) : 32767;
        std::memset(s.buttons, 0, sizeof s.buttons);
        if (std::strcmp(pad_.mapping, "standard") == 0) {
            for (int b = 0; b < 17 && b < pad_.numButtons; ++b)
                if (kStandardToSdl[b] >= 0 && pad_.digitalButton[b]) s.buttons[kStandardToSdl[b]] = 0x80;
            // The d-pad steers as well as the stick.
            if (pad_.numButtons > 15) {
                if (pad_.digitalButton[14]) s.x = 0;
                if (pad_.digitalButton[15]) s.x = 65535;
                if (pad_.digitalButton[12]) s.y = 0;
                if (pad_.digitalButton[13]) s.y = 65535;
            }
        } else {
            for (int b = 0; b < pad_.numButtons && b < 64; ++b) s.buttons[b] = pad_.digitalButton[b] ? 0x80 : 0;
        }
        return ReadResult::Ok;
    }

    // A controller that was pulled out is let go, so the next one can be opened.
    bool AcquireJoystick() override {
        if (index_ >= 0 && (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS ||
                            emscripten_get_gamepad_status(index_, &pad_) != EMSCRIPTEN_RESULT_SUCCESS ||
                            !pad_.connected))
            index_ = -1;
        return index_ >= 0;
    }

private:
    int index_ = -1;
    EmscriptenGamepadEvent pad_{};
};

}  // namespace

void ReleaseAllKeys() { std::memset(keys, 0, sizeof keys); }

InputDevice& RealInput() {
    static WebInput in;
    return in;
}

}  // namespace plat
