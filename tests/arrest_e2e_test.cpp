// Brindlecot tests — a whole arrest, from the first press to the empty line after the hand-over.

#include <algorithm>

#include "tests/scenario.h"

using ::testing::ElementsAre;

class ArrestE2E : public CustodyScenario {
  protected:
    // Steps until the status line reads `text`, remembering every line the player saw.
    void playUntilLine(const std::string& text, uint64_t maxFrames = 5000) {
        const bool reached = host.runUntil(
            [&] {
                if (!endsLoopPass(host.trace, host.trace.size() - 1) || world().lastFrame.lines.empty()) {
                    return false;  // inside a stage that waits
                }
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

// Aim, press, walk up, press, walk to the car, get in, drive to the precinct: the first arrest of a
// game, every dictionary and the officer's model cold.
TEST_F(ArrestE2E, OnFootToTheHandOverAtThePrecinct) {
    car = world().parkLastVehicle({0, 10, 30});
    world().movePlayer({0, 0, 30});
    const int32_t ped = world().spawnPed({5, 0, 30});
    start();
    seen.push_back(host.statusLine());
    suspect = madeBy(host.trace, "CLONE_PED", press(host, {ped, Press::kFrameOnly}));
    playUntilLine(kStatusGetClose);
    EXPECT_FALSE(world().exists(ped));
    EXPECT_EQ(suspectEntity().anims.count("random@arrests@busted/idle_c"), 1u);

    world().movePlayer({5, kBesideThePlayer, 30});
    host.runFor(250);
    press(host, {0, Press::kFrameOnly});
    playUntilLine(kStatusEscort);
    EXPECT_TRUE(suspectEntity().handcuffed);

    world().movePlayer({0, 8, 30});  // the suspect follows him towards the car
    playUntilLine(kStatusDrive);
    ASSERT_TRUE(host.runUntil([&] { return suspectEntity().vehicle == car; }, 1000));
    EXPECT_EQ(suspectEntity().seat, 1);
    EXPECT_TRUE(world().waypointSet);
    world().seatPed(player(), car, -1);
    world().drive(car, offset(vecOf(kPrecinctPoint), 0, kDeliveryRadius * 0.6f), 30);
    const size_t driving = host.trace.size();
    playUntilLine("");
    EXPECT_GT(host.trace.count("DRAW_MARKER", driving), 100u);
    EXPECT_THAT(seen, ElementsAre("", kStatusGetClose, kStatusEscort, kStatusDrive, ""));
    // The release's flee order, then the leash's second one: both to the cleared handle.
    EXPECT_THAT(stageNatives(),
                ElementsAre("CLONE_PED", "DELETE_PED", "SET_ENABLE_HANDCUFFS", "TASK_ENTER_VEHICLE", "SET_NEW_WAYPOINT",
                            "CREATE_PED", "TASK_LEAVE_VEHICLE", "TASK_SMART_FLEE_PED", "TASK_SMART_FLEE_PED"));

    host.runFor(3000);  // the arrest is over: no custody step
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", host.trace.find("TASK_LEAVE_VEHICLE")), 0u)
        << "no custody step from the hand-over on";
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_THAT(suspectEntity().orders, ::testing::Not(::testing::Contains(::testing::StartsWith("anim_not_loaded"))))
        << "every pose played";
    // The hand-back cleared his handle: the release's flee order reached nobody. He got out and
    // stands under the game's management, beside the officer's path.
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED(0, 1,", host.trace.find("TASK_LEAVE_VEHICLE")), 2u);
    EXPECT_EQ(suspectEntity().orders.back(), "handed back, keeps leave_vehicle");
    EXPECT_EQ(suspectEntity().task, sim::Task::None);
    EXPECT_EQ(suspectEntity().vehicle, 0);
    const sim::Entity& officer = entityOf(world(), madeBy(host.trace, "CREATE_PED"));
    EXPECT_THAT(officer.orders, ElementsAre("go_to", "handed back, keeps go_to"));
    EXPECT_LT(sim::distance(officer.pos, vecOf(kOfficerWalkTarget)), 1.0f) << "he walked to his point";
    EXPECT_LT(sim::distance(suspectEntity().pos, officer.pos), 10.0f);
}
