#include <cmath>
#include <vector>

#include "game/level_state.h"
#include "render/batches.h"
#include "render/textures.h"
#include "test_support.h"

namespace {

class BatchTest : public HeadlessTest {};

TEST_F(BatchTest, GlowLineGeometryHasRoundedCapsAndAStretchedBody) {
    AddLine(100, 50, 0xFF112233, 100, 150, 0xFF445566);
    ASSERT_EQ(LineVertexCount, 8);
    ASSERT_EQ(LineIndexCount, 18);
    // Direction (0, 1): the perpendicular is (5, 0) and the caps reach 5 beyond each end.
    const float expect[8][4] = {{95, 45, 0, 0},     {105, 45, 1, 0},     {95, 50, 0, 0.49f},  {105, 50, 1, 0.49f},
                                {95, 150, 0, 0.51f}, {105, 150, 1, 0.51f}, {95, 155, 0, 1},     {105, 155, 1, 1}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(LineBatch[i].x, expect[i][0]) << i;
        EXPECT_FLOAT_EQ(LineBatch[i].y, expect[i][1]) << i;
        EXPECT_FLOAT_EQ(LineBatch[i].u, expect[i][2]) << i;
        EXPECT_FLOAT_EQ(LineBatch[i].v, expect[i][3]) << i;
        EXPECT_EQ(LineBatch[i].z, 0.0f);
        EXPECT_EQ(LineBatch[i].colour, i < 4 ? 0xFF112233u : 0xFF445566u) << i;
    }
    const uint16_t indices[18] = {0, 1, 2, 1, 3, 2, 2, 3, 4, 4, 3, 5, 4, 5, 6, 6, 5, 7};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(LineBatchIndices[i], indices[i]);
    // The next line's indices start at its own first vertex.
    AddLineDepth(0, 0, 0, 10, 0, 0, -200);
    EXPECT_EQ(LineBatchIndices[18], 8);
    EXPECT_EQ(LineBatchIndices[35], 15);
    EXPECT_EQ(LineBatch[8].z, -200.0f);
    EXPECT_FLOAT_EQ(LineBatch[8].x, -5.0f);  // cap behind the start along the direction
    EXPECT_FLOAT_EQ(LineBatch[8].y, 5.0f);  // minus the perpendicular (0, -10) normalised, times 5
}

TEST_F(BatchTest, AZeroLengthLineCollapsesToAPoint) {
    AddLine(30, 40, 0xFFFFFFFF, 30, 40, 0xFFFFFFFF);
    ASSERT_EQ(LineVertexCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(LineBatch[i].x, 30.0f);
        EXPECT_EQ(LineBatch[i].y, 40.0f);
        EXPECT_FALSE(std::isnan(LineBatch[i].x));
    }
}

TEST_F(BatchTest, LineBatchAcceptsUpTo40008VerticesThenOverflows) {
    for (int i = 0; i < 5000; ++i) AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(LineVertexCount, 40000);
    AddLine(0, 0, 0, 1, 1, 0);  // the count is tested before the add
    EXPECT_EQ(LineVertexCount, 40008);
    EXPECT_EQ(LineVertOverflow, 0);
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(LineVertexCount, 40008);
    EXPECT_EQ(LineVertOverflow, 1);
    FlushLines(0);
    EXPECT_EQ(LineVertexCount, 0);
    EXPECT_EQ(LineVertOverflow, 1);  // the flag describes the last add, not the batch
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(LineVertOverflow, 0);
}

TEST_F(BatchTest, LineIndexLimitIsTestedToo) {
    LineIndexCount = 96001;
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(LineIndexOverflow, 1);
    EXPECT_EQ(LineVertexCount, 0);
    LineIndexCount = 96000;
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(LineIndexOverflow, 0);
    EXPECT_EQ(LineIndexCount, 96018);
}

TEST_F(BatchTest, QuadsAreTwoTrianglesInTheStatedOrder) {
    AddQuad(0, 0, 1, 10, 0, 2, 0, 10, 3, 10, 10, 4);
    ASSERT_EQ(TriangleVertexCount, 6);
    const uint32_t order[6] = {1, 2, 3, 2, 4, 3};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(TriangleBatch[i].colour, order[i]) << i;
    AddTexturedQuad(0, 0, 1, 10, 0, 2, 0, 10, 3, 10, 10, 4);
    const float uv[6][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(TexturedTriangleBatch[i].colour, order[i]) << i;
        EXPECT_EQ(TexturedTriangleBatch[i].u, uv[i][0]) << i;
        EXPECT_EQ(TexturedTriangleBatch[i].v, uv[i][1]) << i;
    }
}

TEST_F(BatchTest, TriangleBatchesAcceptOneMorePrimitiveAtTheLimit) {
    for (int i = 0; i < 1666; ++i) AddQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);  // 9999
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);  // 10002: accepted at 9999
    EXPECT_EQ(TriVertOverflow, 0);
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(TriangleVertexCount, 10002);
    EXPECT_EQ(TriVertOverflow, 1);
    TriangleVertexCount = 10000;
    AddQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(TriangleVertexCount, 10006);
    TexturedTriangleVertexCount = 10000;
    AddTexturedQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(TexturedTriangleVertexCount, 10006);
    EXPECT_EQ(TexTriVertOverflow, 0);
    AddTexturedQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(TexTriVertOverflow, 1);
}

// Each batch adds its glow twice over: the first way of drawing in two identical calls, now in one call
// that counts double. At the start of a level the lines echo toward the viewer: a third copy in place,
// then three more, each further out.
TEST_F(BatchTest, FlushesAddEachBatchTwiceAndEchoTheLinesAtALevelStart) {
    for (bool classic : {true, false}) {
        ClassicDrawing = classic;
        for (int timer : {0, 100, 128}) {
            SCOPED_TRACE(testing::Message() << (classic ? "classic" : "fewer passes") << ", level title " << timer);
            LevelTitleTimer = timer;
            auto& calls = h().gfx.calls;
            calls.clear();
            AddLine(0, 0, 0, 1, 1, 0);
            AddLine(0, 0, 0, 1, 1, 0);
            AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);
            AddTexturedQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
            FlushLines(LevelTitleTimer);
            FlushTriangles();
            FlushTexturedTriangles();
            FlushLines(LevelTitleTimer);  // an empty batch draws nothing
            bool echo = timer == 100;
            int inPlace[3] = {0, 0, 0};
            std::vector<float> echoes;
            for (const plat::DrawCall& c : calls) {
                int kind = c.kind == plat::DrawCall::Indexed ? 0 : c.kind == plat::DrawCall::ColourList ? 1 : 2;
                EXPECT_EQ(c.primitives, kind == 0 ? 12 : kind == 1 ? 1 : 2);
                EXPECT_EQ(c.texture, kind == 0 ? LineTexture : kind == 1 ? 0 : GlowDotTexture);
                if (c.world[3][2] != 0) echoes.push_back(c.world[3][2]);
                else inPlace[kind] += c.repeat;
                EXPECT_TRUE(classic ? c.repeat == 1 : c.world[3][2] != 0 || c.repeat > 1);
            }
            EXPECT_EQ(inPlace[0], echo ? 3 : 2);
            EXPECT_EQ(inPlace[1], 2);
            EXPECT_EQ(inPlace[2], 2);
            const std::vector<float> expected = echo ? std::vector<float>{14, 28, 42} : std::vector<float>{};
            EXPECT_EQ(echoes, expected);
            EXPECT_EQ(h().gfx.repeat, 1);
            EXPECT_EQ(h().gfx.bound, 0);
            EXPECT_EQ(LineVertexCount + LineIndexCount + TriangleVertexCount + TexturedTriangleVertexCount, 0);
        }
    }
    ClassicDrawing = false;
}

}  // namespace
