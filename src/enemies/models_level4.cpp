// Level 4 craft: models 20 and 21 (their hexagon's orbit angle aims their arcs, so it orbits on a
// zero-length base) and the heavy craft 22.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

// Two triangles of triangles: three near ones pointing in, three far ones pointing out.
void DefineModel20() {
    model::Hub(20, 0, 6, 0, 10, 0);
    model::Ring(20, 1, 3, 3, 1, 12, 13, 0, 180);
    model::Ring(20, 4, 3, 3, 2, 11, 23, 60, 0);
    Colours(20, 0, 6, {C(255, 255, 255, 30), C(60, 140, 255, 15)}, {C(240, 250, 255, 105), C(120, 180, 255, 90)});
    Colours(20, 1, 3, {C(0, 90, 255, 12), C(0, 170, 255, 30), C(0, 170, 255, 30)},
            {C(60, 140, 255, 80), C(170, 220, 255, 100), C(170, 220, 255, 100)});
    Colours(20, 2, 3, {C(120, 255, 255, 32), C(0, 110, 160, 10), C(0, 110, 160, 10)},
            {C(220, 255, 255, 105), C(0, 220, 255, 80), C(0, 220, 255, 80)});
}

// A triskelion: three pairs of blades turned across the radius.
void DefineModel21() {
    model::Hub(21, 0, 6, 0, 10, 30);
    model::Ring(21, 1, 3, 3, 1, 11, 14, 0, 90);
    model::Ring(21, 4, 3, 3, 2, 9, 25, 30, 90);
    Colours(21, 0, 6, {C(255, 200, 0, 30), C(160, 80, 0, 12)}, {C(255, 240, 160, 105), C(255, 180, 50, 90)});
    Colours(21, 1, 3, {C(255, 120, 0, 32), C(120, 40, 0, 10), C(255, 120, 0, 20)},
            {C(255, 220, 140, 100), C(255, 120, 30, 80), C(255, 170, 80, 90)});
    Colours(21, 2, 3, {C(255, 60, 0, 30), C(100, 20, 0, 10), C(255, 60, 0, 18)},
            {C(255, 180, 120, 100), C(255, 80, 20, 80), C(255, 130, 60, 90)});
}

// Three rings of eight that breathe against each other: 0..7 out, 8..15 pointing in, 16..23 at the
// heart. Poly 0's orbit angle aims the rings it fires.
void DefineModel22() {
    model::Ring(22, 0, 8, 3, 0, 12, 21, 0, 0);
    model::Ring(22, 8, 8, 3, 1, 10, 30, 22, 180);
    model::Ring(22, 16, 8, 3, 2, 10, 12, 22, 0);
    Colours(22, 0, 3, {C(255, 140, 0, 30), C(140, 50, 0, 10), C(140, 50, 0, 10)},
            {C(255, 220, 140, 100), C(255, 150, 40, 80), C(255, 150, 40, 80)});
    Colours(22, 1, 3, {C(0, 40, 140, 10), C(0, 120, 255, 28), C(0, 120, 255, 28)},
            {C(50, 140, 255, 80), C(150, 200, 255, 95), C(150, 200, 255, 95)});
    Colours(22, 2, 3, {C(255, 255, 200, 30), C(200, 150, 0, 10), C(200, 150, 0, 10)},
            {C(255, 255, 220, 100), C(255, 210, 100, 85), C(255, 210, 100, 85)});
}
