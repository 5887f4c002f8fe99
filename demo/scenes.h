// Brindlecot demo — the scenes a player can watch, each played from a fresh simulated game.

#pragma once

#include "demo/narrator.h"

namespace demo {

// How the narrator tells the scene (its watcher may follow it frame by frame, e.g. to draw its map),
// and the game's tick at start; -1 picks one that suits the scene.
struct RunOptions : NarratorOptions {
    int64_t startTick = -1;
    int32_t language = 0;  // the language the game runs in, by its number (0 English); the plugin follows it
};

struct SceneInfo {
    const char* name;
    const char* summary;
};

std::vector<SceneInfo> sceneList();

// Plays the scene with the real plugin module loaded; true when it ends the way it should and the
// host recorded no fault, false for no such scene.
bool playScene(const std::string& name, const RunOptions& options);

}  // namespace demo
