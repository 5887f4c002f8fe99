// Brindlecot demo — watching a scene as it is played.
//
// The scene runner hands an observer the host and the narrator once before the first frame and
// again after every frame, so that something beside the story (the map) can follow the scene
// without the scene knowing about it.

#pragma once

namespace sim {
class Host;
}

namespace demo {

class Narrator;

class SceneObserver {
  public:
    virtual ~SceneObserver() = default;
    // The world as built, before the plugin is loaded.
    virtual void begin(const sim::Host& host, const Narrator& narrator) = 0;
    // The world and the story right after one frame of the script.
    virtual void frame(const sim::Host& host, const Narrator& narrator) = 0;
};

}  // namespace demo
