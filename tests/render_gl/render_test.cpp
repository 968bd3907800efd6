// Pixels of pictures drawn by the real OpenGL renderer (see make_shots.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

#include "platform/gfx/gfx.h"
#include "platform/gfx/image_decode.h"

namespace {

struct Image {
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    const unsigned char* at(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
    int brightness(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        const unsigned char* p = at(x, y);
        return std::max({p[0], p[1], p[2]});
    }
};

Image Load(const std::string& name) {
    Image img;
    std::ifstream in(std::string(QUIVEX_SHOTS_DIR) + "/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::string bytes = ss.str();
    EXPECT_TRUE(plat::DecodeImage(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), img.rgba,
                                  img.w, img.h))
        << name;
    return img;
}

// Where a world point lands on an 800 x 600 picture, for a camera settled at its goal.
struct View {
    glm::vec3 eye, up;
    glm::vec2 target;
};
const View kNormal{{320, 256, 550}, {0, -1, 0}, {320, 256}};
const View kHoriz{{310, 256, 440}, {-1, 0, 0}, {310, 256}};
const View kTate{{320, 256, 420}, {1, 0, 0}, {320, 256}};
const View kUpright560{{320, 256, 560}, {0, -1, 0}, {320, 256}};
const View kPlayfield[3] = {kNormal, kHoriz, kTate};
const View kTextView[3] = {kNormal, kUpright560, kTate};  // the HUD stays upright in horiz

// On a picture of w x h whose top left corner is at (x0, y0) of the image.
glm::vec2 Project(const View& v, float x, float y, float w = 800, float h = 600, float x0 = 0, float y0 = 0) {
    glm::mat4 m = glm::perspectiveLH_NO(0.8726646f, 4.0f / 3.0f, 0.1f, 1000.0f) *
                  glm::lookAtLH(v.eye, glm::vec3(v.target, 0.0f), v.up);
    glm::vec4 p = m * glm::vec4(x, y, 0, 1);
    return {x0 + (p.x / p.w + 1) * 0.5f * w, y0 + (1 - p.y / p.w) * 0.5f * h};
}

// Brightest pixel and number of pixels above `threshold` in the screen box spanned by two world points.
struct Stats {
    int max = 0, lit = 0;
};
Stats Region(const Image& img, const View& v, float x0, float y0, float x1, float y1, int threshold = 40) {
    glm::vec2 a = Project(v, x0, y0), b = Project(v, x1, y1);
    Stats s;
    for (int y = static_cast<int>(std::min(a.y, b.y)); y <= static_cast<int>(std::max(a.y, b.y)); ++y)
        for (int x = static_cast<int>(std::min(a.x, b.x)); x <= static_cast<int>(std::max(a.x, b.x)); ++x) {
            int value = img.brightness(x, y);
            s.max = std::max(s.max, value);
            s.lit += value > threshold;
        }
    return s;
}

int At(const Image& img, const View& v, float x, float y) {
    glm::vec2 p = Project(v, x, y);
    return img.brightness(static_cast<int>(p.x), static_cast<int>(p.y));
}

TEST(RenderPictures, AreFullSize) {
    for (const char* name : {"text_0.png", "lines.png", "overflow.png", "masks_1.png", "font_sheet.png",
                             "title_logo.png", "playfield_2.png", "studio_logo_64.png", "menu_background.png"}) {
        Image img = Load(name);
        EXPECT_EQ(img.w, 800) << name;
        EXPECT_EQ(img.h, 600) << name;
    }
}

TEST(RenderPictures, StudioLogoFlashesOnWarmUpFrame64AndIsGoneLater) {
    Image flash = Load("studio_logo_64.png");
    Stats logo = Region(flash, kNormal, 284, 220, 356, 292);
    EXPECT_GT(logo.max, 200);
    EXPECT_GT(logo.lit, 500);
    EXPECT_EQ(Region(flash, kNormal, 140, 20, 260, 200).max, 0);  // nothing else on screen
    Image later = Load("studio_logo_200.png");
    EXPECT_LT(Region(later, kNormal, 130, 10, 510, 500).max, 8);
}

TEST(RenderPictures, SideMasksArePureBlackInEveryOrientation) {
    for (int o = 0; o < 3; ++o) {
        Image img = Load("masks_" + std::to_string(o) + ".png");
        const View& v = kPlayfield[o];
        for (float y : {10.0f, 256.0f, 500.0f}) {
            for (float x : {20.0f, 100.0f, 122.0f, 518.0f, 560.0f, 620.0f}) {
                glm::vec2 p = Project(v, x, y);
                if (p.x < 0 || p.y < 0 || p.x >= img.w || p.y >= img.h) continue;
                const unsigned char* px = img.at(static_cast<int>(p.x), static_cast<int>(p.y));
                EXPECT_EQ(px[0] + px[1] + px[2], 0) << "orientation " << o << " at " << x << "," << y;
            }
            EXPECT_GT(At(img, v, 320, y), 200) << "orientation " << o;
            EXPECT_GT(At(img, v, 134, y), 200) << "orientation " << o;
        }
    }
}

TEST(RenderPictures, GlowLinesAreBrighterAtTheCoreThanAtTheEdge) {
    Image img = Load("lines.png");
    int core = Region(img, kNormal, 318, 255.5f, 322, 256.5f).max;
    int near = At(img, kNormal, 320, 259);
    int edge = At(img, kNormal, 320, 261);
    int outside = At(img, kNormal, 320, 268);
    EXPECT_GT(core, 100);
    EXPECT_GT(core, 2 * near);
    EXPECT_GT(near, 0);
    EXPECT_GE(near, edge);
    EXPECT_EQ(outside, 0);
    // Rounded caps reach past the ends a little, not far.
    EXPECT_GT(At(img, kNormal, 197, 256), 0);
    EXPECT_EQ(At(img, kNormal, 190, 256), 0);
    // Colour comes from the vertices: the second line is blue-orange, not white.
    glm::vec2 p = Project(kNormal, 320, 400);
    const unsigned char* px = img.at(static_cast<int>(p.x), static_cast<int>(p.y + 0.5f));
    EXPECT_EQ(px[0], 0);
    EXPECT_GT(px[2], px[1]);
}

TEST(RenderPictures, TextIsDrawnUprightAndFacingAwayIsCulled) {
    for (int o = 0; o < 3; ++o) {
        Image img = Load("text_" + std::to_string(o) + ".png");
        const View& v = kTextView[o];
        // "M." at (200, 100), size 100: the M fills 200..284, the period sits low in 284..300.8.
        EXPECT_GT(Region(img, v, 202, 104, 282, 176).lit, 400) << o;
        EXPECT_GT(Region(img, v, 286, 160, 299, 178).max, 150) << "period low, orientation " << o;
        EXPECT_LT(Region(img, v, 286, 102, 299, 140).max, 30) << "nothing high, orientation " << o;
        // The second line of text is green.
        Stats line = Region(img, v, 142, 302, 400, 322);
        EXPECT_GT(line.lit, 200) << o;
        // The "WW" turned about y faces away and must not show.
        EXPECT_EQ(Region(img, v, 272, 420, 440, 500, 0).lit, 0) << o;
    }
}

TEST(RenderPictures, OverflowMessageIsRedNearItsPlace) {
    Image img = Load("overflow.png");
    glm::vec2 a = Project(kNormal, 130, 400), b = Project(kNormal, 330, 416);
    int red = 0, other = 0;
    for (int y = static_cast<int>(a.y); y <= static_cast<int>(b.y); ++y)
        for (int x = static_cast<int>(a.x); x <= static_cast<int>(b.x); ++x) {
            const unsigned char* p = img.at(x, y);
            if (p[0] > 150 && p[1] < 40 && p[2] < 40) ++red;
            else if (p[1] > 40 || p[2] > 40) ++other;
        }
    EXPECT_GT(red, 100);
    EXPECT_EQ(other, 0);
}

TEST(RenderPictures, PlayfieldGridShowsInEveryOrientation) {
    for (int o = 0; o < 3; ++o) {
        Image img = Load("playfield_" + std::to_string(o) + ".png");
        EXPECT_GT(Region(img, kPlayfield[o], 140, 20, 500, 490, 30).lit, 2000) << o;
    }
}

}  // namespace

// What the window shows: the game's own picture scaled to the largest 4:3 rectangle that fits, black
// around it (make_shots.sh: full screen on a 1280 x 1024 desktop at two resolutions, a window resized).
TEST(RenderPictures, TheWindowShowsTheWholePictureScaledToFit) {
    struct Case {
        const char *window, *own;
        int w, h, x0, y0, fitW, fitH;
    } cases[] = {
        {"fullscreen_800.png", "fullscreen_800_own.png", 1280, 1024, 0, 32, 1280, 960},
        {"fullscreen_1600.png", "fullscreen_1600_own.png", 1280, 1024, 0, 32, 1280, 960},
        {"window_1000x500.png", "window_1000x500_own.png", 1000, 500, 166, 0, 667, 500},
    };
    for (const Case& c : cases) {
        Image win = Load(c.window), own = Load(c.own);
        ASSERT_EQ(win.w, c.w) << c.window;
        ASSERT_EQ(win.h, c.h) << c.window;
        int outside = 0, mismatched = 0, compared = 0, lit = 0;
        for (int y = 0; y < win.h; ++y)
            for (int x = 0; x < win.w; ++x)
                if (x < c.x0 || x >= c.x0 + c.fitW || y < c.y0 || y >= c.y0 + c.fitH) outside += win.brightness(x, y) != 0;
        // Away from sharp edges, each pixel of the picture lands where the scale puts it.
        for (int y = 2; y < own.h - 2; y += 3)
            for (int x = 2; x < own.w - 2; x += 3) {
                int wx = c.x0 + static_cast<int>((x + 0.5) * c.fitW / own.w);
                int wy = c.y0 + static_cast<int>((y + 0.5) * c.fitH / own.h);
                int lo = 255, hi = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        lo = std::min(lo, own.brightness(x + dx, y + dy));
                        hi = std::max(hi, own.brightness(x + dx, y + dy));
                    }
                int seen = win.brightness(wx, wy);
                ++compared;
                lit += hi > 40;
                mismatched += seen < lo - 8 || seen > hi + 8;
            }
        EXPECT_EQ(outside, 0) << c.window << ": the bars are not black";
        EXPECT_LT(mismatched, compared / 100) << c.window << ": " << mismatched << " of " << compared;
        EXPECT_GT(lit, compared / 20) << c.own << " is nearly empty";
    }
}

// Fewer passes, the same picture: drawing each batch once at twice the strength and the wave bands only
// where they give light is within rounding of the first way of drawing (make_shots.sh draws both).
TEST(RenderPictures, FewerPassesDrawTheSamePicture) {
    const std::pair<std::string, std::string> pairs[] = {
        {"menu_main.png", "classic_menu_main.png"},
        {"boss_2_attack.png", "classic_boss_2_attack.png"},
        {"mission_report.png", "classic_mission_report.png"},
        {"play_1_start.png", "play_1_classic_start.png"},
        {"play_1.png", "play_1_classic.png"},
        {"play_2.png", "play_2_classic.png"},
        {"play_3.png", "play_3_classic.png"},
        {"play_4.png", "play_4_classic.png"},
    };
    for (const auto& [now, first] : pairs) {
        Image a = Load(now), b = Load(first);
        ASSERT_EQ(a.w, b.w) << now;
        ASSERT_EQ(a.h, b.h) << now;
        int worst = 0, lit = 0;
        for (size_t i = 0; i < a.rgba.size(); ++i) {
            if (i % 4 == 3) continue;
            worst = std::max(worst, std::abs(a.rgba[i] - b.rgba[i]));
            lit += b.rgba[i] > 40;
        }
        EXPECT_LE(worst, 2) << now << " against " << first;
        EXPECT_GT(lit, a.w * a.h / 20) << first << " is nearly empty";
    }
}

// The light picture draws the bands' glow at half resolution: close to the full picture on the same
// frames, in every orientation and fast-forwarding. A difference picture, eight times as bright, goes beside each pair.
TEST(RenderPictures, TheLightPictureStaysCloseToTheFullOne) {
    std::vector<std::pair<std::string, std::string>> pairs = {
        {"menu_main.png", "light_menu_main.png"},
        {"boss_2_attack.png", "light_boss_2_attack.png"},
        {"mission_report.png", "light_mission_report.png"},
        {"full_play_3_horizontal.png", "light_play_3_horizontal.png"},
        {"full_play_3_tate.png", "light_play_3_tate.png"},
        {"full_fast_forward.png", "light_fast_forward.png"},
    };
    for (int l = 1; l <= 4; ++l) {
        std::string n = std::to_string(l);
        pairs.push_back({"play_" + n + "_start.png", "light_play_" + n + "_start.png"});
        pairs.push_back({"play_" + n + ".png", "light_play_" + n + ".png"});
    }
    long long differing = 0;
    for (const auto& [full, light] : pairs) {
        Image a = Load(full), b = Load(light);
        ASSERT_EQ(a.w, b.w) << light;
        ASSERT_EQ(a.h, b.h) << light;
        long long sum = 0;
        int within6 = 0, beyond32 = 0, lit = 0;
        std::vector<unsigned char> diff(a.rgba.size(), 255);
        for (size_t p = 0; p < a.rgba.size(); p += 4) {
            int worst = 0;
            for (size_t c = p; c < p + 3; ++c) {
                int d = std::abs(a.rgba[c] - b.rgba[c]);
                sum += d;
                worst = std::max(worst, d);
                lit += a.rgba[c] > 40;
                diff[c] = static_cast<unsigned char>(std::min(255, d * 8));
            }
            within6 += worst <= 6;
            beyond32 += worst > 32;
        }
        const long long pixels = static_cast<long long>(a.w) * a.h;
        differing += sum;
        plat::WritePng((std::string(QUIVEX_SHOTS_DIR) + "/diff_" + light).c_str(), diff.data(), a.w, a.h);
        EXPECT_LE(static_cast<double>(sum) / static_cast<double>(pixels * 3), 1.0) << light << ": mean difference";
        EXPECT_GE(within6, pixels * 99 / 100) << light << ": pixels within 6 levels";
        EXPECT_EQ(beyond32, 0) << light << ": pixels more than 32 levels off";
        EXPECT_GT(lit, a.w * a.h / 20) << full << " is nearly empty";
    }
    EXPECT_GT(differing, 0) << "the light pictures are the full ones: light was not drawn";
}

// Drawn natively at 2560 x 1920 and scaled down four times, a picture must look as it does at 640 x 480:
// each pixel within 8 levels of the range its neighbourhood has in the small picture, all but 1 %,
// and the two no further apart than 1 level on average (make_shots.sh draws both).
TEST(RenderPictures, TheNativePictureLooksTheSameAtAnySize) {
    for (const char* name : {"menu_main.png", "play_2.png", "boss_3_attack.png"}) {
        Image small = Load(std::string("small_") + name), native = Load(std::string("native_") + name);
        ASSERT_TRUE(small.w == 640 && small.h == 480 && native.w == 2560 && native.h == 1920) << name;
        std::vector<unsigned char> diff(small.rgba.size(), 255);
        long long total = 0;
        int outside = 0, lit = 0;
        for (int y = 0; y < small.h; ++y)
            for (int x = 0; x < small.w; ++x) {
                bool off = false;
                for (int c = 0; c < 3; ++c) {
                    int down = 8, lo = 255, hi = 0;
                    for (int d = 0; d < 16; ++d) down += native.at(4 * x + d % 4, 4 * y + d / 4)[c];
                    down /= 16;
                    for (int d = 0; d < 9; ++d) {
                        int v = small.at(std::clamp(x + d % 3 - 1, 0, small.w - 1), std::clamp(y + d / 3 - 1, 0, small.h - 1))[c];
                        lo = std::min(lo, v), hi = std::max(hi, v);
                    }
                    const int own = small.at(x, y)[c], d = std::abs(down - own);
                    total += d;
                    diff[(static_cast<size_t>(y) * small.w + x) * 4 + c] = static_cast<unsigned char>(std::min(255, d * 8));
                    off |= down < lo - 8 || down > hi + 8;
                    lit += own > 40;
                }
                outside += off;
            }
        plat::WritePng((std::string(QUIVEX_SHOTS_DIR) + "/diff_native_" + name).c_str(), diff.data(), small.w, small.h);
        const int pixels = small.w * small.h;
        EXPECT_LT(outside, pixels / 100) << name << ": pixels outside their neighbourhood's range";
        EXPECT_LE(static_cast<double>(total) / (pixels * 3.0), 1.0) << name << ": mean difference";
        EXPECT_GT(lit, pixels / 20) << name << " is nearly empty";
    }
}

// A window resized three times while the game draws natively (make_shots.sh shoots frames 6 to 35 and
// traces the GL calls): every frame is drawn at the window's new size, into the window itself, with no
// offscreen picture and no scaling pass.
TEST(RenderPictures, ANativeWindowIsDrawnAtEachNewSizeFromTheFirstFrame) {
    const std::pair<int, int> windows[] = {{800, 600}, {1000, 700}, {600, 900}, {1200, 900}};  // from frames 0, 10, 20, 30
    std::ifstream in(std::string(QUIVEX_SHOTS_DIR) + "/native_resized_calls.txt");
    std::vector<std::string> frames;  // the viewport each shot frame was drawn in: the last before its shot
    std::string viewport;
    int blits = 0, offscreen = 0;
    for (std::string line; std::getline(in, line);) {
        blits += line.rfind("glBlitFramebuffer", 0) == 0;
        offscreen += line.rfind("glRenderbufferStorage", 0) == 0;
        if (line.rfind("glViewport", 0) == 0) viewport = line;
        else if (line.rfind("glReadPixels", 0) == 0) frames.push_back(viewport);
    }
    ASSERT_EQ(frames.size(), 30u) << "no trace of the run";
    EXPECT_EQ(blits + offscreen, 0) << "a scaling pass or an offscreen picture";
    for (int f = 6; f < 36; ++f) {
        auto [w, h] = windows[f / 10];
        int fitW = 0, fitH = 0;
        plat::FitFourByThree(w, h, fitW, fitH);
        const int x0 = (w - fitW) / 2, up = (h - fitH) / 2, y0 = h - fitH - up;  // OpenGL counts y upward
        char drawn[96];
        std::snprintf(drawn, sizeof drawn, "glViewport(x = %d, y = %d, width = %d, height = %d)", x0, up, fitW, fitH);
        EXPECT_EQ(frames[f - 6], drawn) << "frame " << f;

        Image img = Load("native/resized/frame_" + std::to_string(f) + ".png");
        ASSERT_TRUE(img.w == w && img.h == h) << "frame " << f;
        int litOutside = 0, top = h, bottom = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (img.brightness(x, y) <= 30) continue;
                if (x < x0 || x >= x0 + fitW || y < y0 || y >= y0 + fitH) ++litOutside;
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        EXPECT_EQ(litOutside, 0) << "frame " << f;
        EXPECT_TRUE(std::abs(top - y0) <= 2 && std::abs(bottom - (y0 + fitH - 1)) <= 2) << "frame " << f << ": rows " << top << " to " << bottom;
        // The playfield's grid lines are lit and the side masks black where this size puts them.
        auto at = [&](float wx, float wy) {
            glm::vec2 p = Project(kNormal, wx, wy, static_cast<float>(fitW), static_cast<float>(fitH),
                                  static_cast<float>(x0), static_cast<float>(y0));
            return img.brightness(static_cast<int>(p.x), static_cast<int>(p.y));
        };
        for (float x : {192.0f, 320.0f, 448.0f})
            EXPECT_GT(std::max({at(x, 400), at(x - 0.5f, 400), at(x + 0.5f, 400)}), 50) << "frame " << f << " x " << x;
        EXPECT_EQ(at(60, 400) + at(580, 400), 0) << "frame " << f;
    }
}

// Smoothing multisamples the edges of what is drawn and nothing else: the same frame as without it,
// softened along its edges (make_shots.sh draws it at 4x).
TEST(RenderPictures, SmoothingSoftensEdgesOnly) {
    Image plain = Load("play_2.png"), smooth = Load("smooth_play_2.png");
    ASSERT_TRUE(plain.w == smooth.w && plain.h == smooth.h);
    long long total = 0;
    int changed = 0;
    for (size_t i = 0; i < plain.rgba.size(); ++i) {
        if (i % 4 == 3) continue;
        const int d = std::abs(plain.rgba[i] - smooth.rgba[i]);
        total += d;
        changed += d > 8;
    }
    EXPECT_GT(changed, 200) << "no edge was smoothed";
    EXPECT_LE(static_cast<double>(total) / (plain.w * plain.h * 3.0), 1.0);
}
