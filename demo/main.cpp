// Brindlecot demo — runs an arrest in the simulated game with the real plugin module and tells it.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "demo/map.h"
#include "demo/scenes.h"
#include "input/settings.h"

// How to call the program; answers `status`.
static int printUsage(FILE* out, const char* program, int status) {
    std::fprintf(out,
                 "usage: %s [--scene NAME] [--language CODE] [--trace] [--start-tick N] [--map FILE]\n"
                 "       %s --list | --help\n\n"
                 "Plays a scene in the simulated game with the plugin loaded and prints one line per\n"
                 "event (simulated time, arrest stage, what happened) and the status line as the screen\n"
                 "shows it, in colour when the output is a terminal and NO_COLOR is unset or empty.\n\n"
                 "  --scene NAME     the scene to play (default: arrest; see --list)\n"
                 "  --language CODE  the language the game runs in, which the status line follows: en\n"
                 "                   (default), fr, de, it, es, pt, pl, ru, ko, zh-tw, ja, mx or zh-cn\n"
                 "  --trace          also print every native call: frame, tick, call -> result\n"
                 "  --start-tick N   the game's tick at start (0 to 4294967295), which seeds the plugin's dice\n"
                 "  --map FILE       also draw the scene from above into FILE, .svg or .png\n"
                 "  --list, --help   list the scenes; this text\n"
                 "A value may also follow its option after '=', as in --scene=free.\n\n"
                 "Exit status: 0 when the scene ends the way it should, 1 otherwise or when the map could\n"
                 "not be written, 2 for bad usage (a map file name that cannot be written included).\n",
                 program, program);
    return status;
}

// Digits only, nothing before or after them, at most 4294967295.
static bool parseTick(const std::string& text, int64_t& tick) {
    const bool digits = !text.empty() && text.size() <= 10 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoull(text) > 0xFFFFFFFFull) return false;
    tick = static_cast<int64_t>(std::stoull(text));
    return true;
}

// A language code as the settings file takes it, in any case: the game's number of that language.
static bool parseLanguage(const std::string& code, int32_t& language) {
    SettingValue value = kLanguageAuto;
    if (!readSettingValue(SettingKind::Language, code.c_str(), &value) || value == kLanguageAuto) return false;
    language = static_cast<int32_t>(value);
    return true;
}

// Bad usage: says what was wrong, then how to call the program; exit status 2.
static int badUsage(const char* program, const std::string& what) {
    std::fprintf(stderr, "%s: %s\n\n", program, what.c_str());
    return printUsage(stderr, program, 2);
}

int main(int argc, char** argv) {
    const char* program = argc > 0 && argv[0][0] != '\0' ? argv[0] : "demo";
    demo::RunOptions options;
    const char* noColour = std::getenv("NO_COLOR");
    options.colour = isatty(fileno(stdout)) != 0 && !(noColour && *noColour);
    std::string scene = "arrest";
    std::optional<std::string> mapPath;  // --map given, even with an empty name
    for (int n = 1; n < argc; ++n) {
        std::string arg = argv[n], value;
        const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        if (equals != std::string::npos) value = arg.substr(equals + 1), arg.erase(equals);
        const bool takesValue =
            arg == "--scene" || arg == "--scenario" || arg == "--start-tick" || arg == "--map" || arg == "--language";
        if (!takesValue && equals != std::string::npos) return badUsage(program, arg + " takes no value");
        if (takesValue && equals == std::string::npos) {
            if (n + 1 >= argc) return badUsage(program, arg + " needs a value");
            value = argv[++n];
        }
        if (arg == "--help" || arg == "-h") return printUsage(stdout, program, 0);
        if (arg == "--list") {
            for (const demo::SceneInfo& s : demo::sceneList())
                std::printf("%-13s %s\n", s.name, s.summary);
            return 0;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--scene" || arg == "--scenario") {  // --scenario: its old name
            scene = value;
        } else if (arg == "--map") {
            mapPath = value;
        } else if (arg == "--language") {
            if (!parseLanguage(value, options.language)) {
                return badUsage(program, "--language: '" + value + "' is not one of the game's languages");
            }
        } else if (arg == "--start-tick") {
            if (!parseTick(value, options.startTick)) {
                return badUsage(program, "--start-tick: '" + value +
                                             "' is not a tick (a whole number from 0 to 4294967295, digits only)");
            }
        } else {
            return badUsage(program, "unknown option '" + arg + "'");
        }
    }
    const std::vector<demo::SceneInfo> all = demo::sceneList();
    const auto info = std::find_if(all.begin(), all.end(), [&](const demo::SceneInfo& s) { return scene == s.name; });
    if (info == all.end()) {
        std::fprintf(stderr, "%s: no scene '%s'; the scenes are:\n", program, scene.c_str());
        for (const demo::SceneInfo& s : all)
            std::fprintf(stderr, "  %s\n", s.name);
        return 2;
    }
    auto fail = [&](const std::string& why, int status) {
        return std::fprintf(stderr, "%s: %s\n", program, why.c_str()), status;
    };
    std::optional<demo::MapRecorder> recorder;
    if (mapPath) {
        if (const std::string why = demo::checkMapPath(*mapPath); !why.empty()) return fail(why, 2);
        recorder.emplace(scene + ": " + info->summary);
        options.watcher = [&](const sim::Host& host, const demo::Narrator& n) { recorder->watch(host, n); };
    }
    const bool ok = demo::playScene(scene, options);
    std::string error;
    if (recorder && !demo::writeMap(*recorder, *mapPath, error)) return fail(error, 1);
    return ok ? 0 : 1;
}
