// Brindlecot simulated host — the Win32 functions the Linux build of the plugin links against,
// each handed to the current Host. (The six host library functions are in sim/exports.cpp.)

#include "host/platform.h"
#include "sim/host.h"

extern "C" {

DWORD GetTickCount(void) {
    sim::HostScope scope;
    return sim::Host::reached().onGetTickCount();
}

DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName) {
    sim::HostScope scope;
    return sim::Host::reached().onGetPrivateProfileStringA(appName, keyName, defaultValue, returned, size, fileName);
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    sim::HostScope scope;
    return sim::Host::reached().onGetModuleFileNameA(module, fileName, size);
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
