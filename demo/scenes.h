// Brindlecot demo — the scenes a player can watch, each played from a fresh simulated game.

#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace demo {

class SceneObserver;

struct RunOptions {
    bool trace = false;      // echo every native call
    bool colour = false;     // render the status line's colours
    int64_t startTick = -1;  // the game's tick at start; -1 picks one that suits the scene
    FILE* out = stdout;
    SceneObserver* observer = nullptr;  // follows the scene frame by frame, e.g. to draw its map
};

struct SceneInfo {
    const char* name;
    const char* summary;
};

const std::vector<SceneInfo>& sceneList();
bool hasScene(const std::string& name);

// Plays the scene with the real plugin module loaded; true when it ends the way it should and the
// host recorded no fault.
bool playScene(const std::string& name, const RunOptions& options);

}  // namespace demo
