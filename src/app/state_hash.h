#pragma once
// One number for the whole game state, so two runs can be compared.
#include <cstddef>
#include <cstdint>
#include <functional>

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

// Every piece of game state, in a fixed order (the random generator's state aside): the hash, and a
// replay's starting snapshot, are made from this one list.
using StateVisitor = std::function<void(void* data, size_t size)>;
void WalkGameState(const StateVisitor& visit);

uint64_t HashGameState();

// The first part of the state (by name) that holds what no game ever reaches, or nullptr: a replay whose
// snapshot holds such a value is refused rather than played into tables it would read past.
const char* ImpossibleGameState();
