// Brindlecot — transport to the precinct and the hand-over to an officer.
//
//   [SECTION] Natives of this stage
//   [SECTION] Transport step
//   [SECTION] Delivery

#include "arrest/arrest.h"
#include "arrest/custody.h"
#include "arrest/state.h"
#include "host/natives.h"
#include "hud/status.h"

constexpr float kDeliveryRadius = 5.0f;  // suspect to precinct point, strictly closer
static const char kOfficerModel[] = "s_m_y_cop_01";

//-----------------------------------------------------------------------------
// [SECTION] Natives of this stage
//-----------------------------------------------------------------------------

// A yellow cone on the ground below the precinct point, drawn for one frame.
static void drawPrecinctMarker() {
    callNative(kNativeDrawMarker, slotInt(2), slotFloat(477.0f), slotFloat(-1023.0f), slotFloat(20.0f), slotFloat(0.0f),
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

static EntityHandle spawnOfficer(ModelHash model) {
    return resultInt(callNative(kNativeCreatePed, slotInt(2), slotInt(static_cast<int32_t>(model)), slotFloat(468.0f),
                                slotFloat(-1021.0f), slotFloat(28.0f), slotFloat(180.0f), slotInt(0), slotInt(1)));
}

static void sendOfficerToPoint(EntityHandle officer) {
    callNative(kNativeTaskGoStraightToCoord, slotInt(officer), slotFloat(481.0f), slotFloat(-1023.0f), slotFloat(28.0f),
               slotFloat(1.0f), slotInt(10000), slotFloat(0.0f), slotFloat(0.0f));
}

static void leaveVehicle(EntityHandle ped, EntityHandle vehicle) {
    callNative(kNativeTaskLeaveVehicle, slotInt(ped), slotInt(vehicle), slotInt(0));
}

//-----------------------------------------------------------------------------
// [SECTION] Transport step
//-----------------------------------------------------------------------------

void transportStep() {
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    drawPrecinctMarker();
    const NativeVec3& suspect = g_arrest.suspectPos;
    if (distanceBetween(kPrecinctPoint.x, kPrecinctPoint.y, kPrecinctPoint.z, suspect.x, suspect.y, suspect.z) <
        kDeliveryRadius) {
        deliverAtPrecinct();
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Delivery
//-----------------------------------------------------------------------------

// An officer walks up; six seconds later the suspect gets out and the arrest ends. The whole
// script stands still during the two waits.
void deliverAtPrecinct() {
    if (!hasModelLoaded(hashModelName(kOfficerModel))) requestModel(hashModelName(kOfficerModel));
    scriptWait(1);
    g_arrest.copPed = spawnOfficer(hashModelName(kOfficerModel));
    sendOfficerToPoint(g_arrest.copPed);
    handBackKeepingTask(&g_arrest.copPed);  // he walks on under the host's management
    scriptWait(6000);
    leaveVehicle(g_arrest.suspectPed, g_arrest.playerVehicle);
    handBackKeepingTask(&g_arrest.suspectPed);
    setStatusMessage(kStatusEmpty);
    releaseSuspect();
}
