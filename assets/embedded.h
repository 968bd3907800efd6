#pragma once
// Files made by the generators in assets/ and compiled into the program.
#include <cstddef>

struct EmbeddedFile {
    const unsigned char* data;
    std::size_t size;
};

#define QUIVEX_DECLARE_ASSET(sym)            \
    extern const unsigned char sym[];        \
    extern const std::size_t sym##Size;      \
    inline EmbeddedFile sym##File() { return {sym, sym##Size}; }
