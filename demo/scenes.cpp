// Brindlecot demo — the scenes.

#include "demo/scenes.h"

#include <algorithm>
#include <functional>
#include <tuple>

#include "arrest/tuning.h"
#include "hud/status.h"
#include "scenes/cuff_draw.h"
#include "scenes/places.h"
#include "scenes/press.h"

namespace demo {

namespace {

constexpr uint32_t kDefaultStartTick = 100000;
constexpr float kWalk = 1.4f;  // metres per second
constexpr float kRun = 6.0f;
const sim::Vec3 kStreet = {300.0f, -900.0f, 29.0f};        // south of the city, near Mission Row
const sim::Vec3 kSandyStreet = {1600.0f, 3560.0f, 33.0f};  // Sandy Shores, 300 m from its station
constexpr int32_t kMissionRow = 0, kSandyShores = 5;       // rows of kStations

using scenes::offset;
using scenes::vecOf;

// How far p lies from the officer's path at the station, on the ground.
float fromOfficersPath(const Station& station, const sim::Vec3& p) {
    const NativeVec3 a = station.officerStart, b = station.officerWalkTarget;
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return sim::distance({p.x, p.y, 0}, {a.x + t * dx, a.y + t * dy, 0});
}

// A scene as it plays: the player moved and his key pressed frame by frame while the narrator tells
// what follows, and what did not go as it should.
struct Scene {
    sim::Host& host;
    Narrator& n;
    const Station& station;  // where the scene's suspect is to be handed over
    int32_t language;        // the game's, which the status line speaks
    std::vector<std::string> failed;

    // A text of the status line as the plugin shows it in the scene's language.
    const char* text(TextId id) const { return catalogueText(id, language); }

    bool expect(bool ok, const std::string& what) {
        if (!ok) failed.push_back(what);
        return ok;
    }
    sim::Entity& me() { return host.world.player(); }
    float distanceTo(int32_t handle) {
        const sim::Entity* e = host.world.find(handle);
        return e ? sim::distance(me().pos, e->pos) : -1.0f;
    }
    void idle(uint64_t ms) {
        waitUntil([] { return false; }, ms);
    }

    // Frames until `done` holds, for at most `ms` of simulated time.
    bool waitUntil(const std::function<bool()>& done, uint64_t ms) {
        for (const uint64_t until = n.now() + ms; n.now() < until && host.faults.empty() && !done();)
            n.step();
        return done();
    }

    // Holds the arrest key for a frame aiming at `aim` (0: nobody), while the narrator tells every
    // frame, until the main loop's pass is over and the plugin's debounce has run out.
    void press(const std::string& how, int32_t aim = 0) {
        n.say(how);
        scenes::press(host, {aim}, [this] { n.step(); });
    }
    void aimAndPress(int32_t ped) {
        press("the player aims at " + std::string(host.world.find(ped)->vehicle ? "the driver, " : "") + "ped #" +
                  std::to_string(ped) + " (" + metres(distanceTo(ped)) + " away) and presses F3",
              ped);
    }

    // Walks (or runs) in a straight line; stops early once `stop` holds.
    bool walkTo(const sim::Vec3& to, float speed, const std::function<bool()>& stop = {}) {
        uint64_t last = n.now();
        for (uint64_t guard = 0; guard < 20000 && host.faults.empty(); ++guard) {
            const float left = sim::distance(me().pos, to);
            if ((stop && stop()) || left < 0.01f) return true;
            n.step();
            const float stride = speed * static_cast<float>(n.now() - last) / 1000.0f,
                        f = std::min(1.0f, stride / left);
            last = n.now();
            const sim::Vec3 p = me().pos;
            host.world.movePlayer({p.x + (to.x - p.x) * f, p.y + (to.y - p.y) * f, p.z + (to.z - p.z) * f});
        }
        return false;
    }
};

// The scene's people and places, built before the narrator starts watching.
struct Cast {
    int32_t car = 0;  // the player's
    int32_t ped = 0;  // the man on the pavement
    int32_t missionPed = 0, fighter = 0, getaway = 0, driver = 0;
};

// The player has just got out of his car by the kerb; a man stands on the pavement a few metres off.
Cast buildStreetAt(sim::World& world, const sim::Vec3& street) {
    Cast c;
    c.car = world.parkLastVehicle(street);
    c.ped = world.spawnPed(offset(street, 6.0f, -7.0f));
    return c;
}

Cast buildStreet(sim::World& world) { return buildStreetAt(world, kStreet); }

Cast buildSandyStreet(sim::World& world) { return buildStreetAt(world, kSandyStreet); }

// The same street, with a mission ped, a ped fighting on foot and one fighting from his car.
Cast buildTroubledStreet(sim::World& world) {
    Cast c = buildStreet(world);
    c.missionPed = world.spawnPed(offset(kStreet, 5.0f, 3.0f));
    world.find(c.missionPed)->missionEntity = true;
    c.fighter = world.spawnPed(offset(kStreet, -6.0f, 4.0f));
    world.find(c.fighter)->inCombat = true;
    c.getaway = world.spawnVehicle(offset(kStreet, 8.0f, -8.0f));
    c.driver = world.spawnPed(world.find(c.getaway)->pos);
    world.seatPed(c.driver, c.getaway, -1);
    world.find(c.driver)->inCombat = true;
    return c;
}

// Aim, press, walk up, press again: ends with the handcuffs on or the suspect gone.
bool takeIntoCustodyAndCuff(Scene& s, int32_t ped) {
    const Facts& f = s.n.facts();
    s.aimAndPress(ped);
    if (!s.waitUntil([&] { return f.lastStatus() == s.text(TextId::GetClose); }, 5000)) return false;
    s.n.say("the player walks up to the suspect");
    const int32_t suspect = f.suspect;
    s.walkTo(offset(s.host.world.find(suspect)->pos, -1.2f, 0.0f), kWalk);
    s.press("the player lowers his gun and presses F3 (" + metres(s.distanceTo(suspect)) + " from him)");
    s.waitUntil([&] { return f.count("SET_ENABLE_HANDCUFFS") > 0 || f.releaseDistance >= 0; }, 1000);
    s.expect(f.bustedPoses > 0 && f.animsNotLoaded == 0,
             "the busted pose played on the first arrest, and every animation after it");
    return f.count("SET_ENABLE_HANDCUFFS") > 0;
}

// The whole road, from cold: the game streams in the officer's model once the plugin asks for it at
// the boarding, unless `officerComes` is false and the model never loads.
void playWholeArrest(Scene& s, const Cast& cast, bool officerComes) {
    const Facts& f = s.n.facts();
    sim::World& w = s.host.world;
    const sim::Vec3 handOver = vecOf(s.station.handOver);
    s.n.say("the player stands by his car #" + std::to_string(cast.car) + "; ped #" + std::to_string(cast.ped) +
            " loiters on the pavement");
    s.idle(500);
    if (!s.expect(takeIntoCustodyAndCuff(s, cast.ped), "the suspect is cuffed")) return;
    s.n.say("the player walks back to his car");
    s.walkTo(offset(w.find(cast.car)->pos, -2.5f, 0.0f), kWalk, [&] { return f.count("TASK_ENTER_VEHICLE") > 0; });
    s.expect(s.waitUntil([&] { return f.boardedCar != 0; }, 15000), "the suspect sits in the car");
    s.idle(500);
    w.seatPed(w.playerPed, cast.car, -1);  // behind the wheel
    s.n.step();
    s.n.say(std::string("the player drives off towards the ") + s.station.name + " station at 20.0 m/s");
    w.drive(cast.car, offset(handOver, 0.0f, -2.0f), 20.0f);
    s.waitUntil([&] { return f.count("CREATE_PED") > 0 || w.find(cast.car)->driveSpeed == 0.0f; }, 120000);
    s.waitUntil([&] { return s.n.stage() == scenes::Stage::None; }, 10000);
    s.idle(2000);
    const sim::Entity* suspect = w.find(f.suspect);
    const bool standing = suspect && suspect->vehicle == 0 && suspect->task != sim::Task::Flee;
    if (suspect) {
        const std::string where =
            metres(sim::distance(suspect->pos, handOver)) + " from the hand-over point" +
            (f.officer != 0 ? " and " + metres(fromOfficersPath(s.station, suspect->pos)) + " from the officer's path"
                            : "");
        s.n.say("suspect #" + std::to_string(f.suspect) +
                (suspect->vehicle ? " still sits in car #" + std::to_string(suspect->vehicle) + ", " + where
                 : standing ? " stands where he got out, " + where + ": the game has him, and nobody told him to flee"
                            : " runs off, " + where));
    }

    s.expect(f.boardedCar == cast.car, "the suspect boarded the player's car");
    s.expect(w.waypointSet && w.waypointX == handOver.x && w.waypointY == handOver.y,
             std::string("the map waypoint points at the ") + s.station.name + " station");
    s.expect(f.markerVisible && f.handOver.x == handOver.x && f.handOver.y == handOver.y,
             "the marker stood at the station's hand-over point above the ground, where the player sees it");
    if (officerComes) {
        s.expect(f.count("REQUEST_MODEL") == 1 && f.officer != 0 && w.exists(f.officer),
                 "the officer's model, asked for once at the boarding, let him appear at the delivery");
    } else {
        s.expect(
            f.officer == 0 && f.officerWaitMs >= kStreamingLimitMs && f.officerWaitMs < kStreamingLimitMs + w.frameMs,
            "the delivery waited 1000 ms more for the officer's model, then went on without him");
    }
    if (w.find(cast.car)->doorsBlocked) {
        s.expect(f.count("SET_PED_INTO_VEHICLE") == 1,
                 "the suspect, who could not get in, was put into his seat once, after the wait");
    } else {
        s.expect(f.count("SET_PED_INTO_VEHICLE") == 0, "the suspect got in by himself");
    }
    s.expect(f.count("TASK_LEAVE_VEHICLE") > 0, "the suspect was ordered out at the precinct");
    s.expect(standing && sim::distance(suspect->pos, handOver) < kDeliveryRadius,
             "the delivered suspect stands by the station, not fleeing");
    s.expect(s.n.stage() == scenes::Stage::None && s.host.statusLine().empty(),
             "the status line is blank after the hand-over");
}

void playArrest(Scene& s, const Cast& cast) { playWholeArrest(s, cast, true); }

void playNorth(Scene& s, const Cast& cast) {
    s.n.say("the player patrols Sandy Shores, in the north, with nearest_station=1 in his Brindlecot.ini");
    playWholeArrest(s, cast, true);
}

void playLateOfficer(Scene& s, const Cast& cast) {
    s.n.say("the game cannot stream in the officer's model here: asked for, it never loads");
    s.host.world.modelLoadMs = 0xFFFFFFFF;
    playWholeArrest(s, cast, false);
}

void playBlockedDoor(Scene& s, const Cast& cast) {
    s.n.say("car #" + std::to_string(cast.car) + " stands hard against a wall: its passenger doors cannot open");
    s.host.world.find(cast.car)->doorsBlocked = true;
    playWholeArrest(s, cast, true);
}

void playRefusals(Scene& s, const Cast& cast) {
    const Facts& f = s.n.facts();
    sim::World& w = s.host.world;
    const int32_t getaway = cast.getaway, driver = cast.driver;
    const std::tuple<int32_t, const char*, std::string> presses[] = {
        {cast.missionPed, s.text(TextId::MissionPed), "is part of a mission"},
        {cast.fighter, s.text(TextId::RefuseOnFoot), "is fighting the player on foot, unhurt"},
        {driver, s.text(TextId::RefuseInVehicle),
         "fights from car #" + std::to_string(getaway) + ", whose engine is intact"},
    };
    for (const auto& [ped, text, why] : presses) {
        s.n.say("ped #" + std::to_string(ped) + " " + why);
        s.aimAndPress(ped);
        s.expect(s.waitUntil([&, text = text] { return f.lastStatus() == text; }, 2000),
                 std::string("refused with \"") + text + "\"");
        s.idle(1000);
    }
    s.expect(f.count("CLONE_PED") == 0, "nobody was taken into custody");

    s.n.say("the player shoots up the engine of car #" + std::to_string(getaway) + " (health 1000 -> 400)");
    w.find(getaway)->engineHealth = 400.0f;
    s.aimAndPress(driver);
    s.expect(s.waitUntil([&] { return f.lastStatus() == s.text(TextId::GetClose); }, 10000),
             "the driver gives up once his engine is damaged");
    s.expect(!w.exists(driver) && w.find(f.suspect) && w.find(f.suspect)->vehicle == 0,
             "the driver was taken out of his car into custody");
}

void playResist(Scene& s, const Cast& cast) {
    const Facts& f = s.n.facts();
    s.n.say("ped #" + std::to_string(cast.ped) + " looks like he might run");
    takeIntoCustodyAndCuff(s, cast.ped);
    s.idle(2000);
    s.expect(f.count("SET_ENABLE_HANDCUFFS") == 0, "no handcuffs were put on");
    s.expect(f.releaseDistance >= 0 && f.releaseDistance < kCuffRadius, "the suspect ran from arm's length");
    s.expect(f.lastStatus() == s.text(TextId::Resisting) && s.n.stage() == scenes::Stage::None,
             "the resisting text stays on after the arrest ended");
}

void playLeash(Scene& s, const Cast& cast) {
    const Facts& f = s.n.facts();
    s.aimAndPress(cast.ped);
    s.waitUntil([&] { return f.lastStatus() == s.text(TextId::GetClose); }, 5000);
    s.n.say("the player turns and runs off down the street");
    const bool kept = s.walkTo(offset(kStreet, -80.0f, 0.0f), kRun, [&] { return f.releaseDistance >= 0; });
    s.idle(1000);
    s.expect(kept, "the suspect was let go before the player got 80 m down the street");
    s.expect(f.releaseDistance > kLeashLength && f.releaseDistance < kLeashLength + 1, "let go just past the leash");
    s.expect(s.host.statusLine().empty(), "the status line is blank");
}

void playFree(Scene& s, const Cast& cast) {
    const Facts& f = s.n.facts();
    if (!s.expect(takeIntoCustodyAndCuff(s, cast.ped), "the suspect is cuffed")) return;
    s.n.say("the player leads him a few steps, then changes his mind");
    s.walkTo(offset(s.host.world.player().pos, 0.0f, 4.0f), kWalk);
    s.press("the player presses F3 aiming at nobody");
    s.idle(2000);
    s.expect(f.releaseDistance >= 0 && f.releaseDistance < 5.0f, "the suspect was set free beside the player");
    s.expect(f.count("TASK_ENTER_VEHICLE") == 0, "he was never put in a car");
    s.expect(s.host.statusLine().empty(), "the status line is blank");
}

struct Entry : SceneInfo {
    bool cuffs;  // whether the scene needs a cuffing draw, and which way it usually falls
    bool resist;
    Cast (*build)(sim::World&);
    void (*play)(Scene&, const Cast&);
    const char* ini = nullptr;      // the player's Brindlecot.ini, none by default
    int32_t station = kMissionRow;  // the row of kStations the suspect is handed over at
};

// clang-format off
const Entry kEntries[] = {
    {{"arrest", "the whole arrest: aim, cuff, escort, drive to the precinct, hand-over"}, true, false,
     buildStreet, playArrest},
    {{"late-officer", "the whole arrest, but the officer's model never loads: a hand-over without him"}, true, false,
     buildStreet, playLateOfficer},
    {{"blocked-door", "the whole arrest, but the car's doors are blocked: the suspect is put into his seat"}, true,
     false, buildStreet, playBlockedDoor},
    {{"refusals", "a mission ped, a fighter on foot and one in a healthy car are refused"}, false, false,
     buildTroubledStreet, playRefusals},
    {{"resist", "the suspect resists the handcuffs and runs"}, true, true, buildStreet, playResist},
    {{"leash", "the player walks away from the suspect, past the leash"}, false, false, buildStreet, playLeash},
    {{"free", "the player sets the suspect free during the escort"}, true, false, buildStreet, playFree},
    {{"north", "the whole arrest in Sandy Shores, handed over at the nearest station (nearest_station=1)"}, true,
     false, buildSandyStreet, playNorth, "[Brindlecot]\nnearest_station=1\n", kSandyShores},
};
// clang-format on

const Entry* entryOf(const std::string& name) {
    auto it = std::find_if(std::begin(kEntries), std::end(kEntries), [&](const Entry& e) { return name == e.name; });
    return it == std::end(kEntries) ? nullptr : it;
}

}  // namespace

std::vector<SceneInfo> sceneList() { return {std::begin(kEntries), std::end(kEntries)}; }

bool playScene(const std::string& name, const RunOptions& options) {
    const Entry* entry = entryOf(name);
    if (!entry) return false;
    const uint32_t startTick = options.startTick >= 0 ? static_cast<uint32_t>(options.startTick)
                               : entry->cuffs         ? scenes::startTickWhereSuspect(entry->resist, kDefaultStartTick)
                                                      : kDefaultStartTick;

    sim::Host host(startTick);
    host.world.language = options.language;
    if (entry->ini) host.setIni(entry->ini);
    const Cast cast = entry->build(host.world);
    Narrator narrator(host, options);
    Scene scene{host, narrator, kStations[entry->station], options.language, {}};

    std::fprintf(options.out, "== %s: %s (game tick at start %u)\n", entry->name, entry->summary, startTick);
    void (*play)(Scene&, const Cast&) = entry->play;
    const int draw = scenes::cuffDrawAt(startTick);
    if (entry->cuffs && (draw < kResistChancePercent) != entry->resist) {
        std::fprintf(options.out, "== at tick %u the dice draw %d of 100: the suspect %s, so the story follows that\n",
                     startTick, draw, draw < kResistChancePercent ? "resists the handcuffs" : "lets himself be cuffed");
        play = entry->resist ? playArrest : playResist;
    }
    host.load();
    if (host.faults.empty()) play(scene, cast);

    for (const std::string& fault : host.faults)
        std::fprintf(options.out, "host fault: %s\n", fault.c_str());
    for (const std::string& what : scene.failed)
        std::fprintf(options.out, "NOT AS EXPECTED: %s\n", what.c_str());
    const bool ok = host.faults.empty() && scene.failed.empty();
    std::fprintf(options.out, "== %s: %s\n", entry->name, ok ? "ended as it should" : "FAILED");
    return ok;
}

}  // namespace demo
