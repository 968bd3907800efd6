#include "gallery.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>

#include "enemies/enemy_pool.h"
#include "enemies/models.h"
#include "draw/playfield.h"
#include "enemies/polygons.h"
#include "game/ship.h"
#include "platform/gfx/image_decode.h"
#include "platform/platform.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/camera.h"
#include "render/font.h"
#include "world/world.h"

namespace {

struct Exhibit {
    int model;  // -1 for the ship
    float x, y;
    const char* label;
};

struct Page {
    std::vector<Exhibit> exhibits;
};

// Craft three by three; each boss alone at the station where its script stops it.
std::vector<Page> Pages() {
    return {
        {{{2, 192, 90, "2"}, {4, 320, 90, "4"}, {5, 448, 90, "5"},
          {6, 192, 250, "6"}, {1, 320, 250, "1"}, {3, 448, 250, "3"},
          {9, 192, 410, "9"}, {10, 320, 410, "10"}, {-1, 448, 410, "ship"}}},
        {{{12, 192, 90, "12"}, {13, 320, 90, "13"}, {14, 448, 90, "14"},
          {15, 192, 250, "15"}, {16, 320, 250, "16"}, {17, 448, 250, "17"},
          {20, 192, 410, "20"}, {21, 320, 410, "21"}, {22, 448, 410, "22"}}},
        {{{0, 320, 203, "0  level 1 mid-boss"}}},
        {{{8, 320, 90, "8  level 2 mid-boss"}}},
        {{{18, 320, 127, "18  level 3 mid-boss"}}},
        {{{23, 320, 167, "23  level 4 mid-boss"}}},
        {{{7, 320, 172, "7  level 1 boss"}}},
        {{{11, 320, 172, "11  level 2 boss"}}},
        {{{19, 320, 168, "19  level 3 boss"}}},
        {{{24, 320, 168, "24  level 4 boss"}}},
    };
}

void DrawGalleryShip(float x, float y) {
    Enemy& ship = W.PlayerShip;
    ship.x = x;
    ship.y = y;
    PolyCorners corners{};
    for (int i = 0; i < 3; ++i) {
        Poly& p = ship.polys[i];
        if (i == 1) {
            SpinPoly(p);
            PolyVertices(p, corners);
        } else {
            for (int v = 0; v < 3; ++v) corners.vertices[v] = Content.WingShape[i == 0 ? 0 : 1][v];
        }
        for (int v = 0; v < p.sides; ++v) {
            corners.fill[v] = PackColour(Content.ShipFillColours[p.colourGroup * 10 + v]);
            corners.line[v] = PackColour(Content.ShipLineColours[p.colourGroup * 10 + v]);
        }
        DrawPoly(p, x, y, 0, corners);
    }
}

void DrawExhibits(const Page& page) {
    int slot = 0;
    for (const Exhibit& ex : page.exhibits) {
        if (ex.model < 0) {
            DrawGalleryShip(ex.x, ex.y);
            continue;
        }
        Enemy& e = W.EnemyPool[slot];
        InstantiateModel(e, Content.ModelPolys[ex.model], ex.model, 0, 0, 1, 1, 0, Content.ModelPolyCount[ex.model], ex.x, ex.y, 0,
                         0, 0, 0, 0, 0, 0, 0);
        AnimateEnemy(slot);
        DrawEnemy(W, slot++);
    }
}

void DrawLabels(const Page& page) {
    const uint32_t colour = 0xFFB0B0B0;
    for (const Exhibit& ex : page.exhibits) {
        if (page.exhibits.size() == 1) DrawText(136, 486, 0, 16, colour, ex.label);
        else DrawText(ex.x - 8, ex.y + 48, 0, 16, colour, ex.label);
    }
}

// Columns between the side masks: the widest run that is not black across the middle rows.
void PlayfieldColumns(const std::vector<unsigned char>& rgba, int w, int h, int& left, int& right) {
    left = w;
    right = -1;
    for (int y = h / 4; y < 3 * h / 4; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            if (p[0] | p[1] | p[2]) {
                if (x < left) left = x;
                if (x > right) right = x;
            }
        }
    if (right < left) left = 0, right = w - 1;
}

}  // namespace

bool RenderGallery(const std::string& file) {
    int w = 0, h = 0;
    plat::gfx().BackBufferSize(w, h);
    if (w <= 0 || h <= 0) return false;
    W.Saved.ScreenOrientation = 0;
    for (int i = 0; i < 600; ++i) UpdateCamera();

    const std::vector<Page> pages = Pages();
    const int columns = 5, gap = 6;
    std::vector<unsigned char> shot(static_cast<size_t>(w) * h * 4);
    std::vector<unsigned char> canvas;
    int left = 0, right = w - 1, cellW = w;
    int rows = (static_cast<int>(pages.size()) + columns - 1) / columns;
    int canvasW = 0, canvasH = rows * h + (rows - 1) * gap;

    for (size_t n = 0; n < pages.size(); ++n) {
        plat::Gfx& gfx = plat::gfx();
        gfx.Clear();
        UpdateCamera();
        gfx.SetTransform(plat::TransformKind::World, glm::mat4(1.0f));
        W.Program.GameMode = Mode::Playing;  // satellites take their orbit places as they would in play
        DrawPlayfieldGrid(W);
        DrawExhibits(pages[n]);
        FlushLines(0);
        FlushTriangles();
        FlushTexturedTriangles();
        DrawSideMasks();
        DrawLabels(pages[n]);
        if (!gfx.ReadBackBuffer(shot.data(), w, h)) return false;
        gfx.Present();
        if (n == 0) {
            PlayfieldColumns(shot, w, h, left, right);
            cellW = right - left + 1;
            canvasW = columns * cellW + (columns - 1) * gap;
            canvas.assign(static_cast<size_t>(canvasW) * canvasH * 4, 0);
            for (size_t i = 3; i < canvas.size(); i += 4) canvas[i] = 255;
            for (size_t i = 0; i < canvas.size(); i += 4) canvas[i] = canvas[i + 1] = canvas[i + 2] = 40;
        }
        int cx = static_cast<int>(n % columns) * (cellW + gap), cy = static_cast<int>(n / columns) * (h + gap);
        for (int y = 0; y < h; ++y)
            std::memcpy(&canvas[(static_cast<size_t>(cy + y) * canvasW + cx) * 4],
                        &shot[(static_cast<size_t>(y) * w + left) * 4], static_cast<size_t>(cellW) * 4);
    }
    W.Program.GameMode = Mode::Menu;
    ClearEnemyPool();
    return plat::WritePng(file.c_str(), canvas.data(), canvasW, canvasH);
}
