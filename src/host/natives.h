// Brindlecot — every native the plugin calls, one typed operation each.
//
// Hold this file against the host's reference (sim/host-natives.tsv): one operation per native,
// named for what the host does, with the arguments the plugin always passes fixed inside it, grouped
// as the reference groups them. Nothing above this floor pushes a slot; the stages hold only their
// decisions.
//
//   The plugin's types: handles, hashes, points, animations
//   Hashes
//   PLAYER, ENTITY, PED, TASK, VEHICLE, STREAMING, MISC, GRAPHICS, HUD, DLC, LOCALIZATION

#pragma once

#include <cstdint>

typedef int32_t EntityHandle;  // 0 is none; an aim result counts as a target from 1 up
typedef uint32_t ModelHash;

// The most bytes of one text component the host shows.
constexpr uint32_t kTextComponentBytes = 99;

// A position as the host returns it: three floats, each in the low half of its own 8-byte slot,
// copied whole, padding included. The plugin's one point type: the places it tunes are written in it
// too (worldPoint), so a measured position and a tuned place meet without unpacking.
struct NativeVec3 {
    float x;
    uint32_t xPad;
    float y;
    uint32_t yPad;
    float z;
    uint32_t zPad;
};
static_assert(sizeof(NativeVec3) == 24, "NativeVec3 is three 8-byte slots");

constexpr NativeVec3 worldPoint(float x, float y, float z) { return {x, 0, y, 0, z, 0}; }

constexpr NativeVec3 offsetFrom(const NativeVec3& p, float dx, float dy, float dz) {
    return worldPoint(p.x + dx, p.y + dy, p.z + dz);
}

// An animation and the dictionary it is streamed in with.
struct AnimClip {
    const char* dictionary;
    const char* name;
};

enum NativeHash : uint64_t {
    // PLAYER
    kNativePlayerPedId = 0xD80958FC74E988A6ull,
    kNativeGetPlayerIndex = 0xA5EDC40EF369B48Dull,
    kNativeGetEntityPlayerIsFreeAimingAt = 0x2975C866E6713290ull,
    // ENTITY
    kNativeDoesEntityExist = 0x7239B21A38F536BAull,
    kNativeIsEntityAPed = 0x524AC5ECEA15343Eull,
    kNativeGetEntityCoords = 0x3FEF770D40960D5Aull,
    kNativeIsEntityAMissionEntity = 0x0A7B270912999B3Cull,
    kNativeSetEntityAsMissionEntity = 0xAD738C3085FE7E11ull,
    kNativeSetPedAsNoLongerNeeded = 0x2595DD4236549CE3ull,
    kNativeStopEntityAnim = 0x28004F88151E03E0ull,
    // PED
    kNativeIsPedInCombat = 0x4859F1FC66A6278Eull,
    kNativeIsPedHurt = 0x5983BB449D7FDB12ull,
    kNativeIsPedInAnyVehicle = 0x997ABD671D25CA0Bull,
    kNativeIsPedDeadOrDying = 0x3317DEDB88C95038ull,
    kNativeGetVehiclePedIsIn = 0x9A9112A0FE9A4713ull,
    kNativeIsPedInVehicle = 0xA3EE4A07279BB9DBull,
    kNativeSetPedIntoVehicle = 0xF75B0D629E1C063Dull,
    kNativeClonePed = 0xEF29A16337FACADBull,
    kNativeDeletePed = 0x9614299DCB53E54Bull,
    kNativeCreatePed = 0xD49F9B0955C367DEull,
    kNativeRemovePedFromGroup = 0xED74007FFB146BC2ull,
    kNativeSetPedSeeingRange = 0xF29CF591C4BF6CEEull,
    kNativeSetPedHearingRange = 0x33A8F7F7D5F7F33Cull,
    kNativeSetPedFleeAttributes = 0x70A2D1137C8ED7C9ull,
    kNativeSetPedCombatAttributes = 0x9F7794730795E019ull,
    kNativeSetPedKeepTask = 0x971D38760FBC02EFull,
    kNativeSetEnableHandcuffs = 0xDF1AF8B5D56542FAull,
    // TASK
    kNativeClearPedTasks = 0xE1EF3C1216AFF2CDull,
    kNativeClearPedTasksImmediately = 0xAAA34F8A7CB32098ull,
    kNativeClearPedSecondaryTask = 0x176CECF6F920D707ull,
    kNativeTaskSetBlockingOfNonTemporaryEvents = 0x90D2156198831D69ull,
    kNativeTaskLeaveAnyVehicle = 0x504D54DF3F6F2247ull,
    kNativeTaskPlayAnim = 0xEA47FE3719165B94ull,
    kNativeTaskSmartFleePed = 0x22B0D0E37CCB840Dull,
    kNativeTaskFollowToOffsetOfEntity = 0x304AE42E357B8C7Eull,
    kNativeTaskEnterVehicle = 0xC20E50AA46D09CA8ull,
    kNativeTaskLeaveVehicle = 0xD3DBCE61A490BE02ull,
    kNativeTaskGoStraightToCoord = 0xD76B57B44F1E6F8Bull,
    // VEHICLE
    kNativeGetVehicleEngineHealth = 0xC45D23BAF168AAB8ull,
    kNativeIsVehicleSeatFree = 0x22AC59A870E6A669ull,
    kNativeSetVehicleDoorOpen = 0x7C65DAC73C35C862ull,
    // STREAMING
    kNativeHasAnimDictLoaded = 0xD031A9162D01088Cull,
    kNativeRequestAnimDict = 0xD3BD40951412FEF6ull,
    kNativeHasModelLoaded = 0x98A4EB5D89A0C952ull,
    kNativeRequestModel = 0x963D27A58DF860ACull,
    // MISC
    kNativeGetHashKey = 0xD24D37CC275948CCull,
    kNativeGetDistanceBetweenCoords = 0xF1B760881820C952ull,
    // GRAPHICS
    kNativeDrawMarker = 0x28477EC23D892089ull,
    // HUD
    kNativeSetNewWaypoint = 0xFE43368D2AA4F2FCull,
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
    // DLC
    kNativeGetIsLoadingScreenActive = 0x10D0A8F259E93EC9ull,
    // LOCALIZATION
    kNativeGetCurrentLanguage = 0x2BDD44CC428A7EAEull,
};

// PLAYER
EntityHandle getPlayerPed();
int32_t getPlayerIndex();
// Answers whether the player free-aims at an entity (a ped, a vehicle or an object) and then writes
// its handle into *target. When it answers false the host promises nothing about *target.
bool queryAimedEntity(int32_t playerIndex, EntityHandle* target);

// ENTITY
bool doesEntityExist(EntityHandle entity);
bool isEntityAPed(EntityHandle entity);
NativeVec3 getEntityPosition(EntityHandle entity);
bool isMissionEntity(EntityHandle entity);
void makeScriptEntity(EntityHandle entity);  // this script's, unless a mission of the host holds it
void takeOverEntity(EntityHandle entity);    // this script's even from a mission of the host
// The host takes the ped back under its own management and clears his tasks, unless keepPedTask
// came first, and writes 0 into *ped: the variable names nobody afterwards.
void handBackPed(EntityHandle* ped);
void stopAnim(EntityHandle ped, const AnimClip& anim);

// PED
bool isPedInCombat(EntityHandle ped);
bool isPedHurt(EntityHandle ped);
bool isPedInAnyVehicle(EntityHandle ped);
bool isPedDeadOrDying(EntityHandle ped);
EntityHandle getCurrentVehicle(EntityHandle ped);            // the vehicle he sits in now, 0 on foot
EntityHandle getLastVehicle(EntityHandle ped);               // the one he sits in or, on foot, last sat in
bool isPedSeatedIn(EntityHandle ped, EntityHandle vehicle);  // sits in it: not yet while getting in
// Into that seat at once, without walking up or a door.
void putPedIntoVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat);
EntityHandle clonePed(EntityHandle ped);  // where the original stands; this script's, same looks
void deletePed(EntityHandle* ped);        // only this script's own; writes 0 through the address
// A ped of the model at `at`, this script's; 0 when the model is not loaded.
EntityHandle spawnOfficer(ModelHash model, const NativeVec3& at, float heading);
void removePedFromGroup(EntityHandle ped);
void setPedSeeingRange(EntityHandle ped, float range);
void setPedHearingRange(EntityHandle ped, float range);
void clearPedFleeAttributes(EntityHandle ped);
void enablePedCombatAttribute(EntityHandle ped, int32_t attribute);
void keepPedTask(EntityHandle ped);  // the ped goes on with his current task after the hand-back
void setHandcuffs(EntityHandle ped);

// TASK
void clearPedTasks(EntityHandle ped);
void clearPedTasksImmediately(EntityHandle ped);
void clearPedSecondaryTask(EntityHandle ped);
void setBlockingOfNonTemporaryEvents(EntityHandle ped, int32_t blocked);
void leaveAnyVehicle(EntityHandle ped);
void playAnim(EntityHandle ped, const AnimClip& anim, int32_t duration);
void fleeFromPlayer(EntityHandle ped, EntityHandle player);
void followPlayer(EntityHandle ped, EntityHandle leader, float offsetX, float offsetY);
void enterVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat, int32_t giveUpMs);
void leaveVehicle(EntityHandle ped, EntityHandle vehicle);
void sendOfficerToPoint(EntityHandle officer, const NativeVec3& to, int32_t giveUpMs);

// VEHICLE
float getEngineHealth(EntityHandle vehicle);
bool isVehicleSeatFree(EntityHandle vehicle, int32_t seat);
void openVehicleDoor(EntityHandle vehicle, int32_t door);

// STREAMING: the host loads between frames what it is asked for; asking again does no harm.
bool hasAnimDictLoaded(const char* dictionary);
void requestAnimDictLoad(const char* dictionary);
bool hasModelLoaded(ModelHash model);
void requestModelLoad(ModelHash model);

// MISC
ModelHash hashModelName(const char* name);
// Three-dimensional: the host includes the height difference.
float distanceBetween(const NativeVec3& a, const NativeVec3& b);

// GRAPHICS: a yellow cone for one frame, drawn with depth: it must stand above the ground to be seen.
void drawPrecinctMarker(const NativeVec3& at);

// HUD
void setWaypoint(float x, float y);
void setTextFont(int32_t font);
void setTextScale(float scale);
void setTextColourWhite();
void setTextWrapFullWidth();  // wrapping between the left and the right edge of the screen
void setTextCentred();
void setTextDropShadowOff();
void setTextOutline();    // the host's dark outline for the next text drawn
void beginLiteralText();  // "STRING": the line shows one component
void beginPiecedText();   // "CELL_EMAIL_BCON": the line shows its components one after another
// The host shows at most kTextComponentBytes of one component and cuts a longer one.
void addTextComponent(const char* text);
void drawTextAt(float x, float y);  // fractions of the screen's width and height from its top left

// DLC
// True while the game's loading screen is up: the host may already run scripts then, and nothing
// they draw is seen.
bool isLoadingScreenActive();

// LOCALIZATION
// The game's language number (0 American English to 12 Simplified Chinese); the player may change it
// in the game's menu while the game runs.
int32_t getCurrentLanguage();
