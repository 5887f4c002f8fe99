// Brindlecot — cuffing: the second press decides between cuffs, resistance and nothing.

#include <cstdlib>

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "host/natives.h"
#include "hud/status.h"
#include "state.h"

static void setHandcuffs(EntityHandle ped) { callNative(kNativeSetEnableHandcuffs, slotInt(ped), slotInt(1)); }

// Handcuffs on; the escort begins.
static void cuffSuspect() {
    const EntityHandle suspect = g_arrest.suspectPed;
    clearPedTasks(suspect);
    clearPedTasksImmediately(suspect);
    clearPedSecondaryTask(suspect);
    followPlayer(suspect, g_arrest.playerPed, 0.0f, 0.0f);
    requestAnimDict(kAnimDictCuffed);
    playAnim(suspect, kAnimDictCuffed, "back_to_default", -1);
    setHandcuffs(suspect);

    g_arrest.isEscorting = 1;
    g_arrest.awaitingCuffs = 0;
    setStatusMessage(kStatusEscort);

    requestAnimDict(kAnimDictDrag);
    playAnim(g_arrest.playerPed, kAnimDictDrag, "injured_pickup_90_plyr", 800);
}

void tryCuffSuspect() {
    g_arrest.playerPos = getEntityPosition(g_arrest.playerPed);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    if (!(distanceBetween(g_arrest.suspectPos, g_arrest.playerPos) < kCuffRadius)) return;

    if (std::rand() % 100 < kResistChancePercent) {
        releaseSuspect();
        setStatusMessage(kStatusResisting);  // after the release, which empties the line
        return;
    }
    cuffSuspect();
}
