#include "shell/command_line.h"

#include <cstdio>
#include <cstring>

#include "world/world.h"
#include "shell/options.h"

namespace {

// The resolution table is only filled when the settings load, after the command line is read; the
// command-line test checks that these stay the same.
constexpr char kResolutions[kResolutionChoices][10] = {"640x480",  "800x600",   "1024x768", "1280x720",
                                                      "1280x1024", "1600x1200", "native"};
constexpr char kOrientations[3][11] = {"vertical", "horizontal", "tate"};

template <size_t Length>
int Find(const char (*names)[Length], int count, const char* value) {
    for (int i = 0; i < count; ++i)
        if (std::strcmp(names[i], value) == 0) return i;
    return -1;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error) {
    out = CommandLine{};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "-h") {
                out.help = true;
                continue;
            }
            error = arg[0] == '-' ? "unknown option '" + arg + "'" : "unexpected argument '" + arg + "'";
            return false;
        }
        // --name=value or --name value
        size_t eq = arg.find('=');
        std::string name = arg.substr(0, eq);
        bool inlineValue = eq != std::string::npos;
        std::string value = inlineValue ? arg.substr(eq + 1) : "";

        bool takesValue = name == "--resolution" || name == "--orientation" || name == "--board";
        bool isFlag = name == "--windowed" || name == "--fullscreen" || name == "--no-launcher" || name == "--help";
        if (!takesValue && !isFlag) {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (isFlag && inlineValue) {
            error = "option '" + name + "' takes no value";
            return false;
        }
        if (takesValue && !inlineValue) {
            if (i + 1 >= argc) {
                error = "option '" + name + "' needs a value";
                return false;
            }
            value = argv[++i];
        }

        if (name == "--windowed") out.windowed = 1;
        else if (name == "--fullscreen") out.windowed = 0;
        else if (name == "--no-launcher") out.noLauncher = true;
        else if (name == "--help") out.help = true;
        else if (name == "--resolution") {
            out.resolutionIndex = Find(kResolutions, kResolutionChoices, value.c_str());
            if (out.resolutionIndex < 0) {
                error = "resolution '" + value + "' is not one the game offers";
                return false;
            }
        } else if (name == "--board") {
            out.board = value;
            if (!IsBoardAddress(value.c_str())) {
                error = "board '" + value + "' is not an http:// or https:// address";
                return false;
            }
        } else {
            out.orientation = Find(kOrientations, 3, value.c_str());
            if (out.orientation < 0) {
                error = "orientation '" + value + "' is not vertical, horizontal or tate";
                return false;
            }
        }
    }
    return true;
}

const char* UsageText() {
    return "Usage: quiv-ex [OPTION]...\n"
           "Starts the game. The display choices given are saved, as the launcher's are.\n"
           "\n"
           "      --windowed            play in a window\n"
           "      --fullscreen          play full screen (the later of these two wins)\n"
           "      --resolution=WxH      640x480, 800x600, 1024x768, 1280x720, 1280x1024 or 1600x1200;\n"
           "                            native draws at the window's own pixels\n"
           "      --orientation=MODE    vertical, horizontal, or tate for a monitor turned on its side\n"
           "      --no-launcher         start at once with the saved settings, without the launcher\n"
           "      --board=URL           the online boards' server, kept in options.cfg\n"
           "  -h, --help                show this help and exit\n";
}

void ApplyCommandLine(const CommandLine& options) {
    if (options.windowed == 0 || options.windowed == 1) W.Saved.Windowed = options.windowed;
    if (options.resolutionIndex >= 0) SetResolutionChoice(options.resolutionIndex);
    if (options.orientation >= 0 && options.orientation <= 2) W.Saved.ScreenOrientation = options.orientation;
    if (!options.board.empty()) std::snprintf(Options.BoardAddress, sizeof Options.BoardAddress, "%s", options.board.c_str());
}
