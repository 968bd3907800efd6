#pragma once
// "err.log": recreated at every start, each entry appended by opening and closing the file,
// so it is on disk even if the program dies right after.

void OpenErrorLog();
// Stops writing (after one line saying so) once the log reaches 64 KB.
void LogError(const char* format, ...) __attribute__((format(printf, 1, 2)));
void ResetErrorLog();
// A modal message box (caption "error...") with the text cut to 51 characters. Writes nothing to the log.
void ErrorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
