// Brindlecot demo — tells an arrest in the simulated host the way a player follows it.
//
//   [SECTION] Text helpers
//   [SECTION] What the narrator saw
//   [SECTION] Narrator
//
// The narrator never looks inside the plugin: it reads the host's trace of native calls, the seats
// of the world's peds, the animations the game played or dropped, and the status line and marker
// the last frame drew, and prints one line per event that matters, stamped with the simulated time
// since the start.

#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/host.h"

namespace demo {

//-----------------------------------------------------------------------------
// [SECTION] Text helpers
//-----------------------------------------------------------------------------

// Simulated time as mm:ss.mmm; minutes keep counting past 59.
std::string formatTime(uint64_t ms);

// The status line with the host's colour tokens ~r~, ~b~ and ~w~ turned into terminal colours, or
// stripped when `colour` is false. Other text, unknown tokens included, passes unchanged.
std::string renderStatus(const std::string& text, bool colour);

// The native's name of a traced call, e.g. "CLONE_PED" for "CLONE_PED(2, 0, 1, 1)".
std::string callName(const std::string& call);

// The arguments of a traced call as written, split at the top-level commas; quoted texts may hold
// commas and parentheses.
std::vector<std::string> callArgs(const std::string& call);

//-----------------------------------------------------------------------------
// [SECTION] What the narrator saw
//-----------------------------------------------------------------------------

// How far the arrest has come, as seen from the outside.
enum class Stage { Street, Busted, Escort, Transport, HandOver, Released };

const char* stageName(Stage stage);

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
    int64_t officerWaitMs = -1;            // from the last request for the officer's model to his creation
    int count(const std::string& name) const;
    std::string lastStatus() const { return statusLines.empty() ? std::string() : statusLines.back(); }
};

//-----------------------------------------------------------------------------
// [SECTION] Narrator
//-----------------------------------------------------------------------------

class Narrator;

struct NarratorOptions {
    bool colour = false;  // render the status line's colours
    bool trace = false;   // echo every traced call as it happens
    FILE* out = stdout;
    std::function<void(const Narrator&)> afterStep;  // called once the narrator has seen each frame
};

class Narrator {
  public:
    Narrator(sim::Host& host, const NarratorOptions& options);

    // One frame (one wait) of the script, then everything it showed.
    void step();
    // A line of the scene itself: what the player does.
    void say(const std::string& what);

    const Facts& facts() const { return facts_; }
    Stage stage() const { return stage_; }
    uint64_t now() const;

  private:
    void observeStatus(uint64_t frameStartMs);
    void observeMarker(uint64_t frameStartMs);
    void observeCall(const sim::TraceEntry& entry);
    void observeSeats();
    void line(uint64_t ms, const std::string& what);
    std::string who(int32_t handle) const;
    bool firstInArrest(const std::string& name);
    std::string handBack(int32_t handle);
    std::string nextAnimOrder(int32_t handle);

    sim::Host& host_;
    NarratorOptions options_;
    uint32_t startTick_;
    Facts facts_;
    Stage stage_ = Stage::Street;
    std::string shownStatus_;
    bool statusShownOnce_ = false;
    std::map<int32_t, int32_t> seats_;            // ped -> car it sits in
    std::map<std::string, bool> saidThisArrest_;  // repeated orders told once per arrest
    std::map<int32_t, size_t> handBacksTold_;     // ped -> hand-backs already told
    std::map<int32_t, size_t> animsTold_;         // ped -> animation orders already told
    std::map<std::string, uint64_t> dictAsked_;   // dictionary -> when the script asked for it
    uint64_t modelAsked_ = 0;                     // when the script last asked for the officer's model
    bool outlineTold_ = false;                    // the status line's outline was told
};

}  // namespace demo
