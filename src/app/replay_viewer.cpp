#include "app/replay_viewer.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/input_step.h"
#include "app/main_loop.h"
#include "draw/frame.h"
#include "app/replay.h"
#include "frontend/state_hash.h"
#include "audio/audio.h"
#include "frontend/hud.h"
#include "game/particles.h"
#include "game/player_shots.h"
#include "game/ship_life.h"
#include "input/devices.h"
#include "platform/platform.h"
#include "render/background.h"
#include "render/camera.h"
#include "shell/bindings.h"
#include "world/world.h"
#include "shell/random.h"
#include "render/timing.h"

namespace {

int32_t HudFrames(int64_t frames) { return static_cast<int32_t>(std::clamp<int64_t>(frames, 0, INT32_MAX)); }

constexpr size_t kArenaBytes = 16u << 20;  // a long game's snapshots many times over
constexpr int kSlots = 128;
constexpr long long kFirstInterval = 120;  // two seconds
constexpr long long kRewindFrames = 300;   // five seconds
constexpr int kKeyHome = 199;

// A moment of the replay: the world as a copy, the random generator and the playback's place.
struct Moment {
    World world;
    uint32_t random;
    PlaybackPlace place;
};


size_t ViewSize() { return sizeof(Moment); }

// Copied in and out by its parts: the world is too large to build a Moment on a small stack.
void Take(std::vector<unsigned char>& out) {
    const uint32_t random = RandomState();
    const PlaybackPlace place = TakePlaybackPlace();
    std::memcpy(out.data() + offsetof(Moment, world), &W, sizeof W);
    std::memcpy(out.data() + offsetof(Moment, random), &random, sizeof random);
    std::memcpy(out.data() + offsetof(Moment, place), &place, sizeof place);
}

void Put(const std::vector<unsigned char>& in) {
    uint32_t random;
    PlaybackPlace place;
    // The moment is the game's; the host's own variables (the HUD, the menu's requests) stay as they are.
    const HostVars host = W.Host;
    std::memcpy(&W, in.data() + offsetof(Moment, world), sizeof W);
    W.Host = host;
    std::memcpy(&random, in.data() + offsetof(Moment, random), sizeof random);
    std::memcpy(&place, in.data() + offsetof(Moment, place), sizeof place);
    SeedRandom(random);
    PutPlaybackPlace(place);
}

// The snapshots, packed one after another into an arena made once; the first is the replay's start.
struct Slot {
    long long frame;
    size_t at, size;
};

// The player's own keys, controller and bindings, swapped in only while the viewer reads them: the
// replay's game sees nothing but the file's input.
struct PlayersDevices {
    DeviceState devices;
    std::array<int32_t, kBindingSlots> bindings;
};

// The viewer: its moments, the player's own devices while it reads its keys, and its controls.
struct ViewerState {
    std::vector<unsigned char> raw;     // a snapshot before packing, or after unpacking
    std::vector<unsigned char> moment;  // the state before the frame on show, to draw it again
    std::unique_ptr<unsigned char[]> arena;
    Slot slots[kSlots];
    int slotCount;
    size_t arenaUsed;
    long long interval = kFirstInterval;
    // Made once and reset for each use, so packing and unpacking allocate nothing.
    z_stream packer, unpacker;
    PlayersDevices players;
    bool paused, halfShown, ended, momentKept;
    int32_t speed = SpeedOne;
    unsigned latched;  // held at the last pass: each control acts once per press
};
ViewerState V;

bool Pack(size_t& size) {
    deflateReset(&V.packer);
    V.packer.next_in = V.raw.data();
    V.packer.avail_in = static_cast<uInt>(V.raw.size());
    V.packer.next_out = V.arena.get() + V.arenaUsed;
    V.packer.avail_out = static_cast<uInt>(kArenaBytes - V.arenaUsed);
    const bool whole = deflate(&V.packer, Z_FINISH) == Z_STREAM_END;
    size = kArenaBytes - V.arenaUsed - V.packer.avail_out;
    return whole;
}

bool Unpack(const Slot& slot) {
    inflateReset(&V.unpacker);
    V.unpacker.next_in = V.arena.get() + slot.at;
    V.unpacker.avail_in = static_cast<uInt>(slot.size);
    V.unpacker.next_out = V.raw.data();
    V.unpacker.avail_out = static_cast<uInt>(V.raw.size());
    return inflate(&V.unpacker, Z_FINISH) == Z_STREAM_END && V.unpacker.avail_out == 0;
}

// Full: every other snapshot goes (never the start), and from now on they are taken half as often.
void Thin() {
    int kept = 0;
    size_t used = 0;
    for (int i = 0; i < V.slotCount; i += 2) {
        std::memmove(V.arena.get() + used, V.arena.get() + V.slots[i].at, V.slots[i].size);
        V.slots[kept++] = {V.slots[i].frame, used, V.slots[i].size};
        used += V.slots[i].size;
    }
    V.slotCount = kept;
    V.arenaUsed = used;
    V.interval *= 2;
}

// After each frame played: a snapshot when one is due and that moment has none yet.
void KeepSnapshot() {
    const long long frame = PlaybackPosition();
    if (!V.arena || frame % V.interval != 0 || (V.slotCount > 0 && frame <= V.slots[V.slotCount - 1].frame)) return;
    Take(V.raw);
    for (int tries = 0; tries < 4 && frame % V.interval == 0; ++tries) {
        size_t size = 0;
        if (V.slotCount < kSlots && Pack(size)) {
            V.slots[V.slotCount++] = {frame, V.arenaUsed, size};
            V.arenaUsed += size;
            return;
        }
        Thin();
    }
}


void SwapDevices() {
    std::swap(Devices, V.players.devices);
    std::swap(W.Saved.Bindings, V.players.bindings);
}

enum : unsigned { kPause = 1, kStep = 2, kFaster = 4, kSlower = 8, kBack = 16, kToStart = 32, kEscape = 64, kF1 = 128, kF2 = 256 };

unsigned ReadViewerKeys() {
    SwapDevices();
    PollInputDevices();
    // The fire button pauses too, so a controller always can, whatever the pause binding is.
    const bool held[] = {IsInputDown(W.Saved.Bindings[SlotPause]) || FireHeld(), RightHeld(), UpHeld(), DownHeld(),
                         LeftHeld(), ShieldHeld() || IsInputDown(kKeyHome), IsInputDown(KeyEscape),
                         IsInputDown(KeyF1), IsInputDown(KeyF2)};
    SwapDevices();
    unsigned bits = 0;
    for (size_t i = 0; i < std::size(held); ++i) bits |= held[i] ? 1u << i : 0;
    return bits;
}


bool Over() {
    return PlaybackDone() || (W.Program.GameMode != Mode::Playing && W.Program.GameMode != Mode::Paused);
}

// One of the replay's frames, as the frame loop runs it.
void PlayFrame(bool seen) {
    // The start is kept here rather than when the playback starts: a watched replay's first picture is
    // drawn in the pass that chose it, and going back to the start must go back to after that.
    if (V.slotCount == 0 && PlaybackPosition() == 0) KeepSnapshot();
    W.Host.ReplayHud.position = HudFrames(PlaybackPosition() + 1);
    StepFrame(seen);
    KeepSnapshot();
}

void ShowNextFrame() {
    if (!V.moment.empty()) Take(V.moment);
    V.momentKept = !V.moment.empty();
    PlayFrame(true);
}

// The frame on show played again from the state before it: the same picture, nothing heard twice.
void ShowAgain() {
    if (!V.momentKept) return ShowNextFrame();
    Put(V.moment);
    QuietSound(true);
    PlayFrame(true);
    QuietSound(false);
}

}  // namespace

void PrepareReplayViewer() {
    if (V.arena) return;
    V.raw.resize(ViewSize());
    V.moment.resize(V.raw.size());
    V.arena.reset(new unsigned char[kArenaBytes]);
    deflateInit(&V.packer, Z_BEST_SPEED);
    inflateInit(&V.unpacker);
    // Once through both, so whatever working memory they take is in place before a frame needs it.
    size_t size = 0;
    Take(V.raw);
    if (Pack(size)) Unpack({0, 0, size});
}

void ViewerKeepsPlayersControls() {
    V.players = {Devices, W.Saved.Bindings};
}

void ViewerPlaybackStarted() {
    V.paused = V.halfShown = V.ended = V.momentKept = false;
    V.speed = SpeedOne;
    V.latched = ~0u;  // what chose the replay may still be held
    V.slotCount = 0;
    V.arenaUsed = 0;
    V.interval = kFirstInterval;
}

bool WatchedPass() {
    if (!W.Host.WatchingReplay) return false;
    // The last frame has been shown: the player's own state comes back, and this pass is the menu's.
    if (V.ended) {
        V.ended = false;
        StopWatching();
        return false;
    }
    const unsigned held = ReadViewerKeys(), pressed = held & ~V.latched;
    V.latched = held;
    WatchInputStep(held & kEscape, held & kF1, held & kF2);
    if (!W.Host.WatchingReplay) return false;
    if (pressed & kPause) V.paused = !V.paused;
    if ((pressed & kFaster) && V.speed < SpeedFour) ++V.speed;
    if ((pressed & kSlower) && V.speed > SpeedHalf) --V.speed;
    W.Host.ReplayHud.length = HudFrames(ReplayFrames());
    W.Host.ReplayHud.speed = V.paused ? SpeedPaused : V.speed;

    if (pressed & (kToStart | kBack)) {
        // The first frame there is drawn at once, paused or not.
        const long long to = pressed & kToStart ? 1 : std::max(1LL, PlaybackPosition() - kRewindFrames);
        SeekPlayback(to - 1);
        ShowNextFrame();
    } else if (V.paused) {
        if (pressed & kStep) ShowNextFrame();
        else ShowAgain();
    } else if (V.speed == SpeedHalf) {
        V.halfShown = !V.halfShown;
        if (V.halfShown) ShowNextFrame();
        else ShowAgain();
    } else {
        for (int unseen = V.speed == SpeedFour ? 3 : V.speed == SpeedTwo ? 1 : 0; unseen > 0 && !Over(); --unseen)
            PlayFrame(false);
        if (!Over()) ShowNextFrame();
    }
    V.ended = Over();
    return true;
}

bool SeekPlayback(long long frame) {
    if (!PlaybackActive() || frame < 0 || frame > ReplayFrames()) return false;
    int from = V.slotCount - 1;
    while (from > 0 && V.slots[from].frame > frame) --from;
    const long long at = PlaybackPosition();
    if (at > frame || (V.slotCount > 0 && V.slots[from].frame > at)) {
        if (V.slotCount == 0 || !Unpack(V.slots[from])) return false;
        Put(V.raw);
    }
    QuietSound(true);
    while (PlaybackPosition() < frame) PlayFrame(false);
    QuietSound(false);
    RestartMusic();
    V.momentKept = false;
    return true;
}

void ResetReplayViewer() {
    V.paused = V.halfShown = V.ended = V.momentKept = false;
    V.speed = SpeedOne;
    V.latched = 0;
    V.slotCount = 0;
    V.arenaUsed = 0;
    V.interval = kFirstInterval;
}
