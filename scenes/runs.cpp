// Brindlecot scenes — scripted runs that drive the plugin through a whole situation.

#include "scenes/runs.h"

#include <algorithm>

#include "arrest/tuning.h"
#include "hud/status.h"
#include "scenes/run_steps.h"

namespace scenes {

using sim::Entity;
using sim::Host;
using sim::Task;

namespace {

std::string expectTask(Host& host, int32_t ped, Task task) {
    const Entity* e = host.world.find(ped);
    if (e && e->task == task) return "";
    return std::string("ped ") + std::to_string(ped) + " is not busy with " + sim::taskName(task);
}

// Arrests a ped standing beside the player and walks up to cuff him, the press held for `heldMs`;
// answers the suspect's handle.
int32_t arrestAndCuff(Host& host, uint32_t heldMs = 0) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    const int32_t suspect = arrest(host, ped);
    host.world.movePlayer({5, std::min(kCuffRadius / 2, 1.0f), 30});
    host.runFrames(20);
    press(host, {0, 2, kArrestKey, heldMs});
    return suspect;
}

std::string idle(Host& host) {
    start(host);
    host.runFrames(30);
    if (host.trace.count("CLONE_PED") != 0) return "an idle script cloned a ped";
    return expectStatus(host, "");
}

std::string missionPedRefused(Host& host) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    host.world.find(ped)->missionEntity = true;
    start(host);
    arrest(host, ped);
    return expectStatus(host, kStatusMissionPed);
}

std::string missionPedAllowedByIni(Host& host) {
    host.setIni("[Brindlecot]\narrest_mission_ped=1\n");
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    host.world.find(ped)->missionEntity = true;
    start(host);
    arrest(host, ped);
    return expectStatus(host, kStatusGetClose);
}

std::string fightingOnFootRefused(Host& host) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    host.world.find(ped)->inCombat = true;
    start(host);
    arrest(host, ped);
    return expectStatus(host, kStatusRefuseOnFoot);
}

std::string fightingInVehicleRefused(Host& host) {
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    const int32_t car = host.world.spawnVehicle({5, 0, 30});
    host.world.seatPed(ped, car, -1);
    host.world.find(ped)->inCombat = true;
    start(host);
    arrest(host, ped);
    return expectStatus(host, kStatusRefuseInVehicle);
}

// F2 instead of F3 and no status line: F3 does nothing, F2 arrests, nothing is ever drawn.
std::string otherKeyWithoutStatusLine(Host& host) {
    host.setIni("[brindlecot]\nKEY_ARREST = 113\nshow_msg=0\n");
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    arrest(host, ped, kF3);
    if (host.trace.count("CLONE_PED") != 0) return "F3 arrested with key_arrest set to F2";
    arrest(host, ped, kF2);
    if (host.trace.count("CLONE_PED") != 1) return "F2 did not arrest";
    if (host.trace.count("END_TEXT_COMMAND_DISPLAY_TEXT") != 0) return "the status line was drawn";
    return "";
}

std::string gamepadMask(Host& host) {
    host.setIni("[Brindlecot]\nkey_arrest_gamepad=4097\n");
    host.pads[1].connected = true;
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    start(host);
    host.world.aimTarget = ped;
    host.pads[1].buttons = kPadA;
    host.runFrames(3);
    host.pads[1].buttons = 0;
    host.world.aimTarget = 0;
    host.runFrames(20);
    return expectStatus(host, kStatusGetClose);
}

std::string cuffed(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(10);
    const Entity* e = host.world.find(suspect);
    if (!e || !e->handcuffed) return "the suspect is not handcuffed";
    return expectStatus(host, kStatusEscort);
}

// A calm press, held for 300 ms: he is cuffed, and not set free again once the window has run out.
std::string cuffingPressHeld(Host& host) {
    const int32_t suspect = arrestAndCuff(host, 300);
    host.runFrames(10);
    const Entity* e = host.world.find(suspect);
    if (!e || !e->handcuffed || e->task == Task::Flee) return "the suspect is not handcuffed";
    return expectStatus(host, kStatusEscort);
}

// The key held for 5 s during the escort sets him free once.
std::string keyHeldThroughEscort(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(30);
    press(host, {0, 2, kArrestKey, 5000});
    if (host.trace.count("TASK_SMART_FLEE_PED") != 1) return "the held key did not release him exactly once";
    const std::string status = expectStatus(host, "");
    return status.empty() ? expectTask(host, suspect, Task::Flee) : status;
}

// The game is reloaded mid-escort; the old handles name strangers then. The new run shows nothing,
// orders no one, and an arrest begun in it goes ahead.
std::string reloadMidEscort(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(30);
    host.reloadGame();
    while (host.world.nextHandle <= suspect)
        host.world.spawnPed({5, 3, 30});
    host.runFrames(30);
    const Entity* stranger = host.world.find(suspect);
    if (!stranger || !stranger->orders.empty()) return "the stranger on the old suspect's handle was given orders";
    const std::string empty = expectStatus(host, "");
    if (!empty.empty()) return empty;
    arrest(host, host.world.spawnPed({5, 0, 30}));
    return expectStatus(host, kStatusGetClose);
}

// The key, down when the game is reloaded, has fired in the earlier run: aimed at a ped in the new
// one it does nothing until let go and pressed again.
std::string keyHeldAcrossReload(Host& host) {
    start(host);
    host.holdKey(kArrestKey);
    host.runFrames(2);
    host.reloadGame();
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    host.world.aimTarget = ped;
    host.runFrames(30);
    if (host.trace.count("CLONE_PED") != 0) return "the key held across the start arrested";
    host.holdKey(kArrestKey, false);
    host.world.aimTarget = 0;
    host.runFrames(2);
    arrest(host, ped);
    return expectStatus(host, kStatusGetClose);
}

std::string resisted(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(10);
    const std::string status = expectStatus(host, kStatusResisting);
    return status.empty() ? expectTask(host, suspect, Task::Flee) : status;
}

std::string releasedByKey(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(30);
    tap(host);
    const std::string status = expectStatus(host, "");
    return status.empty() ? expectTask(host, suspect, Task::Flee) : status;
}

std::string leash(Host& host) {
    const int32_t suspect = arrestAndCuff(host);
    host.runFrames(30);
    host.world.movePlayer({5, kLeashLength + 10, 30});
    host.runFrames(3);
    const std::string status = expectStatus(host, "");
    return status.empty() ? expectTask(host, suspect, Task::Flee) : status;
}

std::string wholeArrest(Host& host) {
    const int32_t car = host.world.parkLastVehicle({0, 10, 30});
    const int32_t suspect = arrestAndCuff(host);
    host.world.movePlayer({0, 8, 30});
    host.runFrames(400);
    const std::string boarding = expectDriveText(host);
    if (!boarding.empty()) return boarding;
    host.world.seatPed(host.world.playerPed, car, -1);
    host.runFrames(200);
    host.world.drive(car, {kPrecinctPoint.x, kPrecinctPoint.y + kDeliveryRadius * 0.6f, kPrecinctPoint.z}, 30);
    host.runFrames(3000);
    if (host.trace.count("CREATE_PED") != 1) return "no officer came for the hand-over";
    if (!host.world.waypointSet) return "no waypoint was set";
    if (host.trace.count("TASK_LEAVE_VEHICLE(" + std::to_string(suspect)) != 1)
        return "the suspect was not ordered out";
    // The hand-back cleared his handle: he gets out and stays, the game's again, told nothing more.
    const Entity* delivered = host.world.find(suspect);
    if (!delivered || delivered->vehicle != 0 || delivered->task == Task::Flee)
        return "the delivered suspect is not standing beside the car";
    return expectStatus(host, "");
}

// The car's rear doors stand against a wall: ordered in, he stays outside, and once the wait is over
// he is put into his seat, once.
std::string failedBoarding(Host& host) {
    const int32_t car = host.world.parkLastVehicle({0, 10, 30});
    host.world.find(car)->doorsBlocked = true;
    const int32_t suspect = arrestAndCuff(host);
    host.world.movePlayer({0, 8, 30});
    if (!host.runUntil([&] { return host.trace.count("TASK_ENTER_VEHICLE") != 0; }, 1000))
        return "he was never ordered in";
    host.runFor(kSeatForcedAfterMs + 2000);
    if (host.trace.count("SET_PED_INTO_VEHICLE") != 1) return "he was not put into his seat exactly once";
    const Entity* e = host.world.find(suspect);
    if (!e || e->vehicle != car) return "he does not sit in the car";
    return expectDriveText(host);
}

// Every passenger seat is taken: the line says so beside the car, and a seat freed boards him.
std::string fullCar(Host& host) {
    const int32_t car = host.world.parkLastVehicle({0, 10, 30});
    int32_t rearRight = 0;
    for (int32_t seat : {1, 2, 0}) {
        const int32_t passenger = host.world.spawnPed({0, 10, 30});
        host.world.seatPed(passenger, car, seat);
        if (seat == 2) rearRight = passenger;
    }
    const int32_t suspect = arrestAndCuff(host);
    host.world.movePlayer({0, 8, 30});
    host.runFrames(400);
    const std::string full = expectStatus(host, kStatusNoFreeSeat);
    if (!full.empty()) return full;
    host.world.unseatPed(rearRight);
    host.runFrames(400);
    const Entity* e = host.world.find(suspect);
    if (!e || e->vehicle != car || e->seat != 2) return "he did not get into the freed seat";
    return expectDriveText(host);
}

// The runs of this file, then the stations' and the settings file's.
std::vector<ScriptedRun> withTheOtherRuns(std::vector<ScriptedRun> runs) {
    runs.insert(runs.end(), stationRuns().begin(), stationRuns().end());
    runs.insert(runs.end(), settingsRuns().begin(), settingsRuns().end());
    return runs;
}

}  // namespace

const std::vector<ScriptedRun>& scriptedRuns() {
    static const std::vector<ScriptedRun> runs = withTheOtherRuns({
        {"idle", kCuffingTick, idle},
        {"mission_ped_refused", kCuffingTick, missionPedRefused},
        {"mission_ped_allowed_by_ini", kCuffingTick, missionPedAllowedByIni},
        {"fighting_on_foot_refused", kCuffingTick, fightingOnFootRefused},
        {"fighting_in_vehicle_refused", kCuffingTick, fightingInVehicleRefused},
        {"other_key_without_status_line", kCuffingTick, otherKeyWithoutStatusLine},
        {"gamepad_mask", kCuffingTick, gamepadMask},
        {"cuffed", kCuffingTick, cuffed},
        {"cuffing_press_held", kCuffingTick, cuffingPressHeld},
        {"key_held_through_escort", kCuffingTick, keyHeldThroughEscort},
        {"reload_mid_escort", kCuffingTick, reloadMidEscort},
        {"key_held_across_reload", kCuffingTick, keyHeldAcrossReload},
        {"resisted", kResistingTick, resisted},
        {"released_by_key", kCuffingTick, releasedByKey},
        {"leash", kCuffingTick, leash},
        {"whole_arrest", kCuffingTick, wholeArrest},
        {"failed_boarding", kCuffingTick, failedBoarding},
        {"full_car", kCuffingTick, fullCar},
    });
    return runs;
}

}  // namespace scenes
