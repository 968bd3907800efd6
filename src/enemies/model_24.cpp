// Level 4 end boss: five decagons and 35 squares in four groups that turn on their own: the heart
// (0..5), the outer rim (6..27), an inner ring with two eyes that swell (28..34) and a ring of five
// (35..39). Poly 0 orbits on a zero-length base: its orbit angle aims every pattern.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

void DefineModel24() {
    model::Hub(24, 0, 10, 0, 22, 0);
    model::Core(24, 1, 10, 1, 11, 18);
    model::Core(24, 2, 10, 2, 34, 18);
    model::Ring(24, 3, 3, 4, 3, 10, 55, 0, 45);
    model::Ring(24, 6, 22, 4, 4, 14, 132, 0, 0);
    model::Ring(24, 28, 5, 4, 5, 16, 72, 0, 45);
    model::Sat(24, 33, 10, 6, 16, 100, 90, 0);
    model::Sat(24, 34, 10, 6, 16, 100, 270, 0);
    model::Ring(24, 35, 5, 4, 7, 12, 106, 36, 0);
    Colours(24, 0, 10, {C(255, 40, 0, 20), C(255, 200, 0, 30)}, {C(255, 255, 160, 110), C(255, 200, 80, 100)});
    Colours(24, 1, 10, {C(255, 255, 255, 40)}, {C(255, 255, 255, 110)});
    Colours(24, 2, 10, {C(255, 120, 0, 6), C(120, 0, 255, 6)}, {C(255, 160, 60, 60), C(190, 100, 255, 60)});
    Colours(24, 3, 4, {C(255, 255, 255, 30), C(255, 160, 0, 12)}, {C(255, 255, 220, 105), C(255, 190, 90, 85)});
    Colours(24, 4, 4, {C(0, 200, 255, 20), C(0, 60, 160, 8)}, {C(160, 235, 255, 95), C(40, 160, 255, 80)});
    Colours(24, 5, 4, {C(255, 0, 80, 26), C(120, 0, 60, 10)}, {C(255, 150, 180, 100), C(255, 60, 120, 85)});
    Colours(24, 6, 10, {C(0, 255, 200, 30), C(255, 255, 255, 40)}, {C(200, 255, 240, 110), C(0, 255, 200, 100)});
    Colours(24, 7, 4, {C(200, 120, 255, 24), C(80, 0, 160, 10)}, {C(230, 190, 255, 100), C(170, 100, 255, 85)});
    model::FlashOnly(24, {0});
}
