// Brindlecot simulated host — the script fibre.
//
// The host library runs a script's entry on a fibre of its own and switches back to the game
// whenever the script waits. A Fibre does the same here: resume() runs the entry until it calls
// yield() (from scriptWait); destroying a Fibre ends a script that never returns.

#pragma once

#include <memory>

namespace sim {

class Fibre {
  public:
    explicit Fibre(void (*entry)());
    ~Fibre();
    Fibre(const Fibre&) = delete;
    Fibre& operator=(const Fibre&) = delete;

    void resume();  // from the driver: runs the script until it yields or its entry returns
    void yield();   // from the script: back to the driver
    bool finished() const { return finished_; }
    bool running() const { return running_; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    void (*entry_)();
    bool finished_ = false;
    bool running_ = false;

    static void trampoline();
};

}  // namespace sim
