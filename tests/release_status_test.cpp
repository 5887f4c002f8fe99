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
            "SET_TEXT_EDGE(1, 0, 0, 0, 205)",
            "BEGIN_TEXT_COMMAND_DISPLAY_TEXT(\"STRING\")",
            "ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(\"" + text + "\")",
            "END_TEXT_COMMAND_DISPLAY_TEXT(0.5, 0.9)"};
}

// The ten calls of the first draw at or after `from`.
std::vector<std::string> firstDraw(const sim::Trace& trace, size_t from) {
    return scriptCalls(trace, trace.find("SET_TEXT_FONT", from), 10);
}

}  // namespace

class Release : public Scenario {};
class StatusLine : public Scenario {};

// A refused ped stays the suspect of record without any arrest; the next press releases him all
// the same and empties the line, and a dead ped aimed at then writes nothing over it.
TEST_F(Release, WithoutArrestStillLetsTheRefusedPedGo) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});  // handle 2
    host.world.find(refused)->inCombat = true;
    const int32_t dead = host.world.spawnPed({0, 6, 30});
    host.world.find(dead)->dead = true;
    start();
    press(host, refused);
    ASSERT_EQ(host.statusLine(), kLegText);

    const size_t from = press(host, dead);
    std::vector<std::string> expected = releaseOf(2);
    expected.insert(expected.begin(), "DOES_ENTITY_EXIST(2)");
    expected.push_back("IS_ENTITY_A_MISSION_ENTITY(3)");
    EXPECT_THAT(scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST", from), 7), ElementsAreArray(expected));
    EXPECT_EQ(host.world.find(refused)->task, sim::Task::Flee);
    EXPECT_EQ(host.world.find(refused)->taskEntity, host.world.playerPed);
    EXPECT_EQ(host.trace.count("CLONE_PED", from), 0u);
    EXPECT_EQ(host.statusLine(), "");
}

// Drawn before the trigger is handled: the text set in a frame shows from the next frame on,
// tokens and all; the empty text is drawn in full too.
TEST_F(StatusLine, ShowsATextFromTheFrameAfterItIsSet) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});
    host.world.find(refused)->inCombat = true;
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
        host.world.find(refused)->inCombat = true;
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
    EXPECT_GT(std::count(shown.second.begin(), shown.second.end(), "CLONE_PED(3, -2.0, 8.0, 30.0)"), 0);
}
