// quivex-forge: replays no game makes, for the checks that must refuse them. Each is written by the game's
// own recorder, so it reads as a whole replay and, when played, ends in the state it claims.
//   boss-hp     a boss practice whose boss has one hit point left
//   lives       a full game started with ninety lives
//   clock       a level practice started with its clock at the boss
//   long-pause  a game paused at once and declaring billions of frames
//   slow        the same, paused for as long as a full game may last
#include <zlib.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/replay.h"
#include "app/verify.h"
#include "enemies/level_scripts.h"
#include "frontend/state_hash.h"
#include "game/game_flow.h"
#include "input/controls.h"
#include "platform/headless.h"
#include "world/world.h"

namespace {

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void PutVarint(std::vector<unsigned char>& out, uint32_t v) {
    for (; v >= 0x80; v >>= 7) out.push_back(static_cast<unsigned char>(v | 0x80));
    out.push_back(static_cast<unsigned char>(v));
}
std::vector<unsigned char> Packed(const std::vector<unsigned char>& in) {
    uLongf size = compressBound(static_cast<uLong>(in.size()));
    std::vector<unsigned char> out(size);
    compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), Z_BEST_SPEED);
    out.resize(size);
    return out;
}

// A game started now, pause pressed on its first frame and held for `frames` in all. The file is put
// together here: no recorder would sit through billions of frames.
bool WritePaused(const char* path, uint32_t frames) {
    std::vector<unsigned char> snapshot, inputs, file;
    TakeSnapshot(snapshot);
    Controls pause{};
    pause.pause = true;
    pause.anyInput = -1;
    unsigned char none[kControlsBytes], held[kControlsBytes];
    Controls idle{};
    idle.anyInput = -1;
    ControlsToBytes(idle, none);
    ControlsToBytes(pause, held);
    std::vector<std::pair<uint32_t, unsigned char>> changed;
    for (uint32_t i = 0; i < kControlsBytes; ++i)
        if (none[i] != held[i]) changed.push_back({i, held[i]});
    PutVarint(inputs, 0);
    PutVarint(inputs, static_cast<uint32_t>(changed.size()));
    for (auto [index, value] : changed) PutVarint(inputs, index), inputs.push_back(value);
    PutVarint(inputs, frames - 1);
    PutVarint(inputs, 0);
    const std::vector<unsigned char> ps = Packed(snapshot), pi = Packed(inputs);
    file.insert(file.end(), {'Q', 'X', 'R', 'P'});
    for (uint32_t v : {2u, GameVersion(), 0u, frames, 0u, 0u, static_cast<uint32_t>(snapshot.size()),
                       static_cast<uint32_t>(ps.size()), static_cast<uint32_t>(inputs.size()), static_cast<uint32_t>(pi.size())})
        Put32(file, v);
    file.insert(file.end(), ps.begin(), ps.end());
    file.insert(file.end(), pi.begin(), pi.end());
    std::FILE* f = std::fopen(path, "wb");
    const bool ok = f && std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return f && std::fclose(f) == 0 && ok;
}

int Forge(const std::string& what, const std::string& out) {
    plat::headless().Reset();
    plat::UseHeadlessPlatform();
    StartOptions start;
    start.runLauncher = false;
    int exitCode = 0;
    if (!StartProgram(start, exitCode) || !RunWarmUpFrames(exitCode)) return 1;

    if (what == "long-pause" || what == "slow") {
        StartFromMenu(StartFullGame, 0);
        return WritePaused(out.c_str(), what == "slow" ? static_cast<uint32_t>(LongestGame(StartFullGame)) : 3000000000u) ? 0 : 1;
    }
    if (what == "lives") {
        StartFromMenu(StartFullGame, 0);
        W.Game.Lives = 90;
    } else if (what == "clock") {
        StartFromMenu(StartLevelPractice, 0);
        W.Level.LevelClock = kBossApproachFrame[0] - 10;
    } else if (what == "boss-hp") {
        StartFromMenu(StartBossPractice, 0);
        for (int i = 0; i < 5000 && W.Level.BossSlot[0] < 0; ++i) FramePass(exitCode);
        if (W.Level.BossSlot[0] < 0) return 1;
        W.EnemyPool[W.Level.BossSlot[0]].hitPoints = 1;
        BeginRecording();  // the game's recording starts again here
    } else {
        std::fprintf(stderr, "quivex-forge: unknown forgery %s\n", what.c_str());
        return 2;
    }
    // Fire held for a few seconds, recorded as any game is.
    plat::headless().input.Press(W.Saved.Bindings[SlotKeyFire]);
    for (int i = 0; i < 600 && W.Program.GameMode != Mode::Menu; ++i) FramePass(exitCode);
    FinishRecording();
    std::string error;
    if (SaveRecording(out.c_str(), error)) return 0;
    std::fprintf(stderr, "quivex-forge: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quivex-forge boss-hp|lives|clock|long-pause|slow OUT.qxr\n");
        return 2;
    }
    // The program's own files (settings, log, records) go to a folder of its own, gone afterwards.
    const std::string out = std::filesystem::absolute(argv[2]);
    char folder[] = "/tmp/quivex-forge-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) return 1;
    const int status = Forge(argv[1], out);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
