// Brindlecot tests — an arrest brought into the escort or the transport the way a player does it.
//
//   [SECTION] Cuff draw
//   [SECTION] Fixture

#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/scenario.h"

//-----------------------------------------------------------------------------
// [SECTION] Cuff draw
//-----------------------------------------------------------------------------

using sim::startTickWhereSuspect;

inline std::string fmt(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

//-----------------------------------------------------------------------------
// [SECTION] Fixture
//-----------------------------------------------------------------------------

class CustodyScenario : public Scenario {
  protected:
    static constexpr char kGetClose[] = "Get close to the suspect and press again to cuff him";
    static constexpr char kEscort[] = "Escort the suspect to the vehicle";
    static constexpr char kDrive[] = "Drive the suspect to the ~b~marked~w~ precinct (or set him free F3)";

    CustodyScenario() : Scenario(startTickWhereSuspect(false)) {}

    sim::World& world() { return host.world; }
    sim::Entity& suspectEntity() { return entityOf(world(), suspect); }
    int32_t player() { return world().playerPed; }

    // The player stands at `at` with a ped one metre east of him; his last vehicle is parked at
    // `carAt`. He aims at the ped and presses: the clone takes the busted pose.
    void startBusted(sim::Vec3 at = {0, 0, 30}, sim::Vec3 carAt = {0, 20, 30}) {
        car = world().spawnVehicle(carAt);
        world().seatPed(player(), car, -1);
        world().unseatPed(player());
        world().movePlayer(at);
        const int32_t ped = world().spawnPed({at.x + 1, at.y, at.z});
        start();
        world().aimTarget = ped;
        tapKey();
        world().aimTarget = 0;
        suspect = world().nextHandle - 1;  // the clone
        host.runFor(250);                  // past the debounce
    }

    // Then presses again without aiming: the suspect is cuffed and stands still beside him.
    void startEscort(sim::Vec3 at = {0, 0, 30}, sim::Vec3 carAt = {0, 20, 30}) {
        startBusted(at, carAt);
        tapKey();
        host.step();
        ASSERT_EQ(host.statusLine(), kEscort);
    }

    // Then the car is brought 3 m from the suspect: he boards and the transport begins. He is
    // kept standing where he was, so tests place him themselves.
    void startTransport(sim::Vec3 at = {0, 0, 30}) {
        startEscort(at);
        entityOf(world(), car).pos = {at.x + 1, at.y + 3, at.z};
        host.step();  // the boarding
        suspectEntity().task = sim::Task::None;
        suspectEntity().pos = {at.x + 1, at.y, at.z};
        host.step();
        ASSERT_EQ(host.statusLine(), kDrive);
    }

    // Runs one main loop pass, waits inside it included, and answers the calls of its custody
    // step (from its own PLAYER_PED_ID on).
    std::vector<std::string> custodyFrame(bool nativesOnly = true) {
        const size_t mark = host.trace.size();
        for (int wait = 0; wait < 8; ++wait) {
            host.step();
            if (host.trace.entries.back().call == "scriptWait(0)") break;
        }
        return custodyCallsSince(mark, nativesOnly);
    }

    // The custody step may span several steps when the delivery waits.
    std::vector<std::string> custodyCallsSince(size_t mark, bool nativesOnly = true) {
        const size_t refresh = host.trace.find("PLAYER_PED_ID", mark);
        return host.trace.calls(host.trace.find("PLAYER_PED_ID", refresh + 1), nativesOnly);
    }

    std::string coords(int32_t entity) { return fmt("GET_ENTITY_COORDS(%d, 1)", entity); }

    std::vector<std::string> suspectCheck() {
        return {"PLAYER_PED_ID()", fmt("DOES_ENTITY_EXIST(%d)", suspect), fmt("IS_PED_DEAD_OR_DYING(%d, 0)", suspect)};
    }

    std::vector<std::string> release() {
        return {fmt("STOP_ENTITY_ANIM(%d, \"back_to_default\", \"get_up@cuffed\", 0.0)", suspect),
                fmt("STOP_ENTITY_ANIM(%d, \"idle_c\", \"random@arrests@busted\", 0.0)", suspect),
                fmt("TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(%d, 0)", suspect),
                fmt("TASK_SMART_FLEE_PED(%d, %d, 200.0, -1, 1, 1)", suspect, player()),
                fmt("SET_PED_KEEP_TASK(%d, 1)", suspect),
                fmt("SET_PED_AS_NO_LONGER_NEEDED(&%d)", suspect)};
    }

    // The leash with the player's and the suspect's positions as their coordinate texts.
    std::vector<std::string> leash(const std::string& playerAt, const std::string& suspectAt) {
        return {fmt("GET_VEHICLE_PED_IS_IN(%d, 1)", player()), coords(player()), coords(suspect),
                "GET_DISTANCE_BETWEEN_COORDS(" + playerAt + ", " + suspectAt + ", 1)"};
    }

    static std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> out;
        for (const auto& part : parts)
            out.insert(out.end(), part.begin(), part.end());
        return out;
    }

    int32_t car = 0;
    int32_t suspect = 0;
};
