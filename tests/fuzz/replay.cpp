// Replays: any file chosen on the replays page is refused ("replay unreadable", the player's state as it
// was) or played, a few frames of it, without a fault, saving nothing; leaving it puts the player's state
// back exactly. Under libFuzzer most mutations change what the two zlib streams hold, poking awkward
// values into the snapshot's fields, rather than the compressed bytes.
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <vector>

#include "app/main_loop.h"
#include "app/replay.h"
#include "frontend/state_hash.h"
#include "frontend/menu.h"
#include "game/records.h"
#include "fuzz_check.h"
#include "platform/headless.h"
#include "shell/data_dir.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "shell/random.h"

namespace {

// The whole world (the host's own aside) and the generator's state.
void Copy(std::vector<uint8_t>& out) { TakeSnapshot(out); }

std::vector<uint8_t> before, after;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/tmp/quivex-fuzz-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
    plat::UseHeadlessPlatform();
    plat::headless().Reset();
    plat::headless().window.echoMessageBoxes = false;
    StartOptions start;
    start.runLauncher = false;
    int exitCode = 0;
    FUZZ_CHECK(StartProgram(start, exitCode) && RunWarmUpFrames(exitCode) && W.Program.GameMode == Mode::Menu);
    mkdir("replays", 0755);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(DataPath(kRecordReplays[ReplayLast]), "wb");
    FUZZ_CHECK(f && std::fwrite(data, 1, size, f) == size && std::fclose(f) == 0);
    OpenErrorLog();
    std::remove("quivex.cfg");
    std::remove("options.cfg");
    W.EscapeLatch = W.MenuKeyLatch = 1;  // as leaving a replay sets them: keys held then act once let go
    Copy(before);
    W.Host.WatchReplayRequest = 0;
    PerformWatchRequest();
    if (!W.Host.WatchingReplay) {
        Copy(after);
        FUZZ_CHECK(W.Host.ReplayUnreadableTimer == 180 && after == before);
        W.Host.ReplayUnreadableTimer = 0;
        return 0;
    }
    int exitCode = 0;
    for (int frame = 0; frame < 30 && W.Host.WatchingReplay; ++frame) FUZZ_CHECK(FramePass(exitCode));
    StopWatching();
    Copy(after);
    FUZZ_CHECK(after == before && W.Program.GameMode == Mode::Menu);
    FUZZ_CHECK(access("quivex.cfg", F_OK) != 0 && access("options.cfg", F_OK) != 0);  // nothing saved
    return 0;
}

#ifdef QUIVEX_LIBFUZZER
extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

uint32_t Get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool Unpack(const uint8_t* in, size_t inSize, size_t outSize, std::vector<uint8_t>& out) {
    out.resize(outSize);
    uLongf n = outSize;
    return uncompress(out.data(), &n, in, inSize) == Z_OK && n == outSize;
}

// Where each part of the state list starts in a snapshot, so pokes land on whole fields.
std::vector<std::pair<size_t, size_t>> Parts(size_t snapshotSize) {
    std::vector<std::pair<size_t, size_t>> parts;
    size_t at = 0;
    WalkGameState([&](void*, size_t size) {
        parts.emplace_back(at, size);
        at += size;
    });
    if (snapshotSize > at) parts.emplace_back(at, snapshotSize - at);  // the generator, the ship, the shake
    return parts;
}

const uint32_t kAwkward[] = {0, 1, 2, 3, 5, 7, 9, 10, 15, 16, 20, 31, 79, 80, 81, 99, 100, 101, 180, 255, 256, 359, 360,
                             999, 1000, 1999, 2000, 2999, 3000, 32767, 65535, 0x7fffffff, 0x80000000, 0xffffffff,
                             0xfffffffe, 0xffffff9c, 0x7fc00000, 0x7f800000, 0xff800000, 0x4e6e6b28, 0xce6e6b28,
                             0x49742400, 0x43a00000, 0xbf800000};

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    constexpr size_t kHeader = 44;
    std::minstd_rand rng(seed);
    if (size < kHeader || rng() % 8 == 0) return LLVMFuzzerMutate(data, size, maxSize);
    const uint32_t snapSize = Get32(data + 28), snapPacked = Get32(data + 32);
    const uint32_t inSize = Get32(data + 36), inPacked = Get32(data + 40);
    std::vector<uint8_t> snap, in;
    if (snapSize > (32u << 20) || inSize > (1u << 20) || kHeader + uint64_t{snapPacked} + inPacked > size ||
        !Unpack(data + kHeader, snapPacked, snapSize, snap) || !Unpack(data + kHeader + snapPacked, inPacked, inSize, in))
        return LLVMFuzzerMutate(data, size, maxSize);
    if (rng() % 4 == 0) {
        const size_t used = in.size();
        in.resize(used + 64);
        in.resize(LLVMFuzzerMutate(in.data(), used, in.size()));
    } else {
        static const auto parts = Parts(snap.size());
        for (int pokes = 1 + rng() % 3; pokes > 0; --pokes) {
            const auto [start, length] = parts[rng() % parts.size()];
            // Early records are the live ones: aim there more often.
            size_t offset = (rng() % length) >> (rng() % 16);
            offset = std::min(offset & ~size_t{3}, length >= 4 ? length - 4 : 0);
            uint32_t value = rng() % 2 ? kAwkward[rng() % std::size(kAwkward)] : static_cast<uint32_t>(rng());
            uint8_t bytes[4];
            Put32(bytes, value);
            std::memcpy(snap.data() + start + offset, bytes, std::min<size_t>(4, length));
        }
    }
    std::vector<uint8_t> out(kHeader + compressBound(snap.size()) + compressBound(in.size()));
    uLongf packedSnap = compressBound(snap.size()), packedIn = compressBound(in.size());
    if (compress2(out.data() + kHeader, &packedSnap, snap.data(), snap.size(), 1) != Z_OK ||
        compress2(out.data() + kHeader + packedSnap, &packedIn, in.data(), in.size(), 1) != Z_OK)
        return size;
    const size_t total = kHeader + packedSnap + packedIn;
    if (total > maxSize) return size;
    std::memcpy(out.data(), data, kHeader);
    Put32(out.data() + 32, static_cast<uint32_t>(packedSnap));
    Put32(out.data() + 36, static_cast<uint32_t>(in.size()));
    Put32(out.data() + 40, static_cast<uint32_t>(packedIn));
    std::memcpy(data, out.data(), total);
    return total;
}
#endif
