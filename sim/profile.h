// Brindlecot simulated host — the settings file's Win32 calls as the trace shows them.
//
// The Linux build answers them itself (sim/ini_posix.cpp); the real .asi under Wine asks the system's
// reader (sim/module_win32.cpp). Both record through here, so the two traces compare line for line:
// paths are shown with backslashes, the Host's working directory (the game folder) written <game>.

#pragma once

#include <cstdint>
#include <string>

namespace sim {

class Host;

// The INI file the plugin names: what GetModuleFileNameA says beside the module, or .\Brindlecot.ini.
std::string shownPath(const Host& host, const char* path);

// GetPrivateProfileStringA(section, key, default, size, file) -> count "text"; a null key asks for
// the section's key names, shown separated by \0.
void recordProfileString(Host& host, const char* section, const char* key, const char* defaultValue, uint32_t size,
                         const char* file, const char* returned, uint32_t count);

}  // namespace sim
