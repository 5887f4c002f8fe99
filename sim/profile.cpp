// Brindlecot simulated host — the settings file's Win32 calls as the trace shows them, and where the
// module says it lies.

#include "sim/profile.h"

#include <algorithm>
#include <cstring>

#include "sim/host.h"

namespace sim {

namespace {

std::string backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string quoted(const char* text) { return text ? "\"" + std::string(text) + "\"" : "NULL"; }

}  // namespace

std::string shownPath(const Host& host, const char* path) {
    if (!path) return "NULL";
    const std::string shown = backslashed(path);
    const std::string game = backslashed(host.workingDirectory);
    if (shown.compare(0, game.size(), game) == 0 && shown.size() > game.size() && shown[game.size()] == '\\') {
        return "\"<game>" + shown.substr(game.size()) + "\"";
    }
    return "\"" + shown + "\"";
}

void recordProfileString(Host& host, const char* section, const char* key, const char* defaultValue, uint32_t size,
                         const char* file, const char* returned, uint32_t count) {
    std::string text;
    for (uint32_t n = 0; returned && n < count && n < size; ++n)
        text += returned[n] == '\0' ? std::string("\\0") : std::string(1, returned[n]);
    host.record(CallKind::Win32,
                "GetPrivateProfileStringA(" + quoted(section) + ", " + quoted(key) + ", " + quoted(defaultValue) +
                    ", " + std::to_string(size) + ", " + shownPath(host, file) + ")",
                std::to_string(count) + " \"" + text + "\"");
}

// The module lies in moduleDirectory (the game folder unless a scene says otherwise). Like Windows,
// a path that does not fit is cut to size - 1 characters, terminated, and answered with size.
uint32_t Host::onGetModuleFileNameA(const void* module, char* out, uint32_t size) {
    std::string path = (moduleDirectory.empty() ? workingDirectory : moduleDirectory) + "\\Brindlecot.asi";
    if (!module) {
        fault("GetModuleFileNameA(NULL) names the game's .exe, not the plugin");
        path = workingDirectory + "\\game.exe";
    }
    uint32_t count = 0;
    if (out && size > 0) {
        count = static_cast<uint32_t>(std::min<size_t>(path.size(), size - 1));
        std::memcpy(out, path.data(), count);
        out[count] = '\0';
        if (path.size() >= size) count = size;
    }
    record(CallKind::Win32,
           "GetModuleFileNameA(" + std::string(module ? "<module>" : "NULL") + ", " + std::to_string(size) + ")",
           // The path's length depends on where the game folder lies: only a cut is shown.
           (count >= size && size > 0 ? std::to_string(count) + " cut " : std::string()) +
               shownPath(*this, out && size > 0 ? out : ""));
    return count;
}

}  // namespace sim
