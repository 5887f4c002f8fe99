// Brindlecot simulated host — loading the real Brindlecot.asi as the game's loader does.
//
// LoadLibrary runs the module's DllMain, which registers the script with the stand-in host library.
// Its imports of the clock, the keyboard, the pads and its own path are then pointed at the simulated
// ones, so a run is the same every time; the INI reader stays the system's own, wrapped so the trace
// records it.

#include <windows.h>
#include <xinput.h>

#include <cstdint>
#include <cstring>

#include "sim/host.h"
#include "sim/module.h"
#include "sim/profile.h"

namespace sim {

static DWORD WINAPI simGetTickCount() {
    HostScope scope;
    return Host::reached().onGetTickCount();
}

static SHORT WINAPI simGetAsyncKeyState(int virtualKey) {
    HostScope scope;
    return Host::reached().onGetAsyncKeyState(virtualKey);
}

static DWORD WINAPI simXInputGetState(DWORD userIndex, XINPUT_STATE* state) {
    HostScope scope;
    return Host::reached().onXInputGetState(userIndex, state);
}

static DWORD WINAPI simGetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    HostScope scope;
    return Host::reached().onGetModuleFileNameA(module, path, size);
}

static DWORD WINAPI tracedGetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR returned,
                                                   DWORD size, LPCSTR file) {
    HostScope scope;
    const DWORD count = GetPrivateProfileStringA(section, key, defaultValue, returned, size, file);
    recordProfileString(Host::reached(), section, key, defaultValue, size, file, returned, count);
    return count;
}

struct Redirect {
    const char* dll;
    const char* name;
    void* to;
};

template <typename T>
static T* at(HMODULE module, DWORD offset) {
    return reinterpret_cast<T*>(reinterpret_cast<unsigned char*>(module) + offset);
}

// Points the module's imported `name` from `dll` at `to`; false when the module does not import it.
static bool redirectImport(HMODULE module, const Redirect& redirect) {
    const auto* dos = at<IMAGE_DOS_HEADER>(module, 0);
    const auto* nt = at<IMAGE_NT_HEADERS64>(module, static_cast<DWORD>(dos->e_lfanew));
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return false;
    for (auto* desc = at<IMAGE_IMPORT_DESCRIPTOR>(module, dir.VirtualAddress); desc->Name != 0; ++desc) {
        if (lstrcmpiA(at<char>(module, desc->Name), redirect.dll) != 0) continue;
        auto* names =
            at<IMAGE_THUNK_DATA64>(module, desc->OriginalFirstThunk ? desc->OriginalFirstThunk : desc->FirstThunk);
        auto* slots = at<IMAGE_THUNK_DATA64>(module, desc->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL64(names->u1.Ordinal)) continue;
            const auto* byName = at<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), redirect.name) != 0) continue;
            DWORD old = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old)) return false;
            slots->u1.Function = reinterpret_cast<ULONGLONG>(redirect.to);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
            return true;
        }
    }
    return false;
}

std::unique_ptr<Module> Module::load(const std::string& path, std::string& error) {
    HMODULE handle = LoadLibraryA(path.c_str());
    if (!handle) {
        error = "cannot load " + path + ": error " + std::to_string(GetLastError());
        return nullptr;
    }
    std::unique_ptr<Module> module(new Module);
    module->handle_ = handle;
    module->path_ = path;
    const Redirect redirects[] = {
        {"KERNEL32.dll", "GetTickCount", reinterpret_cast<void*>(&simGetTickCount)},
        {"KERNEL32.dll", "GetPrivateProfileStringA", reinterpret_cast<void*>(&tracedGetPrivateProfileStringA)},
        {"KERNEL32.dll", "GetModuleFileNameA", reinterpret_cast<void*>(&simGetModuleFileNameA)},
        {"USER32.dll", "GetAsyncKeyState", reinterpret_cast<void*>(&simGetAsyncKeyState)},
        {"XINPUT9_1_0.dll", "XInputGetState", reinterpret_cast<void*>(&simXInputGetState)},
    };
    for (const Redirect& redirect : redirects) {
        if (!redirectImport(handle, redirect)) {
            error += std::string(error.empty() ? "" : "; ") + path + " does not import " + redirect.name;
        }
    }
    return module;
}

bool Module::unload(std::string& error) {
    if (!handle_) return true;
    FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
    if (GetModuleHandleA(path_.c_str())) {
        error = path_ + " stayed loaded after FreeLibrary";
        return false;
    }
    return true;
}

Module::~Module() {
    std::string ignored;
    unload(ignored);
}

}  // namespace sim
