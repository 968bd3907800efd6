#include <string>

#include "shell/bindings.h"
#include "shell/data_dir.h"
#include "world/world.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

const char* kDefaultFile = "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100";

class SettingsTest : public HeadlessTest {
protected:
    std::string SavedText() {
        SaveSettings();
        return ReadFile(DataFile("quivex.cfg"));
    }
    void LoadText(const std::string& text) {
        WriteFile(DataFile("quivex.cfg"), text);
        LoadSettings();
    }
};

TEST_F(SettingsTest, MissingFileGivesDefaultsAndSavesTheDocumentedLine) {
    LoadSettings();
    EXPECT_EQ(SavedText(), kDefaultFile);
}

TEST_F(SettingsTest, CurrentFormatRoundTrips) {
    const std::string text =
        "9990 17 31 -4 205 1003 44 88 2003 2002 2001 2000 1005 1007 0 4 2 1 123 1 0 1 0 0 1 0 1 1 -20 3000";
    LoadText(text);
    EXPECT_EQ(W.Saved.Bindings[2], -4);
    EXPECT_EQ(W.Saved.Bindings[12], 88);
    EXPECT_EQ(W.Saved.Bindings[13], 0);
    EXPECT_EQ(W.Saved.ResolutionIndex, 4);
    EXPECT_EQ(W.Saved.HiScore, 123);
    EXPECT_EQ(W.Saved.WindowX, -20);
    EXPECT_EQ(SavedText(), text);
}

TEST_F(SettingsTest, AnyWhitespaceSeparatesNumbers) {
    LoadText("9990\n200\t208  203\r\n205 45 44 197 2002 2003 2000 2001 1000 1001 1 2 1 1 7 1 1 1 1 0 0 0 0 1 5 6\n");
    EXPECT_EQ(W.Saved.ResolutionIndex, 2);
    EXPECT_EQ(W.Saved.HiScore, 7);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 1);
    EXPECT_EQ(W.Saved.WindowY, 6);
}

// Reading stops at the file's end or at the first word that is no 32-bit number; the rest keeps its value.
TEST_F(SettingsTest, ReadingStopsAtTheEndOrTheFirstNonIntegerAndKeepsTheRest) {
    LoadSettings();  // defaults
    W.Saved.WindowX = 55;
    W.Saved.HiScore = 9;
    LoadText("9990 1 2 3 4 5 6 7");
    EXPECT_EQ(W.Saved.Bindings[0], 1);
    EXPECT_EQ(W.Saved.Bindings[12], 7);
    EXPECT_EQ(W.Saved.Bindings[6], 2002);  // not in the file
    EXPECT_EQ(W.Saved.HiScore, 9);
    EXPECT_EQ(W.Saved.WindowX, 55);
    LoadText("9990 30 31 32 x 34");
    EXPECT_EQ(W.Saved.Bindings[0], 30);
    EXPECT_EQ(W.Saved.Bindings[2], 32);
    EXPECT_EQ(W.Saved.Bindings[3], 4);
    EXPECT_EQ(W.Saved.Bindings[4], 5);
    // A number too large for 32 bits stops the reading as well.
    LoadText("9990 1 99999999999 3");
    EXPECT_EQ(W.Saved.Bindings[0], 1);
    EXPECT_EQ(W.Saved.Bindings[1], 31);
    EXPECT_EQ(W.Saved.Bindings[2], 32);
}

TEST_F(SettingsTest, OldFormatFile) {
    // Joypad bindings from an earlier load stay as they were.
    for (int i = 6; i <= 11; ++i) W.Saved.Bindings[i] = 1100 + i;
    W.Saved.Bindings[13] = 0;
    LoadText("16 17 18 19 20 21 25 2 1 1 42 1 1 0 0 1 0 0 0 0 300 400");
    EXPECT_EQ(W.Saved.Bindings[0], 16);
    EXPECT_EQ(W.Saved.Bindings[5], 21);
    EXPECT_EQ(W.Saved.Bindings[12], 197);  // the pause binding always becomes Pause
    EXPECT_EQ(W.Saved.Bindings[6], 1106);
    EXPECT_EQ(W.Saved.Bindings[11], 1111);
    EXPECT_EQ(W.Saved.Bindings[13], 0);
    EXPECT_EQ(W.Saved.ResolutionIndex, 2);
    EXPECT_EQ(W.Saved.ScreenOrientation, 1);
    EXPECT_EQ(W.Saved.Windowed, 1);
    EXPECT_EQ(W.Saved.HiScore, 42);
    EXPECT_EQ(W.Saved.PracticeUnlocked[0], 1);
    EXPECT_EQ(W.Saved.PracticeUnlocked[1], 1);
    EXPECT_EQ(W.Saved.BossUnlocked[0], 1);
    EXPECT_EQ(W.Saved.WindowX, 300);
    EXPECT_EQ(W.Saved.WindowY, 400);
    EXPECT_EQ(SavedText().substr(0, 5), "9990 ");
}

TEST_F(SettingsTest, OldFormatKeyboardBindingAbove999ResetsAllSix) {
    LoadText("999 17 18 19 20 21 25 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    EXPECT_EQ(W.Saved.Bindings[0], 999);
    LoadText("17 18 19 20 1000 21 25 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(W.Saved.Bindings[i], kDefaultBindings[i]) << i;
}

TEST_F(SettingsTest, GarbageOrEmptyFileIsTreatedAsNoFile) {
    LoadText("this is not a settings file");
    EXPECT_EQ(SavedText(), kDefaultFile);
    LoadText("");
    EXPECT_EQ(SavedText(), kDefaultFile);
}

TEST_F(SettingsTest, OutOfRangeValuesFallBackToDefaults) {
    LoadText("9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 7 6 3 2 5 2 -1 1 9 1 1 1 1 3 100 100");
    EXPECT_EQ(W.Saved.Bindings[13], 1);
    EXPECT_EQ(W.Saved.ResolutionIndex, 1);
    EXPECT_EQ(W.Saved.ScreenOrientation, 0);
    EXPECT_EQ(W.Saved.Windowed, 0);
    EXPECT_EQ(W.Saved.HiScore, 5);
    EXPECT_EQ(W.Saved.PracticeUnlocked[0], 0);
    EXPECT_EQ(W.Saved.PracticeUnlocked[1], 0);
    EXPECT_EQ(W.Saved.PracticeUnlocked[2], 1);
    EXPECT_EQ(W.Saved.PracticeUnlocked[3], 0);
    EXPECT_EQ(W.Saved.BossUnlocked[0], 1);
    EXPECT_EQ(W.Saved.BossRushUnlocked, 0);
    LoadText("9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 -1 -2 -3");
    EXPECT_EQ(W.Saved.ResolutionIndex, 1);
    EXPECT_EQ(W.Saved.ScreenOrientation, 0);
    EXPECT_EQ(W.Saved.Windowed, 0);
}

TEST_F(SettingsTest, EveryLoadClearsTheUnlockCheatFlag) {
    W.Program.UnlockCheatUsed = 1;
    LoadSettings();
    EXPECT_EQ(W.Program.UnlockCheatUsed, 0);
    W.Program.UnlockCheatUsed = 1;
    LoadText("9990 1 2");
    EXPECT_EQ(W.Program.UnlockCheatUsed, 0);
}

TEST_F(SettingsTest, SaveReplacesTheFileWhole) {
    WriteFile(DataFile("quivex.cfg"), std::string(3000, '9'));
    LoadSettings();
    std::string saved = SavedText();
    EXPECT_EQ(saved.find('\n'), std::string::npos);
    EXPECT_LT(saved.size(), 200u);
    EXPECT_FALSE(FileExists(DataFile("quivex.cfg.tmp")));
}

TEST_F(SettingsTest, SaveIntoAFolderThatCannotBeWrittenChangesNothing) {
    // Nothing can be created under /proc, not even by root.
    SetDataDir("/proc/self");
    LoadSettings();
    SaveSettings();
    EXPECT_FALSE(FileExists("/proc/self/quivex.cfg"));
    EXPECT_EQ(W.Saved.ResolutionIndex, 1);
}

}  // namespace
