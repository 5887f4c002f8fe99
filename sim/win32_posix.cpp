// Brindlecot simulated host — the four Win32 functions the Linux build of the plugin links against,
// each handed to the current Host. (The five host library functions are in sim/exports.cpp.)

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
