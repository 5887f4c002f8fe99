// Brindlecot demo — the map of a scene, seen from above.
//
//   [SECTION] What the map holds
//   [SECTION] Recorder
//   [SECTION] Map files
//
// The recorder follows a scene frame by frame: where the player, the suspect, the player's car and
// the officer stand in the simulated world, which of the narrator's stages the arrest is in, and the
// events the story tells (each press of the key, the handcuffs, the boarding, the delivery, the
// release) with their simulated time. The map is drawn from it with cairo, as SVG or PNG.

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demo/narrator.h"
#include "demo/observer.h"
#include "sim/world.h"

namespace demo {

//-----------------------------------------------------------------------------
// [SECTION] What the map holds
//-----------------------------------------------------------------------------

enum class Role { Player, Suspect, Car, Officer };
constexpr Role kRoles[] = {Role::Player, Role::Suspect, Role::Car, Role::Officer};

const char* roleName(Role role);

struct Sample {
    uint64_t ms = 0;
    sim::Vec3 pos;
    Stage stage = Stage::Street;
};

// Where one entity went while it held a role; a new suspect (a second clone) starts a new piece.
struct Piece {
    int32_t handle = 0;
    std::vector<Sample> samples;
};

// One event of the story, where it happened.
struct MapEvent {
    std::string what;  // press, cuffed, boarded, delivered, released
    uint64_t ms = 0;   // simulated time since the start
    sim::Vec3 at;
    Stage stage = Stage::Street;  // the stage it led to
    std::string note;             // what the screen said after a press, colour tokens stripped; or why
    bool aimed = false;           // a press while aiming at `aim`
    sim::Vec3 aim;
};

struct MapCircle {
    std::string what;  // cuff, leash, boarding, delivery
    sim::Vec3 centre;
    float radius = 0;
};

//-----------------------------------------------------------------------------
// [SECTION] Recorder
//-----------------------------------------------------------------------------

class MapRecorder : public SceneObserver {
  public:
    explicit MapRecorder(std::string title) : title_(std::move(title)) {}

    void begin(const sim::Host& host, const Narrator& narrator) override;
    void frame(const sim::Host& host, const Narrator& narrator) override;

    const std::string& title() const { return title_; }
    const std::vector<Piece>& pieces(Role role) const { return pieces_[static_cast<int>(role)]; }
    const std::vector<MapEvent>& events() const { return events_; }
    const std::vector<MapCircle>& circles() const { return circles_; }
    const std::vector<Stage>& stagesSeen() const { return stagesSeen_; }  // in the order first seen
    bool saw(Stage stage) const;
    bool markerSeen() const { return markerSeen_; }
    const sim::Vec3& marker() const { return marker_; }  // the precinct marker the plugin drew
    bool markerHidden() const { return markerHidden_; }  // drawn below the ground, out of the player's sight

  private:
    void sample(const sim::Host& host, const Narrator& narrator);
    void track(Role role, int32_t handle, const sim::World& world, uint64_t ms, Stage stage);
    void notePress(const sim::Host& host, const Narrator& narrator);
    void noteStage(const sim::Host& host, const Narrator& narrator);
    void noteBoarding(const sim::Host& host, const Narrator& narrator);
    void noteMarker(const sim::World& world);
    void remember(const sim::World& world);
    void addEvent(const std::string& what, uint64_t ms, const sim::Vec3& at, const Narrator& narrator);
    sim::Vec3 posOf(const sim::World& world, int32_t handle) const;

    std::string title_;
    std::vector<Piece> pieces_[4];
    std::vector<MapEvent> events_;
    std::vector<MapCircle> circles_;
    std::vector<Stage> stagesSeen_;
    std::map<int32_t, sim::Vec3> before_;  // every entity's position before the frame
    int32_t car_ = 0;                      // the player's car
    uint64_t frameStartMs_ = 0;
    Stage stage_ = Stage::Street;
    int32_t boardedCar_ = 0;
    bool keyDown_ = false;
    int pressAwaitingText_ = -1;  // index of the press whose screen text is still to come
    size_t statusLinesAtPress_ = 0;
    bool markerSeen_ = false;
    sim::Vec3 marker_;
    bool markerHidden_ = false;
};

//-----------------------------------------------------------------------------
// [SECTION] Map files
//-----------------------------------------------------------------------------

enum class MapFormat { Unknown, Svg, Png };

// From the file name's extension, .svg or .png in any case.
MapFormat mapFormatOf(const std::string& path);

// Why the map cannot be written at `path` (unknown extension, no such directory, a directory in
// the way, no write access), or "" when it can. Leaves nothing behind.
std::string checkMapPath(const std::string& path);

// Draws the map and writes it at `path` in the format its extension names. The file appears whole
// or not at all; on failure `error` says why.
bool writeMap(const MapRecorder& recorder, const std::string& path, std::string& error);

}  // namespace demo
