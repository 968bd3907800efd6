#include "shell/error_log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "shell/data_dir.h"

namespace {

const char* kLogName = "err.log";
const char kHeading[] = "error log file\n==============\n";
const char kFullLine[] = "err.log is full: later entries are left out\n";
// A device that comes and goes every frame logs every frame: the log must not fill the disk, nor cost a
// file opened per frame for ever.
constexpr long kMaxLogBytes = 64 * 1024;
struct LogState {
    long logBytes;
    bool logFull;
};
LogState L;

void Append(const char* text, size_t length) {
    std::FILE* f = std::fopen(DataPath(kLogName), "a");
    if (!f) return;  // nowhere to write: the entry is dropped
    std::fwrite(text, 1, length, f);
    std::fclose(f);
}

}  // namespace

void ResetErrorLog() {
    L.logBytes = 0;
    L.logFull = false;
}

void OpenErrorLog() {
    ResetErrorLog();
    L.logBytes = static_cast<long>(sizeof kHeading - 1);
    std::FILE* f = std::fopen(DataPath(kLogName), "w");
    if (!f) return;
    std::fputs(kHeading, f);
    std::fclose(f);
}

void LogError(const char* format, ...) {
    if (L.logFull) return;
    char text[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) return;
    size_t length = std::min(static_cast<size_t>(n), sizeof text - 1);
    if (L.logBytes + static_cast<long>(length) > kMaxLogBytes - static_cast<long>(sizeof kFullLine - 1)) {
        L.logFull = true;
        Append(kFullLine, sizeof kFullLine - 1);
        return;
    }
    L.logBytes += static_cast<long>(length);
    Append(text, length);
}

