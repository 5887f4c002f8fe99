// Brindlecot demo tests — the map of each scene.
//
//   [SECTION] Reading a map back
//   [SECTION] Every scene's map
//   [SECTION] Map file names

#include <cairo.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "demo/map.h"
#include "demo/scenes.h"
#include "sim/host.h"

namespace fs = std::filesystem;

//-----------------------------------------------------------------------------
// [SECTION] Reading a map back
//-----------------------------------------------------------------------------

static const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

// An SVG file parsed with libxml2, queried with XPath (prefix svg: for SVG, map: for the view).
class Svg {
  public:
    explicit Svg(const std::string& file) : doc_(xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET)) {}
    ~Svg() { xmlFreeDoc(doc_); }
    Svg(const Svg&) = delete;
    Svg& operator=(const Svg&) = delete;

    bool isSvg() const {
        const xmlNode* root = doc_ ? xmlDocGetRootElement(doc_) : nullptr;
        return root && root->ns && xmlStrEqual(root->name, X("svg")) &&
               xmlStrEqual(root->ns->href, X("http://www.w3.org/2000/svg"));
    }
    std::vector<xmlNodePtr> find(const std::string& xpath) const {
        std::vector<xmlNodePtr> nodes;
        if (!doc_) return nodes;
        xmlXPathContextPtr ctx = xmlXPathNewContext(doc_);
        xmlXPathRegisterNs(ctx, X("svg"), X("http://www.w3.org/2000/svg"));
        xmlXPathRegisterNs(ctx, X("map"), X("urn:brindlecot:map"));
        xmlXPathObjectPtr found = xmlXPathEvalExpression(X(xpath.c_str()), ctx);
        for (int n = 0; found && found->nodesetval && n < found->nodesetval->nodeNr; ++n)
            nodes.push_back(found->nodesetval->nodeTab[n]);
        xmlXPathFreeObject(found);
        xmlXPathFreeContext(ctx);
        return nodes;
    }
    static std::string text(xmlNodePtr node, const char* attribute = nullptr) {
        xmlChar* value = attribute ? xmlGetProp(node, X(attribute)) : xmlNodeGetContent(node);
        std::string out = value ? reinterpret_cast<const char*>(value) : "";
        xmlFree(value);
        return out;
    }
    static double number(xmlNodePtr node, const char* attribute) { return std::atof(text(node, attribute).c_str()); }

  private:
    xmlDocPtr doc_;
};

static std::string withClass(const std::string& a, const std::string& b = std::string()) {
    std::string test = "contains(concat(' ', @class, ' '), ' " + a + " ')";
    if (!b.empty()) test += " and contains(concat(' ', @class, ' '), ' " + b + " ')";
    return "//svg:path[" + test + "]";
}

// The points of a path's data as cairo writes it: commands, then coordinate pairs.
static std::vector<std::pair<double, double>> pointsOf(const std::string& d) {
    std::vector<double> numbers;
    std::istringstream in(d);
    for (std::string token; in >> token;) {
        if (std::isalpha(static_cast<unsigned char>(token[0]))) continue;
        numbers.push_back(std::atof(token.c_str()));
    }
    std::vector<std::pair<double, double>> points;
    for (size_t n = 0; n + 1 < numbers.size(); n += 2)
        points.push_back({numbers[n], numbers[n + 1]});
    return points;
}

// The stages the narration went through: the second column of its lines.
static std::set<std::string> toldStages(const std::string& story) {
    std::set<std::string> stages;
    std::istringstream in(story);
    for (std::string line; std::getline(in, line);) {
        if (line.size() > 11 && line[2] == ':') stages.insert(line.substr(11, line.find(' ', 11) - 11));
    }
    return stages;
}

static std::string slurp(const std::string& file) {
    std::string out;
    if (FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            out.append(buffer, n);
        std::fclose(in);
    }
    return out;
}

// A fresh directory, removed with what is in it.
struct TempDir {
    fs::path path;
    TempDir() {
        std::string name = (fs::temp_directory_path() / "map_test.XXXXXX").string();
        path = mkdtemp(&name[0]) ? name : "";
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(path))
            out.push_back(e.path().filename().string());
        return out;
    }
};

//-----------------------------------------------------------------------------
// [SECTION] Every scene's map
//-----------------------------------------------------------------------------

// Feeds the map and notes where the world holds the suspect after the last frame.
class Watcher : public demo::SceneObserver {
  public:
    explicit Watcher(demo::MapRecorder& map) : map_(map) {}
    void begin(const sim::Host& host, const demo::Narrator& n) override { map_.begin(host, n); }
    void frame(const sim::Host& host, const demo::Narrator& n) override {
        map_.frame(host, n);
        const sim::Entity* suspect = host.world.find(n.facts().suspect);
        suspectExists = suspect != nullptr;
        if (suspect) suspectAt = suspect->pos;
    }
    bool suspectExists = false;
    sim::Vec3 suspectAt;

  private:
    demo::MapRecorder& map_;
};

TEST(SceneMap, EveryScenesMapNamesItsStagesAndEndsTheSuspectWhereTheWorldHasHim) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    for (const demo::SceneInfo& scene : demo::sceneList()) {
        SCOPED_TRACE(scene.name);
        demo::MapRecorder map(scene.name);
        Watcher watcher(map);
        demo::RunOptions options;
        const std::string storyFile = (dir.path / (std::string(scene.name) + ".txt")).string();
        options.out = std::fopen(storyFile.c_str(), "w");
        ASSERT_NE(options.out, nullptr);
        options.observer = &watcher;
        EXPECT_TRUE(demo::playScene(scene.name, options));
        std::fclose(options.out);

        const std::string svgFile = (dir.path / (std::string(scene.name) + ".svg")).string();
        const std::string pngFile = (dir.path / (std::string(scene.name) + ".png")).string();
        std::string error;
        ASSERT_TRUE(demo::writeMap(map, svgFile, error)) << error;
        ASSERT_TRUE(demo::writeMap(map, pngFile, error)) << error;

        const Svg svg(svgFile);
        ASSERT_TRUE(svg.isSvg()) << "not an SVG document: " << svgFile;
        std::set<std::string> legend;
        for (xmlNodePtr title : svg.find(withClass("legend-stage") + "/svg:title"))
            legend.insert(Svg::text(title));
        EXPECT_EQ(legend, toldStages(slurp(storyFile)));

        // The whole scene's view: world (0, 0) at origin, x to the right, y upward.
        const std::vector<xmlNodePtr> views = svg.find("//svg:metadata/map:view");
        ASSERT_EQ(views.size(), 1u);
        const double scale = Svg::number(views[0], "px-per-metre");
        const double ox = Svg::number(views[0], "origin-x"), oy = Svg::number(views[0], "origin-y");
        const double x0 = Svg::number(views[0], "x0"), y0 = Svg::number(views[0], "y0");
        const double x1 = Svg::number(views[0], "x1"), y1 = Svg::number(views[0], "y1");

        const std::vector<xmlNodePtr> tracks = svg.find(withClass("track", "panel-whole"));
        ASSERT_FALSE(tracks.empty());
        for (xmlNodePtr track : tracks) {
            for (const auto& [x, y] : pointsOf(Svg::text(track, "d"))) {
                EXPECT_TRUE(x >= x0 && x <= x1 && y >= y0 && y <= y1)
                    << Svg::text(track, "id") << " leaves the map at " << x << ", " << y;
            }
        }
        const std::vector<xmlNodePtr> suspect =
            svg.find(withClass("track", "panel-whole") + "[" + "contains(concat(' ', @class, ' '), ' suspect ')]");
        ASSERT_TRUE(watcher.suspectExists);
        ASSERT_FALSE(suspect.empty());
        const auto end = pointsOf(Svg::text(suspect.back(), "d")).back();
        const double x = watcher.suspectAt.x, y = watcher.suspectAt.y;
        EXPECT_NEAR(end.first, ox + scale * x, 0.05);
        EXPECT_NEAR(end.second, oy - scale * y, 0.05);

        cairo_surface_t* png = cairo_image_surface_create_from_png(pngFile.c_str());
        EXPECT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
        EXPECT_EQ(cairo_image_surface_get_width(png), static_cast<int>(Svg::number(svg.find("/svg:svg")[0], "width")));
        cairo_surface_destroy(png);
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Map file names
//-----------------------------------------------------------------------------

TEST(MapFormat, TakenFromTheExtensionInAnyCase) {
    const struct {
        const char* path;
        demo::MapFormat format;
    } cases[] = {
        {"a.svg", demo::MapFormat::Svg},         {"dir/a.PNG", demo::MapFormat::Png},
        {"a.svg.txt", demo::MapFormat::Unknown}, {"svg", demo::MapFormat::Unknown},
        {"dir/.png", demo::MapFormat::Unknown},  {"a.png/", demo::MapFormat::Unknown},
        {"", demo::MapFormat::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(demo::mapFormatOf(c.path), c.format) << c.path;
}

// The demo refuses the name before it plays anything, says why, and writes nothing at all.
TEST(MapFile, AnUnwritablePathOrUnknownExtensionExitsTwoAndWritesNothing) {
    TempDir target, logs;
    ASSERT_FALSE(target.path.empty());
    ASSERT_FALSE(logs.path.empty());
    fs::create_directory(target.path / "taken.svg");
    const std::string t = target.path.string();
    const std::string cases[] = {t + "/no-such-dir/map.svg", t + "/taken.svg", t + "/map.jpg", t + "/map", ""};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        const std::string out = (logs.path / "out").string(), err = (logs.path / "err").string();
        const std::string command =
            std::string("'") + DEMO_BINARY + "' --scene arrest --map '" + path + "' >'" + out + "' 2>'" + err + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2);
        EXPECT_EQ(slurp(out), "") << "the scene ran";
        EXPECT_NE(slurp(err).find("map '" + path + "'"), std::string::npos) << slurp(err);
        EXPECT_EQ(target.names(), std::vector<std::string>{"taken.svg"});
    }
}
