// Brindlecot simulated host — the host library's six functions, as the plugin reaches them.
//
// The exported functions (sim/exports.cpp) forward every call through one bound table; the Host binds
// its own answers when it is constructed. On Linux the exports live in the simulated host's shared
// library; for the real .asi under Windows they are the stand-in ScriptHookV.dll, which exports them
// under the host library's real names, while the Host lives in the runner.

#pragma once

#include <cstdint>

#include "host/platform.h"

#if defined(_WIN32) && defined(SIM_BUILDING_EXPORTS)
#define SIM_EXPORTS_API extern "C" __declspec(dllexport)
#elif defined(_WIN32)
#define SIM_EXPORTS_API extern "C" __declspec(dllimport)
#else
#define SIM_EXPORTS_API extern "C" __attribute__((visibility("default")))
#endif

struct HostBoundary {
    void (*scriptRegister)(HMODULE module, void (*entry)());
    void (*scriptUnregister)(HMODULE module);
    void (*scriptWait)(DWORD ms);
    void (*nativeInit)(uint64_t hash);
    void (*nativePush64)(uint64_t slot);
    uint64_t* (*nativeCall)();
};

// Routes the six functions to `boundary`; null unbinds them.
SIM_EXPORTS_API void simBindHost(const HostBoundary* boundary);
