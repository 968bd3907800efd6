// Level 4 mid-boss: a square core (the one part that flashes) in rings that all turn together; the
// eight squares 37..44 and the sixteen triangles 45..61 breathe against each other, and 37, 39, 41
// and 43 launch the great volley.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

void DefineModel23() {
    model::Core(23, 0, 4, 0, 40, 0);
    model::Ring(23, 1, 4, 4, 1, 22, 34, 45, 0);
    model::Ring(23, 5, 12, 3, 2, 14, 50, 15, 0);
    model::Ring(23, 17, 12, 4, 3, 11, 84, 15, 45);
    model::Ring(23, 29, 8, 3, 4, 16, 118, 22, 0);
    model::Ring(23, 37, 8, 4, 5, 16, 66, 0, 45);
    model::Ring(23, {45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 61}, 3, 6, 12, 100, 11, 0);
    // Poly 60 stays empty.
    Colours(23, 0, 4, {C(255, 255, 255, 25), C(80, 120, 255, 18)}, {C(255, 255, 255, 110), C(150, 180, 255, 100)});
    Colours(23, 1, 4, {C(60, 80, 255, 18), C(20, 20, 160, 8)}, {C(130, 150, 255, 85), C(90, 110, 255, 75)});
    Colours(23, 2, 3, {C(0, 220, 255, 28), C(0, 80, 160, 10), C(0, 80, 160, 10)},
            {C(180, 245, 255, 100), C(0, 200, 255, 80), C(0, 200, 255, 80)});
    Colours(23, 3, 4, {C(140, 0, 255, 14), C(60, 0, 140, 8)}, {C(190, 120, 255, 80), C(140, 70, 255, 70)});
    Colours(23, 4, 3, {C(255, 255, 255, 28), C(100, 100, 200, 10), C(100, 100, 200, 10)},
            {C(240, 240, 255, 100), C(160, 160, 255, 80), C(160, 160, 255, 80)});
    Colours(23, 5, 4, {C(255, 0, 120, 28), C(120, 0, 80, 10)}, {C(255, 160, 210, 105), C(255, 70, 160, 90)});
    Colours(23, 6, 3, {C(80, 160, 255, 26), C(20, 40, 140, 10), C(20, 40, 140, 10)},
            {C(190, 220, 255, 95), C(90, 150, 255, 75), C(90, 150, 255, 75)});
    model::FlashOnly(23, {0});
}
