// Brindlecot simulated host — GetPrivateProfileIntA over a real INI file, parsed with inih.
//
// Follows the Windows reader: section and key names compared without regard to case, the first
// occurrence of a key wins, the default for a missing file, section, key or empty value, and the
// leading integer of the value otherwise (decimal, or hex after 0x), 0 when it has none.

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string>

#include "sim/host.h"

namespace sim {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct Lookup {
    std::string section;  // lower case
    std::string key;      // lower case
    bool found = false;
    std::string value;
};

int onEntry(void* user, const char* section, const char* name, const char* value) {
    Lookup& lookup = *static_cast<Lookup*>(user);
    if (!lookup.found && lower(section) == lookup.section && lower(name) == lookup.key) {
        lookup.found = true;
        lookup.value = value ? value : "";
    }
    return 1;
}

// The leading integer of the text, wrapping like the 32-bit unsigned result it becomes.
uint32_t parseLeadingInteger(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    uint32_t base = 10;
    if (at + 1 < text.size() && text[at] == '0' && (text[at + 1] == 'x' || text[at + 1] == 'X')) {
        base = 16;
        at += 2;
    }
    uint32_t value = 0;
    for (; at < text.size(); ++at) {
        const int c = std::tolower(static_cast<unsigned char>(text[at]));
        uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        } else {
            break;
        }
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

std::string resolve(const std::string& workingDirectory, std::string file) {
    std::replace(file.begin(), file.end(), '\\', '/');
    if (!file.empty() && file[0] == '/') return file;
    return (std::filesystem::path(workingDirectory) / file).string();
}

}  // namespace

uint32_t Host::onGetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    Lookup lookup;
    lookup.section = lower(section ? section : "");
    lookup.key = lower(key ? key : "");
    const std::string path = resolve(workingDirectory, file ? file : "");
    uint32_t value = static_cast<uint32_t>(defaultValue);
    if (ini_parse(path.c_str(), onEntry, &lookup) >= 0 && lookup.found && !lookup.value.empty()) {
        value = parseLeadingInteger(lookup.value);
    }
    record(CallKind::Win32,
           "GetPrivateProfileIntA(\"" + std::string(section ? section : "") + "\", \"" + (key ? key : "") + "\", " +
               std::to_string(defaultValue) + ", \"" + (file ? file : "") + "\")",
           std::to_string(static_cast<int32_t>(value)));
    return value;
}

}  // namespace sim
