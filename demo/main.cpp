// Brindlecot demo — runs an arrest in the simulated game with the real plugin module and tells it.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "demo/map.h"
#include "demo/scenes.h"

static void printUsage(FILE* out, const char* program) {
    std::fprintf(out,
                 "usage: %s [--scene NAME] [--trace] [--start-tick N] [--map FILE]\n"
                 "       %s --list | --help\n"
                 "\n"
                 "Plays a scene in the simulated game with the plugin loaded and prints one line per\n"
                 "event (simulated time, arrest stage, what happened) and the status line as the screen\n"
                 "shows it.\n"
                 "\n"
                 "  --scene NAME     the scene to play (default: arrest; see --list)\n"
                 "  --trace          also print every native call: frame, tick, call -> result\n"
                 "  --start-tick N   the game's tick at start (0 to 4294967295), which seeds the plugin's dice\n"
                 "  --map FILE       also draw the scene from above into FILE, .svg or .png\n"
                 "  --list           list the scenes\n"
                 "  --help           this text\n"
                 "\n"
                 "Exit status: 0 when the scene ends the way it should, 1 otherwise or when the map could\n"
                 "not be written, 2 for bad usage (a map file name that cannot be written included).\n",
                 program, program);
}

static void printList() {
    for (const demo::SceneInfo& s : demo::sceneList())
        std::printf("%-13s %s\n", s.name, s.summary);
}

static std::string sceneTitle(const std::string& name) {
    for (const demo::SceneInfo& s : demo::sceneList()) {
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

// Bad usage: says what was wrong, then how to call the program; exit status 2.
static int badUsage(const char* program, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n\n", program, what.c_str());
    printUsage(stderr, program);
    return 2;
}

int main(int argc, char** argv) {
    const char* program = argc > 0 && argv[0][0] != '\0' ? argv[0] : "demo";
    demo::RunOptions options;
    options.colour = isatty(fileno(stdout)) != 0;
    std::string scene = "arrest";
    const char* mapPath = nullptr;  // --map given, even with an empty name
    for (int n = 1; n < argc; ++n) {
        const std::string arg = argv[n];
        const bool takesValue = arg == "--scene" || arg == "--scenario" || arg == "--start-tick" || arg == "--map";
        if (takesValue && n + 1 >= argc) return badUsage(program, arg + " needs a value");
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout, program);
            return 0;
        } else if (arg == "--list") {
            printList();
            return 0;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--scene" || arg == "--scenario") {  // --scenario: its old name
            scene = argv[++n];
        } else if (arg == "--map") {
            mapPath = argv[++n];
        } else if (arg == "--start-tick") {
            if (!parseTick(argv[++n], options.startTick)) {
                return badUsage(program, std::string("--start-tick: '") + argv[n] +
                                             "' is not a tick (a whole number from 0 to 4294967295)");
            }
        } else {
            return badUsage(program, "unknown option '" + arg + "'");
        }
    }
    if (!demo::hasScene(scene)) {
        std::fprintf(stderr, "%s: no scene '%s'; the scenes are:\n", program, scene.c_str());
        for (const demo::SceneInfo& s : demo::sceneList())
            std::fprintf(stderr, "  %s\n", s.name);
        return 2;
    }
    std::unique_ptr<demo::MapRecorder> map;
    if (mapPath) {
        const std::string why = demo::checkMapPath(mapPath);
        if (!why.empty()) {
            std::fprintf(stderr, "%s: %s\n", program, why.c_str());
            return 2;
        }
        map = std::make_unique<demo::MapRecorder>(sceneTitle(scene));
        options.observer = map.get();
    }
    const bool ok = demo::playScene(scene, options);
    std::string error;
    if (map && !demo::writeMap(*map, mapPath, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 1;
    }
    return ok ? 0 : 1;
}
