// Brindlecot — the values a modder tunes, in one place.
//
// Everything at the precinct is placed relative to kPrecinctPoint: move the point and the map
// waypoint, the ground marker, the officer's start and his walk target move with it. Distances are
// in metres, three-dimensional; waits in milliseconds, during which the script stands still.

#pragma once

#include <cstdint>

#include "host/natives.h"

constexpr NativeVec3 kPrecinctPoint =
    worldPoint(477.0f, -1023.0f, 28.0f);                // the hand-over point; the waypoint takes x, y
constexpr NativeVec3 kPrecinctMarker = kPrecinctPoint;  // about a metre above the road (z 27.0 there)
constexpr NativeVec3 kOfficerStart = offsetFrom(kPrecinctPoint, -9.0f, 2.0f, 0.0f);      // where he appears
constexpr float kOfficerHeading = 180.0f;                                                // degrees, facing south
constexpr NativeVec3 kOfficerWalkTarget = offsetFrom(kPrecinctPoint, 4.0f, 0.0f, 0.0f);  // where he walks to

constexpr float kCuffRadius = 2.0f;      // player to suspect: cuff only when strictly closer
constexpr float kBoardingRadius = 5.0f;  // vehicle to suspect: board only when strictly closer
constexpr float kDeliveryRadius = 5.0f;  // precinct point to suspect: deliver only when strictly closer
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
constexpr int32_t kOfficerWalkTimeoutMs = 10000;   // the officer gives up walking after this
