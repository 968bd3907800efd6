// Which picture is drawn where, and what the light one draws into the half-size glow layer.
#include "platform/gfx/gfx.h"
#include "render/background.h"
#include "render/batches.h"
#include "render/device.h"
#include "world/world.h"
#include "shell/options.h"
#include "test_support.h"

namespace {

TEST(EffectsTest, SoftwareRasterisersAreKnownByTheirRendererNames) {
    struct Case {
        const char* name;
        bool software;
    } cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
        {"softpipe", true},
        {"Google SwiftShader", true},
        {"ANGLE (Google, Vulkan 1.3.0 (SwiftShader Device (Subzero) (0x0000C0DE)), SwiftShader driver)", true},
        {"ANGLE (Mesa, LLVMPIPE (LLVM 15.0.6, 256 bits), OpenGL 4.5)", true},
        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce RTX 3060/PCIe/SSE2", false},
        {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)", false},
        {"", false},
        {nullptr, false},
    };
    for (const Case& c : cases) EXPECT_EQ(plat::IsSoftwareRenderer(c.name), c.software) << (c.name ? c.name : "null");
}

class EffectsDrawTest : public HeadlessTest {
protected:
    // One frame's bands and glow dots, as RenderFrame draws them; returns how many draws went into the
    // glow layer.
    int DrawFrame() {
        h().gfx.calls.clear();
        h().gfx.glowAdds = 0;
        AddTexturedQuad(200, 200, 0xFFFFFFFF, 210, 200, 0xFFFFFFFF, 200, 210, 0xFFFFFFFF, 210, 210, 0xFFFFFFFF);
        AdvanceBackgroundWaves(0);
        DrawBackgroundWaves(W);
        FlushTexturedTriangles();
        DrawSideMasks();
        int inLayer = 0;
        for (const plat::DrawCall& call : h().gfx.calls) inLayer += call.glowLayer;
        return inLayer;
    }
};

TEST_F(EffectsDrawTest, TheLightPictureSendsOnlyTheBandsToTheGlowLayer) {
    W.Program.GameMode = Mode::Playing;
    for (int i = 0; i < 80; ++i) DrawFrame();  // the bands fade in to their colour
    struct Case {
        int32_t setting;
        bool software, classic;
        bool light;
    } cases[] = {
        {kEffectsAuto, true, false, true},    {kEffectsAuto, false, false, false},
        {kEffectsFull, true, false, false},   {kEffectsLight, false, false, true},
        {kEffectsLight, true, true, false},  // the first way of drawing knows no light picture
    };
    for (const Case& c : cases) {
        Options.EffectsSetting = c.setting;
        h().gfx.software = c.software;
        Batches.ClassicDrawing = c.classic;
        EXPECT_EQ(LightPicture(), c.light) << c.setting << " " << c.software;
        int inLayer = DrawFrame();
        // The bands go in, are added once, and their two hard-edged ends are drawn sharp beside it.
        EXPECT_EQ(inLayer, c.light ? 1 : 0) << c.setting;
        EXPECT_EQ(h().gfx.glowAdds, c.light ? 1u : 0u) << c.setting;
        EXPECT_FALSE(h().gfx.glowLayer) << "the layer was left on";
    }
    Batches.ClassicDrawing = false;

    // Bands held all but black, as in the menu, are left out of the light picture only.
    W.Program.GameMode = Mode::Menu;
    Options.EffectsSetting = kEffectsLight;
    DrawFrame();
    size_t lightDraws = h().gfx.calls.size();
    Options.EffectsSetting = kEffectsFull;
    DrawFrame();
    EXPECT_EQ(h().gfx.calls.size(), lightDraws + 1);
    Options.EffectsSetting = kEffectsAuto;
}

}  // namespace
