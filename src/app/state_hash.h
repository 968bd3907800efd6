#pragma once
// One number for the whole game state, so two runs can be compared.
#include <cstddef>
#include <cstdint>

class StateHasher {
public:
    void Add(const void* data, size_t size);
    template <typename T>
    void Add(const T& value) {
        Add(&value, sizeof value);
    }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 1469598103934665603ull;  // FNV-1a
};

uint64_t HashGameState();
