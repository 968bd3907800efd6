#pragma once
// Shared by the tests: a clean headless program in a fresh scratch folder.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"

std::string MakeScratchDir();
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// Runs a command, returns its exit status and everything it printed on stdout.
int RunCommand(const std::string& command, std::string& output);
// The value of "key: value" in the headless runner's summary, or "" when missing.
std::string SummaryValue(const std::string& summary, const std::string& key);

// Resets all game state and the headless backends; data files go to a fresh scratch folder.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string DataFile(const char* name) const { return dir + "/" + name; }
    plat::Headless& h() { return plat::headless(); }
    std::string dir;
    std::string previousDir;
};

// A headless program after start-up's content step: tables, models and the ship are built.
class GameTest : public HeadlessTest {
protected:
    void SetUp() override;
    // Runs frames of the update step only (no rendering), as the frame loop would, and fails a test
    // whose update draws.
    void Frames(int n);
};
