#include "shell/trig.h"

#include <cmath>


int NormaliseAngle(int angle) {
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

void BuildTrigTables() {
    ContentTables& Content = ContentToBuild();
    // pi taken as 3.14159, so sin 90 is a hair below 1: the game's motion was tuned on these values.
    const long double degree = 3.14159L / 180.0L;
    for (int d = 0; d < 360; ++d) {
        Content.CosTable[d] = static_cast<float>(std::cos(d * degree));
        Content.SinTable[d] = static_cast<float>(std::sin(d * degree));
    }
}
