#include "app/replay_viewer.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/input_step.h"
#include "app/main_loop.h"
#include "app/render_frame.h"
#include "app/replay.h"
#include "app/state_hash.h"
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
#include "shell/timing.h"

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

std::vector<unsigned char> raw;     // a snapshot before packing, or after unpacking
std::vector<unsigned char> moment;  // the state before the frame on show, to draw it again

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
std::unique_ptr<unsigned char[]> arena;
Slot slots[kSlots];
int slotCount;
size_t arenaUsed;
long long interval = kFirstInterval;
// Made once and reset for each use, so packing and unpacking allocate nothing.
z_stream packer, unpacker;

bool Pack(size_t& size) {
    deflateReset(&packer);
    packer.next_in = raw.data();
    packer.avail_in = static_cast<uInt>(raw.size());
    packer.next_out = arena.get() + arenaUsed;
    packer.avail_out = static_cast<uInt>(kArenaBytes - arenaUsed);
    const bool whole = deflate(&packer, Z_FINISH) == Z_STREAM_END;
    size = kArenaBytes - arenaUsed - packer.avail_out;
    return whole;
}

bool Unpack(const Slot& slot) {
    inflateReset(&unpacker);
    unpacker.next_in = arena.get() + slot.at;
    unpacker.avail_in = static_cast<uInt>(slot.size);
    unpacker.next_out = raw.data();
    unpacker.avail_out = static_cast<uInt>(raw.size());
    return inflate(&unpacker, Z_FINISH) == Z_STREAM_END && unpacker.avail_out == 0;
}

// Full: every other snapshot goes (never the start), and from now on they are taken half as often.
void Thin() {
    int kept = 0;
    size_t used = 0;
    for (int i = 0; i < slotCount; i += 2) {
        std::memmove(arena.get() + used, arena.get() + slots[i].at, slots[i].size);
        slots[kept++] = {slots[i].frame, used, slots[i].size};
        used += slots[i].size;
    }
    slotCount = kept;
    arenaUsed = used;
    interval *= 2;
}

// After each frame played: a snapshot when one is due and that moment has none yet.
void KeepSnapshot() {
    const long long frame = PlaybackPosition();
    if (!arena || frame % interval != 0 || (slotCount > 0 && frame <= slots[slotCount - 1].frame)) return;
    Take(raw);
    for (int tries = 0; tries < 4 && frame % interval == 0; ++tries) {
        size_t size = 0;
        if (slotCount < kSlots && Pack(size)) {
            slots[slotCount++] = {frame, arenaUsed, size};
            arenaUsed += size;
            return;
        }
        Thin();
    }
}

// The player's own keys, controller and bindings, swapped in only while the viewer reads them: the
// replay's game sees nothing but the file's input.
struct PlayersDevices {
    uint8_t keyboard[256];
    bool joystickPresent;
    plat::JoystickState joystick;
    int32_t bindings[kBindingSlots];
};
PlayersDevices players;

void SwapDevices() {
    std::swap_ranges(KeyboardState, KeyboardState + 256, players.keyboard);
    std::swap(JoystickPresent, players.joystickPresent);
    std::swap(Joystick, players.joystick);
    std::swap_ranges(W.Saved.Bindings.begin(), W.Saved.Bindings.end(), players.bindings);
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

bool paused, halfShown, ended, momentKept;
int32_t speed = SpeedOne;
unsigned latched;  // held at the last pass: each control acts once per press

bool Over() {
    return PlaybackDone() || (W.Program.GameMode != Mode::Playing && W.Program.GameMode != Mode::Paused);
}

// One of the replay's frames, as the frame loop runs it.
void PlayFrame(bool seen) {
    // The start is kept here rather than when the playback starts: a watched replay's first picture is
    // drawn in the pass that chose it, and going back to the start must go back to after that.
    if (slotCount == 0 && PlaybackPosition() == 0) KeepSnapshot();
    W.Host.ReplayHud.position = HudFrames(PlaybackPosition() + 1);
    StepFrame(seen);
    KeepSnapshot();
}

void ShowNextFrame() {
    if (!moment.empty()) Take(moment);
    momentKept = !moment.empty();
    PlayFrame(true);
}

// The frame on show played again from the state before it: the same picture, nothing heard twice.
void ShowAgain() {
    if (!momentKept) return ShowNextFrame();
    Put(moment);
    QuietSound(true);
    PlayFrame(true);
    QuietSound(false);
}

}  // namespace

void PrepareReplayViewer() {
    if (arena) return;
    raw.resize(ViewSize());
    moment.resize(raw.size());
    arena.reset(new unsigned char[kArenaBytes]);
    deflateInit(&packer, Z_BEST_SPEED);
    inflateInit(&unpacker);
    // Once through both, so whatever working memory they take is in place before a frame needs it.
    size_t size = 0;
    Take(raw);
    if (Pack(size)) Unpack({0, 0, size});
}

void ViewerKeepsPlayersControls() {
    std::memcpy(players.keyboard, KeyboardState, sizeof players.keyboard);
    players.joystickPresent = JoystickPresent;
    players.joystick = Joystick;
    std::memcpy(players.bindings, W.Saved.Bindings.data(), sizeof players.bindings);
}

void ViewerPlaybackStarted() {
    paused = halfShown = ended = momentKept = false;
    speed = SpeedOne;
    latched = ~0u;  // what chose the replay may still be held
    slotCount = 0;
    arenaUsed = 0;
    interval = kFirstInterval;
}

bool WatchedPass() {
    if (!W.Host.WatchingReplay) return false;
    // The last frame has been shown: the player's own state comes back, and this pass is the menu's.
    if (ended) {
        ended = false;
        StopWatching();
        return false;
    }
    const unsigned held = ReadViewerKeys(), pressed = held & ~latched;
    latched = held;
    WatchInputStep(held & kEscape, held & kF1, held & kF2);
    if (!W.Host.WatchingReplay) return false;
    if (pressed & kPause) paused = !paused;
    if ((pressed & kFaster) && speed < SpeedFour) ++speed;
    if ((pressed & kSlower) && speed > SpeedHalf) --speed;
    W.Host.ReplayHud.length = HudFrames(ReplayFrames());
    W.Host.ReplayHud.speed = paused ? SpeedPaused : speed;

    if (pressed & (kToStart | kBack)) {
        // The first frame there is drawn at once, paused or not.
        const long long to = pressed & kToStart ? 1 : std::max(1LL, PlaybackPosition() - kRewindFrames);
        SeekPlayback(to - 1);
        ShowNextFrame();
    } else if (paused) {
        if (pressed & kStep) ShowNextFrame();
        else ShowAgain();
    } else if (speed == SpeedHalf) {
        halfShown = !halfShown;
        if (halfShown) ShowNextFrame();
        else ShowAgain();
    } else {
        for (int unseen = speed == SpeedFour ? 3 : speed == SpeedTwo ? 1 : 0; unseen > 0 && !Over(); --unseen)
            PlayFrame(false);
        if (!Over()) ShowNextFrame();
    }
    ended = Over();
    return true;
}

bool SeekPlayback(long long frame) {
    if (!PlaybackActive() || frame < 0 || frame > ReplayFrames()) return false;
    int from = slotCount - 1;
    while (from > 0 && slots[from].frame > frame) --from;
    const long long at = PlaybackPosition();
    if (at > frame || (slotCount > 0 && slots[from].frame > at)) {
        if (slotCount == 0 || !Unpack(slots[from])) return false;
        Put(raw);
    }
    QuietSound(true);
    while (PlaybackPosition() < frame) PlayFrame(false);
    QuietSound(false);
    RestartMusic();
    momentKept = false;
    return true;
}

void ResetReplayViewer() {
    paused = halfShown = ended = momentKept = false;
    speed = SpeedOne;
    latched = 0;
    slotCount = 0;
    arenaUsed = 0;
    interval = kFirstInterval;
}
