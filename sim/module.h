// Brindlecot simulated host — loading the plugin module the way the game's loader does.

#pragma once

#include <memory>
#include <string>

namespace sim {

class Module {
  public:
    // Loads the module and delivers its process-attach notification; null and a reason on failure.
    static std::unique_ptr<Module> load(const std::string& path, std::string& error);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Delivers the process-detach notification and unloads; answers false with a reason when the
    // notification did not answer 1 or the module stayed in memory (its state would leak into the
    // next load).
    bool unload(std::string& error);

  private:
    Module() = default;
    void* handle_ = nullptr;
    void* attach_ = nullptr;  // the module's entry notification, where the loader has to call it itself
    std::string path_;
};

}  // namespace sim
