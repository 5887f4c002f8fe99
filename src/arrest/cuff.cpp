// Brindlecot — cuffing: the second press decides between cuffs, resistance and nothing.

#include <cstdlib>

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "hud/status.h"
#include "state.h"

// Handcuffs on; the escort begins.
static void cuffSuspect() {
    const EntityHandle suspect = g_arrest.suspectPed;
    clearPedTasks(suspect);
    clearPedTasksImmediately(suspect);
    clearPedSecondaryTask(suspect);
    followPlayer(suspect, g_arrest.playerPed, 0.0f, 0.0f);
    requestAnimDict(kAnimCuffed.dictionary);
    playAnim(suspect, kAnimCuffed, -1);
    setHandcuffs(suspect);

    g_arrest.isEscorting = 1;
    g_arrest.awaitingCuffs = 0;
    setStatusText(TextId::Escort);

    requestAnimDict(kAnimDrag.dictionary);
    playAnim(g_arrest.playerPed, kAnimDrag, 800);
}

void tryCuffSuspect() {
    g_arrest.playerPos = getEntityPosition(g_arrest.playerPed);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    if (!(distanceBetween(g_arrest.suspectPos, g_arrest.playerPos) < kCuffRadius)) return;

    if (std::rand() % 100 < kResistChancePercent) {
        releaseSuspect();
        setStatusText(TextId::Resisting);  // after the release, which empties the line
        return;
    }
    cuffSuspect();
}
