// Brindlecot Wine harness — the stand-in host library's binding to the runner.
//
// The stand-in ScriptHookV.dll exports the host library's five functions under their real names and
// hands every call to the functions the runner binds here, before it loads the plugin.

#pragma once

#include <windows.h>

#include <cstdint>

struct StandInBoundary {
    void (*scriptRegister)(HMODULE module, void (*entry)());
    void (*scriptWait)(DWORD ms);
    void (*nativeInit)(uint64_t hash);
    void (*nativePush64)(uint64_t slot);
    uint64_t* (*nativeCall)();
};

#ifdef STANDIN_BUILDING
#define STANDIN_API extern "C" __declspec(dllexport)
#else
#define STANDIN_API extern "C" __declspec(dllimport)
#endif

STANDIN_API void standInBind(const StandInBoundary* boundary);
