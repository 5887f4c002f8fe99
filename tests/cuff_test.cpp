// Brindlecot tests — the second press: cuffing radius, the resist draw, the handcuffs.
//
//   [SECTION] Helpers
//   [SECTION] Cuffing radius
//   [SECTION] Resisting
//   [SECTION] Cuffed
//
// The script seeds rand() from the tick at start and the cuff decision is its first draw, so each
// fixture starts the host at a tick whose seed gives the draws it needs.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scenario.h"

using ::testing::ElementsAreArray;

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

namespace {

const char kResistText[] = "Suspect is ~r~resisting~w~ arrest!";
const char kEscortText[] = "Escort the suspect to the vehicle";
const char kGetCloseText[] = "Get close to the suspect and press again to cuff him";

// The first start tick from 100000 on whose seed makes the first two draws of 0..99 pass `wanted`.
template <typename Wanted>
uint32_t tickWhere(Wanted wanted) {
    for (uint32_t tick = 100000;; ++tick) {
        std::srand(tick);
        const int first = std::rand() % 100;
        const int second = std::rand() % 100;
        if (wanted(first, second)) return tick;
    }
}

// The script's natives and waits from entry `from` on, without the Win32 calls.
std::vector<std::string> scriptCalls(const sim::Trace& trace, size_t from) {
    std::vector<std::string> out;
    for (size_t n = from; n < trace.size(); ++n) {
        if (trace.entries[n].kind != sim::CallKind::Win32) out.push_back(trace.entries[n].call);
    }
    return out;
}

// The calls of a press after the aim query, up to the end of its frame.
std::vector<std::string> afterAimQuery(const sim::Trace& trace, size_t from) {
    std::vector<std::string> calls = scriptCalls(trace, trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", from) + 1);
    calls.resize(std::find(calls.begin(), calls.end(), "scriptWait(0)") - calls.begin());
    return calls;
}

const std::vector<std::string> kReleaseOfThree = {
    "STOP_ANIM_TASK(3, \"back_to_default\", \"get_up@cuffed\", 0)",
    "STOP_ANIM_TASK(3, \"idle_c\", \"random@arrests@busted\", 0)",
    "SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(3, 0)",
    "TASK_SMART_FLEE_PED(3, 1, 200.0, -1, 1, 1)",
    "SET_PED_AS_NO_LONGER_NEEDED(&3)",
};

}  // namespace

// The ped (handle 2) stands 10 m ahead of the player; his clone, the suspect, will be handle 3.
class Cuff : public Scenario {
  protected:
    explicit Cuff(uint32_t startTick) : Scenario(startTick) {}

    void arrest(int32_t ped) {
        host.world.aimTarget = ped;
        tapKey();
        host.world.aimTarget = 0;
        host.runFrames(15);  // past the waits of the take-over and the debounce
    }

    size_t pressWithoutTarget() {
        const size_t from = host.trace.size();
        tapKey();
        host.runFrames(15);
        return from;
    }

    void arrestAndStandAt(float y) {
        host.world.spawnPed({0, 10, 30});
        start();
        arrest(2);
        ASSERT_EQ(host.statusLine(), kGetCloseText);
        host.world.movePlayer({0, y, 30});
    }
};

class CuffFirstDrawCuffsSecondResists : public Cuff {
  protected:
    CuffFirstDrawCuffsSecondResists() : Cuff(tickWhere([](int a, int b) { return a >= 15 && b < 15; })) {}
};

class CuffDraw14 : public Cuff {
  protected:
    CuffDraw14() : Cuff(tickWhere([](int a, int) { return a == 14; })) {}
};

class CuffDraw15 : public Cuff {
  protected:
    CuffDraw15() : Cuff(tickWhere([](int a, int) { return a == 15; })) {}
};

//-----------------------------------------------------------------------------
// [SECTION] Cuffing radius
//-----------------------------------------------------------------------------

// Exactly 2.0 away nothing happens and no draw is spent: the next press, just inside, gets the
// first draw (cuffs) and not the second (resists).
TEST_F(CuffFirstDrawCuffsSecondResists, ExactlyTwoMetresDoesNothingAndDrawsNothing) {
    arrestAndStandAt(12.0f);
    size_t from = pressWithoutTarget();
    EXPECT_THAT(afterAimQuery(host.trace, from),
                ElementsAreArray(std::vector<std::string>{
                    "GET_ENTITY_COORDS(1, 1)", "GET_ENTITY_COORDS(3, 1)",
                    "GET_DISTANCE_BETWEEN_COORDS(0.0, 10.0, 30.0, 0.0, 12.0, 30.0, 1)",
                    "PLAYER_PED_ID()",  // the custody step
                    "DOES_ENTITY_EXIST(3)", "IS_PED_DEAD_OR_DYING(3, 0)", "GET_VEHICLE_PED_IS_IN(1, 1)",
                    "GET_ENTITY_COORDS(1, 1)", "GET_ENTITY_COORDS(3, 1)",
                    "GET_DISTANCE_BETWEEN_COORDS(0.0, 12.0, 30.0, 0.0, 10.0, 30.0, 1)"}));
    EXPECT_EQ(host.statusLine(), kGetCloseText);
    EXPECT_TRUE(host.world.find(3)->anims.count("random@arrests@busted/idle_c"));

    host.world.movePlayer({0, 11.999999f, 30});
    from = pressWithoutTarget();
    EXPECT_EQ(host.trace.count("SET_ENABLE_HANDCUFFS(3, 1)", from), 1u);
    EXPECT_EQ(host.statusLine(), kEscortText);
}

//-----------------------------------------------------------------------------
// [SECTION] Resisting
//-----------------------------------------------------------------------------

TEST_F(CuffDraw14, ResistingSuspectIsReleasedAndTheTextOutlivesTheArrest) {
    arrestAndStandAt(11.0f);
    size_t from = pressWithoutTarget();
    std::vector<std::string> expected = {"GET_ENTITY_COORDS(1, 1)", "GET_ENTITY_COORDS(3, 1)",
                                         "GET_DISTANCE_BETWEEN_COORDS(0.0, 10.0, 30.0, 0.0, 11.0, 30.0, 1)"};
    expected.insert(expected.end(), kReleaseOfThree.begin(), kReleaseOfThree.end());
    EXPECT_THAT(afterAimQuery(host.trace, from), ElementsAreArray(expected)) << "no custody step follows";
    const sim::Entity& suspect = *host.world.find(3);
    EXPECT_EQ(suspect.task, sim::Task::Flee);
    EXPECT_TRUE(suspect.anims.empty());
    EXPECT_FALSE(suspect.handcuffed || suspect.blockingEvents || suspect.scriptOwned);
    EXPECT_EQ(host.statusLine(), kResistText);

    // No arrest is under way: a press without target does nothing, the text stays.
    from = pressWithoutTarget();
    EXPECT_TRUE(afterAimQuery(host.trace, from).empty());
    EXPECT_EQ(host.statusLine(), kResistText);

    // The fled suspect still exists: the next arrest releases him a second time, harmlessly.
    host.world.spawnPed({0, 5, 30});
    from = host.trace.size();
    arrest(4);
    std::vector<std::string> calls = scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST(3)", from) + 1);
    calls.resize(kReleaseOfThree.size());
    EXPECT_THAT(calls, ElementsAreArray(kReleaseOfThree));
    EXPECT_EQ(host.world.find(3)->task, sim::Task::Flee);
    EXPECT_TRUE(host.world.find(5)->anims.count("random@arrests@busted/idle_c"));
    EXPECT_EQ(host.statusLine(), kGetCloseText);
}

//-----------------------------------------------------------------------------
// [SECTION] Cuffed
//-----------------------------------------------------------------------------

TEST_F(CuffDraw15, CuffsThenEscortsInTheSameFrameAndANewPressReleases) {
    arrestAndStandAt(11.0f);
    size_t from = pressWithoutTarget();
    std::vector<std::string> calls = afterAimQuery(host.trace, from);
    const std::vector<std::string> expected = {
        "GET_ENTITY_COORDS(1, 1)",
        "GET_ENTITY_COORDS(3, 1)",
        "GET_DISTANCE_BETWEEN_COORDS(0.0, 10.0, 30.0, 0.0, 11.0, 30.0, 1)",
        "CLEAR_PED_TASKS(3)",
        "CLEAR_PED_TASKS_IMMEDIATELY(3)",
        "CLEAR_PED_SECONDARY_TASK(3)",
        "TASK_FOLLOW_TO_OFFSET_OF_ENTITY(3, 1, 0.0, 0.0, 0.0, 1.0, 1000, 1.0, 1)",
        "HAS_ANIM_DICT_LOADED(\"get_up@cuffed\")",
        "REQUEST_ANIM_DICT(\"get_up@cuffed\")",
        "TASK_PLAY_ANIM(3, \"get_up@cuffed\", \"back_to_default\", 2.0, 1.0, -1, 54, 0.0, 0, 0, 0)",
        "SET_ENABLE_HANDCUFFS(3, 1)",
        "HAS_ANIM_DICT_LOADED(\"combat@drag_ped@entry\")",
        "REQUEST_ANIM_DICT(\"combat@drag_ped@entry\")",
        "TASK_PLAY_ANIM(1, \"combat@drag_ped@entry\", \"injured_pickup_90_plyr\", 2.0, 1.0, 800, 54, 0.0, 0, 0, 0)",
        "PLAYER_PED_ID()",
        "DOES_ENTITY_EXIST(3)",
        "IS_PED_DEAD_OR_DYING(3, 0)",
        "TASK_FOLLOW_TO_OFFSET_OF_ENTITY(3, 1, 0.5, 0.5, 0.0, 1.0, 1000, 1.0, 1)",
    };
    ASSERT_GE(calls.size(), expected.size());
    calls.resize(expected.size());
    EXPECT_THAT(calls, ElementsAreArray(expected));
    EXPECT_TRUE(host.world.find(3)->handcuffed);
    EXPECT_EQ(host.statusLine(), kEscortText);

    // Escorting now: a press without target sets him free instead of cuffing again.
    from = pressWithoutTarget();
    calls = afterAimQuery(host.trace, from);
    EXPECT_THAT(calls, ElementsAreArray(kReleaseOfThree));
    EXPECT_EQ(host.statusLine(), "");
}

// A transported suspect who vanishes just before the press is not released, so the transport
// stage is never cleared: the new suspect in the busted pose gets the precinct marker too.
TEST_F(CuffDraw15, NewArrestAfterTheTransportedSuspectVanishedKeepsTheTransportStep) {
    arrestAndStandAt(11.0f);
    const int32_t car = host.world.spawnVehicle({3, 10, 30});  // handle 4, the player's last vehicle
    host.world.seatPed(host.world.playerPed, car, -1);
    host.world.unseatPed(host.world.playerPed);
    host.world.movePlayer({0, 11, 30});
    host.runFrames(1);
    pressWithoutTarget();  // cuffed, and at once within reach of the car: boards
    ASSERT_TRUE(host.runUntil([&] { return host.world.find(3)->vehicle == car; }, 1000));
    size_t later = host.trace.size();
    host.runFrames(2);
    ASSERT_EQ(host.trace.count("DRAW_MARKER", later), 2u);

    host.world.remove(3);
    host.world.spawnPed({0, 12, 30});
    const size_t from = host.trace.size();
    arrest(5);
    EXPECT_EQ(host.trace.count("STOP_ANIM_TASK", from), 0u) << "nothing left to release";
    EXPECT_TRUE(host.world.find(6)->anims.count("random@arrests@busted/idle_c"));
    later = host.trace.size();
    host.runFrames(3);
    EXPECT_EQ(host.trace.count("DRAW_MARKER", later), 3u);
    EXPECT_EQ(host.statusLine(), kGetCloseText);
}
