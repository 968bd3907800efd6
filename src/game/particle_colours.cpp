#include "game/particle_colours.h"

ColourRecord ShardFillColours[kShardColourKinds][4];
ColourRecord ShardLineColours[kShardColourKinds][4];
ColourRecord SparkFillColours[kSparkColourKinds][4];
ColourRecord SparkLineColours[kSparkColourKinds][4];

namespace {

// Three vertices in one colour and the fourth in another: the square shows a faint gradient.
void Row(ColourRecord* fill, ColourRecord* line, ColourRecord f, ColourRecord lastFill, ColourRecord l) {
    for (int v = 0; v < 4; ++v) {
        const ColourRecord& c = v == 3 ? lastFill : f;
        DefineColour(fill[v], c.r, c.g, c.b, c.halfAlpha);
        DefineColour(line[v], l.r, l.g, l.b, l.halfAlpha);
    }
}

}  // namespace

void BuildShardColours() {
    Row(ShardFillColours[0], ShardLineColours[0], {205, 30, 30, 20}, {205, 30, 30, 40}, {255, 50, 50, 40});
    Row(ShardFillColours[1], ShardLineColours[1], {205, 50, 100, 20}, {205, 50, 100, 20}, {200, 50, 150, 40});
    Row(ShardFillColours[2], ShardLineColours[2], {100, 149, 237, 40}, {100, 149, 237, 40}, {100, 149, 237, 60});
    Row(ShardFillColours[3], ShardLineColours[3], {50, 100, 187, 40}, {50, 100, 187, 40}, {50, 100, 187, 60});
}

void BuildSparkColours() {
    Row(SparkFillColours[0], SparkLineColours[0], {0, 146, 255, 30}, {0, 146, 255, 40}, {0, 146, 255, 40});
    Row(SparkFillColours[1], SparkLineColours[1], {0, 220, 220, 30}, {0, 220, 220, 30}, {0, 220, 220, 40});
    Row(SparkFillColours[2], SparkLineColours[2], {255, 255, 255, 30}, {255, 255, 255, 40}, {255, 255, 255, 40});
}
