#pragma once
// Shorthands for writing the model tables: a Poly at the centre, a satellite on an orbit, a ring of
// satellites, and a colour group. Angles are whole degrees; satellites orbit the entity centre.
#include <initializer_list>

#include "enemies/models.h"
#include "world/world.h"

namespace model {

inline ColourRecord C(int r, int g, int b, int halfAlpha) { return {r, g, b, halfAlpha}; }

// A centred Poly that only turns about itself.
void Core(int m, int i, int sides, int group, float scale, int angle);
// A centred Poly with its orbit on and a zero-length base: it sits still, but its orbitAngle turns.
void Hub(int m, int i, int sides, int group, float scale, int angle);
// A satellite at `radius` from the centre in direction orbitAngle (0 up, clockwise).
void Sat(int m, int i, int sides, int group, float scale, float radius, int orbitAngle, int angle);
// `count` satellites evenly round the circle from startAngle; each turned by orbitAngle + turn.
void Ring(int m, int first, int count, int sides, int group, float scale, float radius, int startAngle, int turn);
// The same over a list of Poly indices that need not be contiguous.
void Ring(int m, std::initializer_list<int> indices, int sides, int group, float scale, float radius,
          int startAngle, int turn);
// A hidden Poly at the centre that the behaviour shows later.
void HiddenHub(int m, int i, int sides, int group, float scale, int angle);
// Colours of the first `sides` vertices of a group; short lists repeat.
void Colours(int m, int group, int sides, std::initializer_list<ColourRecord> fill,
             std::initializer_list<ColourRecord> line);
// Only the listed Polys flash when the enemy is hit.
void FlashOnly(int m, std::initializer_list<int> polys);

}  // namespace model

void DefineModel0();
void DefineModel1();
void DefineModel2();
void DefineModel3();
void DefineModel4();
void DefineModel5();
void DefineModel6();
void DefineModel7();
void DefineModel8();
void DefineModel9();
void DefineModel10();
void DefineModel11();
void DefineModel12();
void DefineModel13();
void DefineModel14();
void DefineModel15();
void DefineModel16();
void DefineModel17();
void DefineModel18();
void DefineModel19();
void DefineModel20();
void DefineModel21();
void DefineModel22();
void DefineModel23();
void DefineModel24();
