// Brindlecot demo — the map's recorder.
//
//   [SECTION] Constants
//   [SECTION] Frames
//   [SECTION] Tracks
//   [SECTION] Events

#include <algorithm>
#include <cstdio>

#include "arrest/tuning.h"
#include "demo/map.h"
#include "sim/host.h"

namespace demo {

//-----------------------------------------------------------------------------
// [SECTION] Constants
//-----------------------------------------------------------------------------

// The radii come from the plugin's tuning (arrest/tuning.h), so a tuned plugin draws its own map.

constexpr float kMinStep = 0.05f;  // metres an entity must move before its track takes a new point

const char* roleName(Role role) {
    switch (role) {
        case Role::Player:
            return "player";
        case Role::Suspect:
            return "suspect";
        case Role::Car:
            return "car";
        case Role::Officer:
            return "officer";
    }
    return "?";
}

//-----------------------------------------------------------------------------
// [SECTION] Frames
//-----------------------------------------------------------------------------

void MapRecorder::begin(const sim::Host& host, const Narrator& narrator) {
    const sim::Entity* player = host.world.find(host.world.playerPed);
    car_ = player ? player->lastVehicle : 0;
    frameStartMs_ = narrator.now();
    stage_ = narrator.stage();
    stagesSeen_.assign(1, stage_);
    sample(host, narrator);
    remember(host.world);
}

void MapRecorder::frame(const sim::Host& host, const Narrator& narrator) {
    notePress(host, narrator);
    noteStage(host, narrator);
    noteBoarding(host, narrator);
    noteMarker(host.world);
    sample(host, narrator);
    remember(host.world);
    frameStartMs_ = narrator.now();
}

bool MapRecorder::saw(Stage stage) const {
    return std::find(stagesSeen_.begin(), stagesSeen_.end(), stage) != stagesSeen_.end();
}

void MapRecorder::remember(const sim::World& world) {
    before_.clear();
    for (const auto& [handle, e] : world.entities)
        before_[handle] = e.pos;
}

sim::Vec3 MapRecorder::posOf(const sim::World& world, int32_t handle) const {
    if (const sim::Entity* e = world.find(handle)) return e->pos;
    auto it = before_.find(handle);
    return it == before_.end() ? sim::Vec3() : it->second;
}

//-----------------------------------------------------------------------------
// [SECTION] Tracks
//-----------------------------------------------------------------------------

void MapRecorder::sample(const sim::Host& host, const Narrator& narrator) {
    const sim::World& world = host.world;
    const sim::Entity* player = world.find(world.playerPed);
    if (player && player->lastVehicle != 0) car_ = player->lastVehicle;
    const uint64_t ms = narrator.now();
    track(Role::Player, world.playerPed, world, ms, stage_);
    track(Role::Suspect, narrator.facts().suspect, world, ms, stage_);
    track(Role::Car, car_, world, ms, stage_);
    track(Role::Officer, narrator.facts().officer, world, ms, stage_);
}

// The last point is always where the entity stands now; the ones before it lie at least kMinStep
// apart within a stage, so that a ped standing still or creeping adds no points.
void MapRecorder::track(Role role, int32_t handle, const sim::World& world, uint64_t ms, Stage stage) {
    const sim::Entity* e = handle != 0 ? world.find(handle) : nullptr;
    if (!e) return;
    std::vector<Piece>& pieces = pieces_[static_cast<int>(role)];
    if (pieces.empty() || pieces.back().handle != handle) pieces.push_back({handle, {}});
    std::vector<Sample>& samples = pieces.back().samples;
    const size_t n = samples.size();
    const bool tailIsShort = n >= 2 && samples[n - 1].stage == stage && samples[n - 2].stage == stage &&
                             sim::distance(samples[n - 2].pos, samples[n - 1].pos) < kMinStep;
    if (tailIsShort) samples.pop_back();
    samples.push_back({ms, e->pos, stage});
}

//-----------------------------------------------------------------------------
// [SECTION] Events
//-----------------------------------------------------------------------------

// What the plugin did within a frame is stamped with the frame's start, as the narration stamps its
// calls; what shows only after the frame (a ped sitting down) with the time after it.
void MapRecorder::addEvent(const std::string& what, uint64_t ms, const sim::Vec3& at, const Narrator& narrator) {
    MapEvent event;
    event.what = what;
    event.ms = ms;
    event.at = at;
    event.stage = narrator.stage();
    events_.push_back(event);
}

// A key going down is the player's press; the first text the screen shows from then on says what it
// did. The cuff and leash circles are drawn around where he stood.
void MapRecorder::notePress(const sim::Host& host, const Narrator& narrator) {
    const bool down = std::any_of(std::begin(host.keys), std::end(host.keys), [](bool k) { return k; });
    const bool pressed = down && !keyDown_;
    keyDown_ = down;
    const std::vector<std::string>& shown = narrator.facts().statusLines;
    if (pressed) {
        const sim::World& world = host.world;
        const sim::Vec3 at = posOf(world, world.playerPed);
        addEvent("press", frameStartMs_, at, narrator);
        if (world.aimTarget > 0 && before_.count(world.aimTarget)) {
            events_.back().aimed = true;
            events_.back().aim = before_.at(world.aimTarget);
        }
        circles_.push_back({"cuff", at, kCuffRadius});
        circles_.push_back({"leash", at, kLeashLength});
        pressAwaitingText_ = static_cast<int>(events_.size()) - 1;
        statusLinesAtPress_ = shown.size();
    }
    if (pressAwaitingText_ >= 0 && shown.size() > statusLinesAtPress_) {
        events_[static_cast<size_t>(pressAwaitingText_)].note = renderStatus(shown[statusLinesAtPress_], false);
        pressAwaitingText_ = -1;
    }
}

void MapRecorder::noteStage(const sim::Host& host, const Narrator& narrator) {
    const Stage now = narrator.stage(), was = stage_;
    if (now == was) return;
    stage_ = now;
    if (!saw(now)) stagesSeen_.push_back(now);
    const sim::World& world = host.world;
    const sim::Vec3 suspect = posOf(world, narrator.facts().suspect);
    if (now == Stage::Escort) {
        addEvent("cuffed", frameStartMs_, suspect, narrator);
        if (car_ != 0) circles_.push_back({"boarding", posOf(world, car_), kBoardingRadius});
    } else if (now == Stage::HandOver) {
        addEvent("delivered", frameStartMs_, suspect, narrator);
        if (narrator.facts().officer == 0) events_.back().note = "no officer: his model had not loaded";
    } else if (now == Stage::Released) {
        addEvent("released", frameStartMs_, suspect, narrator);
        const float apart = narrator.facts().releaseDistance;
        if (apart >= 0 && was != Stage::HandOver) {
            char note[48];
            std::snprintf(note, sizeof note, "%.1f m from the player", static_cast<double>(apart));
            events_.back().note = note;
        }
    }
}

void MapRecorder::noteBoarding(const sim::Host& host, const Narrator& narrator) {
    const int32_t car = narrator.facts().boardedCar;
    if (car == boardedCar_) return;
    boardedCar_ = car;
    if (car != 0) addEvent("boarded", narrator.now(), posOf(host.world, car), narrator);  // seen after the frame
}

void MapRecorder::noteMarker(const sim::World& world) {
    if (markerSeen_ || world.lastFrame.markers.empty()) return;
    markerSeen_ = true;
    marker_ = world.lastFrame.markers.front().pos;
    markerHidden_ = world.lastFrame.markers.front().hidden;
}

}  // namespace demo
