// Level 3 craft: the formation pair (12, 13), the stream craft (14, 15, also on level 4) and the ring
// craft (16, 17).
#include "enemies/model_build.h"

using model::C;
using model::Colours;

// Three blades at 30, 150 and 270 degrees: where the tri-shot leaves.
void DefineModel12() {
    model::Core(12, 0, 6, 0, 14, 0);
    model::Ring(12, 1, 3, 3, 1, 14, 21, 30, 0);
    Colours(12, 0, 6, {C(255, 120, 0, 28), C(180, 40, 0, 12)}, {C(255, 210, 120, 100), C(255, 130, 40, 85)});
    Colours(12, 1, 3, {C(255, 40, 40, 35), C(150, 0, 0, 12), C(150, 0, 0, 12)},
            {C(255, 190, 160, 105), C(255, 60, 50, 85), C(255, 60, 50, 85)});
}

// The same formation role as 12, drawn as a trefoil of plates turned inward.
void DefineModel13() {
    model::Core(13, 0, 6, 0, 11, 30);
    model::Ring(13, 1, 3, 3, 1, 19, 17, 30, 180);
    Colours(13, 0, 6, {C(255, 255, 255, 32), C(120, 160, 255, 15)}, {C(240, 245, 255, 105), C(150, 180, 255, 90)});
    Colours(13, 1, 3, {C(160, 60, 255, 12), C(120, 0, 255, 30), C(120, 0, 255, 30)},
            {C(190, 120, 255, 80), C(220, 170, 255, 100), C(220, 170, 255, 100)});
}

// A sawblade: six teeth turned 30 degrees off the radius.
void DefineModel14() {
    model::Core(14, 0, 6, 0, 11, 0);
    model::Ring(14, 1, 6, 3, 1, 9, 16, 0, 30);
    Colours(14, 0, 6, {C(0, 255, 140, 28), C(0, 120, 90, 10)}, {C(170, 255, 210, 100), C(0, 230, 140, 85)});
    Colours(14, 1, 3, {C(180, 255, 0, 32), C(60, 150, 0, 10), C(60, 150, 0, 10)},
            {C(230, 255, 160, 100), C(150, 255, 40, 80), C(150, 255, 40, 80)});
}

// A flower: six wide petals pointing in over a small hexagon.
void DefineModel15() {
    model::Core(15, 0, 6, 0, 8, 30);
    model::Ring(15, 1, 6, 3, 1, 13, 15, 30, 180);
    Colours(15, 0, 6, {C(255, 255, 255, 40), C(255, 160, 220, 20)}, {C(255, 255, 255, 110), C(255, 190, 230, 95)});
    Colours(15, 1, 3, {C(255, 0, 140, 10), C(255, 60, 200, 28), C(255, 60, 200, 28)},
            {C(255, 60, 170, 75), C(255, 170, 230, 100), C(255, 170, 230, 100)});
}

// A flat square with four darts on the axes, which fire along their orbit.
void DefineModel16() {
    model::Core(16, 0, 4, 0, 16, 45);
    model::Ring(16, 1, 4, 3, 1, 12, 20, 0, 0);
    Colours(16, 0, 4, {C(0, 200, 255, 28), C(0, 80, 200, 12)}, {C(180, 240, 255, 100), C(60, 180, 255, 85)});
    Colours(16, 1, 3, {C(255, 255, 255, 35), C(120, 220, 255, 12), C(120, 220, 255, 12)},
            {C(255, 255, 255, 105), C(140, 230, 255, 85), C(140, 230, 255, 85)});
}

// A small shuriken for the swarm: a diamond with four barbs turned inward on the diagonals.
void DefineModel17() {
    model::Core(17, 0, 4, 0, 9, 0);
    model::Ring(17, 1, 4, 3, 1, 9, 12, 45, 180);
    Colours(17, 0, 4, {C(255, 230, 0, 35), C(255, 130, 0, 15)}, {C(255, 250, 170, 105), C(255, 190, 40, 90)});
    Colours(17, 1, 3, {C(255, 90, 0, 12), C(255, 160, 0, 30), C(255, 160, 0, 30)},
            {C(255, 120, 30, 80), C(255, 220, 120, 100), C(255, 220, 120, 100)});
}
