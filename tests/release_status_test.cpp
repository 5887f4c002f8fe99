// Brindlecot tests — the release that ends every arrest, and the status line.
//
//   [SECTION] Helpers
//   [SECTION] Release
//   [SECTION] Status line

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/scenario.h"

using ::testing::ElementsAreArray;

//-----------------------------------------------------------------------------
// [SECTION] Helpers
//-----------------------------------------------------------------------------

namespace {

const char kLegText[] = "Ped is ~r~refusing arrest~w~, shoot him in the leg!";
const char kGetCloseText[] = "Get close to the suspect and press again to cuff him";

// The script's natives and waits from entry `from` on, without the Win32 calls.
std::vector<std::string> scriptCalls(const sim::Trace& trace, size_t from) {
    std::vector<std::string> out;
    for (size_t n = from; n < trace.size(); ++n) {
        if (trace.entries[n].kind != sim::CallKind::Win32) out.push_back(trace.entries[n].call);
    }
    return out;
}

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
    std::vector<std::string> calls = scriptCalls(trace, trace.find("SET_TEXT_FONT", from));
    calls.resize(std::min<size_t>(calls.size(), 10));
    return calls;
}

void pressAt(sim::Host& host, int32_t ped) {
    host.world.aimTarget = ped;
    host.press(0x72, true);
    host.step();
    host.press(0x72, false);
    host.world.aimTarget = 0;
    host.runFrames(15);  // past the waits of a take-over and the debounce
}

}  // namespace

class Release : public Scenario {};
class StatusLine : public Scenario {};

//-----------------------------------------------------------------------------
// [SECTION] Release
//-----------------------------------------------------------------------------

// A refused ped stays the suspect of record without any arrest; the next press releases him all
// the same and empties the line, and a dead ped aimed at then writes nothing over it.
TEST_F(Release, WithoutArrestStillLetsTheRefusedPedGo) {
    const int32_t refused = host.world.spawnPed({0, 5, 30});  // handle 2
    host.world.find(refused)->inCombat = true;
    const int32_t dead = host.world.spawnPed({0, 6, 30});
    host.world.find(dead)->dead = true;
    start();
    pressAt(host, refused);
    ASSERT_EQ(host.statusLine(), kLegText);

    const size_t from = host.trace.size();
    pressAt(host, dead);
    std::vector<std::string> calls = scriptCalls(host.trace, host.trace.find("DOES_ENTITY_EXIST(2)", from));
    calls.resize(7);
    EXPECT_THAT(calls, ElementsAreArray(std::vector<std::string>{
                           "DOES_ENTITY_EXIST(2)",
                           "STOP_ANIM_TASK(2, \"back_to_default\", \"get_up@cuffed\", 0)",
                           "STOP_ANIM_TASK(2, \"idle_c\", \"random@arrests@busted\", 0)",
                           "SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(2, 0)",
                           "TASK_SMART_FLEE_PED(2, 1, 200.0, -1, 1, 1)",
                           "SET_PED_AS_NO_LONGER_NEEDED(&2)",
                           "IS_ENTITY_A_MISSION_ENTITY(3)",
                       }));
    EXPECT_EQ(host.world.find(refused)->task, sim::Task::Flee);
    EXPECT_EQ(host.world.find(refused)->taskEntity, host.world.playerPed);
    EXPECT_EQ(host.trace.count("CLONE_PED", from), 0u);
    EXPECT_EQ(host.statusLine(), "");
}

//-----------------------------------------------------------------------------
// [SECTION] Status line
//-----------------------------------------------------------------------------

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
        pressAt(host, refused);
        pressAt(host, seated);
        host.runUntil([&] { return host.world.exists(5); }, 5000);
        host.runFrames(5);
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
