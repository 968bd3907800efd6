#include <string>

#include "shell/bindings.h"
#include "shell/data_dir.h"
#include "input/control_lists.h"
#include "world/world.h"
#include "app/launcher.h"
#include "app/main_loop.h"
#include "game/records.h"
#include "shell/options.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

using Step = plat::DialogStep;

const char* kDefaultInfo =
    "up: UP ARROW\ndown: DOWN ARROW\nleft: LEFT ARROW\nright: RIGHT ARROW\nfire: X\nshield: Z\n(joypad enabled)";
// Everything away from its default: keys Q W E R T Y, pause P, joypad buttons, joypad off, 1280x720,
// rotated, windowed, hiscore 77, some unlocks, window at 30, 40.
const char* kCustomFile =
    "9990 16 17 18 19 20 21 25 1002 1003 1004 1005 1006 1007 0 3 2 1 77 1 1 0 0 1 0 0 0 1 30 40";

class LauncherTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        OpenErrorLogHere();
    }
    void OpenErrorLogHere() { WriteFile(DataFile("err.log"), ""); }
    std::string Log() { return ReadFile(DataFile("err.log")); }
    std::string Settings() { return ReadFile(DataFile("quivex.cfg")); }
    bool SettingsExist() { return FileExists(DataFile("quivex.cfg")); }
    plat::HeadlessDialogs& d() { return h().dialogs; }
    void Queue(Step::Kind kind, int a = 0, int b = 0) { d().Queue(kind, a, b); }
    void ExpectScriptUsed() {
        EXPECT_EQ(d().next, d().script.size());
        EXPECT_TRUE(d().errors.empty()) << d().errors.front();
    }
};

using ControlsTest = LauncherTest;

TEST_F(LauncherTest, InfoTextFollowsTheBindingsAndTheJoypadSwitch) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    EXPECT_EQ(BuildInfoText(), "up: Q\ndown: W\nleft: E\nright: R\nfire: T\nshield: Y\n(joypad disabled)");
    W.Saved.Bindings[SlotKeyFire] = 1003;  // a joystick input in a keyboard slot
    W.Saved.Bindings[SlotKeyShield] = 84;  // a code without a name
    EXPECT_EQ(BuildInfoText(), "up: Q\ndown: W\nleft: E\nright: R\nfire: button: 4\nshield: \n(joypad disabled)");
}

TEST_F(LauncherTest, OpenGLVersionDecidesBetweenBindingsAndWarning) {
    LoadSettings();
    d().glVersion = 46;
    EXPECT_EQ(DirectXVersion(), 0x801);
    EXPECT_EQ(BuildInfoText(), kDefaultInfo);
    d().glVersion = 33;
    EXPECT_EQ(DirectXVersion(), 0x801);
    d().glVersion = 32;
    EXPECT_EQ(DirectXVersion(), 0x800);
    EXPECT_EQ(BuildInfoText(), "DX version: 800\nyou might have problems, get the latest version of directX");
    d().glVersion = 21;
    EXPECT_EQ(DirectXVersion(), 0x700);
    d().glVersion = 14;
    EXPECT_EQ(DirectXVersion(), 0x600);
    d().glVersion = 0;  // no OpenGL at all
    EXPECT_EQ(DirectXVersion(), 0);
    EXPECT_EQ(BuildInfoText(), "DX version: 0\nyou might have problems, get the latest version of directX");
}

TEST_F(LauncherTest, ShowsTheLoadedDisplaySettings) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    const plat::LauncherContent& shown = d().launcher;
    EXPECT_EQ(shown.resolutions.entries.size(), 7u);
    EXPECT_EQ(shown.resolutions.selected, 3);
    EXPECT_EQ(shown.screenModes.selected, 2);
    EXPECT_TRUE(shown.windowed);
    EXPECT_EQ(shown.info, "up: Q\ndown: W\nleft: E\nright: R\nfire: T\nshield: Y\n(joypad disabled)");
    // The picture: a 220 x 89 BMP.
    ASSERT_GT(shown.picture ? shown.pictureSize : 0, 54u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(shown.picture), 2), "BM");
    EXPECT_EQ((shown.picture[18] | shown.picture[19] << 8) * 1000 + (shown.picture[22] | shown.picture[23] << 8), 220089);
    ExpectScriptUsed();
}

TEST_F(LauncherTest, LaunchTakesTheShownChoicesLogsThemAndSavesNothing) {
    LoadSettings();
    Queue(Step::SelectResolution, 4);
    Queue(Step::ClickWindowed);
    Queue(Step::SelectScreenMode, 1);
    Queue(Step::Launch);
    EXPECT_TRUE(RunLauncher());
    EXPECT_EQ(W.Saved.ResolutionIndex, 4);
    EXPECT_EQ(W.Saved.Windowed, 1);
    EXPECT_EQ(W.Saved.ScreenOrientation, 1);
    EXPECT_EQ(Log(), "in\ncombo pos (resolution): 4\n   checkbox (windowed): 1\ntate mode: 1\nout\n");
    EXPECT_FALSE(SettingsExist());
    ExpectScriptUsed();
}

TEST_F(LauncherTest, ClosingAtStartUpEndsTheProgramWithNoWindowAndNoFile) {
    Queue(Step::Close);
    int code = -1;
    EXPECT_FALSE(StartProgram(StartOptions{}, code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(h().window.created);
    EXPECT_FALSE(h().gfx.device);
    EXPECT_FALSE(SettingsExist());
    EXPECT_EQ(Log(), "error log file\n==============\nin\n");
    EXPECT_EQ(d().launchersShown, 1);
}

TEST_F(LauncherTest, LaunchAtStartUpOpensTheWindowWithTheChoicesAndSavesThem) {
    Queue(Step::SelectResolution, 0);
    Queue(Step::ClickWindowed);
    Queue(Step::SelectScreenMode, 2);
    Queue(Step::Launch);
    int code = -1;
    ASSERT_TRUE(StartProgram(StartOptions{}, code));
    EXPECT_TRUE(h().window.created);
    EXPECT_EQ(h().window.clientW, 640);
    EXPECT_EQ(h().window.clientH, 480);
    EXPECT_EQ(Settings(), "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 0 2 1 0 0 0 0 0 0 0 0 0 0 100 100");
    std::string log = Log();
    EXPECT_NE(log.find("in\ncombo pos (resolution): 0\n   checkbox (windowed): 1\ntate mode: 2\nout\n"
                       "change_window_size: 648 507\n"),
              std::string::npos)
        << log;
    ExpectScriptUsed();
}

TEST_F(LauncherTest, WithoutADisplayTheLoadedSettingsLaunch) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    d().unavailable = true;
    EXPECT_TRUE(RunLauncher());
    EXPECT_EQ(W.Saved.ResolutionIndex, 3);
    EXPECT_EQ(W.Saved.Windowed, 1);
    EXPECT_EQ(Log(), "in\nlauncher not shown\nout\n");
}

TEST_F(LauncherTest, ClearAllAsksFirst) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    Queue(Step::ClearAll);
    Queue(Step::ConfirmCancel);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    ASSERT_EQ(d().confirms.size(), 1u);
    EXPECT_EQ(d().confirms[0],
              "Clear All|This will reset all display and key settings\nto default and clear the game hiscore "
              "tables.\n\nAre you sure?");
    EXPECT_EQ(Settings(), kCustomFile);
    EXPECT_EQ(W.Saved.HiScore, 77);
    EXPECT_EQ(Log(), "in\n");
    ExpectScriptUsed();
}

TEST_F(LauncherTest, ClearAllDeletesTheFileAndReloadsDefaultsButKeepsTheShownDisplayChoices) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    WriteFile(DataFile("options.cfg"), "music_volume = 3\neffects_volume = 0\neffects = light\n");
    LoadOptions();
    WriteFile(DataFile("records.cfg"), "boss_2_frames = 900\n");
    LoadRecords();
    MakeDataFolder("replays");
    for (const char* kept : {"replays/last.qxr", "replays/best.qxr", "replays/boss-2.qxr"}) WriteFile(DataFile(kept), "x");
    Queue(Step::ClearAll);
    Queue(Step::ConfirmOk);
    Queue(Step::Launch);
    EXPECT_TRUE(RunLauncher());
    EXPECT_FALSE(SettingsExist());
    // The records go with the hiscore table, and so do their replays; the last game stays watchable.
    EXPECT_EQ(Records.bossFrames[1], 0);
    EXPECT_FALSE(FileExists(DataFile("records.cfg")) || FileExists(DataFile("replays/best.qxr")) ||
                 FileExists(DataFile("replays/boss-2.qxr")));
    EXPECT_TRUE(FileExists(DataFile("replays/last.qxr")));
    for (int slot = 0; slot < kBindingSlots; ++slot) EXPECT_EQ(W.Saved.Bindings[slot], kDefaultBindings[slot]) << slot;
    EXPECT_EQ(W.Saved.HiScore, 0);
    EXPECT_EQ(W.Saved.PracticeUnlocked[0], 0);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 0);
    EXPECT_EQ(W.Saved.WindowX, 100);
    EXPECT_EQ(W.Saved.WindowY, 100);
    // The lists and the check box were not refreshed: launch takes what they still show.
    EXPECT_EQ(d().launcher.resolutions.selected, 3);
    EXPECT_EQ(W.Saved.ResolutionIndex, 3);
    EXPECT_EQ(W.Saved.Windowed, 1);
    EXPECT_EQ(W.Saved.ScreenOrientation, 2);
    EXPECT_EQ(Options.EffectsSetting, kEffectsAuto);
    EXPECT_EQ(ReadFile(DataFile("options.cfg")),
              "music_volume = 10\neffects_volume = 10\neffects = auto\nresolution = fixed\nsmoothing = auto\n"
              "online_boards = off\n");
    // The info text no longer names the old keys.
    EXPECT_EQ(d().launcher.info, kDefaultInfo);
    EXPECT_EQ(Log(), "in\nall settings deleted\ncombo pos (resolution): 3\n   checkbox (windowed): 1\ntate mode: 2\nout\n");
    ExpectScriptUsed();
}

TEST_F(ControlsTest, OpensWithEveryListOnItsSlotsBinding) {
    LoadSettings();
    Queue(Step::SetControls);
    Queue(Step::Cancel);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(d().controlsShown, 1);
    const plat::ControlsContent& c = d().controls;
    EXPECT_TRUE(c.joypadEnabled);
    EXPECT_TRUE(d().joypadListsEnabled);
    const int32_t expected[12] = {2002, 2003, 2000, 2001, 1000, 1001, 200, 208, 203, 205, 45, 44};
    for (int i = 0; i < 12; ++i) {
        const plat::ChoiceList& list = c.lists[i];
        EXPECT_EQ(list.entries.size(), i < 6 ? 36u : KeyboardListCodes().size()) << i;
        ASSERT_GE(list.selected, 0) << i;
        EXPECT_EQ(list.entries[list.selected].data, expected[i]) << i;
    }
    EXPECT_EQ(c.lists[0].entries[0].text, "axis X minus");
    EXPECT_EQ(c.lists[0].entries[35].text, "button: 32");
    EXPECT_EQ(c.lists[6].entries[0].text, "ESC");
    ExpectScriptUsed();
}

TEST_F(ControlsTest, EnableJoypadActsAtOnceAndStandsAfterCancel) {
    LoadSettings();
    Queue(Step::SetControls);
    Queue(Step::ClickJoypad);
    Queue(Step::Cancel);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(W.Saved.Bindings[SlotJoypadEnabled], 0);
    EXPECT_FALSE(d().joypadListsEnabled);
    EXPECT_FALSE(SettingsExist());  // reaches the file with the next save of any kind
    EXPECT_EQ(d().launcher.info.substr(d().launcher.info.rfind('\n') + 1), "(joypad disabled)");
    SaveSettings();
    EXPECT_EQ(Settings(), "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 0 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    ExpectScriptUsed();
}

TEST_F(ControlsTest, OkWritesTheChosenCodesAndSavesThem) {
    LoadSettings();
    Queue(Step::SetControls);
    Queue(Step::Choose, 6, 30);     // keyboard up: A
    Queue(Step::Choose, 10, 57);    // keyboard fire: SPACE
    Queue(Step::Choose, 11, 211);   // keyboard shield: DEL
    Queue(Step::Choose, 0, 1005);   // joypad up: button 6
    Queue(Step::Choose, 5, 1031);   // joypad shield: button 32
    Queue(Step::Ok);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(W.Saved.Bindings[SlotKeyUp], 30);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyFire], 57);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyShield], 211);
    EXPECT_EQ(W.Saved.Bindings[SlotPadUp], 1005);
    EXPECT_EQ(W.Saved.Bindings[SlotPadShield], 1031);
    EXPECT_EQ(W.Saved.Bindings[SlotPause], 197);
    EXPECT_EQ(Settings(), "9990 30 208 203 205 57 211 197 1005 2003 2000 2001 1000 1031 1 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    EXPECT_EQ(d().launcher.info,
              "up: A\ndown: DOWN ARROW\nleft: LEFT ARROW\nright: RIGHT ARROW\nfire: SPACE\nshield: DEL\n(joypad enabled)");
    ExpectScriptUsed();
}

TEST_F(ControlsTest, OkWithNothingChangedKeepsBindingsOutsideTheLists) {
    LoadSettings();
    W.Saved.Bindings[SlotKeyFire] = 1003;  // captured in the game: a joystick button on a keyboard slot
    W.Saved.Bindings[SlotKeyShield] = 84;  // a scan code without a name
    W.Saved.Bindings[SlotPadLeft] = 30;    // a key on a joypad slot
    Queue(Step::SetControls);
    Queue(Step::Ok);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(W.Saved.Bindings[SlotKeyFire], 1003);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyShield], 84);
    EXPECT_EQ(W.Saved.Bindings[SlotPadLeft], 30);
    EXPECT_EQ(Settings(), "9990 200 208 203 205 1003 84 197 2002 2003 30 2001 1000 1001 1 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    EXPECT_EQ(d().controls.lists[10].entries.back().text, "button: 4");
    EXPECT_EQ(d().controls.lists[2].entries.back().text, "A");
}

TEST_F(ControlsTest, OkKeepsEveryBindingOfACustomFile) {
    WriteFile(DataFile("quivex.cfg"), kCustomFile);
    LoadSettings();
    Queue(Step::SetControls);
    Queue(Step::Ok);
    Queue(Step::Close);
    EXPECT_FALSE(RunLauncher());
    EXPECT_EQ(Settings(), kCustomFile);
}

TEST_F(ControlsTest, ModelMapsPositionsThroughWhatItShowed) {
    LoadSettings();
    ControlsModel model;
    plat::ControlsContent shown = model.Open();
    int selected[plat::kControlLists];
    for (int i = 0; i < plat::kControlLists; ++i) selected[i] = shown.lists[i].selected;
    selected[7] = 0;   // keyboard down: the first entry, ESC
    selected[1] = 4;   // joypad down: button 1
    selected[8] = -1;  // nothing selected keeps the binding
    model.Ok(selected);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyDown], 1);
    EXPECT_EQ(W.Saved.Bindings[SlotPadDown], 1000);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyLeft], 203);
    EXPECT_TRUE(SettingsExist());
    EXPECT_FALSE(model.JoypadClicked(false));
    EXPECT_EQ(W.Saved.Bindings[SlotJoypadEnabled], 0);
    EXPECT_TRUE(model.JoypadClicked(true));
    EXPECT_EQ(W.Saved.Bindings[SlotJoypadEnabled], 1);
}

}  // namespace
