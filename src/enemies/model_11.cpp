// Level 2 end boss: a decagon core in a lattice of triangles and squares, two octagon arms (11, 12)
// that reach out, swing and fire rings, and two octagon pods (47, 48) that pump and later circle.
#include "enemies/model_build.h"

using model::C;
using model::Colours;

void DefineModel11() {
    model::Core(11, 0, 10, 0, 30, 0);
    model::Ring(11, 1, 10, 3, 1, 16, 60, 18, 0);
    model::Sat(11, 11, 8, 4, 20, 64, 270, 22);   // left arm
    model::Sat(11, 12, 8, 4, 20, 64, 90, 22);    // right arm
    model::Ring(11, 13, 18, 4, 2, 12, 84, 0, 45);
    model::Ring(11, 31, 16, 4, 3, 12, 106, 0, 0);
    model::Sat(11, 47, 8, 5, 14, 106, 225, 22);
    model::Sat(11, 48, 8, 5, 14, 106, 135, 22);
    Colours(11, 0, 10, {C(60, 0, 255, 14), C(0, 180, 255, 24)}, {C(140, 200, 255, 95), C(200, 160, 255, 95)});
    Colours(11, 1, 3, {C(0, 255, 255, 30), C(0, 90, 200, 10), C(0, 90, 200, 10)},
            {C(200, 255, 255, 100), C(0, 200, 255, 80), C(0, 200, 255, 80)});
    Colours(11, 2, 4, {C(150, 0, 255, 18), C(70, 0, 160, 8)}, {C(190, 120, 255, 85), C(140, 60, 255, 75)});
    Colours(11, 3, 4, {C(0, 90, 255, 16), C(0, 160, 255, 10)}, {C(80, 150, 255, 80), C(120, 200, 255, 85)});
    Colours(11, 4, 8, {C(60, 255, 180, 30), C(0, 150, 120, 12)}, {C(190, 255, 230, 105), C(40, 255, 190, 90)});
    Colours(11, 5, 8, {C(255, 60, 200, 30), C(160, 0, 140, 12)}, {C(255, 180, 240, 105), C(255, 80, 210, 90)});
    model::FlashOnly(11, {0, 48});
}
