#include "render/device.h"

#include <cstdarg>
#include <cstdio>

#include "platform/platform.h"
#include "render/batches.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/options.h"
#include "shell/settings.h"
#include "render/timing.h"
#include "render/font.h"
#include "render/textures.h"

namespace {

constexpr int kFrameWidth = 8, kFrameHeight = 27;  // window frame around the client area

void SetStandingState() {
    plat::Gfx& gfx = plat::gfx();
    gfx.SetTextureFiltering();
    gfx.SetStandingState();
}

}  // namespace

void change_window_size(int outerWidth, int outerHeight) {
    LogError("change_window_size: %d %d\n", outerWidth, outerHeight);
    plat::window().Place(W.Saved.WindowX, W.Saved.WindowY, outerWidth - kFrameWidth, outerHeight - kFrameHeight, true);
}

void PlaceWindowForResolution() {
    change_window_size(ResolutionWidths[W.Saved.ResolutionIndex] + kFrameWidth, ResolutionHeights[W.Saved.ResolutionIndex] + kFrameHeight);
}

void ChosenPictureSize(int& width, int& height) {
    width = Options.ResolutionNative ? 0 : ResolutionWidths[W.Saved.ResolutionIndex];
    height = Options.ResolutionNative ? 0 : ResolutionHeights[W.Saved.ResolutionIndex];
}

int SmoothingSamples() {
    switch (Options.SmoothingSetting) {
        case kSmoothingOff: return 0;
        case kSmoothing2x: return 2;
        case kSmoothing4x: return 4;
        default: return plat::gfx().SoftwareRasteriser() ? 0 : 4;
    }
}

void ApplySmoothing() { plat::gfx().SetSamples(SmoothingSamples()); }

int InitDevice(int windowed) {
    plat::Gfx& gfx = plat::gfx();
    plat::DisplayMode mode;
    if (!gfx.CurrentDisplayMode(mode)) {
        LogError("failed to get current display mode (GetAdapterDisplayMode) \n");
        return -1;
    }
    int width = 0, height = 0;
    ChosenPictureSize(width, height);
    if (!gfx.CreateDevice(plat::window(), windowed == 1, width, height)) {
        LogError("failed to create a directx device (CreateDevice) \n");
        return -1;
    }
    CalibrateTiming(windowed != 0);
    if (!gfx.SetDepthTest(true)) {
        LogError("failed to enable z buffer (SetRenderState) \n");
        return -1;
    }
    ApplySmoothing();
    LoadTextures();
    LoadFont();
    SetStandingState();
    return 0;
}

int ResetDevice(int windowed, int width, int height) {
    plat::Gfx& gfx = plat::gfx();
    LogError("top : w %d  h %d \n", width, height);
    // Native draws at whatever size the window has.
    const bool sizeWindow = windowed && width > 0 && height > 0;
    if (sizeWindow) change_window_size(width + kFrameWidth, height + kFrameHeight);
    plat::DisplayMode mode;
    if (!gfx.CurrentDisplayMode(mode)) {
        ErrorBox("failed to get current adapter display mode");
        LogError("failed to get current adapter display mode\n");
        return -1;
    }
    if (!gfx.ResetDevice(windowed != 0, width, height)) {
        LogError("failed to reset d3d device\n");
        return -1;
    }
    LogError("maaged to happily reset d3d device\n");
    CalibrateTiming(windowed != 0);
    LogError("w %d  h %d \n", width, height);
    if (sizeWindow) change_window_size(width + kFrameWidth, height + kFrameHeight);
    SetStandingState();
    return 0;
}

void SetWindowed(int windowed) {
    if (windowed == W.Saved.Windowed) return;
    W.Saved.Windowed = windowed;
    int width = 0, height = 0;
    ChosenPictureSize(width, height);
    ResetDevice(W.Saved.Windowed, width, height);
    SaveSettings();
}

void PerformDisplayRequests() {
    if (W.Host.DisplayResetRequest) {
        int width = 0, height = 0;
        ChosenPictureSize(width, height);
        ResetDevice(W.Saved.Windowed, width, height);
    }
    if (W.Host.SmoothingRequest) ApplySmoothing();
    W.Host.DisplayResetRequest = W.Host.SmoothingRequest = 0;
}

void ReleaseGraphics() {
    plat::Gfx& gfx = plat::gfx();
    if (gfx.HasDevice()) gfx.ReleaseDevice();
}

bool LightPicture() {
    if (Batches.ClassicDrawing || Options.EffectsSetting == kEffectsFull) return false;
    return Options.EffectsSetting == kEffectsLight || plat::gfx().SoftwareRasteriser();
}

void ErrorBox(const char* format, ...) {
    char text[52];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    plat::window().MessageBox("error...", text, true);
}
