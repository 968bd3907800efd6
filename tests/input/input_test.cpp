#include <climits>
#include <random>
#include <vector>

#include "audio/audio.h"
#include "frontend/frontend.h"
#include "game/game_flow.h"
#include "game/level_state.h"
#include "game/ship.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "input/devices.h"
#include "app/input_step.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

constexpr int kUp = 200, kDown = 208, kLeft = 203, kRight = 205, kFire = 45, kShield = 44, kPause = 197;

class InputTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        LoadSettings();  // default bindings
        InitInput();
    }
    void Press(int code) { h().input.Press(code); }
    void Release(int code) { h().input.Release(code); }
    void Step(int frames = 1) {
        for (int i = 0; i < frames; ++i) InputStep();
    }
    void StartPlaying() {
        W.Program.GameMode = Mode::Playing;
        W.PlayerShip.active = 1;
        W.PlayerShip.x = 320, W.PlayerShip.y = 480;
    }
};

TEST_F(InputTest, EscapeLeavesAGameOnceAndQuitsOnlyOnANewPress) {
    StartPlaying();
    W.Level.LevelTitleTimer = 50;
    Press(KeyEscape);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.Level.LevelTitleTimer, 0);
    Step(10);  // still held: the menu does not quit
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    Release(KeyEscape);
    Step();
    Press(KeyEscape);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Quitting);
}

TEST_F(InputTest, EscapeAndPauseOnTheSameFrameEndPaused) {
    StartPlaying();
    Press(KeyEscape);
    Press(kPause);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Paused);
    // Pause acts once per press, then resumes on the next one.
    Release(KeyEscape);
    Step(3);
    EXPECT_EQ(W.Program.GameMode, Mode::Paused);
    Release(kPause);
    Step();
    Press(kPause);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
}

TEST_F(InputTest, ShipMovesDiagonallyAndStaysInsideItsBounds) {
    StartPlaying();
    Press(kUp);
    Press(kLeft);
    Step();
    EXPECT_FLOAT_EQ(W.PlayerShip.x, 320 - 2.6f);
    EXPECT_FLOAT_EQ(W.PlayerShip.y, 480 - 2.6f);
    EXPECT_EQ(W.VerticalMove, 1);
    Step(400);
    EXPECT_EQ(W.PlayerShip.x, 133.0f);
    EXPECT_EQ(W.PlayerShip.y, 6.0f);
    Release(kUp);
    Release(kLeft);
    Press(kDown);
    Press(kRight);
    Step(400);
    EXPECT_EQ(W.PlayerShip.x, 506.0f);
    EXPECT_EQ(W.PlayerShip.y, 506.0f);
    EXPECT_EQ(W.VerticalMove, 2);
    Press(kUp);  // both vertical directions: no movement, but the thruster shows "down"
    float y = W.PlayerShip.y;
    Step();
    EXPECT_EQ(W.PlayerShip.y, y);
    EXPECT_EQ(W.VerticalMove, 2);
}

TEST_F(InputTest, HorizontalOrientationTurnsTheControls) {
    StartPlaying();
    W.Saved.ScreenOrientation = 1;
    Press(kRight);
    Step();
    EXPECT_FLOAT_EQ(W.PlayerShip.y, 480 - 2.6f);
    EXPECT_FLOAT_EQ(W.PlayerShip.x, 320);
    EXPECT_EQ(W.VerticalMove, 1);
    Release(kRight);
    Press(kUp);
    Step();
    EXPECT_FLOAT_EQ(W.PlayerShip.x, 320 - 2.6f);
    EXPECT_EQ(W.VerticalMove, 0);
    Release(kUp);
    Press(kLeft);
    Step();
    EXPECT_EQ(W.VerticalMove, 2);
}

TEST_F(InputTest, FireIsRequestedBeforeTheShieldRisesOnTheSameFrame) {
    StartPlaying();
    W.Game.Held = 3;
    Press(kFire);
    Press(kShield);
    Step();
    EXPECT_EQ(W.ShieldTimer, 50);
    EXPECT_EQ(W.Game.Held, 2);
    EXPECT_EQ(W.ShieldHits, 0);
    EXPECT_EQ(W.SoundsPlayed.effect[9], 1u);
    // The volley that was asked for runs to its end; a new one waits while the shield is fresh.
    EXPECT_EQ(W.FireLatch, 1);
    EXPECT_EQ(W.SoundsPlayed.shot, 1u);
    Step(5);
    EXPECT_EQ(W.FireLatch, 0);
    Step();
    EXPECT_EQ(W.FireLatch, 0);
    EXPECT_EQ(W.ShieldTimer, 44);
    Step(24);  // timer 20: still blocked
    EXPECT_EQ(W.ShieldTimer, 20);
    EXPECT_EQ(W.FireLatch, 0);
    EXPECT_EQ(W.SoundsPlayed.shot, 1u);
    Release(kShield);
    Step();
    EXPECT_EQ(W.ShieldTimer, 19);
}

TEST_F(InputTest, TheShieldCostsEnergyAndNeedsSome) {
    StartPlaying();
    W.Game.Held = 0;
    Press(kShield);
    Step();
    EXPECT_EQ(W.ShieldTimer, 0);
    EXPECT_EQ(W.SoundsPlayed.effect[9], 0u);
}

TEST_F(InputTest, AReportOrADeadShipFreezesTheControls) {
    StartPlaying();
    W.Level.ReportShowing = 1;
    W.FireLatch = 1;
    W.MainGunTimer = 5;
    Press(kLeft);
    Step();
    EXPECT_EQ(W.PlayerShip.x, 320.0f);
    EXPECT_EQ(W.FireLatch, 0);
    EXPECT_EQ(W.MainGunTimer, 0);
    EXPECT_EQ(W.MenuKeyLatch, 1);
    W.Level.ReportShowing = 0;
    W.PlayerShip.active = 0;
    Step();
    EXPECT_EQ(W.PlayerShip.x, 320.0f);
}

TEST_F(InputTest, CodesOutsideTheKnownRangesAreNeverHeld) {
    for (int i = 0; i < 256; ++i) Press(i);
    h().input.joystickAttached = true;
    InitInput();
    for (int b = 0; b < 128; ++b) Press(1000 + b);
    Step();
    for (int code : {300, 1500, 256, 999, 1128, 1999, 2004, -1, -2000}) EXPECT_FALSE(IsInputDown(code)) << code;
    EXPECT_TRUE(IsInputDown(1127));
    EXPECT_TRUE(IsInputDown(0));
}

TEST_F(InputTest, StickThresholdsAreStrict) {
    h().input.joystickAttached = true;
    InitInput();
    h().input.joystick.x = 22768;
    h().input.joystick.y = 42768;
    Step();
    EXPECT_FALSE(IsInputDown(2000));
    EXPECT_FALSE(IsInputDown(2003));
    h().input.joystick.x = 22767;
    h().input.joystick.y = 42769;
    Step();
    EXPECT_TRUE(IsInputDown(2000));
    EXPECT_TRUE(IsInputDown(2003));
    EXPECT_FALSE(IsInputDown(2001));
}

TEST_F(InputTest, AControllerPluggedInMidGameIsTakenUpAndOnePulledOutLetsGo) {
    StartPlaying();
    Press(1000);
    Press(2000);  // stick left
    Step();
    EXPECT_FALSE(Devices.JoystickPresent);  // without a controller every joystick code is false
    EXPECT_FALSE(IsInputDown(1000));
    EXPECT_FALSE(LeftHeld());
    EXPECT_EQ(ScanAnyInput(), -1);
    EXPECT_EQ(W.PlayerShip.x, 320.0f);

    std::vector<int32_t> bindings(W.Saved.Bindings.begin(), W.Saved.Bindings.end());
    h().input.joystickAttached = true;
    Step();
    EXPECT_TRUE(Devices.JoystickPresent);
    EXPECT_TRUE(IsInputDown(1000));
    EXPECT_EQ(W.PlayerShip.x, 320.0f - 2.6f);

    h().input.joystickAttached = false;  // pulled out with the stick still over
    Step(3);
    EXPECT_FALSE(Devices.JoystickPresent);
    EXPECT_FALSE(LeftHeld());
    EXPECT_EQ(W.PlayerShip.x, 320.0f - 2.6f);
    EXPECT_EQ(std::vector<int32_t>(W.Saved.Bindings.begin(), W.Saved.Bindings.end()), bindings);

    h().input.joystickAttached = true;
    Step();
    EXPECT_TRUE(LeftHeld());
    EXPECT_NE(ReadFile(DataFile("err.log")).find("joystick attached\njoystick detached\njoystick attached\n"),
              std::string::npos);
}

TEST_F(InputTest, JoypadDisabledStillCapturesAndPausesFromTheController) {
    h().input.joystickAttached = true;
    InitInput();
    W.Saved.Bindings[SlotJoypadEnabled] = 0;
    W.Saved.Bindings[SlotPause] = 1005;
    StartPlaying();
    Press(2002);  // stick up: the joypad "up" binding, disabled
    Step();
    EXPECT_FALSE(UpHeld());
    EXPECT_EQ(W.PlayerShip.y, 480.0f);
    EXPECT_EQ(ScanAnyInput(), 2002);
    Press(1005);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Paused);
    W.Saved.Bindings[SlotJoypadEnabled] = 1;
    EXPECT_TRUE(UpHeld());
}

TEST_F(InputTest, ScanOrderPutsButtonZeroBeforeTheStickBeforeOtherButtons) {
    h().input.joystickAttached = true;
    InitInput();
    Press(1003);
    Press(2001);
    Step();
    EXPECT_EQ(ScanAnyInput(), 2001);
    Press(1000);
    Step();
    EXPECT_EQ(ScanAnyInput(), 1000);
    Press(77);
    Step();
    EXPECT_EQ(ScanAnyInput(), 77);  // any key outranks the controller
}

TEST_F(InputTest, CaptureWaitsForFireToBeReleasedAndSkipsReservedKeys) {
    W.Program.GameMode = Mode::CaptureBinding;
    W.CaptureTarget = 4;
    Press(kFire);
    Step(3);
    EXPECT_EQ(W.Program.GameMode, Mode::CaptureBinding);
    Release(kFire);
    for (int key : {KeyReturn, KeyBackspace, KeyLeftAlt}) Press(key);
    Step(3);
    EXPECT_EQ(W.Program.GameMode, Mode::CaptureBinding);
    Press(30);  // A
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.PendingBindings[4], 30);
    EXPECT_EQ(W.Saved.Bindings[4], kFire);  // only the pending copy changes
}

TEST_F(InputTest, CapturingThePauseRowWritesThePauseSlotAndEscapeAbandons) {
    W.Program.GameMode = Mode::CaptureBinding;
    W.CaptureTarget = 6;
    Step();
    Press(25);
    Step();
    EXPECT_EQ(W.PendingBindings[SlotPause], 25);
    Release(25);
    W.Program.GameMode = Mode::CaptureBinding;
    W.CaptureTarget = 2;
    Step();
    Press(KeyEscape);
    Step();
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.PendingBindings[2], kLeft);
    Step();  // the same Escape press does not quit from the menu
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
}

TEST_F(InputTest, MenuKeysGiveOneRequestPerPressEarliestFirst) {
    Press(kDown);
    Press(kFire);
    Step();
    EXPECT_EQ(W.Host.MenuDownRequest, 1);
    EXPECT_EQ(W.Host.MenuSelectRequest, 0);
    ClearMenuRequests();
    Release(kDown);
    Step(5);  // fire still held: latched
    EXPECT_EQ(W.Host.MenuSelectRequest, 0);
    Release(kFire);
    Step();
    Press(KeyReturn);
    Step();
    EXPECT_EQ(W.Host.MenuSelectRequest, 1);
    ClearMenuRequests();
    Press(kShield);  // the shield does nothing in menus
    Release(KeyReturn);
    Step();
    EXPECT_EQ(W.MenuKeyLatch, 0);
}

TEST_F(InputTest, FunctionKeysAndTheUnlockCombination) {
    Press(KeyF2);
    Step();
    EXPECT_EQ(W.Host.FastForward, 1);
    Press(KeyF1);
    Step();
    EXPECT_EQ(W.Host.FastForward, 1);  // both held: on wins
    Release(KeyF2);
    Step();
    EXPECT_EQ(W.Host.FastForward, 0);

    W.MenuPage = 1;
    Press(KeyF9);
    Press(KeyF12);
    Step();
    EXPECT_EQ(W.Saved.BossRushUnlocked, 0);  // only on the main page
    W.MenuPage = 0;
    Step(5);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(W.Saved.PracticeUnlocked[i] + W.Saved.BossUnlocked[i], 2);
    EXPECT_EQ(W.SoundsPlayed.effect[12], 1u);  // the jingle once
    EXPECT_FALSE(FileExists(DataFile("quivex.cfg")));  // saved only by the next save
}

TEST_F(InputTest, ALostKeyboardKeepsItsLastState) {
    Press(kUp);
    Step();
    EXPECT_TRUE(UpHeld());
    Release(kUp);
    h().input.lostReads = 1;
    Step();
    EXPECT_TRUE(UpHeld());
    Step();
    EXPECT_FALSE(UpHeld());
}

TEST_F(InputTest, KeyboardSetUpFailuresAreReportedAndStartUpGoesOn) {
    h().input.failKeyboard = true;
    InitInput();
    std::vector<std::string> boxes = h().window.messageBoxes;
    ASSERT_GE(boxes.size(), 4u);
    EXPECT_EQ(boxes[0], "create keyboard device|failed");
    EXPECT_EQ(boxes.back(), "acquire keyboard|failed");
}

}  // namespace

// A controller gone mad: plugged in and pulled out every frame, axes anywhere in 32 bits, every button
// at random, the keyboard now and then lost, for two minutes of a level. Nothing may hold on once it is gone,
// nothing is saved, and the log it fills stops at its limit.
class MadControllerTest : public GameTest {};

TEST_F(MadControllerTest, NothingBreaksNothingIsSavedAndTheLogStopsGrowing) {
    OpenErrorLog();
    LoadSettings();
    InitInput();
    std::vector<int32_t> bindings(W.Saved.Bindings.begin(), W.Saved.Bindings.end());
    StartFromMenu(StartLevelPractice, 0);
    std::mt19937 random(7);
    const int32_t edges[] = {INT32_MIN, -1, 0, 32767, 65535, 65536, INT32_MAX};
    plat::HeadlessInput& in = h().input;
    for (int frame = 0; frame < 8000; ++frame) {
        in.joystickAttached = frame % 2 == 0;
        in.joystick.x = frame % 3 ? static_cast<int32_t>(random()) : edges[frame % 7];
        in.joystick.y = frame % 5 ? static_cast<int32_t>(random()) : edges[(frame / 7) % 7];
        for (uint8_t& b : in.joystick.buttons) b = static_cast<uint8_t>(random());
        in.lostReads = frame % 11 == 0;
        InputStep();
        if (ShipAlive) W.Invulnerable = 1;  // kept alive: the level goes on under the storm
        Frames(1);
    }
    EXPECT_TRUE(W.Program.GameMode == Mode::Playing || W.Program.GameMode == Mode::Paused);
    in.joystickAttached = false;
    InputStep();
    EXPECT_FALSE(FireHeld() || ShieldHeld() || LeftHeld() || RightHeld() || UpHeld() || DownHeld());
    EXPECT_EQ(std::vector<int32_t>(W.Saved.Bindings.begin(), W.Saved.Bindings.end()), bindings);
    EXPECT_FALSE(FileExists(DataFile("quivex.cfg")));
    const std::string log = ReadFile(DataFile("err.log"));
    EXPECT_LE(log.size(), 64u * 1024);
    EXPECT_GT(log.size(), 60u * 1024);
    EXPECT_EQ(log.substr(log.size() - 44), "err.log is full: later entries are left out\n");
    EXPECT_NE(log.find("joystick attached\njoystick detached\n"), std::string::npos);
}
