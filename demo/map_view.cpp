// Brindlecot demo — the map's views and the placing of its labels.

#include "demo/map.h"

namespace demo {

namespace {

using Width = std::function<double(const std::string&)>;

constexpr double kMapMaxW = 860, kMapMaxH = 640, kCloserH = 320, kPanelTitle = 16;  // pixels
constexpr double kMargin = 0.06, kCloserMargin = 0.15;  // share of the extent left free around it
constexpr double kMinSpan = 20, kMinCloserSpan = 12;    // metres a panel shows at least
constexpr double kClusterSpan = 30;                     // metres: crowded places this close share a closer look ...
constexpr double kCloser = 2;                           // ... if it shows them at least this many times larger
constexpr size_t kMaxCloser = 2;
constexpr double kMinDeliveryPx = 25;  // a delivery reach drawn smaller than this gets a closer look

// What a label keeps off in a view: the paths (as chains of small squares), the points of events and
// path ends, the scale bar and north arrow in the panel's corners, and the labels placed before it.
struct Obstacles {
    std::vector<Rect> taken;
    void point(double x, double y, double r) { taken.push_back({x - r, y - r, x + r, y + r}); }
    bool free(const Rect& r) const {
        return std::none_of(taken.begin(), taken.end(), [&](const Rect& t) { return t.overlaps(r); });
    }
};

Obstacles obstaclesOf(const MapRecorder& rec, const View& v) {
    Obstacles o;
    for (Role role : kRoles) {
        for (const Piece& piece : rec.pieces(role)) {
            const std::vector<Sample>& s = piece.samples;
            for (size_t n = 1; n < s.size(); ++n) {
                const double x0 = v.px(s[n - 1].pos.x), y0 = v.py(s[n - 1].pos.y), x1 = v.px(s[n].pos.x);
                const double y1 = v.py(s[n].pos.y), steps = std::ceil(std::hypot(x1 - x0, y1 - y0) / 2);
                for (double k = 0; k <= steps; ++k)
                    o.point(x0 + (x1 - x0) * k / std::max(steps, 1.0), y0 + (y1 - y0) * k / std::max(steps, 1.0),
                            roleLine(role).width / 2 + 1);
            }
            o.point(v.px(s.back().pos.x), v.py(s.back().pos.y), 6);
        }
    }
    for (const MapEvent& e : rec.events()) {
        o.point(v.px(e.at.x), v.py(e.at.y), 6);
        if (e.aim) o.point(v.px(e.aim->x), v.py(e.aim->y), 6);
    }
    const Rect& a = v.area();
    o.taken.push_back({a.x0, a.y1 - 30, a.x0 + 200, a.y1});  // scale bar
    o.taken.push_back({a.x1 - 40, a.y0, a.x1, a.y0 + 30});   // north
    return o;
}

// The labels of the places `named` lets a view name: one per spot, its events in the order they
// happened. A press is named where it aimed.
std::vector<Label> labelsOf(const MapRecorder& rec, const View& v, const std::function<bool(const sim::Vec3&)>& named) {
    std::vector<Label> labels;
    for (const MapEvent& e : rec.events()) {
        const sim::Vec3 at = e.aim.value_or(e.at);
        auto same = std::find_if(labels.begin(), labels.end(), [&](const Label& l) {
            return std::hypot(v.px(at.x) - v.px(l.at.x), v.py(at.y) - v.py(l.at.y)) <= 2;
        });
        if (!named(at)) continue;
        if (same == labels.end()) same = labels.insert(labels.end(), Label{at, {}, {}, false});
        same->lines.push_back(e.what + "  " + formatTime(e.ms));
        if (!e.note.empty()) same->lines.push_back("  " + e.note);
    }
    return labels;
}

// The first free spot beside the point: right, left, then above and below, each in a few positions
// along that side, nearest first and no further than `reach`; with none, the first inside the panel.
void place(Label& l, const View& v, Obstacles& o, const Width& width, double reach) {
    double w = 0;
    for (const std::string& line : l.lines)
        w = std::max(w, width(line) + 4);
    const double h = kLineH * static_cast<double>(l.lines.size()) + 2, ax = v.px(l.at.x), ay = v.py(l.at.y);
    std::vector<Rect> spots;
    for (double g = kLabelGap; g <= reach; g += (kLabelReach - kLabelGap) / 3) {
        for (const double x : {ax + g, ax - g - w}) {
            for (const double y : {ay - h / 2, ay - kLineH / 2 - 1, ay - h + kLineH / 2 + 1, ay - g - h, ay + g})
                spots.push_back({x, y, x + w, y + h});
        }
        for (const double x : {ax - w / 2, ax - g, ax + g - w}) {
            spots.push_back({x, ay - g - h, x + w, ay - g});
            spots.push_back({x, ay + g, x + w, ay + g + h});
        }
    }
    const Rect& a = v.area();
    const Rect inner = {a.x0 + 2, a.y0 + 2, a.x1 - 2, a.y1 - 2};
    auto inside = std::find_if(spots.begin(), spots.end(), [&](const Rect& r) { return r.inside(inner); });
    auto free = std::find_if(inside, spots.end(), [&](const Rect& r) { return r.inside(inner) && o.free(r); });
    l.clear = free != spots.end();
    l.box = l.clear ? *free : inside != spots.end() ? *inside : spots.front();
    o.taken.push_back(l.box);
}

// The labels of a view, placed; those that found no free spot go first in the next round.
std::vector<Label> placed(const MapRecorder& rec, const View& v, const std::function<bool(const sim::Vec3&)>& named,
                          const Width& width, double reach) {
    std::vector<Label> labels = labelsOf(rec, v, named);
    for (int round = 0; round < 3; ++round) {
        Obstacles o = obstaclesOf(rec, v);
        for (Label& l : labels)
            place(l, v, o, width, reach);
        if (std::all_of(labels.begin(), labels.end(), [](const Label& l) { return l.clear; })) break;
        std::stable_partition(labels.begin(), labels.end(), [](const Label& l) { return !l.clear; });
    }
    return labels;
}

Rect boundsOf(const MapRecorder& rec) {
    Rect b;
    for (Role role : kRoles) {
        for (const Piece& piece : rec.pieces(role)) {
            for (const Sample& s : piece.samples)
                b.add(s.pos);
        }
    }
    for (const MapEvent& e : rec.events())
        b.add(e.aim.value_or(e.at)), b.add(e.at);
    for (const MapCircle& c : rec.circles())
        b.add(c.centre, ringStyle(c.ring).radius);
    if (b.x0 > b.x1) b.add(sim::Vec3());
    return b;
}

}  // namespace

View::View(const Rect& b, const Rect& box, bool fill, double minSpan) {
    const double margin = 1 + 2 * (fill ? kCloserMargin : kMargin);
    double w = std::max(b.x1 - b.x0, minSpan) * margin, h = std::max(b.y1 - b.y0, minSpan) * margin;
    scale_ = std::min((box.x1 - box.x0) / w, (box.y1 - box.y0) / h);
    if (fill) w = (box.x1 - box.x0) / scale_, h = (box.y1 - box.y0) / scale_;
    area_ = {box.x0, box.y0, box.x0 + w * scale_, box.y0 + h * scale_};
    left_ = (b.x0 + b.x1 - w) / 2;
    top_ = (b.y0 + b.y1 + h) / 2;
}

Rect View::world() const {
    return {left_, top_ - (area_.y1 - area_.y0) / scale_, left_ + (area_.x1 - area_.x0) / scale_, top_};
}

// The hand-over at the end of a long drive: the delivery reach and the officer's walk, too small to
// read on the whole scene. Empty (span below zero) when it reads well there or nobody was driven.
static Rect handOverOf(const MapRecorder& rec, const View& whole) {
    Rect b;
    for (const MapCircle& c : rec.circles()) {
        if (c.ring == Ring::Delivery && static_cast<double>(kDeliveryRadius) * whole.scale() < kMinDeliveryPx)
            b.add(c.centre, kDeliveryRadius);
    }
    if (b.span() < 0) return b;
    for (const Piece& piece : rec.pieces(Role::Officer)) {
        for (const Sample& s : piece.samples)
            b.add(s.pos);
    }
    return b;
}

// The places whose labels do not fit the whole scene gather in clusters; each gets a closer look, one
// under the other below the whole scene, and a place is named by the first closer look that shows it.
// A hand-over too small to read on the whole scene gets one of its own.
std::vector<Panel> layOut(const MapRecorder& rec, const Width& width) {
    const View whole(boundsOf(rec), {kPad, kPad, kPad + kMapMaxW, kPad + kMapMaxH}, false, kMinSpan);
    const auto everywhere = [](const sim::Vec3&) { return true; };
    std::vector<Panel> panels = {{whole, "", placed(rec, whole, everywhere, width, kLabelGap)}};
    std::vector<Rect> crowded;
    for (const Label& l : panels[0].labels) {
        if (l.clear) continue;
        auto joined = std::find_if(crowded.begin(), crowded.end(), [&](Rect& b) {
            Rect wider = b;
            wider.add(l.at);
            if (wider.span() > kClusterSpan) return false;
            return b = wider, true;
        });
        if (joined == crowded.end()) crowded.emplace_back().add(l.at);
    }
    Rect handOver = handOverOf(rec, whole);
    if (handOver.span() >= 0) {  // crowded places there join it
        const auto joins = [&](const Rect& b) {
            Rect wider = handOver;
            wider.add({static_cast<float>(b.x0), static_cast<float>(b.y0), 0});
            wider.add({static_cast<float>(b.x1), static_cast<float>(b.y1), 0});
            if (wider.span() > kClusterSpan) return false;
            return handOver = wider, true;
        };
        crowded.erase(std::remove_if(crowded.begin(), crowded.end(), joins), crowded.end());
        crowded.insert(crowded.begin() + static_cast<std::ptrdiff_t>(std::min(crowded.size(), kMaxCloser - 1)),
                       handOver);
    }
    for (size_t k = 0; k < std::min(crowded.size(), kMaxCloser); ++k) {
        const double y =
            whole.area().y1 + static_cast<double>(panels.size()) * (kPad + kPanelTitle + kCloserH) - kCloserH;
        const View look(crowded[k], {whole.area().x0, y, whole.area().x1, y + kCloserH}, true, kMinCloserSpan);
        const char letter[] = {static_cast<char>('A' + k), 0};
        if (look.scale() >= kCloser * whole.scale()) panels.push_back({look, letter, {}});
    }
    for (size_t k = 0; k < panels.size() && panels.size() > 1; ++k) {
        const auto namedHere = [&panels, k](const sim::Vec3& p) {
            for (size_t c = 1; c < panels.size(); ++c) {
                if (panels[c].view.world().contains(p)) return c == k;
            }
            return k == 0;
        };
        panels[k].labels = placed(rec, panels[k].view, namedHere, width, k == 0 ? kLabelGap : kLabelReach);
    }
    return panels;
}

}  // namespace demo
