#include "game/particle_colours.h"


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
    ContentTables& Content = ContentToBuild();
    Row(Content.ShardFillColours[0], Content.ShardLineColours[0], {205, 30, 30, 20}, {205, 30, 30, 40}, {255, 50, 50, 40});
    Row(Content.ShardFillColours[1], Content.ShardLineColours[1], {205, 50, 100, 20}, {205, 50, 100, 20}, {200, 50, 150, 40});
    Row(Content.ShardFillColours[2], Content.ShardLineColours[2], {100, 149, 237, 40}, {100, 149, 237, 40}, {100, 149, 237, 60});
    Row(Content.ShardFillColours[3], Content.ShardLineColours[3], {50, 100, 187, 40}, {50, 100, 187, 40}, {50, 100, 187, 60});
}

void BuildSparkColours() {
    ContentTables& Content = ContentToBuild();
    Row(Content.SparkFillColours[0], Content.SparkLineColours[0], {0, 146, 255, 30}, {0, 146, 255, 40}, {0, 146, 255, 40});
    Row(Content.SparkFillColours[1], Content.SparkLineColours[1], {0, 220, 220, 30}, {0, 220, 220, 30}, {0, 220, 220, 40});
    Row(Content.SparkFillColours[2], Content.SparkLineColours[2], {255, 255, 255, 30}, {255, 255, 255, 40}, {255, 255, 255, 40});
}
