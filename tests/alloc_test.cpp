// Brindlecot tests — no heap allocation in the frames of any stage once its text is on screen, nor
// at the module's load and unload.
//
// The global allocation functions of this program count what the plugin allocates: the simulated
// host marks its own code, so only allocations made while the plugin's code runs are counted. Load
// and unload run outside the script, so there every allocation and release of the program counts.

#include <dlfcn.h>

#include <cstdlib>
#include <new>

#include "tests/scenario.h"

namespace {
size_t g_pluginAllocations = 0;
size_t g_heapCalls = 0;  // every allocation and release, whoever makes it
}  // namespace

void* operator new(std::size_t size) {
    ++g_heapCalls;
    if (sim::Host::inPluginCode()) ++g_pluginAllocations;
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    ++g_heapCalls;
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    ++g_heapCalls;
    std::free(block);
}

class AllocTest : public CustodyScenario {
  protected:
    size_t allocationsOver(uint64_t frames) {
        host.trace.enabled = false;
        const size_t before = g_pluginAllocations;
        host.runFrames(frames);
        return g_pluginAllocations - before;
    }
};

// Guards the counters themselves: a module loaded into this program reaches these functions, not
// the C++ runtime's.
TEST_F(AllocTest, ModulesReachTheCountingFunctions) {
    void* (*countingNew)(std::size_t) = &::operator new;
    void (*countingDelete)(void*, std::size_t) noexcept = &::operator delete;
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "_Znwm"), reinterpret_cast<void*>(countingNew));
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "_ZdlPvm"), reinterpret_cast<void*>(countingDelete));
}

// The test loads the module itself, so that only the module's own load (its initialisers and its
// attach) and unload (its finalisers, with a long text on the status line) lie between the counts.
TEST_F(AllocTest, LoadAndUnloadAllocateNothing) {
    host.trace.enabled = false;
    const std::string path = sim::Host::defaultModulePath();
    size_t before = g_heapCalls;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    host.attachLinked(reinterpret_cast<int32_t (*)(void*, uint32_t, void*)>(dlsym(module, "pluginAttach")));
    EXPECT_EQ(g_heapCalls - before, 0u) << "at load";

    host.trace.enabled = true;
    const int32_t ped = world().spawnPed({kBesideThePlayer, 0, 30});
    host.step();
    press(host, {ped});
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    host.unload();  // ends the script; the module is this test's to close
    before = g_heapCalls;
    dlclose(module);
    EXPECT_EQ(g_heapCalls - before, 0u) << "at unload";
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

// Past the seat watch's wait too: he stands outside and is put in.
TEST_F(AllocTest, TransportFramesAllocateNothing) {
    startTransport();
    EXPECT_EQ(allocationsOver(5000), 0u);
    EXPECT_EQ(suspectEntity().vehicle, car) << "put in after the wait";
    EXPECT_EQ(host.statusLine(), kStatusDrive);
}
