// Brindlecot tests — whole arrests, from the first press to the empty line after the hand-over.

#include <algorithm>

#include "tests/custody_fixture.h"

using ::testing::ElementsAre;

class ArrestE2E : public CustodyScenario {
  protected:
    // Steps until the status line reads `text`, remembering every line the player saw.
    void playUntilLine(const std::string& text, uint64_t maxFrames = 5000) {
        const bool reached = host.runUntil(
            [&] {
                if (host.lastWaitMs() != 0 || world().lastFrame.lines.empty()) return false;  // mid-frame
                if (seen.empty() || seen.back() != host.statusLine()) seen.push_back(host.statusLine());
                return host.statusLine() == text;
            },
            maxFrames);
        ASSERT_TRUE(reached) << "never showed: " << text;
    }

    std::vector<std::string> stageNatives() {
        static const std::vector<std::string> kept = {
            "CLONE_PED",        "DELETE_PED", "SET_ENABLE_HANDCUFFS", "TASK_ENTER_VEHICLE",
            "SET_NEW_WAYPOINT", "CREATE_PED", "TASK_LEAVE_VEHICLE",   "TASK_SMART_FLEE_PED"};
        std::vector<std::string> out;
        for (const std::string& name : host.trace.names()) {
            if (std::find(kept.begin(), kept.end(), name) != kept.end()) out.push_back(name);
        }
        return out;
    }

    std::vector<std::string> seen;
};

// Aim, press, walk up, press, walk to the car, get in, drive to the precinct.
TEST_F(ArrestE2E, OnFootToTheHandOverAtThePrecinct) {
    car = world().spawnVehicle({0, 10, 30});
    world().seatPed(player(), car, -1);
    world().unseatPed(player());
    world().movePlayer({0, 0, 30});
    const int32_t ped = world().spawnPed({5, 0, 30});
    world().models[sim::hashName("s_m_y_cop_01")] = 0;  // police about: the officer's model is in memory
    start();
    seen.push_back(host.statusLine());
    world().aimTarget = ped;
    tapKey();
    world().aimTarget = 0;
    suspect = world().nextHandle - 1;
    playUntilLine(kGetClose);
    EXPECT_FALSE(world().exists(ped));
    EXPECT_EQ(suspectEntity().anims.count("random@arrests@busted/idle_c"), 1u);

    world().movePlayer({5, 1, 30});
    host.runFor(250);
    tapKey();
    playUntilLine(kEscort);
    EXPECT_TRUE(suspectEntity().handcuffed);

    world().movePlayer({0, 8, 30});  // the suspect follows him towards the car
    playUntilLine(kDrive);
    ASSERT_TRUE(host.runUntil([&] { return suspectEntity().vehicle == car; }, 1000));
    EXPECT_EQ(suspectEntity().seat, 1);
    EXPECT_TRUE(world().waypointSet);
    world().seatPed(player(), car, -1);
    world().drive(car, {477, -1020, 28}, 30);
    const size_t driving = host.trace.size();
    playUntilLine("");
    EXPECT_GT(host.trace.count("DRAW_MARKER", driving), 100u);
    EXPECT_THAT(seen, ElementsAre("", kGetClose, kEscort, kDrive, ""));
    EXPECT_THAT(stageNatives(),
                ElementsAre("CLONE_PED", "DELETE_PED", "SET_ENABLE_HANDCUFFS", "TASK_ENTER_VEHICLE", "SET_NEW_WAYPOINT",
                            "CREATE_PED", "TASK_LEAVE_VEHICLE", "TASK_SMART_FLEE_PED"));

    const size_t after = host.trace.size();
    host.runFor(3000);  // the arrest is over: no custody step; the release's flee order came last
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", after), 0u);
    EXPECT_EQ(host.statusLine(), "");
    // Handed back to the host, each goes on with his last order instead of standing still.
    EXPECT_THAT(suspectEntity().orders,
                ::testing::IsSupersetOf({"handed back, keeps leave_vehicle", "handed back, keeps flee"}));
    EXPECT_EQ(suspectEntity().task, sim::Task::Flee);
    EXPECT_EQ(suspectEntity().vehicle, 0);
    const sim::Entity& officer = entityOf(world(), world().nextHandle - 1);
    EXPECT_THAT(officer.orders, ElementsAre("go_to", "handed back, keeps go_to"));
    EXPECT_LT(sim::distance(officer.pos, {481, -1023, 28}), 1.0f) << "he walked to his point";
}
