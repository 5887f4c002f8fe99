// Brindlecot — beginning an arrest: refusals, taking the ped over, the busted pose.

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "hud/status.h"
#include "hud/texts.h"
#include "state.h"

// Mission ped, then combat on foot, then dead or dying, then combat in a vehicle. Writes the
// refusal text, if any, and answers whether the ped may be taken.
static bool passesRefusalTests(EntityHandle target) {
    if (isMissionEntity(target)) {
        if (g_arrest.settings.arrestMissionPed == 0) {
            setStatusText(TextId::MissionPed);
            return false;
        }
        makeScriptEntity(target);
    }
    if (isPedInCombat(target) && !isPedHurt(target) && !isPedInAnyVehicle(target)) {
        setStatusText(TextId::RefuseOnFoot);
        return false;
    }
    if (isPedDeadOrDying(target)) return false;  // turned away without a word
    if (isPedInAnyVehicle(target) && isPedInCombat(target)) {
        const EntityHandle vehicle = getCurrentVehicle(target);
        // Written so that a health that is not a number is refused too.
        if (!(getEngineHealth(vehicle) <= 600.0f)) {
            setStatusText(TextId::RefuseInVehicle);
            return false;
        }
    }
    return true;
}

// Asks the host once a frame until it reports the ped out of every vehicle, then gives him
// kStandUpMs to stand up. Gives up when the ped vanishes, dies or is still inside after
// kLeaveVehicleLimitMs: a ped who has not left by then never will on his own (stuck, locked in, or
// the vehicle keeps moving), and the script stands still while it waits, so the wait must end.
static bool waitUntilOutOfVehicle(EntityHandle ped) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!doesEntityExist(ped) || isPedDeadOrDying(ped)) return false;
        if (!isPedInAnyVehicle(ped)) break;
        if (msSince(start) >= kLeaveVehicleLimitMs) return false;
        scriptWait(1);
    }
    scriptWait(kStandUpMs);
    return true;
}

// Strips the clone of its group, tasks and nearly all of its senses.
static void configureSuspect(EntityHandle ped) {
    removePedFromGroup(ped);
    clearPedTasks(ped);
    clearPedTasksImmediately(ped);
    clearPedSecondaryTask(ped);
    setPedSeeingRange(ped, 0.1f);
    setPedHearingRange(ped, 0.1f);
    clearPedFleeAttributes(ped);
    enablePedCombatAttribute(ped, 17);
    enablePedCombatAttribute(ped, 46);
    setBlockingOfNonTemporaryEvents(ped, 1);
}

// Replaces the aimed-at ped by a clone the script owns, standing where he stands now. When the host
// makes no clone (no ped could be made), the original stays in the world: deleting him would lose
// the ped and leave nobody under arrest. The host deletes only its script's own entities, so the
// original is taken over first.
static void takeOver() {
    g_arrest.suspectPos = getEntityPosition(g_arrest.targetEntity);
    g_arrest.suspectPed = clonePed(g_arrest.targetEntity);
    if (g_arrest.suspectPed != 0) {
        takeOverEntity(g_arrest.targetEntity);
        deletePed(&g_arrest.targetEntity);
    }
    configureSuspect(g_arrest.suspectPed);
}

// The host loads a requested dictionary between frames, a cold one over several, and plays nothing
// from a dictionary it has not loaded. So the busted pose waits for its dictionary a frame at a time,
// for at most kStreamingLimitMs, and is then started, and once more kBustedPoseSecondMs later. The
// cuffing's two dictionaries are asked for now, so they are loaded by the time the player has
// walked up.
static void playBustedPose() {
    requestAnimDict(kAnimBusted.dictionary);
    const DWORD requested = GetTickCount();
    requestAnimDict(kAnimCuffed.dictionary);
    requestAnimDict(kAnimDrag.dictionary);
    while (!hasAnimDictLoaded(kAnimBusted.dictionary) && msSince(requested) < kStreamingLimitMs)
        scriptWait(0);
    playAnim(g_arrest.suspectPed, kAnimBusted, -1);
    scriptWait(kBustedPoseSecondMs);
    playAnim(g_arrest.suspectPed, kAnimBusted, -1);
}

void beginArrest() {
    // The aim query names vehicles and objects too; only a ped can be arrested.
    if (!isEntityAPed(g_arrest.targetEntity)) return;
    // The player may have changed the game's language since the last arrest.
    chooseLanguage();
    // Only a suspect this script took over is let go: a refused ped was never ours to release.
    if (doesEntityExist(g_arrest.suspectPed) && g_arrest.inCustody) releaseSuspect();
    g_arrest.suspectPed = g_arrest.targetEntity;
    const EntityHandle target = g_arrest.targetEntity;
    if (!passesRefusalTests(target)) return;

    if (isPedInAnyVehicle(target)) {
        leaveAnyVehicle(target);
        if (!waitUntilOutOfVehicle(target)) return;
    }

    g_arrest.inCustody = 1;
    takeOver();
    playBustedPose();
    setStatusText(TextId::GetClose);
    // The new arrest starts in the busted stage alone, whatever stage the last one was left in.
    g_arrest.isTransporting = 0;
    g_arrest.isEscorting = 0;
    g_arrest.awaitingCuffs = 1;
}
