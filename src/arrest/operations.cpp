// Brindlecot — operations shared by the arrest stages, and the release that ends every arrest.

#include "arrest/arrest.h"
#include "hud/status.h"
#include "state.h"

uint32_t msSince(DWORD start) { return static_cast<uint32_t>(GetTickCount() - start); }

void requestAnimDict(const char* dictionary) {
    if (!hasAnimDictLoaded(dictionary)) requestAnimDictLoad(dictionary);
}

// The name is hashed anew for the request, as at every use.
ModelHash requestModel(const char* name) {
    const ModelHash model = hashModelName(name);
    if (!hasModelLoaded(model)) requestModelLoad(hashModelName(name));
    return model;
}

void handBackKeepingTask(EntityHandle* ped) {
    keepPedTask(*ped);
    handBackPed(ped);
}

// Lets the suspect go whatever the stage: no guard, the host ignores requests on handles that name
// nothing, and a second call in a row leaves the same state.
void releaseSuspect() {
    stopAnim(g_arrest.suspectPed, kAnimCuffed);
    stopAnim(g_arrest.suspectPed, kAnimBusted);
    setBlockingOfNonTemporaryEvents(g_arrest.suspectPed, 0);
    fleeFromPlayer(g_arrest.suspectPed, g_arrest.playerPed);
    handBackKeepingTask(&g_arrest.suspectPed);  // still fleeing once the host has him
    g_arrest.isTransporting = 0;
    g_arrest.awaitingCuffs = 0;
    g_arrest.isEscorting = 0;
    g_arrest.inCustody = 0;
    setStatusMessage(kStatusEmpty);
}
