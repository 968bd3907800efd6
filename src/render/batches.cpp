#include "render/batches.h"

#include <cmath>

#include <glm/ext/matrix_transform.hpp>

#include "platform/platform.h"
#include "render/textures.h"

BatchState Batches;

namespace {

// A zero vector stays zero, so a zero-length line collapses to a point and draws nothing.
void Normalise(float& x, float& y) {
    float length = std::sqrt(x * x + y * y);
    if (length > 0.0f) {
        x /= length;
        y /= length;
    }
}

void AddGlowLine(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float z) {
    Batches.LineVertOverflow = Batches.LineIndexOverflow = 0;
    if (Batches.LineVertexCount > kLineVertexLimit) {
        Batches.LineVertOverflow = 1;
        return;
    }
    if (Batches.LineIndexCount > kLineIndexLimit) {
        Batches.LineIndexOverflow = 1;
        return;
    }
    float dx = x2 - x1, dy = y2 - y1;
    float nx = dy, ny = -dx;  // perpendicular
    float tx = dx, ty = dy;   // direction, for the rounded caps
    Normalise(nx, ny);
    Normalise(tx, ty);
    nx *= kLineHalfWidth, ny *= kLineHalfWidth, tx *= kLineHalfWidth, ty *= kLineHalfWidth;

    int b = Batches.LineVertexCount;
    TexturedVertex* v = &Batches.LineBatch[b];
    v[0] = {x1 - nx - tx, y1 - ny - ty, z, c1, 0.0f, 0.0f};
    v[1] = {x1 + nx - tx, y1 + ny - ty, z, c1, 1.0f, 0.0f};
    v[2] = {x1 - nx, y1 - ny, z, c1, 0.0f, 0.49f};
    v[3] = {x1 + nx, y1 + ny, z, c1, 1.0f, 0.49f};
    v[4] = {x2 - nx, y2 - ny, z, c2, 0.0f, 0.51f};
    v[5] = {x2 + nx, y2 + ny, z, c2, 1.0f, 0.51f};
    v[6] = {x2 - nx + tx, y2 - ny + ty, z, c2, 0.0f, 1.0f};
    v[7] = {x2 + nx + tx, y2 + ny + ty, z, c2, 1.0f, 1.0f};

    static const uint16_t kPattern[18] = {0, 1, 2, 1, 3, 2, 2, 3, 4, 4, 3, 5, 4, 5, 6, 6, 5, 7};
    uint16_t* idx = &Batches.LineBatchIndices[Batches.LineIndexCount];
    for (int i = 0; i < 18; ++i) idx[i] = static_cast<uint16_t>(b + kPattern[i]);
    Batches.LineVertexCount += 8;
    Batches.LineIndexCount += 18;
}

}  // namespace

void AddLine(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2) {
    AddGlowLine(x1, y1, colour1, x2, y2, colour2, 0.0f);
}

void AddLineDepth(float x1, float y1, uint32_t colour1, float x2, float y2, uint32_t colour2, float z) {
    AddGlowLine(x1, y1, colour1, x2, y2, colour2, z);
}

void AddTriangle(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3, uint32_t c3) {
    Batches.TriVertOverflow = 0;
    if (Batches.TriangleVertexCount > kTriangleVertexLimit) {
        Batches.TriVertOverflow = 1;
        return;
    }
    ColourVertex* v = &Batches.TriangleBatch[Batches.TriangleVertexCount];
    v[0] = {x1, y1, 0.0f, c1};
    v[1] = {x2, y2, 0.0f, c2};
    v[2] = {x3, y3, 0.0f, c3};
    Batches.TriangleVertexCount += 3;
}

void AddQuad(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3, uint32_t c3,
             float x4, float y4, uint32_t c4) {
    Batches.TriVertOverflow = 0;
    if (Batches.TriangleVertexCount > kTriangleVertexLimit) {
        Batches.TriVertOverflow = 1;
        return;
    }
    ColourVertex* v = &Batches.TriangleBatch[Batches.TriangleVertexCount];
    v[0] = {x1, y1, 0.0f, c1};
    v[1] = {x2, y2, 0.0f, c2};
    v[2] = {x3, y3, 0.0f, c3};
    v[3] = {x2, y2, 0.0f, c2};
    v[4] = {x4, y4, 0.0f, c4};
    v[5] = {x3, y3, 0.0f, c3};
    Batches.TriangleVertexCount += 6;
}

void AddTexturedQuad(float x1, float y1, uint32_t c1, float x2, float y2, uint32_t c2, float x3, float y3,
                     uint32_t c3, float x4, float y4, uint32_t c4) {
    Batches.TexTriVertOverflow = 0;
    if (Batches.TexturedTriangleVertexCount > kTriangleVertexLimit) {
        Batches.TexTriVertOverflow = 1;
        return;
    }
    TexturedVertex* v = &Batches.TexturedTriangleBatch[Batches.TexturedTriangleVertexCount];
    v[0] = {x1, y1, 0.0f, c1, 0.0f, 0.0f};
    v[1] = {x2, y2, 0.0f, c2, 1.0f, 0.0f};
    v[2] = {x3, y3, 0.0f, c3, 0.0f, 1.0f};
    v[3] = {x2, y2, 0.0f, c2, 1.0f, 0.0f};
    v[4] = {x4, y4, 0.0f, c4, 1.0f, 1.0f};
    v[5] = {x3, y3, 0.0f, c3, 0.0f, 1.0f};
    Batches.TexturedTriangleVertexCount += 6;
}


namespace {

// Additive blending makes n identical draws one draw of n times the contribution: one pass of fill.
template <typename DrawOnce>
void DrawRepeated(int times, DrawOnce draw) {
    if (Batches.ClassicDrawing) {
        for (int i = 0; i < times; ++i) draw();
        return;
    }
    plat::Gfx& gfx = plat::gfx();
    gfx.SetRepeat(times);
    draw();
    gfx.SetRepeat(1);
}

}  // namespace

void FlushLines(int32_t levelTitleTimer) {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    if (Batches.LineVertexCount > 0) {
        gfx.BindTexture(Textures.LineTexture);
        int triangles = Batches.LineIndexCount / 3;
        // At the start of a level everything flies out toward the viewer as a fading echo, whose first
        // copy lies on the lines themselves.
        bool echo = levelTitleTimer > 0 && levelTitleTimer < 128;
        // Twice: additive blending doubles the glow.
        DrawRepeated(2 + (echo ? 1 : 0), [&] { gfx.DrawIndexed(Batches.LineBatch, Batches.LineVertexCount, Batches.LineBatchIndices, triangles); });
        if (echo) {
            for (int i = 1; i < 4; ++i) {
                float z = i * 0.5f * static_cast<float>(128 - levelTitleTimer);
                gfx.SetTransform(plat::TransformKind::World, glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, z)));
                gfx.DrawIndexed(Batches.LineBatch, Batches.LineVertexCount, Batches.LineBatchIndices, triangles);
            }
        }
    }
    Batches.LineVertexCount = Batches.LineIndexCount = 0;
    gfx.BindTexture(0);
}

void FlushTriangles() {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    if (Batches.TriangleVertexCount > 0) {
        int triangles = Batches.TriangleVertexCount / 3;
        DrawRepeated(2, [&] { gfx.Draw(plat::Primitive::TriangleList, Batches.TriangleBatch, triangles); });
    }
    Batches.TriangleVertexCount = 0;
}

void FlushTexturedTriangles() {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
    if (Batches.TexturedTriangleVertexCount > 0) {
        gfx.BindTexture(Textures.GlowDotTexture);
        int triangles = Batches.TexturedTriangleVertexCount / 3;
        DrawRepeated(2, [&] { gfx.Draw(plat::Primitive::TriangleList, Batches.TexturedTriangleBatch, triangles); });
    }
    Batches.TexturedTriangleVertexCount = 0;
    gfx.BindTexture(0);
}

void ResetBatches() {
    Batches.LineVertexCount = Batches.LineIndexCount = Batches.TriangleVertexCount = Batches.TexturedTriangleVertexCount = 0;
    Batches.LineVertOverflow = Batches.LineIndexOverflow = Batches.TriVertOverflow = Batches.TexTriVertOverflow = 0;
}
