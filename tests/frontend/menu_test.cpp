#include <cstring>
#include <string>

#include "audio/audio.h"
#include "frontend/menu.h"
#include "draw/menu.h"
#include "front_support.h"
#include "game/game_flow.h"
#include "game/weapons.h"
#include "shell/bindings.h"
#include "input/devices.h"
#include "app/input_step.h"
#include "render/batches.h"
#include "render/device.h"
#include "world/world.h"
#include "shell/options.h"

namespace {

class MenuTest : public FrontEndTest {
protected:
    // Main page: start game, practice, boss rush, options, quit game.
    void OpenOptions() {
        Tap(kKeyDown, 3);
        Tap(kKeyReturn);
        ASSERT_EQ(W.MenuPage, PageOptions);
    }
    void OpenPractice() {
        Tap(kKeyDown);
        Tap(kKeyReturn);
        ASSERT_EQ(W.MenuPage, PagePractice);
    }
};

TEST_F(MenuTest, UpOnTheFirstItemAndDownOnTheLastStayPut) {
    Tap(kKeyUp);
    EXPECT_EQ(W.MenuCursor, 0);
    Tap(kKeyDown, 6);
    EXPECT_EQ(W.MenuCursor, 6);
    Tap(kKeyDown);
    EXPECT_EQ(W.MenuCursor, 6);
    Tap(kKeyUp);
    EXPECT_EQ(W.MenuCursor, 5);
}

TEST_F(MenuTest, OneActionPerPressWithoutRepeat) {
    h().input.Press(kKeyDown);
    Pass(30);
    EXPECT_EQ(W.MenuCursor, 1);
}

TEST_F(MenuTest, LockedPracticeAndBossChoicesIgnoreSelect) {
    OpenPractice();
    Tap(kKeyDown);
    Tap(kKeyRight);
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    W.Saved.PracticeUnlocked[1] = 1;
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    EXPECT_EQ(W.Game.PlayType, 1);
    EXPECT_EQ(W.Game.CurrentLevel, 1);
    EXPECT_EQ(W.Game.WeaponLevel, 2);
}

TEST_F(MenuTest, UnlockedBossPracticeStartsWithTheNextWeapon) {
    W.Saved.BossUnlocked[3] = 1;
    OpenPractice();
    Tap(kKeyDown, 2);
    Tap(kKeyRight, 3);
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    EXPECT_EQ(W.Game.PlayType, 2);
    EXPECT_EQ(W.Game.BossRush, 0);
    EXPECT_EQ(W.Game.WeaponLevel, 7);
}

TEST_F(MenuTest, PracticeSpeedLastsUntilThePageChanges) {
    OpenPractice();
    Tap(kKeyRight);
    EXPECT_EQ(W.Program.SpeedSetting, 1);
    Tap(kKeyDown, 3);
    Tap(kKeyReturn);  // back to main
    EXPECT_EQ(W.MenuPage, PageMain);
    EXPECT_EQ(W.Program.SpeedSetting, 0);
}

TEST_F(MenuTest, LockedBossRushIgnoresSelect) {
    Tap(kKeyDown, 2);
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.MenuPage, PageMain);
    EXPECT_EQ(W.MenuCursor, 2);
    W.Saved.BossRushUnlocked = 1;
    W.Game.Lives = 1;
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    EXPECT_EQ(W.Game.BossRush, 1);
    EXPECT_EQ(W.Game.Lives, 5);
    EXPECT_EQ(W.Game.WeaponLevel, 1);
    EXPECT_EQ(W.Game.CurrentLevel, 0);
}

TEST_F(MenuTest, QuitGameQuits) {
    Tap(kKeyDown, 6);
    h().input.Press(kKeyReturn);
    Pass();
    EXPECT_EQ(W.Program.GameMode, Mode::Quitting);
}

// Replays from the menu: none at first; the last game played can be watched, with "replay" on screen
// and nothing of it saved, ending by itself or on Escape back on the page; a damaged file is refused.
TEST_F(MenuTest, TheLastGameCanBeWatchedAndTheSettingsStayThePlayers) {
    Tap(kKeyDown, 4);
    Tap(kKeyReturn);
    ASSERT_EQ(W.MenuPage, PageReplays);
    ClearFrontTextLog();
    Pass();
    EXPECT_EQ(Texts("n o n e").size(), 2u);
    Tap(kKeyReturn);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);

    StartFromMenu(StartLevelPractice, 0);
    h().input.Press(kKeyX);
    Pass(400);
    h().input.Release(kKeyX);
    Tap(KeyEscape);
    ASSERT_EQ(W.Program.GameMode, Mode::Menu);
    ASSERT_TRUE(FileExists(DataFile("replays/last.qxr")));
    BuildMenu(PageReplays);
    const std::string settings = ReadFile(DataFile("quivex.cfg"));
    const int32_t hiScore = W.Saved.HiScore;

    for (bool escape : {true, false}) {
        Tap(kKeyReturn);
        ASSERT_EQ(W.Host.WatchingReplay, 1);
        ClearFrontTextLog();
        Pass(100);
        EXPECT_EQ(W.Program.GameMode, Mode::Playing);
        EXPECT_TRUE(Drawn("replay"));
        if (escape) Tap(KeyEscape);
        for (int i = 0; i < 2000 && W.Host.WatchingReplay; ++i) Pass();
        EXPECT_EQ(W.Host.WatchingReplay, 0);
        EXPECT_EQ(W.Program.GameMode, Mode::Menu);
        EXPECT_EQ(W.MenuPage, PageReplays);
        Pass(3);
        EXPECT_EQ(W.Program.GameMode, Mode::Menu);  // the Escape that ended it does not quit
    }
    EXPECT_EQ(ReadFile(DataFile("quivex.cfg")), settings);
    EXPECT_EQ(W.Saved.HiScore, hiScore);

    WriteFile(DataFile("replays/last.qxr"), "not a replay");
    Tap(kKeyReturn);
    EXPECT_EQ(W.Host.WatchingReplay, 0);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("replay unreadable"));
}

TEST_F(MenuTest, F9AndF12OnTheMainPageUnlockEverythingSavedAtTheNextSave) {
    std::vector<int> before = Settings();
    ASSERT_EQ(before.size(), 30u);
    h().input.Press(kKeyF9);
    h().input.Press(kKeyF12);
    Pass();
    h().input.Release(kKeyF9);
    h().input.Release(kKeyF12);
    Pass();
    EXPECT_EQ(Settings(), before);  // not written yet
    OpenOptions();
    Tap(kKeyRight);  // the display change saves
    std::vector<int> after = Settings();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(after[kCfgPractice + i], 1);
        EXPECT_EQ(after[kCfgBoss + i], 1);
    }
    EXPECT_EQ(after[kCfgBossRush], 1);
}

// The volumes and the effects: left and right on their items take effect at once (a volume is heard) and
// are kept in "options.cfg" while "quivex.cfg" stays byte for byte as it was.
TEST_F(MenuTest, VolumesAndEffectsAreSavedAtOnceBesideTheSettings) {
    OpenOptions();
    const std::string settings = ReadFile(DataFile("quivex.cfg"));
    auto lastVolume = [&](plat::SoundCall::Kind kind) {
        int v = -1;
        for (const plat::SoundCall& c : h().sound.calls)
            if (c.kind == kind) v = kind == plat::SoundCall::VoiceVolume ? c.b : c.a;
        return v;
    };
    Tap(kKeyDown, 8);  // effects volume
    uint64_t pings = W.SoundsPlayed.effect[1];
    Tap(kKeyLeft, 3);
    EXPECT_EQ(Options.EffectsVolume, 7);
    EXPECT_EQ(lastVolume(plat::SoundCall::MasterVolume), 128 * 7 / 10);
    EXPECT_EQ(W.SoundsPlayed.effect[1], pings + 3);
    StartMusic(0);
    Tap(kKeyUp);  // music volume, while a track plays
    Tap(kKeyLeft, 10);
    Tap(kKeyLeft);  // already at the bottom
    EXPECT_EQ(Options.MusicVolume, 0);
    EXPECT_EQ(lastVolume(plat::SoundCall::VoiceVolume), 0);
    Tap(kKeyRight, 4);
    EXPECT_EQ(lastVolume(plat::SoundCall::VoiceVolume), 255 * 4 / 10);
    StartMusic(1);  // a new track starts turned down too
    EXPECT_EQ(lastVolume(plat::SoundCall::VoiceVolume), 255 * 4 / 10);
    const std::string display = "resolution = fixed\nsmoothing = auto\nonline_boards = off\n";
    EXPECT_EQ(ReadFile(DataFile("options.cfg")), "music_volume = 4\neffects_volume = 7\neffects = auto\n" + display);
    Tap(kKeyUp, 4);  // effects
    Tap(kKeyRight, 2);
    EXPECT_EQ(Options.EffectsSetting, kEffectsLight);
    EXPECT_EQ(ReadFile(DataFile("options.cfg")), "music_volume = 4\neffects_volume = 7\neffects = light\n" + display);
    ClearFrontTextLog();
    Pass();
    ASSERT_EQ(Texts("light").size(), 1u);
    EXPECT_NE(Texts("light")[0].colour, kOtherValueColour);  // the choice in force is the one lit
    EXPECT_EQ(Texts("auto")[0].colour, kOtherValueColour);
    EXPECT_EQ(ReadFile(DataFile("quivex.cfg")), settings);

    // A new start reads them back; bad values and unknown names fall back or are passed over.
    LoadOptions();
    EXPECT_EQ(Options.MusicVolume, 4);
    EXPECT_EQ(Options.EffectsSetting, kEffectsLight);
    for (const char* text : {"music_volume = 11\neffects_volume=x\neffects = 2\n", "colour = 3\neffects = fancy\n", "",
                             "music_volume\neffects =\n", "effects = Full\n", "effects = light light light light\n"}) {
        LoadOptionsFromText(text, std::strlen(text));
        EXPECT_EQ(Options.MusicVolume, 10) << text;
        EXPECT_EQ(Options.EffectsVolume, 10) << text;
        EXPECT_EQ(Options.EffectsSetting, kEffectsAuto) << text;
    }
    const char* spaced = "  effects_volume   =  3  \r\nmusic_volume=0\neffects=full\r\n";
    LoadOptionsFromText(spaced, std::strlen(spaced));
    EXPECT_EQ(Options.EffectsVolume, 3);
    EXPECT_EQ(Options.MusicVolume, 0);
    EXPECT_EQ(Options.EffectsSetting, kEffectsFull);
    const char* later = "effects = light\neffects = auto\n";  // the last line wins
    LoadOptionsFromText(later, std::strlen(later));
    EXPECT_EQ(Options.EffectsSetting, kEffectsAuto);
}

TEST_F(MenuTest, ResolutionOffersTheWholeTableAndKeepsALauncherChoice) {
    W.Saved.ResolutionIndex = 4;  // 1280 x 1024, chosen in the launcher
    OpenOptions();
    uint64_t resets = h().gfx.resets;
    Tap(kKeyDown, 2);
    Pass(10);
    EXPECT_EQ(W.Saved.ResolutionIndex, 4);
    EXPECT_EQ(h().gfx.resets, resets);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("resolution:   1280 x 1024"));

    Tap(kKeyRight);
    EXPECT_EQ(W.Saved.ResolutionIndex, 5);
    EXPECT_EQ(h().gfx.resets, resets + 1);
    EXPECT_EQ(h().gfx.width, 1600);
    EXPECT_EQ(h().gfx.height, 1200);
    EXPECT_EQ(Settings()[kCfgResolution], 5);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("resolution:   1600 x 1200"));
    EXPECT_TRUE(Drawn("<<"));
    EXPECT_TRUE(Drawn(">>"));

    // Native and back: quivex.cfg keeps the fixed resolution throughout, options.cfg says native only
    // while it is chosen, and both end byte for byte as they were.
    SaveOptions();
    const std::string settings = ReadFile(DataFile("quivex.cfg")), options = ReadFile(DataFile("options.cfg"));
    Tap(kKeyRight, 2);  // the second step goes nowhere
    EXPECT_TRUE(Options.ResolutionNative == 1 && W.Saved.ResolutionIndex == 5) << Options.ResolutionNative;
    EXPECT_EQ(h().gfx.resets, resets + 2);
    EXPECT_EQ(h().gfx.width, 0);  // the window's own pixels
    EXPECT_EQ(ReadFile(DataFile("quivex.cfg")), settings);
    std::string native = options;
    EXPECT_EQ(ReadFile(DataFile("options.cfg")), native.replace(native.find("resolution = fixed"), 18, "resolution = native"));
    LoadOptions();  // a new start shows it
    BuildMenu(PageOptions);
    Tap(kKeyDown, 2);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("resolution:   native") && !Drawn(">>"));
    Tap(kKeyLeft);
    EXPECT_EQ(h().gfx.width, 1600);
    EXPECT_EQ(ReadFile(DataFile("quivex.cfg")), settings);
    EXPECT_EQ(ReadFile(DataFile("options.cfg")), options);

    Tap(kKeyLeft, 2);
    EXPECT_EQ(W.Saved.ResolutionIndex, 3);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("resolution:   1280 x 720"));
    EXPECT_TRUE(Drawn("<<"));
    EXPECT_TRUE(Drawn(">>"));
    Tap(kKeyLeft, 5);
    EXPECT_EQ(W.Saved.ResolutionIndex, 0);
    EXPECT_EQ(h().gfx.width, 640);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("resolution:   640 x 480"));
    EXPECT_FALSE(Drawn("<<"));
    EXPECT_TRUE(Drawn(">>"));
    EXPECT_EQ(ResolutionLabel(kResolutionChoices), nullptr);  // past the table: no label
}

// Smoothing: auto takes 4x where a GPU draws and none on a software rasteriser; a choice is kept.
TEST_F(MenuTest, SmoothingFollowsTheRendererUnlessChosen) {
    struct Case { bool software; int steps, samples; const char* word; } cases[] = {{false, 0, 4, "auto"}, {true, 0, 0, "auto"}, {false, 1, 0, "off"}, {true, 2, 2, "2x"}, {true, 3, 4, "4x"}};
    for (const Case& c : cases) {
        h().gfx.software = c.software;
        Options.SmoothingSetting = kSmoothingAuto;
        ApplySmoothing();
        OpenOptions();
        Tap(kKeyDown, 4);
        Tap(kKeyRight, c.steps);
        EXPECT_EQ(h().gfx.samples, c.samples) << c.word << (c.software ? " on software" : "");
        LoadOptions();  // kept in options.cfg
        EXPECT_EQ(Options.SmoothingSetting, SmoothingFromName(c.word));
        BuildMenu(PageMain);
    }
}

TEST_F(MenuTest, ResolutionArrowsSwayAndJumpBack) {
    W.Saved.ResolutionIndex = 2;
    OpenOptions();
    Tap(kKeyDown, 2);
    float least = 1e9f, most = -1e9f;
    for (int i = 0; i < 40; ++i) {
        ClearFrontTextLog();
        Pass();
        auto left = Texts("<<");
        ASSERT_EQ(left.size(), 1u);
        least = std::min(least, left[0].x);
        most = std::max(most, left[0].x);
    }
    EXPECT_GE(least, 275.0f);
    EXPECT_LE(most, 278.01f);
    EXPECT_GT(most - least, 2.5f);
}

TEST_F(MenuTest, BackAndCancelKeepsTheOldFireKeyWhileThePageShowsTheNewOne) {
    OpenOptions();
    Tap(kKeyDown, 5);
    Tap(kKeyReturn);
    ASSERT_EQ(W.MenuPage, PageRedefine);
    Tap(kKeyDown, 4);  // "ship fire:"
    h().input.Press(kKeyX);
    Pass();
    EXPECT_EQ(W.Program.GameMode, Mode::CaptureBinding);
    ClearFrontTextLog();
    Pass();  // fire still held: nothing is taken yet
    EXPECT_EQ(W.Program.GameMode, Mode::CaptureBinding);
    EXPECT_TRUE(Drawn("redefine, press any key/axis/button"));
    h().input.Release(kKeyX);
    Pass();
    Tap(kKeyC);
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.PendingBindings[SlotKeyFire], kKeyC);

    Tap(kKeyDown, 4);  // "back and cancel changes"
    Tap(kKeyReturn);
    EXPECT_EQ(W.MenuPage, PageOptions);
    EXPECT_EQ(W.Saved.Bindings[SlotKeyFire], kKeyX);
    EXPECT_EQ(Settings()[1 + SlotKeyFire], kKeyX);

    Tap(kKeyDown, 5);
    Tap(kKeyReturn);
    ASSERT_EQ(W.MenuPage, PageRedefine);
    ClearFrontTextLog();
    Pass();
    EXPECT_TRUE(Drawn("ship fire: C"));

    // The game still fires with X, and C does nothing.
    BuildMenu(PageMain);
    Tap(kKeyReturn);
    ASSERT_EQ(W.Program.GameMode, Mode::Playing);
    h().input.Press(kKeyC);
    Pass();
    EXPECT_FALSE(FireHeld());
    h().input.Release(kKeyC);
    h().input.Press(kKeyX);
    Pass();
    EXPECT_TRUE(FireHeld());
}

TEST_F(MenuTest, TheHighlightTicksAtEachLowPoint) {
    uint32_t before = W.SoundsPlayed.effect[5];
    Pass(90);
    EXPECT_EQ(W.SoundsPlayed.effect[5], before);  // the first low point is reached on frame 90
    Pass(1);
    EXPECT_EQ(W.SoundsPlayed.effect[5], before + 1);
    Pass(90);
    EXPECT_EQ(W.SoundsPlayed.effect[5], before + 2);
    EXPECT_GE(W.Presentation.MenuPulse, 6);
    EXPECT_LE(W.Presentation.MenuPulse, 252);
}

}  // namespace
