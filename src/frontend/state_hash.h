#pragma once
// One number for the whole game state, so two runs can be compared.
#include <cstddef>
#include <cstdint>
#include <vector>

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

// The world's numbers, in the order it defines them, and the random generator's state: the hash, and a
// replay's snapshot (as bytes, the same in every build), follow the world's one definition.
uint64_t HashGameState();
size_t SnapshotBytes();
void TakeSnapshot(std::vector<unsigned char>& out);
void PutSnapshot(const std::vector<unsigned char>& in);  // exactly SnapshotBytes(); the host's own stay

// The first part of the state (by name) that holds what no game ever reaches, or nullptr: a replay whose
// snapshot holds such a value is refused rather than played into tables it would read past.
const char* ImpossibleGameState();
