// Brindlecot demo — the map of a scene, seen from above: what its recorder keeps of the scene, how
// the map looks, its views and its file. map_record records, map_view lays the map out, map_draw
// draws it with cairo.
//
// The whole scene is fitted to one panel, north up. Each event gets a label right beside its point,
// over no path and no other label; where that cannot be done (several things within a few metres),
// a closer look at those places follows below and names them instead, along a leader if need be.

#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "arrest/tuning.h"
#include "demo/narrator.h"

namespace demo {

enum class Role { Player, Suspect, Car, Officer };
constexpr Role kRoles[] = {Role::Player, Role::Suspect, Role::Car, Role::Officer};
constexpr const char* kRoleNames[] = {"player", "suspect", "car", "officer"};
inline const char* roleName(Role role) { return kRoleNames[static_cast<int>(role)]; }

struct Sample {
    uint64_t ms;
    sim::Vec3 pos;
    scenes::Stage stage;
};

// Where one entity went while it held a role; a second suspect starts a new piece.
struct Piece {
    int32_t handle;
    std::vector<Sample> samples;
};

struct MapEvent {
    std::string what;                   // press, cuffed, boarded (or put in), delivered, released
    uint64_t ms;                        // simulated time since the start
    sim::Vec3 at;                       // the player at a press, the car at the boarding, else the suspect
    scenes::Stage stage;                // the stage it led to
    std::string note;                   // what the screen said next after a press, or why
    std::optional<sim::Vec3> aim = {};  // whom a press aimed at
};

// The player's reach to cuff, the leash that lets the suspect go, the boarding reach around the car
// and the delivery reach around the hand-over point of the station the plugin chose.
enum class Ring { Cuff, Leash, Boarding, Delivery };

struct MapCircle {
    Ring ring;
    sim::Vec3 centre;
};

// Watches a scene through the narrator (watch() is its watcher): where the player, the suspect, the
// player's car and the officer stand, the stage the narrator reads from the plugin's calls, the
// events of the story with their simulated time, and the circles the plugin measures distances
// against, at its tuned radii.
class MapRecorder {
  public:
    explicit MapRecorder(std::string title) : title_(std::move(title)) {}
    void watch(const sim::Host& host, const Narrator& narrator);

    const std::string& title() const { return title_; }
    const std::vector<Piece>& pieces(Role role) const { return pieces_[static_cast<int>(role)]; }
    const std::vector<MapEvent>& events() const { return events_; }
    const std::vector<MapCircle>& circles() const { return circles_; }
    const std::vector<scenes::Stage>& stagesSeen() const { return stagesSeen_; }  // in the order first seen

  private:
    void track(Role role, int32_t handle, const sim::World& world);
    sim::Vec3 posOf(const sim::World& world, int32_t handle) const;

    std::string title_;
    std::vector<Piece> pieces_[4];
    std::vector<MapEvent> events_;
    std::vector<MapCircle> circles_;
    std::vector<scenes::Stage> stagesSeen_;
    std::map<int32_t, sim::Vec3> before_;  // every entity's position before the frame
    int32_t car_ = 0, boardedCar_ = 0;     // the player's car; the one the suspect sits in
    uint64_t frameStartMs_ = 0;
    scenes::Stage stage_ = scenes::Stage::None;
    int deliveries_ = 0;
    int putIns_ = 0;  // SET_PED_INTO_VEHICLE calls seen
    bool keyDown_ = false;
    size_t pressAwaitingText_ = SIZE_MAX, statusLinesAtPress_ = 0;  // the press whose screen text is to come
};

struct Rgb {
    double r, g, b;
};

constexpr Rgb kInk = {0.15, 0.15, 0.15}, kGround = {0.96, 0.95, 0.92}, kAimInk = {0.75, 0.10, 0.10};

// A path's colour tells the stage, in the order of scenes::Stage; told apart by colour-blind eyes too.
constexpr Rgb kStageInk[] = {{0.55, 0.55, 0.55}, {0.90, 0.62, 0.0}, {0.0, 0.45, 0.70}, {0.0, 0.62, 0.45}, {0.8, 0, 0}};
inline const Rgb& stageInk(scenes::Stage stage) { return kStageInk[static_cast<int>(stage)]; }

// A path's line tells whose it is, in the order of Role.
struct LineStyle {
    double width, alpha, dash[2];  // dash: on, off; 0 for a solid line
};
constexpr LineStyle kRoleLine[] = {{2.5, 1.0, {0, 0}}, {3.0, 1.0, {7, 4}}, {9.0, 0.35, {0, 0}}, {2.5, 1.0, {1, 4}}};
inline const LineStyle& roleLine(Role role) { return kRoleLine[static_cast<int>(role)]; }

// Each circle, in the order of Ring: its radius in metres from the plugin's tuning, colour, dashed or
// not, legend (a format taking the radius).
struct RingStyle {
    double radius;
    Rgb ink;
    bool dashed;
    const char* legend;
};
constexpr RingStyle kRingStyle[] = {
    {kCuffRadius, {0.75, 0.10, 0.10}, false, "cuff reach %g m, around the player at a press in the busted pose"},
    {kLeashLength, {0.35, 0.45, 0.65}, true, "leash %g m, around the suspect where he was taken"},
    {kBoardingRadius, {0.0, 0.55, 0.40}, false, "boarding %g m, around the car as the escort began"},
    {kDeliveryRadius, {0.55, 0.25, 0.55}, false, "delivery %g m, around the hand-over point (cross)"},
};
inline const RingStyle& ringStyle(Ring ring) { return kRingStyle[static_cast<int>(ring)]; }

constexpr char kFontFace[] = "DejaVu Sans";
constexpr double kFont = 11, kLineH = kFont + 3;  // label text and its lines, pixels

// In pixels, or an extent in metres on the ground; empty until something is added.
struct Rect {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    bool overlaps(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    bool inside(const Rect& o) const { return x0 >= o.x0 && y0 >= o.y0 && x1 <= o.x1 && y1 <= o.y1; }
    double span() const { return std::max(x1 - x0, y1 - y0); }
    void add(const sim::Vec3& p, double r = 0) {
        const double x = p.x, y = p.y;
        x0 = std::min(x0, x - r), y0 = std::min(y0, y - r), x1 = std::max(x1, x + r), y1 = std::max(y1, y + r);
    }
    bool contains(const sim::Vec3& p) const {
        const double x = p.x, y = p.y;
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    }
};

// Metres to pixels, x east to the right, y north up: the extent, widened to at least `minSpan` and
// by a margin, fitted into `box`; with `fill` widened to the box's whole shape.
class View {
  public:
    View(const Rect& b, const Rect& box, bool fill, double minSpan);
    double px(double x) const { return area_.x0 + (x - left_) * scale_; }
    double py(double y) const { return area_.y0 + (top_ - y) * scale_; }
    double scale() const { return scale_; }  // pixels per metre
    const Rect& area() const { return area_; }
    Rect world() const;  // what the area shows

  private:
    Rect area_;
    double scale_, left_, top_;
};

struct Label {
    sim::Vec3 at;  // the point it names
    std::vector<std::string> lines;
    Rect box;            // in pixels
    bool clear = false;  // beside its point, over no path and no other label
};

struct Panel {
    View view;
    std::string name;  // "" for the whole scene, else a letter
    std::vector<Label> labels;
};

constexpr double kLabelGap = 6;     // pixels from a point to its label in the whole scene
constexpr double kLabelReach = 45;  // ... at most in a closer look, along a leader
constexpr double kPad = 16;         // pixels around and between the panels

// The whole scene first, then the closer looks; `width` measures a line of label text in pixels.
std::vector<Panel> layOut(const MapRecorder& rec, const std::function<double(const std::string&)>& width);

// The panels as the map is drawn: layOut with the map's own font (map_draw.cpp).
std::vector<Panel> mapLayout(const MapRecorder& rec);

enum class MapFormat { Unknown, Svg, Png };
MapFormat mapFormatOf(const std::string& path);  // from the extension, .svg or .png in any case

// Why the map cannot be written at `path` (unknown extension, no such directory, a directory in the
// way, a symbolic link to nothing, no write access), or "" when it can. Leaves nothing behind.
std::string checkMapPath(const std::string& path);
// Draws the map and writes it at `path`, through a symbolic link to the file it names; the file
// appears whole or not at all. On failure `error` says why.
bool writeMap(const MapRecorder& recorder, const std::string& path, std::string& error);

}  // namespace demo
