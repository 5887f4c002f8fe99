// Brindlecot — the values a modder tunes, in one place.
//
// Distances are in metres, three-dimensional; waits in milliseconds, during which the script stands
// still; headings in degrees, 0 north, 90 west.

#pragma once

#include <cstdint>
#include <iterator>

#include "host/natives.h"

// A police station the suspect can be handed over at.
struct Station {
    const char* name;
    NativeVec3 handOver;           // the car stops, the marker stands: a metre above the road; the waypoint takes x, y
    NativeVec3 officerStart;       // where the officer appears
    float officerHeading;          // facing the car
    NativeVec3 officerWalkTarget;  // where he walks to
};

// Mission Row, row 0 below, is placed relative to kPrecinctPoint: move the point and its waypoint,
// marker, officer's start and walk target move with it.
constexpr NativeVec3 kPrecinctPoint = worldPoint(477.0f, -1023.0f, 28.0f);  // about a metre above the road (z 27.0)
constexpr NativeVec3 kOfficerStart = offsetFrom(kPrecinctPoint, -9.0f, 2.0f, 0.0f);
constexpr float kOfficerHeading = 180.0f;  // facing south
constexpr NativeVec3 kOfficerWalkTarget = offsetFrom(kPrecinctPoint, 4.0f, 0.0f, 0.0f);

// The game's seven police stations. Row 0 is where every hand-over happens while nearest_station is
// off; with it on, the boarding picks the row whose hand-over point is nearest on the map. A modder
// adds a station by adding a row. Only row 0 has been tried in the game: the others stand at the
// game's own police restart points (the officer, in front of the door, one metre up) and on the
// road node nearest to them (the hand-over point, one metre above the road). The officer walks to a
// point 2.5 m short of the hand-over point, on his side, and stops beside the car standing there.
constexpr Station kStations[] = {
    {"Mission Row", kPrecinctPoint, kOfficerStart, kOfficerHeading, kOfficerWalkTarget},
    {"Vespucci", worldPoint(-1109.75f, -787.25f, 18.56f), worldPoint(-1093.89f, -807.08f, 19.26f), 38.6f,
     worldPoint(-1108.19f, -789.20f, 18.63f)},
    {"Rockford Hills", worldPoint(-556.5f, -145.4f, 38.2f), worldPoint(-560.57f, -132.78f, 38.06f), 197.9f,
     worldPoint(-557.27f, -143.02f, 38.17f)},
    {"Vinewood", worldPoint(641.75f, -4.25f, 82.78f), worldPoint(639.18f, 1.77f, 82.79f), 203.1f,
     worldPoint(640.77f, -1.95f, 82.78f)},
    {"Davis", worldPoint(388.5f, -1620.0f, 29.28f), worldPoint(382.0f, -1625.0f, 29.28f), 307.6f,
     worldPoint(386.52f, -1621.52f, 29.28f)},
    {"Sandy Shores", worldPoint(1870.0f, 3693.8f, 33.6f), worldPoint(1856.35f, 3682.06f, 34.27f), 310.7f,
     worldPoint(1868.10f, 3692.17f, 33.69f)},
    {"Paleto Bay", worldPoint(-447.75f, 6033.5f, 31.31f), worldPoint(-440.74f, 6019.89f, 31.49f), 27.2f,
     worldPoint(-446.61f, 6031.28f, 31.34f)},
};
constexpr int32_t kStationCount = static_cast<int32_t>(std::size(kStations));
static_assert(kStationCount >= 1, "the hand-over needs at least one station");

constexpr float kCuffRadius = 2.0f;      // player to suspect: cuff only when strictly closer
constexpr float kBoardingRadius = 5.0f;  // vehicle to suspect: board only when strictly closer
constexpr float kDeliveryRadius = 5.0f;  // hand-over point to suspect: deliver only when strictly closer
constexpr float kLeashLength = 50.0f;    // player to suspect: strictly farther lets him go

constexpr int kResistChancePercent = 15;  // this many draws of 100 (rand() % 100 below it) resist the cuffs

// Waits and time limits
constexpr uint32_t kStandUpMs = 1000;              // after the ped is out of his vehicle, before the clone
constexpr uint32_t kLeaveVehicleLimitMs = 10000;   // a ped still inside by then never gets out: give up
constexpr uint32_t kStreamingLimitMs = 1000;       // longest wait for a dictionary or a model to load
constexpr uint32_t kBustedPoseSecondMs = 5;        // before the pose is started once more
constexpr uint32_t kOfficerModelWaitMs = 1;        // the first wait for the officer's model at delivery
constexpr uint32_t kHandOverMs = 6000;             // the officer walks up; the suspect waits in the car
constexpr int32_t kEnterVehicleTimeoutMs = 10000;  // the suspect gives up getting in after this
constexpr uint32_t kSeatForcedAfterMs = 10000;     // not sitting in the car by then, he is put into his seat
constexpr int32_t kOfficerWalkTimeoutMs = 10000;   // the officer gives up walking after this
