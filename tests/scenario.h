// Brindlecot tests — the one vocabulary of the scenarios: a simulated game with the plugin loaded,
// the key press, the fixed native sequences and the fixtures that bring an arrest to a stage.
//
//   [SECTION] Texts, keys and the world
//   [SECTION] Formatting and joining
//   [SECTION] Reading the trace
//   [SECTION] Native sequences
//   [SECTION] Pressing the arrest key
//   [SECTION] Parameter cases
//   [SECTION] Scenario fixture
//   [SECTION] Custody fixture
//
// The status texts are the plugin's own catalogue (hud/status.h): a test never spells one out.

#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "arrest/tuning.h"
#include "hud/status.h"
#include "scenes/cuff_draw.h"
#include "scenes/format.h"
#include "scenes/places.h"
#include "scenes/press.h"
#include "scenes/stage.h"
#include "sim/host.h"
#include "sim/natives.h"

//-----------------------------------------------------------------------------
// [SECTION] Texts, keys and the world
//-----------------------------------------------------------------------------

using scenes::endsLoopPass;
using scenes::fmt;
using scenes::kF3;
using scenes::kPadA;
using scenes::loopPassEnd;
using scenes::Press;
using scenes::Stage;

// Every text of the catalogue.
constexpr const char* kStatusTexts[] = {
    kStatusEmpty,  kStatusMissionPed, kStatusRefuseOnFoot, kStatusRefuseInVehicle, kStatusGetClose,
    kStatusEscort, kStatusNoFreeSeat, kStatusResisting,    kStatusNotInVehicle,    kStatusDrive};

// The entity behind a handle. One that names nothing fails the test and gives a blank stand-in, so
// a broken plugin is reported by the test's own messages instead of ending it in a crash.
inline sim::Entity& entityOf(sim::World& world, int32_t handle) {
    if (sim::Entity* e = world.find(handle)) return *e;
    ADD_FAILURE() << "no entity " << handle << " in the world";
    static sim::Entity nobody;
    nobody = sim::Entity();
    return nobody;
}

// Points and tuned places in the trace's words: "477.0, -1023.0, 28.0".
using scenes::offset;
using scenes::textOf;
using scenes::vecOf;

// How far from the player a ped stands who is to be cuffed: within the cuffing radius, and close
// enough that a suspect who follows the player does not need to take a step.
constexpr float kBesideThePlayer = std::min(kCuffRadius / 2, 1.0f);

//-----------------------------------------------------------------------------
// [SECTION] Formatting and joining
//-----------------------------------------------------------------------------

// The sequences one after the other.
inline std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

//-----------------------------------------------------------------------------
// [SECTION] Reading the trace
//-----------------------------------------------------------------------------

// The script's natives and waits from entry `from` on, the Win32 calls left out; at most `n`.
inline std::vector<std::string> scriptCalls(const sim::Trace& trace, size_t from, size_t n = SIZE_MAX) {
    std::vector<std::string> out;
    for (size_t k = from; k < trace.size() && out.size() < n; ++k) {
        if (trace.entries[k].kind != sim::CallKind::Win32) out.push_back(trace.entries[k].call);
    }
    return out;
}

// The entry at `n`. A position past the end, where a search for a call that never came ends, fails
// the test and gives a blank stand-in instead of reading beyond the trace.
inline const sim::TraceEntry& entryAt(const sim::Trace& trace, size_t n) {
    if (n < trace.size()) return trace.entries[n];
    ADD_FAILURE() << "no trace entry " << n << ": the trace holds " << trace.size();
    static const sim::TraceEntry nothing;
    return nothing;
}

// The handle the first `native` call at or after `from` answered: CLONE_PED's clone, CREATE_PED's
// officer. A call that never came fails the test.
inline int32_t madeBy(const sim::Trace& trace, const std::string& native, size_t from = 0) {
    return entryAt(trace, trace.find(native + "(", from)).intResult();
}

// The script's calls of the press at `from` after its aim query, up to the end of its frame.
inline std::vector<std::string> afterAimQuery(const sim::Trace& trace, size_t from) {
    const size_t begin = trace.find("GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", from) + 1;
    std::vector<std::string> calls = scriptCalls(trace, begin);
    calls.resize(calls.size() - scriptCalls(trace, loopPassEnd(trace, begin)).size());
    return calls;
}

// The label and the components of the first text drawn at or after `from`, as the plugin passed
// them. A draw that never came gives no label and no component.
struct DrawnText {
    std::string label;
    std::vector<std::string> components;
};

inline DrawnText drawnTextAt(const sim::Trace& trace, size_t from) {
    const std::string begin = "BEGIN_TEXT_COMMAND_DISPLAY_TEXT(\"", add = "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"";
    DrawnText drawn;
    size_t n = trace.find(begin, from);
    if (n == trace.size()) return drawn;
    const std::string& call = trace.entries[n].call;
    drawn.label = call.substr(begin.size(), call.size() - begin.size() - 2);
    for (++n; n < trace.size() && trace.entries[n].call.compare(0, add.size(), add) == 0; ++n)
        drawn.components.push_back(
            trace.entries[n].call.substr(add.size(), trace.entries[n].call.size() - add.size() - 2));
    return drawn;
}

//-----------------------------------------------------------------------------
// [SECTION] Native sequences
//-----------------------------------------------------------------------------

// The seven settings every draw of the status line begins with.
inline std::vector<std::string> textSettingsOf() {
    return {"SET_TEXT_FONT(0)",        "SET_TEXT_SCALE(0.5, 0.5)", "SET_TEXT_COLOUR(255, 255, 255, 255)",
            "SET_TEXT_WRAP(0.0, 1.0)", "SET_TEXT_CENTRE(1)",       "SET_TEXT_DROPSHADOW(0, 0, 0, 0, 0)",
            "SET_TEXT_OUTLINE()"};
}

inline std::string componentOf(const std::string& text) {
    return "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"" + text + "\")";
}

// The ten calls that draw `text` on the status line: a text that fits one component.
inline std::vector<std::string> drawOf(const std::string& text) {
    return join({textSettingsOf(),
                 {"BEGIN_TEXT_COMMAND_DISPLAY_TEXT(\"STRING\")", componentOf(text),
                  "END_TEXT_COMMAND_DISPLAY_TEXT(0.5, 0.9, 0)"}});
}

// The calls that draw a text too long for one component, in the pieces given, one after another.
inline std::vector<std::string> piecedDrawOf(const std::vector<std::string>& pieces) {
    std::vector<std::string> out = join({textSettingsOf(), {"BEGIN_TEXT_COMMAND_DISPLAY_TEXT(\"CELL_EMAIL_BCON\")"}});
    for (const std::string& piece : pieces)
        out.push_back(componentOf(piece));
    out.push_back("END_TEXT_COMMAND_DISPLAY_TEXT(0.5, 0.9, 0)");
    return out;
}

inline std::string coordsOf(int32_t entity) { return fmt("GET_ENTITY_COORDS(%d, 1)", entity); }

// The opening of every custody step: the player's handle, then whether suspect `s` is still there
// and alive.
inline std::vector<std::string> suspectCheckOf(int32_t s) {
    return {"PLAYER_PED_ID()", fmt("DOES_ENTITY_EXIST(%d)", s), fmt("IS_PED_DEAD_OR_DYING(%d, 0)", s)};
}

// The seat watch's question, once a transport frame: whether suspect `s` sits in car `v`.
inline std::string seatCheckOf(int32_t s, int32_t v) { return fmt("IS_PED_IN_VEHICLE(%d, %d, 0)", s, v); }

// The leash on suspect `s`, with the player's and the suspect's positions as their coordinate texts.
inline std::vector<std::string> leashOf(int32_t s, const std::string& playerAt, const std::string& suspectAt,
                                        int32_t player = 1) {
    return {fmt("GET_VEHICLE_PED_IS_IN(%d, 1)", player), coordsOf(player), coordsOf(s),
            "GET_DISTANCE_BETWEEN_COORDS(" + playerAt + ", " + suspectAt + ", 1)"};
}

// Gives ped `p` back to the host, who lets him go on with his last order.
inline std::vector<std::string> handBackOf(int32_t p) {
    return {fmt("SET_PED_KEEP_TASK(%d, 1)", p), fmt("SET_PED_AS_NO_LONGER_NEEDED(&%d)", p)};
}

// The six calls that let suspect `s` go, fleeing from the player.
inline std::vector<std::string> releaseOf(int32_t s, int32_t player = 1) {
    return join({{fmt("STOP_ENTITY_ANIM(%d, \"back_to_default\", \"get_up@cuffed\", 0.0)", s),
                  fmt("STOP_ENTITY_ANIM(%d, \"idle_c\", \"random@arrests@busted\", 0.0)", s),
                  fmt("TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(%d, 0)", s),
                  fmt("TASK_SMART_FLEE_PED(%d, %d, 200.0, -1, 1, 1)", s, player)},
                 handBackOf(s)});
}

// Target `t` replaced by its clone `c`, which is then stripped of group, tasks and senses. When the
// host made no clone (c 0) the target is neither taken over nor deleted.
inline std::vector<std::string> takeOverOf(int32_t t, int32_t c) {
    std::vector<std::string> out = {fmt("CLONE_PED(%d, 0, 1, 1)", t)};
    if (c != 0) out = join({out, {fmt("SET_ENTITY_AS_MISSION_ENTITY(%d, 0, 1)", t), fmt("DELETE_PED(&%d)", t)}});
    return join(
        {out,
         {fmt("REMOVE_PED_FROM_GROUP(%d)", c), fmt("CLEAR_PED_TASKS(%d)", c), fmt("CLEAR_PED_TASKS_IMMEDIATELY(%d)", c),
          fmt("CLEAR_PED_SECONDARY_TASK(%d)", c), fmt("SET_PED_SEEING_RANGE(%d, 0.1)", c),
          fmt("SET_PED_HEARING_RANGE(%d, 0.1)", c), fmt("SET_PED_FLEE_ATTRIBUTES(%d, 0, 0)", c),
          fmt("SET_PED_COMBAT_ATTRIBUTES(%d, 17, 1)", c), fmt("SET_PED_COMBAT_ATTRIBUTES(%d, 46, 1)", c),
          fmt("TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(%d, 1)", c)}});
}

// Asks for a dictionary unless the host has it.
inline std::vector<std::string> animDictRequestOf(const std::string& dictionary, bool loaded = false) {
    std::vector<std::string> out = {"HAS_ANIM_DICT_LOADED(\"" + dictionary + "\")"};
    if (!loaded) out.push_back("REQUEST_ANIM_DICT(\"" + dictionary + "\")");
    return out;
}

// The busted pose on clone `c` from cold: the three dictionaries of the arrest are asked for, then
// the busted one is awaited for `waits` frames and the pose started twice.
inline std::vector<std::string> bustedPoseOf(int32_t c, int waits) {
    const std::string busted = "HAS_ANIM_DICT_LOADED(\"random@arrests@busted\")";
    const std::string pose =
        fmt("TASK_PLAY_ANIM(%d, \"random@arrests@busted\", \"idle_c\", 2.0, 1.0, -1, 54, 0.0, 0, 0, 0)", c);
    std::vector<std::string> out = join({animDictRequestOf("random@arrests@busted"), animDictRequestOf("get_up@cuffed"),
                                         animDictRequestOf("combat@drag_ped@entry")});
    for (int k = 0; k < waits; ++k)
        out = join({out, {busted, "scriptWait(0)"}});
    return join({out, {busted, pose, fmt("scriptWait(%u)", kBustedPoseSecondMs), pose}});
}

// The officer's model asked for unless the host has it.
inline std::vector<std::string> officerModelRequestOf(bool loaded) {
    std::vector<std::string> out = {"GET_HASH_KEY(\"s_m_y_cop_01\")", "HAS_MODEL_LOADED(0x5E3DA4A4)"};
    if (!loaded) out = join({out, {"GET_HASH_KEY(\"s_m_y_cop_01\")", "REQUEST_MODEL(0x5E3DA4A4)"}});
    return out;
}

// Frames at 60 and at 30 a second.
constexpr double k60Fps = 1000.0 / 60.0;
constexpr double k30Fps = 1000.0 / 30.0;

//-----------------------------------------------------------------------------
// [SECTION] Pressing the arrest key
//-----------------------------------------------------------------------------

// Presses the key as asked (scenes::press); a press whose pass never ends fails the test instead
// of hanging it. Returns where the press began.
inline size_t press(sim::Host& host, Press how = {}) {
    const scenes::Pressed pressed = scenes::press(host, how);
    if (!pressed.ended) ADD_FAILURE() << "the press's pass of the main loop never ended";
    return pressed.from;
}

//-----------------------------------------------------------------------------
// [SECTION] Parameter cases
//-----------------------------------------------------------------------------

// Names each instance of a parameterised test after its case's `name`.
struct ByName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& p) const {
        return p.param.name;
    }
};

namespace scenes {
inline void PrintTo(Stage stage, std::ostream* out) { *out << stageName(stage); }
}  // namespace scenes

//-----------------------------------------------------------------------------
// [SECTION] Scenario fixture
//-----------------------------------------------------------------------------

// Each test gets a fresh Host and a freshly loaded module, so it starts from the module's load
// state. The fixture fails the test on any protocol fault the host recorded (unknown native, wrong
// argument count, a script that stopped yielding).
class Scenario : public ::testing::Test {
  protected:
    explicit Scenario(uint32_t startTick = 100000) : host(startTick) {}

    void TearDown() override { EXPECT_THAT(host.faults, ::testing::IsEmpty()); }

    // Loads the module and runs the script up to its first scriptWait(0): seed, pad scan,
    // settings and the first frame.
    void start() {
        host.load();
        host.step();
    }

    sim::Host host;
};

//-----------------------------------------------------------------------------
// [SECTION] Custody fixture
//-----------------------------------------------------------------------------

// An arrest brought into the busted pose, the escort or the transport the way a player does it,
// with a start tick whose cuff draw does not resist.
class CustodyScenario : public Scenario {
  protected:
    const std::string kPrecinctMarkerDraw = "DRAW_MARKER(2, " + textOf(kStations[0].handOver) +
                                            ", 0.0, 0.0, 0.0, 180.0, 0.0, 0.0, 0.5, 0.5, 0.5, 204, 204, 0, 100, 0, 1, "
                                            "2, 0, null, null, 0)";
    const std::string kWaypoint =
        "SET_NEW_WAYPOINT(" + sim::formatFloat(kPrecinctPoint.x) + ", " + sim::formatFloat(kPrecinctPoint.y) + ")";

    CustodyScenario() : Scenario(scenes::startTickWhereSuspect(false)) {}

    sim::World& world() { return host.world; }
    sim::Entity& suspectEntity() { return entityOf(world(), suspect); }
    int32_t player() { return world().playerPed; }

    // Where the player's car is parked when a test names no place: well beyond boarding reach.
    static sim::Vec3 farCarFrom(const sim::Vec3& at) { return offset(at, 0, kBoardingRadius + 15.0f); }

    // The player stands at `at` with a ped just east of him (kBesideThePlayer); his last vehicle is
    // parked at `carAt`. He aims at the ped and presses: the clone takes the busted pose.
    void startBusted(sim::Vec3 at = {0, 0, 30}) { startBusted(at, farCarFrom(at)); }
    void startBusted(sim::Vec3 at, sim::Vec3 carAt) {
        car = world().parkLastVehicle(carAt);
        world().movePlayer(at);
        suspectAt = offset(at, kBesideThePlayer, 0);
        const int32_t ped = world().spawnPed(suspectAt);
        start();
        suspect = madeBy(host.trace, "CLONE_PED", press(host, {ped}));
    }

    // Then presses again without aiming: the suspect is cuffed and stands still beside him.
    void startEscort(sim::Vec3 at = {0, 0, 30}) { startEscort(at, farCarFrom(at)); }
    void startEscort(sim::Vec3 at, sim::Vec3 carAt) {
        startBusted(at, carAt);
        press(host, {0, Press::kFrameOnly});
        host.step();
        ASSERT_EQ(host.statusLine(), escortText);
    }

    // In the escort, the car is brought within boarding reach of the suspect and he is ordered in;
    // with its doors blocked he stays where he is. Answers the tick of the order.
    uint32_t bringTheCar(bool doorsBlocked) {
        entityOf(world(), car).doorsBlocked = doorsBlocked;
        entityOf(world(), car).pos = offset(suspectAt, 0, kBoardingRadius * 0.6f);
        const size_t from = host.trace.size();
        host.step();
        return entryAt(host.trace, host.trace.find("TASK_ENTER_VEHICLE", from)).tick;
    }

    // Then the car is brought within boarding reach of the suspect: he boards and the transport
    // begins. He is kept standing where he was, so tests place him themselves.
    void startTransport(sim::Vec3 at = {0, 0, 30}) {
        startEscort(at);
        entityOf(world(), car).pos = offset(suspectAt, 0, kBoardingRadius * 0.6f);
        host.step();  // the boarding
        suspectEntity().task = sim::Task::None;
        suspectEntity().pos = suspectAt;
        host.step();
        ASSERT_EQ(host.statusLine(), driveText);
    }

    // Runs one main loop pass, waits inside it included (the delivery waits), and answers the
    // calls of its custody step: from its own PLAYER_PED_ID on.
    std::vector<std::string> custodyFrame(bool nativesOnly = true) {
        const size_t mark = host.trace.size();
        for (int wait = 0; wait < 200; ++wait) {
            host.step();
            if (endsLoopPass(host.trace, host.trace.size() - 1)) break;
        }
        const size_t refresh = host.trace.find("PLAYER_PED_ID", mark);
        return host.trace.calls(host.trace.find("PLAYER_PED_ID", refresh + 1), nativesOnly);
    }

    int32_t car = 0;
    int32_t suspect = 0;
    sim::Vec3 suspectAt;  // where the suspect kneels
    // What the line shows once the escort and the transport have begun: a test in another language,
    // or with texts of its own, sets them before.
    std::string escortText = kStatusEscort;
    std::string driveText = kStatusDrive;
};
