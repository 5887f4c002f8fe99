// Brindlecot — beginning an arrest: refusals, taking the ped over, the busted pose.

#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "host/natives.h"
#include "hud/status.h"
#include "state.h"

static const char kBustedAnim[] = "idle_c";

static bool isMissionEntity(EntityHandle entity) {
    return resultBool(callNative(kNativeIsEntityAMissionEntity, slotInt(entity)));
}

// Makes the entity this script's, unless a mission of the host holds it.
static void makeScriptEntity(EntityHandle entity) {
    callNative(kNativeSetEntityAsMissionEntity, slotInt(entity), slotInt(0), slotInt(0));
}

// Makes the entity this script's even when a mission of the host holds it, so it can be deleted.
static void takeOverEntity(EntityHandle entity) {
    callNative(kNativeSetEntityAsMissionEntity, slotInt(entity), slotInt(0), slotInt(1));
}

static bool isPedHurt(EntityHandle ped) { return resultBool(callNative(kNativeIsPedHurt, slotInt(ped))); }

static float getEngineHealth(EntityHandle vehicle) {
    return resultFloat(callNative(kNativeGetVehicleEngineHealth, slotInt(vehicle)));
}

static void leaveAnyVehicle(EntityHandle ped) {
    callNative(kNativeTaskLeaveAnyVehicle, slotInt(ped), slotInt(1), slotInt(1));
}

// The clone stands where the original stands: not networked, this script's, same appearance.
static EntityHandle clonePed(EntityHandle ped) {
    return resultInt(callNative(kNativeClonePed, slotInt(ped), slotInt(0), slotInt(1), slotInt(1)));
}

// Removes only a mission entity of this script; the host writes 0 through the address.
static void deletePed(EntityHandle* ped) { callNative(kNativeDeletePed, slotAddress(ped)); }

static void removePedFromGroup(EntityHandle ped) { callNative(kNativeRemovePedFromGroup, slotInt(ped)); }

static void setPedSeeingRange(EntityHandle ped, float range) {
    callNative(kNativeSetPedSeeingRange, slotInt(ped), slotFloat(range));
}

static void setPedHearingRange(EntityHandle ped, float range) {
    callNative(kNativeSetPedHearingRange, slotInt(ped), slotFloat(range));
}

static void clearPedFleeAttributes(EntityHandle ped) {
    callNative(kNativeSetPedFleeAttributes, slotInt(ped), slotInt(0), slotInt(0));
}

static void enablePedCombatAttribute(EntityHandle ped, int32_t attribute) {
    callNative(kNativeSetPedCombatAttributes, slotInt(ped), slotInt(attribute), slotInt(1));
}

// Mission ped, then combat on foot, then dead or dying, then combat in a vehicle. Writes the
// refusal text, if any, and answers whether the ped may be taken.
static bool passesRefusalTests(EntityHandle target) {
    if (isMissionEntity(target)) {
        if (g_arrest.settings.arrestMissionPed == 0) {
            setStatusMessage(kStatusMissionPed);
            return false;
        }
        makeScriptEntity(target);
    }
    if (isPedInCombat(target) && !isPedHurt(target) && !isPedInAnyVehicle(target)) {
        setStatusMessage(kStatusRefuseOnFoot);
        return false;
    }
    if (isPedDeadOrDying(target)) return false;  // turned away without a word
    if (isPedInAnyVehicle(target) && isPedInCombat(target)) {
        const EntityHandle vehicle = getVehiclePedIsIn(target, 0);
        // Written so that a health that is not a number is refused too.
        if (!(getEngineHealth(vehicle) <= 600.0f)) {
            setStatusMessage(kStatusRefuseInVehicle);
            return false;
        }
    }
    return true;
}

// Polls every millisecond until the host reports the ped out of every vehicle, then gives him a
// second to stand up. Gives up when the ped vanishes, dies or is still inside after the limit: a
// ped who has not left by then never will on his own (stuck, locked in, or the vehicle keeps
// moving), and the script stands still while it waits, so the wait must end.
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
// makes no clone (the aimed-at entity is a vehicle or an object, or no ped could be made), the
// original stays in the world: deleting it would lose the player's car or whatever he aimed at.
// The host deletes only its script's own entities, so the original is taken over first.
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
// for at most kStreamingLimitMs, and is then started, and once more a moment later. The cuffing's
// two dictionaries are asked for now, so they are loaded by the time the player has walked up.
static void playBustedPose() {
    requestAnimDict(kAnimDictBusted);
    const DWORD requested = GetTickCount();
    requestAnimDict(kAnimDictCuffed);
    requestAnimDict(kAnimDictDrag);
    while (!hasAnimDictLoaded(kAnimDictBusted) && msSince(requested) < kStreamingLimitMs)
        scriptWait(0);
    playAnim(g_arrest.suspectPed, kAnimDictBusted, kBustedAnim, -1);
    scriptWait(kBustedPoseSecondMs);
    playAnim(g_arrest.suspectPed, kAnimDictBusted, kBustedAnim, -1);
}

void beginArrest() {
    // The aim query names vehicles and objects too; only a ped can be arrested.
    if (!isEntityAPed(g_arrest.targetEntity)) return;
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
    setStatusMessage(kStatusGetClose);
    // The new arrest starts in the busted stage alone, whatever stage the last one was left in.
    g_arrest.isTransporting = 0;
    g_arrest.isEscorting = 0;
    g_arrest.awaitingCuffs = 1;
}
