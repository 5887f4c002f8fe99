// Brindlecot simulated host — the world model.
//
// Just enough of the game for the plugin to believe it runs in it: the player, peds, vehicles,
// streaming of animation dictionaries and models, the waypoint and what is drawn each frame. Handles
// that name nothing are answered the way the game answers them: queries give 0, orders are ignored.

#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

float distance(const Vec3& a, const Vec3& b);

// The host's model hash: one-at-a-time over the lower-case name.
uint32_t hashName(const std::string& name);

enum class Kind { Ped, Vehicle };

// What a ped is busy with; orders replace it.
enum class Task { None, LeaveVehicle, EnterVehicle, Follow, Flee, GoTo };

const char* taskName(Task task);

struct Entity {
    int32_t handle = 0;
    Kind kind = Kind::Ped;
    Vec3 pos;
    uint32_t model = 0;

    // ped and host bookkeeping
    bool dead = false;           // dead or dying
    bool missionEntity = false;  // belongs to a mission of the host's own scripts
    bool scriptOwned = false;    // a mission entity of the plugin's script (clone, spawn, take-over); hand-back clears
    bool keepTask = false;       // SET_PED_KEEP_TASK: the task survives the hand-back
    bool inCombat = false;
    bool injured = false;
    bool handcuffed = false;
    bool blockingEvents = false;

    int32_t vehicle = 0;      // the vehicle the ped sits in, 0 on foot
    int32_t seat = -2;        // its seat there
    int32_t lastVehicle = 0;  // the last vehicle the ped sat in

    Task task = Task::None;
    int32_t taskEntity = 0;  // leader, vehicle or ped to flee from
    int32_t taskSeat = 0;
    Vec3 taskPoint;  // destination or follow offset
    uint64_t taskStartedMs = 0;
    uint32_t taskLimitMs = 0;

    std::set<std::string> anims;      // "dictionary/name" playing now
    std::vector<std::string> orders;  // every order and animation received, oldest first

    // vehicle
    float engineHealth = 1000.0f;
    int32_t seatCount = 4;                 // -1 driver, then 0 .. seatCount-2
    std::map<int32_t, int32_t> occupants;  // seat -> ped
    std::set<int32_t> openDoors;
    bool doorsBlocked = false;  // against a wall or another car: a ped told to get in stays where he is
    Vec3 driveTarget;           // set with driveTo()
    float driveSpeed = 0;       // metres per second, 0 parked
};

// The game's limit on one text component: it shows the first 99 bytes of a longer one.
constexpr size_t kComponentBytes = 99;

struct TextLine {
    std::string label;  // the text command's label: "STRING" shows one component, "CELL_EMAIL_BCON" all
    std::string text;   // what the line shows: its components as the label joins them
    int components = 0;
    float x = 0, y = 0;
    bool outline = false;  // drawn with the dark outline
};

struct Marker {
    int32_t type = 0;
    Vec3 pos;
    bool hidden = false;  // drawn below the ground, which hides it from the player
};

struct Screen {
    std::vector<TextLine> lines;
    std::vector<Marker> markers;
    bool outlineNext = false;  // SET_TEXT_OUTLINE sets it; the next drawn text takes and clears it
};

// A streamed asset: requested at some time, loaded at the start of the first frame that starts at
// least its load time later.
struct Asset {
    uint64_t readyMs = 0;
    bool loaded = false;
};

// A stretch of known ground: a disc around (x, y) whose surface lies at height z.
struct Ground {
    float x = 0, y = 0, radius = 0, z = 0;
};

struct World {
    // Timing of the host's own behaviour, in milliseconds. The host runs its scripts once a frame and
    // everything in the world moves on in whole frames.
    double frameMs = 1000.0 / 60.0;  // the length of a frame: 60 frames a second
    uint32_t leaveVehicleMs = 1500;  // a ped told to get out is out after this
    uint32_t animDictLoadMs = 150;   // a requested dictionary is loaded after this, from cold
    uint32_t modelLoadMs = 400;      // a requested model is loaded after this, from cold
    float walkSpeed = 1.5f;          // metres per second: following, entering, walking to a point
    float fleeSpeed = 5.0f;
    float boardReach = 1.5f;      // a ped entering a vehicle sits once this close ...
    uint32_t enterVehicleMs = 0;  // ... and no sooner than this after the order: getting onto the seat

    std::map<int32_t, Entity> entities;
    int32_t nextHandle = 1;

    int32_t playerIndex = 0;
    int32_t playerPed = 0;
    int32_t aimTarget = 0;  // what the player free-aims at; 0 for nothing, negative written as is

    std::map<std::string, Asset> animDicts;  // requested or loaded dictionaries
    std::map<uint32_t, Asset> models;        // requested or loaded models

    // The game's map, as far as it is known: the road in front of each of its seven police stations
    // (Mission Row, Vespucci, Rockford Hills, Vinewood, Davis, Sandy Shores, Paleto Bay), from the
    // game's path nodes. Anywhere else the ground is unknown and a marker counts as seen.
    std::vector<Ground> ground = {
        {477.0f, -1023.0f, 60.0f, 27.0f},   {-1109.75f, -787.25f, 60.0f, 17.56f}, {-556.5f, -145.4f, 60.0f, 37.2f},
        {641.75f, -4.25f, 60.0f, 81.78f},   {388.5f, -1620.0f, 60.0f, 28.28f},    {1870.0f, 3693.8f, 60.0f, 32.6f},
        {-447.75f, 6033.5f, 60.0f, 30.31f},
    };

    bool waypointSet = false;
    float waypointX = 0, waypointY = 0;

    Screen drawing;    // being drawn in the current frame
    Screen lastFrame;  // what the previous frame showed
    // The game's loading screen is up: scripts run, but nothing they draw is seen, and the frame
    // shows nothing of theirs. Scenes switch it with Host::atTime.
    bool loadingScreen = false;
    // The language the game runs in, as GET_CURRENT_LANGUAGE answers it (0 American English). The
    // player may change it in the menu at any time; scenes set it directly.
    int32_t language = 0;

    uint64_t nowMs = 0;  // time since the world began; the host's clock drives it

    World();

    // Building the scene
    int32_t spawnPed(Vec3 pos, uint32_t model = 0);
    int32_t spawnVehicle(Vec3 pos, int32_t seatCount = 4);
    void seatPed(int32_t ped, int32_t vehicle, int32_t seat);
    void unseatPed(int32_t ped);
    // A vehicle at `pos` that the player has just got out of: his last vehicle, with him on foot
    // beside its driver's door.
    int32_t parkLastVehicle(Vec3 pos);
    void remove(int32_t handle);
    // A reload of the game: every ped and vehicle but the player is gone, and the handles that named
    // them are handed out again to whatever is made next. The player keeps his handle, on foot.
    void reload();

    Entity* find(int32_t handle);
    const Entity* find(int32_t handle) const;
    bool exists(int32_t handle) const { return find(handle) != nullptr; }
    // The player's ped, made with the world. Asked for after remove() took him away, it aborts with a
    // message instead of handing out a null reference.
    Entity& player();

    // Moving the player around, as his controls would
    void movePlayer(Vec3 pos);
    void drive(int32_t vehicle, Vec3 target, float speed);

    // Streaming: a request starts a load that ends between frames; a loaded asset stays loaded.
    void requestAnimDict(const std::string& dictionary);
    void requestModel(uint32_t model);
    void preloadAnimDict(const std::string& dictionary) { animDicts[dictionary] = {nowMs, true}; }
    void preloadModel(uint32_t model) { models[model] = {nowMs, true}; }
    bool animDictLoaded(const std::string& dictionary) const;
    bool modelLoaded(uint32_t model) const;

    // The height of the ground under (x, y); false where the map knows none.
    bool groundAt(float x, float y, float& z) const;
    void drawMarker(int32_t type, const Vec3& pos);

    // Orders, as the natives give them
    void order(Entity& ped, Task task, const std::string& description);

    // Between two frames: what was drawn is shown (unless the loading screen hid it), the clock moves
    // on by `ms`, tasks and driving advance, and what has finished streaming is loaded.
    void endFrame();
    void advance(uint32_t ms);
    void stream();

  private:
    void advancePed(Entity& ped, float seconds);
    void advanceVehicle(Entity& vehicle, float seconds);
};

}  // namespace sim
