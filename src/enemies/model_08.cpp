// Level 2 mid-boss: an octagon hull round a flashing core. Behaviour 16 folds the four triangles
// 6..9 round the hidden octagon 18 and slides the group down, then folds 10..13 round 19 and 14..17
// round 20 and fans the two groups out diagonally; each group fires from its octagon.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

void DefineModel8() {
    model::Core(8, 0, 8, 0, 34, 22);                  // hull: the one part that never flashes
    model::Core(8, 1, 8, 1, 15, 0);
    model::Ring(8, 2, 4, 3, 2, 14, 36, 45, 0);       // fire along their orbit
    model::Ring(8, 6, 4, 3, 3, 18, 58, 0, 0);        // fold to 18 round Poly 18
    model::Ring(8, 10, 4, 3, 4, 16, 70, 22, 0);      // fold to 30 round Poly 19
    model::Ring(8, 14, 4, 3, 5, 16, 70, 67, 0);      // fold to 30 round Poly 20
    model::HiddenHub(8, 18, 8, 6, 9, 22);
    model::HiddenHub(8, 19, 8, 6, 9, 22);
    model::HiddenHub(8, 20, 8, 6, 9, 22);
    model::Ring(8, 21, 4, 3, 7, 20, 76, 45, 0);      // spikes
    Colours(8, 0, 8, {C(0, 60, 255, 12), C(0, 160, 255, 18)}, {C(60, 140, 255, 80), C(120, 200, 255, 90)});
    Colours(8, 1, 8, {C(255, 255, 255, 30), C(0, 255, 255, 25)}, {C(220, 255, 255, 105), C(0, 230, 255, 95)});
    Colours(8, 2, 3, {C(255, 0, 200, 30), C(140, 0, 255, 12), C(140, 0, 255, 12)},
            {C(255, 150, 255, 100), C(200, 60, 255, 80), C(200, 60, 255, 80)});
    Colours(8, 3, 3, {C(0, 255, 230, 32), C(0, 120, 140, 12), C(0, 120, 140, 12)},
            {C(200, 255, 250, 100), C(0, 230, 230, 80), C(0, 230, 230, 80)});
    Colours(8, 4, 3, {C(170, 90, 255, 32), C(70, 0, 160, 12), C(70, 0, 160, 12)},
            {C(225, 190, 255, 100), C(160, 90, 255, 80), C(160, 90, 255, 80)});
    Colours(8, 5, 3, {C(60, 150, 255, 32), C(0, 50, 160, 12), C(0, 50, 160, 12)},
            {C(190, 220, 255, 100), C(70, 150, 255, 80), C(70, 150, 255, 80)});
    Colours(8, 6, 8, {C(255, 255, 255, 35), C(150, 200, 255, 20)}, {C(255, 255, 255, 110), C(170, 220, 255, 95)});
    Colours(8, 7, 3, {C(0, 120, 255, 30), C(0, 40, 160, 10), C(0, 40, 160, 10)},
            {C(160, 210, 255, 100), C(40, 120, 255, 80), C(40, 120, 255, 80)});
    model::FlashOnly(8, {1, 18, 19, 20});
}
