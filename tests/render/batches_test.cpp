#include <cmath>
#include <vector>

#include "game/level_state.h"
#include "render/batches.h"
#include "render/textures.h"
#include "test_support.h"

namespace {

class BatchTest : public HeadlessTest {};

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

}  // namespace
