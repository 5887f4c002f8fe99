// Brindlecot simulated host — the driver, the native call protocol and the trace.
//
//   [SECTION] Current host and plugin-code accounting
//   [SECTION] Trace
//   [SECTION] Lifetime and loading
//   [SECTION] Driving the script
//   [SECTION] Native call protocol
//   [SECTION] Win32 stand-ins

#include "sim/host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "sim/boundary.h"
#include "sim/fibre.h"
#include "sim/module.h"
#include "sim/natives.h"

namespace sim {

//-----------------------------------------------------------------------------
// [SECTION] Current host and plugin-code accounting
//-----------------------------------------------------------------------------

namespace {
Host* g_current = nullptr;
bool g_inPluginCode = false;
constexpr uint64_t kCallsWithoutWaitLimit = 1000000;
}  // namespace

Host* Host::current() { return g_current; }

Host& Host::reached() {
    if (!g_current) {
        std::fprintf(stderr, "Brindlecot sim: the plugin called its host with no sim::Host alive\n");
        std::abort();
    }
    return *g_current;
}

bool Host::inPluginCode() { return g_inPluginCode; }

HostScope::HostScope() : saved_(g_inPluginCode) { g_inPluginCode = false; }

HostScope::~HostScope() { g_inPluginCode = saved_; }

//-----------------------------------------------------------------------------
// [SECTION] Trace
//-----------------------------------------------------------------------------

std::vector<std::string> Trace::calls(size_t from, bool nativesOnly) const {
    std::vector<std::string> out;
    for (size_t n = from; n < entries.size(); ++n) {
        if (nativesOnly && entries[n].kind != CallKind::Native) continue;
        out.push_back(entries[n].call);
    }
    return out;
}

std::vector<std::string> Trace::names(size_t from) const {
    std::vector<std::string> out;
    for (size_t n = from; n < entries.size(); ++n) {
        if (entries[n].kind != CallKind::Native) continue;
        const std::string& call = entries[n].call;
        out.push_back(call.substr(0, call.find('(')));
    }
    return out;
}

size_t Trace::find(const std::string& prefix, size_t from) const {
    for (size_t n = from; n < entries.size(); ++n) {
        if (entries[n].call.compare(0, prefix.size(), prefix) == 0) return n;
    }
    return entries.size();
}

size_t Trace::count(const std::string& prefix, size_t from) const {
    size_t total = 0;
    for (size_t n = from; n < entries.size(); ++n) {
        if (entries[n].call.compare(0, prefix.size(), prefix) == 0) ++total;
    }
    return total;
}

std::string Trace::dump(size_t from, size_t to) const {
    std::string out;
    char head[48];
    for (size_t n = from; n < entries.size() && n < to; ++n) {
        std::snprintf(head, sizeof head, "%6llu %10u  ", static_cast<unsigned long long>(entries[n].frame),
                      entries[n].tick);
        out += head + entries[n].text() + "\n";
    }
    return out;
}

void Host::record(CallKind kind, std::string call, std::string result, uint64_t hash) {
    if (!trace.enabled) return;
    TraceEntry e;
    e.frame = frame_;
    e.tick = tick_;
    e.kind = kind;
    e.hash = hash;
    e.call = std::move(call);
    e.result = std::move(result);
    trace.entries.push_back(std::move(e));
}

float TraceEntry::floatArg(size_t n) const {
    const uint32_t bits = n < args.size() ? static_cast<uint32_t>(args[n]) : 0;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void Host::recordNative(const NativeInfo& info, std::string call, std::vector<uint64_t> args) {
    if (!trace.enabled) return;
    record(CallKind::Native, std::move(call), formatResult(info, results_), info.hash);
    TraceEntry& e = trace.entries.back();
    e.args = std::move(args);
    std::memcpy(e.results, results_, sizeof e.results);
}

void Host::fault(const std::string& what) {
    char where[64];
    std::snprintf(where, sizeof where, " (frame %llu)", static_cast<unsigned long long>(frame_));
    faults.push_back(what + where);
}

//-----------------------------------------------------------------------------
// [SECTION] The host library's functions
//-----------------------------------------------------------------------------
// What the exported functions (sim/exports.cpp) reach: the current Host, with its own code marked as
// the host's for the allocation counters.

namespace {

void boundScriptRegister(HMODULE module, void (*entry)()) {
    HostScope scope;
    Host::reached().onScriptRegister(module, entry);
}

void boundScriptUnregister(HMODULE module) {
    HostScope scope;
    Host::reached().onScriptUnregister(module);
}

void boundScriptWait(DWORD ms) {
    HostScope scope;
    Host::reached().onScriptWait(ms);
}

void boundNativeInit(uint64_t hash) {
    HostScope scope;
    Host::reached().onNativeInit(hash);
}

void boundNativePush64(uint64_t slot) {
    HostScope scope;
    Host::reached().onNativePush64(slot);
}

uint64_t* boundNativeCall() {
    HostScope scope;
    return Host::reached().onNativeCall();
}

const HostBoundary kHostBoundary = {boundScriptRegister, boundScriptUnregister, boundScriptWait,
                                    boundNativeInit,     boundNativePush64,     boundNativeCall};

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Lifetime and loading
//-----------------------------------------------------------------------------

static std::string makeWorkingDirectory() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        const auto dir = base / ("brindlecot-sim-" + std::to_string(random()));
        if (std::filesystem::create_directory(dir)) return dir.string();
    }
}

Host::Host(uint32_t startTick) : startTick_(startTick), tick_(startTick) {
    if (g_current) {
        std::fprintf(stderr, "sim::Host: only one host may be alive at a time\n");
        std::abort();
    }
    g_current = this;
    simBindHost(&kHostBoundary);
    workingDirectory = makeWorkingDirectory();
    args_.reserve(32);
}

Host::~Host() {
    unload();
    std::error_code ignored;
    std::filesystem::remove_all(workingDirectory, ignored);
    simBindHost(nullptr);
    g_current = nullptr;
}

std::string Host::defaultModulePath() {
    if (const char* path = std::getenv("BRINDLECOT_MODULE")) return path;
#ifdef SIM_DEFAULT_MODULE
    return SIM_DEFAULT_MODULE;
#else
    return "Brindlecot.so";
#endif
}

void Host::load(const std::string& modulePath) {
    HostScope scope;
    std::string error;
    module_ = Module::load(modulePath, error);
    if (!error.empty()) fault(error);
    if (module_ && !entry_) fault("the module registered no script");
}

void Host::attachLinked(int32_t (*attach)(void* module, uint32_t reason, void* reserved)) {
    HostScope scope;
    if (attach(this, 1, nullptr) != 1) fault("pluginAttach did not return 1");
    if (!entry_) fault("the linked plugin registered no script");
}

// The loader tells the module it goes (process detach) before it unmaps it; the module unregisters
// its script then.
void Host::unload() {
    fibre_.reset();  // a script never returns: dropping its fibre ends it
    if (module_) {
        std::string error;
        if (!module_->unload(error)) fault(error);
        module_.reset();
    }
    entry_ = nullptr;
}

void Host::setIni(const std::string& contents) {
    std::ofstream(std::filesystem::path(workingDirectory) / "Brindlecot.ini", std::ios::binary) << contents;
}

std::string Host::statusLine() const {
    return world.lastFrame.lines.empty() ? std::string() : world.lastFrame.lines.front().text;
}

bool Host::statusOutlined() const { return !world.lastFrame.lines.empty() && world.lastFrame.lines.front().outline; }

//-----------------------------------------------------------------------------
// [SECTION] Driving the script
//-----------------------------------------------------------------------------

void Host::step() {
    if (!entry_) {
        fault("step without a registered script");
        return;
    }
    if (stuck_) return;
    if (!fibre_) fibre_.reset(new Fibre(entry_));
    pendingWait_ = 0;
    g_inPluginCode = true;
    fibre_->resume();
    g_inPluginCode = false;
    if (fibre_->finished()) {
        fault("the script entry returned");
        stuck_ = true;
        return;
    }
    if (!stuck_) passWait(pendingWait_);
}

void Host::passWait(uint32_t ms) {
    const uint64_t wakeAt = world.nowMs + ms;
    do {
        nextFrame();
    } while (world.nowMs < wakeAt && !stuck_);
}

// Between two frames: the screen shows what was drawn, the clock and the world move on by one frame,
// streamed assets finish loading, and the scenario's events for the new frame apply.
void Host::nextFrame() {
    world.endFrame();
    frameClock_ += world.frameMs;
    const uint64_t start = static_cast<uint64_t>(frameClock_ + 1e-6);
    world.advance(static_cast<uint32_t>(start - world.nowMs));
    world.stream();
    tick_ = startTick_ + static_cast<uint32_t>(world.nowMs);
    ++frame_;
    std::vector<Event> due;
    for (auto it = events_.begin(); it != events_.end();) {
        if (it->byFrame ? it->when <= frame_ : it->when <= world.nowMs) {
            due.push_back(std::move(*it));
            it = events_.erase(it);
        } else {
            ++it;
        }
    }
    for (Event& event : due)
        event.fn(*this);
}

void Host::runFrames(uint64_t n) {
    for (uint64_t k = 0; k < n && !stuck_ && entry_; ++k)
        step();
}

void Host::runFor(uint64_t ms) {
    const uint64_t until = world.nowMs + ms;
    while (world.nowMs < until && !stuck_ && entry_)
        step();
}

bool Host::runUntil(const std::function<bool()>& pred, uint64_t maxSteps) {
    for (uint64_t k = 0; k < maxSteps && !stuck_ && entry_; ++k) {
        step();
        if (pred()) return true;
    }
    return false;
}

void Host::atTime(uint64_t elapsedMs, std::function<void(Host&)> event) {
    events_.push_back({false, elapsedMs, std::move(event)});
}

void Host::atFrame(uint64_t frame, std::function<void(Host&)> event) {
    events_.push_back({true, frame, std::move(event)});
}

void Host::onScriptRegister(void* module, void (*entry)()) {
    record(CallKind::Win32, "scriptRegister");
    if (entry_) fault("scriptRegister called twice");
    entry_ = entry;
    registeredModule_ = module;
}

// The host forgets the module's script; a module it never registered is a fault (the host would
// keep the real one running).
void Host::onScriptUnregister(void* module) {
    record(CallKind::Win32, "scriptUnregister");
    if (!entry_ || module != registeredModule_) fault("scriptUnregister of a module whose script is not registered");
    fibre_.reset();
    entry_ = nullptr;
    registeredModule_ = nullptr;
}

void Host::reloadGame() {
    world.reload();
    fibre_.reset();  // the next step runs the entry again
    stuck_ = false;
}

void Host::onScriptWait(uint32_t ms) {
    record(CallKind::Wait, "scriptWait(" + std::to_string(ms) + ")");
    if (!fibre_ || !fibre_->running()) {
        fault("scriptWait outside the script fibre");
        return;
    }
    pendingWait_ = ms;
    callsSinceWait_ = 0;
    fibre_->yield();
}

//-----------------------------------------------------------------------------
// [SECTION] Native call protocol
//-----------------------------------------------------------------------------

static std::string hex64(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(value));
    return text;
}

void Host::onNativeInit(uint64_t hash) {
    if (callOpen_) fault("nativeInit(" + hex64(hash) + ") while " + hex64(hash_) + " is still open");
    std::memset(results_, 0xCD, sizeof results_);  // the previous results are no longer valid
    hash_ = hash;
    args_.clear();
    callOpen_ = true;
}

void Host::onNativePush64(uint64_t slot) {
    if (!callOpen_) fault("nativePush64 without nativeInit");
    args_.push_back(slot);
}

// 32-bit integers and floats travel in the low half of their slot with the upper half zero.
void Host::checkValueSlots(const NativeInfo& info) {
    for (size_t n = 0; n < args_.size(); ++n) {
        if (isValueKind(info.args[n]) && (args_[n] >> 32) != 0) {
            fault(std::string(info.name) + " argument " + std::to_string(n + 1) + " has a non-zero upper half (" +
                  hex64(args_[n]) + ")");
        }
    }
}

uint64_t* Host::onNativeCall() {
    if (!callOpen_) fault("nativeCall without nativeInit");
    callOpen_ = false;
    std::memset(results_, 0, sizeof results_);
    const NativeInfo* info = findNative(hash_);
    if (!info) {
        fault("unknown native " + hex64(hash_));
        record(CallKind::Native, "UNKNOWN_" + hex64(hash_), std::string(), hash_);
        return results_;
    }
    // The host reads exactly as many slots as the native has parameters; a short call would read
    // what the previous call left in its argument buffer. Such a call is recorded, not performed.
    if (args_.size() != std::strlen(info->args)) {
        fault(std::string(info->name) + " takes " + std::to_string(std::strlen(info->args)) + " arguments, got " +
              std::to_string(args_.size()));
        record(CallKind::Native, formatCall(*info, args_), std::string(), hash_);
        return results_;
    }
    checkValueSlots(*info);
    NativeArgs args{args_};
    std::string call;
    std::vector<uint64_t> slots;
    if (trace.enabled) {  // the call as it was made, before the native writes through its addresses
        call = formatCall(*info, args_);
        slots = args_;
        for (size_t n = 0; n < slots.size(); ++n) {
            if (info->args[n] == 'p') slots[n] = static_cast<uint32_t>(args.p(n) ? *args.p(n) : 0);
        }
    }
    NativeResult result{results_};
    info->run(*this, args, result);
    recordNative(*info, std::move(call), std::move(slots));
    if (++callsSinceWait_ > kCallsWithoutWaitLimit && fibre_ && fibre_->running()) {
        fault("the script made " + std::to_string(kCallsWithoutWaitLimit) + " native calls without waiting");
        stuck_ = true;
        fibre_->yield();  // never resumed
    }
    return resultsOverride ? resultsOverride : results_;
}

//-----------------------------------------------------------------------------
// [SECTION] Win32 stand-ins
//-----------------------------------------------------------------------------

uint32_t Host::onGetTickCount() {
    record(CallKind::Win32, "GetTickCount()", std::to_string(tick_));
    const uint32_t now = tick_;
    tick_ += tickPerRead;
    return now;
}

int16_t Host::onGetAsyncKeyState(int virtualKey) {
    const bool down = virtualKey >= 0 && virtualKey < 256 && keys[virtualKey];
    const int16_t state = down ? static_cast<int16_t>(0x8000) : 0;
    record(CallKind::Win32, "GetAsyncKeyState(" + std::to_string(virtualKey) + ")", std::to_string(state));
    return state;
}

// Fills the 16-byte XINPUT_STATE of a connected pad; leaves the buffer alone otherwise.
uint32_t Host::onXInputGetState(uint32_t userIndex, void* state) {
    constexpr uint32_t kDeviceNotConnected = 1167;
    const bool connected = userIndex < 4 && pads[userIndex].connected;
    if (connected && state) {
        unsigned char* bytes = static_cast<unsigned char*>(state);
        std::memset(bytes, 0, 16);
        std::memcpy(bytes, &pads[userIndex].packet, 4);
        std::memcpy(bytes + 4, &pads[userIndex].buttons, 2);
    }
    char result[32];
    if (connected) {
        std::snprintf(result, sizeof result, "0 buttons=0x%04X", pads[userIndex].buttons);
    } else {
        std::snprintf(result, sizeof result, "%u", kDeviceNotConnected);
    }
    record(CallKind::Win32, "XInputGetState(" + std::to_string(userIndex) + ")", result);
    return connected ? 0 : kDeviceNotConnected;
}

}  // namespace sim
