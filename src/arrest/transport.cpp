// Brindlecot — transport to the station and the hand-over to an officer.

#include "arrest/transport.h"

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "hud/status.h"
#include "state.h"

static const char kOfficerModel[] = "s_m_y_cop_01";

int32_t nearestStationTo(const NativeVec3& from) {
    int32_t nearest = 0;
    double nearestSquared = 0;
    for (int32_t row = 0; row < kStationCount; ++row) {
        const double dx = static_cast<double>(kStations[row].handOver.x) - static_cast<double>(from.x);
        const double dy = static_cast<double>(kStations[row].handOver.y) - static_cast<double>(from.y);
        const double squared = dx * dx + dy * dy;
        if (row == 0 || squared < nearestSquared) {
            nearest = row;
            nearestSquared = squared;
        }
    }
    return nearest;
}

// The host streams a model in over many frames: asked for when the suspect boards, it is there by
// the time he reaches the precinct.
void prepareDelivery() { requestModel(kOfficerModel); }

// Waits a frame at a time for the officer's model, for at most kStreamingLimitMs after `since`. The
// host creates no ped from a model it has not loaded; the delivery goes on without him then.
static void awaitModel(ModelHash model, DWORD since) {
    scriptWait(kOfficerModelWaitMs);
    while (!hasModelLoaded(model) && msSince(since) < kStreamingLimitMs)
        scriptWait(0);
}

// An officer walks up; kHandOverMs later the suspect gets out and is handed back to the host, which
// clears his handle, and the arrest ends. The whole script stands still during the waits.
static void deliverAtPrecinct() {
    const Station& station = kStations[g_arrest.station];
    const ModelHash model = requestModel(kOfficerModel);
    awaitModel(model, GetTickCount());
    g_arrest.officerPed = spawnOfficer(hashModelName(kOfficerModel), station.officerStart, station.officerHeading);
    sendOfficerToPoint(g_arrest.officerPed, station.officerWalkTarget, kOfficerWalkTimeoutMs);
    handBackKeepingTask(&g_arrest.officerPed);  // he walks on under the host's management
    scriptWait(kHandOverMs);
    leaveVehicle(g_arrest.suspectPed, g_arrest.playerVehicle);
    handBackKeepingTask(&g_arrest.suspectPed);
    setStatusMessage(kStatusEmpty);
    releaseSuspect();
}

void transportStep() {
    const NativeVec3& handOver = kStations[g_arrest.station].handOver;
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    drawPrecinctMarker(handOver);
    if (distanceBetween(handOver, g_arrest.suspectPos) < kDeliveryRadius) deliverAtPrecinct();
}
