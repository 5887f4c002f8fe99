// Brindlecot Wine harness — the stand-in ScriptHookV.dll: the five exported host functions, each
// forwarded to the runner's simulated host through the bound table.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define STANDIN_BUILDING
#include "wine/standin.h"

namespace {

const StandInBoundary* g_boundary = nullptr;

const StandInBoundary& bound() {
    if (!g_boundary) {
        std::fprintf(stderr, "ScriptHookV stand-in: called before the runner bound its host\n");
        std::abort();
    }
    return *g_boundary;
}

}  // namespace

STANDIN_API void standInBind(const StandInBoundary* boundary) { g_boundary = boundary; }

extern "C" {

void standInScriptRegister(HMODULE module, void (*entry)()) { bound().scriptRegister(module, entry); }
void standInScriptWait(DWORD ms) { bound().scriptWait(ms); }
void standInNativeInit(uint64_t hash) { bound().nativeInit(hash); }
void standInNativePush64(uint64_t slot) { bound().nativePush64(slot); }
uint64_t* standInNativeCall() { return bound().nativeCall(); }

}  // extern "C"
