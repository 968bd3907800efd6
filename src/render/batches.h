#pragma once
// Everything on the playfield is collected into three fixed batches during a frame and drawn by
// RenderFrame: glow lines, flat triangles and glow-dot quads.
#include <cstdint>

#include "platform/gfx/gfx.h"

using plat::ColourVertex;
using plat::TexturedVertex;

constexpr int kLineVertexLimit = 40000, kLineIndexLimit = 96000;  // tested before each add
constexpr int kTriangleVertexLimit = 10000;
constexpr float kLineHalfWidth = 5.0f;
constexpr int kTextCharacters = 4096;  // longer strings are cut

// The three batches of the frame being drawn.
struct BatchState {
    TexturedVertex LineBatch[kLineVertexLimit + 8];
    uint16_t LineBatchIndices[kLineIndexLimit + 18];
    int32_t LineVertexCount, LineIndexCount;
    ColourVertex TriangleBatch[kTriangleVertexLimit + 6];
    int32_t TriangleVertexCount;
    TexturedVertex TexturedTriangleBatch[kTriangleVertexLimit + 6];
    int32_t TexturedTriangleVertexCount;
    // Set by a rejected add, cleared by the next add to the same batch.
    int32_t LineVertOverflow, LineIndexOverflow, TriVertOverflow, TexTriVertOverflow;
    TexturedVertex TextVertices[kTextCharacters * 6];  // one text's quads, drawn at once
    // The renderer as first written: every batch drawn twice, every wave band on its own. Kept to hold
    // the faster drawing, which gives the same picture in fewer passes, against it.
    bool ClassicDrawing;
};
extern BatchState Batches;

void AddLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2);
void AddLineDepth(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, float z);
void AddTriangle(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3, uint32_t c3);
// Corners p1 top-left, p2 top-right, p3 bottom-left, p4 bottom-right; triangles (p1, p2, p3), (p2, p4, p3).
void AddQuad(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3, uint32_t c3,
             float x4, float y4, uint32_t c4);
void AddTexturedQuad(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3,
                     uint32_t c3, float x4, float y4, uint32_t c4);

// levelTitleTimer strictly between 0 and 128: the lines fly out toward the viewer as a fading echo.
void FlushLines(int32_t levelTitleTimer);
void FlushTriangles();
void FlushTexturedTriangles();

void ResetBatches();
