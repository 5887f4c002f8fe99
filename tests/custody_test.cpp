// Brindlecot tests — the custody step: suspect check, escort, boarding and leash.
//
//   [SECTION] Escort and boarding
//   [SECTION] Leash
//   [SECTION] Suspect gone and the release by the key

#include "tests/arrest_steps.h"
#include "tests/custody_fixture.h"

using ::testing::ElementsAreArray;
using ::testing::IsSupersetOf;
using ::testing::Not;

//-----------------------------------------------------------------------------
// [SECTION] Escort and boarding
//-----------------------------------------------------------------------------

class EscortTest : public CustodyScenario {
  protected:
    // The escort step's calls up to the boarding test, the car standing at `carAt`.
    std::vector<std::string> escortHead(const std::string& carAt) {
        return join(
            {suspectCheck(),
             {fmt("TASK_FOLLOW_TO_OFFSET_OF_ENTITY(%d, %d, 0.5, 0.5, 0.0, 1.0, 1000, 1.0, 1)", suspect, player()),
              coords(car), coords(suspect), "GET_DISTANCE_BETWEEN_COORDS(" + carAt + ", 1.0, 0.0, 30.0, 1)"}});
    }

    std::vector<std::string> boarding(int32_t door, int32_t seat) {
        return {fmt("SET_VEHICLE_DOOR_OPEN(%d, %d, 1, 0)", car, door),
                fmt("TASK_ENTER_VEHICLE(%d, %d, 10000, %d, 1.2, 0, null, 0)", suspect, car, seat),
                "SET_NEW_WAYPOINT(477.0, -1023.0)",
                coords(suspect),
                "DRAW_MARKER(2, 477.0, -1023.0, 20.0, 0.0, 0.0, 0.0, 180.0, 0.0, 0.0, 0.5, 0.5, 0.5, 204, 204, 0, 100, "
                "0, 1, 2, 0, null, null, 0)",
                "GET_DISTANCE_BETWEEN_COORDS(477.0, -1023.0, 28.0, 1.0, 0.0, 30.0, 1)"};
    }

    std::vector<std::string> seatChecks(std::initializer_list<int32_t> seats) {
        std::vector<std::string> out;
        for (int32_t seat : seats)
            out.push_back(fmt("IS_VEHICLE_SEAT_FREE(%d, %d, 0)", car, seat));
        return out;
    }
};

TEST_F(EscortTest, BoardsOnlyStrictlyWithinFiveMetresOfTheVehicle) {
    startEscort();
    const auto restOfFrame = leash("0.0, 0.0, 30.0", "1.0, 0.0, 30.0");
    entityOf(world(), car).pos = {1, 5, 30};
    EXPECT_THAT(custodyFrame(), ElementsAreArray(join({escortHead("1.0, 5.0, 30.0"), restOfFrame})));
    entityOf(world(), car).pos = {1, 4.99f, 30};
    EXPECT_THAT(custodyFrame(),
                ElementsAreArray(join({escortHead("1.0, 4.99, 30.0"), seatChecks({1}), boarding(2, 1), restOfFrame})));
    host.step();
    EXPECT_EQ(host.statusLine(), kDrive);
    EXPECT_TRUE(world().waypointSet);
}

// Seats 1, 2 and 0 are tried in that order; the driver's seat never.
struct SeatCase {
    std::vector<int32_t> taken;
    std::vector<int32_t> tried;
    int32_t door, seat;  // door 0: no boarding
};

class SeatTest : public EscortTest, public ::testing::WithParamInterface<SeatCase> {};

TEST_P(SeatTest, TakesTheFirstFreePassengerSeatWithItsDoor) {
    const SeatCase& c = GetParam();
    startEscort();
    for (int32_t seat : c.taken)
        world().seatPed(world().spawnPed({0, 0, 0}), car, seat);
    entityOf(world(), car).pos = {1, 3, 30};
    std::vector<std::string> expected = escortHead("1.0, 3.0, 30.0");
    for (int32_t seat : c.tried)
        expected.push_back(fmt("IS_VEHICLE_SEAT_FREE(%d, %d, 0)", car, seat));
    if (c.door) expected = join({expected, boarding(c.door, c.seat)});
    EXPECT_THAT(custodyFrame(), ElementsAreArray(join({expected, leash("0.0, 0.0, 30.0", "1.0, 0.0, 30.0")})));
    host.step();
    EXPECT_EQ(host.statusLine(), c.door ? kDrive : kEscort);
    EXPECT_EQ(entityOf(world(), car).openDoors.count(c.door), c.door ? 1u : 0u);
    if (!c.door) {  // the escort goes on
        EXPECT_THAT(custodyFrame(), ::testing::Contains(::testing::StartsWith("TASK_FOLLOW_TO_OFFSET_OF_ENTITY")));
    }
}

INSTANTIATE_TEST_SUITE_P(Seats, SeatTest,
                         ::testing::Values(SeatCase{{}, {1}, 2, 1}, SeatCase{{0, 2}, {1}, 2, 1},
                                           SeatCase{{1}, {1, 2}, 3, 2}, SeatCase{{1, 2}, {1, 2, 0}, 1, 0},
                                           SeatCase{{1, 2, 0}, {1, 2, 0}, 0, 0},  // driver's seat free
                                           SeatCase{{-1, 0, 1, 2}, {1, 2, 0}, 0, 0}));

// The leash is the only writer of the vehicle: a change of car counts from the next custody frame.
TEST_F(EscortTest, UsesTheVehicleThatThePreviousFrameFound) {
    startEscort();
    const int32_t farCar = car;
    const int32_t nearCar = world().spawnVehicle({1, 3, 30});
    world().seatPed(player(), nearCar, -1);
    world().unseatPed(player());
    world().movePlayer({0, 0, 30});
    const auto first = custodyFrame();
    EXPECT_THAT(first, ::testing::Contains(coords(farCar)));
    EXPECT_THAT(first, Not(::testing::Contains(::testing::StartsWith("TASK_ENTER_VEHICLE"))));
    EXPECT_THAT(custodyFrame(),
                ::testing::Contains(fmt("TASK_ENTER_VEHICLE(%d, %d, 10000, 1, 1.2, 0, null, 0)", suspect, nearCar)));
}

//-----------------------------------------------------------------------------
// [SECTION] Leash
//-----------------------------------------------------------------------------

enum class Stage { Busted, Escort, Transport };

class StageTest : public CustodyScenario {
  protected:
    void startIn(Stage stage) {
        if (stage == Stage::Busted) startBusted();
        if (stage == Stage::Escort) startEscort();
        if (stage == Stage::Transport) startTransport();
    }
};

class LeashTest : public StageTest, public ::testing::WithParamInterface<std::tuple<Stage, float>> {};

// The suspect stands at (1, 0, 30); the player steps exactly 50.0 away, or just beyond.
TEST_P(LeashTest, ReleasesOnlyBeyondFiftyMetres) {
    const auto [stage, away] = GetParam();
    startIn(stage);
    const std::string statusBefore = host.statusLine();
    world().movePlayer({1, away, 30});
    const auto calls = custodyFrame();
    const bool released = away > 50.0f;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), release()[3]), released ? 1 : 0);
    host.step();
    EXPECT_EQ(host.statusLine(), released ? "" : statusBefore);
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", host.trace.find("scriptWait(0)", host.trace.size() - 40)),
              released ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Stages, LeashTest,
                         ::testing::Combine(::testing::Values(Stage::Busted, Stage::Escort, Stage::Transport),
                                            ::testing::Values(50.0f, 50.01f)));

//-----------------------------------------------------------------------------
// [SECTION] Suspect gone and the release by the key
//-----------------------------------------------------------------------------

class GoneTest : public StageTest, public ::testing::WithParamInterface<std::tuple<Stage, bool>> {};

// Released by the suspect check; the stage's own step is skipped, the leash still runs.
TEST_P(GoneTest, ReleasesADeadOrVanishedSuspectAndRunsOnlyTheLeash) {
    const auto [stage, vanishes] = GetParam();
    startIn(stage);
    if (vanishes) {
        world().remove(suspect);
    } else {
        suspectEntity().dead = true;
    }
    std::vector<std::string> expected = suspectCheck();
    if (vanishes) expected.pop_back();  // no death test for a ped that does not exist
    expected = join({expected, release(), leash("0.0, 0.0, 30.0", vanishes ? "0.0, 0.0, 0.0" : "1.0, 0.0, 30.0")});
    EXPECT_THAT(custodyFrame(), ElementsAreArray(expected));
    const size_t mark = host.trace.size();
    host.step();
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", mark), 0u);
}

INSTANTIATE_TEST_SUITE_P(Stages, GoneTest,
                         ::testing::Combine(::testing::Values(Stage::Busted, Stage::Escort, Stage::Transport),
                                            ::testing::Bool()));

class KeyReleaseTest : public StageTest, public ::testing::WithParamInterface<Stage> {};

// The dispatch releases him; inCustody is then clear, so no custody step follows in that frame.
TEST_P(KeyReleaseTest, APressWithoutTargetReleasesInTheDispatch) {
    startIn(GetParam());
    host.runFor(250);
    const size_t mark = host.trace.size();
    tapKey();
    const auto calls = host.trace.calls(host.trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", mark) + 1, true);
    EXPECT_THAT(calls, ElementsAreArray(release()));
    host.step();
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", mark), 0u);
}

INSTANTIATE_TEST_SUITE_P(Stages, KeyReleaseTest, ::testing::Values(Stage::Escort, Stage::Transport));

// The escorted suspect vanishes between two custody steps and the player arrests someone else
// before the next one: nothing is released, and the new suspect must not inherit the escort.
TEST_F(StageTest, ANewArrestAfterTheEscortedSuspectVanishedStartsInTheBustedPose) {
    startEscort();
    host.runFor(250);
    world().remove(suspect);
    const sim::Vec3 at = {0, 3, 30};
    press(host, world().spawnPed(at));
    const sim::Entity& clone = entityOf(world(), world().nextHandle - 1);
    EXPECT_THAT(clone.orders, ::testing::Not(::testing::Contains(::testing::StartsWith("follow"))));
    EXPECT_EQ(clone.pos.y, at.y) << "he kneels where he was taken";
    EXPECT_EQ(host.statusLine(), kGetClose);
}
