#pragma once
// Energy and weapon pickups: dropped by enemies, drifting, homing in and collected.
#include <cstdint>

constexpr int32_t EnergyPickup = 0, WeaponPickup = 1;
constexpr int kPickupPool = 100;

struct Pickup {
    int32_t active;
    int32_t kind;        // EnergyPickup or WeaponPickup
    int32_t brightness;  // pulse, from the phase
    int32_t phase;       // degrees
    int32_t homing;      // pulled toward the ship; once set, for good
    float speed;         // homing speed
    float size;          // contact radius
    float x, y;
    float vx, vy;
};

extern Pickup Pickups[kPickupPool];
extern int32_t PickupCursor;      // slot of the last search
extern int32_t PickupWobble[4];   // angles of the energy halos' wobble, shared by every pickup

// Kinds other than energy and weapon make nothing. The new slot, or -1.
int SpawnPickup(float x, float y, int kind);
void ClearPickups();
// Moves and draws the pickups, then the glow particles.
// The pickups move (while playing), their halos wobble and the glows move on.
void UpdatePickups();
void AdvancePickupWobble();
void DrawPickups();
void CollectPickups();

int CountPickups();
void ResetPickups();
