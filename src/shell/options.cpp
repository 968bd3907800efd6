#include "shell/options.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/data_dir.h"
#include "shell/error_log.h"

int32_t MusicVolume = kVolumeSteps;
int32_t EffectsVolume = kVolumeSteps;
int32_t EffectsSetting = kEffectsAuto;

namespace {

const char* kOptionsName = "options.cfg";
const char* kOptionsTemp = "options.cfg.tmp";

const char* const kEffectsWords[kEffectsChoices] = {"auto", "full", "light"};

struct Option {
    const char* name;
    int32_t* value;
    int32_t low, high, fallback;
    const char* const* words;  // the values from low up by name, read and written instead of numbers
};
const Option kOptions[] = {
    {"music_volume", &MusicVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects_volume", &EffectsVolume, 0, kVolumeSteps, kVolumeSteps, nullptr},
    {"effects", &EffectsSetting, kEffectsAuto, kEffectsLight, kEffectsAuto, kEffectsWords},
};

bool Matches(const char* word, const char* text, size_t length) {
    return std::strlen(word) == length && std::strncmp(word, text, length) == 0;
}

// Trims spaces at both ends of [begin, end).
void Trim(const char*& begin, const char*& end) {
    while (begin < end && std::isspace(static_cast<unsigned char>(*begin))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
}

void Apply(const char* name, size_t nameLength, const char* value, size_t valueLength) {
    for (const Option& o : kOptions) {
        if (!Matches(o.name, name, nameLength)) continue;
        if (o.words) {
            for (int32_t v = o.low; v <= o.high; ++v)
                if (Matches(o.words[v - o.low], value, valueLength)) *o.value = v;
            return;
        }
        char digits[16];
        if (valueLength == 0 || valueLength >= sizeof digits) return;
        std::memcpy(digits, value, valueLength);
        digits[valueLength] = 0;
        char* end = nullptr;
        long v = std::strtol(digits, &end, 10);
        if (*end == 0 && v >= o.low && v <= o.high) *o.value = static_cast<int32_t>(v);
        return;
    }
}

}  // namespace

int32_t EffectsFromName(const char* name) {
    for (int32_t i = 0; i < kEffectsChoices; ++i)
        if (std::strcmp(name, kEffectsWords[i]) == 0) return i;
    return -1;
}

void ResetOptions() {
    for (const Option& o : kOptions) *o.value = o.fallback;
}

void LoadOptionsFromText(const char* text, size_t length) {
    ResetOptions();
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
        if (!lineEnd) lineEnd = end;
        const char* eq = static_cast<const char*>(std::memchr(line, '=', static_cast<size_t>(lineEnd - line)));
        if (eq) {
            const char *nameBegin = line, *nameEnd = eq, *valueBegin = eq + 1, *valueEnd = lineEnd;
            Trim(nameBegin, nameEnd);
            Trim(valueBegin, valueEnd);
            Apply(nameBegin, static_cast<size_t>(nameEnd - nameBegin), valueBegin,
                  static_cast<size_t>(valueEnd - valueBegin));
        }
        line = lineEnd + 1;
    }
}

void LoadOptions() {
    char text[4096];
    size_t length = 0;
    if (std::FILE* f = std::fopen(DataPath(kOptionsName), "rb")) {
        length = std::fread(text, 1, sizeof text, f);
        std::fclose(f);
    }
    LoadOptionsFromText(text, length);
}

int FormatOptions(char* out, size_t size) {
    int n = 0;
    for (const Option& o : kOptions) {
        const size_t room = size - static_cast<size_t>(n);
        // A value outside the words is written as the default rather than read past them.
        const int32_t v = *o.value >= o.low && *o.value <= o.high ? *o.value : o.fallback;
        int w = o.words ? std::snprintf(out + n, room, "%s = %s\n", o.name, o.words[v - o.low])
                        : std::snprintf(out + n, room, "%s = %d\n", o.name, static_cast<int>(*o.value));
        if (w < 0 || static_cast<size_t>(n + w) >= size) return -1;  // never a file cut short
        n += w;
    }
    return n;
}

void SaveOptions() {
    char text[512];
    int length = FormatOptions(text, sizeof text);
    if (length < 0) {
        LogError("could not save %s: too long\n", kOptionsName);
        return;
    }
    WriteDataFileAtomically(kOptionsName, kOptionsTemp, text, static_cast<size_t>(length));
}
