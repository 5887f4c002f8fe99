// Brindlecot Wine harness — runs the real Brindlecot.asi on the simulated host, under Windows or Wine.
//
//   runner --out DIR [NAME...]   plays the named scripted runs (all by default), writes DIR\<name>.txt
//   runner --crash-probe         plays a run in which the plugin reads a faulting result
//   runner --ini-table           checks the system's INI reader, and the settings the plugin takes from
//                                its answers, against the INI table
//   runner --check-ini FILE      checks that FILE writes every setting, each at the plugin's default
//
// Every run gets a fresh Host and a freshly loaded module, and runs in the Host's own working
// directory, where the system's INI reader finds the run's .\Brindlecot.ini.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "input/settings.h"
#include "scenes/ini_cases.h"
#include "scenes/runs.h"
#include "sim/host.h"

namespace {

std::string directoryOfExe() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, n);
    return full.substr(0, full.find_last_of("\\/"));
}

std::string absolute(const std::string& path) {
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

// Plays one scripted run; prints PASS or FAIL with every fault; writes the trace when outDir is set.
bool playAndReport(const scenes::ScriptedRun& run, const std::string& outDir) {
    std::string outcome;
    std::vector<std::string> faults;
    std::string trace;
    {
        sim::Host sim(run.startTick);
        SetCurrentDirectoryA(sim.workingDirectory.c_str());
        outcome = run.play(sim);
        sim.unload();
        faults = sim.faults;
        trace = sim.trace.dump();
    }
    if (!outDir.empty()) {
        std::ofstream(outDir + "\\" + run.name + ".txt", std::ios::binary) << trace;
    }
    const bool passed = outcome.empty() && faults.empty();
    std::printf("%s %s\n", passed ? "PASS" : "FAIL", run.name);
    if (!outcome.empty()) std::printf("    outcome: %s\n", outcome.c_str());
    for (const std::string& fault : faults)
        std::printf("    fault: %s\n", fault.c_str());
    std::fflush(stdout);
    return passed;
}

// The plugin is handed a result pointer into a page it may not read, a few frames after start.
std::string crashProbe(sim::Host& sim) {
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    sim.load();
    sim.runFrames(5);
    sim.resultsOverride = static_cast<uint64_t*>(page);
    sim.runFrames(3);
    sim.resultsOverride = nullptr;
    sim.runFrames(3);
    VirtualFree(page, 0, MEM_RELEASE);
    return "";
}

int playRuns(const std::string& outDir, const std::vector<std::string>& names) {
    if (!outDir.empty()) CreateDirectoryA(outDir.c_str(), nullptr);
    int failed = 0, played = 0;
    for (const scenes::ScriptedRun& run : scenes::scriptedRuns()) {
        bool wanted = names.empty();
        for (const std::string& name : names)
            wanted = wanted || name == run.name;
        if (!wanted) continue;
        ++played;
        if (!playAndReport(run, outDir)) ++failed;
    }
    std::printf("%d of %d scripted runs passed\n", played - failed, played);
    return failed == 0 && played > 0 ? 0 : 1;
}

const char kIniFile[] = ".\\Brindlecot.ini";

// The table's answer, the NULs of a list of names written as |.
std::string shown(const char* buffer, DWORD count) {
    std::string text(buffer, count);
    for (char& c : text)
        if (c == '\0') c = '|';
    return text;
}

// A number as the plugin sees one: a digit first, or a sign and a digit.
bool isNumber(const std::string& text) {
    const size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return false;
    const size_t digit = text[at] == '-' || text[at] == '+' ? at + 1 : at;
    return digit < text.size() && text[digit] >= '0' && text[digit] <= '9';
}

int checkIniTable() {
    sim::Host sim;  // for its scratch working directory only
    SetCurrentDirectoryA(sim.workingDirectory.c_str());
    int failed = 0;
    for (const scenes::IniCase& c : scenes::kIniCases) {
        DeleteFileA(kIniFile);
        if (c.contents) std::ofstream(kIniFile, std::ios::binary) << c.contents;
        char buffer[scenes::kIniBufferSize];
        const DWORD count = GetPrivateProfileStringA("Brindlecot", c.key, "", buffer, sizeof buffer, kIniFile);
        std::string why;
        if (shown(buffer, count) != c.read) why = "read \"" + shown(buffer, count) + "\"";
        if (c.key) {
            SettingValue value = 0;
            SettingSlip slip = SettingSlip::None;
            const SettingRow* row = settingRow(c.key);
            const bool said = row && !settingFromIni(*row, buffer, count, sizeof buffer, &value, &slip);
            const SettingValue expected = c.value == scenes::kItsDefault && row ? row->defaultValue : c.value;
            if (!row || value != expected || said != c.said || (c.why != SettingSlip::None && slip != c.why)) {
                why += " setting " + std::to_string(value) + (said ? ", said" : ", silent");
            }
            // A number reads as the system's own GetPrivateProfileIntA reads it.
            SettingValue number = 0;
            const auto system = static_cast<int32_t>(GetPrivateProfileIntA("Brindlecot", c.key, -12345, kIniFile));
            if (isNumber(c.read) && (!readSettingValue(SettingKind::Flag, buffer, &number) || number != system)) {
                why += " GetPrivateProfileIntA " + std::to_string(system) + ", the plugin's number " +
                       std::to_string(number);
            }
        }
        if (!why.empty()) {
            std::printf("FAIL %s:%s\n", c.name, why.c_str());
            ++failed;
        }
    }
    // A player's text is read into its room byte for byte, whatever the language.
    for (const scenes::TextIniCase& c : scenes::kTextIniCases) {
        DeleteFileA(kIniFile);
        std::ofstream(kIniFile, std::ios::binary) << c.contents;
        char buffer[kStatusTextBytes];
        const DWORD count = GetPrivateProfileStringA("Texts", c.key, "", buffer, sizeof buffer, kIniFile);
        if (shown(buffer, count) != c.read) {
            std::printf("FAIL %s: read \"%s\"\n", c.name, shown(buffer, count).c_str());
            ++failed;
        }
    }
    DeleteFileA(kIniFile);
    const auto cases = static_cast<int>(std::size(scenes::kIniCases) + std::size(scenes::kTextIniCases));
    std::printf("%d of %d INI cases as expected\n", cases - failed, cases);
    return failed == 0 ? 0 : 1;
}

// The shipped INI writes every setting of the plugin's table, in a form the plugin reads as its default.
int checkDefaults(const std::string& file) {
    const std::string path = absolute(file);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("FAIL %s does not exist\n", path.c_str());
        return 1;
    }
    int failed = 0;
    for (const SettingRow& row : kSettingRows) {
        char buffer[scenes::kIniBufferSize];
        const DWORD count = GetPrivateProfileStringA("Brindlecot", row.key, "", buffer, sizeof buffer, path.c_str());
        SettingValue value = 0;
        const bool ok =
            count > 0 && settingFromIni(row, buffer, count, sizeof buffer, &value) && value == row.defaultValue;
        std::printf("%s %s=%s (%lld, default %d)\n", ok ? "ok  " : "FAIL", row.key, buffer,
                    static_cast<long long>(value), row.defaultValue);
        if (!ok) ++failed;
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--ini-table") return checkIniTable();
    if (args.size() == 2 && args[0] == "--check-ini") return checkDefaults(args[1]);

    const std::string module = "BRINDLECOT_MODULE=" + directoryOfExe() + "\\Brindlecot.asi";
    _putenv(module.c_str());
    if (args.size() == 1 && args[0] == "--crash-probe") {
        return playAndReport({"crash_probe", 100000, crashProbe}, "") ? 0 : 1;
    }
    if (args.size() >= 2 && args[0] == "--out") {
        return playRuns(absolute(args[1]), std::vector<std::string>(args.begin() + 2, args.end()));
    }
    std::fprintf(stderr, "usage: runner --out DIR [NAME...] | --crash-probe | --ini-table | --check-ini FILE\n");
    return 2;
}
