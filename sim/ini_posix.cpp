// Brindlecot simulated host — GetPrivateProfileIntA over a real INI file, parsed with inih.
//
// Follows the Windows reader: section and key names compared without regard to case, only the first
// section of a name counts and the first occurrence of a key in it wins, the default for a missing
// file, section, key or empty value, one pair of quotes around a value dropped, and the leading
// integer of the value otherwise (decimal, hex after 0x, octal after 0o, binary after 0b), 0 when it
// has none. inih reads the lines once they are put into the shape in which it agrees with Windows:
// no indentation (inih would take an indented line for the continuation of the previous value), no
// spaces inside the brackets of a header, no blanks between = and the value (inih would take a ';'
// there for a comment) and no repeated section.

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
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

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The file's lines in the shape described at the top of this file.
std::string normalised(std::istream& in) {
    std::string out, line;
    std::set<std::string> sections;
    bool skipping = false;  // inside a repeated section
    while (std::getline(in, line)) {
        line = line.substr(std::min(line.find_first_not_of(" \t"), line.size()));
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            const std::string name =
                trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            skipping = !sections.insert(lower(name)).second;
            if (!skipping) out += "[" + name + "]\n";
            continue;
        }
        if (skipping) continue;
        const size_t equals = line.find('=');
        if (equals != std::string::npos && line[0] != ';' && line[0] != '#') {
            const size_t value = line.find_first_not_of(" \t", equals + 1);
            line.erase(equals + 1, (value == std::string::npos ? line.size() : value) - equals - 1);
        }
        out += line + "\n";
    }
    return out;
}

std::string unquoted(std::string value) {
    value = trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// The leading integer of the text, wrapping like the 32-bit unsigned result it becomes.
uint32_t parseLeadingInteger(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    uint32_t base = 10;
    if (at + 1 < text.size() && text[at] == '0') {  // lower-case prefixes only, as Windows reads them
        const char prefix = text[at + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10) at += 2;
    }
    uint32_t value = 0;
    for (; at < text.size(); ++at) {
        const int c = std::tolower(static_cast<unsigned char>(text[at]));
        uint32_t digit = base;
        if (c >= '0' && c <= '9') {
            digit = static_cast<uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<uint32_t>(c - 'a' + 10);
        }
        if (digit >= base) break;
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
    std::ifstream in(path, std::ios::binary);
    if (in && ini_parse_string(normalised(in).c_str(), onEntry, &lookup) >= 0 && lookup.found) {
        const std::string text = unquoted(lookup.value);
        if (!text.empty()) value = parseLeadingInteger(text);
    }
    record(CallKind::Win32,
           "GetPrivateProfileIntA(\"" + std::string(section ? section : "") + "\", \"" + (key ? key : "") + "\", " +
               std::to_string(defaultValue) + ", \"" + (file ? file : "") + "\")",
           std::to_string(static_cast<int32_t>(value)));
    return value;
}

}  // namespace sim
