// Brindlecot tests — a simulated game with the plugin loaded, ready for a scenario.
//
// Each test gets a fresh Host and a freshly loaded module, so it starts from the module's load
// state. The fixture fails the test on any protocol fault the host recorded (unknown native,
// wrong argument count, a script that stopped yielding).

#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/host.h"

// The entity behind a handle. One that names nothing fails the test and gives a blank stand-in, so
// a broken plugin is reported by the test's own messages instead of ending it in a crash.
inline sim::Entity& entityOf(sim::World& world, int32_t handle) {
    if (sim::Entity* e = world.find(handle)) return *e;
    ADD_FAILURE() << "no entity " << handle << " in the world";
    static sim::Entity nobody;
    nobody = sim::Entity();
    return nobody;
}

class Scenario : public ::testing::Test {
  protected:
    static constexpr int kF3 = 0x72;

    explicit Scenario(uint32_t startTick = 100000) : host(startTick) {}

    void TearDown() override { EXPECT_THAT(host.faults, ::testing::IsEmpty()); }

    // Loads the module and runs the script up to its first scriptWait(0): seed, pad scan,
    // settings and the first frame.
    void start() {
        host.load();
        host.step();
    }

    // Holds the key for one frame, then releases it.
    void tapKey(int key = kF3) {
        host.press(key, true);
        host.step();
        host.press(key, false);
    }

    sim::Host host;
};
