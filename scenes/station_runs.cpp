// Brindlecot scenes — scripted runs that hand the suspect over at the game's police stations.
//
// Each run arrests a ped a few hundred metres from a station, boards him into the player's car there
// and drives it to a hand-over point; it answers whether the waypoint, the marker, the officer and
// the delivery were at the station the run expects.

#include <string>

#include "arrest/tuning.h"
#include "hud/status.h"
#include "scenes/format.h"
#include "scenes/places.h"
#include "scenes/run_steps.h"
#include "scenes/runs.h"

namespace scenes {

using sim::Host;
using sim::Vec3;

namespace {

const sim::TraceEntry* lastCallOf(const sim::Trace& trace, const std::string& name) {
    for (size_t n = trace.size(); n-- > 0;) {
        if (trace.entries[n].call.rfind(name + "(", 0) == 0) return &trace.entries[n];
    }
    return nullptr;
}

bool samePlace(const Vec3& a, const NativeVec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// Arrests a ped beside the player at `boardAt`, cuffs him, walks him to the car parked there and,
// once he is in, drives to `row`'s hand-over point at `speed` metres a second. Answers what was not
// at station `row`, "" when everything was.
std::string arrestAndHandOver(Host& host, const Vec3& boardAt, int32_t row, float speed) {
    const Station& station = kStations[row];
    const int32_t car = host.world.parkLastVehicle(offset(boardAt, 0, 10));
    host.world.movePlayer(boardAt);
    const int32_t ped = host.world.spawnPed(offset(boardAt, 5, 0));
    start(host);
    const int32_t suspect = arrest(host, ped);
    host.world.movePlayer(offset(boardAt, 5, 1));
    host.runFrames(20);
    tap(host);
    host.world.movePlayer(offset(boardAt, 0, 8));
    host.runFrames(400);
    if (host.statusLine().rfind(kStatusDriveHead, 0) != 0)
        return "the suspect did not board: \"" + host.statusLine() + "\"";

    if (host.world.waypointX != station.handOver.x || host.world.waypointY != station.handOver.y) {
        return fmt("the waypoint is at (%s, %s), not at %s", sim::formatFloat(host.world.waypointX).c_str(),
                   sim::formatFloat(host.world.waypointY).c_str(), station.name);
    }
    const sim::Marker marker =
        host.world.lastFrame.markers.empty() ? sim::Marker() : host.world.lastFrame.markers.front();
    if (!samePlace(marker.pos, station.handOver)) return "the marker stands at " + textOf(marker.pos);
    if (marker.hidden) return "the marker is hidden under the road";

    host.world.seatPed(host.world.playerPed, car, -1);
    host.world.drive(car, offset(vecOf(station.handOver), 0, kDeliveryRadius * 0.6f), speed);
    if (!host.runUntil([&] { return host.trace.count("TASK_LEAVE_VEHICLE") != 0; }))
        return "the suspect was never handed over";
    host.runFrames(60);
    const sim::TraceEntry* created = lastCallOf(host.trace, "CREATE_PED");
    const sim::TraceEntry* walk = lastCallOf(host.trace, "TASK_GO_STRAIGHT_TO_COORD");
    if (!created || !walk) return "no officer came for the hand-over";
    if (!samePlace(created->pointArg(2), station.officerStart) || created->floatArg(5) != station.officerHeading)
        return "the officer appeared at " + textOf(created->pointArg(2)) + " facing " +
               sim::formatFloat(created->floatArg(5));
    if (!samePlace(walk->pointArg(1), station.officerWalkTarget))
        return "the officer walked to " + textOf(walk->pointArg(1));
    if (host.trace.count("TASK_LEAVE_VEHICLE(" + std::to_string(suspect)) != 1)
        return "the suspect was not ordered out";
    if (!host.statusLine().empty()) return "the status line still says \"" + host.statusLine() + "\"";
    return "";
}

// Boarded a little way from the station's own hand-over point, nearest_station on.
template <int32_t row>
std::string handOverAtStation(Host& host) {
    host.setIni("[Brindlecot]\nnearest_station=1\n");
    return arrestAndHandOver(host, offset(vecOf(kStations[row].handOver), 200.0f, 200.0f), row, 30.0f);
}

// Far in the north with the setting off: the drive goes all the way to Mission Row.
std::string paletoBayWithoutNearestStation(Host& host) {
    return arrestAndHandOver(host, offset(vecOf(kStations[6].handOver), 200.0f, 200.0f), 0, 250.0f);
}

// The car parked exactly half-way between Mission Row (row 0) and Davis (row 4): the lower row wins.
std::string halfWayTakesTheLowerRow(Host& host) {
    host.setIni("[Brindlecot]\nnearest_station=1\n");
    const NativeVec3 a = kStations[0].handOver, b = kStations[4].handOver;
    const Vec3 middle = {(a.x + b.x) / 2, (a.y + b.y) / 2, a.z};
    return arrestAndHandOver(host, offset(middle, 0, -10), 0, 30.0f);
}

}  // namespace

const std::vector<ScriptedRun>& stationRuns() {
    static_assert(kStationCount >= 7, "the runs below name the game's seven stations");
    static const std::vector<ScriptedRun> runs = {
        {"hand_over_at_mission_row", kCuffingTick, handOverAtStation<0>},
        {"hand_over_at_vespucci", kCuffingTick, handOverAtStation<1>},
        {"hand_over_at_rockford_hills", kCuffingTick, handOverAtStation<2>},
        {"hand_over_at_vinewood", kCuffingTick, handOverAtStation<3>},
        {"hand_over_at_davis", kCuffingTick, handOverAtStation<4>},
        {"hand_over_at_sandy_shores", kCuffingTick, handOverAtStation<5>},
        {"hand_over_at_paleto_bay", kCuffingTick, handOverAtStation<6>},
        {"paleto_bay_without_nearest_station", kCuffingTick, paletoBayWithoutNearestStation},
        {"half_way_takes_the_lower_row", kCuffingTick, halfWayTakesTheLowerRow},
    };
    return runs;
}

}  // namespace scenes
