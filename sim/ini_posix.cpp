// Brindlecot simulated host — GetPrivateProfileStringA over a real INI file, parsed with inih.
//
// Follows the Windows reader: section and key names compared without regard to case, only the first
// section of a name counts and the first occurrence of a key in it wins, the default for a missing
// file, section or key, the value without the blanks around it and without one pair of quotes around
// it, cut to the buffer; a null key answers the section's key names, each followed by a NUL. inih
// reads the lines once they are put into the shape in which it agrees with Windows: no indentation
// (inih would take an indented line for the continuation of the previous value), no spaces inside the
// brackets of a header, no blanks between = and the value (inih would take a ';' there for a comment)
// and no repeated section, and no ';' after a blank inside a value.

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sim/host.h"
#include "sim/profile.h"

namespace sim {

namespace {

// inih takes a ';' after a blank inside a value for a comment; Windows keeps it. The blank travels
// as this byte and is put back in the value.
constexpr char kHiddenBlank = '\x01';
// inih reads lines of at most 200 bytes; Windows reads far longer ones. A long value travels beside
// the text inih reads, its line holding this byte and the value's number.
constexpr char kLongValue = '\x02';
constexpr size_t kLongestForInih = 150;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

struct Lookup {
    std::string section;  // lower case
    std::string key;      // lower case; empty: every key name of the section
    bool found = false;
    std::string value;                    // the key's value, or the key names each followed by a NUL
    std::vector<std::string> longValues;  // the values too long for inih's lines, by number
};

// The value a line of inih's text stands for: the long value it names, or itself.
std::string longValueOf(const Lookup& lookup, const std::string& value) {
    if (value.size() < 2 || value[0] != kLongValue) return value;
    size_t index = 0;
    for (size_t at = 1; at < value.size(); ++at) {
        if (value[at] < '0' || value[at] > '9' || index > lookup.longValues.size()) return value;
        index = index * 10 + static_cast<size_t>(value[at] - '0');
    }
    return index < lookup.longValues.size() ? lookup.longValues[index] : value;
}

int onEntry(void* user, const char* section, const char* name, const char* value) {
    Lookup& lookup = *static_cast<Lookup*>(user);
    if (lower(section) != lookup.section) return 1;
    if (lookup.key.empty()) {
        lookup.found = true;
        lookup.value += std::string(name) + '\0';
    } else if (!lookup.found && lower(name) == lookup.key) {
        lookup.found = true;
        lookup.value = value ? value : "";
        lookup.value = longValueOf(lookup, lookup.value);
        for (char& c : lookup.value)
            if (c == kHiddenBlank) c = ' ';
    }
    return 1;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The file's lines in the shape described at the top of this file.
std::string normalised(std::istream& in, std::vector<std::string>& longValues) {
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
            for (size_t at = line.find(';', equals); at != std::string::npos; at = line.find(';', at + 1)) {
                if (line[at - 1] == ' ' || line[at - 1] == '\t') line[at - 1] = kHiddenBlank;
            }
            // A value that begins with the mark itself travels beside the text as well.
            if (line.size() > kLongestForInih || (line.size() > equals + 1 && line[equals + 1] == kLongValue)) {
                longValues.push_back(line.substr(equals + 1));
                line = line.substr(0, equals + 1) + kLongValue + std::to_string(longValues.size() - 1);
            }
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

std::string resolve(const std::string& workingDirectory, std::string file) {
    std::replace(file.begin(), file.end(), '\\', '/');
    if (!file.empty() && file[0] == '/') return file;
    return (std::filesystem::path(workingDirectory) / file).string();
}

}  // namespace

// Copies the answer as Windows does: a value cut to size - 1 characters and terminated; a list of
// names cut to size - 2 and ended by two NULs, counted as size - 2.
uint32_t Host::onGetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue, char* out,
                                          uint32_t size, const char* file) {
    Lookup lookup;
    lookup.section = lower(section ? section : "");
    lookup.key = lower(key ? key : "");
    if (!section) fault("GetPrivateProfileStringA without a section: the stand-in does not list sections");
    std::string answer = key ? trimmed(defaultValue ? defaultValue : "") : "";
    std::ifstream in(resolve(workingDirectory, file ? file : ""), std::ios::binary);
    if (in && ini_parse_string(normalised(in, lookup.longValues).c_str(), onEntry, &lookup) >= 0 && lookup.found) {
        answer = key ? unquoted(lookup.value) : lookup.value;
    }
    uint32_t count = 0;
    if (out && size > 0) {
        if (!key && answer.size() + 1 > size) {
            count = size >= 2 ? size - 2 : 0;
            std::memcpy(out, answer.data(), count);
            out[count] = '\0';
            if (size >= 2) out[count + 1] = '\0';
        } else {
            count = static_cast<uint32_t>(std::min<size_t>(answer.size(), size - 1));
            std::memcpy(out, answer.data(), count);
            out[count] = '\0';
        }
    }
    recordProfileString(*this, section, key, defaultValue, size, file, out, count);
    return count;
}

}  // namespace sim
