#include "shell/error_log.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"
#include "shell/data_dir.h"

static const char* kLogName = "err.log";

void OpenErrorLog() {
    std::FILE* f = std::fopen(DataPath(kLogName), "w");
    if (!f) return;
    std::fputs("error log file\n==============\n", f);
    std::fclose(f);
}

void LogError(const char* format, ...) {
    std::FILE* f = std::fopen(DataPath(kLogName), "a");
    if (!f) return;  // nowhere to write: the entry is dropped
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    std::fclose(f);
}

void ErrorBox(const char* format, ...) {
    char text[52];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    plat::window().MessageBox("error...", text, true);
}
