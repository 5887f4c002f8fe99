// Brindlecot — transport to the precinct and the hand-over to an officer.

#include "arrest/transport.h"

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "hud/status.h"
#include "state.h"

static const char kOfficerModel[] = "s_m_y_cop_01";

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
    const ModelHash model = requestModel(kOfficerModel);
    awaitModel(model, GetTickCount());
    g_arrest.officerPed = spawnOfficer(hashModelName(kOfficerModel), kOfficerStart, kOfficerHeading);
    sendOfficerToPoint(g_arrest.officerPed, kOfficerWalkTarget, kOfficerWalkTimeoutMs);
    handBackKeepingTask(&g_arrest.officerPed);  // he walks on under the host's management
    scriptWait(kHandOverMs);
    leaveVehicle(g_arrest.suspectPed, g_arrest.playerVehicle);
    handBackKeepingTask(&g_arrest.suspectPed);
    setStatusMessage(kStatusEmpty);
    releaseSuspect();
}

void transportStep() {
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    drawPrecinctMarker(kPrecinctMarker);
    if (distanceBetween(kPrecinctPoint, g_arrest.suspectPos) < kDeliveryRadius) deliverAtPrecinct();
}
