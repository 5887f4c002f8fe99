// Brindlecot simulated host — the world model.
//
//   [SECTION] Helpers
//   [SECTION] Building the scene
//   [SECTION] Time passing

#include "sim/world.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

float distance(const Vec3& a, const Vec3& b) {
    const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

uint32_t hashName(const std::string& name) {
    uint32_t hash = 0;
    for (unsigned char c : name) {
        hash += static_cast<uint32_t>(std::tolower(c));
        hash += hash << 10;
        hash ^= hash >> 6;
    }
    hash += hash << 3;
    hash ^= hash >> 11;
    hash += hash << 15;
    return hash;
}

const char* taskName(Task task) {
    switch (task) {
        case Task::None:
            return "none";
        case Task::LeaveVehicle:
            return "leave_vehicle";
        case Task::EnterVehicle:
            return "enter_vehicle";
        case Task::Follow:
            return "follow";
        case Task::Flee:
            return "flee";
        case Task::GoTo:
            return "go_to";
    }
    return "?";
}

// Moves pos towards target by at most step metres; true when it arrives.
static bool stepTowards(Vec3& pos, const Vec3& target, float step) {
    const float d = distance(pos, target);
    if (d <= step || d == 0.0f) {
        pos = target;
        return true;
    }
    const float f = step / d;
    pos.x += (target.x - pos.x) * f;
    pos.y += (target.y - pos.y) * f;
    pos.z += (target.z - pos.z) * f;
    return false;
}

//-----------------------------------------------------------------------------
// [SECTION] Building the scene
//-----------------------------------------------------------------------------

World::World() { playerPed = spawnPed({0, 0, 30}, hashName("player_zero")); }

int32_t World::spawnPed(Vec3 pos, uint32_t model) {
    Entity e;
    e.handle = nextHandle++;
    e.kind = Kind::Ped;
    e.pos = pos;
    e.model = model ? model : hashName("a_m_y_business_01");
    entities[e.handle] = e;
    return e.handle;
}

int32_t World::spawnVehicle(Vec3 pos, int32_t seatCount) {
    Entity e;
    e.handle = nextHandle++;
    e.kind = Kind::Vehicle;
    e.pos = pos;
    e.model = hashName("police");
    e.seatCount = seatCount;
    entities[e.handle] = e;
    return e.handle;
}

void World::seatPed(int32_t ped, int32_t vehicle, int32_t seat) {
    Entity* p = find(ped);
    Entity* v = find(vehicle);
    if (!p || !v) return;
    unseatPed(ped);
    p->vehicle = vehicle;
    p->lastVehicle = vehicle;
    p->seat = seat;
    p->pos = v->pos;
    v->occupants[seat] = ped;
}

void World::unseatPed(int32_t ped) {
    Entity* p = find(ped);
    if (!p || p->vehicle == 0) return;
    if (Entity* v = find(p->vehicle)) {
        v->occupants.erase(p->seat);
        p->pos = {v->pos.x - 2.0f, v->pos.y, v->pos.z};  // beside the driver's side
    }
    p->vehicle = 0;
    p->seat = -2;
}

int32_t World::parkLastVehicle(Vec3 pos) {
    const int32_t car = spawnVehicle(pos);
    seatPed(playerPed, car, -1);
    unseatPed(playerPed);
    return car;
}

void World::reload() {
    Entity player = this->player();
    player.vehicle = 0;
    player.seat = -2;
    player.lastVehicle = 0;
    player.task = Task::None;
    entities.clear();
    entities[playerPed] = player;
    nextHandle = playerPed + 1;
    aimTarget = 0;
    waypointSet = false;
}

void World::remove(int32_t handle) {
    Entity* e = find(handle);
    if (!e) return;
    if (e->kind == Kind::Ped) unseatPed(handle);
    if (e->kind == Kind::Vehicle) {
        for (auto& [seat, ped] : e->occupants) {
            if (Entity* p = find(ped)) {
                p->vehicle = 0;
                p->seat = -2;
            }
        }
    }
    entities.erase(handle);
}

Entity* World::find(int32_t handle) {
    auto it = entities.find(handle);
    return it == entities.end() ? nullptr : &it->second;
}

const Entity* World::find(int32_t handle) const {
    auto it = entities.find(handle);
    return it == entities.end() ? nullptr : &it->second;
}

Entity& World::player() {
    Entity* p = find(playerPed);
    if (!p) {
        std::fprintf(stderr, "Brindlecot sim: the player's ped %d is no longer in the world\n", playerPed);
        std::abort();
    }
    return *p;
}

void World::movePlayer(Vec3 pos) {
    Entity& p = player();
    if (p.vehicle) {
        if (Entity* v = find(p.vehicle)) v->pos = pos;
    }
    p.pos = pos;
}

void World::drive(int32_t vehicle, Vec3 target, float speed) {
    if (Entity* v = find(vehicle)) {
        v->driveTarget = target;
        v->driveSpeed = speed;
    }
}

void World::requestAnimDict(const std::string& dictionary) {
    if (animDicts.count(dictionary) == 0) animDicts[dictionary] = {nowMs + animDictLoadMs, false};
}

void World::requestModel(uint32_t model) {
    if (models.count(model) == 0) models[model] = {nowMs + modelLoadMs, false};
}

bool World::animDictLoaded(const std::string& dictionary) const {
    auto it = animDicts.find(dictionary);
    return it != animDicts.end() && it->second.loaded;
}

bool World::modelLoaded(uint32_t model) const {
    auto it = models.find(model);
    return it != models.end() && it->second.loaded;
}

bool World::groundAt(float x, float y, float& z) const {
    for (const Ground& g : ground) {
        if (distance({x, y, 0}, {g.x, g.y, 0}) <= g.radius) {
            z = g.z;
            return true;
        }
    }
    return false;
}

void World::drawMarker(int32_t type, const Vec3& pos) {
    float groundZ = 0;
    drawing.markers.push_back({type, pos, groundAt(pos.x, pos.y, groundZ) && pos.z < groundZ});
}

void World::order(Entity& ped, Task task, const std::string& description) {
    ped.orders.push_back(description);
    if (ped.dead) return;  // the dead take no orders
    ped.task = task;
    ped.taskStartedMs = nowMs;
}

//-----------------------------------------------------------------------------
// [SECTION] Time passing
//-----------------------------------------------------------------------------

void World::advance(uint32_t ms) {
    nowMs += ms;
    const float seconds = static_cast<float>(ms) / 1000.0f;
    for (auto& [handle, e] : entities) {
        if (e.kind == Kind::Vehicle) advanceVehicle(e, seconds);
    }
    // Collect first: a task may unseat or seat peds, which touches other entities.
    std::vector<int32_t> peds;
    for (auto& [handle, e] : entities) {
        if (e.kind == Kind::Ped) peds.push_back(handle);
    }
    for (int32_t handle : peds) {
        if (Entity* p = find(handle)) advancePed(*p, seconds);
    }
}

void World::advanceVehicle(Entity& vehicle, float seconds) {
    if (vehicle.driveSpeed > 0 && stepTowards(vehicle.pos, vehicle.driveTarget, vehicle.driveSpeed * seconds)) {
        vehicle.driveSpeed = 0;
    }
    for (auto& [seat, ped] : vehicle.occupants) {
        if (Entity* p = find(ped)) p->pos = vehicle.pos;
    }
}

void World::advancePed(Entity& ped, float seconds) {
    if (ped.dead) return;
    const uint64_t elapsed = nowMs - ped.taskStartedMs;
    switch (ped.task) {
        case Task::None:
            break;
        case Task::LeaveVehicle:
            if (ped.vehicle == 0) {
                ped.task = Task::None;
            } else if (elapsed >= leaveVehicleMs) {
                unseatPed(ped.handle);
                ped.task = Task::None;
            }
            break;
        case Task::EnterVehicle: {
            Entity* vehicle = find(ped.taskEntity);
            if (!vehicle || elapsed > ped.taskLimitMs || ped.vehicle != 0) {
                ped.task = Task::None;
                break;
            }
            if (vehicle->doorsBlocked) break;  // until the order runs out
            stepTowards(ped.pos, vehicle->pos, walkSpeed * seconds);
            if (distance(ped.pos, vehicle->pos) <= boardReach && elapsed >= enterVehicleMs) {
                if (vehicle->occupants.count(ped.taskSeat) == 0) seatPed(ped.handle, vehicle->handle, ped.taskSeat);
                ped.task = Task::None;
            }
            break;
        }
        case Task::Follow: {
            const Entity* leader = find(ped.taskEntity);
            if (!leader || ped.vehicle != 0) break;
            const Vec3 target = {leader->pos.x + ped.taskPoint.x, leader->pos.y + ped.taskPoint.y, leader->pos.z};
            if (distance(ped.pos, target) > 1.0f) stepTowards(ped.pos, target, walkSpeed * 2.0f * seconds);
            break;
        }
        case Task::Flee: {
            const Entity* from = find(ped.taskEntity);
            // A passenger told to flee gets out first; a driver flees in his car (not modelled).
            if (ped.vehicle != 0 && ped.seat != -1 && elapsed >= leaveVehicleMs) unseatPed(ped.handle);
            if (!from || ped.vehicle != 0) break;
            const float d = distance(ped.pos, from->pos);
            if (d >= 200.0f) break;
            Vec3 away = {ped.pos.x - from->pos.x, ped.pos.y - from->pos.y, 0};
            if (d == 0.0f) away = {1, 0, 0};
            const float len = std::sqrt(away.x * away.x + away.y * away.y);
            const Vec3 target = {ped.pos.x + away.x / len * 300.0f, ped.pos.y + away.y / len * 300.0f, ped.pos.z};
            stepTowards(ped.pos, target, fleeSpeed * seconds);
            break;
        }
        case Task::GoTo:
            if (elapsed > ped.taskLimitMs || stepTowards(ped.pos, ped.taskPoint, walkSpeed * seconds)) {
                ped.task = Task::None;
            }
            break;
    }
}

void World::endFrame() {
    lastFrame = loadingScreen ? Screen() : std::move(drawing);
    drawing = Screen();
}

void World::stream() {
    for (auto& [name, asset] : animDicts)
        if (asset.readyMs <= nowMs) asset.loaded = true;
    for (auto& [model, asset] : models)
        if (asset.readyMs <= nowMs) asset.loaded = true;
}

}  // namespace sim
