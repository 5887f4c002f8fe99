// Brindlecot tests — no heap allocation in the frames of any stage once its text is on screen.
//
// The global allocation functions of this program count what the plugin allocates: the simulated
// host marks its own code, so only allocations made while the plugin's code runs are counted.

#include <cstdlib>
#include <new>

#include "tests/scenario.h"

namespace {
size_t g_pluginAllocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (sim::Host::inPluginCode()) ++g_pluginAllocations;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

class AllocTest : public CustodyScenario {
  protected:
    size_t allocationsOver(uint64_t frames) {
        host.trace.enabled = false;
        const size_t before = g_pluginAllocations;
        host.runFrames(frames);
        return g_pluginAllocations - before;
    }
};

// Guards the counter itself: the first long text does not fit in the string's own buffer.
TEST_F(AllocTest, CountsTheAllocationOfTheFirstLongStatusText) {
    const size_t before = g_pluginAllocations;
    startBusted();
    EXPECT_GE(g_pluginAllocations - before, 1u);
}

TEST_F(AllocTest, IdleFramesAllocateNothing) {
    start();
    EXPECT_EQ(allocationsOver(5000), 0u);
}

TEST_F(AllocTest, BustedPoseFramesAllocateNothing) {
    startBusted();
    host.step();
    EXPECT_EQ(allocationsOver(5000), 0u);
}

TEST_F(AllocTest, EscortFramesAllocateNothing) {
    startEscort();
    EXPECT_EQ(allocationsOver(5000), 0u);
    EXPECT_EQ(host.statusLine(), kStatusEscort);
}

TEST_F(AllocTest, TransportFramesAllocateNothing) {
    startTransport();
    EXPECT_EQ(allocationsOver(5000), 0u);
    EXPECT_EQ(host.statusLine(), kStatusDrive);
}
