// Brindlecot benchmark — the boundary functions of the plugin, answered from canned results.

#include "bench/null_host.h"

#include <cstring>

#include "host/natives.h"
#include "host/platform.h"

namespace nullhost {
uint64_t pushed = 0;
}

namespace {
uint64_t g_hash = 0;
uint64_t g_result[4] = {};
uint32_t g_tick = 1000;

uint64_t floatSlot(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
}  // namespace

extern "C" {

void scriptRegister(HMODULE, void (*)()) {}
void scriptWait(DWORD) {}
void nativeInit(uint64_t hash) { g_hash = hash; }
void nativePush64(uint64_t slot) { nullhost::pushed += slot; }

uint64_t* nativeCall() {
    g_result[0] = g_result[1] = g_result[2] = 0;
    switch (g_hash) {
        case kNativePlayerPedId:
            g_result[0] = 1;
            break;
        case kNativeDoesEntityExist:
            g_result[0] = 1;
            break;
        case kNativeGetVehiclePedIsIn:
            g_result[0] = 2;
            break;
        case kNativeGetDistanceBetweenCoords:
            g_result[0] = floatSlot(10.0f);
            break;
        case kNativeGetEntityCoords:
            g_result[0] = floatSlot(1.0f);
            g_result[1] = floatSlot(2.0f);
            g_result[2] = floatSlot(30.0f);
            break;
        default:
            break;
    }
    return g_result;
}

DWORD GetTickCount(void) { return g_tick += 16; }
DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR returned, DWORD size, LPCSTR) {
    if (size > 0) returned[0] = '\0';
    return 0;
}
DWORD GetModuleFileNameA(HMODULE, LPSTR path, DWORD size) {
    if (size > 0) path[0] = '\0';
    return 0;
}
SHORT GetAsyncKeyState(int) { return 0; }
DWORD XInputGetState(DWORD, XINPUT_STATE*) { return 1167; }

}  // extern "C"
