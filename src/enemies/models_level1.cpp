// Level 1: the mid-boss (0), the small craft (2, 4) and the craft of models 5 and 6.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

void DefineModel0() {
    Poly* p = ContentToBuild().ModelPolys[0];
    DefinePoly(p[0], 3, 0, 6, 1, 1, 0, 0, 0, 0, 20, 20, 30, 0, 0, 0, 0, 0, 0);
    for (int i = 1; i <= 6; ++i) {
        int a = (i - 1) * 60;
        DefinePoly(p[i], 0, 1, 3, 1, 1, 0, 0, 0, -28, 20, 20, a, 0, 1, a, 0, 0, 0);
    }
    Colours(0, 0, 6, {C(255, 0, 0, 20), C(255, 0, 0, 20), C(255, 0, 0, 20), C(255, 255, 0, 40), C(255, 255, 0, 40),
                      C(255, 0, 0, 20)},
            {C(255, 255, 0, 80), C(255, 255, 0, 80), C(255, 255, 255, 80), C(255, 255, 230, 80), C(255, 255, 0, 80),
             C(255, 255, 0, 80)});
    Colours(0, 1, 3, {C(255, 102, 0, 40), C(255, 102, 0, 30), C(255, 102, 0, 30)}, {C(255, 102, 0, 100)});
}

void DefineModel2() {
    Poly* p = ContentToBuild().ModelPolys[2];
    DefinePoly(p[0], 2, 0, 5, 1, 1, 0, 0, 0, 0, 12, 12, 180, 0, 0, 0, 0, 0, 0);
    DefinePoly(p[1], 1, 1, 4, 1, 1, 0, 0, 0, -17, 8, 8, 27, 0, 1, 72, 0, 0, 0);
    DefinePoly(p[2], 1, 1, 4, 1, 1, 0, 0, 0, -17, 8, 8, -27, 0, 1, -72, 0, 0, 0);
    Colours(2, 0, 5, {C(95, 158, 160, 50)}, {C(95, 158, 160, 110)});
    Colours(2, 1, 4, {C(143, 188, 143, 40)}, {C(143, 188, 143, 80)});
}

// A dart: the nose points down the screen, where its spread is aimed, and two wings ride behind.
void DefineModel4() {
    model::Core(4, 0, 3, 0, 15, 180);
    model::Sat(4, 1, 3, 1, 9, 13, 55, 180);
    model::Sat(4, 2, 3, 1, 9, 13, 305, 180);
    Colours(4, 0, 3, {C(90, 255, 60, 35), C(20, 150, 20, 12), C(20, 150, 20, 12)},
            {C(200, 255, 150, 105), C(60, 255, 60, 80), C(60, 255, 60, 80)});
    Colours(4, 1, 3, {C(255, 230, 40, 30), C(180, 140, 0, 12), C(180, 140, 0, 12)},
            {C(255, 245, 150, 95), C(255, 200, 0, 70), C(255, 200, 0, 70)});
}

// A sun wheel: ten rays round a decagon, six of which fire along their orbit.
void DefineModel5() {
    model::Core(5, 0, 10, 0, 8, 0);
    model::Ring(5, 1, 10, 3, 1, 7, 19, 0, 0);
    Colours(5, 0, 10, {C(255, 190, 0, 25), C(255, 110, 0, 12)}, {C(255, 235, 130, 90), C(255, 170, 40, 75)});
    Colours(5, 1, 3, {C(255, 80, 0, 35), C(255, 170, 0, 15), C(255, 170, 0, 15)},
            {C(255, 255, 190, 100), C(255, 120, 0, 80), C(255, 120, 0, 80)});
}

// Three darts (Polys 0..2, which bob on their orbit and fire) round a hexagram.
void DefineModel6() {
    model::Ring(6, 0, 3, 3, 0, 11, 27, 0, 0);
    model::Core(6, 3, 3, 1, 21, 0);
    model::Core(6, 4, 3, 1, 21, 180);
    model::Core(6, 5, 3, 2, 8, 180);
    Colours(6, 0, 3, {C(0, 255, 255, 35), C(0, 110, 255, 12), C(0, 110, 255, 12)},
            {C(210, 255, 255, 100), C(0, 200, 255, 80), C(0, 200, 255, 80)});
    Colours(6, 1, 3, {C(255, 0, 200, 20), C(150, 0, 255, 12), C(255, 0, 120, 12)},
            {C(255, 130, 255, 90), C(190, 90, 255, 80), C(255, 80, 200, 80)});
    Colours(6, 2, 3, {C(255, 255, 255, 35)}, {C(255, 255, 255, 100)});
}
