#include "enemies/models.h"

#include <cstring>

#include "enemies/model_build.h"
#include "world/world.h"

namespace model {

namespace {

void Place(int m, int i, int sides, int group, int visible, float scale, int orbit, float radius, int orbitAngle,
           int angle) {
    ContentTables& Content = ContentToBuild();
    DefinePoly(Content.ModelPolys[m][i], sides - 3, group, sides, visible, 1, 0, 0, 0, -radius, scale, scale,
               NormaliseAngle(angle), 0, orbit, NormaliseAngle(orbitAngle), 0, 0, 0);
}

}  // namespace

void Core(int m, int i, int sides, int group, float scale, int angle) {
    Place(m, i, sides, group, 1, scale, 0, 0, 0, angle);
}

void Hub(int m, int i, int sides, int group, float scale, int angle) {
    Place(m, i, sides, group, 1, scale, 1, 0, 0, angle);
}

void HiddenHub(int m, int i, int sides, int group, float scale, int angle) {
    Place(m, i, sides, group, 0, scale, 1, 0, 0, angle);
}

void Sat(int m, int i, int sides, int group, float scale, float radius, int orbitAngle, int angle) {
    Place(m, i, sides, group, 1, scale, 1, radius, orbitAngle, angle);
}

void Ring(int m, int first, int count, int sides, int group, float scale, float radius, int startAngle, int turn) {
    for (int k = 0; k < count; ++k) {
        int a = startAngle + 360 * k / count;
        Sat(m, first + k, sides, group, scale, radius, a, a + turn);
    }
}

void Ring(int m, std::initializer_list<int> indices, int sides, int group, float scale, float radius,
          int startAngle, int turn) {
    int count = static_cast<int>(indices.size()), k = 0;
    for (int i : indices) {
        int a = startAngle + 360 * k++ / count;
        Sat(m, i, sides, group, scale, radius, a, a + turn);
    }
}

void Colours(int m, int group, int sides, std::initializer_list<ColourRecord> fill,
             std::initializer_list<ColourRecord> line) {
    ContentTables& Content = ContentToBuild();
    for (int v = 0; v < sides; ++v) {
        Content.FillColours[m][group * 10 + v] = fill.begin()[v % fill.size()];
        Content.LineColours[m][group * 10 + v] = line.begin()[v % line.size()];
    }
}

void FlashOnly(int m, std::initializer_list<int> polys) {
    ContentTables& Content = ContentToBuild();
    for (int i = 0; i < Content.ModelPolyCount[m]; ++i) Content.ModelPolys[m][i].flashOnHit = 0;
    for (int i : polys) Content.ModelPolys[m][i].flashOnHit = 1;
}

}  // namespace model

void DefineModels() {
    ContentTables& Content = ContentToBuild();
    static const int32_t counts[kModelTypes] = {7,  7,  3,  12, 3,  11, 6,  56, 25, 18, 5, 49, 4,
                                                4,  7,  7,  5,  5,  73, 67, 7,  7,  24, 62, 40};
    std::memset(Content.ModelPolys, 0, sizeof Content.ModelPolys);
    std::memset(Content.FillColours, 0, sizeof Content.FillColours);
    std::memset(Content.LineColours, 0, sizeof Content.LineColours);
    for (int m = 0; m < kModelTypes; ++m) Content.ModelPolyCount[m] = counts[m];
    DefineModel0();
    DefineModel1();
    DefineModel2();
    DefineModel3();
    DefineModel4();
    DefineModel5();
    DefineModel6();
    DefineModel7();
    DefineModel8();
    DefineModel9();
    DefineModel10();
    DefineModel11();
    DefineModel12();
    DefineModel13();
    DefineModel14();
    DefineModel15();
    DefineModel16();
    DefineModel17();
    DefineModel18();
    DefineModel19();
    DefineModel20();
    DefineModel21();
    DefineModel22();
    DefineModel23();
    DefineModel24();
}
