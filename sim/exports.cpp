// Brindlecot simulated host — the six host library functions the plugin imports, each forwarded
// through the table the Host bound (sim/boundary.h). The same file serves the Linux build and the
// stand-in ScriptHookV.dll of the Windows tests.

#include <cstdio>
#include <cstdlib>

#include "sim/boundary.h"

namespace {

const HostBoundary* g_bound = nullptr;

// The table the plugin's call reaches; aborts with a message when no Host bound one.
const HostBoundary& reached() {
    if (!g_bound) {
        std::fprintf(stderr, "Brindlecot sim: the plugin called its host with no simulated host bound\n");
        std::abort();
    }
    return *g_bound;
}

}  // namespace

SIM_EXPORTS_API void simBindHost(const HostBoundary* boundary) { g_bound = boundary; }

extern "C" {

void scriptRegister(HMODULE module, void (*entry)()) { reached().scriptRegister(module, entry); }
void scriptUnregister(HMODULE module) { reached().scriptUnregister(module); }
void scriptWait(DWORD ms) { reached().scriptWait(ms); }
void nativeInit(uint64_t hash) { reached().nativeInit(hash); }
void nativePush64(uint64_t slot) { reached().nativePush64(slot); }
uint64_t* nativeCall() { return reached().nativeCall(); }

}  // extern "C"
