// Brindlecot tests — the transport step: the marker, the delivery radius and the hand-over.
//
//   [SECTION] Transport step
//   [SECTION] Hand-over

#include "tests/custody_fixture.h"

using ::testing::ElementsAreArray;

class TransportTest : public CustodyScenario {
  protected:
    static constexpr char kMarker[] =
        "DRAW_MARKER(2, 477.0, -1023.0, 20.0, 0.0, 0.0, 0.0, 180.0, 0.0, 0.0, 0.5, 0.5, 0.5, 204, 204, 0, 100, 0, 1, "
        "2, "
        "0, null, null, 0)";

    // The player stands 10 m from the precinct point; the suspect is put at `at`.
    void placeNearPrecinct(sim::Vec3 at) {
        world().movePlayer({477, -1013, 28});
        suspectEntity().pos = at;
    }

    std::string copModel() { return fmt("0x%08X", sim::hashName("s_m_y_cop_01")); }
};

//-----------------------------------------------------------------------------
// [SECTION] Transport step
//-----------------------------------------------------------------------------

class DeliveryRadiusTest : public TransportTest,
                           public ::testing::WithParamInterface<std::tuple<sim::Vec3, const char*, bool>> {};

// Three-dimensional and strict: 5.0 beside or above the point is not close enough. The marker
// stands at z 20.0 while the test measures from z 28.0.
TEST_P(DeliveryRadiusTest, DeliversOnlyStrictlyWithinFiveMetresOfThePrecinct) {
    const auto [at, atText, delivered] = GetParam();
    startTransport();
    placeNearPrecinct(at);
    const auto calls = custodyFrame();
    const std::vector<std::string> head =
        join({suspectCheck(),
              {coords(suspect), kMarker, fmt("GET_DISTANCE_BETWEEN_COORDS(477.0, -1023.0, 28.0, %s, 1)", atText)}});
    ASSERT_GE(calls.size(), head.size());
    EXPECT_THAT(std::vector<std::string>(calls.begin(), calls.begin() + head.size()), ElementsAreArray(head));
    EXPECT_EQ(calls.size() == head.size() + 4, !delivered);
    EXPECT_EQ(host.trace.count("CREATE_PED"), delivered ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Distances, DeliveryRadiusTest,
                         ::testing::Values(std::make_tuple(sim::Vec3{477, -1018, 28}, "477.0, -1018.0, 28.0", false),
                                           std::make_tuple(sim::Vec3{477, -1023, 33}, "477.0, -1023.0, 33.0", false),
                                           std::make_tuple(sim::Vec3{477, -1023, 23}, "477.0, -1023.0, 23.0", false),
                                           std::make_tuple(sim::Vec3{477, -1018.01f, 28}, "477.0, -1018.01, 28.0",
                                                           true),
                                           std::make_tuple(sim::Vec3{480, -1021, 27}, "480.0, -1021.0, 27.0", true)));

// A boarding within reach of the point leads to the delivery in the same pass of the main loop.
TEST_F(TransportTest, BoardingBesideThePrecinctDeliversInTheSameFrame) {
    startEscort({473, -1023, 28}, {473, -1003, 28});
    entityOf(world(), car).pos = {474, -1020, 28};
    const size_t mark = host.trace.size();
    custodyFrame();
    const size_t boarding = host.trace.find("TASK_ENTER_VEHICLE", mark);
    const size_t delivery = host.trace.find("CREATE_PED", mark);
    ASSERT_LT(delivery, host.trace.size());
    EXPECT_LT(boarding, delivery);
    EXPECT_EQ(host.trace.count("scriptWait(0)", boarding) - host.trace.count("scriptWait(0)", delivery), 0u);
}

//-----------------------------------------------------------------------------
// [SECTION] Hand-over
//-----------------------------------------------------------------------------

struct HandOverCase {
    bool modelLoaded;     // already streamed in before the delivery
    uint32_t loadMs;      // how long a requested model takes
    bool officerCreated;  // creation yields 0 when the model is still loading
};

class HandOverTest : public TransportTest, public ::testing::WithParamInterface<HandOverCase> {};

// One wait of 1 ms whether or not the model was requested; no test of the officer's handle.
TEST_P(HandOverTest, SpawnsTheOfficerWaitsAndLetsTheSuspectOut) {
    const HandOverCase& c = GetParam();
    startTransport();
    if (c.modelLoaded) world().models[sim::hashName("s_m_y_cop_01")] = 0;
    world().modelLoadMs = c.loadMs;
    placeNearPrecinct({477, -1020, 28});
    const uint64_t before = host.elapsedMs();
    const auto calls = custodyFrame(false);
    const int32_t cop = c.officerCreated ? world().nextHandle - 1 : 0;
    const std::string hashKey = "GET_HASH_KEY(\"s_m_y_cop_01\")";
    std::vector<std::string> expected = {hashKey, "HAS_MODEL_LOADED(" + copModel() + ")"};
    if (!c.modelLoaded) expected = join({expected, {hashKey, "REQUEST_MODEL(" + copModel() + ")"}});
    expected = join({expected,
                     {"scriptWait(1)", hashKey, "CREATE_PED(2, " + copModel() + ", 468.0, -1021.0, 28.0, 180.0, 0, 1)",
                      fmt("TASK_GO_STRAIGHT_TO_COORD(%d, 481.0, -1023.0, 28.0, 1.0, 10000, 0.0, 0.0)", cop),
                      fmt("SET_PED_KEEP_TASK(%d, 1)", cop), fmt("SET_PED_AS_NO_LONGER_NEEDED(&%d)", cop),
                      "scriptWait(6000)", fmt("TASK_LEAVE_VEHICLE(%d, %d, 0)", suspect, car),
                      fmt("SET_PED_KEEP_TASK(%d, 1)", suspect), fmt("SET_PED_AS_NO_LONGER_NEEDED(&%d)", suspect)},
                     release(),
                     leash("477.0, -1013.0, 28.0", "477.0, -1020.0, 28.0"),
                     {"scriptWait(0)"}});
    const auto delivery = std::find(calls.begin(), calls.end(), hashKey);
    EXPECT_THAT(std::vector<std::string>(delivery, calls.end()), ElementsAreArray(expected));
    EXPECT_GE(host.elapsedMs() - before, 6001u);
    EXPECT_EQ(world().exists(cop), c.officerCreated);
    if (c.officerCreated) {
        EXPECT_EQ(entityOf(world(), cop).task, sim::Task::GoTo) << "handed back, he walks on";
    }
    host.step();
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_TRUE(world().lastFrame.markers.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, HandOverTest,
                         ::testing::Values(HandOverCase{true, 1, true}, HandOverCase{false, 1, true},
                                           HandOverCase{false, 100000, false}));

// The whole loop stands still during the waits: nothing is drawn, neither the line nor the marker.
TEST_F(TransportTest, DrawsNothingWhileTheHandOverWaits) {
    startTransport();
    placeNearPrecinct({477, -1020, 28});
    host.step();  // up to the 1 ms wait: this pass drew the line and the marker
    EXPECT_EQ(world().lastFrame.lines.size(), 1u);
    EXPECT_EQ(world().lastFrame.markers.size(), 1u);
    for (int wait = 0; wait < 2; ++wait) {  // the 6000 ms wait, then the rest of the pass
        host.step();
        EXPECT_TRUE(world().lastFrame.lines.empty());
        EXPECT_TRUE(world().lastFrame.markers.empty());
    }
    host.step();
    EXPECT_EQ(world().lastFrame.lines.size(), 1u);
    EXPECT_EQ(host.statusLine(), "");
}

// The player drives off during the 6000 ms: after the hand-over the leash releases once more,
// which leaves the same cleared state.
TEST_F(TransportTest, ALeashReleaseAfterTheHandOverIsHarmless) {
    startTransport();
    placeNearPrecinct({477, -1020, 28});
    host.atTime(host.elapsedMs() + 3000, [](sim::Host& h) { h.world.movePlayer({477, -1080, 28}); });
    const auto calls = custodyFrame();
    const auto leaveVehicle = std::find(calls.begin(), calls.end(), fmt("TASK_LEAVE_VEHICLE(%d, %d, 0)", suspect, car));
    EXPECT_THAT(std::vector<std::string>(leaveVehicle + 3, calls.end()),
                ElementsAreArray(join({release(), leash("477.0, -1080.0, 28.0", "477.0, -1020.0, 28.0"), release()})));
    const size_t mark = host.trace.size();
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", mark), 0u);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", mark), 0u);
}
