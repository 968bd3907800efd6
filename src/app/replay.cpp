#include "app/replay.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/replay_viewer.h"
#include "frontend/state_hash.h"
#include "audio/audio.h"
#include "frontend/menu.h"
#include "game/records.h"
#include "game/ship.h"
#include "online/boards.h"
#include "input/controls.h"
#include "input/devices.h"
#include "render/camera.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/random.h"

namespace {

// The file: magic, format, the game's version, frames, final hash, the two parts' sizes before and
// after compression, then the compressed snapshot and the compressed inputs.
const char kMagic[4] = {'Q', 'X', 'R', 'P'};
constexpr uint32_t kFormat = 2;       // 2: the snapshot is the world, number by number
constexpr uint32_t kGameVersion = 2;  // raise with any change that alters how a recorded game plays
constexpr size_t kHeaderSize = 4 + 4 + 4 + 4 + 4 + 8 + 4 * 4;
constexpr uint32_t kMaxPart = 64u << 20;

constexpr size_t kInputRoom = 1 << 20;  // a long game's input changes

// The replay recorded or played, and the files the game keeps.
struct ReplayState {
    std::vector<unsigned char> snapshot, inputs;
    std::vector<unsigned char> packedSnapshot, packedInputs, fileBytes;  // room made once, at start-up
    std::vector<unsigned char> playerState;  // the player's own state while a replay plays
    std::vector<unsigned char> aside;        // the state while a file's snapshot is checked
    unsigned char previous[kControlsBytes];
    uint32_t unchangedRun;
    long long frames;
    uint64_t finalHash;
    bool recording;
    size_t readAt;
    long long played;
    uint32_t flags;
    bool active;
    bool pending;      // a record's run is being played out
    uint32_t changes;  // bytes its change sets
    int32_t hiScoreAtStart;  // of the game being recorded
    bool escapeHeld;         // while watching
};
ReplayState R;

// A replay starts in a game, and nothing in its snapshot may be what no game reaches. The snapshot is
// put in place only to be looked at, and the state before it goes straight back.
bool PossibleStart(const std::vector<unsigned char>& start) {
    TakeSnapshot(R.aside);
    PutSnapshot(start);
    const bool possible =
        (W.Program.GameMode == Mode::Playing || W.Program.GameMode == Mode::Paused) && !ImpossibleGameState();
    PutSnapshot(R.aside);
    return possible;
}

void PutVarint(std::vector<unsigned char>& out, uint32_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<unsigned char>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<unsigned char>(v));
}

bool GetVarint(const std::vector<unsigned char>& in, size_t& at, uint32_t& v) {
    v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        if (at >= in.size()) return false;
        unsigned char b = in[at++];
        v |= static_cast<uint32_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

// A run of unchanged frames, then the bytes the next frame changed (index, value).
void FlushRun(const unsigned char* next) {
    PutVarint(R.inputs, R.unchangedRun);
    R.unchangedRun = 0;
    uint32_t changed = 0;
    for (size_t i = 0; i < kControlsBytes; ++i) changed += R.previous[i] != next[i];
    PutVarint(R.inputs, changed);
    for (size_t i = 0; i < kControlsBytes; ++i)
        if (R.previous[i] != next[i]) {
            PutVarint(R.inputs, static_cast<uint32_t>(i));
            R.inputs.push_back(next[i]);
        }
    std::memcpy(R.previous, next, kControlsBytes);
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
uint32_t Get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

bool Compress(const std::vector<unsigned char>& in, std::vector<unsigned char>& out) {
    uLongf size = compressBound(static_cast<uLong>(in.size()));
    out.resize(size);
    if (compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), Z_BEST_SPEED) != Z_OK) return false;
    out.resize(size);
    return true;
}

bool Uncompress(const unsigned char* in, size_t inSize, size_t outSize, std::vector<unsigned char>& out) {
    out.resize(outSize);
    uLongf size = static_cast<uLongf>(outSize);
    return uncompress(out.data(), &size, in, static_cast<uLong>(inSize)) == Z_OK && size == outSize;
}

}  // namespace

void BeginRecording() {
    TakeSnapshot(R.snapshot);
    R.inputs.clear();
    std::memset(R.previous, 0, sizeof R.previous);
    R.unchangedRun = 0;
    R.frames = 0;
    R.recording = true;
}

bool Recording() { return R.recording; }

void RecordFrameControls(const Controls& controls) {
    if (!R.recording) return;
    unsigned char now[kControlsBytes];
    ControlsToBytes(controls, now);
    if (std::memcmp(now, R.previous, kControlsBytes) == 0) ++R.unchangedRun;
    else FlushRun(now);
    ++R.frames;
}

void FinishRecording() {
    if (!R.recording) return;
    PutVarint(R.inputs, R.unchangedRun);
    PutVarint(R.inputs, 0);
    R.unchangedRun = 0;
    R.finalHash = HashGameState();
    R.recording = false;
}

void FormatRecording(std::vector<unsigned char>& file) {
    file.clear();
    if (!Compress(R.snapshot, R.packedSnapshot) || !Compress(R.inputs, R.packedInputs)) return;
    file.insert(file.end(), kMagic, kMagic + 4);
    Put32(file, kFormat);
    Put32(file, kGameVersion);
    Put32(file, R.flags);
    Put32(file, static_cast<uint32_t>(R.frames));
    Put32(file, static_cast<uint32_t>(R.finalHash));
    Put32(file, static_cast<uint32_t>(R.finalHash >> 32));
    Put32(file, static_cast<uint32_t>(R.snapshot.size()));
    Put32(file, static_cast<uint32_t>(R.packedSnapshot.size()));
    Put32(file, static_cast<uint32_t>(R.inputs.size()));
    Put32(file, static_cast<uint32_t>(R.packedInputs.size()));
    file.insert(file.end(), R.packedSnapshot.begin(), R.packedSnapshot.end());
    file.insert(file.end(), R.packedInputs.begin(), R.packedInputs.end());
}

bool SaveRecording(const char* path, std::string& error) {
    std::vector<unsigned char> file;
    FormatRecording(file);
    std::FILE* f = file.empty() ? nullptr : std::fopen(path, "wb");
    bool ok = f && std::fwrite(file.data(), 1, file.size(), f) == file.size();
    if (f) ok = std::fclose(f) == 0 && ok;
    if (!ok) error = std::string("cannot write ") + path;
    return ok;
}

bool ReadReplay(const unsigned char* data, size_t size, std::string& error) {
    R.frames = 0;
    if (size < kHeaderSize || std::memcmp(data, kMagic, 4) != 0) {
        error = "not a replay file";
        return false;
    }
    const uint32_t readFormat = Get32(data + 4), version = Get32(data + 8);
    if (version != kGameVersion) {
        error = "a replay of game version " + std::to_string(version) + ", which this game (version " +
                std::to_string(kGameVersion) + ") does not play";
        return false;
    }
    if (readFormat != kFormat) {
        error = "a replay of another version of the game";
        return false;
    }
    uint32_t readFlags = Get32(data + 12);
    uint32_t count = Get32(data + 16);
    uint64_t hash = Get32(data + 20) | static_cast<uint64_t>(Get32(data + 24)) << 32;
    uint32_t snapSize = Get32(data + 28), snapPacked = Get32(data + 32);
    uint32_t inSize = Get32(data + 36), inPacked = Get32(data + 40);
    if (snapSize != SnapshotBytes() || inSize > kMaxPart || snapPacked > size || inPacked > size ||
        kHeaderSize + static_cast<uint64_t>(snapPacked) + inPacked != size) {
        error = "the replay is cut short or damaged";
        return false;
    }
    if (!Uncompress(data + kHeaderSize, snapPacked, snapSize, R.snapshot) ||
        !Uncompress(data + kHeaderSize + snapPacked, inPacked, inSize, R.inputs) || !PossibleStart(R.snapshot)) {
        error = "the replay is damaged";
        return false;
    }
    // Walk the inputs once, so playing never meets a damaged record half way through a game.
    long long total = 0;
    size_t at = 0;
    for (;;) {
        uint32_t run = 0, changed = 0;
        if (!GetVarint(R.inputs, at, run) || !GetVarint(R.inputs, at, changed)) break;
        total += run;
        if (changed == 0) {
            if (at == R.inputs.size() && total == count && readFlags <= kReplayIndestructible) {
                R.frames = count;
                R.finalHash = hash;
                R.flags = readFlags;
                return true;
            }
            break;
        }
        bool bad = false;
        for (uint32_t i = 0; i < changed && !bad; ++i) {
            uint32_t index = 0;
            bad = !GetVarint(R.inputs, at, index) || index >= kControlsBytes || at >= R.inputs.size();
            ++at;
        }
        if (bad) break;
        ++total;
    }
    error = "the replay is damaged";
    return false;
}

bool LoadReplay(const char* path, std::string& error) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::string("cannot read ") + path;
        return false;
    }
    std::vector<unsigned char> bytes;
    unsigned char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return ReadReplay(bytes.data(), bytes.size(), error);
}

void StartPlayback() {
    ViewerKeepsPlayersControls();
    PutSnapshot(R.snapshot);
    std::memset(R.previous, 0, sizeof R.previous);
    R.readAt = 0;
    R.pending = false;
    R.played = 0;
    R.active = true;
    ViewerPlaybackStarted();
}

void PutReplayStart() { PutSnapshot(R.snapshot); }
uint32_t GameVersion() { return kGameVersion; }

bool PlaybackActive() { return R.active; }
bool PlaybackDone() { return R.played >= R.frames; }
long long PlaybackPosition() { return R.played; }

PlaybackPlace TakePlaybackPlace() {
    PlaybackPlace place{R.readAt, R.unchangedRun, {}, R.pending, R.changes, R.played};
    std::memcpy(place.previous, R.previous, sizeof R.previous);
    return place;
}

void PutPlaybackPlace(const PlaybackPlace& place) {
    R.readAt = place.readAt;
    R.unchangedRun = place.unchangedRun;
    std::memcpy(R.previous, place.previous, sizeof R.previous);
    R.pending = place.pending;
    R.changes = place.changes;
    R.played = place.played;
}

bool PlaybackControls(Controls& controls) {
    if (R.played >= R.frames) {
        R.active = false;
        return false;
    }
    if (!R.pending) {
        GetVarint(R.inputs, R.readAt, R.unchangedRun);
        GetVarint(R.inputs, R.readAt, R.changes);
        R.pending = true;
    }
    if (R.unchangedRun > 0) {
        --R.unchangedRun;
    } else {
        for (uint32_t i = 0; i < R.changes; ++i) {
            uint32_t index = 0;
            GetVarint(R.inputs, R.readAt, index);
            R.previous[index] = R.inputs[R.readAt++];
        }
        R.pending = false;
    }
    controls = ControlsFromBytes(R.previous);
    ++R.played;
    if ((R.flags & kReplayIndestructible) && ShipAlive) W.Invulnerable = 1;  // as the runner kept it
    return true;
}

void SetReplayFlags(uint32_t value) { R.flags = value; }
uint32_t ReplayFlags() { return R.flags; }

long long ReplayFrames() { return R.frames; }
uint64_t ReplayHash() { return R.finalHash; }

namespace {

bool InGame() { return W.Program.GameMode == Mode::Playing || W.Program.GameMode == Mode::Paused; }

void Keep(const char* name, const std::vector<unsigned char>& file) {
    char temp[64];
    std::snprintf(temp, sizeof temp, "%s.tmp", name);
    if (!MakeDataFolder("replays")) LogError("could not save %s: %s\n", name, std::strerror(errno));
    else WriteDataFileAtomically(name, temp, file.data(), file.size());
}

}  // namespace

void RecordGamesBeforeFrame() {
    if (Recording() || PlaybackActive() || W.Host.WatchingReplay || !InGame()) return;
    R.hiScoreAtStart = W.Saved.HiScore;
    BeginRecording();
}

void RecordGamesAfterFrame() {
    if (!Recording() || InGame()) return;
    RecordsAtGameEnd();
    FinishRecording();
    FormatRecording(R.fileBytes);
    if (R.fileBytes.empty()) return;
    Keep(kRecordReplays[ReplayLast], R.fileBytes);
    // The full game that set the high score, and the game that set a record, are kept as that record's
    // replay, and offered to the online boards.
    if (W.Game.PlayType == Play::FullGame && W.Saved.HiScore > R.hiScoreAtStart) {
        Keep(kRecordReplays[ReplayBest], R.fileBytes);
        OfferRecordReplay(ReplayBest, R.fileBytes);
    }
    if (News.replay > ReplayBest && News.replay < kReplayFiles) {
        Keep(kRecordReplays[News.replay], R.fileBytes);
        OfferRecordReplay(News.replay, R.fileBytes);
    }
}

void PrepareReplays() {
    const size_t state = SnapshotBytes();
    R.snapshot.reserve(state);
    R.playerState.reserve(state);
    R.aside.reserve(state);
    R.inputs.reserve(kInputRoom);
    R.packedSnapshot.reserve(compressBound(static_cast<uLong>(state)));
    R.packedInputs.reserve(compressBound(static_cast<uLong>(kInputRoom)));
    R.fileBytes.reserve(R.packedSnapshot.capacity() + R.packedInputs.capacity() + kHeaderSize);
    PrepareReplayViewer();
}

void PerformWatchRequest() {
    int which = W.Host.WatchReplayRequest;
    W.Host.WatchReplayRequest = -1;
    if (which < 0 || which >= kReplayFiles || W.Host.WatchingReplay) return;
    std::string error;
    if (!LoadReplay(DataPath(kRecordReplays[which]), error)) {
        LogError("replay: %s\n", error.c_str());
        W.Host.ReplayUnreadableTimer = 180;
        return;
    }
    TakeSnapshot(R.playerState);
    StartPlayback();
    W.Host.WatchingReplay = 1;
    R.escapeHeld = true;  // the key that chose it may still be down
    int track = W.MusicTrack;
    StopMusic();
    if (track >= 0) StartMusic(track);
}

void StopWatching() {
    if (!W.Host.WatchingReplay) return;
    R.active = false;
    StopMusic();
    PutSnapshot(R.playerState);
    W.Host.WatchingReplay = 0;
    // Whatever is held now was pressed during the replay: it acts on the menu only once let go.
    W.EscapeLatch = W.MenuKeyLatch = 1;
}

void WatchInputStep(bool escape, bool fastForwardOff, bool fastForwardOn) {
    if (escape && !R.escapeHeld) {
        StopWatching();
        return;
    }
    R.escapeHeld = escape;
    if (fastForwardOff) W.Host.FastForward = 0;
    if (fastForwardOn) W.Host.FastForward = 1;
}

void AfterWatchedFrame() {
    // A recorded game ends on the frame it leaves play: whatever a file holds past that would work the
    // menus (and save what they change, or quit), so watching ends there too.
    if (W.Host.WatchingReplay && (PlaybackDone() || !InGame())) StopWatching();
}

void ResetReplay() {
    R.playerState.clear();
    R.aside.clear();
    R.escapeHeld = false;
    R.snapshot.clear();
    R.inputs.clear();
    R.recording = R.active = false;
    R.flags = 0;
    R.frames = R.played = 0;
    R.finalHash = 0;
    R.unchangedRun = R.changes = 0;
    R.readAt = 0;
    R.pending = false;
}
