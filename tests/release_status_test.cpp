// Brindlecot tests — the release that ends every arrest, and the status line.

#include <algorithm>
#include <utility>

#include "tests/arrest_steps.h"

using ::testing::ElementsAreArray;

namespace {

std::vector<std::string> drawOf(const std::string& text) {
    return {"SET_TEXT_FONT(0)",
            "SET_TEXT_SCALE(0.5, 0.5)",
            "SET_TEXT_COLOUR(255, 255, 255, 255)",
            "SET_TEXT_WRAP(0.0, 1.0)",
            "SET_TEXT_CENTRE(1)",
            "SET_TEXT_DROPSHADOW(0, 0, 0, 0, 0)",
            "SET_TEXT_OUTLINE()",
            "BEGIN_TEXT_COMMAND_DISPLAY_TEXT(\"STRING\")",
            "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"" + text + "\")",
            "END_TEXT_COMMAND_DISPLAY_TEXT(0.5, 0.9, 0)"};
}

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
    press(host, refused);
    ASSERT_EQ(host.statusLine(), kMissionText);

    const size_t from = press(host, other);
    EXPECT_EQ(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST(2)", from) + 1, 1),
              std::vector<std::string>{"IS_ENTITY_A_MISSION_ENTITY(3)"});
    const sim::Entity& mission = entityOf(host.world, refused);
    EXPECT_TRUE(mission.orders.empty()) << mission.orders.front();
    EXPECT_TRUE(mission.missionEntity && !mission.scriptOwned);
    EXPECT_EQ(host.statusLine(), kGetCloseText);
}

// Shot in the leg after refusing, he is simply tested again and taken over, with nothing released.
TEST_F(Release, ARefusedPedShotInTheLegIsTakenOverWithoutARelease) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});  // handle 2
    entityOf(host.world, refused).inCombat = true;
    start();
    press(host, refused);
    ASSERT_EQ(host.statusLine(), kLegText);

    entityOf(host.world, refused).injured = true;
    const size_t from = press(host, refused);
    EXPECT_EQ(host.trace.count("TASK_SMART_FLEE_PED", from) + host.trace.count("SET_PED_AS_NO_LONGER_NEEDED", from),
              0u);
    EXPECT_EQ(host.trace.count("CLONE_PED(2, 0, 1, 1)", from), 1u);
    EXPECT_FALSE(host.world.exists(refused));
    EXPECT_EQ(host.statusLine(), kGetCloseText);
}

// Drawn before the trigger is handled: the text set in a frame shows from the next frame on,
// tokens and all; the empty text is drawn in full too.
TEST_F(StatusLine, ShowsATextFromTheFrameAfterItIsSet) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});
    entityOf(host.world, refused).inCombat = true;
    start();
    EXPECT_THAT(firstDraw(host.trace, 0), ElementsAreArray(drawOf("")));

    host.world.aimTarget = refused;
    size_t from = host.trace.size();
    tapKey();
    EXPECT_THAT(firstDraw(host.trace, from), ElementsAreArray(drawOf("")));
    EXPECT_EQ(host.statusLine(), "");
    from = host.trace.size();
    host.step();
    EXPECT_THAT(firstDraw(host.trace, from), ElementsAreArray(drawOf(kLegText)));
    EXPECT_EQ(host.statusLine(), kLegText);
    EXPECT_TRUE(host.statusOutlined()) << "the dark outline, which the edge setting never drew";
}

TEST_F(StatusLine, NoLineIsDrawnWhileTheTakeOverWaits) {
    const int32_t ped = host.world.spawnPed({0, 5, 30});
    start();
    host.world.aimTarget = ped;
    tapKey();  // stops at the first wait of the busted pose
    ASSERT_EQ(host.trace.calls().back(), "scriptWait(1)");
    host.step();  // to the second wait
    ASSERT_EQ(host.trace.calls().back(), "scriptWait(5)");
    EXPECT_TRUE(host.world.lastFrame.lines.empty());
    host.runFrames(2);
    EXPECT_EQ(host.statusLine(), kGetCloseText);
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
        press(host, refused);
        press(host, seated);
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
