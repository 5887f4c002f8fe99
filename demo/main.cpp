// Brindlecot demo — runs an arrest in the simulated game with the real plugin module and tells it.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "demo/map.h"
#include "demo/scenarios.h"

static void printUsage(FILE* out) {
    std::fprintf(out,
                 "usage: demo [--scenario NAME] [--trace] [--start-tick N] [--map FILE]\n"
                 "       demo --list | --help\n"
                 "\n"
                 "Plays a scene in the simulated game with the plugin loaded and prints one line per\n"
                 "event (simulated time, arrest stage, what happened) and the status line as the screen\n"
                 "shows it.\n"
                 "\n"
                 "  --scenario NAME  the scene to play (default: arrest; see --list)\n"
                 "  --trace          also print every native call: frame, tick, call -> result\n"
                 "  --start-tick N   the game's tick at start, which seeds the plugin's dice\n"
                 "  --map FILE       also draw the scene from above into FILE, .svg or .png\n"
                 "  --list           list the scenes\n"
                 "  --help           this text\n"
                 "\n"
                 "Exit status: 0 when the scene ends the way it should, 1 otherwise or when the map could\n"
                 "not be written, 2 for bad usage (a map file name that cannot be written included).\n");
}

static void printList() {
    for (const demo::ScenarioInfo& s : demo::scenarioList())
        std::printf("%-10s %s\n", s.name, s.summary);
}

static std::string sceneTitle(const std::string& name) {
    for (const demo::ScenarioInfo& s : demo::scenarioList()) {
        if (name == s.name) return name + ": " + s.summary;
    }
    return name;
}

static bool parseTick(const char* text, int64_t& tick) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-' || value > 0xFFFFFFFFull) return false;
    tick = static_cast<int64_t>(value);
    return true;
}

int main(int argc, char** argv) {
    demo::RunOptions options;
    options.colour = isatty(fileno(stdout)) != 0;
    std::string scenario = "arrest";
    const char* mapPath = nullptr;  // --map given, even with an empty name
    for (int n = 1; n < argc; ++n) {
        const std::string arg = argv[n];
        const bool hasValue = n + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        } else if (arg == "--list") {
            printList();
            return 0;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--scenario" && hasValue) {
            scenario = argv[++n];
        } else if (arg == "--map" && hasValue) {
            mapPath = argv[++n];
        } else if (arg == "--start-tick" && hasValue && parseTick(argv[n + 1], options.startTick)) {
            ++n;
        } else {
            std::fprintf(stderr, "demo: bad argument '%s'\n\n", arg.c_str());
            printUsage(stderr);
            return 2;
        }
    }
    if (!demo::hasScenario(scenario)) {
        std::fprintf(stderr, "demo: no scenario '%s'; the scenarios are:\n", scenario.c_str());
        for (const demo::ScenarioInfo& s : demo::scenarioList())
            std::fprintf(stderr, "  %s\n", s.name);
        return 2;
    }
    std::unique_ptr<demo::MapRecorder> map;
    if (mapPath) {
        const std::string why = demo::checkMapPath(mapPath);
        if (!why.empty()) {
            std::fprintf(stderr, "demo: %s\n", why.c_str());
            return 2;
        }
        map = std::make_unique<demo::MapRecorder>(sceneTitle(scenario));
        options.observer = map.get();
    }
    const bool ok = demo::runScenario(scenario, options);
    std::string error;
    if (map && !demo::writeMap(*map, mapPath, error)) {
        std::fprintf(stderr, "demo: %s\n", error.c_str());
        return 1;
    }
    return ok ? 0 : 1;
}
