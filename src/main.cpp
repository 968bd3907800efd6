#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "app/main_loop.h"

int main(int argc, char** argv) {
    StartOptions options;
    std::string error;
    // Refused before anything opens, so a desktop file or script with a typo fails plainly.
    if (!ParseCommandLine(argc, argv, options.commandLine, error)) {
        std::fprintf(stderr, "quiv-ex: %s\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (options.commandLine.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    options.runLauncher = !options.commandLine.noLauncher;
    plat::UseRealPlatform();
    return RunProgram(options);
}
