// The game allocates nothing once it runs: every frame works in fixed pools and arrays.
#include <atomic>
#include <cstdlib>
#include <new>

#include "frontend/menu.h"
#include "game/game_flow.h"
#include "shell/bindings.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "test_support.h"

// These are the allocation functions themselves: free() here is the match for the malloc() above.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
// The library's temporary buffers use the nothrow forms: they must pair with the same free.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

class AllocationTest : public HeadlessTest {};

TEST_F(AllocationTest, FramesOfPlayAllocateNothing) {
    // The counter sees allocations at all.
    counting = true;
    ::operator delete(::operator new(16));  // an explicit call, which the compiler may not leave out
    counting = false;
    ASSERT_EQ(allocations.exchange(0), 1);

    int code = 0;
    ASSERT_TRUE(StartProgram(StartOptions{}, code));
    ASSERT_TRUE(RunWarmUpFrames(code));
    for (int frame = 0; frame < 60; ++frame) ASSERT_TRUE(FramePass(code));  // the menu
    for (int level = 0; level < 4; ++level) {
        StartFromMenu(level % 2 ? StartBossPractice : StartLevelPractice, level);
        h().input.Press(W.Saved.Bindings[SlotKeyFire]);
        // Let the first frames of a level settle, then count.
        for (int frame = 0; frame < 30; ++frame) ASSERT_TRUE(FramePass(code));
        counting = true;
        for (int frame = 0; frame < 1500; ++frame) {
            if (frame % 97 == 0) h().input.Press(W.Saved.Bindings[SlotKeyShield]);
            if (frame % 97 == 5) h().input.Release(W.Saved.Bindings[SlotKeyShield]);
            if (!FramePass(code)) break;
        }
        counting = false;
        h().input.Release(W.Saved.Bindings[SlotKeyFire]);
        EXPECT_EQ(allocations.load(), 0) << "level " << level + 1;
        allocations = 0;
        W.Program.GameMode = Mode::Menu;
    }
    // The last of them watched: paused, stepped, at each speed, rewound, back to its start.
    ASSERT_TRUE(FramePass(code));
    W.Host.WatchReplayRequest = 0;
    ASSERT_TRUE(FramePass(code));
    ASSERT_EQ(W.Host.WatchingReplay, 1);
    counting = true;
    for (int key : {197, 205, 197, 200, 200, 208, 208, 208, 200, 203, 44, 199}) {
        h().input.Press(key);
        for (int frame = 0; frame < 40; ++frame) ASSERT_TRUE(FramePass(code));
        h().input.Release(key);
        for (int frame = 0; frame < 40; ++frame) ASSERT_TRUE(FramePass(code));
    }
    counting = false;
    EXPECT_EQ(W.Host.WatchingReplay, 1);
    EXPECT_EQ(allocations.load(), 0) << "watching";
}

}  // namespace
