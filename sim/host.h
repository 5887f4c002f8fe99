// Brindlecot simulated host — the stand-in for the host library, the game and Windows.
//
// A Host owns one world, a clock, a keyboard, four gamepad slots and the directory the INI file is
// read from. It loads the plugin module, runs the registered script entry on a fibre the way the
// host library does, and records every native call, wait and Win32 call in an ordered trace. One
// Host is alive at a time; the exported C functions of the boundary reach it through reached().

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/world.h"

namespace sim {

enum class CallKind { Native, Wait, Win32 };

struct TraceEntry {
    uint64_t frame = 0;  // the frame the call was made in
    uint32_t tick = 0;   // GetTickCount at the call
    CallKind kind = CallKind::Native;
    uint64_t hash = 0;   // natives only
    std::string call;    // e.g. GET_ENTITY_COORDS(3, 1) or scriptWait(0)
    std::string result;  // e.g. (1.0, 2.0, 30.0); empty for none

    // Natives only: the argument slots as pushed, except that the slot of an address holds the value
    // it pointed at when the call began (a text's address means nothing afterwards); and the result
    // slots as answered.
    std::vector<uint64_t> args;
    uint64_t results[3] = {};

    std::string text() const { return result.empty() ? call : call + " -> " + result; }

    int32_t intArg(size_t n) const {
        return n < args.size() ? static_cast<int32_t>(static_cast<uint32_t>(args[n])) : 0;
    }
    float floatArg(size_t n) const;
    Vec3 pointArg(size_t first) const { return {floatArg(first), floatArg(first + 1), floatArg(first + 2)}; }
    int32_t intResult() const { return static_cast<int32_t>(static_cast<uint32_t>(results[0])); }
};

struct Trace {
    bool enabled = true;
    std::vector<TraceEntry> entries;

    void clear() { entries.clear(); }
    size_t size() const { return entries.size(); }
    // The calls (without results) from entry `from` on, optionally natives only.
    std::vector<std::string> calls(size_t from = 0, bool nativesOnly = false) const;
    // Native names only (the text before the parenthesis), from entry `from` on.
    std::vector<std::string> names(size_t from = 0) const;
    // Index of the first entry at or after `from` whose call starts with `prefix`; size() if none.
    size_t find(const std::string& prefix, size_t from = 0) const;
    size_t count(const std::string& prefix, size_t from = 0) const;
    std::string dump(size_t from = 0, size_t to = SIZE_MAX) const;  // one line per entry, frame and tick first
};

struct PadSlot {
    bool connected = false;
    uint16_t buttons = 0;
    uint32_t packet = 0;
};

class Fibre;
class Module;
struct NativeInfo;
struct NativeCallFrame;

class Host {
  public:
    explicit Host(uint32_t startTick = 100000);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    static Host* current();
    // The current Host, for the functions the plugin calls; aborts with a message when none is alive.
    static Host& reached();

    // The game's side
    World world;
    Trace trace;
    // What each GetTickCount read moves the clock on by within a frame. The host's clock reads the
    // frame's start throughout (0); a frame that takes long may see it move on.
    uint32_t tickPerRead = 0;
    bool keys[256] = {};
    PadSlot pads[4];
    std::string workingDirectory = ".";   // where .\Brindlecot.ini is looked up
    std::string moduleDirectory;          // where GetModuleFileNameA says the module lies; empty: workingDirectory
    std::vector<std::string> faults;      // protocol errors: unknown natives, bad arguments, a stuck script
    uint64_t* resultsOverride = nullptr;  // crash probes: handed to the plugin instead of the results

    // Clock: GetTickCount reads the start of the current frame.
    uint32_t tick() const { return tick_; }
    uint64_t elapsedMs() const { return world.nowMs; }
    uint64_t frame() const { return frame_; }

    // Loading the plugin and running its script
    void load(const std::string& modulePath = defaultModulePath());
    // Attaches a plugin linked into this program instead of loading a module: calls its attach
    // function with reason 1. Its state is whatever the program left, not the module's load state.
    void attachLinked(int32_t (*attach)(void* module, uint32_t reason, void* reserved));
    // Process detach, then the module unmapped.
    void unload();
    // The game reloaded (a save loaded, story mode restarted) with the module still loaded: the world
    // forgets its peds and vehicles (World::reload), and the next step runs the registered script
    // entry again on a new fibre, wherever the old one waited.
    void reloadGame();
    bool scriptRegistered() const { return entry_ != nullptr; }
    // Runs the script in the current frame until it waits, then lets frames pass until the first
    // that starts at least the wait's length after this one: every wait lasts at least one frame.
    void step();
    // The wait that the last step() let pass.
    uint32_t lastWaitMs() const { return pendingWait_; }
    void runFrames(uint64_t n);  // n steps: n frames while the script waits no longer than one
    void runFor(uint64_t ms);    // until at least ms of clock have passed
    // Steps until pred() holds after a wait, at most maxSteps; answers whether it held.
    bool runUntil(const std::function<bool()>& pred, uint64_t maxSteps = 100000);
    // Events applied at the start of the frame in which the clock reaches them.
    void atTime(uint64_t elapsedMs, std::function<void(Host&)> event);
    void atFrame(uint64_t frame, std::function<void(Host&)> event);

    // Convenience for scenarios
    void setIni(const std::string& contents);  // writes Brindlecot.ini into workingDirectory
    // Holds one key down (or lets it go) until told otherwise; a whole press is scenes::press.
    void holdKey(int virtualKey, bool down = true) { keys[virtualKey & 0xff] = down; }
    std::string statusLine() const;  // the text drawn in the last complete frame, "" if none
    bool statusOutlined() const;     // whether that text had the dark outline

    static std::string defaultModulePath();

    // The boundary, as the exported functions reach it
    void onScriptRegister(void* module, void (*entry)());
    void onScriptUnregister(void* module);
    void onScriptWait(uint32_t ms);
    void onNativeInit(uint64_t hash);
    void onNativePush64(uint64_t slot);
    uint64_t* onNativeCall();
    uint32_t onGetTickCount();
    int16_t onGetAsyncKeyState(int virtualKey);
    uint32_t onXInputGetState(uint32_t userIndex, void* state);
    uint32_t onGetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* out,
                                        uint32_t size, const char* file);
    uint32_t onGetModuleFileNameA(const void* module, char* out, uint32_t size);

    void fault(const std::string& what);
    void record(CallKind kind, std::string call, std::string result = std::string(), uint64_t hash = 0);
    void recordNative(const NativeInfo& info, std::string call, std::vector<uint64_t> args);

    // Allocation accounting: true while control is inside the plugin's own code.
    static bool inPluginCode();

  private:
    void passWait(uint32_t ms);
    void nextFrame();
    void checkValueSlots(const NativeInfo& info);

    uint32_t startTick_;
    uint32_t tick_;
    uint64_t frame_ = 0;
    double frameClock_ = 0;  // the current frame's start, in milliseconds since the world began
    void (*entry_)() = nullptr;
    void* registeredModule_ = nullptr;  // the module scriptRegister named
    std::unique_ptr<Fibre> fibre_;
    std::unique_ptr<Module> module_;
    uint32_t pendingWait_ = 0;
    bool stuck_ = false;
    uint64_t callsSinceWait_ = 0;

    uint64_t hash_ = 0;
    bool callOpen_ = false;
    std::vector<uint64_t> args_;
    uint64_t results_[4] = {};

    struct Event {
        bool byFrame;
        uint64_t when;
        std::function<void(Host&)> fn;
    };
    std::vector<Event> events_;
};

// Marks a stretch of host code run on behalf of the plugin; allocation counters skip it.
class HostScope {
  public:
    HostScope();
    ~HostScope();
    HostScope(const HostScope&) = delete;
    HostScope& operator=(const HostScope&) = delete;

  private:
    bool saved_;
};

}  // namespace sim
