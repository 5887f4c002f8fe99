// Brindlecot demo — drawing the map with cairo, and writing its file.

#include <cairo-svg.h>
#include <cairo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "demo/map.h"

namespace demo {

namespace {

constexpr double kLegendW = 300;  // pixels

// A cairo context with the few strokes the map is made of.
struct Pen {
    cairo_t* cr;

    void ink(const Rgb& c, double alpha = 1) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }
    void line(const Rgb& c, const LineStyle& s) {
        ink(c, s.alpha);
        cairo_set_line_width(cr, s.width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_dash(cr, s.dash, s.dash[0] > 0 ? 2 : 0, 0);
    }
    void circle(double x, double y, double r) { cairo_new_sub_path(cr), cairo_arc(cr, x, y, r, 0, 2 * M_PI); }
    void dot(double x, double y, double r, const Rgb& c) { ink(c), circle(x, y, r), cairo_fill(cr); }
    void segment(double x0, double y0, double x1, double y1) { cairo_move_to(cr, x0, y0), cairo_line_to(cr, x1, y1); }
    void rect(const Rect& r) { cairo_rectangle(cr, r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0); }
    double width(const std::string& text, double size = kFont, bool bold = false) {
        cairo_select_font_face(cr, kFontFace, CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, size);
        cairo_text_extents_t ext;
        cairo_text_extents(cr, text.c_str(), &ext);
        return ext.x_advance;
    }
    // Text with its baseline's left end at (x, y).
    void text(double x, double y, const std::string& text, double size = kFont, bool bold = false) {
        width(text, size, bold);
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, text.c_str());
    }
};

// The circles with the precinct's cross, the aims, the paths coloured by stage with a dot where each
// ends, and the events' dots coloured by the stage they led to.
void drawScene(Pen& p, const View& v, const MapRecorder& rec) {
    for (const MapCircle& c : rec.circles()) {
        const double x = v.px(c.centre.x), y = v.py(c.centre.y);
        p.line(ringStyle(c.ring).ink, {1.5, 1, {ringStyle(c.ring).dashed ? 6.0 : 0, 4}});
        p.circle(x, y, ringStyle(c.ring).radius * v.scale());
        if (c.ring == Ring::Delivery) p.segment(x - 6, y, x + 6, y), p.segment(x, y - 6, x, y + 6);
        cairo_stroke(p.cr);
    }
    for (const MapEvent& e : rec.events()) {
        if (!e.aim) continue;
        p.line(kAimInk, {1.2, 0.8, {2, 3}});
        p.segment(v.px(e.at.x), v.py(e.at.y), v.px(e.aim->x), v.py(e.aim->y));
        p.circle(v.px(e.aim->x), v.py(e.aim->y), 4.5);
        cairo_stroke(p.cr);
    }
    for (Role role : {Role::Car, Role::Player, Role::Officer, Role::Suspect}) {
        for (const Piece& piece : rec.pieces(role)) {
            const std::vector<Sample>& s = piece.samples;
            for (size_t from = 0, to; from < s.size(); from = to + 1) {  // a stroke per stretch of one stage
                for (to = from; to + 1 < s.size() && s[to + 1].stage == s[from].stage;)
                    ++to;
                p.line(stageInk(s[from].stage), roleLine(role));
                cairo_move_to(p.cr, v.px(s[from ? from - 1 : 0].pos.x), v.py(s[from ? from - 1 : 0].pos.y));
                for (size_t n = from; n <= to; ++n)
                    cairo_line_to(p.cr, v.px(s[n].pos.x), v.py(s[n].pos.y));
                cairo_stroke(p.cr);
            }
            p.dot(v.px(s.back().pos.x), v.py(s.back().pos.y), 3, kInk);
        }
    }
    for (const MapEvent& e : rec.events()) {
        p.dot(v.px(e.at.x), v.py(e.at.y), 5, kInk);
        p.dot(v.px(e.at.x), v.py(e.at.y), 3.2, stageInk(e.stage));
    }
}

// A panel: its scene, its labels (with a leader to one set off from its point), a scale bar as long
// as the longest round length (1, 2 or 5 times a power of ten) within a fifth of its width, and for
// a closer look its title and its outline on the whole scene.
void drawPanel(Pen& p, const Panel& panel, const MapRecorder& rec, const View& whole) {
    const View& v = panel.view;
    const Rect& a = v.area();
    cairo_save(p.cr);
    p.rect(a);
    cairo_clip(p.cr);
    p.ink(kGround);
    cairo_paint(p.cr);
    drawScene(p, v, rec);
    for (const Label& l : panel.labels) {
        const double ax = v.px(l.at.x), ay = v.py(l.at.y);
        const double bx = std::clamp(ax, l.box.x0, l.box.x1), by = std::clamp(ay, l.box.y0, l.box.y1);
        p.line(kInk, {0.8, 0.6, {}});
        if (std::hypot(bx - ax, by - ay) > kLabelGap * 1.5) p.segment(ax, ay, bx, by), cairo_stroke(p.cr);
        p.ink({1, 1, 1}, 0.75);
        p.rect(l.box);
        cairo_fill(p.cr);
        p.ink(kInk);
        for (size_t n = 0; n < l.lines.size(); ++n)
            p.text(l.box.x0 + 2, l.box.y0 + kLineH * static_cast<double>(n + 1) - 1, l.lines[n]);
    }
    const double most = (a.x1 - a.x0) / 5 / v.scale(), tens = std::pow(10.0, std::floor(std::log10(most)));
    const double bar = tens * 5 <= most ? tens * 5 : tens * 2 <= most ? tens * 2 : tens;
    const double x = a.x0 + 14, y = a.y1 - 14, w = bar * v.scale();
    p.line(kInk, {2, 1, {}});
    p.segment(x, y, x + w, y);
    cairo_stroke(p.cr);
    p.text(x + w + 6, y + 3, fmt("%g m", bar));
    cairo_restore(p.cr);
    p.line(kInk, {1, 1, {}});
    p.rect(a);
    cairo_stroke(p.cr);
    if (panel.name.empty()) return p.text(a.x1 - 30, a.y0 + 20, "N \u2191", kFont + 1, true);
    p.text(a.x0, a.y0 - 5,
           fmt("%s: a closer look, %.1f times the scale above", panel.name.c_str(), v.scale() / whole.scale()),
           kFont + 1, true);
    // Outlined on the whole scene as far as the scene shows it: a look at its edge stays inside.
    const Rect b = v.world(), scene = whole.area();
    const double x0 = std::max(whole.px(b.x0), scene.x0), y0 = std::max(whole.py(b.y1), scene.y0);
    p.ink(kInk, 0.7);
    p.rect({x0, y0, std::min(whole.px(b.x1), scene.x1), std::min(whole.py(b.y0), scene.y1)});
    cairo_stroke(p.cr);
    p.text(x0, std::max(y0 - 3, scene.y0 + kFont), panel.name, kFont, true);
}

// The legend, top down from (x, kPad); answers where it ends. The radii and places in it are the
// plugin's tuned ones.
double drawLegend(Pen& p, double x, const MapRecorder& rec) {
    double y = kPad;
    auto say = [&](const std::string& text, double size = kFont, bool bold = false, double indent = 0) {
        std::string line;  // wrapped at the legend's width
        auto emit = [&] { p.ink(kInk), p.text(x + indent, y + size, line, size, bold), y += size + 5; };
        for (size_t at = 0, end; at <= text.size(); at = end + 1) {
            end = std::min(text.find(' ', at), text.size());
            const std::string word = text.substr(at, end - at);
            if (!line.empty() && p.width(line + " " + word, size, bold) > kLegendW - indent) emit(), line.clear();
            line += (line.empty() ? "" : " ") + word;
        }
        emit();
    };
    auto heading = [&](const char* text) { y += 8, say(text, kFont + 1, true); };
    auto item = [&](const std::string& text, const Rgb& ink, const LineStyle& style, bool ring = false) {
        p.line(ink, style);
        ring ? p.circle(x + 16, y + 8, 7) : p.segment(x + 2, y + 8, x + 30, y + 8);
        cairo_stroke(p.cr);
        say(text, kFont, false, 40);
    };
    say(rec.title(), kFont + 3, true);
    heading("Stages (path colour)");
    for (scenes::Stage stage : rec.stagesSeen()) {
        const std::string none = stage == scenes::Stage::None ? ": no arrest under way" : "";
        item(scenes::stageName(stage) + none, stageInk(stage), {5, 1, {0, 0}});
    }
    heading("Paths (a dot where each ends)");
    for (Role role : kRoles) {
        if (!rec.pieces(role).empty()) item(roleName(role), kInk, roleLine(role));
    }
    heading("Circles");
    std::set<Ring> drawn;  // in the order of Ring
    for (const MapCircle& c : rec.circles())
        drawn.insert(c.ring);
    for (Ring ring : drawn) {
        const RingStyle& style = ringStyle(ring);
        item(fmt(style.legend, style.radius), style.ink, {1.5, 1, {style.dashed ? 3.0 : 0, 2}}, true);
    }
    const MapCircle* delivery = nullptr;
    for (const MapCircle& c : rec.circles())
        if (c.ring == Ring::Delivery) delivery = &c;
    say(delivery ? fmt("The hand-over point (%.1f, %.1f) is the cross.", static_cast<double>(delivery->centre.x),
                       static_cast<double>(delivery->centre.y))
                 : std::string("No suspect was driven to a station on this map."));
    heading("Events");
    say("A dot coloured by the stage it led to, its simulated time, under a press what the screen said next. "
        "A press aimed at someone (dotted red line) is named beside him.");
    return y;
}

// A surface to measure text on.
struct Scratch {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    Pen pen{cairo_create(surface)};
    ~Scratch() { cairo_destroy(pen.cr), cairo_surface_destroy(surface); }
};

bool drawFile(const MapRecorder& rec, MapFormat format, const std::string& file, std::string& error) {
    const std::vector<Panel> panels = mapLayout(rec);
    const View& whole = panels[0].view;
    Scratch scratch;
    double bottom = drawLegend(scratch.pen, whole.area().x1 + kPad, rec);
    for (const Panel& panel : panels)
        bottom = std::max(bottom, panel.view.area().y1);
    const int width = static_cast<int>(whole.area().x1 + kLegendW + 2 * kPad), height = static_cast<int>(bottom + kPad);
    cairo_surface_t* surface = format == MapFormat::Svg
                                   ? cairo_svg_surface_create(file.c_str(), width, height)
                                   : cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (format == MapFormat::Svg) cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    Pen p{cairo_create(surface)};
    cairo_set_source_rgb(p.cr, 1, 1, 1);
    cairo_paint(p.cr);
    for (const Panel& panel : panels)
        drawPanel(p, panel, rec, whole);
    drawLegend(p, whole.area().x1 + kPad, rec);
    cairo_destroy(p.cr);
    cairo_status_t status = cairo_surface_status(surface);
    if (format == MapFormat::Png && !status) status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_finish(surface);  // an SVG is written now
    if (!status) status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status) error = cairo_status_to_string(status);
    return !status;
}

std::string cannotWrite(const std::string& path, const std::string& why) {
    return "cannot write the map '" + path + "': " + why;
}

// Where the map named `path` goes, there or where a symbolic link there leads; and a new empty file
// beside it to draw into, with the permissions open() would give. "" and `error` when either fails.
std::string temporaryFor(const std::string& path, std::string& target, std::string& error) {
    namespace fs = std::filesystem;
    if (mapFormatOf(path) == MapFormat::Unknown) return error = "the map '" + path + "' must be named .svg or .png", "";
    std::error_code ec, none;
    target = fs::is_symlink(path, none) ? fs::canonical(path, ec).string() : path;
    std::string why = ec ? "it is a symbolic link to nothing (" + ec.message() + ")" : "";
    if (fs::is_directory(target, none)) why = "it is a directory";
    std::string temp = target + ".XXXXXX";
    const bool refused = !why.empty() || (fs::exists(target, none) && access(target.c_str(), W_OK) != 0);
    const int fd = refused ? -1 : mkstemp(&temp[0]);
    if (fd < 0) return error = cannotWrite(path, why.empty() ? std::strerror(errno) : why), "";
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return temp;
}

}  // namespace

std::vector<Panel> mapLayout(const MapRecorder& rec) {
    Scratch scratch;
    return layOut(rec, [&](const std::string& text) { return scratch.pen.width(text); });
}

MapFormat mapFormatOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".svg" ? MapFormat::Svg : ext == ".png" ? MapFormat::Png : MapFormat::Unknown;
}

std::string checkMapPath(const std::string& path) {
    std::string target, error;
    const std::string probe = temporaryFor(path, target, error);
    if (!probe.empty()) unlink(probe.c_str());
    return error;
}

bool writeMap(const MapRecorder& recorder, const std::string& path, std::string& error) {
    std::string target, why;
    const std::string temp = temporaryFor(path, target, error);
    if (temp.empty()) return false;
    bool ok = drawFile(recorder, mapFormatOf(path), temp, why);
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) why = std::strerror(errno), ok = false;
    if (!ok) unlink(temp.c_str()), error = cannotWrite(path, why);
    return ok;
}

}  // namespace demo
