// quivex-sim: the whole program on the headless backends, driven by an input script.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "game/enemy_bullets.h"
#include "enemies/enemy_pool.h"
#include "audio/audio.h"
#include "game/game_flow.h"
#include "draw/screens.h"
#include "game/mission_report.h"
#include "game/level_state.h"
#include "game/player_shots.h"
#include "gallery.h"
#include "autopilot.h"
#include "game/ship.h"
#include "key_script.h"
#include "platform/gfx/image_decode.h"
#include "platform/headless.h"
#include "app/replay.h"
#include "app/replay_viewer.h"
#include "app/verify.h"
#include "game/records.h"
#include "render/batches.h"
#include "render/device.h"
#include "shell/command_line.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "shell/options.h"
#include "shell/random.h"
#include "frontend/state_hash.h"
#include "render/timing.h"

namespace {

// A frame to capture: warm-up frames are "wN" (1..200), frame-loop frames plain numbers from 0.
// Shots may also be taken N frames after a moment of the game: "report+N" (the mission report first
// shows) or "rating+N" (the pilot rating first shows); their frame is known once the moment comes.
enum class ShotEvent { None, Report, Rating };

struct Shot {
    bool warmUp = false;
    long long frame = -1;
    std::string file;
    ShotEvent event = ShotEvent::None;
    long long offset = 0;
    bool window = false;  // what the window shows, scaled, instead of the game's own picture
};

// The window's client area set to width x height before a frame, as a player dragging its edge would.
struct Resize {
    long long frame = 0;
    int width = 0, height = 0;
};

struct GameChoice {
    int kind, level;
};

struct RunOptions {
    long long frames = 0;
    std::string dir;
    std::string keys;
    uint32_t seed = 1;
    bool gl = false;
    int effects = -1;
    int smoothing = -1;
    std::string gallery;
    std::vector<Shot> shots;
    std::vector<Resize> resizes;
    std::vector<std::string> gameOptions;  // the game's own display options, passed on
    bool bot = false;       // the autopilot flies
    bool immortal = false;  // the ship cannot be destroyed
    std::vector<GameChoice> starts;  // games started as the menu would: the first right after start-up,
                                     // each other when the last is over
    long long untilReport = -1;  // stop this many frames after a mission report (or the rush's end) shows
    bool cycle = false;        // every kind of game in turn, each started when the last is over
    bool drawn = false;        // hash everything drawn and print it (costs time)
    long long drawEvery = 1;   // one frame in this many is drawn; the others are played unseen
    std::string record;        // the first game played is kept as a replay here
    std::string replay;        // a replay played instead of the other options
    long long seek = -1;       // where in the replay its playback starts
    bool verify = false;       // the replay judged for the boards: one line of JSON, a verdict's exit status
};

// --verify's exit statuses, apart from the runner's own (0-4).
enum VerifyStatus { kValid = 20, kUnreadable = 21, kEndsElsewhere = 22, kIneligible = 23 };

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') out += '\\', out += static_cast<char>(c);
        else if (c < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", c);
            out += hex;
        } else out += static_cast<char>(c);
    }
    return out + "\"";
}

// One line of JSON with the verdict, then its exit status.
struct Verdict {
    int status = kValid;
    std::string reason;
    RunKind run;
    bool known = false;  // the kind was read from a start the game makes
    long long frames = 0;
    bool endedAsRecorded = false;
    std::string outcome = "null";
    std::vector<std::string> ineligible;
};

int PrintVerdict(const Verdict& v) {
    static const char* const kNames[] = {"valid", "unreadable", "ends-elsewhere", "ineligible"};
    static const char* const kKinds[] = {"full", "level", "boss", "rush"};
    std::string line = "{\"game_version\":" + std::to_string(GameVersion()) + ",\"verdict\":\"" +
                       kNames[v.status - kValid] + "\",\"reason\":" + JsonString(v.reason);
    if (v.known) {
        const bool levelled = v.run.kind == StartLevelPractice || v.run.kind == StartBossPractice;
        line += ",\"kind\":\"" + std::string(kKinds[v.run.kind]) + "\",\"level\":" +
                std::to_string(levelled ? v.run.level + 1 : 0) + ",\"hz\":" + (v.run.hz30 ? "30" : "60") +
                ",\"board\":" + JsonString(BoardName(v.run));
    } else {
        line += ",\"kind\":null,\"level\":0,\"hz\":60,\"board\":null";
    }
    line += ",\"frames\":" + std::to_string(v.frames) + ",\"ended_as_recorded\":" +
            (v.endedAsRecorded ? "true" : "false") + ",\"outcome\":" + v.outcome + ",\"ineligible\":[";
    for (size_t i = 0; i < v.ineligible.size(); ++i) line += (i ? "," : "") + JsonString(v.ineligible[i]);
    std::printf("%s]}\n", line.c_str());
    return v.status;
}

int Unreadable(Verdict& v, const std::string& reason) {
    v.status = kUnreadable;
    v.reason = reason;
    return PrintVerdict(v);
}

// After the replay played: its end, what it earned by the records' rules, and what keeps it off a board.
int JudgePlayedRun(Verdict& v) {
    v.endedAsRecorded = PlaybackDone() && HashGameState() == ReplayHash();
    const GameOutcome got = CheckedOutcome();
    bool result = true;
    if (v.run.kind == StartFullGame) {
        v.outcome = "{\"score\":" + std::to_string(W.Game.PeakHeld) + ",\"level\":" + std::to_string(got.fullLevel) + "}";
    } else if (v.run.kind == StartLevelPractice) {
        result = got.collected >= 0;
        if (result) v.outcome = "{\"collected\":" + std::to_string(got.collected) + ",\"held\":" + std::to_string(got.held) + "}";
    } else {
        result = got.frames > 0;
        if (result) v.outcome = "{\"frames\":" + std::to_string(got.frames) + "}";
    }
    if (!v.endedAsRecorded) {
        v.status = kEndsElsewhere;
        v.reason = "the replay ended in another state than it was recorded in";
        v.outcome = "null";
        return PrintVerdict(v);
    }
    if (W.Program.UnlockCheatUsed) v.ineligible.push_back("the unlock combination was used");
    if (ReplayFlags() & kReplayIndestructible) v.ineligible.push_back("the ship was indestructible");
    if (!result) v.ineligible.push_back(v.run.kind == StartLevelPractice ? "the level was not finished" : "the boss was not destroyed");
    if (!v.ineligible.empty()) {
        v.status = kIneligible;
        for (const std::string& why : v.ineligible) v.reason += (v.reason.empty() ? "" : "; ") + why;
    }
    return PrintVerdict(v);
}

// The games a cycle goes round, the short ones first: each boss, the boss rush, each level's practice,
// a full game.
constexpr GameChoice kCycle[] = {
    {StartBossPractice, 0},  {StartBossPractice, 1},  {StartBossPractice, 2},  {StartBossPractice, 3},
    {StartBossRush, 0},      {StartLevelPractice, 0}, {StartLevelPractice, 1}, {StartLevelPractice, 2},
    {StartLevelPractice, 3}, {StartFullGame, 0},
};

std::vector<Shot> shots;
int shotFailures = 0;
std::vector<unsigned char> shotPixels;

void CaptureIfWanted() {
    bool warmUp = Loop.WarmUpFrameNumber > 0;
    long long frame = warmUp ? Loop.WarmUpFrameNumber : Loop.FrameCount;
    for (const Shot& shot : shots) {
        if (shot.warmUp != warmUp || shot.frame != frame) continue;
        int w = 0, h = 0;
        plat::Gfx& gfx = plat::gfx();
        if (shot.window) gfx.WindowPictureSize(w, h);
        else gfx.BackBufferSize(w, h);
        shotPixels.assign(static_cast<size_t>(w) * h * 4, 0);
        bool read = w > 0 && h > 0 &&
                    (shot.window ? gfx.ReadWindowPicture(shotPixels.data(), w, h) : gfx.ReadBackBuffer(shotPixels.data(), w, h));
        if (!read ||
            !plat::WritePng(shot.file.c_str(), shotPixels.data(), w, h)) {
            std::fprintf(stderr, "quivex-sim: could not write %s\n", shot.file.c_str());
            ++shotFailures;
        }
    }
}

bool ParseShot(const std::string& text, Shot& shot) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size()) return false;
    std::string frame = text.substr(0, colon);
    for (auto [name, event] : {std::pair{"report+", ShotEvent::Report}, std::pair{"rating+", ShotEvent::Rating}}) {
        if (frame.rfind(name, 0) != 0) continue;
        shot.event = event;
        frame.erase(0, std::strlen(name));
    }
    shot.warmUp = shot.event == ShotEvent::None && frame[0] == 'w';
    if (shot.warmUp) frame.erase(0, 1);
    char* end = nullptr;
    errno = 0;
    shot.frame = std::strtoll(frame.c_str(), &end, 10);
    if (errno || frame.empty() || *end || shot.frame < 0) return false;
    if (shot.warmUp && (shot.frame < 1 || shot.frame > kWarmUpFrames)) return false;
    if (shot.event != ShotEvent::None) {
        if (shot.frame < 1) return false;
        shot.offset = shot.frame;
        shot.frame = -1;
    }
    shot.file = text.substr(colon + 1);
    return true;
}

int Usage(const char* problem) {
    std::fprintf(stderr, "quivex-sim: %s\n", problem);
    std::fprintf(stderr,
                 "usage: quivex-sim --frames N [--dir DIR] [--keys FILE] [--seed S]\n"
                 "                  [--start full | --start level L | --start boss L | --start rush ...]\n"
                 "                  [--bot] [--immortal] [--until report[+N]] [--cycle]\n"
                 "                  [--gl] [--shot N:FILE.png | --shot wN:FILE.png ...] [--window-shot N:FILE.png ...]\n"
                 "                  [--resize N:WxH ...] [--fullscreen] [--resolution WxH] [--orientation O]\n"
                 "                  [--classic-drawing] [--effects auto|full|light]\n"
                 "                  [--smoothing auto|off|2x|4x]\n"
                 "                  [--record FILE.qxr] [--drawn] [--draw-every N]\n"
                 "       quivex-sim --replay FILE.qxr [--seek FRAME] [--frames N] [--dir DIR] [--drawn]\n"
                 "                  (from FRAME, N frames or to the end; exit 3: the end is in another state)\n"
                 "       quivex-sim --verify FILE.qxr [--dir DIR]\n"
                 "                  (judged for the boards: one line of JSON; exit 20 valid, 21 unreadable or\n"
                 "                  a start the game does not make, 22 ends elsewhere, 23 ineligible)\n"
                 "       quivex-sim --gallery FILE.png   (every model on the real renderer)\n");
    return 2;
}

bool ParseNumber(const char* text, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == 0 && out >= 0;
}

bool MakeDirs(const std::string& path) {
    std::string partial;
    std::stringstream ss(path);
    std::string part;
    if (!path.empty() && path[0] == '/') partial = "/";
    while (std::getline(ss, part, '/')) {
        if (part.empty()) continue;
        partial += part + "/";
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

void PrintSummary(long long frames) {
    std::printf("frames: %lld\n", frames);
    std::printf("mode: %d\n", W.Program.GameMode);
    std::printf("level: %d\n", W.Game.CurrentLevel);
    std::printf("play: %d %d\n", W.Game.PlayType, W.Game.BossRush);
    // Showing, then the counts it has reached: collected, held, best.
    std::printf("report: %d %d %d %d\n", W.Level.ReportShowing, W.Report.collected, W.Report.held, W.Report.best);
    std::printf("clock: %d\n", W.Level.LevelClock);
    std::printf("lives: %d\n", W.Game.Lives);
    std::printf("held: %d\n", W.Game.Held);
    std::printf("peak: %d\n", W.Game.PeakHeld);
    std::printf("weapon: %d\n", W.Game.WeaponLevel);
    std::printf("enemies: %d\n", CountActiveEnemies());
    std::printf("bullets: %d\n", CountEnemyBullets());
    std::printf("killed: %d\n", W.EnemiesKilled);
    std::printf("collected: %d %d %d %d\n", W.Game.LevelCollected[0], W.Game.LevelCollected[1], W.Game.LevelCollected[2],
                W.Game.LevelCollected[3]);
    std::printf("sounds:");
    for (int effect = 1; effect <= 13; ++effect)
        if (W.SoundsPlayed.effect[effect]) std::printf(" %d=%u", effect, W.SoundsPlayed.effect[effect]);
    if (W.SoundsPlayed.explosion) std::printf(" explosion=%u", W.SoundsPlayed.explosion);
    if (W.SoundsPlayed.shot) std::printf(" shot=%u", W.SoundsPlayed.shot);
    if (W.SoundsPlayed.warning) std::printf(" warning=%u", W.SoundsPlayed.warning);
    std::printf("\n");
    if (W.MusicTrack < 0) std::printf("music: none %d\n", W.MusicFadeLevel);
    else std::printf("music: %d %d\n", W.MusicTrack, W.MusicFadeLevel);
    std::printf("hash: %016" PRIx64 "\n", HashGameState());
    if (plat::headless().gfx.hashDrawing) std::printf("drawn: %016" PRIx64 "\n", plat::headless().gfx.drawnHash);
}

bool SaveFirstGame(const std::string& file) {
    std::string error;
    if (SaveRecording(file.c_str(), error)) return true;
    std::fprintf(stderr, "quivex-sim: %s\n", error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    RunOptions opt;
    bool haveFrames = false, framesGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)name;
            return argv[++i];
        };
        long long n;
        if (arg == "--frames") {
            const char* v = value("--frames");
            if (!v || !ParseNumber(v, n)) return Usage("--frames needs a number of frames");
            opt.frames = n;
            haveFrames = framesGiven = true;
        } else if (arg == "--dir") {
            const char* v = value("--dir");
            if (!v) return Usage("--dir needs a folder");
            opt.dir = v;
        } else if (arg == "--keys") {
            const char* v = value("--keys");
            if (!v) return Usage("--keys needs a file");
            opt.keys = v;
        } else if (arg == "--seed") {
            const char* v = value("--seed");
            if (!v || !ParseNumber(v, n)) return Usage("--seed needs a number");
            opt.seed = static_cast<uint32_t>(n);
        } else if (arg == "--start") {
            const char* v = value("--start");
            std::string kind = v ? v : "";
            if (kind == "full") {
                opt.starts.push_back({StartFullGame, 0});
            } else if (kind == "rush") {
                opt.starts.push_back({StartBossRush, 0});
            } else if (kind == "level" || kind == "boss") {
                const char* l = value("--start");
                if (!l || !ParseNumber(l, n) || n < 1 || n > 4) return Usage("--start level|boss needs a level 1..4");
                opt.starts.push_back({kind == "level" ? StartLevelPractice : StartBossPractice, static_cast<int>(n) - 1});
            } else {
                return Usage("--start needs full, level L, boss L or rush");
            }
        } else if (arg == "--until") {
            const char* v = value("--until");
            std::string until = v ? v : "";
            if (until == "report") {
                opt.untilReport = 0;
            } else if (until.rfind("report+", 0) == 0 && ParseNumber(until.c_str() + 7, n)) {
                opt.untilReport = n;
            } else {
                return Usage("--until needs report or report+N");
            }
        } else if (arg == "--record" || arg == "--replay" || arg == "--verify") {
            const char* v = value(arg.c_str());
            if (!v) return Usage((arg + " needs a file").c_str());
            (arg == "--record" ? opt.record : opt.replay) = v;
            if (arg != "--record") haveFrames = true;
            opt.verify = opt.verify || arg == "--verify";
        } else if (arg == "--seek") {
            const char* v = value("--seek");
            if (!v || !ParseNumber(v, n)) return Usage("--seek needs a frame number");
            opt.seek = n;
        } else if (arg == "--cycle") {
            opt.cycle = true;
        } else if (arg == "--bot") {
            opt.bot = true;
        } else if (arg == "--immortal") {
            opt.immortal = true;
        } else if (arg == "--gl") {
            opt.gl = true;
        } else if (arg == "--drawn") {
            opt.drawn = true;
        } else if (arg == "--draw-every") {
            const char* v = value("--draw-every");
            if (!v || !ParseNumber(v, n) || n < 1) return Usage("--draw-every needs a number of frames, 1 or more");
            opt.drawEvery = n;
        } else if (arg == "--classic-drawing") {
            Batches.ClassicDrawing = true;
        } else if (arg == "--effects") {
            const char* v = value("--effects");
            opt.effects = v ? EffectsFromName(v) : -1;
            if (opt.effects < 0) return Usage("--effects needs auto, full or light");
        } else if (arg == "--smoothing") {
            const char* v = value("--smoothing");
            opt.smoothing = v ? SmoothingFromName(v) : -1;
            if (opt.smoothing < 0) return Usage("--smoothing needs auto, off, 2x or 4x");
        } else if (arg == "--gallery") {
            const char* v = value("--gallery");
            if (!v) return Usage("--gallery needs FILE.png");
            opt.gallery = v;
            opt.gl = true;
        } else if (arg == "--shot" || arg == "--window-shot") {
            const char* v = value("--shot");
            Shot shot;
            if (!v || !ParseShot(v, shot)) return Usage("--shot needs FRAME:FILE.png (FRAME a number, or wN for warm-up)");
            shot.window = arg == "--window-shot";
            opt.shots.push_back(shot);
        } else if (arg == "--resize") {
            const char* v = value("--resize");
            Resize r;
            if (!v || std::sscanf(v, "%lld:%dx%d", &r.frame, &r.width, &r.height) != 3 || r.frame < 0 || r.width <= 0 ||
                r.height <= 0)
                return Usage("--resize needs FRAME:WxH");
            opt.resizes.push_back(r);
        } else if (arg == "--fullscreen" || arg == "--windowed") {
            opt.gameOptions.push_back(arg);
        } else if (arg == "--resolution" || arg == "--orientation") {
            const char* v = value(arg.c_str());
            if (!v) return Usage((arg + " needs a value").c_str());
            opt.gameOptions.push_back(arg);
            opt.gameOptions.push_back(v);
        } else {
            return Usage(("unknown argument " + arg).c_str());
        }
    }
    if (!haveFrames && opt.gallery.empty()) return Usage("--frames is required");
    if (!opt.shots.empty() && !opt.gl) return Usage("--shot needs --gl");
    if (opt.seek >= 0 && opt.replay.empty()) return Usage("--seek needs --replay");
    if (opt.verify && (opt.seek >= 0 || framesGiven || !opt.record.empty() || opt.gl))
        return Usage("--verify plays the whole replay unseen, with nothing else");
    StartOptions start;
    {
        std::vector<const char*> args{"quivex"};
        for (const std::string& o : opt.gameOptions) args.push_back(o.c_str());
        std::string error;
        if (!ParseCommandLine(static_cast<int>(args.size()), args.data(), start.commandLine, error))
            return Usage(error.c_str());
    }
    // Shot files are named from where the runner was started.
    char cwd[4096];
    std::string startDir = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (!opt.gallery.empty() && opt.gallery[0] != '/') opt.gallery = startDir + "/" + opt.gallery;
    for (Shot& shot : opt.shots)
        if (!shot.file.empty() && shot.file[0] != '/') shot.file = startDir + "/" + shot.file;
    for (std::string* file : {&opt.record, &opt.replay})
        if (!file->empty() && (*file)[0] != '/') *file = startDir + "/" + *file;
    Verdict verdict;
    if (!opt.replay.empty()) {
        std::string error;
        if (!LoadReplay(opt.replay.c_str(), error)) {
            if (opt.verify) return Unreadable(verdict, error);
            std::fprintf(stderr, "quivex-sim: %s: %s\n", opt.replay.c_str(), error.c_str());
            return 2;
        }
        if (opt.seek > ReplayFrames()) return Usage("--seek needs a frame within the replay");
        const long long left = ReplayFrames() - std::max(opt.seek, 0LL);
        opt.frames = framesGiven ? std::min(opt.frames, left) : left;
        opt.immortal = (ReplayFlags() & kReplayIndestructible) != 0;
        opt.bot = opt.cycle = false;
        opt.starts.clear();
    }
    shots = opt.shots;

    std::vector<KeyEvent> events;
    if (!opt.keys.empty()) {
        std::ifstream in(opt.keys);
        if (!in) return Usage(("cannot read " + opt.keys).c_str());
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!ParseKeyScript(text.str(), events, error)) return Usage((opt.keys + " " + error).c_str());
    }
    if (!opt.dir.empty()) {
        if (!MakeDirs(opt.dir) || chdir(opt.dir.c_str()) != 0)
            return Usage(("cannot use folder " + opt.dir).c_str());
    }

    plat::headless().Reset();
    plat::headless().gfx.hashDrawing = opt.drawn;
    if (opt.gl) {
        plat::UseRealGraphicsOnly();
        Timing.BeforePresentHook = CaptureIfWanted;
    } else {
        plat::UseHeadlessPlatform();
    }
    SeedRandom(opt.seed);

    int exitCode = 0;
    start.runLauncher = false;
    // Pictures come from a window unless full screen is asked for.
    start.forceWindowed = opt.gl && start.commandLine.windowed != 0;
    if (!StartProgram(start, exitCode)) return exitCode;
    if (opt.effects >= 0) Options.EffectsSetting = opt.effects;  // for this run, not saved
    if (opt.smoothing >= 0) {
        Options.SmoothingSetting = opt.smoothing;
        ApplySmoothing();
    }
    if (!opt.gallery.empty()) {
        if (RenderGallery(opt.gallery)) return 0;
        std::fprintf(stderr, "quivex-sim: could not write %s\n", opt.gallery.c_str());
        return 1;
    }
    if (!RunWarmUpFrames(exitCode)) return exitCode;
    if (opt.verify) {
        // Judged before a frame is played: a file that is no replay, or a start or length no game has.
        if (const char* part = UnmadeStart(verdict.run))
            return Unreadable(verdict, std::string("a start the game does not make: ") + part + " differs");
        verdict.known = true;
        if (ReplayFrames() > LongestGame(verdict.run.kind))
            return Unreadable(verdict, "more frames (" + std::to_string(ReplayFrames()) + ") than such a game can last (" +
                                           std::to_string(LongestGame(verdict.run.kind)) + ")");
        opt.drawEvery = 1LL << 62;  // played unseen: only the first frame is drawn
    }
    size_t gamesStarted = 0;
    if (!opt.cycle && !opt.starts.empty()) {
        StartFromMenu(opt.starts[0].kind, opt.starts[0].level);
        gamesStarted = 1;
    }
    long long firstFrame = 0;  // a replay's frames are counted from its start
    if (!opt.replay.empty()) {
        StartPlayback();
        if (opt.seek >= 0 && SeekPlayback(opt.seek)) firstFrame = opt.seek;
        if (opt.verify) BeginCheckedGame(verdict.run.kind);
    }
    SetReplayFlags(opt.immortal ? kReplayIndestructible : 0);
    bool recorded = false, saved = false;

    plat::HeadlessInput& input = plat::headless().input;
    size_t next = 0;
    long long frame = 0;
    long long reportFrame = -1;  // when the report first showed, for --until
    for (; frame < opt.frames; ++frame) {
        if (W.Program.GameMode == Mode::Menu && (opt.cycle || gamesStarted < opt.starts.size())) {
            const GameChoice& next = opt.cycle ? kCycle[gamesStarted % std::size(kCycle)] : opt.starts[gamesStarted];
            ++gamesStarted;
            StartFromMenu(next.kind, next.level);
        }
        for (; next < events.size() && events[next].frame <= frame; ++next) {
            if (events[next].press) input.Press(events[next].code);
            else input.Release(events[next].code);
        }
        // Only the frames that become pictures are drawn with OpenGL; the rest are recorded, which is
        // what the game state depends on.
        if (opt.gl) {
            bool wanted = false;
            for (const Shot& shot : shots) wanted |= !shot.warmUp && shot.frame == frame;
            plat::DrawThroughOpenGL(wanted);
        }
        for (const Resize& r : opt.resizes)
            if (r.frame == frame) plat::window().Place(W.Saved.WindowX, W.Saved.WindowY, r.width, r.height, false);
        if (opt.bot) AutopilotFrame(opt.immortal);
        // Kept protected as in a respawn's grace period, so bullets pass and the shield still works (a
        // replay's playback keeps its ship so itself).
        if (opt.immortal && ShipAlive && opt.replay.empty()) W.Invulnerable = 1;
        const bool wasRecording = Recording();
        if (!FramePass(exitCode, frame % opt.drawEvery == 0)) break;
        // What a replay's check would refuse must never happen in play: looked at every few hundred
        // frames and on each game's first frame, where a replay starts.
        if (frame % 256 == 0 || (Recording() && !wasRecording))
            if (const char* part = ImpossibleGameState()) {
                std::fprintf(stderr, "quivex-sim: frame %lld: the state holds what no game reaches (%s)\n", frame, part);
                return 4;
            }
        // The frame loop records every game; the first one is the runner's to keep.
        recorded = recorded || Recording();
        if (!opt.record.empty() && recorded && !saved && !Recording()) saved = SaveFirstGame(opt.record);
        if (opt.untilReport >= 0 && W.Level.ReportShowing && W.Program.GameMode == Mode::Playing && reportFrame < 0) reportFrame = frame;
        if (reportFrame >= 0 && frame - reportFrame >= opt.untilReport) {
            ++frame;
            break;
        }
        bool rating = PilotRatingReached();
        for (Shot& shot : shots) {
            bool now = (shot.event == ShotEvent::Report && W.Level.ReportShowing) || (shot.event == ShotEvent::Rating && rating);
            if (now && shot.frame < 0) shot.frame = frame + shot.offset;
        }
    }
    if (Recording()) FinishRecording();
    if (opt.verify) {
        verdict.frames = frame;
        return JudgePlayedRun(verdict);
    }
    PrintSummary(firstFrame + frame);
    if (!opt.record.empty() && !saved) {
        if (!recorded) {
            std::fprintf(stderr, "quivex-sim: no game was played to record\n");
            return 1;
        }
        if (!SaveFirstGame(opt.record)) return 1;
    }
    if (!opt.replay.empty() && PlaybackDone() && HashGameState() != ReplayHash()) {
        std::fprintf(stderr, "quivex-sim: the replay ended in another state than it was recorded in\n");
        return 3;
    }
    if (opt.cycle) std::printf("games: %zu\n", gamesStarted);
    return shotFailures ? 1 : 0;
}
