#pragma once
// Files of `name = value` lines beside "quivex.cfg" ("options.cfg", "records.cfg"): each value a whole
// number in its range, one of its words, or a line of text. Reading starts from every default; unknown
// names are ignored, a bad or missing value keeps its default, and the last good line of a name wins.
#include <cstddef>
#include <cstdint>

struct NamedValue {
    const char* name;
    int32_t* value;
    int32_t low, high, fallback;
    const char* const* words;  // the values from low up by name, read and written instead of numbers
    // Instead of a number: printable text that fits in `textSize` bytes with its end, empty by default
    // (an empty text is not written).
    char* text = nullptr;
    size_t textSize = 0;
};

void ResetNamedValues(const NamedValue* table, size_t count);
void LoadNamedValuesFromText(const NamedValue* table, size_t count, const char* text, size_t length);
// Every value a line, or with `skipFallbacks` only those not at their default. The length written, or -1
// when `size` is too small.
int FormatNamedValues(const NamedValue* table, size_t count, bool skipFallbacks, char* out, size_t size);
// The file read (its first 4 KB; no file reads as empty) and written whole or not at all.
void LoadNamedValueFile(const char* fileName, const NamedValue* table, size_t count);
void SaveNamedValueFile(const char* fileName, const char* tempName, const NamedValue* table, size_t count,
                        bool skipFallbacks, bool ownerOnly = false);
