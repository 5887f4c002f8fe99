// Brindlecot — typed native operations shared by several stages.
//
// One small operation per native, with its fixed arguments; the stages never push slots themselves.
// Natives used by a single stage live beside that stage.

#pragma once

#include "host/native_call.h"

enum NativeHash : uint64_t {
    // player
    kNativePlayerPedId = 0xD80958FC74E988A6ull,
    kNativeGetPlayerIndex = 0xA5EDC40EF369B48Dull,
    kNativeGetEntityPlayerIsFreeAimingAt = 0x2975C866E6713290ull,
    // entities
    kNativeDoesEntityExist = 0x7239B21A38F536BAull,
    kNativeGetEntityCoords = 0x3FEF770D40960D5Aull,
    kNativeIsEntityAMissionEntity = 0x0A7B270912999B3Cull,
    kNativeSetEntityAsMissionEntity = 0xAD738C3085FE7E11ull,
    kNativeDeletePed = 0x9614299DCB53E54Bull,
    kNativeSetPedAsNoLongerNeeded = 0x2595DD4236549CE3ull,
    kNativeSetPedKeepTask = 0x971D38760FBC02EFull,
    kNativeIsEntityAPed = 0x524AC5ECEA15343Eull,
    // peds
    kNativeIsPedInCombat = 0x4859F1FC66A6278Eull,
    kNativeIsPedHurt = 0x5983BB449D7FDB12ull,
    kNativeIsPedInAnyVehicle = 0x997ABD671D25CA0Bull,
    kNativeIsPedDeadOrDying = 0x3317DEDB88C95038ull,
    kNativeGetVehiclePedIsIn = 0x9A9112A0FE9A4713ull,
    kNativeClonePed = 0xEF29A16337FACADBull,
    kNativeRemovePedFromGroup = 0xED74007FFB146BC2ull,
    kNativeSetPedSeeingRange = 0xF29CF591C4BF6CEEull,
    kNativeSetPedHearingRange = 0x33A8F7F7D5F7F33Cull,
    kNativeSetPedFleeAttributes = 0x70A2D1137C8ED7C9ull,
    kNativeSetPedCombatAttributes = 0x9F7794730795E019ull,
    kNativeTaskSetBlockingOfNonTemporaryEvents = 0x90D2156198831D69ull,
    kNativeSetEnableHandcuffs = 0xDF1AF8B5D56542FAull,
    kNativeCreatePed = 0xD49F9B0955C367DEull,
    // tasks
    kNativeClearPedTasks = 0xE1EF3C1216AFF2CDull,
    kNativeClearPedTasksImmediately = 0xAAA34F8A7CB32098ull,
    kNativeClearPedSecondaryTask = 0x176CECF6F920D707ull,
    kNativeTaskLeaveAnyVehicle = 0x504D54DF3F6F2247ull,
    kNativeTaskPlayAnim = 0xEA47FE3719165B94ull,
    kNativeStopEntityAnim = 0x28004F88151E03E0ull,
    kNativeTaskSmartFleePed = 0x22B0D0E37CCB840Dull,
    kNativeTaskFollowToOffsetOfEntity = 0x304AE42E357B8C7Eull,
    kNativeTaskEnterVehicle = 0xC20E50AA46D09CA8ull,
    kNativeTaskLeaveVehicle = 0xD3DBCE61A490BE02ull,
    kNativeTaskGoStraightToCoord = 0xD76B57B44F1E6F8Bull,
    // vehicles
    kNativeGetVehicleEngineHealth = 0xC45D23BAF168AAB8ull,
    kNativeIsVehicleSeatFree = 0x22AC59A870E6A669ull,
    kNativeSetVehicleDoorOpen = 0x7C65DAC73C35C862ull,
    // streaming
    kNativeHasAnimDictLoaded = 0xD031A9162D01088Cull,
    kNativeRequestAnimDict = 0xD3BD40951412FEF6ull,
    kNativeGetHashKey = 0xD24D37CC275948CCull,
    kNativeHasModelLoaded = 0x98A4EB5D89A0C952ull,
    kNativeRequestModel = 0x963D27A58DF860ACull,
    // world and map
    kNativeGetDistanceBetweenCoords = 0xF1B760881820C952ull,
    kNativeSetNewWaypoint = 0xFE43368D2AA4F2FCull,
    kNativeDrawMarker = 0x28477EC23D892089ull,
    // status line
    kNativeSetTextFont = 0x66E0276CC5F6B9DAull,
    kNativeSetTextScale = 0x07C837F9A01C34C9ull,
    kNativeSetTextColour = 0xBE6B23FFA53FB442ull,
    kNativeSetTextWrap = 0x63145D9C883A1A70ull,
    kNativeSetTextCentre = 0xC02F4DBFB51D988Bull,
    kNativeSetTextDropshadow = 0x465C84BC39F1C351ull,
    kNativeSetTextOutline = 0x2513DFB0FB8400FEull,
    kNativeBeginTextCommandDisplayText = 0x25FBB336DF1804CBull,
    kNativeAddTextComponentString = 0x6C188BE134E074AAull,
    kNativeEndTextCommandDisplayText = 0xCD015E5BB0D96A57ull,
};

inline EntityHandle getPlayerPed() { return resultInt(callNative(kNativePlayerPedId)); }

inline int32_t getPlayerIndex() { return resultInt(callNative(kNativeGetPlayerIndex)); }

// Answers whether the player free-aims at an entity (a ped, a vehicle or an object) and then writes
// its handle into *target. When it answers false the host promises nothing about *target.
inline bool queryAimedEntity(int32_t playerIndex, EntityHandle* target) {
    return resultBool(callNative(kNativeGetEntityPlayerIsFreeAimingAt, slotInt(playerIndex), slotAddress(target)));
}

inline bool doesEntityExist(EntityHandle entity) {
    return resultBool(callNative(kNativeDoesEntityExist, slotInt(entity)));
}

inline bool isEntityAPed(EntityHandle entity) { return resultBool(callNative(kNativeIsEntityAPed, slotInt(entity))); }

inline NativeVec3 getEntityPosition(EntityHandle entity) {
    return resultVec3(callNative(kNativeGetEntityCoords, slotInt(entity), slotInt(1)));
}

// The host takes the ped back under its own management and clears his tasks, unless keepPedTask
// came first, and writes 0 into *ped: the variable names nobody afterwards.
inline void releaseEntityHandle(EntityHandle* ped) { callNative(kNativeSetPedAsNoLongerNeeded, slotAddress(ped)); }

// The ped goes on with his current task after he is handed back.
inline void keepPedTask(EntityHandle ped) { callNative(kNativeSetPedKeepTask, slotInt(ped), slotInt(1)); }

// Hands the ped back to the host still busy with the order he was just given.
inline void handBackKeepingTask(EntityHandle* ped) {
    keepPedTask(*ped);
    releaseEntityHandle(ped);
}

inline bool isPedDeadOrDying(EntityHandle ped) {
    return resultBool(callNative(kNativeIsPedDeadOrDying, slotInt(ped), slotInt(0)));
}

inline bool isPedInAnyVehicle(EntityHandle ped) {
    return resultBool(callNative(kNativeIsPedInAnyVehicle, slotInt(ped), slotInt(1)));
}

inline bool isPedInCombat(EntityHandle ped) {
    return resultBool(callNative(kNativeIsPedInCombat, slotInt(ped), slotInt(0)));
}

// lastVehicle 1: the vehicle the ped sits in or, on foot, the one he last used.
inline EntityHandle getVehiclePedIsIn(EntityHandle ped, int32_t lastVehicle) {
    return resultInt(callNative(kNativeGetVehiclePedIsIn, slotInt(ped), slotInt(lastVehicle)));
}

inline void setBlockingOfNonTemporaryEvents(EntityHandle ped, int32_t blocked) {
    callNative(kNativeTaskSetBlockingOfNonTemporaryEvents, slotInt(ped), slotInt(blocked));
}

inline void clearPedTasks(EntityHandle ped) { callNative(kNativeClearPedTasks, slotInt(ped)); }

inline void clearPedTasksImmediately(EntityHandle ped) { callNative(kNativeClearPedTasksImmediately, slotInt(ped)); }

inline void clearPedSecondaryTask(EntityHandle ped) { callNative(kNativeClearPedSecondaryTask, slotInt(ped)); }
