// Brindlecot benchmark — the boundary functions of the plugin, answered from canned results.

#include "bench/null_host.h"

#include <cstdio>
#include <cstring>

#include "host/natives.h"
#include "host/platform.h"

namespace nullhost {

uint64_t pushed = 0;

std::string Call::text() const {
    if (win32) return win32;
    char out[64];
    std::snprintf(out, sizeof out, "native 0x%016llX, %zu slots", static_cast<unsigned long long>(hash), slots);
    return out;
}

}  // namespace nullhost

namespace {
uint64_t g_hash = 0;
uint64_t g_result[4] = {};
uint32_t g_tick = 1000;
std::vector<nullhost::Call>* g_calls = nullptr;

uint64_t floatSlot(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

void recordWin32(const char* name) {
    if (g_calls) g_calls->push_back({0, 0, name});
}
}  // namespace

void nullhost::record(std::vector<Call>* calls) { g_calls = calls; }

extern "C" {

void scriptRegister(HMODULE, void (*)()) {}
void scriptUnregister(HMODULE) {}
void scriptWait(DWORD) { recordWin32("scriptWait"); }

void nativeInit(uint64_t hash) {
    g_hash = hash;
    if (g_calls) g_calls->push_back({hash, 0, nullptr});
}

void nativePush64(uint64_t slot) {
    nullhost::pushed += slot;
    if (g_calls && !g_calls->empty()) ++g_calls->back().slots;
}

uint64_t* nativeCall() {
    g_result[0] = g_result[1] = g_result[2] = 0;
    switch (g_hash) {
        case kNativePlayerPedId:
            g_result[0] = 1;
            break;
        case kNativeDoesEntityExist:
        case kNativeIsPedInVehicle:  // the suspect sits in the car
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

DWORD GetTickCount(void) {
    recordWin32("GetTickCount");
    return g_tick += 16;
}

DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR returned, DWORD size, LPCSTR) {
    recordWin32("GetPrivateProfileStringA");
    if (size > 0) returned[0] = '\0';
    return 0;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR path, DWORD size) {
    recordWin32("GetModuleFileNameA");
    if (size > 0) path[0] = '\0';
    return 0;
}

SHORT GetAsyncKeyState(int) {
    recordWin32("GetAsyncKeyState");
    return 0;
}

DWORD XInputGetState(DWORD, XINPUT_STATE*) {
    recordWin32("XInputGetState");
    return 1167;
}

}  // extern "C"
