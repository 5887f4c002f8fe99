// Brindlecot tests — beginning an arrest: refusals, leaving the vehicle, the take-over.
//
//   [SECTION] Fixture
//   [SECTION] Refusal tests and what each way out leaves behind
//   [SECTION] Taking the ped over
//   [SECTION] Leaving the vehicle

#include <limits>

#include "tests/scenario.h"

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
        if (text == kStatusRefuseInVehicle) host.world.seatPed(decoy, host.world.spawnVehicle({-5, 0, 30}), -1);
        press(host, {decoy});
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

void PrintTo(const WayOut& c, std::ostream* out) { *out << c.name; }

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
    const std::string before =
        c.text && std::string(c.text) == kStatusRefuseOnFoot ? kStatusRefuseInVehicle : kStatusRefuseOnFoot;
    leaveTextFromVanishedPed(before);

    const size_t from = press(host, {ped});
    const bool arrested = !c.text && !c.dead;
    EXPECT_EQ(host.trace.count("STOP_ENTITY_ANIM", from), 0u) << "the vanished ped is not released";
    EXPECT_EQ(host.statusLine(), arrested ? kStatusGetClose : c.text ? c.text : before);
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
        EXPECT_EQ(host.trace.count("DOES_ENTITY_EXIST", loopPassEnd(host.trace, from)), 0u) << "no custody step";
    }
    EXPECT_EQ(host.trace.count("GET_VEHICLE_ENGINE_HEALTH", from), c.combat && c.seated && !c.mission ? 1u : 0u);
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// name, mission setting, mission, combat, hurt, dead, seated, engine health, refusal text
INSTANTIATE_TEST_SUITE_P(
    , BeginWayOut,
    ::testing::Values(
        WayOut{"MissionPed", 0, true, false, false, false, false, 1000, kStatusMissionPed},
        WayOut{"MissionPedInCombat", 0, true, true, false, false, false, 1000, kStatusMissionPed},
        WayOut{"MissionPedDead", 0, true, false, false, true, false, 1000, kStatusMissionPed},
        WayOut{"MissionPedSeated", 0, true, false, false, false, true, 1000, kStatusMissionPed},
        WayOut{"MissionPedAllowed", 1, true, false, false, false, false, 1000, nullptr},
        WayOut{"MissionPedAllowedInCombat", 1, true, true, false, false, false, 1000, kStatusRefuseOnFoot},
        WayOut{"CombatOnFoot", 0, false, true, false, false, false, 1000, kStatusRefuseOnFoot},
        WayOut{"CombatOnFootHurt", 0, false, true, true, false, false, 1000, nullptr},
        WayOut{"Dead", 0, false, false, false, true, false, 1000, nullptr},
        WayOut{"CombatSeatedEngine600", 0, false, true, false, false, true, 600.0f, nullptr},
        WayOut{"CombatSeatedEngineAbove600", 0, false, true, false, false, true, 600.1f, kStatusRefuseInVehicle},
        WayOut{"CombatSeatedEngineNaN", 0, false, true, false, false, true, kNaN, kStatusRefuseInVehicle},
        WayOut{"CombatSeatedHurt", 0, false, true, true, false, true, 1000, kStatusRefuseInVehicle},
        WayOut{"SeatedNotInCombat", 0, false, false, false, false, true, 1000, nullptr}),
    ByName());

//-----------------------------------------------------------------------------
// [SECTION] Taking the ped over
//-----------------------------------------------------------------------------

// On the first arrest of a game every dictionary is cold: the pose waits for its dictionary a frame
// at a time and really plays, at 60 frames a second as at 30.
class BeginFirstArrest : public Begin, public ::testing::WithParamInterface<double> {};

TEST_P(BeginFirstArrest, ConfiguresTheCloneAndPlaysTheBustedPoseOnceLoaded) {
    host.world.frameMs = GetParam();
    const int32_t ped = host.world.spawnPed({0, 5, 30});  // handle 2; its clone will be 3
    start();
    const size_t from = press(host, {ped});
    const size_t requested = host.trace.find("REQUEST_ANIM_DICT(\"combat@drag_ped@entry\")", from);
    const size_t posed = host.trace.find("TASK_PLAY_ANIM(3", from);
    const int waits =
        static_cast<int>(host.trace.count("scriptWait(0)", requested) - host.trace.count("scriptWait(0)", posed));
    const uint32_t waited = entryAt(host.trace, posed).tick - entryAt(host.trace, requested).tick;
    EXPECT_GE(waited, host.world.animDictLoadMs);
    EXPECT_LT(waited, host.world.animDictLoadMs + GetParam() + 1) << "played in the first frame it could be";
    const std::vector<std::string> expected =
        join({{"IS_ENTITY_A_PED(2)", "GET_CURRENT_LANGUAGE()", "DOES_ENTITY_EXIST(0)", "IS_ENTITY_A_MISSION_ENTITY(2)",
               "IS_PED_IN_COMBAT(2, 0)", "IS_PED_DEAD_OR_DYING(2, 0)", "IS_PED_IN_ANY_VEHICLE(2, 1)",
               "IS_PED_IN_ANY_VEHICLE(2, 1)", "GET_ENTITY_COORDS(2, 1)"},
              takeOverOf(2, 3),
              bustedPoseOf(3, waits),
              {"PLAYER_PED_ID()"}});  // the custody step follows in the same frame
    EXPECT_THAT(scriptCalls(host.trace, host.trace.find("IS_ENTITY_A_PED", from), expected.size()),
                ElementsAreArray(expected));
    const sim::Entity& clone = entityOf(host.world, 3);
    EXPECT_TRUE(clone.anims.count("random@arrests@busted/idle_c")) << "the pose plays";
    EXPECT_TRUE(clone.blockingEvents && clone.scriptOwned);
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    // The host deletes only its script's own peds: without the take-over he would stand beside his clone.
    EXPECT_FALSE(host.world.exists(ped));
    EXPECT_EQ(host.world.entities.size(), 2u) << "the player and one clone";
    EXPECT_EQ(clone.pos.y, 5.0f) << "the clone stands where the original stood";
}

INSTANTIATE_TEST_SUITE_P(FrameRates, BeginFirstArrest, ::testing::Values(k60Fps, k30Fps),
                         [](const ::testing::TestParamInfo<double>& p) { return p.param < 20 ? "At60" : "At30"; });

// A dictionary that never comes ends the wait after a second; the arrest goes on without the pose.
TEST_F(Begin, ADictionaryThatNeverLoadsEndsTheWaitAfterASecond) {
    host.world.animDictLoadMs = 0xFFFFFFFFu;
    start();
    const size_t from = press(host, {host.world.spawnPed({0, 5, 30})});
    const size_t requested = host.trace.find("REQUEST_ANIM_DICT(\"random@arrests@busted\")", from);
    const size_t posed = host.trace.find("TASK_PLAY_ANIM(3", from);
    const uint32_t waited = entryAt(host.trace, posed).tick - entryAt(host.trace, requested).tick;
    EXPECT_GE(waited, kStreamingLimitMs);
    EXPECT_LT(waited, kStreamingLimitMs + 17);
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
    EXPECT_EQ(entityOf(host.world, 3).orders.back(), "anim_not_loaded random@arrests@busted/idle_c");
}

// After an earlier arrest the dictionaries are loaded: nothing is requested and nothing awaited.
TEST_F(Begin, LoadedDictionariesAreNeitherRequestedNorAwaited) {
    for (const char* dictionary : {"random@arrests@busted", "get_up@cuffed", "combat@drag_ped@entry"})
        host.world.preloadAnimDict(dictionary);
    start();
    const size_t from = press(host, {host.world.spawnPed({0, 5, 30})});
    EXPECT_EQ(host.trace.count("REQUEST_ANIM_DICT", from), 0u);
    EXPECT_EQ(host.trace.count("HAS_ANIM_DICT_LOADED(\"random@arrests@busted\")", from), 2u);
    EXPECT_EQ(
        host.trace.count("scriptWait(0)", from) - host.trace.count("scriptWait(0)", loopPassEnd(host.trace, from)), 0u);
}

TEST_F(Begin, AimingAtTheSuspectAgainReleasesHimAndTakesANewClone) {
    start();
    const int32_t first = madeBy(host.trace, "CLONE_PED", press(host, {host.world.spawnPed({0, 5, 30})}));
    const size_t from = press(host, {first});
    // Released, he is no longer the script's, so the mission test does not refuse him.
    const std::vector<std::string> expected =
        join({{fmt("DOES_ENTITY_EXIST(%d)", first)}, releaseOf(first), {fmt("IS_ENTITY_A_MISSION_ENTITY(%d)", first)}});
    EXPECT_THAT(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST", from), expected.size()),
                ElementsAreArray(expected));
    EXPECT_EQ(host.trace.count(fmt("CLONE_PED(%d, 0, 1, 1)", first), from), 1u);
    EXPECT_FALSE(host.world.exists(first));
    EXPECT_TRUE(
        entityOf(host.world, madeBy(host.trace, "CLONE_PED", from)).anims.count("random@arrests@busted/idle_c"));
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

// The aim query names vehicles too. Aimed at the player's own car (which the game's scripts may own)
// during an escort, a press changes nothing: no release, no mission text, no take-over.
TEST_F(Begin, AimingAtACarDuringAnEscortChangesNothing) {
    const int32_t car = host.world.parkLastVehicle({0, 10, 30});
    entityOf(host.world, car).missionEntity = true;
    host.world.movePlayer({0, 0, 30});
    start();
    const int32_t suspect =
        madeBy(host.trace, "CLONE_PED", press(host, {host.world.spawnPed({kBesideThePlayer, 0, 30})}));
    press(host);
    ASSERT_EQ(host.statusLine(), kStatusEscort);
    const size_t from = press(host, {car});
    EXPECT_THAT(afterAimQuery(host.trace, from).front(), "IS_ENTITY_A_PED(" + std::to_string(car) + ")");
    EXPECT_EQ(host.trace.count("CLONE_PED", from) + host.trace.count("TASK_SMART_FLEE_PED", from) +
                  host.trace.count("IS_ENTITY_A_MISSION_ENTITY", from),
              0u);
    EXPECT_EQ(host.statusLine(), kStatusEscort);
    EXPECT_TRUE(host.world.exists(car));
    EXPECT_TRUE(entityOf(host.world, suspect).handcuffed);
}

// A refused ped keeps his handle in the aim variable. A press at nothing later, wherever he is, must
// not take him over: "nothing found" is not a target.
TEST_F(Begin, APressAtNothingAfterARefusalTakesNobodyOver) {
    start();
    const int32_t ped = host.world.spawnPed({0, 5, 30});
    entityOf(host.world, ped).inCombat = true;
    press(host, {ped});
    ASSERT_EQ(host.statusLine(), kStatusRefuseOnFoot);
    entityOf(host.world, ped).pos = {0, 200, 30};
    entityOf(host.world, ped).inCombat = false;
    const size_t from = press(host);
    EXPECT_EQ(host.trace.count("IS_ENTITY_A_PED", from) + host.trace.count("CLONE_PED", from), 0u);
    EXPECT_TRUE(host.world.exists(ped));
    EXPECT_EQ(host.statusLine(), kStatusRefuseOnFoot);
}

//-----------------------------------------------------------------------------
// [SECTION] Leaving the vehicle
//-----------------------------------------------------------------------------

TEST_F(Begin, SeatedPedIsOrderedOutAndClonedASecondAfterHeIsOut) {
    const int32_t ped = seatedPed();
    const std::string id = std::to_string(ped);
    start();
    const size_t from = press(host, {ped});
    const size_t leave = host.trace.find("TASK_LEAVE_ANY_VEHICLE(" + id + ", 1, 1)", from);
    size_t out = leave;
    for (; out < host.trace.size() && host.trace.entries[out].text() != "IS_PED_IN_ANY_VEHICLE(" + id + ", 1) -> 0";
         ++out) {
        const sim::TraceEntry& entry = host.trace.entries[out];
        EXPECT_TRUE(entry.kind != sim::CallKind::Wait || entry.call == "scriptWait(1)") << entry.call;
    }
    ASSERT_LT(out, host.trace.size());
    EXPECT_GE(host.trace.entries[out].tick - host.trace.entries[leave].tick, host.world.leaveVehicleMs);
    EXPECT_THAT(
        scriptCalls(host.trace, out + 1, 3),
        ElementsAreArray(std::vector<std::string>{fmt("scriptWait(%u)", kStandUpMs), "GET_ENTITY_COORDS(" + id + ", 1)",
                                                  "CLONE_PED(" + id + ", 0, 1, 1)"}));
    const uint32_t stoodUp = entryAt(host.trace, host.trace.find("CLONE_PED", out)).tick - host.trace.entries[out].tick;
    EXPECT_GE(stoodUp, kStandUpMs);
    EXPECT_LE(stoodUp, kStandUpMs + 16) << "the first frame after he has stood up";
    EXPECT_EQ(host.trace.count("GET_VEHICLE_ENGINE_HEALTH", from), 0u);
    EXPECT_EQ(
        host.trace.count("SET_TEXT_FONT", from) - host.trace.count("SET_TEXT_FONT", loopPassEnd(host.trace, from)), 1u)
        << "drawn once at the start of the press frame, never while it waits";
}

// The ped never gets out: the wait gives up, takes nobody over, writes nothing and the script runs on.
struct StuckInside {
    const char* name;
    void (*happen)(sim::Host&, int32_t ped);
    uint32_t minMs, maxMs;  // how long the press frame lasts
};

void PrintTo(const StuckInside& c, std::ostream* out) { *out << c.name; }

class BeginLeaveGivesUp : public Begin, public ::testing::WithParamInterface<StuckInside> {};

TEST_P(BeginLeaveGivesUp, WithoutCloneOrTextAndTheScriptRunsOn) {
    const int32_t ped = seatedPed();
    start();
    leaveTextFromVanishedPed(kStatusRefuseOnFoot);
    GetParam().happen(host, ped);
    const size_t from = press(host, {ped});
    const size_t end = loopPassEnd(host.trace, from);
    const uint32_t lasted = entryAt(host.trace, end).tick - host.trace.entries[from].tick;
    EXPECT_GE(lasted, GetParam().minMs);
    EXPECT_LE(lasted, GetParam().maxMs);
    EXPECT_EQ(host.trace.count(fmt("scriptWait(%u)", kStandUpMs), from), 0u);
    EXPECT_EQ(host.trace.count("CLONE_PED", from), 0u);
    EXPECT_EQ(host.trace.count("SET_TEXT_FONT", end), 14u) << "every later frame draws the line";
    EXPECT_EQ(host.statusLine(), kStatusRefuseOnFoot);
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
                      // With a frame every millisecond one starts exactly at the limit: the wait ends there.
                      StuckInside{"NeverGetsOut",
                                  [](sim::Host& h, int32_t) {
                                      h.world.leaveVehicleMs = 3 * kLeaveVehicleLimitMs;
                                      h.world.frameMs = 1;
                                  },
                                  kLeaveVehicleLimitMs, kLeaveVehicleLimitMs}),
    ByName());
