// Brindlecot demo — tells an arrest in the simulated host the way a player follows it.
//
// The narrator never looks inside the plugin: it reads the values in the slots of the host's traced
// native calls, the seats of the world's peds, the animations the game played or dropped, and the
// status line and marker the last frame drew, and prints one line per event that matters, stamped
// with the simulated time since the start.

#pragma once

#include <cstdio>
#include <initializer_list>
#include <map>

#include "scenes/format.h"
#include "scenes/stage.h"
#include "sim/host.h"

namespace demo {

using scenes::fmt;
std::string formatTime(uint64_t ms);  // simulated time as mm:ss.mmm; minutes keep counting past 59
std::string metres(double d);         // a distance as the story prints it: "2.8 m"

// The status line with the host's colour tokens ~r~, ~b~ and ~w~ turned into terminal colours, or
// stripped when `colour` is false. Other text, unknown tokens included, passes unchanged.
std::string renderStatus(const std::string& text, bool colour);

struct Facts {
    std::map<std::string, int> calls;      // native name -> times called
    std::vector<std::string> statusLines;  // each new text the screen showed, tokens included
    int32_t suspect = 0;                   // the last clone
    int32_t officer = 0;                   // the last ped created, 0 when creation failed
    int32_t boardedCar = 0;                // car the suspect sat down in, 0 if none
    float releaseDistance = -1.0f;         // player to suspect when he was let go, -1 if never
    int bustedPoses = 0;                   // busted poses the game played
    int animsNotLoaded = 0;                // animations the game dropped: their dictionary was not loaded
    bool markerVisible = false;            // a frame showed the precinct marker above the ground
    sim::Vec3 handOver;                    // where the last marker stood: the hand-over point of the arrest
    int64_t officerWaitMs = -1;            // from the last request for the officer's model to his creation
    int count(const std::string& name) const { return calls.count(name) ? calls.at(name) : 0; }
    std::string lastStatus() const { return statusLines.empty() ? std::string() : statusLines.back(); }
};

class Narrator;
// Sees the world once as the scene built it, before the plugin is loaded, and again after every
// frame the narrator has told: the map follows a scene this way.
using Watcher = std::function<void(const sim::Host&, const Narrator&)>;

struct NarratorOptions {
    bool colour = false;  // render the status line's colours
    bool trace = false;   // echo every traced call as it happens
    FILE* out = stdout;
    Watcher watcher;
};

class Narrator {
  public:
    Narrator(sim::Host& host, const NarratorOptions& options);

    void step();                        // one frame (one wait) of the script, then everything it showed
    void say(const std::string& what);  // a line of the scene itself: what the player does

    const Facts& facts() const { return facts_; }
    scenes::Stage stage() const { return stage_; }
    uint64_t now() const { return host_.elapsedMs(); }

  private:
    void observeStatus(uint64_t frameStartMs);
    void observeMarker(uint64_t frameStartMs);
    void observeCall(const sim::TraceEntry& entry);
    void observeAnim(uint64_t at, int32_t ped);
    void observeSeats();
    void line(uint64_t ms, const std::string& what);
    std::string who(int32_t handle) const;
    bool firstInArrest(const std::string& name);
    std::string handBack(int32_t handle);
    std::string nextOrder(int32_t handle, std::initializer_list<const char*> kinds);

    sim::Host& host_;
    NarratorOptions options_;
    uint32_t startTick_;
    Facts facts_;
    // The stage as the plugin's calls show it: the take-over (the clone) begins the busted pose, the
    // handcuffs the escort, the boarding the transport, and the release (the order to flee) ends it.
    scenes::Stage stage_ = scenes::Stage::None;
    bool handingOver_ = false;                    // the officer was created; the arrest ends with the hand-back
    size_t told_ = 0;                             // trace entries already told
    std::map<int32_t, int32_t> seats_;            // ped -> car it sits in
    std::map<std::string, bool> saidThisArrest_;  // repeated orders told once per arrest
    std::map<std::pair<int32_t, std::string>, size_t> ordersTold_;  // ped and kind -> orders already told
    uint64_t modelAsked_ = 0;   // when the script last asked for the officer's model
    bool outlineTold_ = false;  // the status line's outline was told
};

}  // namespace demo
