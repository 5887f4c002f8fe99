// Brindlecot tests — beginning an arrest: refusals, leaving the vehicle, the take-over.
//
//   [SECTION] Fixture
//   [SECTION] Refusal tests and what each way out leaves behind
//   [SECTION] Taking the ped over
//   [SECTION] Leaving the vehicle

#include <limits>

#include "tests/arrest_steps.h"

using ::testing::ElementsAreArray;

//-----------------------------------------------------------------------------
// [SECTION] Fixture
//-----------------------------------------------------------------------------

class Begin : public Scenario {
  protected:
    // Leaves `text` on the line through a refused ped who then vanishes: the next press has no
    // previous suspect to release, and a press that writes nothing leaves `text` in place.
    void leaveTextFromVanishedPed(const std::string& text) {
        const int32_t decoy = host.world.spawnPed({-5, 0, 30});
        entityOf(host.world, decoy).inCombat = true;
        if (text == kEngineText) host.world.seatPed(decoy, host.world.spawnVehicle({-5, 0, 30}), -1);
        press(host, decoy);
        ASSERT_EQ(host.statusLine(), text);
        host.world.remove(decoy);
    }

    int32_t seatedPed(float engineHealth = 1000.0f) {
        const int32_t ped = host.world.spawnPed({0, 10, 30});
        const int32_t car = host.world.spawnVehicle({0, 10, 30});
        entityOf(host.world, car).engineHealth = engineHealth;
        host.world.seatPed(ped, car, -1);
        return ped;
    }
};

//-----------------------------------------------------------------------------
// [SECTION] Refusal tests and what each way out leaves behind
//-----------------------------------------------------------------------------

struct WayOut {
    const char* name;
    int missionSetting;
    bool mission, combat, hurt, dead, seated;
    float engineHealth;
    const char* text;  // nullptr: taken over, or (dead) the line keeps its text
};

class BeginWayOut : public Begin, public ::testing::WithParamInterface<WayOut> {};

TEST_P(BeginWayOut, RefusesOrTakesOverWithTheRightText) {
    const WayOut& c = GetParam();
    if (c.missionSetting) host.setIni("[Brindlecot]\narrest_mission_ped=1\n");
    const int32_t ped = c.seated ? seatedPed(c.engineHealth) : host.world.spawnPed({0, 10, 30});
    sim::Entity& e = entityOf(host.world, ped);
    e.missionEntity = c.mission;
    e.inCombat = c.combat;
    e.injured = c.hurt;
    e.dead = c.dead;
    start();
    const std::string before = c.text && c.text == kLegText ? kEngineText : kLegText;
    leaveTextFromVanishedPed(before);

    const size_t from = press(host, ped);
    const bool arrested = !c.text && !c.dead;
    EXPECT_EQ(host.trace.count("STOP_ENTITY_ANIM", from), 0u) << "the vanished ped is not released";
    EXPECT_EQ(host.statusLine(), arrested ? kGetCloseText : c.text ? c.text : before);
    EXPECT_EQ(host.trace.count("CLONE_PED", from), arrested ? 1u : 0u);
    EXPECT_EQ(host.world.exists(ped), !arrested);
    const bool madeOwn = c.mission && c.missionSetting;
    EXPECT_EQ(host.trace.count("SET_ENTITY_AS_MISSION_ENTITY(" + std::to_string(ped) + ", 0, 0)", from),
              madeOwn ? 1u : 0u);
    EXPECT_TRUE(!madeOwn ||
                host.trace.find("SET_ENTITY_AS_MISSION_ENTITY", from) < host.trace.find("IS_PED_IN_COMBAT", from));
    if (!arrested) {
        // Claimed without the take-over flag, a mission's ped stays with its mission.
        EXPECT_FALSE(entityOf(host.world, ped).scriptOwned);
        EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", frameEnd(host.trace, from)), 0u) << "no custody step";
    }
    EXPECT_EQ(host.trace.count("GET_VEHICLE_ENGINE_HEALTH", from), c.combat && c.seated && !c.mission ? 1u : 0u);
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
const char* const kMission = kMissionText.c_str();
const char* const kLeg = kLegText.c_str();
const char* const kEngine = kEngineText.c_str();

// name, mission setting, mission, combat, hurt, dead, seated, engine health, refusal text
INSTANTIATE_TEST_SUITE_P(
    , BeginWayOut,
    ::testing::Values(WayOut{"MissionPed", 0, true, false, false, false, false, 1000, kMission},
                      WayOut{"MissionPedInCombat", 0, true, true, false, false, false, 1000, kMission},
                      WayOut{"MissionPedDead", 0, true, false, false, true, false, 1000, kMission},
                      WayOut{"MissionPedSeated", 0, true, false, false, false, true, 1000, kMission},
                      WayOut{"MissionPedAllowed", 1, true, false, false, false, false, 1000, nullptr},
                      WayOut{"MissionPedAllowedInCombat", 1, true, true, false, false, false, 1000, kLeg},
                      WayOut{"CombatOnFoot", 0, false, true, false, false, false, 1000, kLeg},
                      WayOut{"CombatOnFootHurt", 0, false, true, true, false, false, 1000, nullptr},
                      WayOut{"Dead", 0, false, false, false, true, false, 1000, nullptr},
                      WayOut{"CombatSeatedEngine600", 0, false, true, false, false, true, 600.0f, nullptr},
                      WayOut{"CombatSeatedEngineAbove600", 0, false, true, false, false, true, 600.1f, kEngine},
                      WayOut{"CombatSeatedEngineNaN", 0, false, true, false, false, true, kNaN, kEngine},
                      WayOut{"CombatSeatedHurt", 0, false, true, true, false, true, 1000, kEngine},
                      WayOut{"SeatedNotInCombat", 0, false, false, false, false, true, 1000, nullptr}),
    [](const ::testing::TestParamInfo<WayOut>& param) { return std::string(param.param.name); });

//-----------------------------------------------------------------------------
// [SECTION] Taking the ped over
//-----------------------------------------------------------------------------

TEST_F(Begin, FirstArrestConfiguresTheCloneAndPlaysTheBustedPoseTwice) {
    const int32_t ped = host.world.spawnPed({0, 5, 30});  // handle 2; its clone will be 3
    start();
    const size_t from = press(host, ped);
    const std::string pose = "TASK_PLAY_ANIM(3, \"random@arrests@busted\", \"idle_c\", 2.0, 1.0, -1, 54, 0.0, 0, 0, 0)";
    const std::vector<std::string> expected = {"DOES_ENTITY_EXIST(0)",
                                               "IS_ENTITY_A_MISSION_ENTITY(2)",
                                               "IS_PED_IN_COMBAT(2, 0)",
                                               "IS_PED_DEAD_OR_DYING(2, 0)",
                                               "IS_PED_IN_ANY_VEHICLE(2, 1)",
                                               "IS_PED_IN_ANY_VEHICLE(2, 1)",
                                               "GET_ENTITY_COORDS(2, 1)",
                                               "CLONE_PED(2, 0, 1, 1)",
                                               "SET_ENTITY_AS_MISSION_ENTITY(2, 0, 1)",
                                               "DELETE_PED(&2)",
                                               "REMOVE_PED_FROM_GROUP(3)",
                                               "CLEAR_PED_TASKS(3)",
                                               "CLEAR_PED_TASKS_IMMEDIATELY(3)",
                                               "CLEAR_PED_SECONDARY_TASK(3)",
                                               "SET_PED_SEEING_RANGE(3, 0.1)",
                                               "SET_PED_HEARING_RANGE(3, 0.1)",
                                               "SET_PED_FLEE_ATTRIBUTES(3, 0, 0)",
                                               "SET_PED_COMBAT_ATTRIBUTES(3, 17, 1)",
                                               "SET_PED_COMBAT_ATTRIBUTES(3, 46, 1)",
                                               "TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(3, 1)",
                                               "HAS_ANIM_DICT_LOADED(\"random@arrests@busted\")",
                                               "REQUEST_ANIM_DICT(\"random@arrests@busted\")",
                                               "scriptWait(1)",
                                               pose,
                                               "scriptWait(5)",
                                               pose,
                                               "PLAYER_PED_ID()"};  // the custody step follows in the same frame
    EXPECT_THAT(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST", from), expected.size()),
                ElementsAreArray(expected));
    const sim::Entity& clone = entityOf(host.world, 3);
    EXPECT_TRUE(clone.anims.count("random@arrests@busted/idle_c"));
    EXPECT_TRUE(clone.blockingEvents && clone.scriptOwned);
    EXPECT_EQ(host.statusLine(), kGetCloseText);
    // The host deletes only its script's own peds: without the take-over he would stand beside his clone.
    EXPECT_FALSE(host.world.exists(ped));
    EXPECT_EQ(host.world.entities.size(), 2u) << "the player and one clone";
    EXPECT_EQ(clone.pos.y, 5.0f) << "the clone stands where the original stood";
}

TEST_F(Begin, AimingAtTheSuspectAgainReleasesHimAndTakesANewClone) {
    start();
    press(host, host.world.spawnPed({0, 5, 30}));
    const size_t from = press(host, 3);
    std::vector<std::string> expected = releaseOf(3);
    expected.insert(expected.begin(), "DOES_ENTITY_EXIST(3)");
    expected.push_back("IS_ENTITY_A_MISSION_ENTITY(3)");  // released: no longer the script's, so not refused
    EXPECT_THAT(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST", from), expected.size()),
                ElementsAreArray(expected));
    EXPECT_EQ(host.trace.count("CLONE_PED(3, 0, 1, 1)", from), 1u);
    EXPECT_FALSE(host.world.exists(3));
    EXPECT_TRUE(entityOf(host.world, 4).anims.count("random@arrests@busted/idle_c"));
    EXPECT_EQ(host.statusLine(), kGetCloseText);
}

// The host makes no clone of a vehicle: the car the player aimed at must not vanish. The custody step
// of the same frame finds no suspect and ends the arrest again.
TEST_F(Begin, AimingAtAVehicleKeepsItAndTheArrestEndsAtOnce) {
    const int32_t car = host.world.spawnVehicle({0, 5, 30});
    start();
    const size_t from = press(host, car);
    EXPECT_EQ(host.trace.count("CLONE_PED(" + std::to_string(car), from), 1u);
    EXPECT_EQ(host.trace.count("DELETE_PED", from), 0u);
    EXPECT_TRUE(host.world.exists(car));
    EXPECT_EQ(host.trace.count("REMOVE_PED_FROM_GROUP(0)", from), 1u);  // the rest of the take-over goes on
    EXPECT_EQ(host.statusLine(), "");
    EXPECT_EQ(host.trace.count("DRAW_MARKER", from), 0u);
}

//-----------------------------------------------------------------------------
// [SECTION] Leaving the vehicle
//-----------------------------------------------------------------------------

TEST_F(Begin, SeatedPedIsOrderedOutAndClonedASecondAfterHeIsOut) {
    const int32_t ped = seatedPed();
    const std::string id = std::to_string(ped);
    start();
    const size_t from = press(host, ped);
    const size_t leave = host.trace.find("TASK_LEAVE_ANY_VEHICLE(" + id + ", 1, 1)", from);
    size_t out = leave;
    for (; out < host.trace.size() && host.trace.entries[out].text() != "IS_PED_IN_ANY_VEHICLE(" + id + ", 1) -> 0";
         ++out) {
        const sim::TraceEntry& entry = host.trace.entries[out];
        EXPECT_TRUE(entry.kind != sim::CallKind::Wait || entry.call == "scriptWait(1)") << entry.call;
    }
    ASSERT_LT(out, host.trace.size());
    EXPECT_GE(host.trace.count("scriptWait(1)", leave) - host.trace.count("scriptWait(1)", out), 1000u);
    EXPECT_THAT(scriptCalls(host.trace, out + 1, 3),
                ElementsAreArray(std::vector<std::string>{"scriptWait(1000)", "GET_ENTITY_COORDS(" + id + ", 1)",
                                                          "CLONE_PED(" + id + ", 0, 1, 1)"}));
    EXPECT_EQ(host.trace.entries[host.trace.find("CLONE_PED", out)].tick - host.trace.entries[out].tick, 1000u);
    EXPECT_EQ(host.trace.count("GET_VEHICLE_ENGINE_HEALTH", from), 0u);
    EXPECT_EQ(host.trace.count("SET_TEXT_FONT", from) - host.trace.count("SET_TEXT_FONT", frameEnd(host.trace, from)),
              1u)
        << "drawn once at the start of the press frame, never while it waits";
}

// The ped never gets out: the wait gives up, takes nobody over, writes nothing and the script runs on.
struct StuckInside {
    const char* name;
    void (*happen)(sim::Host&, int32_t ped);
    uint32_t minMs, maxMs;  // how long the press frame lasts
};

class BeginLeaveGivesUp : public Begin, public ::testing::WithParamInterface<StuckInside> {};

TEST_P(BeginLeaveGivesUp, WithoutCloneOrTextAndTheScriptRunsOn) {
    const int32_t ped = seatedPed();
    start();
    leaveTextFromVanishedPed(kLegText);
    GetParam().happen(host, ped);
    const size_t from = press(host, ped);
    const size_t end = frameEnd(host.trace, from);
    const uint32_t lasted = host.trace.entries[end].tick - host.trace.entries[from].tick;
    EXPECT_GE(lasted, GetParam().minMs);
    EXPECT_LE(lasted, GetParam().maxMs);
    EXPECT_EQ(host.trace.count("scriptWait(1000)", from), 0u);
    EXPECT_EQ(host.trace.count("CLONE_PED", from), 0u);
    EXPECT_EQ(host.trace.count("SET_TEXT_FONT", end), 14u) << "every later frame draws the line";
    EXPECT_EQ(host.statusLine(), kLegText);
    EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", end), 0u) << "no custody step follows";
}

INSTANTIATE_TEST_SUITE_P(
    , BeginLeaveGivesUp,
    ::testing::Values(StuckInside{"DiesInside",
                                  [](sim::Host& h, int32_t ped) {
                                      h.atTime(h.elapsedMs() + 500,
                                               [ped](sim::Host& x) { entityOf(x.world, ped).dead = true; });
                                  },
                                  400, 600},
                      StuckInside{"DeletedMeanwhile",
                                  [](sim::Host& h, int32_t ped) {
                                      h.atTime(h.elapsedMs() + 500, [ped](sim::Host& x) { x.world.remove(ped); });
                                  },
                                  400, 600},
                      StuckInside{"NeverGetsOut", [](sim::Host& h, int32_t) { h.world.leaveVehicleMs = 30000; }, 10000,
                                  10020}),
    [](const ::testing::TestParamInfo<StuckInside>& param) { return std::string(param.param.name); });
