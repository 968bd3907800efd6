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
    ASSERT_EQ(Batches.LineVertexCount, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Batches.LineBatch[i].x, 30.0f);
        EXPECT_EQ(Batches.LineBatch[i].y, 40.0f);
        EXPECT_FALSE(std::isnan(Batches.LineBatch[i].x));
    }
}

TEST_F(BatchTest, LineBatchAcceptsUpTo40008VerticesThenOverflows) {
    for (int i = 0; i < 5000; ++i) AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(Batches.LineVertexCount, 40000);
    AddLine(0, 0, 0, 1, 1, 0);  // the count is tested before the add
    EXPECT_EQ(Batches.LineVertexCount, 40008);
    EXPECT_EQ(Batches.LineVertOverflow, 0);
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(Batches.LineVertexCount, 40008);
    EXPECT_EQ(Batches.LineVertOverflow, 1);
    FlushLines(0);
    EXPECT_EQ(Batches.LineVertexCount, 0);
    EXPECT_EQ(Batches.LineVertOverflow, 1);  // the flag describes the last add, not the batch
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(Batches.LineVertOverflow, 0);
}

TEST_F(BatchTest, LineIndexLimitIsTestedToo) {
    Batches.LineIndexCount = 96001;
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(Batches.LineIndexOverflow, 1);
    EXPECT_EQ(Batches.LineVertexCount, 0);
    Batches.LineIndexCount = 96000;
    AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(Batches.LineIndexOverflow, 0);
    EXPECT_EQ(Batches.LineIndexCount, 96018);
}

TEST_F(BatchTest, TriangleBatchesAcceptOneMorePrimitiveAtTheLimit) {
    for (int i = 0; i < 1666; ++i) AddQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);  // 9999
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);  // 10002: accepted at 9999
    EXPECT_EQ(Batches.TriVertOverflow, 0);
    AddTriangle(0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Batches.TriangleVertexCount, 10002);
    EXPECT_EQ(Batches.TriVertOverflow, 1);
    Batches.TriangleVertexCount = 10000;
    AddQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Batches.TriangleVertexCount, 10006);
    Batches.TexturedTriangleVertexCount = 10000;
    AddTexturedQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Batches.TexturedTriangleVertexCount, 10006);
    EXPECT_EQ(Batches.TexTriVertOverflow, 0);
    AddTexturedQuad(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Batches.TexTriVertOverflow, 1);
}

}  // namespace
