#pragma once
// The playfield drawn from the world, which drawing only reads: into the frame's batches.
#include <cstdint>

#include "enemies/polygons.h"
#include "world/world.h"

void DrawEnemyBullets(const World& w);
void DrawShards(const World& w);
void DrawSparks(const World& w);
void DrawGlows(const World& w);
void DrawPickups(const World& w);
void DrawPlayerShots(const World& w);
// The ship blinks through its grace period; its flames by a rhythm of their own.
void DrawShip(const World& w);
void DrawThrusters(const World& w);
void DrawEnemy(const World& w, int32_t slot);

// One Poly from its corners (PolyVertices), at the entity's place; flashing white while hit.
void DrawPoly(const Poly& poly, float entityX, float entityY, int32_t hitFlash, const PolyCorners& corners);
// An entity's visible Polys, with the given colour tables (kColourRecords each).
void DrawEntity(const Enemy& entity, const ColourRecord* fill, const ColourRecord* line);
