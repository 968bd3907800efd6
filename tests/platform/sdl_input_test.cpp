// The SDL controller backend against SDL's own virtual devices: far more buttons than the game keeps,
// axes at their ends, and a controller that comes and goes every frame.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/inputdev/inputdev.h"
#include "platform/real.h"

namespace {

TEST(SdlInput, AJoystickWithHundredsOfButtonsComingAndGoingEveryFrame) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    plat::InputDevice& dev = plat::RealInput();
    ASSERT_TRUE(dev.Init());
    EXPECT_FALSE(dev.OpenJoystick());  // nothing plugged in yet
    for (int frame = 0; frame < 200; ++frame) {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 300, 0);
        SDL_Joystick* stick = SDL_JoystickOpen(index);
        SDL_JoystickSetVirtualAxis(stick, 0, frame % 2 ? SDL_JOYSTICK_AXIS_MIN : SDL_JOYSTICK_AXIS_MAX);
        SDL_JoystickSetVirtualAxis(stick, 1, SDL_JOYSTICK_AXIS_MIN);
        for (int b = 0; b < 300; ++b) SDL_JoystickSetVirtualButton(stick, b, frame % 2);
        SDL_JoystickUpdate();

        ASSERT_TRUE(dev.OpenJoystick());
        plat::JoystickState state;
        ASSERT_EQ(dev.ReadJoystick(state), plat::ReadResult::Ok);
        EXPECT_EQ(state.x, frame % 2 ? 0 : 65535);
        EXPECT_EQ(state.y, 0);
        for (uint8_t b : state.buttons) ASSERT_EQ(b, frame % 2 ? 0x80 : 0);

        SDL_JoystickClose(stick);
        SDL_JoystickDetachVirtual(index);
        SDL_JoystickUpdate();
        EXPECT_EQ(dev.ReadJoystick(state), plat::ReadResult::Lost);
        EXPECT_FALSE(dev.AcquireJoystick());  // let go, so the next one plugged in is opened
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER);
}

}  // namespace
