#pragma once
// "options.cfg": options beyond the original settings, kept in a file of their own so "quivex.cfg"
// keeps its exact format for the programs and older copies that read it. One `name = value` a line, the
// value a number or a word; unknown names are ignored and a bad or missing value takes its default.
#include <cstddef>
#include <cstdint>

constexpr int32_t kVolumeSteps = 10;

// How much glow the renderer draws; auto takes the light picture on a software rasteriser.
constexpr int32_t kEffectsAuto = 0, kEffectsFull = 1, kEffectsLight = 2, kEffectsChoices = 3;
// "auto", "full" or "light" to its value; -1 for anything else.
int32_t EffectsFromName(const char* name);

// The resolution choices the options page, the launcher and the command line offer: the table's indices,
// then native.
constexpr int32_t kResolutionNativeChoice = 6, kResolutionChoices = 7;
int32_t ResolutionChoice();
void SetResolutionChoice(int32_t choice);

// Multisampled drawing; auto takes 4x where a GPU draws and none on a software rasteriser.
constexpr int32_t kSmoothingAuto = 0, kSmoothingOff = 1, kSmoothing2x = 2, kSmoothing4x = 3, kSmoothingChoices = 4;
// "auto", "off", "2x" or "4x" to its value; -1 for anything else.
int32_t SmoothingFromName(const char* name);

// A board server's address: "http://" or "https://", then printable text; false for anything else.
constexpr size_t kBoardAddressBytes = 256;
bool IsBoardAddress(const char* text);

struct OptionValues {
    int32_t MusicVolume = kVolumeSteps;  // 0..10, 10 = full
    int32_t EffectsVolume = kVolumeSteps;
    int32_t EffectsSetting = kEffectsAuto;
    // 1: the game draws at the window's own pixels (the largest 4:3 rectangle of its drawable) instead
    // of a fixed resolution. "quivex.cfg" keeps the last fixed resolution for older builds and for the
    // window's size.
    int32_t ResolutionNative = 0;
    int32_t SmoothingSetting = kSmoothingAuto;
    // The online boards: off until the player turns them on; the server's address.
    int32_t OnlineBoards = 0;
    char BoardAddress[kBoardAddressBytes] = {};
};
extern OptionValues Options;

void LoadOptions();
void SaveOptions();
void LoadOptionsFromText(const char* text, size_t length);
// The file's text; returns the length written, or -1 when `size` is too small.
int FormatOptions(char* out, size_t size);
void ResetOptions();
