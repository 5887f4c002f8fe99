// Brindlecot tests — the transport step: the marker, the delivery radius and the hand-over.
//
//   [SECTION] Transport step
//   [SECTION] Hand-over

#include "tests/scenario.h"

using ::testing::ElementsAreArray;

class TransportTest : public CustodyScenario {
  protected:
    // The player stands a little beyond the delivery radius from the precinct point; the suspect is
    // put at `at`.
    const sim::Vec3 precinct = vecOf(kPrecinctPoint);
    const sim::Vec3 playerNearPrecinct = offset(precinct, 0, kDeliveryRadius + 5.0f);
    const sim::Vec3 suspectAtKerb = offset(precinct, 0, kDeliveryRadius * 0.6f);

    void placeNearPrecinct(sim::Vec3 at) {
        world().movePlayer(playerNearPrecinct);
        suspectEntity().pos = at;
    }

    std::string copModel() { return fmt("0x%08X", sim::hashName("s_m_y_cop_01")); }
};

//-----------------------------------------------------------------------------
// [SECTION] Transport step
//-----------------------------------------------------------------------------

struct DeliveryCase {
    const char* name;
    sim::Vec3 from;  // from the precinct point, in delivery radii
    bool delivered;
};

void PrintTo(const DeliveryCase& c, std::ostream* out) { *out << c.name; }

class DeliveryRadiusTest : public TransportTest, public ::testing::WithParamInterface<DeliveryCase> {};

// Three-dimensional and strict: the radius beside, above or below the point is not close enough.
TEST_P(DeliveryRadiusTest, DeliversOnlyStrictlyWithinTheRadiusOfThePrecinct) {
    const DeliveryCase& c = GetParam();
    startTransport();
    const sim::Vec3 at =
        offset(precinct, c.from.x * kDeliveryRadius, c.from.y * kDeliveryRadius, c.from.z * kDeliveryRadius);
    placeNearPrecinct(at);
    const auto calls = custodyFrame();
    const std::vector<std::string> head =
        join({suspectCheckOf(suspect),
              {seatCheckOf(suspect, car), coordsOf(suspect), kPrecinctMarkerDraw,
               "GET_DISTANCE_BETWEEN_COORDS(" + textOf(kPrecinctPoint) + ", " + textOf(at) + ", 1)"}});
    ASSERT_GE(calls.size(), head.size());
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + head.size()), ElementsAreArray(head));
    EXPECT_EQ(calls.size() == head.size() + 4, !c.delivered);
    EXPECT_EQ(host.trace.count("CREATE_PED"), c.delivered ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Distances, DeliveryRadiusTest,
                         ::testing::Values(DeliveryCase{"AtTheRadiusBeside", {0, 1, 0}, false},
                                           DeliveryCase{"AtTheRadiusAbove", {0, 0, 1}, false},
                                           DeliveryCase{"AtTheRadiusBelow", {0, 0, -1}, false},
                                           DeliveryCase{"JustInsideBeside", {0, 0.998f, 0}, true},
                                           DeliveryCase{"InsideAskew", {0.6f, 0.4f, -0.2f}, true}),
                         ByName());

// A boarding within reach of the point leads to the delivery in the same pass of the main loop.
TEST_F(TransportTest, BoardingBesideThePrecinctDeliversInTheSameFrame) {
    const sim::Vec3 at = offset(vecOf(kPrecinctPoint), -kDeliveryRadius * 0.6f, 0);
    startEscort(at, farCarFrom(at));
    entityOf(world(), car).pos = offset(suspectAt, 0, kBoardingRadius * 0.6f);
    const size_t mark = host.trace.size();
    custodyFrame();
    const size_t boarding = host.trace.find("TASK_ENTER_VEHICLE", mark);
    const size_t delivery =
        host.trace.find(fmt("scriptWait(%u)", kOfficerModelWaitMs), mark);  // the model's first wait
    ASSERT_LT(delivery, host.trace.size());
    EXPECT_LT(boarding, delivery);
    EXPECT_EQ(host.trace.count("scriptWait(0)", boarding) - host.trace.count("scriptWait(0)", delivery), 0u);
}

//-----------------------------------------------------------------------------
// [SECTION] Hand-over
//-----------------------------------------------------------------------------

struct HandOverCase {
    const char* name;
    bool loadedBeforeBoarding;  // police about: the model was in memory all along
    uint32_t loadMs;            // how long a requested model takes
    bool officerCreated;        // creation yields 0 when the model never came
};

void PrintTo(const HandOverCase& c, std::ostream* out) { *out << c.name; }

class HandOverTest : public TransportTest, public ::testing::WithParamInterface<HandOverCase> {};

// The model asked for at the boarding is awaited a frame at a time, for at most a second, then the
// officer is created (or not) and the suspect let out six seconds later. The hand-back clears the
// suspect's handle, so the release that ends the arrest, and the leash's release after it, reach
// nobody: the delivered suspect gets out and stays under the game's management.
TEST_P(HandOverTest, AwaitsTheOfficerThenLetsTheSuspectOutForTheGame) {
    const HandOverCase& c = GetParam();
    if (c.loadedBeforeBoarding) world().preloadModel(sim::hashName("s_m_y_cop_01"));
    world().modelLoadMs = c.loadMs;
    startTransport();
    placeNearPrecinct(suspectAtKerb);
    entityOf(world(), car).pos = suspectAtKerb;
    world().seatPed(suspect, car, 1);
    const size_t mark = host.trace.size();
    custodyFrame();
    const size_t begin = host.trace.find("GET_HASH_KEY", mark);
    const size_t created = host.trace.find("CREATE_PED", begin);
    const int waits =
        static_cast<int>(host.trace.count("scriptWait(0)", begin) - host.trace.count("scriptWait(0)", created));
    const int32_t cop = entryAt(host.trace, created).intResult();
    const std::string loaded = "HAS_MODEL_LOADED(" + copModel() + ")";
    std::vector<std::string> expected =
        join({officerModelRequestOf(c.loadedBeforeBoarding), {fmt("scriptWait(%u)", kOfficerModelWaitMs)}});
    for (int k = 0; k < waits; ++k)
        expected = join({expected, {loaded, "scriptWait(0)"}});
    expected = join({expected,
                     {loaded, "GET_HASH_KEY(\"s_m_y_cop_01\")",
                      "CREATE_PED(2, " + copModel() + ", " + textOf(kOfficerStart) + ", " +
                          sim::formatFloat(kOfficerHeading) + ", 0, 1)",
                      fmt("TASK_GO_STRAIGHT_TO_COORD(%d, ", cop) + textOf(kOfficerWalkTarget) +
                          fmt(", 1.0, %d, 0.0, 0.0)", kOfficerWalkTimeoutMs)},
                     handBackOf(cop),
                     {fmt("scriptWait(%u)", kHandOverMs), fmt("TASK_LEAVE_VEHICLE(%d, %d, 0)", suspect, car)},
                     handBackOf(suspect),
                     releaseOf(0),
                     leashOf(0, textOf(playerNearPrecinct), "0.0, 0.0, 0.0"),
                     releaseOf(0),
                     {"scriptWait(0)"}});
    EXPECT_THAT(scriptCalls(host.trace, begin), ElementsAreArray(expected));
    const uint32_t awaited = entryAt(host.trace, created).tick - host.trace.entries[begin].tick;
    if (c.officerCreated) {
        EXPECT_LT(awaited, kStreamingLimitMs);
        EXPECT_EQ(entityOf(world(), cop).task, sim::Task::GoTo) << "handed back, he walks on";
    } else {
        EXPECT_GE(awaited, kStreamingLimitMs) << "a model that never loads is given up after the limit";
        EXPECT_LT(awaited, kStreamingLimitMs + 17);
    }
    EXPECT_EQ(world().exists(cop), c.officerCreated);
    EXPECT_EQ(suspectEntity().task, sim::Task::LeaveVehicle) << "not told to flee";
    EXPECT_EQ(suspectEntity().orders.back(), "handed back, keeps leave_vehicle");
    host.runFor(2000);
    EXPECT_EQ(suspectEntity().vehicle, 0) << "he got out";
    EXPECT_EQ(suspectEntity().task, sim::Task::None) << "and stands, the game's again";
    EXPECT_FALSE(suspectEntity().scriptOwned);
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_TRUE(world().lastFrame.markers.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, HandOverTest,
                         ::testing::Values(HandOverCase{"LoadedBeforeTheBoarding", true, 400, true},
                                           HandOverCase{"RequestedAtTheBoarding", false, 400, true},
                                           HandOverCase{"NeverLoads", false, 0xFFFFFFFFu, false}),
                         ByName());

// The whole loop stands still during the waits: nothing is drawn, neither the line nor the marker.
TEST_F(TransportTest, DrawsNothingWhileTheHandOverWaits) {
    startTransport();
    placeNearPrecinct(suspectAtKerb);
    host.step();  // up to the first wait for the model: this pass drew the line and the marker
    EXPECT_EQ(world().lastFrame.lines.size(), 1u);
    EXPECT_EQ(world().lastFrame.markers.size(), 1u);
    int waits = 0;
    for (; waits < 1000 && !endsLoopPass(host.trace, host.trace.size() - 1); ++waits) {
        host.step();
        EXPECT_TRUE(world().lastFrame.lines.empty());
        EXPECT_TRUE(world().lastFrame.markers.empty());
    }
    EXPECT_GE(host.elapsedMs(), kHandOverMs);
    host.step();
    EXPECT_EQ(world().lastFrame.lines.size(), 1u);
    EXPECT_EQ(host.statusLine(), "");
}

// The marker stands above the road at the precinct, where the player can see it.
TEST_F(TransportTest, TheMarkerIsSeenAboveTheGround) {
    startTransport();
    host.step();
    ASSERT_EQ(world().lastFrame.markers.size(), 1u);
    const sim::Marker& marker = world().lastFrame.markers[0];
    float ground = 0;
    if (world().groundAt(marker.pos.x, marker.pos.y, ground)) {
        EXPECT_GT(marker.pos.z, ground);
    }
    EXPECT_FALSE(marker.hidden);
}
