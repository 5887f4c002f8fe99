// Brindlecot — transport to the precinct and the hand-over to an officer.

#include "arrest/arrest.h"
#include "arrest/custody.h"
#include "arrest/tuning.h"
#include "host/natives.h"
#include "hud/status.h"
#include "state.h"

static const char kOfficerModel[] = "s_m_y_cop_01";

// A yellow cone at the precinct point, drawn for one frame. The host draws it with depth, so it
// must stand above the road to be seen.
static void drawPrecinctMarker() {
    const WorldPoint& at = kPrecinctMarker;
    callNative(kNativeDrawMarker, slotInt(2), slotFloat(at.x), slotFloat(at.y), slotFloat(at.z), slotFloat(0.0f),
               slotFloat(0.0f), slotFloat(0.0f), slotFloat(180.0f), slotFloat(0.0f), slotFloat(0.0f), slotFloat(0.5f),
               slotFloat(0.5f), slotFloat(0.5f), slotInt(204), slotInt(204), slotInt(0), slotInt(100), slotInt(0),
               slotInt(1), slotInt(2), slotInt(0), slotText(nullptr), slotText(nullptr), slotInt(0));
}

static ModelHash hashModelName(const char* name) {
    return static_cast<ModelHash>(resultInt(callNative(kNativeGetHashKey, slotText(name))));
}

static bool hasModelLoaded(ModelHash model) {
    return resultBool(callNative(kNativeHasModelLoaded, slotInt(static_cast<int32_t>(model))));
}

static void requestModel(ModelHash model) { callNative(kNativeRequestModel, slotInt(static_cast<int32_t>(model))); }

// Asks the host to load the officer's model unless it has it; answers the model's hash.
static ModelHash requestOfficerModel() {
    const ModelHash model = hashModelName(kOfficerModel);
    if (!hasModelLoaded(model)) requestModel(hashModelName(kOfficerModel));
    return model;
}

static EntityHandle spawnOfficer(ModelHash model) {
    const WorldPoint& at = kOfficerStart;
    return resultInt(callNative(kNativeCreatePed, slotInt(2), slotInt(static_cast<int32_t>(model)), slotFloat(at.x),
                                slotFloat(at.y), slotFloat(at.z), slotFloat(kOfficerHeading), slotInt(0), slotInt(1)));
}

static void sendOfficerToPoint(EntityHandle officer) {
    const WorldPoint& to = kOfficerWalkTarget;
    callNative(kNativeTaskGoStraightToCoord, slotInt(officer), slotFloat(to.x), slotFloat(to.y), slotFloat(to.z),
               slotFloat(1.0f), slotInt(kOfficerWalkTimeoutMs), slotFloat(0.0f), slotFloat(0.0f));
}

static void leaveVehicle(EntityHandle ped, EntityHandle vehicle) {
    callNative(kNativeTaskLeaveVehicle, slotInt(ped), slotInt(vehicle), slotInt(0));
}

// The host streams a model in over many frames: asked for when the suspect boards, it is there by
// the time he reaches the precinct.
void prepareDelivery() { requestOfficerModel(); }

static void deliverAtPrecinct();

void transportStep() {
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    drawPrecinctMarker();
    const NativeVec3& suspect = g_arrest.suspectPos;
    if (distanceBetween(kPrecinctPoint.x, kPrecinctPoint.y, kPrecinctPoint.z, suspect.x, suspect.y, suspect.z) <
        kDeliveryRadius) {
        deliverAtPrecinct();
    }
}

// Waits a frame at a time for the officer's model, for at most kStreamingLimitMs after `since`. The
// host creates no ped from a model it has not loaded; the delivery goes on without him then.
static void awaitModel(ModelHash model, DWORD since) {
    scriptWait(kOfficerModelWaitMs);
    while (!hasModelLoaded(model) && msSince(since) < kStreamingLimitMs)
        scriptWait(0);
}

// An officer walks up; six seconds later the suspect gets out and is handed back to the host, which
// clears his handle, and the arrest ends. The whole script stands still during the waits.
static void deliverAtPrecinct() {
    const ModelHash model = requestOfficerModel();
    awaitModel(model, GetTickCount());
    g_arrest.copPed = spawnOfficer(hashModelName(kOfficerModel));
    sendOfficerToPoint(g_arrest.copPed);
    handBackKeepingTask(&g_arrest.copPed);  // he walks on under the host's management
    scriptWait(kHandOverMs);
    leaveVehicle(g_arrest.suspectPed, g_arrest.playerVehicle);
    handBackKeepingTask(&g_arrest.suspectPed);
    setStatusMessage(kStatusEmpty);
    releaseSuspect();
}
