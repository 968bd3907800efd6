// Level 1 end boss: a pentagon core inside a turning lattice, and five hexagon pods that swing out,
// stop, pump and circle. Behaviour 11 reads Poly 4's and Poly 31's base heights and the pods 41..45.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

void DefineModel7() {
    model::Core(7, 0, 5, 0, 44, 180);
    model::Ring(7, 1, 10, 4, 1, 15, 50, 0, 45);    // inner squares; Poly 4 gives a launch height
    model::Ring(7, 11, 10, 3, 2, 18, 70, 18, 0);   // triangles pointing out between them
    model::Ring(7, 21, 20, 4, 3, 12, 92, 0, 0);     // outer squares; Poly 31 gives a launch height
    model::Ring(7, 41, 5, 6, 4, 12, 114, 0, 30);   // the pods
    // Polys 46..55 stay empty.
    Colours(7, 0, 5, {C(255, 60, 0, 25), C(255, 200, 0, 35), C(255, 60, 0, 22), C(255, 60, 0, 22), C(255, 200, 0, 35)},
            {C(255, 255, 160, 110), C(255, 220, 60, 100)});
    Colours(7, 1, 4, {C(255, 110, 0, 22), C(160, 30, 0, 10)}, {C(255, 170, 50, 85), C(255, 110, 20, 75)});
    Colours(7, 2, 3, {C(255, 220, 0, 30), C(255, 110, 0, 10), C(255, 110, 0, 10)},
            {C(255, 255, 170, 95), C(255, 180, 0, 70), C(255, 180, 0, 70)});
    Colours(7, 3, 4, {C(220, 0, 0, 15), C(255, 80, 0, 20)}, {C(255, 70, 40, 80), C(255, 130, 70, 85)});
    Colours(7, 4, 6, {C(255, 255, 255, 30), C(0, 170, 255, 15), C(0, 170, 255, 15)},
            {C(190, 245, 255, 105), C(0, 190, 255, 90), C(0, 190, 255, 90)});
    model::FlashOnly(7, {0});
}
