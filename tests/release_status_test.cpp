// Brindlecot tests — the release that ends every arrest, and the status line.

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>

#include "tests/scenario.h"

using ::testing::ElementsAreArray;

namespace {

// The ten calls of the first draw at or after `from`.
std::vector<std::string> firstDraw(const sim::Trace& trace, size_t from) {
    return scriptCalls(trace, trace.find("SET_TEXT_FONT", from), 10);
}

}  // namespace

class Release : public Scenario {};
class StatusLine : public Scenario {};

// A refused ped stays the suspect of record, but the script never took him over: the next press
// gives him no order and does not hand him to the host, whose mission may still need him.
TEST_F(Release, ARefusedMissionPedIsLeftAloneWhenSomeoneElseIsArrested) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});  // handle 2
    entityOf(host.world, refused).missionEntity = true;
    const int32_t other = host.world.spawnPed({0, 6, 30});
    start();
    press(host, {refused});
    ASSERT_EQ(host.statusLine(), kStatusMissionPed);

    const size_t from = press(host, {other});
    EXPECT_EQ(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST(2)", from) + 1, 1),
              std::vector<std::string>{"IS_ENTITY_A_MISSION_ENTITY(3)"});
    const sim::Entity& mission = entityOf(host.world, refused);
    EXPECT_TRUE(mission.orders.empty()) << mission.orders.front();
    EXPECT_TRUE(mission.missionEntity && !mission.scriptOwned);
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

// Shot in the leg after his refusal, he is simply tested again and taken over, with nothing released.
TEST_F(Release, ARefusedPedShotInTheLegIsTakenOverWithoutARelease) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});  // handle 2
    entityOf(host.world, refused).inCombat = true;
    start();
    press(host, {refused});
    ASSERT_EQ(host.statusLine(), kStatusRefuseOnFoot);

    entityOf(host.world, refused).injured = true;
    const size_t from = press(host, {refused});
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", from) + host.trace.count("SET_PED_AS_NO_LONGER_NEEDED", from),
              0u);
    EXPECT_EQ(host.trace.count("CLONE_PED(2, 0, 1, 1)", from), 1u);
    EXPECT_FALSE(host.world.exists(refused));
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

// Drawn before the trigger is handled: the text set in a frame shows from the next frame on,
// tokens and all; the empty text is drawn in full too.
// The ten texts, letter for letter, as the README shows them to the player (the colour tokens
// written as brackets there). Any change to a text is a change to what players read: update both.
TEST(StatusCatalogue, HoldsExactlyTheTextsThePlayerIsPromised) {
    const std::pair<const char*, const char*> promised[] = {
        {kStatusEmpty, ""},
        {kStatusMissionPed, "Cannot arrest mission ped (change in config file)"},
        {kStatusRefuseOnFoot, "Ped is ~r~refusing arrest~w~, shoot him in the leg!"},
        {kStatusRefuseInVehicle, "Ped is ~r~refusing~w~ arrest, damage the vehicle engine!"},
        {kStatusGetClose, "Get close to the suspect and press again to cuff him"},
        {kStatusEscort, "Escort the suspect to the vehicle"},
        {kStatusNoFreeSeat, "No free seat for the suspect in this vehicle"},
        {kStatusNotInVehicle, "The suspect is not in your vehicle"},
        {kStatusResisting, "Suspect is ~r~resisting~w~ arrest!"},
        {kStatusDrive, "Drive the suspect to the ~b~marked~w~ precinct (or set him free F3)"}};
    std::ostringstream contents;
    contents << std::ifstream(BRINDLECOT_README).rdbuf();
    const std::string readme = contents.str();
    ASSERT_FALSE(readme.empty()) << "cannot read " << BRINDLECOT_README;
    for (const auto& [text, words] : promised) {
        EXPECT_STREQ(text, words);
        std::string shown = words;
        for (const char* token : {"~r~", "~b~"})
            for (size_t at; (at = shown.find(token)) != std::string::npos;)
                shown.replace(at, 3, "[");
        for (size_t at; (at = shown.find("~w~")) != std::string::npos;)
            shown.replace(at, 3, "]");
        if (!shown.empty()) {
            EXPECT_NE(readme.find("| " + shown + " |"), std::string::npos) << "the README does not show: " << shown;
        }
    }
}

TEST_F(StatusLine, ShowsATextFromTheFrameAfterItIsSet) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});
    entityOf(host.world, refused).inCombat = true;
    start();
    EXPECT_THAT(firstDraw(host.trace, 0), ElementsAreArray(drawOf("")));

    size_t from = press(host, {refused, Press::kFrameOnly});
    EXPECT_THAT(firstDraw(host.trace, from), ElementsAreArray(drawOf("")));
    EXPECT_EQ(host.statusLine(), "");
    from = host.trace.size();
    host.step();
    EXPECT_THAT(firstDraw(host.trace, from), ElementsAreArray(drawOf(kStatusRefuseOnFoot)));
    EXPECT_EQ(host.statusLine(), kStatusRefuseOnFoot);
    EXPECT_TRUE(host.statusOutlined()) << "the dark outline, which the edge setting never drew";
}

TEST_F(StatusLine, NoLineIsDrawnWhileTheTakeOverWaits) {
    const int32_t ped = host.world.spawnPed({0, 5, 30});
    start();
    host.world.aimTarget = ped;
    host.holdKey(kF3);
    host.step();  // stops at the first wait for the busted pose's dictionary
    host.holdKey(kF3, false);
    ASSERT_FALSE(endsLoopPass(host.trace, host.trace.size() - 1));
    int waits = 0;
    for (; waits < 100 && !endsLoopPass(host.trace, host.trace.size() - 1); ++waits) {
        host.step();
        EXPECT_TRUE(host.world.lastFrame.lines.empty());
    }
    EXPECT_GE(waits, 9) << "the dictionary's load and the pose's second start";
    host.step();
    EXPECT_EQ(host.statusLine(), kStatusGetClose);
}

// With show_msg=0 nothing is drawn and everything else the script does stays call for call the same.
TEST(StatusLineHidden, NeverDrawnAndTheRestOfEveryFrameUnchanged) {
    auto run = [](const char* ini) {
        sim::Host host;
        host.setIni(ini);
        const int32_t refused = host.world.spawnPed({0, 5, 30});
        entityOf(host.world, refused).inCombat = true;
        const int32_t seated = host.world.spawnPed({0, 8, 30});
        host.world.seatPed(seated, host.world.spawnVehicle({0, 8, 30}), -1);
        host.load();
        host.runFrames(2);
        press(host, {refused});
        press(host, {seated});
        EXPECT_THAT(host.faults, ::testing::IsEmpty());
        std::vector<std::string> calls;
        for (const std::string& call : scriptCalls(host.trace, 0)) {
            if (call.rfind("SET_TEXT_", 0) != 0 && call.find("TEXT_COMMAND") == std::string::npos &&
                call.rfind("ADD_TEXT_COMPONENT", 0) != 0) {
                calls.push_back(call);
            }
        }
        return std::make_pair(host.trace.count("SET_TEXT_FONT"), calls);
    };
    const auto shown = run("[Brindlecot]\nshow_msg=1\n");
    const auto hidden = run("[Brindlecot]\nshow_msg=0\n");
    EXPECT_GT(shown.first, 20u);
    EXPECT_EQ(hidden.first, 0u);
    EXPECT_EQ(hidden.second, shown.second);
    EXPECT_GT(std::count(shown.second.begin(), shown.second.end(), "CLONE_PED(3, 0, 1, 1)"), 0);
}
