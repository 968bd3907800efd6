// options.cfg (and records.cfg, read the same way): whatever the text, each option lands in its range, and what is read, saved and read
// again stays the same.
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "game/mission_report.h"
#include "game/records.h"
#include "shell/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) size = 4096;  // what LoadOptions reads of a file
    LoadOptionsFromText(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(Options.MusicVolume >= 0 && Options.MusicVolume <= kVolumeSteps && Options.EffectsVolume >= 0 && Options.EffectsVolume <= kVolumeSteps);
    FUZZ_CHECK(Options.EffectsSetting >= kEffectsAuto && Options.EffectsSetting <= kEffectsLight);
    const int32_t read[] = {Options.MusicVolume, Options.EffectsVolume, Options.EffectsSetting};

    char first[512], second[512];
    const int n = FormatOptions(first, sizeof first);
    FUZZ_CHECK(n > 0 && static_cast<size_t>(n) < sizeof first);
    LoadOptionsFromText(first, static_cast<size_t>(n));
    const int32_t again[] = {Options.MusicVolume, Options.EffectsVolume, Options.EffectsSetting};
    FUZZ_CHECK(std::memcmp(read, again, sizeof read) == 0);
    FUZZ_CHECK(FormatOptions(second, sizeof second) == n && std::memcmp(first, second, n) == 0);
    // A buffer one byte short (no room for the end) is refused, never written as a cut file.
    FUZZ_CHECK(FormatOptions(second, static_cast<size_t>(n)) == -1);

    // records.cfg, read by the same rules: every time in range, and what is written reads back the same.
    LoadRecordsFromText(reinterpret_cast<const char*>(data), size);
    const RecordsTable records = Records;
    for (int i = 0; i < 4; ++i)
        FUZZ_CHECK(records.bossFrames[i] >= 0 && records.levelCollected[i] <= kLevelEnergy[i] && records.levelHeld[i] >= -1);
    char table[1024];
    const int t = FormatRecords(table, sizeof table);
    FUZZ_CHECK(t >= 0);
    LoadRecordsFromText(table, static_cast<size_t>(t));
    FUZZ_CHECK(std::memcmp(&records, &Records, sizeof records) == 0);
    return 0;
}
