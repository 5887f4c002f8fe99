// Brindlecot demo tests — the text the demo prints and the verdicts it gives.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "arrest/tuning.h"
#include "demo/scenes.h"
#include "scenes/cuff_draw.h"
#include "scenes/press.h"
#include "tests/scenario.h"

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::Not;

TEST(RenderStatus, ColourTokensBecomeTerminalColoursOrVanish) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
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
    for (const auto& [text, plain, coloured] : cases) {
        EXPECT_EQ(demo::renderStatus(text, false), plain) << text;
        EXPECT_EQ(demo::renderStatus(text, true), coloured) << text;
    }
    // The plugin's own texts use only tokens the demo knows.
    for (const char* text : kStatusTexts) {
        EXPECT_EQ(demo::renderStatus(text, false).find('~'), std::string::npos) << text;
    }
}

TEST(FormatTime, MinutesSecondsMillisecondsWithMinutesPastAnHour) {
    const std::pair<uint64_t, const char*> cases[] = {
        {0, "00:00.000"},     {999, "00:00.999"},     {1000, "00:01.000"},     {59999, "00:59.999"},
        {60000, "01:00.000"}, {3600000, "60:00.000"}, {6000123, "100:00.123"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(demo::formatTime(ms), text) << ms;
}

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
    scenes::press(host, {ped, scenes::Press::kFrameOnly}, [&] { n.step(); });
    for (int frame = 0; frame < 200 && n.stage() == scenes::Stage::Busted && n.facts().animsNotLoaded < 2; ++frame)
        n.step();
    EXPECT_EQ(n.facts().animsNotLoaded, 2);
    EXPECT_EQ(n.facts().bustedPoses, 0);
    const std::string story = readBack(options.out);
    EXPECT_THAT(story, HasSubstr("does not move: the game has not loaded \"random@arrests@busted\" yet"));
    EXPECT_THAT(story, Not(HasSubstr("busted pose")));
}

// Runs a scene with its output captured.
static bool play(const std::string& name, demo::RunOptions options, std::string& output) {
    options.out = std::tmpfile();
    const bool ok = demo::playScene(name, options);
    output = readBack(options.out);
    return ok;
}

// The story of a whole arrest reads in order: time never runs backwards, the stages come one after
// the other and the hand-over is an event of the transport. From cold, the pose plays, the marker
// shows, the officer comes (or, in late-officer, never does) and the delivered suspect, whose handle
// the hand-back emptied, is told to flee by nobody. The places come from the calls' slots, where the
// plugin put its tuned points.
TEST(Scenes, TheArrestIsToldInOrderAsTheGameShowsIt) {
    std::string output;
    ASSERT_TRUE(play("arrest", demo::RunOptions(), output)) << output;
    std::vector<std::string> stages;
    std::string lastTime;
    size_t lines = 0;
    for (size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = output.substr(at, end - at);
        if (line.rfind("==", 0) == 0) continue;
        const std::string time = line.substr(0, 9), stage = line.substr(11, line.find(' ', 11) - 11);
        EXPECT_GE(time, lastTime) << line;
        lastTime = time, ++lines;
        if (stages.empty() || stages.back() != stage) stages.push_back(stage);
        EXPECT_TRUE(line.find("hand-over:") == std::string::npos || stage == "Transport") << line;
    }
    EXPECT_THAT(stages, ElementsAreArray({"None", "Busted", "Escort", "Transport", "None"}));
    EXPECT_LT(lines, 60u) << "short enough to read";
    auto at = [](const char* what, const WorldPoint& p) {
        char text[96];
        std::snprintf(text, sizeof text, "%s (%.1f, %.1f, %.1f)", what, static_cast<double>(p.x),
                      static_cast<double>(p.y), static_cast<double>(p.z));
        return std::string(text);
    };
    for (const std::string& told :
         {std::string("kneels with his hands up (busted pose)"), std::string("above the ground: the player sees it"),
          std::string("stands where he got out"), at("hand-over: officer #5 appears at", kOfficerStart),
          at("walks to", kOfficerWalkTarget), at("the precinct marker shows at", kPrecinctMarker)})
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

TEST(Scenes, TraceEchoesEveryCallWithItsResult) {
    std::string output;
    demo::RunOptions options;
    options.trace = true;
    ASSERT_TRUE(play("leash", options, output));
    EXPECT_EQ(output.substr(0, output.find('\n')), "    |  frame       tick  call -> result");
    EXPECT_THAT(output, HasSubstr("CLONE_PED(3, 0, 1, 1) -> 4\n"));
    EXPECT_THAT(output, HasSubstr("scriptWait(0)\n"));
    EXPECT_THAT(output, HasSubstr("GetTickCount() -> 100000\n"));
}
