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

    // Unloads; answers false with a reason when the module stayed in memory (its state would leak
    // into the next load).
    bool unload(std::string& error);

  private:
    Module() = default;
    void* handle_ = nullptr;
    std::string path_;
};

}  // namespace sim
