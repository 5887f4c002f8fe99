// Brindlecot simulated host — the boundary symbols the Linux build of the plugin links against:
// the five host library functions and the four Win32 functions, each handed to the current Host.

#include <cstdio>
#include <cstdlib>

#include "host/platform.h"
#include "sim/host.h"

namespace {

sim::Host& host() {
    sim::Host* current = sim::Host::current();
    if (!current) {
        std::fprintf(stderr, "Brindlecot sim: the plugin called its host with no sim::Host alive\n");
        std::abort();
    }
    return *current;
}

}  // namespace

extern "C" {

void scriptRegister(HMODULE module, void (*entry)()) {
    sim::HostScope scope;
    host().onScriptRegister(module, entry);
}

void scriptWait(DWORD ms) {
    sim::HostScope scope;
    host().onScriptWait(ms);
}

void nativeInit(uint64_t hash) {
    sim::HostScope scope;
    host().onNativeInit(hash);
}

void nativePush64(uint64_t slot) {
    sim::HostScope scope;
    host().onNativePush64(slot);
}

uint64_t* nativeCall() {
    sim::HostScope scope;
    return host().onNativeCall();
}

DWORD GetTickCount(void) {
    sim::HostScope scope;
    return host().onGetTickCount();
}

UINT GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, int defaultValue, LPCSTR fileName) {
    sim::HostScope scope;
    return host().onGetPrivateProfileIntA(appName, keyName, defaultValue, fileName);
}

SHORT GetAsyncKeyState(int virtualKey) {
    sim::HostScope scope;
    return host().onGetAsyncKeyState(virtualKey);
}

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state) {
    sim::HostScope scope;
    return host().onXInputGetState(userIndex, state);
}

}  // extern "C"
