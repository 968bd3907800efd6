#include "shell/name_value_file.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/data_dir.h"
#include "shell/error_log.h"

namespace {

bool Matches(const char* word, const char* text, size_t length) {
    return std::strlen(word) == length && std::strncmp(word, text, length) == 0;
}

// Trims spaces at both ends of [begin, end).
void Trim(const char*& begin, const char*& end) {
    while (begin < end && std::isspace(static_cast<unsigned char>(*begin))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
}

void Apply(const NamedValue* table, size_t count, const char* name, size_t nameLength, const char* value,
           size_t valueLength) {
    for (const NamedValue* o = table; o < table + count; ++o) {
        if (!Matches(o->name, name, nameLength)) continue;
        if (o->text) {
            bool printable = valueLength < o->textSize;
            for (size_t i = 0; i < valueLength && printable; ++i) printable = std::isprint(static_cast<unsigned char>(value[i]));
            if (printable) {
                std::memcpy(o->text, value, valueLength);
                o->text[valueLength] = 0;
            }
            return;
        }
        if (o->words) {
            for (int32_t v = o->low; v <= o->high; ++v)
                if (Matches(o->words[v - o->low], value, valueLength)) *o->value = v;
            return;
        }
        char digits[16];
        if (valueLength == 0 || valueLength >= sizeof digits) return;
        std::memcpy(digits, value, valueLength);
        digits[valueLength] = 0;
        char* end = nullptr;
        long v = std::strtol(digits, &end, 10);
        if (*end == 0 && v >= o->low && v <= o->high) *o->value = static_cast<int32_t>(v);
        return;
    }
}

}  // namespace

void ResetNamedValues(const NamedValue* table, size_t count) {
    for (const NamedValue* o = table; o < table + count; ++o) {
        if (o->text) o->text[0] = 0;
        else *o->value = o->fallback;
    }
}

void LoadNamedValuesFromText(const NamedValue* table, size_t count, const char* text, size_t length) {
    ResetNamedValues(table, count);
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
        if (!lineEnd) lineEnd = end;
        const char* eq = static_cast<const char*>(std::memchr(line, '=', static_cast<size_t>(lineEnd - line)));
        if (eq) {
            const char *nameBegin = line, *nameEnd = eq, *valueBegin = eq + 1, *valueEnd = lineEnd;
            Trim(nameBegin, nameEnd);
            Trim(valueBegin, valueEnd);
            Apply(table, count, nameBegin, static_cast<size_t>(nameEnd - nameBegin), valueBegin,
                  static_cast<size_t>(valueEnd - valueBegin));
        }
        line = lineEnd + 1;
    }
}

int FormatNamedValues(const NamedValue* table, size_t count, bool skipFallbacks, char* out, size_t size) {
    int n = 0;
    if (size > 0) out[0] = 0;
    for (const NamedValue* o = table; o < table + count; ++o) {
        if (o->text) {
            if (!o->text[0]) continue;
            const size_t room = size - static_cast<size_t>(n);
            const int w = std::snprintf(out + n, room, "%s = %s\n", o->name, o->text);
            if (w < 0 || static_cast<size_t>(n + w) >= size) return -1;
            n += w;
            continue;
        }
        // A value outside its range is written as the default rather than read past the words.
        const int32_t v = *o->value >= o->low && *o->value <= o->high ? *o->value : o->fallback;
        if (skipFallbacks && v == o->fallback) continue;
        const size_t room = size - static_cast<size_t>(n);
        int w = o->words ? std::snprintf(out + n, room, "%s = %s\n", o->name, o->words[v - o->low])
                         : std::snprintf(out + n, room, "%s = %d\n", o->name, static_cast<int>(v));
        if (w < 0 || static_cast<size_t>(n + w) >= size) return -1;  // never a file cut short
        n += w;
    }
    return n;
}

void LoadNamedValueFile(const char* fileName, const NamedValue* table, size_t count) {
    char text[4096];
    size_t length = 0;
    if (std::FILE* f = std::fopen(DataPath(fileName), "rb")) {
        length = std::fread(text, 1, sizeof text, f);
        std::fclose(f);
    }
    LoadNamedValuesFromText(table, count, text, length);
}

void SaveNamedValueFile(const char* fileName, const char* tempName, const NamedValue* table, size_t count,
                        bool skipFallbacks, bool ownerOnly) {
    char text[1024];
    int length = FormatNamedValues(table, count, skipFallbacks, text, sizeof text);
    if (length < 0) {
        LogError("could not save %s: too long\n", fileName);
        return;
    }
    WriteDataFileAtomically(fileName, tempName, text, static_cast<size_t>(length), ownerOnly);
}
