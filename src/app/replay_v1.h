#pragma once
// Replays of the first format: their snapshot was a fixed list of the state, and their final hash was
// made from the same list. Read only, and never changed, so every such replay still plays to its end.
#include <cstddef>
#include <cstdint>
#include <vector>

size_t V1SnapshotSize();
// Puts a first-format snapshot in place (the random generator reseeded); what it did not hold stays.
void PutV1Snapshot(const std::vector<unsigned char>& in);
uint64_t HashGameStateV1();
