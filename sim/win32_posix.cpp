// Brindlecot simulated host — the four Win32 functions the Linux build of the plugin links against,
// each handed to the current Host. (The five host library functions are in sim/exports.cpp.)

#include "host/platform.h"
#include "sim/host.h"

extern "C" {

DWORD GetTickCount(void) {
    sim::HostScope scope;
    return sim::Host::reached().onGetTickCount();
}

UINT GetPrivateProfileIntA(LPCSTR appName, LPCSTR keyName, int defaultValue, LPCSTR fileName) {
    sim::HostScope scope;
    return sim::Host::reached().onGetPrivateProfileIntA(appName, keyName, defaultValue, fileName);
}

SHORT GetAsyncKeyState(int virtualKey) {
    sim::HostScope scope;
    return sim::Host::reached().onGetAsyncKeyState(virtualKey);
}

DWORD XInputGetState(DWORD userIndex, XINPUT_STATE* state) {
    sim::HostScope scope;
    return sim::Host::reached().onXInputGetState(userIndex, state);
}

}  // extern "C"
