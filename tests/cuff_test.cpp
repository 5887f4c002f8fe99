// Brindlecot tests — the second press: cuffing radius, the resist draw, the handcuffs.
//
// The script seeds rand() from the tick at start and the cuff decision is its first draw, so each
// fixture starts the host at a tick whose seed gives the draws it needs.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tests/scenario.h"

using ::testing::Contains;
using ::testing::ElementsAreArray;

// The first start tick from 100000 on whose seed draws `first`, then `second` (-1: any), of 0..99;
// 0 when no draw can be `first` (-1 or 100).
static uint32_t tickDrawing(int first, int second) {
    if (first < 0 || first > 99) return 0;
    for (uint32_t tick = 100000;; ++tick) {
        std::srand(tick);
        const int a = std::rand() % 100;
        const int b = std::rand() % 100;
        if (a == first && (second < 0 || b == second)) return tick;
    }
}

// Where the suspect kneels: 10 m ahead of the player.
constexpr float kSuspectY = 10.0f;

// The lowest draw that cuffs and the highest that resists.
constexpr int kFirstCuffingDraw = kResistChancePercent;
constexpr int kLastResistingDraw = kResistChancePercent - 1;

// The ped (handle 2) stands 10 m ahead of the player; his clone, the suspect, is handle 3. A fixture
// whose draws the resist chance rules out (none resists at 0, all at 100) skips its tests.
template <int First, int Second = -1>
class Draws : public Scenario {
  protected:
    Draws() : Scenario(tickDrawing(First, Second)) {}

    void SetUp() override {
        if (tickDrawing(First, Second) == 0 || Second > 99) GTEST_SKIP() << "the resist chance rules these draws out";
    }

    void arrestAndStandAt(float y) {
        host.world.spawnPed({0, kSuspectY, 30});
        start();
        ASSERT_EQ(madeBy(host.trace, "CLONE_PED", press(host, {2})), 3) << "the suspect's handle the tests name";
        ASSERT_EQ(host.statusLine(), kStatusGetClose);
        host.world.movePlayer({0, y, 30});
    }

    // The cuff press measures the distance from the suspect, kneeling at y 10, to the player at y.
    static std::vector<std::string> reachOf(float y) {
        return {coordsOf(1), coordsOf(3),
                "GET_DISTANCE_BETWEEN_COORDS(0.0, 10.0, 30.0, " + textOf(sim::Vec3{0, y, 30}) + ", 1)"};
    }
};

using CuffsThenResists = Draws<kFirstCuffingDraw, kLastResistingDraw>;
using Resists = Draws<kLastResistingDraw>;
using Cuffs = Draws<kFirstCuffingDraw>;

// Within reach of the suspect, and exactly at the cuffing radius.
constexpr float kWithinReach = kSuspectY + kBesideThePlayer;
constexpr float kAtTheRadius = kSuspectY + kCuffRadius;

// Exactly at the cuffing radius nothing happens and no draw is spent: the next press, just inside,
// gets the first draw (cuffs) and not the second (resists).
TEST_F(CuffsThenResists, ExactlyAtTheRadiusDoesNothingAndDrawsNothing) {
    arrestAndStandAt(kAtTheRadius);
    size_t from = press(host);
    EXPECT_THAT(afterAimQuery(host.trace, from),
                ElementsAreArray(join({reachOf(kAtTheRadius),
                                       suspectCheckOf(3),  // the custody step of the busted pose
                                       leashOf(3, textOf(sim::Vec3{0, kAtTheRadius, 30}), "0.0, 10.0, 30.0")})));
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    EXPECT_TRUE(entityOf(host.world, 3).anims.count("random@arrests@busted/idle_c"));

    host.world.movePlayer({0, std::nextafter(kAtTheRadius, 0.0f), 30});
    from = press(host);
    EXPECT_EQ(host.trace.count("SET_ENABLE_HANDCUFFS(3, 1)", from), 1u);
    EXPECT_EQ(host.statusLine(), kStatusEscort);
}

TEST_F(Resists, SuspectIsReleasedAndTheTextOutlivesTheArrest) {
    arrestAndStandAt(kWithinReach);
    size_t from = press(host);
    EXPECT_THAT(afterAimQuery(host.trace, from), ElementsAreArray(join({reachOf(kWithinReach), releaseOf(3)})))
        << "no custody step follows";
    const sim::Entity& suspect = entityOf(host.world, 3);
    EXPECT_EQ(suspect.task, sim::Task::Flee);
    EXPECT_TRUE(suspect.anims.empty());
    EXPECT_FALSE(suspect.handcuffed || suspect.blockingEvents || suspect.scriptOwned);
    EXPECT_EQ(host.statusLine(), kStatusResisting);

    // No arrest is under way: a press without target does nothing, the text stays.
    from = press(host);
    EXPECT_TRUE(afterAimQuery(host.trace, from).empty());
    EXPECT_EQ(host.statusLine(), kStatusResisting);

    // The hand-back cleared the suspect's handle: the next arrest finds no previous suspect and
    // leaves the fled one alone.
    from = press(host, {host.world.spawnPed({0, 5, 30})});
    EXPECT_EQ(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST(0)", from) + 1, 1),
              std::vector<std::string>{"IS_ENTITY_A_MISSION_ENTITY(4)"});
    EXPECT_EQ(entityOf(host.world, 3).task, sim::Task::Flee);
    EXPECT_TRUE(
        entityOf(host.world, madeBy(host.trace, "CLONE_PED", from)).anims.count("random@arrests@busted/idle_c"));
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

TEST_F(Cuffs, ThenEscortsInTheSameFrameAndANewPressReleases) {
    arrestAndStandAt(kWithinReach);
    size_t from = press(host);
    const std::vector<std::string> expected = join(
        {reachOf(kWithinReach),
         {"CLEAR_PED_TASKS(3)", "CLEAR_PED_TASKS_IMMEDIATELY(3)", "CLEAR_PED_SECONDARY_TASK(3)",
          "TASK_FOLLOW_TO_OFFSET_OF_ENTITY(3, 1, 0.0, 0.0, 0.0, 1.0, 1000, 1.0, 1)",
          "HAS_ANIM_DICT_LOADED(\"get_up@cuffed\")",  // asked for at the take-over: loaded by now
          "TASK_PLAY_ANIM(3, \"get_up@cuffed\", \"back_to_default\", 2.0, 1.0, -1, 54, 0.0, 0, 0, 0)",
          "SET_ENABLE_HANDCUFFS(3, 1)", "HAS_ANIM_DICT_LOADED(\"combat@drag_ped@entry\")",
          "TASK_PLAY_ANIM(1, \"combat@drag_ped@entry\", \"injured_pickup_90_plyr\", 2.0, 1.0, 800, 54, 0.0, 0, 0, 0)"},
         suspectCheckOf(3),
         {"TASK_FOLLOW_TO_OFFSET_OF_ENTITY(3, 1, 0.5, 0.5, 0.0, 1.0, 1000, 1.0, 1)"}});
    std::vector<std::string> calls = afterAimQuery(host.trace, from);
    calls.resize(std::min(calls.size(), expected.size()));
    EXPECT_THAT(calls, ElementsAreArray(expected));
    EXPECT_TRUE(entityOf(host.world, 3).handcuffed);
    EXPECT_THAT(entityOf(host.world, 3).orders, Contains("play_anim get_up@cuffed/back_to_default"))
        << "the cuffed pose really plays on the first cuffing";
    EXPECT_THAT(host.world.player().orders, Contains("play_anim combat@drag_ped@entry/injured_pickup_90_plyr"));
    EXPECT_EQ(host.statusLine(), kStatusEscort);

    // Escorting now: a press without target sets him free instead of cuffing again.
    from = press(host);
    EXPECT_THAT(afterAimQuery(host.trace, from), ElementsAreArray(releaseOf(3)));
    EXPECT_EQ(host.statusLine(), "");
}

// A transported suspect who vanishes just before the press is not released; the new arrest still
// starts in the busted stage alone: no precinct marker, no delivery without cuffs.
TEST_F(Cuffs, NewArrestAfterTheTransportedSuspectVanishedIsInTheBustedStageAlone) {
    arrestAndStandAt(kWithinReach);
    const int32_t car = host.world.parkLastVehicle({kBoardingRadius * 0.6f, kSuspectY, 30});  // handle 4
    host.world.movePlayer({0, kWithinReach, 30});
    host.runFrames(1);
    press(host);  // cuffed, and at once within reach of the car: boards
    ASSERT_TRUE(host.runUntil([&] { return entityOf(host.world, 3).vehicle == car; }, 1000));
    size_t later = host.trace.size();
    host.runFrames(2);
    ASSERT_EQ(host.trace.count("DRAW_MARKER", later), 2u);

    host.world.remove(3);
    const size_t from = press(host, {host.world.spawnPed({0, kWithinReach + kBesideThePlayer / 2, 30})});
    EXPECT_EQ(host.trace.count("STOP_ENTITY_ANIM", from), 0u) << "nothing left to release";
    EXPECT_TRUE(
        entityOf(host.world, madeBy(host.trace, "CLONE_PED", from)).anims.count("random@arrests@busted/idle_c"));
    later = host.trace.size();
    host.runFrames(3);
    EXPECT_EQ(host.trace.count("DRAW_MARKER", later), 0u);
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    // Beside him, a press without target goes for the cuffs (measuring first) instead of releasing.
    const size_t cuffing = press(host);
    EXPECT_EQ(entryAt(host.trace, host.trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", cuffing) + 1).call,
              coordsOf(1));
}

// The search the scenes use to pick a start tick by its cuff draw takes the first tick that falls
// the asked way, whatever the resist chance.
TEST(StartTickWhereSuspect, AnswersTheFirstTickWhoseDrawFallsTheAskedWay) {
    auto resists = [](uint32_t tick) { return scenes::cuffDrawAt(tick) < kResistChancePercent; };
    for (const uint32_t from : {0u, 100000u, 4294967000u}) {
        for (const bool resist : {true, false}) {
            const uint32_t tick = scenes::startTickWhereSuspect(resist, from);
            if (resist ? kResistChancePercent <= 0 : kResistChancePercent >= 100) {
                EXPECT_EQ(tick, from) << "no tick falls that way: the search gives up";
                continue;
            }
            EXPECT_EQ(resists(tick), resist) << from;
            for (uint32_t earlier = from; earlier != tick; ++earlier)
                EXPECT_NE(resists(earlier), resist) << "tick " << earlier << " was skipped";
        }
    }
}
