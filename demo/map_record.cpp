// Brindlecot demo — the map's recorder.

#include "demo/map.h"

namespace demo {

using scenes::Stage;

// A key going down is the player's press; the first text the screen shows from then on says what it
// did. A press in the busted pose tries the cuffs: the cuff reach is drawn around the player. The
// leash measures from the suspect, who kneels where he was taken until he is cuffed; the boarding
// reach is drawn around the car as the escort begins, the delivery reach as the transport does.
// What the plugin did within a frame is stamped with the frame's start, as the story stamps its
// calls; what shows only after the frame (a ped sitting down) with the time after it.
void MapRecorder::watch(const sim::Host& host, const Narrator& narrator) {
    const sim::World& world = host.world;
    const Facts& facts = narrator.facts();
    const Stage now = narrator.stage(), was = stage_;
    const sim::Vec3 suspect = posOf(world, facts.suspect);
    const bool down = std::any_of(std::begin(host.keys), std::end(host.keys), [](bool k) { return k; });
    auto add = [&](const char* what, const sim::Vec3& at) -> MapEvent& {
        return events_.emplace_back(MapEvent{what, frameStartMs_, at, now, ""});
    };
    if (std::find(stagesSeen_.begin(), stagesSeen_.end(), now) == stagesSeen_.end()) stagesSeen_.push_back(now);
    if (down && !keyDown_) {
        MapEvent& press = add("press", posOf(world, world.playerPed));
        if (world.aimTarget > 0 && before_.count(world.aimTarget)) press.aim = before_.at(world.aimTarget);
        if (!press.aim && was == Stage::Busted) circles_.push_back({Ring::Cuff, press.at});
        pressAwaitingText_ = events_.size() - 1;
        statusLinesAtPress_ = facts.statusLines.size();
    }
    keyDown_ = down;
    if (pressAwaitingText_ < events_.size() && facts.statusLines.size() > statusLinesAtPress_) {
        events_[pressAwaitingText_].note = renderStatus(facts.statusLines[statusLinesAtPress_], false);
        pressAwaitingText_ = SIZE_MAX;
    }
    if (now != was) {
        if (now == Stage::Busted) circles_.push_back({Ring::Leash, suspect});
        if (now == Stage::Escort) add("cuffed", suspect);
        if (now == Stage::Escort && car_ != 0) circles_.push_back({Ring::Boarding, posOf(world, car_)});
        if (now == Stage::Transport) circles_.push_back({Ring::Delivery, facts.handOver});
    }
    if (facts.count("CREATE_PED") != deliveries_) {
        deliveries_ = facts.count("CREATE_PED");
        add("delivered", suspect).note = facts.officer == 0 ? "no officer: his model had not loaded" : "";
    }
    if (now == Stage::None && was != Stage::None) {
        const bool letGo = facts.releaseDistance >= 0 && (events_.empty() || events_.back().what != "delivered");
        add("released", suspect).note = letGo ? metres(facts.releaseDistance) + " from the player" : "";
    }
    const bool putIn = facts.count("SET_PED_INTO_VEHICLE") != putIns_;  // he sat down because he was put in
    putIns_ = facts.count("SET_PED_INTO_VEHICLE");
    if (facts.boardedCar != boardedCar_ && facts.boardedCar != 0)
        add(putIn ? "put in" : "boarded", posOf(world, facts.boardedCar)).ms = narrator.now();
    boardedCar_ = facts.boardedCar;
    stage_ = now;

    if (const sim::Entity* player = world.find(world.playerPed); player && player->lastVehicle != 0) {
        car_ = player->lastVehicle;
    }
    frameStartMs_ = narrator.now();
    const int32_t handles[] = {world.playerPed, facts.suspect, car_, facts.officer};  // in the order of Role
    for (Role role : kRoles)
        track(role, handles[static_cast<int>(role)], world);
    before_.clear();
    for (const auto& [handle, e] : world.entities)
        before_[handle] = e.pos;
}

sim::Vec3 MapRecorder::posOf(const sim::World& world, int32_t handle) const {
    if (const sim::Entity* e = world.find(handle)) return e->pos;
    auto it = before_.find(handle);
    return it == before_.end() ? sim::Vec3() : it->second;
}

// The last point is always where the entity stands now; the ones before it lie at least 5 cm apart
// within a stage, so that a ped standing still or creeping adds no points.
void MapRecorder::track(Role role, int32_t handle, const sim::World& world) {
    const sim::Entity* e = handle != 0 ? world.find(handle) : nullptr;
    if (!e) return;
    std::vector<Piece>& pieces = pieces_[static_cast<int>(role)];
    if (pieces.empty() || pieces.back().handle != handle) pieces.push_back({handle, {}});
    std::vector<Sample>& s = pieces.back().samples;
    const size_t n = s.size();
    if (n >= 2 && s[n - 1].stage == stage_ && s[n - 2].stage == stage_ &&
        sim::distance(s[n - 2].pos, s[n - 1].pos) < 0.05f) {
        s.pop_back();
    }
    s.push_back({frameStartMs_, e->pos, stage_});
}

}  // namespace demo
