// Brindlecot tests — the custody step: suspect check, escort, boarding and leash.
//
//   [SECTION] Escort and boarding
//   [SECTION] The seat watch
//   [SECTION] Leash
//   [SECTION] Suspect gone and the release by the key
//   [SECTION] Presses held down
//   [SECTION] A second start mid-arrest

#include "tests/scenario.h"

using ::testing::ElementsAreArray;
using ::testing::IsSupersetOf;
using ::testing::Not;

//-----------------------------------------------------------------------------
// [SECTION] Escort and boarding
//-----------------------------------------------------------------------------

class EscortTest : public CustodyScenario {
  protected:
    // The escort step's calls up to the boarding test, the car standing at `carAt`.
    std::vector<std::string> escortHead(const sim::Vec3& carAt) {
        return join(
            {suspectCheckOf(suspect),
             {fmt("TASK_FOLLOW_TO_OFFSET_OF_ENTITY(%d, %d, 0.5, 0.5, 0.0, 1.0, 1000, 1.0, 1)", suspect, player()),
              coordsOf(car), coordsOf(suspect),
              "GET_DISTANCE_BETWEEN_COORDS(" + textOf(carAt) + ", " + textOf(suspectAt) + ", 1)"}});
    }

    std::vector<std::string> boarding(int32_t door, int32_t seat) {
        return {fmt("SET_VEHICLE_DOOR_OPEN(%d, %d, 1, 0)", car, door),
                fmt("TASK_ENTER_VEHICLE(%d, %d, %d, %d, 1.2, 0, null, 0)", suspect, car, kEnterVehicleTimeoutMs, seat),
                kWaypoint,
                "GET_HASH_KEY(\"s_m_y_cop_01\")",  // the officer's model, asked for now
                "HAS_MODEL_LOADED(0x5E3DA4A4)",
                "GET_HASH_KEY(\"s_m_y_cop_01\")",
                "REQUEST_MODEL(0x5E3DA4A4)",
                seatCheckOf(suspect, car),
                coordsOf(suspect),
                kPrecinctMarkerDraw,
                "GET_DISTANCE_BETWEEN_COORDS(" + textOf(kPrecinctPoint) + ", " + textOf(suspectAt) + ", 1)"};
    }

    std::vector<std::string> seatChecks(const std::vector<int32_t>& seats) {
        std::vector<std::string> out;
        for (int32_t seat : seats)
            out.push_back(fmt("IS_VEHICLE_SEAT_FREE(%d, %d, 0)", car, seat));
        return out;
    }
};

TEST_F(EscortTest, BoardsOnlyStrictlyWithinReachOfTheVehicle) {
    startEscort();
    const auto restOfFrame = leashOf(suspect, "0.0, 0.0, 30.0", textOf(suspectAt));
    const sim::Vec3 atReach = offset(suspectAt, 0, kBoardingRadius);
    entityOf(world(), car).pos = atReach;
    EXPECT_THAT(custodyFrame(), ElementsAreArray(join({escortHead(atReach), restOfFrame})));
    const sim::Vec3 justInside = offset(suspectAt, 0, kBoardingRadius - 0.01f);
    entityOf(world(), car).pos = justInside;
    EXPECT_THAT(custodyFrame(),
                ElementsAreArray(join({escortHead(justInside), seatChecks({1}), boarding(2, 1), restOfFrame})));
    host.step();
    EXPECT_EQ(host.statusLine(), kStatusDrive);
    EXPECT_TRUE(world().waypointSet);
}

// Seats 1, 2 and 0 are tried in that order; the driver's seat never.
struct SeatCase {
    const char* name;
    std::vector<int32_t> taken;
    std::vector<int32_t> tried;
    int32_t door, seat;  // door 0: no boarding
};

void PrintTo(const SeatCase& c, std::ostream* out) { *out << c.name; }

class SeatTest : public EscortTest, public ::testing::WithParamInterface<SeatCase> {};

TEST_P(SeatTest, TakesTheFirstFreePassengerSeatWithItsDoor) {
    const SeatCase& c = GetParam();
    startEscort();
    for (int32_t seat : c.taken)
        world().seatPed(world().spawnPed({0, 0, 0}), car, seat);
    const sim::Vec3 near = offset(suspectAt, 0, kBoardingRadius * 0.6f);
    entityOf(world(), car).pos = near;
    std::vector<std::string> expected = join({escortHead(near), seatChecks(c.tried)});
    if (c.door) expected = join({expected, boarding(c.door, c.seat)});
    EXPECT_THAT(custodyFrame(),
                ElementsAreArray(join({expected, leashOf(suspect, "0.0, 0.0, 30.0", textOf(suspectAt))})));
    host.step();
    EXPECT_EQ(host.statusLine(), c.door ? kStatusDrive : kStatusNoFreeSeat);
    EXPECT_EQ(entityOf(world(), car).openDoors.count(c.door), c.door ? 1u : 0u);
    if (!c.door) {  // the escort goes on
        EXPECT_THAT(custodyFrame(), ::testing::Contains(::testing::StartsWith("TASK_FOLLOW_TO_OFFSET_OF_ENTITY")));
    }
}

// Seat -1 is the driver's, 0 the front passenger's, 1 and 2 the rear left and right.
INSTANTIATE_TEST_SUITE_P(Seats, SeatTest,
                         ::testing::Values(SeatCase{"AllFree", {}, {1}, 2, 1},
                                           SeatCase{"FrontAndRearRightTaken", {0, 2}, {1}, 2, 1},
                                           SeatCase{"RearLeftTaken", {1}, {1, 2}, 3, 2},
                                           SeatCase{"BothRearTaken", {1, 2}, {1, 2, 0}, 1, 0},
                                           SeatCase{"PassengerSeatsTakenDriversFree", {1, 2, 0}, {1, 2, 0}, 0, 0},
                                           SeatCase{"EverySeatTaken", {-1, 0, 1, 2}, {1, 2, 0}, 0, 0}),
                         ByName());

// The leash is the only writer of the vehicle: a change of car counts from the next custody frame.
TEST_F(EscortTest, UsesTheVehicleThatThePreviousFrameFound) {
    startEscort();
    const int32_t farCar = car;
    const int32_t nearCar = world().parkLastVehicle(offset(suspectAt, 0, kBoardingRadius * 0.6f));
    world().movePlayer({0, 0, 30});
    const auto first = custodyFrame();
    EXPECT_THAT(first, ::testing::Contains(coordsOf(farCar)));
    EXPECT_THAT(first, Not(::testing::Contains(::testing::StartsWith("TASK_ENTER_VEHICLE"))));
    EXPECT_THAT(custodyFrame(), ::testing::Contains(fmt("TASK_ENTER_VEHICLE(%d, %d, %d, 1, 1.2, 0, null, 0)", suspect,
                                                        nearCar, kEnterVehicleTimeoutMs)));
}

// Beside a full car the line says so, and only while he stands within reach of it; a seat freed
// boards him at once.
TEST_F(EscortTest, NoFreeSeatIsSaidWhileItHoldsAndAFreedSeatBoardsHim) {
    startEscort();
    int32_t rearRight = 0;
    for (int32_t seat : {1, 2, 0}) {
        const int32_t ped = world().spawnPed({0, 0, 0});
        world().seatPed(ped, car, seat);
        if (seat == 2) rearRight = ped;
    }
    const sim::Vec3 near = offset(suspectAt, 0, kBoardingRadius * 0.6f);
    entityOf(world(), car).pos = near;
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusNoFreeSeat);
    entityOf(world(), car).pos = offset(suspectAt, 0, kBoardingRadius);
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusEscort);
    entityOf(world(), car).pos = near;
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusNoFreeSeat);
    world().unseatPed(rearRight);
    EXPECT_THAT(custodyFrame(), ::testing::Contains(fmt("TASK_ENTER_VEHICLE(%d, %d, %d, 2, 1.2, 0, null, 0)", suspect,
                                                        car, kEnterVehicleTimeoutMs)));
    host.step();
    EXPECT_EQ(host.statusLine(), kStatusDrive);
}

//-----------------------------------------------------------------------------
// [SECTION] The seat watch
//-----------------------------------------------------------------------------

class SeatWatchTest : public CustodyScenario {
  protected:
    // Frames past the seat watch's wait from the order at `orderedAt`, at 60 a second.
    void runPastTheWait(uint32_t orderedAt, uint32_t beyondMs = 500) {
        host.runFor(kSeatForcedAfterMs + beyondMs - (host.tick() - orderedAt));
    }
};

// Getting in within the wait costs the seat check and nothing more: no other native is added to a
// transport frame, and nobody is put anywhere.
TEST_F(SeatWatchTest, ABoardingThatSucceedsWithinTheWaitOnlyAddsTheSeatCheck) {
    world().enterVehicleMs = kSeatForcedAfterMs - 300;
    startEscort();
    const uint32_t orderedAt = bringTheCar(false);
    const size_t from = host.trace.size();
    runPastTheWait(orderedAt, 2000);
    EXPECT_EQ(suspectEntity().vehicle, car);
    const size_t frames = host.trace.count("DRAW_MARKER", from);
    EXPECT_GT(frames, 100u);
    EXPECT_EQ(host.trace.count(seatCheckOf(suspect, car), from), frames);
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", from), frames) << "the suspect check's only";
    EXPECT_EQ(host.trace.count("GET_ENTITY_COORDS", from), 4 * frames) << "the frame's, the leash's two, the marker's";
    EXPECT_EQ(host.trace.count("SET_PED_INTO_VEHICLE", from), 0u);
    EXPECT_EQ(host.statusLine(), kStatusDrive);
}

// What happens in the wait, and what the seat watch does at its end: put him into a seat once (and
// which), say that he is not in the car, or hand him back to the escort.
enum class Meanwhile { Nothing, SeatTaken, AllSeatsTaken, CarDrivesOff, CarGone, PlayerTakesAnotherCar };

struct ForcedSeatCase {
    const char* name;
    int32_t seatCount;  // of the player's car
    bool strangerDrives;
    Meanwhile meanwhile;
    int32_t forcedSeat;  // -3: nobody is put in
    const char* status;
};

void PrintTo(const ForcedSeatCase& c, std::ostream* out) { *out << c.name; }

class ForcedSeatTest : public SeatWatchTest, public ::testing::WithParamInterface<ForcedSeatCase> {};

TEST_P(ForcedSeatTest, AtTheEndOfTheWaitPutsHimInOnceOnlyWhileTheCarIsInReach) {
    const ForcedSeatCase& c = GetParam();
    startEscort();
    entityOf(world(), car).seatCount = c.seatCount;
    if (c.strangerDrives) world().seatPed(world().spawnPed({0, 0, 0}), car, -1);
    const uint32_t orderedAt = bringTheCar(true);
    const size_t boarded = host.trace.size();
    ASSERT_EQ(host.trace.count("TASK_ENTER_VEHICLE"), 1u);
    const int32_t ordered = entryAt(host.trace, host.trace.find("TASK_ENTER_VEHICLE")).intArg(3);
    const int32_t otherCar = world().spawnVehicle(offset(suspectAt, 0, -kBoardingRadius * 0.6f));
    host.runFor(1000);
    switch (c.meanwhile) {
        case Meanwhile::Nothing:
            break;
        case Meanwhile::SeatTaken:
            world().seatPed(world().spawnPed({0, 0, 0}), car, ordered);
            break;
        case Meanwhile::AllSeatsTaken:
            for (int32_t seat : {1, 2, 0})
                world().seatPed(world().spawnPed({0, 0, 0}), car, seat);
            break;
        case Meanwhile::CarDrivesOff:
            entityOf(world(), car).pos = offset(suspectAt, 0, 2 * kBoardingRadius);
            break;
        case Meanwhile::CarGone:
            world().remove(car);
            break;
        case Meanwhile::PlayerTakesAnotherCar:
            world().seatPed(player(), otherCar, -1);
            break;
    }
    const size_t from = host.trace.size();
    host.runUntil([&] {
        return host.trace.count("SET_PED_INTO_VEHICLE", boarded) != 0 ||
               host.tick() - orderedAt > kSeatForcedAfterMs + 500;
    });
    const size_t forced = host.trace.find("SET_PED_INTO_VEHICLE", boarded);
    if (c.forcedSeat == -3) {
        EXPECT_EQ(forced, host.trace.size()) << "put in: " << entryAt(host.trace, forced).call;
    } else {
        EXPECT_EQ(entryAt(host.trace, forced).call,
                  fmt("SET_PED_INTO_VEHICLE(%d, %d, %d)", suspect, car, c.forcedSeat));
        const uint32_t waited = entryAt(host.trace, forced).tick - orderedAt;
        EXPECT_GE(waited, kSeatForcedAfterMs);
        EXPECT_LT(waited, kSeatForcedAfterMs + 17) << "the first frame after the wait";
        EXPECT_EQ(suspectEntity().vehicle, car);
        EXPECT_EQ(suspectEntity().seat, c.forcedSeat);
        world().unseatPed(suspect);  // pulled out at once, beside the car: he is not put in again
    }
    host.runFor(kSeatForcedAfterMs);
    EXPECT_LE(host.trace.count("SET_PED_INTO_VEHICLE", boarded), 1u) << "put in more than once";
    EXPECT_EQ(host.statusLine(), c.status);
    if (c.strangerDrives) {
        EXPECT_NE(entityOf(world(), car).occupants.count(-1), 0u) << "the driver was moved";
    }
    if (c.meanwhile == Meanwhile::CarGone) {  // nothing more is asked of the handle than whether he sits in it
        for (const std::string& call : {coordsOf(car), fmt("IS_VEHICLE_SEAT_FREE(%d", car)})
            EXPECT_EQ(host.trace.count(call, from), 0u) << call;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForcedSeatTest,
    ::testing::Values(
        ForcedSeatCase{"IntoTheSeatOrdered", 4, false, Meanwhile::Nothing, 1, kStatusDrive},
        ForcedSeatCase{"TheSeatTakenIntoTheNextFree", 4, false, Meanwhile::SeatTaken, 2, kStatusDrive},
        ForcedSeatCase{"EverySeatTakenTheEscortAgain", 4, false, Meanwhile::AllSeatsTaken, -3, kStatusNoFreeSeat},
        ForcedSeatCase{"NeverWhenTheCarHasDrivenOff", 4, false, Meanwhile::CarDrivesOff, -3, kStatusNotInVehicle},
        ForcedSeatCase{"NeverIntoACarThatIsGone", 4, false, Meanwhile::CarGone, -3, kStatusEscort},
        ForcedSeatCase{"IntoTheCarOrderedWhenThePlayerTookAnother", 4, false, Meanwhile::PlayerTakesAnotherCar, 1,
                       kStatusDrive},
        ForcedSeatCase{"ATwoSeaterIntoTheFrontSeat", 2, false, Meanwhile::Nothing, 0, kStatusDrive},
        ForcedSeatCase{"BesideAStrangerAtTheWheel", 4, true, Meanwhile::Nothing, 1, kStatusDrive}),
    ByName());

// A drive without him is said from the frame the car is out of his reach, not while it stands beside
// him, and taken back once he sits in it again.
TEST_F(SeatWatchTest, ADriveWithoutHimIsSaidUntilHeSitsInTheCarAgain) {
    startTransport();
    world().seatPed(suspect, car, 1);
    host.runFrames(2);
    world().unseatPed(suspect);  // pulled out, beside the car
    host.runFrames(3);
    EXPECT_EQ(host.statusLine(), kStatusDrive);
    entityOf(world(), car).pos = offset(suspectEntity().pos, 0, kBoardingRadius);
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusNotInVehicle);
    entityOf(world(), car).pos = suspectEntity().pos;
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusNotInVehicle) << "back beside him, but he is still outside";
    world().seatPed(suspect, car, 1);
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kStatusDrive);
    EXPECT_FALSE(world().lastFrame.markers.empty()) << "the transport went on throughout";
}

//-----------------------------------------------------------------------------
// [SECTION] Leash
//-----------------------------------------------------------------------------

class StageTest : public CustodyScenario {
  protected:
    void startIn(Stage stage) {
        if (stage == Stage::Busted) startBusted();
        if (stage == Stage::Escort) startEscort();
        if (stage == Stage::Transport) startTransport();
    }
};

class LeashTest : public StageTest, public ::testing::WithParamInterface<std::tuple<Stage, float>> {};

// The player steps exactly the leash's length away from the suspect, or just beyond.
TEST_P(LeashTest, ReleasesOnlyBeyondTheLeash) {
    const auto [stage, beyond] = GetParam();
    startIn(stage);
    const std::string statusBefore = host.statusLine();
    world().movePlayer(offset(suspectAt, 0, kLeashLength + beyond));
    const auto calls = custodyFrame();
    const bool released = beyond > 0;
    EXPECT_EQ(std::count(calls.begin(), calls.end(), releaseOf(suspect)[3]), released ? 1 : 0);
    host.step();
    EXPECT_EQ(host.statusLine(), released ? "" : statusBefore);
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", host.trace.find("scriptWait(0)", host.trace.size() - 40)),
              released ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Stages, LeashTest,
                         ::testing::Combine(::testing::Values(Stage::Busted, Stage::Escort, Stage::Transport),
                                            ::testing::Values(0.0f, 0.01f)),
                         [](const ::testing::TestParamInfo<LeashTest::ParamType>& p) {
                             return std::string(scenes::stageName(std::get<0>(p.param))) +
                                    (std::get<1>(p.param) > 0 ? "JustBeyondTheLeash" : "AtTheLeash");
                         });

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
    std::vector<std::string> expected = suspectCheckOf(suspect);
    if (vanishes) expected.pop_back();  // no death test for a ped that does not exist
    // The hand-back cleared the handle: the leash measures to nobody, at the origin.
    expected = join({expected, releaseOf(suspect), leashOf(0, "0.0, 0.0, 30.0", "0.0, 0.0, 0.0")});
    EXPECT_THAT(custodyFrame(), ElementsAreArray(expected));
    const size_t mark = host.trace.size();
    host.step();
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", mark), 0u);
}

INSTANTIATE_TEST_SUITE_P(Stages, GoneTest,
                         ::testing::Combine(::testing::Values(Stage::Busted, Stage::Escort, Stage::Transport),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<GoneTest::ParamType>& p) {
                             return std::string(scenes::stageName(std::get<0>(p.param))) +
                                    (std::get<1>(p.param) ? "Vanishes" : "Dies");
                         });

class KeyReleaseTest : public StageTest, public ::testing::WithParamInterface<Stage> {};

// The dispatch releases him; inCustody is then clear, so no custody step follows in that frame.
TEST_P(KeyReleaseTest, APressWithoutTargetReleasesInTheDispatch) {
    startIn(GetParam());
    host.runFor(250);
    const size_t mark = press(host);
    EXPECT_THAT(afterAimQuery(host.trace, mark), ElementsAreArray(releaseOf(suspect)));
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", mark), 0u);
}

INSTANTIATE_TEST_SUITE_P(Stages, KeyReleaseTest, ::testing::Values(Stage::Escort, Stage::Transport),
                         [](const ::testing::TestParamInfo<Stage>& p) {
                             return std::string(scenes::stageName(p.param));
                         });

// The escorted suspect vanishes between two custody steps and the player arrests someone else
// before the next one: nothing is released, and the new suspect must not inherit the escort.
TEST_F(StageTest, ANewArrestAfterTheEscortedSuspectVanishedStartsInTheBustedPose) {
    startEscort();
    host.runFor(250);
    world().remove(suspect);
    const sim::Vec3 at = {0, 3, 30};
    const sim::Entity& clone = entityOf(world(), madeBy(host.trace, "CLONE_PED", press(host, {world().spawnPed(at)})));
    EXPECT_THAT(clone.orders, ::testing::Not(::testing::Contains(::testing::StartsWith("follow"))));
    EXPECT_EQ(clone.pos.y, at.y) << "he kneels where he was taken";
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

//-----------------------------------------------------------------------------
// [SECTION] Presses held down
//-----------------------------------------------------------------------------

// A calm press outlasts the window after its dispatch. Held for 300 ms in the busted pose it cuffs
// him and does not set him free again 200 ms later.
TEST_F(StageTest, ACuffingPressHeldFor300msCuffsAndNothingMore) {
    startBusted();
    host.runFor(250);
    press(host, {0, 14, kF3, 300});
    EXPECT_EQ(host.statusLine(), kStatusEscort);
    EXPECT_TRUE(suspectEntity().handcuffed);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED"), 0u);
}

// Held for 5 s during the escort, the key releases him once and then does nothing more.
TEST_F(StageTest, AKeyHeldFor5sDuringTheEscortReleasesOnce) {
    startEscort();
    host.runFor(250);
    const size_t from = press(host, {0, 14, kF3, 5000});
    EXPECT_EQ(host.trace.count("GET_PLAYER_INDEX()", from), 1u);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", from), 1u);
    EXPECT_EQ(host.statusLine(), "");
}

//-----------------------------------------------------------------------------
// [SECTION] A second start mid-arrest
//-----------------------------------------------------------------------------

class SecondStartTest : public StageTest, public ::testing::WithParamInterface<Stage> {};

// The game is reloaded mid-arrest and the host runs the script entry again. In the reloaded world the
// old handles name strangers (the first peds made take them over). The new run has forgotten the
// arrest before its first frame: the line is empty, no custody step runs, the strangers get no order,
// and an arrest begun then goes ahead without releasing anyone.
TEST_P(SecondStartTest, ForgetsTheArrestAndLeavesTheOldHandlesAlone) {
    startIn(GetParam());
    host.reloadGame();
    const sim::Vec3 at = world().player().pos;
    std::vector<int32_t> strangers;
    while (world().nextHandle <= std::max(suspect, car))
        strangers.push_back(world().spawnPed(offset(at, kBesideThePlayer, 0)));
    const size_t from = host.trace.size();
    host.runFrames(20);
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", from), 0u) << "a custody step ran";
    EXPECT_EQ(host.trace.count("SET_NEW_WAYPOINT", from), 0u);

    const int32_t ped = world().spawnPed(offset(at, 0, kBesideThePlayer));
    press(host, {ped});
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    for (const int32_t stranger : strangers)
        EXPECT_THAT(entityOf(world(), stranger).orders, ::testing::IsEmpty()) << "stranger " << stranger;
}

INSTANTIATE_TEST_SUITE_P(Stages, SecondStartTest, ::testing::Values(Stage::Busted, Stage::Escort, Stage::Transport),
                         [](const ::testing::TestParamInfo<Stage>& p) {
                             return std::string(scenes::stageName(p.param));
                         });

// Reloaded while the take-over waits for the busted pose to stream in (the clone made, the arrest
// under way): the new run does not go on with it.
TEST_F(StageTest, AReloadDuringTheTakeOverWaitEndsTheArrest) {
    const int32_t ped = world().spawnPed({3, 0, 30});
    start();
    world().aimTarget = ped;
    host.holdKey(kF3);
    host.step();
    ASSERT_EQ(host.trace.count("CLONE_PED"), 1u);
    ASSERT_FALSE(endsLoopPass(host.trace, host.trace.size() - 1)) << "the take-over did not wait";
    host.reloadGame();
    const size_t from = host.trace.size();
    host.runFrames(20);
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", from), 0u) << "a custody step ran";
    EXPECT_EQ(host.trace.count("TASK_PLAY_ANIM", from), 0u);
    EXPECT_EQ(host.statusLine(), "");
}
