#include "shell/settings.h"


#include <array>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>

#include "shell/bindings.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "world/world.h"

namespace {

const char* kSettingsName = "quivex.cfg";
const char* kSettingsTemp = "quivex.cfg.tmp";
constexpr size_t kMaxFileSize = 4096;  // the file is about 100 bytes; anything longer is not ours

// Reads whitespace-separated decimal integers the way a formatted scan does: stops at the first thing
// that is not an integer (or does not fit in 32 bits).
class IntReader {
public:
    IntReader(const char* text, size_t length) : p_(text), end_(text + length) {}

    bool Next(int32_t& out) {
        if (stopped_) return false;
        while (p_ < end_ && std::isspace(static_cast<unsigned char>(*p_))) ++p_;
        const char* q = p_;
        bool negative = false;
        if (q < end_ && (*q == '-' || *q == '+')) negative = *q++ == '-';
        if (q >= end_ || !std::isdigit(static_cast<unsigned char>(*q))) return Stop();
        long long value = 0;
        while (q < end_ && std::isdigit(static_cast<unsigned char>(*q))) {
            value = value * 10 + (*q++ - '0');
            if (value > static_cast<long long>(INT_MAX) + 1) return Stop();
        }
        if (negative) value = -value;
        if (value > INT_MAX || value < INT_MIN) return Stop();
        out = static_cast<int32_t>(value);
        p_ = q;
        return true;
    }

private:
    bool Stop() {
        stopped_ = true;
        return false;
    }
    const char* p_;
    const char* end_;
    bool stopped_ = false;
};

// Field order of the current format (after the version number): where in the world each is.
std::array<int32_t*, 29> Fields() {
    return {
    &W.Saved.Bindings[0], &W.Saved.Bindings[1], &W.Saved.Bindings[2], &W.Saved.Bindings[3], &W.Saved.Bindings[4], &W.Saved.Bindings[5], &W.Saved.Bindings[12],
    &W.Saved.Bindings[6], &W.Saved.Bindings[7], &W.Saved.Bindings[8], &W.Saved.Bindings[9], &W.Saved.Bindings[10], &W.Saved.Bindings[11], &W.Saved.Bindings[13],
    &W.Saved.ResolutionIndex, &W.Saved.ScreenOrientation, &W.Saved.Windowed, &W.Saved.HiScore,
    &W.Saved.PracticeUnlocked[0], &W.Saved.PracticeUnlocked[1], &W.Saved.PracticeUnlocked[2], &W.Saved.PracticeUnlocked[3],
    &W.Saved.BossUnlocked[0], &W.Saved.BossUnlocked[1], &W.Saved.BossUnlocked[2], &W.Saved.BossUnlocked[3],
    &W.Saved.BossRushUnlocked, &W.Saved.WindowX, &W.Saved.WindowY,
    };
}

// The old format: no version, no joypad bindings, no JoypadEnabled.
std::array<int32_t*, 22> OldFields() {
    return {
    &W.Saved.Bindings[0], &W.Saved.Bindings[1], &W.Saved.Bindings[2], &W.Saved.Bindings[3], &W.Saved.Bindings[4], &W.Saved.Bindings[5], &W.Saved.Bindings[12],
    &W.Saved.ResolutionIndex, &W.Saved.ScreenOrientation, &W.Saved.Windowed, &W.Saved.HiScore,
    &W.Saved.PracticeUnlocked[0], &W.Saved.PracticeUnlocked[1], &W.Saved.PracticeUnlocked[2], &W.Saved.PracticeUnlocked[3],
    &W.Saved.BossUnlocked[0], &W.Saved.BossUnlocked[1], &W.Saved.BossUnlocked[2], &W.Saved.BossUnlocked[3],
    &W.Saved.BossRushUnlocked, &W.Saved.WindowX, &W.Saved.WindowY,
    };
}

void SetDefaults() {
    for (int i = 0; i < kBindingSlots; ++i) W.Saved.Bindings[i] = kDefaultBindings[i];
    W.Saved.ResolutionIndex = 1;
    W.Saved.ScreenOrientation = W.Saved.Windowed = W.Saved.HiScore = W.Saved.BossRushUnlocked = 0;
    for (int i = 0; i < kLevelCount; ++i) W.Saved.PracticeUnlocked[i] = W.Saved.BossUnlocked[i] = 0;
    W.Saved.WindowX = W.Saved.WindowY = 100;
}

void ReplaceIfOutside(int32_t& value, int32_t lo, int32_t hi, int32_t fallback) {
    if (value < lo || value > hi) value = fallback;
}

// The rest of the program indexes tables with these; a value from a damaged file must not reach them.
void ReplaceOutOfRange() {
    ReplaceIfOutside(W.Saved.ResolutionIndex, 0, kResolutionCount - 1, 1);
    ReplaceIfOutside(W.Saved.ScreenOrientation, 0, 2, 0);
    ReplaceIfOutside(W.Saved.Windowed, 0, 1, 0);
    ReplaceIfOutside(W.Saved.Bindings[SlotJoypadEnabled], 0, 1, 1);
    for (int i = 0; i < kLevelCount; ++i) {
        ReplaceIfOutside(W.Saved.PracticeUnlocked[i], 0, 1, 0);
        ReplaceIfOutside(W.Saved.BossUnlocked[i], 0, 1, 0);
    }
    ReplaceIfOutside(W.Saved.BossRushUnlocked, 0, 1, 0);
}

void FinishLoad() {
    W.Program.UnlockCheatUsed = 0;
    ReplaceOutOfRange();
}

}  // namespace

void LoadSettingsFromText(const char* text, size_t length, bool fileExists) {
    int32_t version = 0;
    bool anyNumber = fileExists && IntReader(text, length).Next(version);
    // A file with no number in it at all (empty, or garbage) is as good as no file.
    if (!anyNumber) {
        SetDefaults();
        FinishLoad();
        return;
    }
    IntReader reader(text, length);
    if (version == kSettingsVersion) {
        int32_t skip;
        reader.Next(skip);
        for (int32_t* field : Fields())
            if (!reader.Next(*field)) break;
    } else {
        for (int32_t* field : OldFields())
            if (!reader.Next(*field)) break;
        bool foreignKeys = false;
        for (int i = SlotKeyUp; i <= SlotKeyShield; ++i) foreignKeys |= W.Saved.Bindings[i] > 999;
        if (foreignKeys)
            for (int i = SlotKeyUp; i <= SlotKeyShield; ++i) W.Saved.Bindings[i] = kDefaultBindings[i];
        W.Saved.Bindings[SlotPause] = 197;
    }
    FinishLoad();
}

void LoadSettings() {
    std::FILE* f = std::fopen(DataPath(kSettingsName), "rb");
    if (!f) {
        LoadSettingsFromText("", 0, false);
        return;
    }
    char text[kMaxFileSize];
    size_t length = std::fread(text, 1, sizeof text, f);
    std::fclose(f);
    LoadSettingsFromText(text, length, true);
}

int FormatSettings(char* out, size_t size) {
    int n = std::snprintf(out, size, "%d", kSettingsVersion);
    for (int32_t* field : Fields()) {
        if (n < 0 || static_cast<size_t>(n) >= size) break;
        n += std::snprintf(out + n, size - n, " %d", *field);
    }
    return n >= 0 && static_cast<size_t>(n) < size ? n : -1;
}

bool DeleteSettingsFile() { return std::remove(DataPath(kSettingsName)) == 0; }

void SaveSettings() {
    if (W.Host.WatchingReplay) return;  // a replay's high score and unlocks are not the player's
    char text[512];
    int length = FormatSettings(text, sizeof text);
    if (length < 0) {
        LogError("could not save %s: too long\n", kSettingsName);
        return;
    }
    WriteDataFileAtomically(kSettingsName, kSettingsTemp, text, static_cast<size_t>(length));
}
