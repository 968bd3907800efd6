// The world's one field list: every byte of the world that is not padding is a number the snapshot
// walks, once, and the hash sees all of them but the host's and the pictures'. A field added anywhere in
// the world, of any type the walk cannot take apart, fails here (or does not compile).
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

#include "frontend/state_hash.h"
#include "world/fields.h"

namespace {

// 1 for each byte the walk visits, counted.
template <Walk walk>
std::vector<int> Visits(World& w) {
    std::vector<int> seen(sizeof(World), 0);
    const unsigned char* base = reinterpret_cast<const unsigned char*>(&w);
    ForEachNumber<walk>(w, [&](const auto& v) {
        const size_t at = reinterpret_cast<const unsigned char*>(&v) - base;
        for (size_t i = 0; i < sizeof v; ++i) ++seen[at + i];
    });
    return seen;
}

bool Within(size_t at, size_t from, size_t size) { return at >= from && at < from + size; }

TEST(WorldFields, EveryByteButPaddingIsWalkedOnceAndHashedUnlessTheHostsOrThePictures) {
#if !__has_builtin(__builtin_clear_padding)
    GTEST_SKIP() << "this compiler cannot say which bytes are padding";
#else
    auto w = std::make_unique<World>();
    std::memset(static_cast<void*>(w.get()), 0xFF, sizeof(World));
    __builtin_clear_padding(w.get());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(w.get());
    const std::vector<int> snapshot = Visits<Walk::Snapshot>(*w), hash = Visits<Walk::Hash>(*w);
    size_t padding = 0, hidden = 0, twice = 0, hashMisses = 0;
    for (size_t at = 0; at < sizeof(World); ++at) {
        const bool host = Within(at, offsetof(World, Host), sizeof(HostVars));
        const bool pictures = Within(at, offsetof(World, Presentation), sizeof(PresentationVars));
        if (bytes[at] == 0) {
            padding += 1;
            EXPECT_EQ(snapshot[at], 0) << "padding walked at " << at;
            continue;
        }
        hidden += !host && snapshot[at] == 0;
        twice += snapshot[at] > 1;
        hashMisses += hash[at] != (host || pictures ? 0 : 1);
    }
    EXPECT_EQ(hidden, 0u) << "bytes of the world no walk sees";
    EXPECT_EQ(twice, 0u);
    EXPECT_EQ(hashMisses, 0u);
    EXPECT_LT(padding, sizeof(World) / 100) << "the world is mostly numbers";
#endif
}

// The hash is made from the walk: a change to any of the world's parts moves it; the host's do not.
TEST(WorldFields, ChangingAnyPartOfTheWorldMovesTheHash) {
    ResetWorld();
    const uint64_t fresh = HashGameState();
    int parts = 0;
    boost::pfr::for_each_field(W, [&](auto& part) {
        using Part = std::remove_reference_t<decltype(part)>;
        unsigned char* first = reinterpret_cast<unsigned char*>(&part);  // a number: no part starts with padding
        *first ^= 0x40;
        const bool moved = HashGameState() != fresh;
        *first ^= 0x40;
        const bool counted = !std::is_same_v<Part, HostVars> && !std::is_same_v<Part, PresentationVars>;
        EXPECT_EQ(moved, counted) << "part " << parts;
        ++parts;
    });
    EXPECT_GT(parts, 40);
    ResetWorld();
}

}  // namespace
