#pragma once
// Options for players and desktop files: the display choices the launcher offers, and skipping it.
#include <string>

struct CommandLine {
    int windowed = -1;         // 0 or 1; -1 = not given
    int resolutionIndex = -1;  // 0..5 into the resolution table, 6 native; -1 = not given
    int orientation = -1;      // 0 vertical, 1 horizontal, 2 tate; -1 = not given
    bool noLauncher = false;
    bool help = false;
    std::string board;  // the boards server's address; empty = not given
};

// False for an unknown option or a bad value, with a one-line reason in `error`.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);
// The --help text, ending in a newline.
const char* UsageText();
// Writes the options given over the loaded settings, so they are saved like the launcher's choices.
void ApplyCommandLine(const CommandLine& options);
