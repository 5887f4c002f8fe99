// Brindlecot demo — the map's views: metres to pixels, the panels, and where their labels go.
//
// The whole scene is fitted to one panel, north up. Each event gets a label right beside its point,
// over no path and no other label; where that cannot be done (several things within a few metres),
// a closer look at those places follows below and names them instead, along a leader if need be.

#pragma once

#include <algorithm>
#include <cmath>
#include <functional>

#include "demo/map.h"

namespace demo {

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

}  // namespace demo
