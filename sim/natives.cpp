// Brindlecot simulated host — the natives the host knows, by hash.
//
//   [SECTION] Slots and formatting
//   [SECTION] Player
//   [SECTION] Entities
//   [SECTION] Peds
//   [SECTION] Tasks
//   [SECTION] Vehicles
//   [SECTION] Streaming and models
//   [SECTION] Map, markers and text
//   [SECTION] Loading screen
//   [SECTION] Table
//
// Each native has the effect the plugin relies on and answers 0 for handles that name nothing.

#include "sim/natives.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "sim/host.h"

namespace sim {

//-----------------------------------------------------------------------------
// [SECTION] Slots and formatting
//-----------------------------------------------------------------------------

float NativeArgs::f(size_t n) const {
    const uint32_t bits = static_cast<uint32_t>(slots[n]);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void NativeResult::setFloat(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    slots[0] = bits;
}

void NativeResult::setVec3(const Vec3& value) {
    const float parts[3] = {value.x, value.y, value.z};
    for (int k = 0; k < 3; ++k) {
        uint32_t bits;
        std::memcpy(&bits, &parts[k], sizeof bits);
        slots[k] = bits;
    }
}

// The shortest fixed-point text that reads back as the same float, always with a decimal point.
std::string formatFloat(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[64];
    for (int decimals = 1; decimals <= 9; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) return text;
    }
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

static std::string quote(const char* text) {
    if (text == nullptr) return "null";
    return "\"" + std::string(text) + "\"";
}

static std::string formatSlot(char kind, uint64_t slot) {
    const std::vector<uint64_t> one = {slot};
    const NativeArgs a{one};
    char hex[24];
    switch (kind) {
        case 'i':
            return std::to_string(a.i(0));
        case 'f':
            return formatFloat(a.f(0));
        case 's':
            return quote(a.s(0));
        case 'p':
            return a.p(0) ? "&" + std::to_string(*a.p(0)) : "&null";
        case 'h':
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<uint32_t>(slot));
            return hex;
    }
    return "?";
}

std::string formatCall(const NativeInfo& info, const std::vector<uint64_t>& slots) {
    std::string out = info.name;
    out += "(";
    for (size_t n = 0; n < slots.size(); ++n) {
        if (n) out += ", ";
        out += formatSlot(n < std::strlen(info.args) ? info.args[n] : 'i', slots[n]);
    }
    return out + ")";
}

std::string formatResult(const NativeInfo& info, const uint64_t* slots) {
    switch (info.result) {
        case 'i':
        case 'b':
            return formatSlot('i', slots[0]);
        case 'f':
            return formatSlot('f', slots[0]);
        case 'h':
            return formatSlot('h', slots[0]);
        case '3':
            return "(" + formatSlot('f', slots[0]) + ", " + formatSlot('f', slots[1]) + ", " +
                   formatSlot('f', slots[2]) + ")";
    }
    return "";
}

static Vec3 vec(const NativeArgs& a, size_t first) { return {a.f(first), a.f(first + 1), a.f(first + 2)}; }

static Entity* ped(Host& h, int32_t handle) {
    Entity* e = h.world.find(handle);
    return e && e->kind == Kind::Ped ? e : nullptr;
}

static Entity* vehicle(Host& h, int32_t handle) {
    Entity* e = h.world.find(handle);
    return e && e->kind == Kind::Vehicle ? e : nullptr;
}

//-----------------------------------------------------------------------------
// [SECTION] Player
//-----------------------------------------------------------------------------

static void playerPedId(Host& h, const NativeArgs&, NativeResult& r) { r.setInt(h.world.playerPed); }

static void getPlayerIndex(Host& h, const NativeArgs&, NativeResult& r) { r.setInt(h.world.playerIndex); }

// Answers true and writes the handle when the player aims at an entity that exists, of any kind.
// When nothing is found it answers false and leaves the variable as it was.
static void getEntityPlayerIsFreeAimingAt(Host& h, const NativeArgs& a, NativeResult& r) {
    const int32_t aimed = h.world.aimTarget;
    const bool found = a.i(0) == h.world.playerIndex && h.world.exists(aimed);
    if (found && a.p(1)) *a.p(1) = aimed;
    r.setBool(found);
}

//-----------------------------------------------------------------------------
// [SECTION] Entities
//-----------------------------------------------------------------------------

static void doesEntityExist(Host& h, const NativeArgs& a, NativeResult& r) { r.setBool(h.world.exists(a.i(0))); }

static void isEntityAPed(Host& h, const NativeArgs& a, NativeResult& r) { r.setBool(ped(h, a.i(0)) != nullptr); }

static void getEntityCoords(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* e = h.world.find(a.i(0));
    r.setVec3(e ? e->pos : Vec3{});
}

static void isEntityAMissionEntity(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* e = h.world.find(a.i(0));
    r.setBool(e && (e->missionEntity || e->scriptOwned));
}

// Makes the entity a mission entity of this script. One that a mission of the host's own scripts
// holds is taken over only when the third flag is set.
static void setEntityAsMissionEntity(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* e = h.world.find(a.i(0));
    if (e && (a.i(2) != 0 || !e->missionEntity)) e->scriptOwned = true;
}

// Removes only a mission entity of this script and writes 0 into the variable; any other entity stays
// in the world, handle and all.
static void deletePed(Host& h, const NativeArgs& a, NativeResult&) {
    if (!a.p(0)) return;
    Entity* e = h.world.find(*a.p(0));
    if (!e) return;
    if (!e->scriptOwned) {
        e->orders.push_back("delete ignored: not this script's");
        return;
    }
    h.world.remove(*a.p(0));
    *a.p(0) = 0;
}

// Hands the entity back to the host, which clears a ped's tasks at once unless he was told to keep
// them, and writes 0 into the variable: it names nothing afterwards.
static void setEntityAsNoLongerNeeded(Host& h, const NativeArgs& a, NativeResult&) {
    if (!a.p(0)) return;
    if (Entity* e = h.world.find(*a.p(0))) {
        e->scriptOwned = false;
        if (e->kind != Kind::Ped) {
            e->orders.push_back("handed back");
        } else if (e->keepTask) {
            e->orders.push_back(std::string("handed back, keeps ") + taskName(e->task));
        } else {
            h.world.order(*e, Task::None, "handed back, tasks cleared");
        }
    }
    *a.p(0) = 0;
}

//-----------------------------------------------------------------------------
// [SECTION] Peds
//-----------------------------------------------------------------------------

static void isPedInCombat(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    r.setBool(p && p->inCombat && !p->dead);
}

static void isPedHurt(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    r.setBool(p && (p->injured || p->dead));
}

static void isPedInAnyVehicle(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    r.setBool(p && p->vehicle != 0);
}

static void isPedDeadOrDying(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    r.setBool(p && p->dead);
}

static void getVehiclePedIsIn(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    int32_t v = 0;
    if (p) v = p->vehicle ? p->vehicle : (a.i(1) ? p->lastVehicle : 0);
    r.setInt(h.world.exists(v) ? v : 0);
}

// With atGetIn false only a ped who sits in that vehicle; with true also one who is getting onto its
// seat: at its door, told to get in.
static void isPedInVehicle(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* p = ped(h, a.i(0));
    const Entity* v = vehicle(h, a.i(1));
    bool in = p && v && p->vehicle == v->handle;
    if (!in && p && v && a.i(2) != 0) {
        in = p->task == Task::EnterVehicle && p->taskEntity == v->handle &&
             distance(p->pos, v->pos) <= h.world.boardReach;
    }
    r.setBool(in);
}

// Into the seat at once, whatever he was doing: no walk, no door. Seat -2 is the first free
// passenger seat. A seat that is taken, or that the vehicle lacks, leaves him where he is.
static void setPedIntoVehicle(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    const Entity* v = vehicle(h, a.i(1));
    if (!p || !v) return;
    int32_t seat = a.i(2);
    for (int32_t free = 0; seat == -2 && free <= v->seatCount - 2; ++free) {
        if (v->occupants.count(free) == 0) seat = free;
    }
    if (seat < -1 || seat > v->seatCount - 2 || v->occupants.count(seat) != 0) {
        p->orders.push_back("put_into_vehicle ignored: seat " + std::to_string(a.i(2)) + " not free");
        return;
    }
    h.world.order(*p, Task::None, "put_into_vehicle seat " + std::to_string(seat));
    h.world.seatPed(p->handle, v->handle, seat);
}

// A new ped of this script with the same model, standing where the original stands. The three
// flags (networked, owned by the script host, copy the head blend) change nothing here.
static void clonePed(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* source = ped(h, a.i(0));
    if (!source) {
        r.setInt(0);
        return;
    }
    const int32_t clone = h.world.spawnPed(source->pos, source->model);
    Entity& c = *h.world.find(clone);
    c.scriptOwned = true;
    c.injured = source->injured;
    r.setInt(clone);
}

// Group, senses, flee and combat attributes: the world has no model of them; the trace keeps the calls.
static void pedSetting(Host&, const NativeArgs&, NativeResult&) {}

static void setBlockingOfNonTemporaryEvents(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) p->blockingEvents = a.i(1) != 0;
}

static void setPedKeepTask(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) p->keepTask = a.i(1) != 0;
}

static void setEnableHandcuffs(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) p->handcuffed = a.i(1) != 0;
}

// Creates the ped only when its model is loaded; 0 otherwise, as the game does.
static void createPed(Host& h, const NativeArgs& a, NativeResult& r) {
    const uint32_t model = static_cast<uint32_t>(a.i(1));
    if (!h.world.modelLoaded(model)) {
        r.setInt(0);
        return;
    }
    const int32_t handle = h.world.spawnPed(vec(a, 2), model);
    h.world.find(handle)->scriptOwned = true;
    r.setInt(handle);
}

//-----------------------------------------------------------------------------
// [SECTION] Tasks
//-----------------------------------------------------------------------------

static void clearPedTasks(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) h.world.order(*p, Task::None, "clear_tasks");
}

static void clearPedTasksImmediately(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) {
        h.world.order(*p, Task::None, "clear_tasks_immediately");
        p->anims.clear();
    }
}

static void clearPedSecondaryTask(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* p = ped(h, a.i(0))) p->orders.push_back("clear_secondary_task");
}

static void taskLeaveAnyVehicle(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (p && p->vehicle) h.world.order(*p, Task::LeaveVehicle, "leave_vehicle");
}

static void taskLeaveVehicle(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (p && p->vehicle != 0 && p->vehicle == a.i(1)) h.world.order(*p, Task::LeaveVehicle, "leave_vehicle");
}

// Plays only when the dictionary has finished loading; otherwise the order is lost.
static void taskPlayAnim(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p || !a.s(1) || !a.s(2)) return;
    const std::string anim = std::string(a.s(1)) + "/" + a.s(2);
    if (!h.world.animDictLoaded(a.s(1))) {
        p->orders.push_back("anim_not_loaded " + anim);
        return;
    }
    p->orders.push_back("play_anim " + anim);
    if (!p->dead) p->anims.insert(anim);
}

// The animation name comes before its dictionary.
static void stopEntityAnim(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p || !a.s(1) || !a.s(2)) return;
    const std::string anim = std::string(a.s(2)) + "/" + a.s(1);
    p->orders.push_back("stop_anim " + anim);
    p->anims.erase(anim);
}

static void taskSmartFleePed(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p) return;
    h.world.order(*p, Task::Flee, "flee");
    p->taskEntity = a.i(1);
}

static void taskFollowToOffsetOfEntity(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p) return;
    h.world.order(*p, Task::Follow, "follow " + formatFloat(a.f(2)) + " " + formatFloat(a.f(3)));
    p->taskEntity = a.i(1);
    p->taskPoint = {a.f(2), a.f(3), a.f(4)};
}

static void taskEnterVehicle(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p || !vehicle(h, a.i(1))) return;
    h.world.order(*p, Task::EnterVehicle, "enter_vehicle seat " + std::to_string(a.i(3)));
    p->taskEntity = a.i(1);
    p->taskSeat = a.i(3);
    p->taskLimitMs = static_cast<uint32_t>(a.i(2));
}

static void taskGoStraightToCoord(Host& h, const NativeArgs& a, NativeResult&) {
    Entity* p = ped(h, a.i(0));
    if (!p) return;
    h.world.order(*p, Task::GoTo, "go_to");
    p->taskPoint = vec(a, 1);
    p->taskLimitMs = static_cast<uint32_t>(a.i(5));
}

//-----------------------------------------------------------------------------
// [SECTION] Vehicles
//-----------------------------------------------------------------------------

static void getVehicleEngineHealth(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* v = vehicle(h, a.i(0));
    r.setFloat(v ? v->engineHealth : 0.0f);
}

static void isVehicleSeatFree(Host& h, const NativeArgs& a, NativeResult& r) {
    const Entity* v = vehicle(h, a.i(0));
    const int32_t seat = a.i(1);
    r.setBool(v && seat >= -1 && seat <= v->seatCount - 2 && v->occupants.count(seat) == 0);
}

static void setVehicleDoorOpen(Host& h, const NativeArgs& a, NativeResult&) {
    if (Entity* v = vehicle(h, a.i(0))) v->openDoors.insert(a.i(1));
}

//-----------------------------------------------------------------------------
// [SECTION] Streaming and models
//-----------------------------------------------------------------------------

static void hasAnimDictLoaded(Host& h, const NativeArgs& a, NativeResult& r) {
    r.setBool(a.s(0) && h.world.animDictLoaded(a.s(0)));
}

static void requestAnimDict(Host& h, const NativeArgs& a, NativeResult&) {
    if (a.s(0)) h.world.requestAnimDict(a.s(0));
}

static void getHashKey(Host&, const NativeArgs& a, NativeResult& r) {
    r.setInt(static_cast<int32_t>(hashName(a.s(0) ? a.s(0) : "")));
}

static void hasModelLoaded(Host& h, const NativeArgs& a, NativeResult& r) {
    r.setBool(h.world.modelLoaded(static_cast<uint32_t>(a.i(0))));
}

static void requestModel(Host& h, const NativeArgs& a, NativeResult&) {
    h.world.requestModel(static_cast<uint32_t>(a.i(0)));
}

//-----------------------------------------------------------------------------
// [SECTION] Map, markers and text
//-----------------------------------------------------------------------------

static void getDistanceBetweenCoords(Host&, const NativeArgs& a, NativeResult& r) {
    Vec3 p = vec(a, 0), q = vec(a, 3);
    if (a.i(6) == 0) p.z = q.z = 0;
    r.setFloat(distance(p, q));
}

static void setNewWaypoint(Host& h, const NativeArgs& a, NativeResult&) {
    h.world.waypointSet = true;
    h.world.waypointX = a.f(0);
    h.world.waypointY = a.f(1);
}

static void drawMarker(Host& h, const NativeArgs& a, NativeResult&) { h.world.drawMarker(a.i(0), vec(a, 1)); }

// Text settings the simulated screen does not render; SET_TEXT_EDGE is one in the host too.
static void textSetting(Host&, const NativeArgs&, NativeResult&) {}

static void setTextOutline(Host& h, const NativeArgs&, NativeResult&) { h.world.drawing.outlineNext = true; }

static void beginTextCommandDisplayText(Host& h, const NativeArgs& a, NativeResult&) {
    TextLine line;
    line.label = a.s(0) ? a.s(0) : "";
    h.world.drawing.lines.push_back(line);
}

// The game shows the first 99 bytes of a longer component: a fault, since the player loses the rest.
// Under "STRING" only the first component shows.
static void addTextComponentString(Host& h, const NativeArgs& a, NativeResult&) {
    if (h.world.drawing.lines.empty() || !a.s(0)) return;
    const size_t length = std::strlen(a.s(0));
    if (length > kComponentBytes) {
        h.fault("ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME with " + std::to_string(length) +
                " bytes: the game shows only the first " + std::to_string(kComponentBytes));
    }
    TextLine& line = h.world.drawing.lines.back();
    if (line.label == "STRING" && line.components > 0) return;
    line.text.append(a.s(0), std::min(length, kComponentBytes));
    ++line.components;
}

static void endTextCommandDisplayText(Host& h, const NativeArgs& a, NativeResult&) {
    if (h.world.drawing.lines.empty()) return;
    TextLine& line = h.world.drawing.lines.back();
    line.x = a.f(0);
    line.y = a.f(1);
    line.outline = h.world.drawing.outlineNext;
    h.world.drawing.outlineNext = false;
}

//-----------------------------------------------------------------------------
// [SECTION] Loading screen
//-----------------------------------------------------------------------------

static void getIsLoadingScreenActive(Host& h, const NativeArgs&, NativeResult& r) { r.setBool(h.world.loadingScreen); }

static void getCurrentLanguage(Host& h, const NativeArgs&, NativeResult& r) { r.setInt(h.world.language); }

//-----------------------------------------------------------------------------
// [SECTION] Table
//-----------------------------------------------------------------------------

const std::vector<NativeInfo>& allNatives() {
    static const std::vector<NativeInfo> table = {
        {0xD80958FC74E988A6ull, "PLAYER_PED_ID", "", 'i', playerPedId},
        {0xA5EDC40EF369B48Dull, "GET_PLAYER_INDEX", "", 'i', getPlayerIndex},
        {0x2975C866E6713290ull, "GET_ENTITY_PLAYER_IS_FREE_AIMING_AT", "ip", 'b', getEntityPlayerIsFreeAimingAt},
        {0x7239B21A38F536BAull, "DOES_ENTITY_EXIST", "i", 'b', doesEntityExist},
        {0x524AC5ECEA15343Eull, "IS_ENTITY_A_PED", "i", 'b', isEntityAPed},
        {0x3FEF770D40960D5Aull, "GET_ENTITY_COORDS", "ii", '3', getEntityCoords},
        {0x0A7B270912999B3Cull, "IS_ENTITY_A_MISSION_ENTITY", "i", 'b', isEntityAMissionEntity},
        {0xAD738C3085FE7E11ull, "SET_ENTITY_AS_MISSION_ENTITY", "iii", 'v', setEntityAsMissionEntity},
        {0x9614299DCB53E54Bull, "DELETE_PED", "p", 'v', deletePed},
        {0xAE3CBE5BF394C9C9ull, "DELETE_ENTITY", "p", 'v', deletePed},
        {0x2595DD4236549CE3ull, "SET_PED_AS_NO_LONGER_NEEDED", "p", 'v', setEntityAsNoLongerNeeded},
        {0xB736A491E64A32CFull, "SET_ENTITY_AS_NO_LONGER_NEEDED", "p", 'v', setEntityAsNoLongerNeeded},
        {0x4859F1FC66A6278Eull, "IS_PED_IN_COMBAT", "ii", 'b', isPedInCombat},
        {0x5983BB449D7FDB12ull, "IS_PED_HURT", "i", 'b', isPedHurt},
        {0x997ABD671D25CA0Bull, "IS_PED_IN_ANY_VEHICLE", "ii", 'b', isPedInAnyVehicle},
        {0x3317DEDB88C95038ull, "IS_PED_DEAD_OR_DYING", "ii", 'b', isPedDeadOrDying},
        {0x9A9112A0FE9A4713ull, "GET_VEHICLE_PED_IS_IN", "ii", 'i', getVehiclePedIsIn},
        {0xA3EE4A07279BB9DBull, "IS_PED_IN_VEHICLE", "iii", 'b', isPedInVehicle},
        {0xF75B0D629E1C063Dull, "SET_PED_INTO_VEHICLE", "iii", 'v', setPedIntoVehicle},
        {0xEF29A16337FACADBull, "CLONE_PED", "iiii", 'i', clonePed},
        {0xED74007FFB146BC2ull, "REMOVE_PED_FROM_GROUP", "i", 'v', pedSetting},
        {0xF29CF591C4BF6CEEull, "SET_PED_SEEING_RANGE", "if", 'v', pedSetting},
        {0x33A8F7F7D5F7F33Cull, "SET_PED_HEARING_RANGE", "if", 'v', pedSetting},
        {0x70A2D1137C8ED7C9ull, "SET_PED_FLEE_ATTRIBUTES", "iii", 'v', pedSetting},
        {0x9F7794730795E019ull, "SET_PED_COMBAT_ATTRIBUTES", "iii", 'v', pedSetting},
        {0x90D2156198831D69ull, "TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS", "ii", 'v',
         setBlockingOfNonTemporaryEvents},
        {0x971D38760FBC02EFull, "SET_PED_KEEP_TASK", "ii", 'v', setPedKeepTask},
        {0xDF1AF8B5D56542FAull, "SET_ENABLE_HANDCUFFS", "ii", 'v', setEnableHandcuffs},
        {0xD49F9B0955C367DEull, "CREATE_PED", "ihffffii", 'i', createPed},
        {0xE1EF3C1216AFF2CDull, "CLEAR_PED_TASKS", "i", 'v', clearPedTasks},
        {0xAAA34F8A7CB32098ull, "CLEAR_PED_TASKS_IMMEDIATELY", "i", 'v', clearPedTasksImmediately},
        {0x176CECF6F920D707ull, "CLEAR_PED_SECONDARY_TASK", "i", 'v', clearPedSecondaryTask},
        {0x504D54DF3F6F2247ull, "TASK_LEAVE_ANY_VEHICLE", "iii", 'v', taskLeaveAnyVehicle},
        {0xEA47FE3719165B94ull, "TASK_PLAY_ANIM", "issffiifiii", 'v', taskPlayAnim},
        {0x28004F88151E03E0ull, "STOP_ENTITY_ANIM", "issf", 'v', stopEntityAnim},
        {0x22B0D0E37CCB840Dull, "TASK_SMART_FLEE_PED", "iifiii", 'v', taskSmartFleePed},
        {0x304AE42E357B8C7Eull, "TASK_FOLLOW_TO_OFFSET_OF_ENTITY", "iiffffifi", 'v', taskFollowToOffsetOfEntity},
        {0xC20E50AA46D09CA8ull, "TASK_ENTER_VEHICLE", "iiiifisi", 'v', taskEnterVehicle},
        {0xD3DBCE61A490BE02ull, "TASK_LEAVE_VEHICLE", "iii", 'v', taskLeaveVehicle},
        {0xD76B57B44F1E6F8Bull, "TASK_GO_STRAIGHT_TO_COORD", "iffffiff", 'v', taskGoStraightToCoord},
        {0xC45D23BAF168AAB8ull, "GET_VEHICLE_ENGINE_HEALTH", "i", 'f', getVehicleEngineHealth},
        {0x22AC59A870E6A669ull, "IS_VEHICLE_SEAT_FREE", "iii", 'b', isVehicleSeatFree},
        {0x7C65DAC73C35C862ull, "SET_VEHICLE_DOOR_OPEN", "iiii", 'v', setVehicleDoorOpen},
        {0xD031A9162D01088Cull, "HAS_ANIM_DICT_LOADED", "s", 'b', hasAnimDictLoaded},
        {0xD3BD40951412FEF6ull, "REQUEST_ANIM_DICT", "s", 'v', requestAnimDict},
        {0xD24D37CC275948CCull, "GET_HASH_KEY", "s", 'h', getHashKey},
        {0x98A4EB5D89A0C952ull, "HAS_MODEL_LOADED", "h", 'b', hasModelLoaded},
        {0x963D27A58DF860ACull, "REQUEST_MODEL", "h", 'v', requestModel},
        {0xF1B760881820C952ull, "GET_DISTANCE_BETWEEN_COORDS", "ffffffi", 'f', getDistanceBetweenCoords},
        {0xFE43368D2AA4F2FCull, "SET_NEW_WAYPOINT", "ff", 'v', setNewWaypoint},
        {0x28477EC23D892089ull, "DRAW_MARKER",
         "i"
         "ffffffffffff"
         "iiii"
         "iiii"
         "ss"
         "i",
         'v', drawMarker},
        {0x66E0276CC5F6B9DAull, "SET_TEXT_FONT", "i", 'v', textSetting},
        {0x07C837F9A01C34C9ull, "SET_TEXT_SCALE", "ff", 'v', textSetting},
        {0xBE6B23FFA53FB442ull, "SET_TEXT_COLOUR", "iiii", 'v', textSetting},
        {0x63145D9C883A1A70ull, "SET_TEXT_WRAP", "ff", 'v', textSetting},
        {0xC02F4DBFB51D988Bull, "SET_TEXT_CENTRE", "i", 'v', textSetting},
        {0x465C84BC39F1C351ull, "SET_TEXT_DROPSHADOW", "iiiii", 'v', textSetting},
        {0x441603240D202FA6ull, "SET_TEXT_EDGE", "iiiii", 'v', textSetting},
        {0x2513DFB0FB8400FEull, "SET_TEXT_OUTLINE", "", 'v', setTextOutline},
        {0x25FBB336DF1804CBull, "BEGIN_TEXT_COMMAND_DISPLAY_TEXT", "s", 'v', beginTextCommandDisplayText},
        {0x6C188BE134E074AAull, "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME", "s", 'v', addTextComponentString},
        {0xCD015E5BB0D96A57ull, "END_TEXT_COMMAND_DISPLAY_TEXT", "ffi", 'v', endTextCommandDisplayText},
        {0x10D0A8F259E93EC9ull, "GET_IS_LOADING_SCREEN_ACTIVE", "", 'b', getIsLoadingScreenActive},
        {0x2BDD44CC428A7EAEull, "GET_CURRENT_LANGUAGE", "", 'i', getCurrentLanguage},
    };
    return table;
}

const NativeInfo* findNative(uint64_t hash) {
    for (const NativeInfo& info : allNatives()) {
        if (info.hash == hash) return &info;
    }
    return nullptr;
}

}  // namespace sim
