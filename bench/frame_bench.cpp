// Brindlecot benchmark — one main loop pass in each stage of an arrest, against a host that does
// nothing (null_host.cpp), beside a hand-written loop that issues the same natives with no logic.
// The ratio plugin / hand-written per stage is the cost of the plugin's own logic.

#include <benchmark/benchmark.h>

#include "bench/null_host.h"
#include "host/native_call.h"
#include "host/natives.h"
#include "hud/status.h"
#include "scenes/stage.h"
#include "script.h"
#include "state.h"

using scenes::Stage;

constexpr EntityHandle kPlayer = 1, kVehicle = 2, kSuspect = 3;

static void enterStage(Stage stage) {
    g_arrest = ArrestState();
    g_arrest.settings = {114, 0, 0, 1, 0};
    g_arrest.suspectPed = kSuspect;
    g_arrest.playerVehicle = kVehicle;
    g_arrest.inCustody = stage != Stage::None;
    g_arrest.awaitingCuffs = stage == Stage::Busted;
    g_arrest.isEscorting = stage == Stage::Escort;
    g_arrest.isTransporting = stage == Stage::Transport;
    const char* texts[] = {kStatusEmpty, kStatusGetClose, kStatusEscort, kStatusDrive};
    g_arrest.statusMessage = texts[static_cast<int>(stage)];
}

static NativeVec3 coords(EntityHandle entity) {
    return resultVec3(callNative(kNativeGetEntityCoords, slotInt(entity), slotInt(1)));
}

static float distance(const NativeVec3& a, const NativeVec3& b) {
    return resultFloat(callNative(kNativeGetDistanceBetweenCoords, slotFloat(a.x), slotFloat(a.y), slotFloat(a.z),
                                  slotFloat(b.x), slotFloat(b.y), slotFloat(b.z), slotInt(1)));
}

static void handIdle(const char* text) {
    const EntityHandle player = resultInt(callNative(kNativePlayerPedId));
    benchmark::DoNotOptimize(coords(player));
    callNative(kNativeSetTextFont, slotInt(0));
    callNative(kNativeSetTextScale, slotFloat(0.5f), slotFloat(0.5f));
    callNative(kNativeSetTextColour, slotInt(255), slotInt(255), slotInt(255), slotInt(255));
    callNative(kNativeSetTextWrap, slotFloat(0.0f), slotFloat(1.0f));
    callNative(kNativeSetTextCentre, slotInt(1));
    callNative(kNativeSetTextDropshadow, slotInt(0), slotInt(0), slotInt(0), slotInt(0), slotInt(0));
    callNative(kNativeSetTextOutline);
    callNative(kNativeBeginTextCommandDisplayText, slotText("STRING"));
    callNative(kNativeAddTextComponentString, slotText(text));
    callNative(kNativeEndTextCommandDisplayText, slotFloat(0.5f), slotFloat(0.9f), slotInt(0));
    benchmark::DoNotOptimize(GetTickCount());
    benchmark::DoNotOptimize(GetAsyncKeyState(114));
    benchmark::DoNotOptimize(GetTickCount());
}

static void handFrame(Stage stage, const char* text) {
    handIdle(text);
    if (stage == Stage::None) return;
    const EntityHandle player = resultInt(callNative(kNativePlayerPedId));
    benchmark::DoNotOptimize(callNative(kNativeDoesEntityExist, slotInt(kSuspect)));
    benchmark::DoNotOptimize(callNative(kNativeIsPedDeadOrDying, slotInt(kSuspect), slotInt(0)));
    if (stage == Stage::Escort) {
        callNative(kNativeTaskFollowToOffsetOfEntity, slotInt(kSuspect), slotInt(player), slotFloat(0.5f),
                   slotFloat(0.5f), slotFloat(0.0f), slotFloat(1.0f), slotInt(1000), slotFloat(1.0f), slotInt(1));
        benchmark::DoNotOptimize(distance(coords(kVehicle), coords(kSuspect)));
    }
    if (stage == Stage::Transport) {
        const NativeVec3 suspect = coords(kSuspect);
        callNative(kNativeDrawMarker, slotInt(2), slotFloat(477.0f), slotFloat(-1023.0f), slotFloat(20.0f),
                   slotFloat(0.0f), slotFloat(0.0f), slotFloat(0.0f), slotFloat(180.0f), slotFloat(0.0f),
                   slotFloat(0.0f), slotFloat(0.5f), slotFloat(0.5f), slotFloat(0.5f), slotInt(204), slotInt(204),
                   slotInt(0), slotInt(100), slotInt(0), slotInt(1), slotInt(2), slotInt(0), slotText(nullptr),
                   slotText(nullptr), slotInt(0));
        benchmark::DoNotOptimize(resultFloat(callNative(kNativeGetDistanceBetweenCoords, slotFloat(477.0f),
                                                        slotFloat(-1023.0f), slotFloat(28.0f), slotFloat(suspect.x),
                                                        slotFloat(suspect.y), slotFloat(suspect.z), slotInt(1))));
    }
    benchmark::DoNotOptimize(callNative(kNativeGetVehiclePedIsIn, slotInt(player), slotInt(1)));
    benchmark::DoNotOptimize(distance(coords(player), coords(kSuspect)));
}

static void pluginFrame(benchmark::State& state, Stage stage) {
    enterStage(stage);
    for (auto _ : state)
        mainLoopFrame();
    if (!g_arrest.inCustody != (stage == Stage::None)) state.SkipWithError("the frame left its stage");
    benchmark::DoNotOptimize(nullhost::pushed);
}

static void handWrittenFrame(benchmark::State& state, Stage stage) {
    enterStage(stage);
    for (auto _ : state)
        handFrame(stage, g_arrest.statusMessage);
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

BENCHMARK_MAIN();
