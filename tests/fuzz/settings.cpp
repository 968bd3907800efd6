// quivex.cfg, in its current form (version first) and its older one: whatever the text, every value
// that indexes a table lands in its range, and what is read, saved and read again stays the same.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "world/world.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) size = 4096;  // what LoadSettings reads of a file
    LoadSettingsFromText("", 0, false);
    LoadSettingsFromText(reinterpret_cast<const char*>(data), size, true);
    auto in = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
    FUZZ_CHECK(in(W.Saved.ResolutionIndex, 0, kResolutionCount - 1) && in(W.Saved.ScreenOrientation, 0, 2) &&
               in(W.Saved.Windowed, 0, 1) && in(W.Saved.Bindings[SlotJoypadEnabled], 0, 1) && in(W.Saved.BossRushUnlocked, 0, 1));
    for (int i = 0; i < 4; ++i) FUZZ_CHECK(in(W.Saved.PracticeUnlocked[i], 0, 1) && in(W.Saved.BossUnlocked[i], 0, 1));
    FUZZ_CHECK(ResolutionWidths[W.Saved.ResolutionIndex] > 0);

    char first[512], second[512];
    const int n = FormatSettings(first, sizeof first);
    FUZZ_CHECK(n > 0 && static_cast<size_t>(n) < sizeof first);
    const SavedVars read = W.Saved;
    LoadSettingsFromText("", 0, false);
    LoadSettingsFromText(first, static_cast<size_t>(n), true);
    FUZZ_CHECK(std::memcmp(&read, &W.Saved, sizeof read) == 0);
    FUZZ_CHECK(FormatSettings(second, sizeof second) == n && std::memcmp(first, second, n) == 0);
    // A buffer one byte short (no room for the end) is refused, never written as a cut file.
    FUZZ_CHECK(FormatSettings(second, static_cast<size_t>(n)) == -1);
    return 0;
}
