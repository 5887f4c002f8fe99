// Brindlecot benchmark — one main loop pass in each stage of an arrest, against a host that does
// nothing (null_host.cpp), beside a hand-written loop that issues the same natives with no logic.
// The ratio plugin / hand-written per stage is the cost of the plugin's own logic.
//
// The two loops are only comparable while they make the same calls: before any timing, one frame
// of each is recorded per stage and compared call by call (natives by hash and slot count, Win32
// functions by name). A difference is printed, the stage's rows are skipped with an error and the
// program exits with status 1. `frame_bench --check` compares and exits without timing.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "arrest/tuning.h"
#include "bench/null_host.h"
#include "host/natives.h"
#include "hud/status.h"
#include "input/input.h"
#include "input/settings.h"
#include "scenes/stage.h"
#include "script.h"
#include "state.h"

using scenes::Stage;

constexpr EntityHandle kPlayer = 1, kVehicle = 2, kSuspect = 3;  // as the null host answers them
constexpr Stage kStages[] = {Stage::None, Stage::Busted, Stage::Escort, Stage::Transport};

// The status text each stage shows; the plugin's own catalogue.
static const char* statusOf(Stage stage) {
    const char* const texts[] = {kStatusEmpty, kStatusGetClose, kStatusEscort, kStatusDrive};
    return texts[static_cast<int>(stage)];
}

// The record as the plugin holds it in the stage, with the settings it reads when the game starts:
// the null host answers every setting with the plugin's own default.
static void enterStage(Stage stage) {
    g_arrest = ArrestState();
    loadSettings();
    g_arrest.suspectPed = kSuspect;
    g_arrest.playerVehicle = kVehicle;
    g_arrest.boardingVehicle = kVehicle;  // he sits in it: the seat watch asks and is answered
    g_arrest.inCustody = stage != Stage::None;
    g_arrest.awaitingCuffs = stage == Stage::Busted;
    g_arrest.isEscorting = stage == Stage::Escort;
    g_arrest.isTransporting = stage == Stage::Transport;
    g_arrest.statusMessage = statusOf(stage);
}

//-----------------------------------------------------------------------------
// The hand-written loop: the plugin's calls in each stage, one after the other
//-----------------------------------------------------------------------------

// Each line one typed native of the plugin's, with the arguments the stage passes.

static void refreshPlayer() {
    const EntityHandle player = getPlayerPed();
    benchmark::DoNotOptimize(getEntityPosition(player));
}

static void drawStatus(const char* text) {
    setTextFont(0);
    setTextScale(0.5f);
    setTextColourWhite();
    setTextWrapFullWidth();
    setTextCentred();
    setTextDropShadowOff();
    setTextOutline();
    beginLiteralText();
    addTextComponent(text);
    drawTextAt(0.5f, 0.9f);
}

// The debounce has run out, the key is up: the debounce is read again, and no gamepad was found.
static void pollKeyUp() {
    benchmark::DoNotOptimize(GetTickCount());
    benchmark::DoNotOptimize(GetAsyncKeyState(static_cast<int>(g_arrest.settings.keyArrest & kKeyCodeBits)));
    benchmark::DoNotOptimize(GetTickCount());
}

static void checkSuspect() {
    benchmark::DoNotOptimize(getPlayerPed());
    benchmark::DoNotOptimize(doesEntityExist(kSuspect));
    benchmark::DoNotOptimize(isPedDeadOrDying(kSuspect));
}

static void measure(EntityHandle from, EntityHandle to) {
    const NativeVec3 a = getEntityPosition(from);
    const NativeVec3 b = getEntityPosition(to);
    benchmark::DoNotOptimize(distanceBetween(a, b));
}

static void leash() {
    benchmark::DoNotOptimize(getLastVehicle(kPlayer));
    measure(kPlayer, kSuspect);
}

static void handIdle() {
    refreshPlayer();
    drawStatus(statusOf(Stage::None));
    pollKeyUp();
}

static void handBusted() {
    refreshPlayer();
    drawStatus(statusOf(Stage::Busted));
    pollKeyUp();
    checkSuspect();
    leash();
}

static void handEscort() {
    refreshPlayer();
    drawStatus(statusOf(Stage::Escort));
    pollKeyUp();
    checkSuspect();
    followPlayer(kSuspect, kPlayer, 0.5f, 0.5f);
    measure(kVehicle, kSuspect);
    leash();
}

static void handTransport() {
    refreshPlayer();
    drawStatus(statusOf(Stage::Transport));
    pollKeyUp();
    checkSuspect();
    benchmark::DoNotOptimize(isPedSeatedIn(kSuspect, kVehicle));
    const NativeVec3 suspect = getEntityPosition(kSuspect);
    drawPrecinctMarker(kStations[0].handOver);
    benchmark::DoNotOptimize(distanceBetween(kStations[0].handOver, suspect));
    leash();
}

static void (*const kHandFrames[])() = {handIdle, handBusted, handEscort, handTransport};

//-----------------------------------------------------------------------------
// The same calls in both loops
//-----------------------------------------------------------------------------

static std::vector<nullhost::Call> recordFrame(Stage stage, void (*frame)()) {
    enterStage(stage);
    std::vector<nullhost::Call> calls;
    nullhost::record(&calls);
    frame();
    nullhost::record(nullptr);
    return calls;
}

// "" when one frame of each loop makes the same calls in the same order; otherwise the first
// difference.
static std::string differenceIn(Stage stage) {
    const auto plugin = recordFrame(stage, mainLoopFrame);
    const auto hand = recordFrame(stage, kHandFrames[static_cast<int>(stage)]);
    for (size_t n = 0; n < plugin.size() || n < hand.size(); ++n) {
        const std::string p = n < plugin.size() ? plugin[n].text() : "nothing";
        const std::string h = n < hand.size() ? hand[n].text() : "nothing";
        if (p != h) {
            return std::string(scenes::stageName(stage)) + ": call " + std::to_string(n + 1) + " of the frame is " + p +
                   " in the plugin but " + h + " in the hand-written loop";
        }
    }
    return "";
}

static bool g_loopsDiffer = false;

// Skips the stage's row with the difference when the two loops do not make the same calls.
static bool sameCallsOrSkip(benchmark::State& state, Stage stage) {
    const std::string difference = differenceIn(stage);
    if (difference.empty()) return true;
    g_loopsDiffer = true;
    state.SkipWithError(difference.c_str());
    return false;
}

//-----------------------------------------------------------------------------
// The rows
//-----------------------------------------------------------------------------

static void pluginFrame(benchmark::State& state, Stage stage) {
    if (!sameCallsOrSkip(state, stage)) return;
    enterStage(stage);
    for (auto _ : state)
        mainLoopFrame();
    if (!g_arrest.inCustody != (stage == Stage::None)) state.SkipWithError("the frame left its stage");
    benchmark::DoNotOptimize(nullhost::pushed);
}

static void handWrittenFrame(benchmark::State& state, Stage stage) {
    if (!sameCallsOrSkip(state, stage)) return;
    void (*const frame)() = kHandFrames[static_cast<int>(stage)];
    enterStage(stage);
    for (auto _ : state)
        frame();
    benchmark::DoNotOptimize(nullhost::pushed);
}

// Rows named by stage: pluginFrame/escort against handWrittenFrame/escort, and so on.
BENCHMARK_CAPTURE(pluginFrame, idle, Stage::None);
BENCHMARK_CAPTURE(handWrittenFrame, idle, Stage::None);
BENCHMARK_CAPTURE(pluginFrame, busted, Stage::Busted);
BENCHMARK_CAPTURE(handWrittenFrame, busted, Stage::Busted);
BENCHMARK_CAPTURE(pluginFrame, escort, Stage::Escort);
BENCHMARK_CAPTURE(handWrittenFrame, escort, Stage::Escort);
BENCHMARK_CAPTURE(pluginFrame, transport, Stage::Transport);
BENCHMARK_CAPTURE(handWrittenFrame, transport, Stage::Transport);

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
        int differ = 0;
        for (Stage stage : kStages) {
            const std::string difference = differenceIn(stage);
            if (!difference.empty()) std::fprintf(stderr, "frame_bench: %s\n", difference.c_str()), ++differ;
        }
        std::printf("%d of 4 stages: the plugin and the hand-written loop make the same calls\n", 4 - differ);
        return differ == 0 ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_loopsDiffer) {
        std::fprintf(stderr, "frame_bench: the hand-written loop no longer makes the plugin's calls (rows above)\n");
        return 1;
    }
    return 0;
}
