// Brindlecot — operations shared by the arrest stages, and the release that ends every arrest.

#include "arrest/arrest.h"
#include "host/natives.h"
#include "hud/status.h"
#include "state.h"

uint32_t msSince(DWORD start) { return static_cast<uint32_t>(GetTickCount() - start); }

bool hasAnimDictLoaded(const char* dictionary) {
    return resultBool(callNative(kNativeHasAnimDictLoaded, slotText(dictionary)));
}

static void requestAnimDictLoad(const char* dictionary) { callNative(kNativeRequestAnimDict, slotText(dictionary)); }

// Asks the host to load the dictionary unless it has it; never waits for the load.
void requestAnimDict(const char* dictionary) {
    if (!hasAnimDictLoaded(dictionary)) requestAnimDictLoad(dictionary);
}

void playAnim(EntityHandle ped, const char* dictionary, const char* name, int32_t duration) {
    callNative(kNativeTaskPlayAnim, slotInt(ped), slotText(dictionary), slotText(name), slotFloat(2.0f),
               slotFloat(1.0f), slotInt(duration), slotInt(54), slotFloat(0.0f), slotInt(0), slotInt(0), slotInt(0));
}

// The host names the animation before its dictionary here, the reverse of playAnim.
static void stopAnim(EntityHandle ped, const char* name, const char* dictionary) {
    callNative(kNativeStopEntityAnim, slotInt(ped), slotText(name), slotText(dictionary), slotFloat(0.0f));
}

// Three-dimensional: the final 1 makes the host include the height difference.
float distanceBetween(float x1, float y1, float z1, float x2, float y2, float z2) {
    return resultFloat(callNative(kNativeGetDistanceBetweenCoords, slotFloat(x1), slotFloat(y1), slotFloat(z1),
                                  slotFloat(x2), slotFloat(y2), slotFloat(z2), slotInt(1)));
}

void followPlayer(EntityHandle ped, EntityHandle leader, float offsetX, float offsetY) {
    callNative(kNativeTaskFollowToOffsetOfEntity, slotInt(ped), slotInt(leader), slotFloat(offsetX), slotFloat(offsetY),
               slotFloat(0.0f), slotFloat(1.0f), slotInt(1000), slotFloat(1.0f), slotInt(1));
}

static void fleeFromPlayer(EntityHandle ped, EntityHandle player) {
    callNative(kNativeTaskSmartFleePed, slotInt(ped), slotInt(player), slotFloat(200.0f), slotInt(-1), slotInt(1),
               slotInt(1));
}

// Lets the suspect go whatever the stage: no guard, the host ignores requests on handles that name
// nothing, and a second call in a row leaves the same state.
void releaseSuspect() {
    stopAnim(g_arrest.suspectPed, "back_to_default", kAnimDictCuffed);
    stopAnim(g_arrest.suspectPed, "idle_c", kAnimDictBusted);
    setBlockingOfNonTemporaryEvents(g_arrest.suspectPed, 0);
    fleeFromPlayer(g_arrest.suspectPed, g_arrest.playerPed);
    handBackKeepingTask(&g_arrest.suspectPed);  // still fleeing once the host has him
    g_arrest.isTransporting = 0;
    g_arrest.awaitingCuffs = 0;
    g_arrest.isEscorting = 0;
    g_arrest.inCustody = 0;
    setStatusMessage(kStatusEmpty);
}
