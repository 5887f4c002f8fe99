// Brindlecot tests — the soak: long runs of random world events against the plugin linked in.
//
// The plugin's sources are linked into this program, so its state can be read after every frame:
// the status line must always hold a catalogue text and the flags one of the arrest's stages.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "hud/texts.h"
#include "script.h"
#include "sim/host.h"
#include "state.h"
#include "tests/scenario.h"

namespace {

int32_t attachPlugin(void* module, uint32_t reason, void* reserved) {
    return pluginAttach(static_cast<HMODULE>(module), reason, reserved);
}

// The catalogue's own text, not a copy of it, or the drive text filled in for the default key.
// The line points at a text of the plugin's own (no copy), as the plugin hands them out, in English.
bool isCatalogueText(const char* text) {
    if (text == g_arrest.driveText) return std::string(text) == kStatusDrive;
    if (text == kStatusEmpty) return true;
    for (int n = 0; n < kTextCount; ++n) {
        if (text == statusText(static_cast<TextId>(n))) return std::string(text) == englishText(static_cast<TextId>(n));
    }
    return false;
}

scenes::Stage stage() {
    return scenes::stageOf(g_arrest.inCustody, g_arrest.awaitingCuffs, g_arrest.isEscorting, g_arrest.isTransporting);
}

class Soak : public ::testing::TestWithParam<uint32_t> {};

// A player walking, driving and pressing the key at peds, vehicles and nothing, while peds die,
// vanish and fight and the game is reloaded. The tick starts a minute before it wraps.
TEST_P(Soak, EveryFrameEndsInAStageWithACatalogueText) {
    std::mt19937 random(GetParam());
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };
    auto around = [&](const sim::Vec3& at, float r) {
        std::uniform_real_distribution<float> d(-r, r);
        return sim::Vec3{at.x + d(random), at.y + d(random), at.z};
    };
    g_arrest = ArrestState();
    sim::Host host(0xFFFFFFFFu - 60000u);
    host.trace.enabled = true;  // each step's calls only: enough to tell the main loop's wait
    sim::World& world = host.world;
    int32_t car = world.spawnVehicle({0, 10, 30});
    host.attachLinked(attachPlugin);
    std::vector<int32_t> peds;
    std::map<Stage, int> framesInStage;
    int reloads = 0;
    for (int frame = 0; frame < 50000 && host.faults.empty(); ++frame) {
        // Now and then the game is reloaded, wherever the script stands, a wait included: the next
        // pass is the first of a new run, with the old handles naming whoever is made next.
        const bool reloaded = frame > 0 && chance(0.0005);
        if (reloaded) {
            host.reloadGame();
            peds.clear();
            car = world.spawnVehicle(around(world.player().pos, 20));
            ++reloads;
        }
        sim::Entity& player = world.player();
        if (!world.exists(car)) car = world.spawnVehicle(around(player.pos, 20));
        if (peds.size() < 4 || chance(0.002)) {
            const int32_t ped = world.spawnPed(around(player.pos, 30));
            sim::Entity& p = *world.find(ped);
            p.inCombat = chance(0.2);
            p.injured = chance(0.2);
            p.missionEntity = chance(0.1);
            peds.push_back(ped);
        }
        const int32_t somePed = peds[random() % peds.size()];
        if (chance(0.03)) {
            const int32_t targets[] = {0, 0, 0, somePed, car, g_arrest.suspectPed, 9999};
            world.aimTarget = targets[random() % 7];
        }
        host.holdKey(kF3, chance(0.04));
        const int32_t victim = chance(0.5) ? g_arrest.suspectPed : somePed;
        if (chance(0.002) && world.find(victim)) world.find(victim)->dead = true;
        if (chance(0.002) && victim != world.playerPed) world.remove(victim);
        if (chance(0.01)) world.movePlayer(around(player.pos, chance(0.05) ? 80 : 3));
        if (const sim::Entity* suspect = world.find(g_arrest.suspectPed)) {
            if (chance(0.01)) world.movePlayer(around(suspect->pos, 1.2f));  // walks up to him
            if (chance(0.005)) world.find(car)->pos = around(suspect->pos, 4);
        }
        if (chance(0.003)) world.seatPed(world.playerPed, car, -1);
        if (chance(0.003)) world.unseatPed(world.playerPed);
        if (chance(0.002))
            world.drive(
                car, chance(0.5) ? offset(vecOf(kPrecinctPoint), 0, kDeliveryRadius * 0.4f) : around(player.pos, 100),
                30);
        if (chance(0.002) && world.exists(somePed)) world.seatPed(somePed, car, static_cast<int32_t>(random() % 3));
        if (chance(0.01)) {
            peds.erase(std::remove_if(peds.begin(), peds.end(), [&](int32_t p) { return !world.exists(p); }),
                       peds.end());
        }
        if (reloaded) {  // no press in the new run's first pass, so it shows the arrest forgotten
            host.holdKey(kF3, false);
            world.aimTarget = 0;
        }
        host.trace.clear();
        host.step();
        if (!endsLoopPass(host.trace, host.trace.size() - 1)) continue;  // stopped inside a stage that waits
        ASSERT_TRUE(isCatalogueText(g_arrest.statusMessage)) << g_arrest.statusMessage << " at frame " << frame;
        ASSERT_NE(stage(), Stage::Unknown)
            << "flags " << int(g_arrest.inCustody) << int(g_arrest.awaitingCuffs) << int(g_arrest.isEscorting)
            << int(g_arrest.isTransporting) << " at frame " << frame;
        ++framesInStage[stage()];
        if (reloaded) {
            ASSERT_EQ(stage(), Stage::None) << "the arrest outlived the reload at frame " << frame;
        }
    }
    EXPECT_GT(reloads, 0);
    EXPECT_TRUE(host.faults.empty()) << host.faults.front();
    for (Stage reached : {Stage::Busted, Stage::Escort, Stage::Transport})
        EXPECT_GT(framesInStage[reached], 0) << scenes::stageName(reached) << " never reached";
    EXPECT_LT(host.tick(), 0x80000000u);  // the tick wrapped
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u),
                         [](const ::testing::TestParamInfo<uint32_t>& p) { return "Seed" + std::to_string(p.param); });

}  // namespace
