#include "shell/options.h"

#include <cctype>
#include <cstring>

#include "world/world.h"
#include "shell/name_value_file.h"

OptionValues Options;

namespace {

const char* kOptionsName = "options.cfg";
const char* kOptionsTemp = "options.cfg.tmp";

const char* const kEffectsWords[kEffectsChoices] = {"auto", "full", "light"};
const char* const kResolutionWords[2] = {"fixed", "native"};
const char* const kSmoothingWords[kSmoothingChoices] = {"auto", "off", "2x", "4x"};
const char* const kOnOffWords[2] = {"off", "on"};

const NamedValue kOptions[] = {
    {"music_volume", &Options.MusicVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects_volume", &Options.EffectsVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects", &Options.EffectsSetting, kEffectsAuto, kEffectsLight, kEffectsAuto, kEffectsWords},
    {"resolution", &Options.ResolutionNative, 0, 1, 0, kResolutionWords},
    {"smoothing", &Options.SmoothingSetting, kSmoothingAuto, kSmoothing4x, kSmoothingAuto, kSmoothingWords},
    {"online_boards", &Options.OnlineBoards, 0, 1, 0, kOnOffWords},
    {"board", nullptr, 0, 0, 0, nullptr, Options.BoardAddress, kBoardAddressBytes},
};
constexpr size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];

}  // namespace

namespace {

int32_t FindWord(const char* const* words, int32_t count, const char* name) {
    for (int32_t i = 0; i < count; ++i)
        if (std::strcmp(name, words[i]) == 0) return i;
    return -1;
}

}  // namespace

int32_t EffectsFromName(const char* name) { return FindWord(kEffectsWords, kEffectsChoices, name); }
int32_t SmoothingFromName(const char* name) { return FindWord(kSmoothingWords, kSmoothingChoices, name); }

static_assert(kResolutionNativeChoice == kResolutionCount, "native comes after the table");

int32_t ResolutionChoice() { return Options.ResolutionNative ? kResolutionNativeChoice : W.Saved.ResolutionIndex; }

void SetResolutionChoice(int32_t choice) {
    if (choice == kResolutionNativeChoice) {
        Options.ResolutionNative = 1;
    } else if (choice >= 0 && choice < kResolutionCount) {
        Options.ResolutionNative = 0;
        W.Saved.ResolutionIndex = choice;
    }
}

bool IsBoardAddress(const char* text) {
    const size_t length = strnlen(text, kBoardAddressBytes);
    if (length >= kBoardAddressBytes || (std::strncmp(text, "http://", 7) != 0 && std::strncmp(text, "https://", 8) != 0))
        return false;
    for (size_t i = 0; i < length; ++i)
        if (!std::isgraph(static_cast<unsigned char>(text[i]))) return false;
    return length > 8;
}

void ResetOptions() { ResetNamedValues(kOptions, kOptionCount); }

// An address that is no board server's is forgotten as it is read.
void LoadOptionsFromText(const char* text, size_t length) {
    LoadNamedValuesFromText(kOptions, kOptionCount, text, length);
    if (!IsBoardAddress(Options.BoardAddress)) Options.BoardAddress[0] = 0;
}

void LoadOptions() {
    LoadNamedValueFile(kOptionsName, kOptions, kOptionCount);
    if (!IsBoardAddress(Options.BoardAddress)) Options.BoardAddress[0] = 0;
}

int FormatOptions(char* out, size_t size) { return FormatNamedValues(kOptions, kOptionCount, false, out, size); }

void SaveOptions() { SaveNamedValueFile(kOptionsName, kOptionsTemp, kOptions, kOptionCount, false); }
