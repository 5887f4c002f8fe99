// Brindlecot demo tests — the text the demo prints and the verdicts it gives.
//
//   [SECTION] Status line rendering
//   [SECTION] Reading traced calls
//   [SECTION] Time stamps
//   [SECTION] Choosing the start tick
//   [SECTION] What the game really did
//   [SECTION] Whole scenes

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo/narrator.h"
#include "demo/scenes.h"
#include "scenes/cuff_draw.h"
#include "sim/host.h"
#include "tests/scenario.h"

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

//-----------------------------------------------------------------------------
// [SECTION] Status line rendering
//-----------------------------------------------------------------------------

TEST(RenderStatus, ColourTokensBecomeTerminalColoursOrVanish) {
    const struct {
        const char* text;
        const char* plain;
        const char* coloured;
    } cases[] = {
        {"", "", ""},
        {"no tokens at all", "no tokens at all", "no tokens at all"},
        {"a ~r~red part~w~, then white", "a red part, then white", "a \033[31mred part\033[0m, then white\033[0m"},
        {"the ~b~blue~w~ word", "the blue word", "the \033[34mblue\033[0m word\033[0m"},
        // A colour left open at the end of the text is closed before the line ends.
        {"~r~red to the end", "red to the end", "\033[31mred to the end\033[0m"},
        // Tokens the demo does not know, and broken ones, are shown as they are.
        {"~g~go~", "~g~go~", "~g~go~"},
        {"50~r", "50~r", "50~r"},
        {"~~r~x", "~x", "~\033[31mx\033[0m"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(demo::renderStatus(c.text, false), c.plain) << c.text;
        EXPECT_EQ(demo::renderStatus(c.text, true), c.coloured) << c.text;
    }
    // The plugin's own texts use only tokens the demo knows.
    for (const char* text : kStatusTexts) {
        EXPECT_EQ(demo::renderStatus(text, false).find('~'), std::string::npos) << text;
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Reading traced calls
//-----------------------------------------------------------------------------

TEST(CallArgs, SplitsAtTopLevelCommasOnly) {
    const std::string quotedRefusal = std::string("\"") + kStatusRefuseOnFoot + "\"";
    const std::string quotedDrive = std::string("\"") + kStatusDrive + "\"";
    const struct {
        std::string call;
        std::vector<std::string> args;
    } cases[] = {
        {"PLAYER_PED_ID()", {}},
        {"DELETE_PED(&4)", {"&4"}},
        {"TASK_ENTER_VEHICLE(4, 2, 10000, 1, 1.2, 0, null, 0)", {"4", "2", "10000", "1", "1.2", "0", "null", "0"}},
        {"SET_NEW_WAYPOINT(477.0, -1023.0)", {"477.0", "-1023.0"}},
        // The status texts hold commas; quoted parentheses must not end the list either.
        {"ADD_TEXT_COMPONENT_SUBSTRING_PLAYER_NAME(" + quotedRefusal + ")", {quotedRefusal}},
        {"X(" + quotedDrive + ", 1)", {quotedDrive, "1"}},
        {"X(\"\")", {"\"\""}},
        {"X(\"\", 7)", {"\"\"", "7"}},
        {"DRAW_MARKER(2, 477.0, null, null, 0)", {"2", "477.0", "null", "null", "0"}},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(demo::callArgs(c.call), ElementsAreArray(c.args)) << c.call;
    }
    EXPECT_EQ(demo::callName("CLONE_PED(2, 0, 1, 1)"), "CLONE_PED");
    EXPECT_EQ(demo::callName("scriptWait(6000)"), "scriptWait");
}

//-----------------------------------------------------------------------------
// [SECTION] Time stamps
//-----------------------------------------------------------------------------

TEST(FormatTime, MinutesSecondsMillisecondsWithMinutesPastAnHour) {
    const struct {
        uint64_t ms;
        const char* text;
    } cases[] = {
        {0, "00:00.000"},     {999, "00:00.999"},     {1000, "00:01.000"},     {59999, "00:59.999"},
        {60000, "01:00.000"}, {3600000, "60:00.000"}, {6000123, "100:00.123"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::formatTime(c.ms), c.text) << c.ms;
}

//-----------------------------------------------------------------------------
// [SECTION] Choosing the start tick
//-----------------------------------------------------------------------------

static bool firstDrawResists(uint32_t tick) {
    std::srand(tick);
    return std::rand() % 100 < 15;
}

TEST(StartTickWhereSuspect, AnswersTheFirstTickWhoseDrawFallsTheAskedWay) {
    for (const uint32_t from : {0u, 100000u, 4294967000u}) {
        for (const bool resist : {true, false}) {
            const uint32_t tick = scenes::startTickWhereSuspect(resist, from);
            EXPECT_EQ(firstDrawResists(tick), resist) << from;
            for (uint32_t earlier = from; earlier != tick; ++earlier)
                EXPECT_NE(firstDrawResists(earlier), resist) << "tick " << earlier << " was skipped";
        }
    }
}

static std::string readBack(FILE* out) {
    std::string text(static_cast<size_t>(std::ftell(out)), '\0');
    std::rewind(out);
    text.resize(std::fread(&text[0], 1, text.size(), out));
    std::fclose(out);
    return text;
}

//-----------------------------------------------------------------------------
// [SECTION] What the game really did
//-----------------------------------------------------------------------------

// The game never finishes loading the busted dictionary: the plugin gives up waiting and asks for
// the pose twice, and the game drops both. The story tells no pose the suspect did not take.
TEST(Narrator, APoseTheGameDroppedIsToldAsNotPlayed) {
    sim::Host host;
    host.world.animDictLoadMs = 0xFFFFFFFF;
    const int32_t ped = host.world.spawnPed({5, 0, 30});
    demo::NarratorOptions options;
    options.out = std::tmpfile();
    demo::Narrator n(host, options);
    host.load();
    while (n.now() < 300)
        n.step();
    host.world.aimTarget = ped;
    host.press(kF3);
    n.step();
    host.press(kF3, false);
    for (int frame = 0; frame < 200 && n.stage() == demo::Stage::Busted && n.facts().animsNotLoaded < 2; ++frame)
        n.step();
    EXPECT_EQ(n.facts().animsNotLoaded, 2);
    EXPECT_EQ(n.facts().bustedPoses, 0);
    const std::string story = readBack(options.out);
    EXPECT_THAT(story, HasSubstr("does not move: the game has not loaded \"random@arrests@busted\" yet"));
    EXPECT_THAT(story, Not(HasSubstr("busted pose")));
}

//-----------------------------------------------------------------------------
// [SECTION] Whole scenes
//-----------------------------------------------------------------------------

// Runs a scene with its output captured.
static bool play(const std::string& name, demo::RunOptions options, std::string& output) {
    options.out = std::tmpfile();
    const bool ok = demo::playScene(name, options);
    output = readBack(options.out);
    return ok;
}

// From cold, the pose plays, the marker shows, the officer comes (or, in late-officer, never does)
// and the delivered suspect, whose handle the hand-back emptied, is told to flee by nobody.
TEST(Scenes, TheHandOverIsToldAsTheGameShowsIt) {
    std::string output;
    ASSERT_TRUE(play("arrest", demo::RunOptions(), output)) << output;
    for (const char* told : {"kneels with his hands up (busted pose)", "above the ground: the player sees it",
                             "officer #5 appears", "stands where he got out"})
        EXPECT_THAT(output, HasSubstr(told));
    EXPECT_THAT(output, Not(HasSubstr("does not move")));
    EXPECT_THAT(output, Not(HasSubstr("ped #0")));

    ASSERT_TRUE(play("late-officer", demo::RunOptions(), output)) << output;
    EXPECT_THAT(output, HasSubstr("no officer appears: his model, last asked for 1000 ms before, has not loaded"));
    EXPECT_THAT(output, HasSubstr("stands where he got out"));
}

// A start tick whose dice fall the other way is no failure of the plugin: the scene says what the
// dice chose and is judged by that outcome.
TEST(Scenes, AStartTickWithTheOtherDiceTellsTheOutcomeItChose) {
    std::string output;
    demo::RunOptions options;
    options.startTick = scenes::startTickWhereSuspect(true);
    EXPECT_TRUE(play("arrest", options, output)) << output;
    EXPECT_THAT(output, HasSubstr("the suspect resists the handcuffs, so the story follows that"));
    EXPECT_THAT(output, HasSubstr("== arrest: ended as it should"));

    options.startTick = scenes::startTickWhereSuspect(false);
    EXPECT_TRUE(play("resist", options, output)) << output;
    EXPECT_THAT(output, HasSubstr("the suspect lets himself be cuffed"));
}

TEST(Scenes, UnknownSceneIsNoSuccess) {
    std::string output;
    EXPECT_FALSE(play("parade", demo::RunOptions(), output));
}

TEST(Scenes, StatusLineIsColouredOnlyWhenAsked) {
    std::string output;
    demo::RunOptions options;
    ASSERT_TRUE(play("resist", options, output));
    EXPECT_THAT(output, HasSubstr("screen: " + demo::renderStatus(kStatusResisting, false) + "\n"));
    EXPECT_THAT(output, Not(HasSubstr("\033")));
    EXPECT_THAT(output, Not(HasSubstr("~")));

    options.colour = true;
    ASSERT_TRUE(play("resist", options, output));
    EXPECT_THAT(output, HasSubstr("screen: " + demo::renderStatus(kStatusResisting, true) + "\n"));
}

TEST(Scenes, TraceEchoesEveryCallWithItsResult) {
    std::string output;
    demo::RunOptions options;
    options.trace = true;
    ASSERT_TRUE(play("leash", options, output));
    EXPECT_THAT(output, HasSubstr("CLONE_PED(3, 0, 1, 1) -> 4\n"));
    EXPECT_THAT(output, HasSubstr("scriptWait(0)\n"));
    EXPECT_THAT(output, HasSubstr("GetTickCount() -> 100000\n"));
}

// The story of a whole arrest reads in order: time never runs backwards and the stages come one
// after the other, each at least once.
TEST(Scenes, TheArrestIsToldInOrder) {
    std::string output;
    ASSERT_TRUE(play("arrest", demo::RunOptions(), output));
    const std::vector<std::string> order = {"street", "busted", "escort", "transport", "hand-over", "released"};
    std::vector<std::string> stages;
    std::string lastTime;
    size_t lines = 0;
    for (size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = output.substr(at, end - at);
        if (line.rfind("==", 0) == 0) continue;
        ++lines;
        const std::string time = line.substr(0, 9), stage = line.substr(11, line.find(' ', 11) - 11);
        EXPECT_GE(time, lastTime) << line;
        lastTime = time;
        if (stages.empty() || stages.back() != stage) stages.push_back(stage);
    }
    EXPECT_THAT(stages, ElementsAreArray(order));
    EXPECT_LT(lines, 60u) << "short enough to read";
}
