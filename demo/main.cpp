// Brindlecot demo — runs an arrest in the simulated game with the real plugin module and tells it.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "demo/scenes.h"

static void printUsage(FILE* out) {
    std::fprintf(out,
                 "usage: demo [--scene NAME] [--trace] [--start-tick N]\n"
                 "       demo --list | --help\n"
                 "\n"
                 "Plays a scene in the simulated game with the plugin loaded and prints one line per\n"
                 "event (simulated time, arrest stage, what happened) and the status line as the screen\n"
                 "shows it.\n"
                 "\n"
                 "  --scene NAME     the scene to play (default: arrest; see --list)\n"
                 "  --trace          also print every native call: frame, tick, call -> result\n"
                 "  --start-tick N   the game's tick at start, which seeds the plugin's dice\n"
                 "  --list           list the scenes\n"
                 "  --help           this text\n"
                 "\n"
                 "Exit status: 0 when the scene ends the way it should, 1 otherwise, 2 for bad usage.\n");
}

static void printList() {
    for (const demo::SceneInfo& s : demo::sceneList())
        std::printf("%-10s %s\n", s.name, s.summary);
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
    std::string scene = "arrest";
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
        } else if ((arg == "--scene" || arg == "--scenario") && hasValue) {  // --scenario: its old name
            scene = argv[++n];
        } else if (arg == "--start-tick" && hasValue && parseTick(argv[n + 1], options.startTick)) {
            ++n;
        } else {
            std::fprintf(stderr, "demo: bad argument '%s'\n\n", arg.c_str());
            printUsage(stderr);
            return 2;
        }
    }
    if (!demo::hasScene(scene)) {
        std::fprintf(stderr, "demo: no scene '%s'; the scenes are:\n", scene.c_str());
        for (const demo::SceneInfo& s : demo::sceneList())
            std::fprintf(stderr, "  %s\n", s.name);
        return 2;
    }
    return demo::playScene(scene, options) ? 0 : 1;
}
