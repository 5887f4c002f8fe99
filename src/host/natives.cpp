// Brindlecot — every native the plugin calls, one typed operation each, in the reference's groups.

#include "host/natives.h"

#include "host/native_call.h"

// PLAYER

EntityHandle getPlayerPed() { return resultInt(callNative(kNativePlayerPedId)); }

int32_t getPlayerIndex() { return resultInt(callNative(kNativeGetPlayerIndex)); }

bool queryAimedEntity(int32_t playerIndex, EntityHandle* target) {
    return resultBool(callNative(kNativeGetEntityPlayerIsFreeAimingAt, slotInt(playerIndex), slotAddress(target)));
}

// ENTITY

bool doesEntityExist(EntityHandle entity) { return resultBool(callNative(kNativeDoesEntityExist, slotInt(entity))); }

bool isEntityAPed(EntityHandle entity) { return resultBool(callNative(kNativeIsEntityAPed, slotInt(entity))); }

NativeVec3 getEntityPosition(EntityHandle entity) {
    return resultVec3(callNative(kNativeGetEntityCoords, slotInt(entity), slotInt(1)));
}

bool isMissionEntity(EntityHandle entity) {
    return resultBool(callNative(kNativeIsEntityAMissionEntity, slotInt(entity)));
}

void makeScriptEntity(EntityHandle entity) {
    callNative(kNativeSetEntityAsMissionEntity, slotInt(entity), slotInt(0), slotInt(0));
}

void takeOverEntity(EntityHandle entity) {
    callNative(kNativeSetEntityAsMissionEntity, slotInt(entity), slotInt(0), slotInt(1));
}

void handBackPed(EntityHandle* ped) { callNative(kNativeSetPedAsNoLongerNeeded, slotAddress(ped)); }

// The host names the animation before its dictionary here, the reverse of playAnim.
void stopAnim(EntityHandle ped, const AnimClip& anim) {
    callNative(kNativeStopEntityAnim, slotInt(ped), slotText(anim.name), slotText(anim.dictionary), slotFloat(0.0f));
}

// PED

bool isPedInCombat(EntityHandle ped) { return resultBool(callNative(kNativeIsPedInCombat, slotInt(ped), slotInt(0))); }

bool isPedHurt(EntityHandle ped) { return resultBool(callNative(kNativeIsPedHurt, slotInt(ped))); }

bool isPedInAnyVehicle(EntityHandle ped) {
    return resultBool(callNative(kNativeIsPedInAnyVehicle, slotInt(ped), slotInt(1)));
}

bool isPedDeadOrDying(EntityHandle ped) {
    return resultBool(callNative(kNativeIsPedDeadOrDying, slotInt(ped), slotInt(0)));
}

EntityHandle getCurrentVehicle(EntityHandle ped) {
    return resultInt(callNative(kNativeGetVehiclePedIsIn, slotInt(ped), slotInt(0)));
}

EntityHandle getLastVehicle(EntityHandle ped) {
    return resultInt(callNative(kNativeGetVehiclePedIsIn, slotInt(ped), slotInt(1)));
}

// atGetIn false: only once he sits, the door about to close.
bool isPedSeatedIn(EntityHandle ped, EntityHandle vehicle) {
    return resultBool(callNative(kNativeIsPedInVehicle, slotInt(ped), slotInt(vehicle), slotInt(0)));
}

void putPedIntoVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat) {
    callNative(kNativeSetPedIntoVehicle, slotInt(ped), slotInt(vehicle), slotInt(seat));
}

// Not networked, owned by this script, copying the original's appearance.
EntityHandle clonePed(EntityHandle ped) {
    return resultInt(callNative(kNativeClonePed, slotInt(ped), slotInt(0), slotInt(1), slotInt(1)));
}

void deletePed(EntityHandle* ped) { callNative(kNativeDeletePed, slotAddress(ped)); }

// Ped type 2; not networked, owned by this script.
EntityHandle spawnOfficer(ModelHash model, const NativeVec3& at, float heading) {
    return resultInt(callNative(kNativeCreatePed, slotInt(2), slotInt(static_cast<int32_t>(model)), slotFloat(at.x),
                                slotFloat(at.y), slotFloat(at.z), slotFloat(heading), slotInt(0), slotInt(1)));
}

void removePedFromGroup(EntityHandle ped) { callNative(kNativeRemovePedFromGroup, slotInt(ped)); }

void setPedSeeingRange(EntityHandle ped, float range) {
    callNative(kNativeSetPedSeeingRange, slotInt(ped), slotFloat(range));
}

void setPedHearingRange(EntityHandle ped, float range) {
    callNative(kNativeSetPedHearingRange, slotInt(ped), slotFloat(range));
}

void clearPedFleeAttributes(EntityHandle ped) {
    callNative(kNativeSetPedFleeAttributes, slotInt(ped), slotInt(0), slotInt(0));
}

void enablePedCombatAttribute(EntityHandle ped, int32_t attribute) {
    callNative(kNativeSetPedCombatAttributes, slotInt(ped), slotInt(attribute), slotInt(1));
}

void keepPedTask(EntityHandle ped) { callNative(kNativeSetPedKeepTask, slotInt(ped), slotInt(1)); }

void setHandcuffs(EntityHandle ped) { callNative(kNativeSetEnableHandcuffs, slotInt(ped), slotInt(1)); }

// TASK

void clearPedTasks(EntityHandle ped) { callNative(kNativeClearPedTasks, slotInt(ped)); }

void clearPedTasksImmediately(EntityHandle ped) { callNative(kNativeClearPedTasksImmediately, slotInt(ped)); }

void clearPedSecondaryTask(EntityHandle ped) { callNative(kNativeClearPedSecondaryTask, slotInt(ped)); }

void setBlockingOfNonTemporaryEvents(EntityHandle ped, int32_t blocked) {
    callNative(kNativeTaskSetBlockingOfNonTemporaryEvents, slotInt(ped), slotInt(blocked));
}

void leaveAnyVehicle(EntityHandle ped) { callNative(kNativeTaskLeaveAnyVehicle, slotInt(ped), slotInt(1), slotInt(1)); }

// Blend in 2.0, out 1.0, flags 54, rate 0.0, no axis locked.
void playAnim(EntityHandle ped, const AnimClip& anim, int32_t duration) {
    callNative(kNativeTaskPlayAnim, slotInt(ped), slotText(anim.dictionary), slotText(anim.name), slotFloat(2.0f),
               slotFloat(1.0f), slotInt(duration), slotInt(54), slotFloat(0.0f), slotInt(0), slotInt(0), slotInt(0));
}

// 200 m away, for as long as it takes, on pavements, from the nearest hated ped as well.
void fleeFromPlayer(EntityHandle ped, EntityHandle player) {
    callNative(kNativeTaskSmartFleePed, slotInt(ped), slotInt(player), slotFloat(200.0f), slotInt(-1), slotInt(1),
               slotInt(1));
}

// At walking speed, no height offset, time limit 1000, stopping within a metre, following on.
void followPlayer(EntityHandle ped, EntityHandle leader, float offsetX, float offsetY) {
    callNative(kNativeTaskFollowToOffsetOfEntity, slotInt(ped), slotInt(leader), slotFloat(offsetX), slotFloat(offsetY),
               slotFloat(0.0f), slotFloat(1.0f), slotInt(1000), slotFloat(1.0f), slotInt(1));
}

// Speed 1.2; no entry clipset (the null text) and the last argument 0, as the current build takes it.
void enterVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat, int32_t giveUpMs) {
    callNative(kNativeTaskEnterVehicle, slotInt(ped), slotInt(vehicle), slotInt(giveUpMs), slotInt(seat),
               slotFloat(1.2f), slotInt(0), slotText(nullptr), slotInt(0));
}

void leaveVehicle(EntityHandle ped, EntityHandle vehicle) {
    callNative(kNativeTaskLeaveVehicle, slotInt(ped), slotInt(vehicle), slotInt(0));
}

// At walking speed, no final heading.
void sendOfficerToPoint(EntityHandle officer, const NativeVec3& to, int32_t giveUpMs) {
    callNative(kNativeTaskGoStraightToCoord, slotInt(officer), slotFloat(to.x), slotFloat(to.y), slotFloat(to.z),
               slotFloat(1.0f), slotInt(giveUpMs), slotFloat(0.0f), slotFloat(0.0f));
}

// VEHICLE

float getEngineHealth(EntityHandle vehicle) {
    return resultFloat(callNative(kNativeGetVehicleEngineHealth, slotInt(vehicle)));
}

// A ped on his way into the seat does not count as taking it.
bool isVehicleSeatFree(EntityHandle vehicle, int32_t seat) {
    return resultBool(callNative(kNativeIsVehicleSeatFree, slotInt(vehicle), slotInt(seat), slotInt(0)));
}

// Swung open, not torn off.
void openVehicleDoor(EntityHandle vehicle, int32_t door) {
    callNative(kNativeSetVehicleDoorOpen, slotInt(vehicle), slotInt(door), slotInt(1), slotInt(0));
}

// STREAMING

bool hasAnimDictLoaded(const char* dictionary) {
    return resultBool(callNative(kNativeHasAnimDictLoaded, slotText(dictionary)));
}

void requestAnimDictLoad(const char* dictionary) { callNative(kNativeRequestAnimDict, slotText(dictionary)); }

bool hasModelLoaded(ModelHash model) {
    return resultBool(callNative(kNativeHasModelLoaded, slotInt(static_cast<int32_t>(model))));
}

void requestModelLoad(ModelHash model) { callNative(kNativeRequestModel, slotInt(static_cast<int32_t>(model))); }

// MISC

ModelHash hashModelName(const char* name) {
    return static_cast<ModelHash>(resultInt(callNative(kNativeGetHashKey, slotText(name))));
}

float distanceBetween(const NativeVec3& a, const NativeVec3& b) {
    return resultFloat(callNative(kNativeGetDistanceBetweenCoords, slotFloat(a.x), slotFloat(a.y), slotFloat(a.z),
                                  slotFloat(b.x), slotFloat(b.y), slotFloat(b.z), slotInt(1)));
}

// GRAPHICS

// Type 2 (a cone), pointing down, half a metre across, yellow at 100 of 255, not bobbing, facing the
// camera, no texture.
void drawPrecinctMarker(const NativeVec3& at) {
    callNative(kNativeDrawMarker, slotInt(2), slotFloat(at.x), slotFloat(at.y), slotFloat(at.z), slotFloat(0.0f),
               slotFloat(0.0f), slotFloat(0.0f), slotFloat(180.0f), slotFloat(0.0f), slotFloat(0.0f), slotFloat(0.5f),
               slotFloat(0.5f), slotFloat(0.5f), slotInt(204), slotInt(204), slotInt(0), slotInt(100), slotInt(0),
               slotInt(1), slotInt(2), slotInt(0), slotText(nullptr), slotText(nullptr), slotInt(0));
}

// HUD

void setWaypoint(float x, float y) { callNative(kNativeSetNewWaypoint, slotFloat(x), slotFloat(y)); }

void setTextFont(int32_t font) { callNative(kNativeSetTextFont, slotInt(font)); }

void setTextScale(float scale) { callNative(kNativeSetTextScale, slotFloat(scale), slotFloat(scale)); }

void setTextColourWhite() { callNative(kNativeSetTextColour, slotInt(255), slotInt(255), slotInt(255), slotInt(255)); }

void setTextWrapFullWidth() { callNative(kNativeSetTextWrap, slotFloat(0.0f), slotFloat(1.0f)); }

void setTextCentred() { callNative(kNativeSetTextCentre, slotInt(1)); }

void setTextDropShadowOff() {
    callNative(kNativeSetTextDropshadow, slotInt(0), slotInt(0), slotInt(0), slotInt(0), slotInt(0));
}

void setTextOutline() { callNative(kNativeSetTextOutline); }

void beginLiteralText() { callNative(kNativeBeginTextCommandDisplayText, slotText("STRING")); }

void beginPiecedText() { callNative(kNativeBeginTextCommandDisplayText, slotText("CELL_EMAIL_BCON")); }

void addTextComponent(const char* text) { callNative(kNativeAddTextComponentString, slotText(text)); }

void drawTextAt(float x, float y) {
    callNative(kNativeEndTextCommandDisplayText, slotFloat(x), slotFloat(y), slotInt(0));
}

// DLC

bool isLoadingScreenActive() { return resultBool(callNative(kNativeGetIsLoadingScreenActive)); }

// LOCALIZATION

int32_t getCurrentLanguage() { return resultInt(callNative(kNativeGetCurrentLanguage)); }
