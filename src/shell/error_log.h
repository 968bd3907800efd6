#pragma once
// "err.log": recreated at every start, each entry appended by opening and closing the file,
// so it is on disk even if the program dies right after.

void OpenErrorLog();
// Stops writing (after one line saying so) once the log reaches 64 KB.
void LogError(const char* format, ...) __attribute__((format(printf, 1, 2)));
void ResetErrorLog();
