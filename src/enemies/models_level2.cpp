// Level 2 craft: models 1, 3, 9 and 10.
#include "enemies/model_build.h"
#include "world/world.h"

using model::C;
using model::Colours;

// A whirling triangle with three near and three far diamonds; the far ones (4..6) fire.
void DefineModel1() {
    model::Core(1, 0, 3, 0, 17, 180);
    model::Ring(1, 1, 3, 4, 1, 6, 11, 0, 0);
    model::Ring(1, 4, 3, 4, 2, 9, 23, 60, 0);
    Colours(1, 0, 3, {C(0, 170, 255, 30), C(0, 60, 200, 12), C(0, 60, 200, 12)},
            {C(170, 230, 255, 100), C(60, 160, 255, 85), C(60, 160, 255, 85)});
    Colours(1, 1, 4, {C(255, 255, 255, 25), C(120, 200, 255, 12)}, {C(255, 255, 255, 90), C(150, 210, 255, 80)});
    Colours(1, 2, 4, {C(255, 130, 30, 32), C(255, 60, 0, 12)}, {C(255, 220, 150, 100), C(255, 120, 40, 85)});
}

// A hexagon with a turning inner hexagon (Poly 1, which aims the fan), four hexagon pods and six
// squares between them.
void DefineModel3() {
    model::Core(3, 0, 6, 0, 13, 0);
    model::Core(3, 1, 6, 1, 6, 30);
    model::Ring(3, 2, 4, 6, 2, 6, 27, 0, 30);
    model::Ring(3, 6, 6, 4, 3, 6, 17, 30, 45);
    Colours(3, 0, 6, {C(170, 50, 255, 22), C(90, 0, 200, 10)}, {C(210, 140, 255, 90), C(160, 80, 255, 80)});
    Colours(3, 1, 6, {C(255, 255, 255, 35), C(255, 150, 255, 20)}, {C(255, 255, 255, 105), C(255, 170, 255, 95)});
    Colours(3, 2, 6, {C(255, 70, 180, 28), C(160, 0, 120, 10)}, {C(255, 170, 220, 100), C(255, 80, 180, 85)});
    Colours(3, 3, 4, {C(120, 200, 255, 25), C(40, 80, 255, 10)}, {C(200, 235, 255, 95), C(100, 160, 255, 80)});
}

// A crystal: six breathing outer triangles (Poly 0 among them aims the fans), six pointing in to
// make a flower, and six small ones between.
void DefineModel9() {
    model::Ring(9, 0, 6, 3, 0, 10, 30, 0, 0);
    model::Ring(9, 6, 6, 3, 1, 12, 8, 0, 180);
    model::Ring(9, 12, 6, 3, 2, 7, 20, 30, 0);
    Colours(9, 0, 3, {C(140, 255, 100, 35), C(0, 150, 40, 12), C(0, 150, 40, 12)},
            {C(220, 255, 190, 105), C(90, 255, 90, 85), C(90, 255, 90, 85)});
    Colours(9, 1, 3, {C(0, 210, 160, 15), C(0, 255, 200, 30), C(0, 255, 200, 30)},
            {C(60, 255, 200, 80), C(170, 255, 230, 95), C(170, 255, 230, 95)});
    Colours(9, 2, 3, {C(255, 255, 110, 30), C(160, 160, 0, 10), C(160, 160, 0, 10)},
            {C(255, 255, 190, 95), C(230, 230, 60, 75), C(230, 230, 60, 75)});
}

// A diamond with a cross of four squares; 2, 3 and 4 fire backwards along Poly 0's angle.
void DefineModel10() {
    model::Core(10, 0, 4, 0, 16, 0);
    model::Ring(10, 1, 4, 4, 1, 8, 21, 0, 45);
    Colours(10, 0, 4, {C(255, 160, 0, 30), C(255, 80, 0, 14), C(255, 200, 40, 35), C(255, 80, 0, 14)},
            {C(255, 230, 140, 105), C(255, 150, 30, 85)});
    Colours(10, 1, 4, {C(0, 140, 255, 30), C(0, 60, 180, 12)}, {C(150, 210, 255, 100), C(40, 140, 255, 85)});
}
