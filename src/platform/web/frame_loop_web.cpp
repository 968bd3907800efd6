// The page's side of the program: its storage, and the game's passes on the animation frames.
#include <emscripten.h>
#include <emscripten/html5.h>
#include <unistd.h>

#include "platform/web/web_backends.h"
#include "platform/web/web_platform.h"

namespace plat {
namespace {

constexpr const char* kStorageDir = "/quivex";
constexpr int kMaxPresentsPerAnimationFrame = 2;
// Fast-forward runs many passes to a picture; this only stops a game that never presents.
constexpr int kMaxPassesPerAnimationFrame = 256;

void (*whenReady)();
bool (*gamePass)(int&);
uint64_t stepMicros = 16667;  // the game's time from one picture to the next, as last seen

extern "C" {
// page.js: IndexedDB is written in the background after any file in storage changed, so whatever
// the game saved survives a reload a moment later.
void quivex_mount_storage(const char* dir);
void quivex_save_storage();
void quivex_show_quit();
}

// Passes run while the game's clock is behind the page's by half a picture or more: one per animation
// frame on a 60 Hz display, none or one at higher rates, two at 30 Hz. A page that fell further behind
// (a hidden tab) skips the time rather than racing to catch up.
EM_BOOL OnAnimationFrame(double, void*) {
    FitCanvas();
    PumpSound();
    uint64_t now = PageTime();
    uint64_t firstPresent = PresentCount();
    for (int passes = 0; passes < kMaxPassesPerAnimationFrame; ++passes) {
        if (PresentCount() - firstPresent >= kMaxPresentsPerAnimationFrame) break;
        if (GameTime() + stepMicros / 2 > now) break;
        // Two pictures due: only the second is seen, so the first costs no drawing.
        if (PresentCount() == firstPresent && GameTime() + stepMicros + stepMicros / 2 <= now) HideNextPicture();
        uint64_t before = GameTime(), presents = PresentCount();
        int exitCode = 0;
        if (!gamePass(exitCode)) {
            quivex_save_storage();
            quivex_show_quit();
            return false;
        }
        if (PresentCount() != presents && GameTime() - before > 1000) stepMicros = GameTime() - before;
    }
    if (GameTime() + stepMicros / 2 <= now) SetGameTime(now);
    quivex_save_storage();
    return true;
}

}  // namespace

// Pictures shown so far, for the page's own measurements (the browser test, frame rates).
extern "C" EMSCRIPTEN_KEEPALIVE double quivex_presents() { return static_cast<double>(PresentCount()); }

extern "C" EMSCRIPTEN_KEEPALIVE void quivex_storage_ready() {
    chdir(kStorageDir);
    whenReady();
}

void StartWebPlatform(void (*ready)()) {
    whenReady = ready;
    quivex_mount_storage(kStorageDir);
}

void RunOnAnimationFrames(bool (*pass)(int& exitCode)) {
    gamePass = pass;
    SetGameTime(PageTime());
    emscripten_request_animation_frame_loop(OnAnimationFrame, nullptr);
}

}  // namespace plat
