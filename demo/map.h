// Brindlecot demo — the map of a scene, seen from above: what its recorder keeps of the scene, and
// its file. map_view lays the map out, map_draw draws it with cairo.

#pragma once

#include <map>
#include <optional>

#include "demo/narrator.h"

namespace demo {

enum class Role { Player, Suspect, Car, Officer };
constexpr Role kRoles[] = {Role::Player, Role::Suspect, Role::Car, Role::Officer};
constexpr const char* kRoleNames[] = {"player", "suspect", "car", "officer"};
inline const char* roleName(Role role) { return kRoleNames[static_cast<int>(role)]; }

struct Sample {
    uint64_t ms;
    sim::Vec3 pos;
    scenes::Stage stage;
};

// Where one entity went while it held a role; a second suspect starts a new piece.
struct Piece {
    int32_t handle;
    std::vector<Sample> samples;
};

struct MapEvent {
    std::string what;                   // press, cuffed, boarded, delivered, released
    uint64_t ms;                        // simulated time since the start
    sim::Vec3 at;                       // the player at a press, the car at the boarding, else the suspect
    scenes::Stage stage;                // the stage it led to
    std::string note;                   // what the screen said next after a press, or why
    std::optional<sim::Vec3> aim = {};  // whom a press aimed at
};

// The player's reach to cuff, the leash that lets the suspect go, the boarding reach around the car
// and the delivery reach around the precinct point.
enum class Ring { Cuff, Leash, Boarding, Delivery };
double ringRadius(Ring ring);  // metres, from the plugin's tuning

struct MapCircle {
    Ring ring;
    sim::Vec3 centre;
};

// Watches a scene through the narrator (watch() is its watcher): where the player, the suspect, the
// player's car and the officer stand, the stage the narrator reads from the plugin's calls, the
// events of the story with their simulated time, and the circles the plugin measures distances
// against, at its tuned radii.
class MapRecorder {
  public:
    explicit MapRecorder(std::string title) : title_(std::move(title)) {}
    void watch(const sim::Host& host, const Narrator& narrator);

    const std::string& title() const { return title_; }
    const std::vector<Piece>& pieces(Role role) const { return pieces_[static_cast<int>(role)]; }
    const std::vector<MapEvent>& events() const { return events_; }
    const std::vector<MapCircle>& circles() const { return circles_; }
    const std::vector<scenes::Stage>& stagesSeen() const { return stagesSeen_; }  // in the order first seen

  private:
    void track(Role role, int32_t handle, const sim::World& world);
    void add(const char* what, uint64_t ms, const sim::Vec3& at, const Narrator& narrator);
    sim::Vec3 posOf(const sim::World& world, int32_t handle) const;

    std::string title_;
    std::vector<Piece> pieces_[4];
    std::vector<MapEvent> events_;
    std::vector<MapCircle> circles_;
    std::vector<scenes::Stage> stagesSeen_;
    std::map<int32_t, sim::Vec3> before_;  // every entity's position before the frame
    int32_t car_ = 0, boardedCar_ = 0;     // the player's car; the one the suspect sits in
    uint64_t frameStartMs_ = 0;
    scenes::Stage stage_ = scenes::Stage::None;
    int deliveries_ = 0;
    bool keyDown_ = false;
    size_t pressAwaitingText_ = SIZE_MAX, statusLinesAtPress_ = 0;  // the press whose screen text is to come
};

enum class MapFormat { Unknown, Svg, Png };
MapFormat mapFormatOf(const std::string& path);  // from the extension, .svg or .png in any case

// Why the map cannot be written at `path` (unknown extension, no such directory, a directory in the
// way, a symbolic link to nothing, no write access), or "" when it can. Leaves nothing behind.
std::string checkMapPath(const std::string& path);
// Draws the map and writes it at `path`, through a symbolic link to the file it names; the file
// appears whole or not at all. On failure `error` says why.
bool writeMap(const MapRecorder& recorder, const std::string& path, std::string& error);

}  // namespace demo
