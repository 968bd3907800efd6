// The replay viewer: a game flown by the autopilot, watched with every key of the viewer, still ends in
// the state it was recorded in; a frame reached by rewinding draws what it drew the first time.
#include <map>
#include <string>

#include "app/replay.h"
#include "frontend/state_hash.h"
#include "frontend/front_support.h"
#include "frontend/hud.h"
#include "frontend/menu.h"
#include "world/world.h"

namespace {

constexpr int kPause = 197, kFire = 45, kShield = 44, kHome = 199;

class ReplayViewerTest : public FrontEndTest {
protected:
    // One pass with `code` held (0: none), then the frame on show; `drawn` is what the pass drew.
    int64_t Shown(int code = 0) {
        if (code) h().input.Press(code);
        h().gfx.drawnHash = 0;
        Pass();
        drawn = h().gfx.drawnHash;
        if (code) h().input.Release(code);
        return W.Host.ReplayHud.position;
    }
    uint64_t drawn = 0;
};

TEST_F(ReplayViewerTest, PausedSteppedSpedRewoundAndRestartedItEndsAsRecorded) {
    std::string out;
    ASSERT_EQ(RunCommand("mkdir -p " + dir + "/replays && " + QUIVEX_SIM_PATH + " --dir " + dir +
                             "/rec --start level 1 --bot --frames 2400 --record " + dir + "/replays/last.qxr",
                         out), 0) << out;
    W.Host.WatchReplayRequest = 0;
    Pass();
    ASSERT_EQ(W.Host.WatchingReplay, 1);
    h().gfx.hashDrawing = true;

    // Played on to 1000, then back five seconds and on again, then from the start (the shield key): the
    // same pictures frame by frame.
    std::map<int64_t, uint64_t> first;
    while (Shown() < 1000) first[W.Host.ReplayHud.position] = drawn;
    for (int back : {kKeyLeft, kShield}) {
        int differ = 0, compared = 0;
        for (int64_t at = Shown(back); at < 1000; at = Shown()) differ += first.at(at) != drawn, ++compared;
        EXPECT_EQ(compared, back == kKeyLeft ? 300 : 999);
        EXPECT_EQ(differ, 0);
    }

    // Paused (by the pause key, played on by fire), it holds its frame; stepped, one frame a press.
    const int64_t held = Shown(kPause);
    EXPECT_EQ(W.Host.ReplayHud.speed, SpeedPaused);
    for (int step = 1; step <= 2; ++step) {
        EXPECT_EQ(Shown(kKeyRight), held + step);
        EXPECT_EQ(Shown(), held + step);
    }
    EXPECT_EQ(Shown(kFire), held + 3);
    // Faster twice, then slower three times: the frames four passes play at each speed.
    const int keys[] = {kKeyUp, kKeyUp, kKeyDown, kKeyDown, kKeyDown}, played[] = {8, 16, 8, 4, 2};
    for (int i = 0; i < 5; ++i) {
        const int64_t from = Shown(keys[i]);
        int64_t to = from;
        for (int pass = 0; pass < 4; ++pass) to = Shown();
        EXPECT_EQ(to - from, played[i]) << i;
    }
    // Back to the start (Home, the shield key) and on from there at 4x, a few times, then to the end.
    for (int faster = 0; faster < 3; ++faster) Shown(kKeyUp), Shown();
    for (int key : {kHome, kShield, kHome}) {
        EXPECT_EQ(Shown(key), 1);
        while (Shown() < 900) {
        }
    }
    while (W.Host.WatchingReplay && !PlaybackDone()) Shown();
    EXPECT_EQ(W.Host.WatchingReplay, 1);
    EXPECT_EQ(HashGameState(), ReplayHash());
    Pass();
    EXPECT_EQ(W.Host.WatchingReplay, 0);
}

}  // namespace
