#include "shell/options.h"

#include <cstring>

#include "shell/name_value_file.h"

int32_t MusicVolume = kVolumeSteps;
int32_t EffectsVolume = kVolumeSteps;
int32_t EffectsSetting = kEffectsAuto;

namespace {

const char* kOptionsName = "options.cfg";
const char* kOptionsTemp = "options.cfg.tmp";

const char* const kEffectsWords[kEffectsChoices] = {"auto", "full", "light"};

const NamedValue kOptions[] = {
    {"music_volume", &MusicVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects_volume", &EffectsVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects", &EffectsSetting, kEffectsAuto, kEffectsLight, kEffectsAuto, kEffectsWords},
};
constexpr size_t kOptionCount = sizeof kOptions / sizeof kOptions[0];

}  // namespace

int32_t EffectsFromName(const char* name) {
    for (int32_t i = 0; i < kEffectsChoices; ++i)
        if (std::strcmp(name, kEffectsWords[i]) == 0) return i;
    return -1;
}

void ResetOptions() { ResetNamedValues(kOptions, kOptionCount); }

void LoadOptionsFromText(const char* text, size_t length) {
    LoadNamedValuesFromText(kOptions, kOptionCount, text, length);
}

void LoadOptions() { LoadNamedValueFile(kOptionsName, kOptions, kOptionCount); }

int FormatOptions(char* out, size_t size) { return FormatNamedValues(kOptions, kOptionCount, false, out, size); }

void SaveOptions() { SaveNamedValueFile(kOptionsName, kOptionsTemp, kOptions, kOptionCount, false); }
