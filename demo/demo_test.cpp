// Brindlecot demo tests — the text the demo prints and the verdicts it gives, and the map of each
// scene, through what it draws, against the world.

#include <cairo.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "demo/map.h"
#include "demo/scenes.h"
#include "tests/scenario.h"

namespace fs = std::filesystem;
using demo::Ring;
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
    auto at = [](const char* what, const NativeVec3& p) { return what + (" (" + textOf(p) + ")"); };
    for (const std::string& told :
         {std::string("kneels with his hands up (busted pose)"), std::string("above the ground: the player sees it"),
          std::string("stands where he got out"), at("hand-over: officer #5 appears at", kOfficerStart),
          at("walks to", kOfficerWalkTarget), at("the precinct marker shows at", kStations[0].handOver)})
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

constexpr sim::Vec3 kNowhere = {1e9f, 1e9f, 1e9f};

// A fresh directory, removed with what is in it.
struct TempDir {
    fs::path path = [] {
        std::string name = (fs::temp_directory_path() / "demo_test.XXXXXX").string();
        return fs::path(mkdtemp(&name[0]) ? name : "");
    }();
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
};

static std::string slurp(const fs::path& file) {
    std::ostringstream text;
    if (std::ifstream in{file, std::ios::binary}) text << in.rdbuf();
    return text.str();
}

// A scene played with its story captured and its map recorded, and what the world showed meanwhile.
struct Played {
    demo::MapRecorder map;
    std::string story;
    std::set<Stage> stages;                 // the narrator's, frame by frame
    std::vector<sim::Vec3> taken;           // where each suspect knelt as his busted pose began
    std::map<int32_t, sim::Vec3> lastSeen;  // where each entity last stood
    bool ok = false;

    explicit Played(const std::string& scene) : map(scene) {
        demo::RunOptions options;
        Stage was = Stage::None;
        options.watcher = [&](const sim::Host& host, const demo::Narrator& n) {
            map.watch(host, n);
            stages.insert(n.stage());
            const sim::Entity* suspect = host.world.find(n.facts().suspect);
            if (n.stage() == Stage::Busted && was != n.stage()) taken.push_back(suspect ? suspect->pos : kNowhere);
            was = n.stage();
            for (const auto& [handle, e] : host.world.entities)
                lastSeen[handle] = e.pos;
        };
        ok = play(scene, options, story);
    }
};

static double gap(double x, double y, const demo::Rect& r) {
    return std::hypot(std::max({r.x0 - x, 0.0, x - r.x1}), std::max({r.y0 - y, 0.0, y - r.y1}));
}

// Labels sit beside what they name, inside their panel, over no path and no other label; every
// event is named once.
static void expectReadableLabels(const demo::MapRecorder& map, const std::vector<demo::Panel>& panels) {
    std::multiset<std::string> named;
    for (const demo::Panel& panel : panels) {
        const demo::View& v = panel.view;
        const double reach = (panel.name.empty() ? demo::kLabelGap : demo::kLabelReach) * 1.5;
        for (size_t k = 0; k < panel.labels.size(); ++k) {
            const demo::Label& l = panel.labels[k];
            const std::string what = panel.name + ": " + l.lines.front();
            named.insert(l.lines.begin(), l.lines.end());
            EXPECT_TRUE(l.clear && l.box.inside(v.area())) << what;
            EXPECT_LE(gap(v.px(l.at.x), v.py(l.at.y), l.box), reach) << what;
            for (size_t m = 0; m < k; ++m)
                EXPECT_FALSE(l.box.overlaps(panel.labels[m].box)) << what << " covers " << panel.labels[m].lines[0];
            for (demo::Role role : demo::kRoles) {
                for (const demo::Piece& piece : map.pieces(role)) {
                    for (size_t n = 1; n < piece.samples.size(); ++n) {
                        const double ax = v.px(piece.samples[n - 1].pos.x), ay = v.py(piece.samples[n - 1].pos.y);
                        const double bx = v.px(piece.samples[n].pos.x), by = v.py(piece.samples[n].pos.y);
                        for (double t = 0; t <= 1; t += 0.02)
                            ASSERT_GT(gap(ax + t * (bx - ax), ay + t * (by - ay), l.box), 0)
                                << what << " covers a path";
                    }
                }
            }
        }
    }
    for (const demo::MapEvent& e : map.events())
        EXPECT_EQ(named.count(e.what + "  " + demo::formatTime(e.ms)), 1u) << e.what << " at " << e.ms;
}

TEST(SceneMap, EveryScenesMapShowsWhatTheWorldDid) {
    TempDir dir;
    for (const demo::SceneInfo& scene : demo::sceneList()) {
        SCOPED_TRACE(scene.name);
        const Played p(scene.name);
        ASSERT_TRUE(p.ok) << p.story;
        EXPECT_EQ(std::set<Stage>(p.map.stagesSeen().begin(), p.map.stagesSeen().end()), p.stages);

        // Each path ends where the world last had its entity, inside the whole scene's panel.
        const std::vector<demo::Panel> panels = demo::mapLayout(p.map);
        const demo::View& whole = panels.front().view;
        for (demo::Role role : demo::kRoles) {
            const std::vector<demo::Piece>& pieces = p.map.pieces(role);
            for (size_t k = 0; k < pieces.size(); ++k) {
                EXPECT_LT(sim::distance(pieces[k].samples.back().pos, p.lastSeen.at(pieces[k].handle)), 0.001f);
                for (const demo::Sample& s : pieces[k].samples)
                    EXPECT_TRUE(whole.world().contains(s.pos)) << demo::roleName(role) << " leaves the map";
            }
        }
        // The circles stand where the plugin measures: the leash around each suspect where he knelt,
        // the delivery reach around a station's hand-over point, the one the suspect was delivered
        // at, and the cuff reach around a player who cuffed.
        std::vector<sim::Vec3> leashes;
        for (const demo::MapCircle& c : p.map.circles()) {
            if (c.ring == Ring::Leash) leashes.push_back(c.centre);
            if (c.ring != Ring::Delivery) continue;
            EXPECT_TRUE(std::any_of(std::begin(kStations), std::end(kStations), [&](const Station& station) {
                return sim::distance(c.centre, vecOf(station.handOver)) < 0.001f;
            })) << "the delivery reach is at no station";
            for (const demo::MapEvent& e : p.map.events())
                EXPECT_TRUE(e.what != "delivered" || sim::distance(e.at, c.centre) < kDeliveryRadius);
        }
        ASSERT_EQ(leashes.size(), p.taken.size());
        for (size_t k = 0; k < leashes.size(); ++k)
            EXPECT_LT(sim::distance(leashes[k], p.taken[k]), 0.001f);
        const std::vector<demo::Sample>& player = p.map.pieces(demo::Role::Player).front().samples;
        for (size_t n = 1; std::string(scene.name) == "leash" && !leashes.empty() && n < player.size(); ++n) {
            const bool letGo = player[n].stage == Stage::None && player[n - 1].stage == Stage::Busted;
            EXPECT_TRUE(!letGo || std::abs(sim::distance(player[n].pos, leashes.front()) - kLeashLength) < 0.5f)
                << "the player is let go of where he crosses the leash";
        }
        for (const demo::MapEvent& e : p.map.events()) {
            if (e.what != "cuffed") continue;
            const auto& all = p.map.circles();
            EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const demo::MapCircle& c) {
                return c.ring == Ring::Cuff && sim::distance(c.centre, e.at) < kCuffRadius;
            })) << "no cuff reach around the player who cuffed";
        }
        expectReadableLabels(p.map, panels);
        for (size_t k = 1; k < panels.size(); ++k)
            EXPECT_GE(panels[k].view.scale(), 2 * whole.scale()) << "a closer look is closer";

        std::string error;
        ASSERT_TRUE(demo::writeMap(p.map, (dir.path / "map.svg").string(), error)) << error;
        ASSERT_TRUE(demo::writeMap(p.map, (dir.path / "map.png").string(), error)) << error;
        EXPECT_NE(slurp(dir.path / "map.svg").find("<svg"), std::string::npos);
        cairo_surface_t* png = cairo_image_surface_create_from_png((dir.path / "map.png").c_str());
        EXPECT_GT(cairo_image_surface_get_width(png), whole.area().x1)
            << cairo_status_to_string(cairo_surface_status(png));
        cairo_surface_destroy(png);
    }
}

TEST(MapFile, TheFormatComesFromTheExtensionInAnyCase) {
    using demo::MapFormat;
    const std::pair<const char*, MapFormat> cases[] = {
        {"a.svg", MapFormat::Svg},   {"dir/a.PNG", MapFormat::Png},    {"a.svg.txt", MapFormat::Unknown},
        {"svg", MapFormat::Unknown}, {"dir/.png", MapFormat::Unknown}, {"a.png/", MapFormat::Unknown},
        {"", MapFormat::Unknown},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(demo::mapFormatOf(path), format) << path;
}

// A name the map cannot be written at is refused, with the reason, and nothing is left behind; the
// demo then stops before the scene (demo_refused_map).
TEST(MapFile, AnUnwritablePathOrUnknownExtensionIsRefusedAndNothingWritten) {
    TempDir dir;
    fs::create_directory(dir.path / "taken.svg");
    fs::create_symlink(dir.path / "missing.svg", dir.path / "dangling.svg");
    const std::string d = dir.path.string();
    for (const std::string& path :
         {d + "/no-such-dir/map.svg", d + "/taken.svg", d + "/dangling.svg", d + "/map.jpg", d + "/map", std::string()})
        EXPECT_NE(demo::checkMapPath(path).find("map '" + path + "'"), std::string::npos) << path;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 2);
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.svg"));
}

// A map named by a symbolic link replaces the file the link names; the link stays.
TEST(MapFile, IsWrittenThroughASymbolicLink) {
    TempDir dir;
    fs::create_directory(dir.path / "maps");
    std::ofstream(dir.path / "maps" / "old.png") << "old";
    fs::create_symlink("maps/old.png", dir.path / "link.png");
    const Played p("free");
    std::string error;
    ASSERT_TRUE(demo::writeMap(p.map, (dir.path / "link.png").string(), error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.png"));
    EXPECT_EQ(slurp(dir.path / "maps" / "old.png").substr(1, 3), "PNG");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "maps"), {}), 1) << "a file left beside it";
}

// Ordered into a car whose doors are blocked, the suspect is put into his seat after the wait: the
// story says so, and the map marks the put-in where the car stood instead of a boarding.
TEST(SceneMap, MarksWhereTheSuspectWasPutIn) {
    const Played p("blocked-door");
    ASSERT_TRUE(p.ok) << p.story;
    EXPECT_THAT(p.story, HasSubstr("has not got in: he is put into car #2, seat 1 (rear left)"));
    std::vector<std::string> events;
    for (const demo::MapEvent& e : p.map.events())
        events.push_back(e.what);
    EXPECT_THAT(events, ElementsAreArray({"press", "press", "cuffed", "put in", "delivered", "released"}));
}
