// Brindlecot demo — drawing the map and writing its file.
//
//   [SECTION] Constants
//   [SECTION] View
//   [SECTION] Canvas
//   [SECTION] Labels
//   [SECTION] Places and circles
//   [SECTION] Tracks
//   [SECTION] Events
//   [SECTION] Scale and north
//   [SECTION] Panels
//   [SECTION] Legend
//   [SECTION] Drawing
//   [SECTION] SVG names
//   [SECTION] Files
//
// The view fits everything drawn with a margin, one scale for both axes, north up. Every shape is
// drawn with cairo; in the SVG each one then gets an id, a class and, for text, a <title> holding
// the text, added with libxml2 in the order cairo wrote them, so that the file can be read back.

#include "demo/map.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>

#include "arrest/tuning.h"

namespace demo {

//-----------------------------------------------------------------------------
// [SECTION] Constants
//-----------------------------------------------------------------------------

namespace {

constexpr double kPad = 16;       // pixels around the map and the legend
constexpr double kMapMaxW = 860;  // the largest map area, in pixels
constexpr double kMapMaxH = 640;
constexpr double kLegendW = 300;
constexpr double kMargin = 0.06;     // share of the drawn extent left free around it
constexpr double kMinSpan = 20;      // metres: a scene where nothing moved still shows its street
constexpr double kClusterSpan = 30;  // metres: places this close together may get a closer look
constexpr double kMinCloserSpan = 12;
constexpr double kCloser = 2;  // ... if it shows them at least this many times larger
constexpr size_t kMaxCloser = 2;
constexpr double kCloserH = 300;  // pixels
constexpr double kPanelTitle = 16;
constexpr double kFont = 11;  // label text, pixels
constexpr char kFontFace[] = "DejaVu Sans";
constexpr double kTurn = 6.283185307179586;  // a full circle, radians

struct Rgb {
    double r, g, b;
};

constexpr Rgb kInk = {0.15, 0.15, 0.15};
constexpr Rgb kGround = {0.96, 0.95, 0.92};
constexpr Rgb kCuffInk = {0.75, 0.10, 0.10};
constexpr Rgb kLeashInk = {0.35, 0.45, 0.65};
constexpr Rgb kBoardingInk = {0.0, 0.55, 0.40};
constexpr Rgb kDeliveryInk = {0.55, 0.25, 0.55};
constexpr Rgb kMarkerInk = {0.80, 0.80, 0.0};  // the plugin's marker colour, 204, 204, 0

// One colour per stage, told apart by colour-blind eyes too.
Rgb stageColour(Stage stage) {
    switch (stage) {
        case Stage::Street:
            return {0.55, 0.55, 0.55};
        case Stage::Busted:
            return {0.90, 0.62, 0.0};
        case Stage::Escort:
            return {0.0, 0.45, 0.70};
        case Stage::Transport:
            return {0.0, 0.62, 0.45};
        case Stage::HandOver:
            return {0.80, 0.47, 0.65};
        case Stage::Released:
            return {0.84, 0.37, 0.0};
    }
    return kInk;
}

constexpr Stage kStages[] = {Stage::Street,    Stage::Busted,   Stage::Escort,
                             Stage::Transport, Stage::HandOver, Stage::Released};

// The line of each role's track; the colour comes from the stage.
struct LineStyle {
    double width;
    double alpha;
    double dash[2];  // on, off; 0 for a solid line
};

LineStyle roleStyle(Role role) {
    switch (role) {
        case Role::Player:
            return {2.5, 1.0, {0, 0}};
        case Role::Suspect:
            return {3.0, 1.0, {7, 4}};
        case Role::Car:
            return {9.0, 0.35, {0, 0}};
        case Role::Officer:
            return {2.5, 1.0, {1, 4}};
    }
    return {1, 1, {0, 0}};
}

sim::Vec3 precinctPoint() { return {kPrecinctPoint.x, kPrecinctPoint.y, kPrecinctPoint.z}; }

//-----------------------------------------------------------------------------
// [SECTION] View
//-----------------------------------------------------------------------------

struct Bounds {
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    void add(const sim::Vec3& p, double radius = 0) {
        const double x = p.x, y = p.y;
        x0 = std::min(x0, x - radius);
        y0 = std::min(y0, y - radius);
        x1 = std::max(x1, x + radius);
        y1 = std::max(y1, y + radius);
    }
    bool empty() const { return x0 > x1; }
    bool contains(const sim::Vec3& p) const {
        const double x = p.x, y = p.y;
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    }
    double span() const { return std::max(x1 - x0, y1 - y0); }
};

struct Areas {
    std::vector<Bounds> list;
    bool contains(const sim::Vec3& p) const {
        return std::any_of(list.begin(), list.end(), [&](const Bounds& b) { return b.contains(p); });
    }
};

struct Rect {
    double x0, y0, x1, y1;
    bool overlaps(const Rect& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    bool inside(const Rect& o) const { return x0 >= o.x0 && y0 >= o.y0 && x1 <= o.x1 && y1 <= o.y1; }
};

// Metres to pixels: x east to the right, y north up, one scale for both. The extent, widened to at
// least `minSpan` and by a margin, is fitted into at most maxW x maxH pixels at (x, y); with `fill`
// the whole box is used and the extent widened to its shape.
class View {
  public:
    View(const Bounds& b, const Rect& box, bool fill, double minSpan) : x_(box.x0), y_(box.y0) {
        const double cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2;
        double w = std::max(b.x1 - b.x0, minSpan) * (1 + 2 * kMargin);
        double h = std::max(b.y1 - b.y0, minSpan) * (1 + 2 * kMargin);
        const double maxW = box.x1 - box.x0, maxH = box.y1 - box.y0;
        scale_ = std::min(maxW / w, maxH / h);
        if (fill) w = maxW / scale_, h = maxH / scale_;
        width_ = w * scale_;
        height_ = h * scale_;
        left_ = cx - w / 2;
        top_ = cy + h / 2;
    }
    double px(double x) const { return x_ + (x - left_) * scale_; }
    double py(double y) const { return y_ + (top_ - y) * scale_; }
    double pixels(double metres) const { return metres * scale_; }
    double scale() const { return scale_; }
    Rect area() const { return {x_, y_, x_ + width_, y_ + height_}; }
    Bounds world() const {
        Bounds b;
        b.add({static_cast<float>(left_), static_cast<float>(top_ - height_ / scale_), 0});
        b.add({static_cast<float>(left_ + width_ / scale_), static_cast<float>(top_), 0});
        return b;
    }

  private:
    double x_, y_;
    double scale_ = 1, width_ = 0, height_ = 0, left_ = 0, top_ = 0;
};

// Labels name what a view shows, but not what a closer look names.
bool named(const View& view, const Areas& closer, const sim::Vec3& p) {
    return view.world().contains(p) && !closer.contains(p);
}

// A press is told where the player aimed, else where he stood.
const sim::Vec3& anchorOf(const MapEvent& e) { return e.aimed ? e.aim : e.at; }

Bounds boundsOf(const MapRecorder& rec) {
    Bounds b;
    for (Role role : kRoles) {
        for (const Piece& piece : rec.pieces(role)) {
            for (const Sample& s : piece.samples)
                b.add(s.pos);
        }
    }
    for (const MapEvent& e : rec.events()) {
        b.add(e.at);
        if (e.aimed) b.add(e.aim);
    }
    for (const MapCircle& c : rec.circles())
        b.add(c.centre, c.radius);
    if (rec.saw(Stage::Transport)) b.add(precinctPoint(), kDeliveryRadius);
    if (rec.markerSeen()) b.add(rec.marker());
    if (b.empty()) b.add(sim::Vec3());
    return b;
}

//-----------------------------------------------------------------------------
// [SECTION] Canvas
//-----------------------------------------------------------------------------

// What a shape is, for the SVG: its class names and, for text, the text.
struct Shape {
    std::string cls;
    std::string title;
};

// A cairo context that remembers every shape it puts on the surface, in order; each stroke or fill
// becomes one element of cairo's SVG. Within a clip, a shape that would show less than a pixel is
// not drawn at all: cairo drops the ones wholly outside, and the count must match.
class Canvas {
  public:
    Canvas(cairo_surface_t* surface, const Rect& page) : cr_(cairo_create(surface)), clip_(page), page_(page) {}
    ~Canvas() { cairo_destroy(cr_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() { return cr_; }
    const std::vector<Shape>& shapes() const { return shapes_; }

    void clipTo(const Rect& r) {
        cairo_reset_clip(cr_);
        cairo_rectangle(cr_, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
        cairo_clip(cr_);
        clip_ = r;
    }
    void unclip() {
        cairo_reset_clip(cr_);
        clip_ = page_;
    }
    // Shapes drawn from now on belong to the named panel: "whole", "A", ...; "" for none.
    void panel(const std::string& name) { panel_ = name.empty() ? name : " panel-" + name; }

    void colour(const Rgb& c, double alpha = 1) { cairo_set_source_rgba(cr_, c.r, c.g, c.b, alpha); }
    void line(double width, const double* dash = nullptr) {
        cairo_set_line_width(cr_, width);
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
        cairo_set_dash(cr_, dash, dash && dash[0] > 0 ? 2 : 0, 0);
    }
    void stroke(const std::string& cls, const std::string& title = std::string()) {
        Rect e;
        cairo_stroke_extents(cr_, &e.x0, &e.y0, &e.x1, &e.y1);
        paint(e, cls, title, cairo_stroke);
    }
    void fill(const std::string& cls, const std::string& title = std::string()) {
        Rect e;
        cairo_fill_extents(cr_, &e.x0, &e.y0, &e.x1, &e.y1);
        paint(e, cls, title, cairo_fill);
    }
    void dot(double x, double y, double radius) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, x, y, radius, 0, kTurn);
    }

    // Text with its baseline's left end at (x, y), drawn as outlines.
    void text(double x, double y, const std::string& text, double size, const std::string& cls, bool bold = false) {
        font(size, bold);
        cairo_move_to(cr_, x, y);
        cairo_text_path(cr_, text.c_str());
        fill(cls, text);
    }
    double textWidth(const std::string& text, double size, bool bold = false) {
        font(size, bold);
        cairo_text_extents_t ext;
        cairo_text_extents(cr_, text.c_str(), &ext);
        return ext.x_advance;
    }

  private:
    void paint(const Rect& e, const std::string& cls, const std::string& title, void (*op)(cairo_t*)) {
        const Rect shown = {std::max(e.x0, clip_.x0), std::max(e.y0, clip_.y0), std::min(e.x1, clip_.x1),
                            std::min(e.y1, clip_.y1)};
        if (shown.x1 - shown.x0 < 1 || shown.y1 - shown.y0 < 1) {
            cairo_new_path(cr_);
            return;
        }
        shapes_.push_back({cls + panel_, title});
        op(cr_);
    }
    void font(double size, bool bold) {
        cairo_select_font_face(cr_, kFontFace, CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr_, size);
    }

    cairo_t* cr_;
    Rect clip_, page_;
    std::string panel_;
    std::vector<Shape> shapes_;
};

//-----------------------------------------------------------------------------
// [SECTION] Labels
//-----------------------------------------------------------------------------

// Places labels near their points without covering one another or the points: right of the point
// if there is room, else left, stepping down and up a line at a time; a moved label gets a leader.
class Labels {
  public:
    explicit Labels(const Rect& area) : area_(area) {}

    void keepClear(double x, double y, double radius) {
        taken_.push_back({x - radius, y - radius, x + radius, y + radius});
    }

    void draw(Canvas& canvas, double ax, double ay, const std::vector<std::string>& lines, const std::string& cls) {
        double w = 0;
        for (const std::string& l : lines)
            w = std::max(w, canvas.textWidth(l, kFont));
        const double lineH = kFont + 3, h = lineH * static_cast<double>(lines.size()) + 2;
        const Rect box = place(ax, ay, w + 4, h);
        taken_.push_back(box);
        leader(canvas, ax, ay, box);
        canvas.colour({1, 1, 1}, 0.6);
        cairo_rectangle(canvas.cr(), box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
        canvas.fill(cls + " label-box");
        canvas.colour(kInk);
        for (size_t n = 0; n < lines.size(); ++n)
            canvas.text(box.x0 + 2, box.y0 + lineH * static_cast<double>(n + 1) - 1, lines[n], kFont, cls);
    }

  private:
    Rect place(double ax, double ay, double w, double h) const {
        const double centred = std::clamp(ax - w / 2, area_.x0, std::max(area_.x0, area_.x1 - w));
        for (int step = 0; step < 80; ++step) {
            const double dy = (step % 2 ? 1 : -1) * ((step + 1) / 2) * (kFont + 3);
            for (const double x : {ax + 8, ax - 8 - w, centred}) {
                const Rect r = {x, ay - h / 2 + dy, x + w, ay + h / 2 + dy};
                if (r.inside(area_) && !overlapsTaken(r)) return r;
            }
        }
        return {centred, ay + 8, centred + w, ay + 8 + h};
    }
    bool overlapsTaken(const Rect& r) const {
        return std::any_of(taken_.begin(), taken_.end(), [&](const Rect& t) { return t.overlaps(r); });
    }
    static void leader(Canvas& canvas, double ax, double ay, const Rect& box) {
        if (ay >= box.y0 && ay <= box.y1) return;
        const double x = box.x0 > ax ? box.x0 : box.x1;
        canvas.colour(kInk, 0.6);
        canvas.line(0.8);
        cairo_move_to(canvas.cr(), ax, ay);
        cairo_line_to(canvas.cr(), x, std::clamp(ay, box.y0, box.y1));
        canvas.stroke("leader");
    }

    Rect area_;
    std::vector<Rect> taken_;
};

//-----------------------------------------------------------------------------
// [SECTION] Places and circles
//-----------------------------------------------------------------------------

Rgb circleInk(const std::string& what) {
    if (what == "cuff") return kCuffInk;
    if (what == "leash") return kLeashInk;
    if (what == "boarding") return kBoardingInk;
    return kDeliveryInk;
}

void drawCircle(Canvas& canvas, const View& view, const MapCircle& c) {
    static const double kDashed[2] = {6, 4};
    canvas.colour(circleInk(c.what));
    canvas.line(c.what == "leash" || c.what == "boarding" ? 1.2 : 1.5, c.what == "leash" ? kDashed : nullptr);
    canvas.dot(view.px(c.centre.x), view.py(c.centre.y), view.pixels(c.radius));
    char title[64];
    std::snprintf(title, sizeof title, "%s %.0f m", c.what.c_str(), static_cast<double>(c.radius));
    canvas.stroke("circle " + c.what, title);
}

// The same circle drawn again at the same spot (presses from one place) is drawn once.
void drawCircles(Canvas& canvas, const View& view, const MapRecorder& rec) {
    std::vector<MapCircle> drawn;
    for (const MapCircle& c : rec.circles()) {
        const bool again = std::any_of(drawn.begin(), drawn.end(), [&](const MapCircle& d) {
            return d.what == c.what && sim::distance(d.centre, c.centre) < 0.25f;
        });
        if (again) continue;
        drawn.push_back(c);
        drawCircle(canvas, view, c);
    }
}

void drawPrecinct(Canvas& canvas, const View& view, const MapRecorder& rec) {
    if (!rec.saw(Stage::Transport)) return;
    const sim::Vec3 p = precinctPoint();
    drawCircle(canvas, view, {"delivery", p, kDeliveryRadius});
    const double x = view.px(p.x), y = view.py(p.y);
    canvas.colour(kDeliveryInk);
    canvas.line(2);
    cairo_move_to(canvas.cr(), x - 6, y);
    cairo_line_to(canvas.cr(), x + 6, y);
    cairo_move_to(canvas.cr(), x, y - 6);
    cairo_line_to(canvas.cr(), x, y + 6);
    canvas.stroke("precinct", "precinct point");
}

// A cone, point down, where the plugin drew its precinct marker: filled when the player could see
// it, outlined when the ground hid it.
void drawMarker(Canvas& canvas, const View& view, const MapRecorder& rec) {
    if (!rec.markerSeen()) return;
    const double x = view.px(rec.marker().x), y = view.py(rec.marker().y);
    cairo_move_to(canvas.cr(), x, y);
    cairo_line_to(canvas.cr(), x - 6, y - 11);
    cairo_line_to(canvas.cr(), x + 6, y - 11);
    cairo_close_path(canvas.cr());
    canvas.colour(kMarkerInk);
    if (rec.markerHidden()) {
        canvas.line(1.5);
        canvas.stroke("marker", "precinct marker, hidden below the ground");
    } else {
        canvas.fill("marker", "precinct marker");
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Tracks
//-----------------------------------------------------------------------------

// One stroke per stretch of one stage, each starting where the last one ended.
void drawPiece(Canvas& canvas, const View& view, Role role, const Piece& piece) {
    const LineStyle style = roleStyle(role);
    const std::vector<Sample>& s = piece.samples;
    for (size_t from = 0; from < s.size();) {
        size_t to = from;
        while (to + 1 < s.size() && s[to + 1].stage == s[from].stage)
            ++to;
        canvas.colour(stageColour(s[from].stage), style.alpha);
        canvas.line(style.width, style.dash);
        const sim::Vec3& start = s[from == 0 ? 0 : from - 1].pos;
        cairo_move_to(canvas.cr(), view.px(start.x), view.py(start.y));
        for (size_t n = from; n <= to; ++n)
            cairo_line_to(canvas.cr(), view.px(s[n].pos.x), view.py(s[n].pos.y));
        canvas.stroke(std::string("track ") + roleName(role) + " " + stageName(s[from].stage));
        from = to + 1;
    }
}

void drawTracks(Canvas& canvas, const View& view, const MapRecorder& rec) {
    for (Role role : {Role::Car, Role::Player, Role::Officer, Role::Suspect}) {
        for (const Piece& piece : rec.pieces(role))
            drawPiece(canvas, view, role, piece);
    }
}

// Where each track starts (a ring) and ends (a dot, named unless a closer look names it).
void drawEnds(Canvas& canvas, const View& view, const MapRecorder& rec, Labels& labels, const Areas& unnamed) {
    for (Role role : kRoles) {
        for (const Piece& piece : rec.pieces(role)) {
            const sim::Vec3& a = piece.samples.front().pos;
            const sim::Vec3& b = piece.samples.back().pos;
            canvas.colour(kInk);
            canvas.line(1.2);
            canvas.dot(view.px(a.x), view.py(a.y), 3.5);
            canvas.stroke(std::string("start ") + roleName(role));
            canvas.dot(view.px(b.x), view.py(b.y), 3);
            canvas.fill(std::string("end ") + roleName(role));
            if (!named(view, unnamed, b)) continue;
            const std::string name = std::string(roleName(role)) + " #" + std::to_string(piece.handle);
            labels.draw(canvas, view.px(b.x), view.py(b.y), {name}, std::string("name ") + roleName(role));
        }
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Events
//-----------------------------------------------------------------------------

void drawAims(Canvas& canvas, const View& view, const MapRecorder& rec) {
    static const double kDotted[2] = {2, 3};
    for (const MapEvent& e : rec.events()) {
        if (!e.aimed) continue;
        canvas.colour(kCuffInk, 0.8);
        canvas.line(1, kDotted);
        cairo_move_to(canvas.cr(), view.px(e.at.x), view.py(e.at.y));
        cairo_line_to(canvas.cr(), view.px(e.aim.x), view.py(e.aim.y));
        canvas.stroke("aim");
        canvas.line(1.2);
        canvas.dot(view.px(e.aim.x), view.py(e.aim.y), 4.5);
        canvas.stroke("aim-target");
    }
}

void drawEventDots(Canvas& canvas, const View& view, const MapRecorder& rec, Labels& labels) {
    for (const MapEvent& e : rec.events()) {
        const double x = view.px(e.at.x), y = view.py(e.at.y);
        canvas.colour(kInk);
        canvas.dot(x, y, 5);
        canvas.fill("event-dot " + e.what);
        canvas.colour(stageColour(e.stage));
        canvas.dot(x, y, 3.2);
        canvas.fill("event-dot " + e.what);
        labels.keepClear(x, y, 5);
    }
}

// Events at one spot share a label, one line each, in the order they happened.
void drawEventLabels(Canvas& canvas, const View& view, const MapRecorder& rec, Labels& labels, const Areas& unnamed) {
    const std::vector<MapEvent>& events = rec.events();
    std::vector<bool> done(events.size(), false);
    for (size_t n = 0; n < events.size(); ++n) {
        const sim::Vec3& at = anchorOf(events[n]);
        if (done[n] || !named(view, unnamed, at)) continue;
        std::vector<std::string> lines;
        std::string cls = "event";
        for (size_t m = n; m < events.size(); ++m) {
            const MapEvent& e = events[m];
            if (done[m] || view.pixels(sim::distance(anchorOf(e), at)) > 2) continue;
            done[m] = true;
            lines.push_back(e.what + "  " + formatTime(e.ms));
            if (!e.note.empty()) lines.push_back("  " + e.note);
            cls += " " + e.what;
        }
        labels.draw(canvas, view.px(at.x), view.py(at.y), lines, cls);
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Scale and north
//-----------------------------------------------------------------------------

// The longest round length (1, 2 or 5 times a power of ten) no longer than a fifth of the view.
double scaleBarMetres(const View& view) {
    const Rect a = view.area();
    const double most = (a.x1 - a.x0) / 5 / view.scale();
    double metres = std::pow(10.0, std::floor(std::log10(most)));
    for (const double f : {5.0, 2.0}) {
        if (metres * f <= most) return metres * f;
    }
    return metres;
}

void drawScaleBar(Canvas& canvas, const View& view) {
    const double metres = scaleBarMetres(view), w = view.pixels(metres);
    const double x = view.area().x0 + 14, y = view.area().y1 - 14;
    canvas.colour(kInk);
    canvas.line(2);
    cairo_move_to(canvas.cr(), x, y - 5);
    cairo_line_to(canvas.cr(), x, y);
    cairo_line_to(canvas.cr(), x + w, y);
    cairo_line_to(canvas.cr(), x + w, y - 5);
    char text[32];
    std::snprintf(text, sizeof text, "%g m", metres);
    canvas.stroke("scale-bar", text);
    canvas.text(x + w + 6, y + 3, text, kFont, "scale-bar");
}

void drawNorth(Canvas& canvas, const View& view) {
    const double x = view.area().x1 - 18, y = view.area().y0 + 14;
    canvas.colour(kInk);
    cairo_move_to(canvas.cr(), x, y);
    cairo_line_to(canvas.cr(), x - 6, y + 16);
    cairo_line_to(canvas.cr(), x + 6, y + 16);
    cairo_close_path(canvas.cr());
    canvas.fill("north");
    canvas.text(x - 4, y + 30, "N", kFont, "north", true);
}

//-----------------------------------------------------------------------------
// [SECTION] Panels
//-----------------------------------------------------------------------------

// The whole scene, and closer looks at the places where several things happened within a few
// metres of each other when the whole scene is much larger (the street and the precinct).
struct Panel {
    View view;
    std::string name;  // "" for the whole scene, else a letter
};

// Points worth a closer look: events and whom they aimed at, where tracks start and end, the small circles, the
// precinct.
std::vector<std::pair<sim::Vec3, double>> placesOf(const MapRecorder& rec) {
    std::vector<std::pair<sim::Vec3, double>> places;
    for (const MapEvent& e : rec.events()) {
        places.push_back({e.at, 0});
        if (e.aimed) places.push_back({e.aim, 0});
    }
    for (Role role : kRoles) {
        for (const Piece& piece : rec.pieces(role)) {
            places.push_back({piece.samples.front().pos, 0});
            places.push_back({piece.samples.back().pos, 0});
        }
    }
    for (const MapCircle& c : rec.circles()) {
        if (c.radius <= kDeliveryRadius) places.push_back({c.centre, c.radius});
    }
    if (rec.saw(Stage::Transport)) places.push_back({precinctPoint(), kDeliveryRadius});
    return places;
}

// Groups the places greedily into clusters no wider than kClusterSpan; keeps those with an event.
std::vector<Bounds> clustersOf(const MapRecorder& rec) {
    std::vector<Bounds> clusters;
    for (const auto& [p, radius] : placesOf(rec)) {
        bool joined = false;
        for (Bounds& b : clusters) {
            Bounds wider = b;
            wider.add(p, radius);
            if (wider.span() > kClusterSpan) continue;
            b = wider;
            joined = true;
            break;
        }
        if (!joined) {
            clusters.emplace_back();
            clusters.back().add(p, radius);
        }
    }
    std::vector<Bounds> kept;
    for (const Bounds& b : clusters) {
        const bool hasEvent =
            std::any_of(rec.events().begin(), rec.events().end(), [&](const MapEvent& e) { return b.contains(e.at); });
        if (hasEvent) kept.push_back(b);
    }
    return kept;
}

Rect closerBox(const Rect& whole, size_t k, size_t n) {
    const double count = static_cast<double>(n), w = (whole.x1 - whole.x0 - (count - 1) * kPad) / count;
    const double x = whole.x0 + static_cast<double>(k) * (w + kPad), y = whole.y1 + kPad + kPanelTitle;
    return {x, y, x + w, y + kCloserH};
}

std::vector<Panel> panelsOf(const MapRecorder& rec) {
    std::vector<Panel> panels;
    panels.push_back({View(boundsOf(rec), {kPad, kPad, kPad + kMapMaxW, kPad + kMapMaxH}, false, kMinSpan), ""});
    const View whole = panels.front().view;
    std::vector<Bounds> closer;
    for (const Bounds& b : clustersOf(rec)) {
        const View look(b, closerBox(whole.area(), 0, kMaxCloser), true, kMinCloserSpan);
        if (closer.size() < kMaxCloser && look.scale() >= kCloser * whole.scale()) closer.push_back(b);
    }
    for (size_t k = 0; k < closer.size(); ++k) {
        const Rect box = closerBox(whole.area(), k, closer.size());
        panels.push_back({View(closer[k], box, true, kMinCloserSpan), std::string(1, static_cast<char>('A' + k))});
    }
    return panels;
}

// Where the closer looks are, for the whole scene: it names nothing there, they do.
Areas closerAreas(const std::vector<Panel>& panels) {
    Areas areas;
    for (size_t k = 1; k < panels.size(); ++k)
        areas.list.push_back(panels[k].view.world());
    return areas;
}

void drawPanelFrame(Canvas& canvas, const Panel& panel, const View& whole) {
    const Rect r = panel.view.area();
    canvas.colour(kInk);
    canvas.line(1);
    cairo_rectangle(canvas.cr(), r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    canvas.stroke("panel-frame");
    if (panel.name.empty()) return;
    char title[80];
    std::snprintf(title, sizeof title, "%s: a closer look, %.1f times the scale above", panel.name.c_str(),
                  panel.view.scale() / whole.scale());
    canvas.text(r.x0, r.y0 - 5, title, kFont + 1, "panel-title", true);
}

// Where a closer look lies on the whole scene: its outline and letter.
void drawCloserOutline(Canvas& canvas, const View& whole, const Panel& panel) {
    const Bounds w = panel.view.world();
    const double x0 = whole.px(w.x0), y0 = whole.py(w.y1), x1 = whole.px(w.x1), y1 = whole.py(w.y0);
    canvas.colour(kInk, 0.7);
    canvas.line(1);
    cairo_rectangle(canvas.cr(), x0, y0, x1 - x0, y1 - y0);
    canvas.stroke("closer-outline", panel.name);
    canvas.text(x0, y0 - 3, panel.name, kFont, "closer-outline", true);
}

//-----------------------------------------------------------------------------
// [SECTION] Legend
//-----------------------------------------------------------------------------

// Lays out the legend top down from (x, y); answers where it ends.
class Legend {
  public:
    Legend(Canvas& canvas, double x, double y) : c_(canvas), x_(x), y_(y) {}

    double bottom() const { return y_; }
    Canvas& canvas() { return c_; }

    // Text wrapped at the legend's width.
    void paragraph(const std::string& text, double size, bool bold, const std::string& cls) {
        std::string line;
        for (size_t at = 0; at <= text.size();) {
            const size_t end = std::min(text.find(' ', at), text.size());
            const std::string word = text.substr(at, end - at);
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && c_.textWidth(longer, size, bold) > kLegendW) {
                emit(line, size, bold, cls);
                line = word;
            } else {
                line = longer;
            }
            at = end + 1;
        }
        if (!line.empty()) emit(line, size, bold, cls);
    }
    void heading(const std::string& text) {
        y_ += 8;
        emit(text, kFont + 1, true, "legend-heading");
    }
    // A sample of a line, a ring or a dot, then its name.
    void item(const std::string& name, const std::string& cls, const std::function<void(double, double)>& sample) {
        sample(x_, y_ + 8);
        c_.colour(kInk);
        c_.text(x_ + 40, y_ + 12, name, kFont, cls);
        y_ += 18;
    }

  private:
    void emit(const std::string& line, double size, bool bold, const std::string& cls) {
        c_.colour(kInk);
        c_.text(x_, y_ + size, line, size, cls, bold);
        y_ += size + 5;
    }

    Canvas& c_;
    double x_, y_;
};

void legendStages(Legend& legend, const MapRecorder& rec) {
    legend.heading("Stages (path colour)");
    for (Stage stage : kStages) {
        if (!rec.saw(stage)) continue;
        legend.item(stageName(stage), "legend-stage", [&](double x, double y) {
            Canvas& c = legend.canvas();
            c.colour(stageColour(stage));
            c.line(5);
            cairo_move_to(c.cr(), x + 2, y);
            cairo_line_to(c.cr(), x + 30, y);
            c.stroke("legend-sample");
        });
    }
}

double travelled(const MapRecorder& rec, Role role) {
    double metres = 0;
    for (const Piece& piece : rec.pieces(role)) {
        for (size_t n = 1; n < piece.samples.size(); ++n)
            metres += static_cast<double>(sim::distance(piece.samples[n - 1].pos, piece.samples[n].pos));
    }
    return metres;
}

void legendRoles(Legend& legend, const MapRecorder& rec) {
    legend.heading("Paths (ring: start, dot: end)");
    for (Role role : kRoles) {
        if (rec.pieces(role).empty()) continue;
        const std::string name = roleName(role) + std::string(travelled(rec, role) < 0.5 ? " (did not move)" : "");
        legend.item(name, "legend-role", [&](double x, double y) {
            Canvas& c = legend.canvas();
            const LineStyle style = roleStyle(role);
            c.colour(kInk, style.alpha);
            c.line(style.width, style.dash);
            cairo_move_to(c.cr(), x + 2, y);
            cairo_line_to(c.cr(), x + 30, y);
            c.stroke("legend-sample");
        });
    }
}

void legendRing(Legend& legend, const std::string& name, const std::string& what) {
    legend.item(name, "legend-circle", [&](double x, double y) {
        Canvas& c = legend.canvas();
        static const double kDashed[2] = {3, 2};
        c.colour(circleInk(what));
        c.line(1.5, what == "leash" ? kDashed : nullptr);
        c.dot(x + 16, y, 7);
        c.stroke("legend-sample");
    });
}

void legendPlaces(Legend& legend, const MapRecorder& rec) {
    legend.heading("Circles and places");
    auto drawn = [&](const char* what) {
        return std::any_of(rec.circles().begin(), rec.circles().end(),
                           [&](const MapCircle& c) { return c.what == what; });
    };
    if (drawn("cuff")) legendRing(legend, "cuff reach 2 m, at a press", "cuff");
    if (drawn("leash")) legendRing(legend, "leash 50 m, at a press", "leash");
    if (drawn("boarding")) legendRing(legend, "boarding 5 m around the car", "boarding");
    char text[160];
    const sim::Vec3 p = precinctPoint();
    if (rec.saw(Stage::Transport)) {
        legendRing(legend, "delivery 5 m around the precinct", "delivery");
        std::snprintf(text, sizeof text, "cross: precinct point (%.1f, %.1f)", static_cast<double>(p.x),
                      static_cast<double>(p.y));
    } else {
        std::snprintf(text, sizeof text, "The precinct (%.1f, %.1f) lies off this map: the suspect never got that far.",
                      static_cast<double>(p.x), static_cast<double>(p.y));
    }
    legend.paragraph(text, kFont, false, "legend-place");
    if (rec.markerSeen()) {
        std::snprintf(text, sizeof text, "yellow cone: the precinct marker at (%.1f, %.1f), z %.1f, %s",
                      static_cast<double>(rec.marker().x), static_cast<double>(rec.marker().y),
                      static_cast<double>(rec.marker().z),
                      rec.markerHidden() ? "below the ground: the player could not see it (outline)"
                                         : "above the ground: the player could see it");
        legend.paragraph(text, kFont, false, "legend-place");
    }
}

double drawLegend(Canvas& canvas, double x, const MapRecorder& rec) {
    Legend legend(canvas, x, kPad);
    legend.paragraph(rec.title(), kFont + 3, true, "legend-title");
    legendStages(legend, rec);
    legendRoles(legend, rec);
    legendPlaces(legend, rec);
    legend.heading("Events");
    legend.paragraph(
        "A dot where it happened, coloured by the stage it led to, and the simulated time since the "
        "scene began; under a press, what the screen said next. A press aimed at someone (dotted red "
        "line, ring) is told beside him.",
        kFont, false, "legend-note");
    return legend.bottom();
}

//-----------------------------------------------------------------------------
// [SECTION] Drawing
//-----------------------------------------------------------------------------

struct Layout {
    std::vector<Panel> panels;
    double width, height, legendX;
};

// The legend's height sets the canvas's when the map is flat; it is measured on a scratch surface.
Layout layoutOf(const MapRecorder& rec) {
    Layout layout{panelsOf(rec), 0, 0, 0};
    double mapBottom = 0;
    for (const Panel& p : layout.panels)
        mapBottom = std::max(mapBottom, p.view.area().y1);
    layout.legendX = layout.panels.front().view.area().x1 + kPad;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    double legendBottom;
    {
        Canvas canvas(scratch, {0, 0, 1, 1});
        legendBottom = drawLegend(canvas, layout.legendX, rec);
    }
    cairo_surface_destroy(scratch);
    layout.width = std::ceil(layout.legendX + kLegendW + kPad);
    layout.height = std::ceil(std::max(mapBottom, legendBottom) + kPad);
    return layout;
}

void drawPanel(Canvas& canvas, const Panel& panel, const MapRecorder& rec, const Areas& unnamed) {
    const View& view = panel.view;
    const Rect a = view.area();
    canvas.panel(panel.name.empty() ? "whole" : panel.name);
    canvas.clipTo(a);
    canvas.colour(kGround);
    cairo_rectangle(canvas.cr(), a.x0, a.y0, a.x1 - a.x0, a.y1 - a.y0);
    canvas.fill("ground");
    drawCircles(canvas, view, rec);
    drawPrecinct(canvas, view, rec);
    drawMarker(canvas, view, rec);
    drawAims(canvas, view, rec);
    drawTracks(canvas, view, rec);
    Labels labels({a.x0 + 2, a.y0 + 2, a.x1 - 2, a.y1 - 30});
    drawEventDots(canvas, view, rec, labels);
    drawEventLabels(canvas, view, rec, labels, unnamed);
    drawEnds(canvas, view, rec, labels, unnamed);
    drawScaleBar(canvas, view);
    canvas.unclip();
    canvas.panel("");
}

void drawMap(Canvas& canvas, const Layout& layout, const MapRecorder& rec) {
    cairo_set_source_rgb(canvas.cr(), 1, 1, 1);
    cairo_paint(canvas.cr());
    const View& whole = layout.panels.front().view;
    for (size_t k = 0; k < layout.panels.size(); ++k) {
        const Panel& panel = layout.panels[k];
        drawPanel(canvas, panel, rec, k == 0 ? closerAreas(layout.panels) : Areas());
        drawPanelFrame(canvas, panel, whole);
        if (k > 0) drawCloserOutline(canvas, whole, panel);
    }
    drawNorth(canvas, whole);
    drawLegend(canvas, layout.legendX, rec);
}

//-----------------------------------------------------------------------------
// [SECTION] SVG names
//-----------------------------------------------------------------------------

constexpr char kSvgNs[] = "http://www.w3.org/2000/svg";
constexpr char kMapNs[] = "urn:brindlecot:map";

struct XmlDoc {
    xmlDocPtr doc;
    ~XmlDoc() { xmlFreeDoc(doc); }
};

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

// The shapes cairo wrote, in drawing order: paths outside definitions.
std::vector<xmlNodePtr> drawnPaths(xmlDocPtr doc) {
    std::vector<xmlNodePtr> nodes;
    xmlXPathContextPtr ctx = xmlXPathNewContext(doc);
    xmlXPathRegisterNs(ctx, X("svg"), X(kSvgNs));
    xmlXPathObjectPtr found =
        xmlXPathEvalExpression(X("//svg:path[not(ancestor::svg:defs or ancestor::svg:clipPath or ancestor::svg:mask or "
                                 "ancestor::svg:pattern or ancestor::svg:symbol)]"),
                               ctx);
    if (found && found->nodesetval) {
        for (int n = 0; n < found->nodesetval->nodeNr; ++n)
            nodes.push_back(found->nodesetval->nodeTab[n]);
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(ctx);
    return nodes;
}

std::string shapeId(const Shape& shape, size_t n) {
    std::string id = shape.cls.substr(0, shape.cls.find(' '));
    return id + "-" + std::to_string(n);
}

// How metres turn into the SVG's pixels in the whole scene's panel (x0, y0, x1, y1), for whoever
// reads the file: (0, 0) in the world lies at (origin-x, origin-y), x grows to the right, y upward.
void addView(xmlNodePtr svg, const View& view) {
    xmlNodePtr metadata = xmlNewChild(svg, svg->ns, X("metadata"), nullptr);
    xmlNodePtr node = xmlNewChild(metadata, nullptr, X("view"), nullptr);
    xmlSetNs(node, xmlNewNs(node, X(kMapNs), X("map")));
    char value[64];
    const struct {
        const char* name;
        double value;
    } attrs[] = {{"px-per-metre", view.scale()}, {"origin-x", view.px(0)}, {"origin-y", view.py(0)},
                 {"x0", view.area().x0},         {"y0", view.area().y0},   {"x1", view.area().x1},
                 {"y1", view.area().y1}};
    for (const auto& a : attrs) {
        std::snprintf(value, sizeof value, "%.6f", a.value);
        xmlSetProp(node, X(a.name), X(value));
    }
}

bool nameShapes(const std::string& file, const std::vector<Shape>& shapes, const MapRecorder& rec, const View& view,
                std::string& error) {
    XmlDoc xml{xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET)};
    xmlNodePtr svg = xml.doc ? xmlDocGetRootElement(xml.doc) : nullptr;
    if (!svg) {
        error = "cairo's SVG could not be read back";
        return false;
    }
    const std::vector<xmlNodePtr> paths = drawnPaths(xml.doc);
    if (paths.size() != shapes.size()) {
        error = "cairo wrote " + std::to_string(paths.size()) + " shapes for " + std::to_string(shapes.size()) +
                " drawn; the SVG cannot be named";
        return false;
    }
    for (size_t n = 0; n < paths.size(); ++n) {
        xmlSetProp(paths[n], X("id"), X(shapeId(shapes[n], n).c_str()));
        xmlSetProp(paths[n], X("class"), X(shapes[n].cls.c_str()));
        if (!shapes[n].title.empty()) xmlNewTextChild(paths[n], svg->ns, X("title"), X(shapes[n].title.c_str()));
    }
    xmlNodePtr title = xmlNewDocNode(xml.doc, svg->ns, X("title"), nullptr);
    xmlNodeAddContent(title, X(rec.title().c_str()));
    if (svg->children) {
        xmlAddPrevSibling(svg->children, title);
    } else {
        xmlAddChild(svg, title);
    }
    addView(svg, view);
    if (xmlSaveFile(file.c_str(), xml.doc) < 0) {
        error = std::string("cannot save: ") + std::strerror(errno);
        return false;
    }
    return true;
}

//-----------------------------------------------------------------------------
// [SECTION] Files
//-----------------------------------------------------------------------------

std::string describe(const std::string& path, const std::string& why) {
    return "cannot write the map '" + path + "': " + why;
}

// A new empty file beside `path`, readable as a file created with open() would be.
std::string makeTemporary(const std::string& path, std::string& error) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        error = describe(path, std::strerror(errno));
        return std::string();
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return temp;
}

bool drawSvg(const MapRecorder& rec, const Layout& layout, const std::string& file, std::string& error) {
    cairo_surface_t* surface = cairo_svg_surface_create(file.c_str(), layout.width, layout.height);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    std::vector<Shape> shapes;
    {
        Canvas canvas(surface, {0, 0, layout.width, layout.height});
        drawMap(canvas, layout, rec);
        shapes = canvas.shapes();
    }
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        error = cairo_status_to_string(status);
        return false;
    }
    return nameShapes(file, shapes, rec, layout.panels.front().view, error);
}

bool drawPng(const MapRecorder& rec, const Layout& layout, const std::string& file, std::string& error) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(layout.width),
                                                          static_cast<int>(layout.height));
    {
        Canvas canvas(surface, {0, 0, layout.width, layout.height});
        drawMap(canvas, layout, rec);
    }
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) error = cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig, under cairo's text, keeps its configuration until the process ends; the sanitizer
// build must not take that for a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

MapFormat mapFormatOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".svg") return MapFormat::Svg;
    if (ext == ".png") return MapFormat::Png;
    return MapFormat::Unknown;
}

std::string checkMapPath(const std::string& path) {
    if (mapFormatOf(path) == MapFormat::Unknown) return "the map '" + path + "' must be named .svg or .png";
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return describe(path, "it is a directory");
        if (access(path.c_str(), W_OK) != 0) return describe(path, std::strerror(errno));
    }
    std::string error;
    const std::string probe = makeTemporary(path, error);
    if (!probe.empty()) unlink(probe.c_str());
    return error;
}

bool writeMap(const MapRecorder& recorder, const std::string& path, std::string& error) {
    const MapFormat format = mapFormatOf(path);
    if (format == MapFormat::Unknown) {
        error = checkMapPath(path);
        return false;
    }
    const std::string temp = makeTemporary(path, error);
    if (temp.empty()) return false;
    const Layout layout = layoutOf(recorder);
    std::string why;
    bool ok = format == MapFormat::Svg ? drawSvg(recorder, layout, temp, why) : drawPng(recorder, layout, temp, why);
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        why = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        unlink(temp.c_str());
        error = describe(path, why);
    }
    return ok;
}

}  // namespace demo
