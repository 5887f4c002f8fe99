// Brindlecot demo — how the map looks: colours, lines, text.

#pragma once

#include "demo/map.h"

namespace demo {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kInk = {0.15, 0.15, 0.15}, kGround = {0.96, 0.95, 0.92}, kAimInk = {0.75, 0.10, 0.10};
constexpr Rgb kMarkerInk = {0.80, 0.80, 0.0};  // the plugin's marker colour, 204, 204, 0

// A path's colour tells the stage, in the order of scenes::Stage; told apart by colour-blind eyes too.
constexpr Rgb kStageInk[] = {{0.55, 0.55, 0.55}, {0.90, 0.62, 0.0}, {0.0, 0.45, 0.70}, {0.0, 0.62, 0.45}, {0.8, 0, 0}};
inline const Rgb& stageInk(scenes::Stage stage) { return kStageInk[static_cast<int>(stage)]; }

// A path's line tells whose it is, in the order of Role.
struct LineStyle {
    double width, alpha;
    double dash[2];  // on, off; 0 for a solid line
};
constexpr LineStyle kRoleLine[] = {{2.5, 1.0, {0, 0}}, {3.0, 1.0, {7, 4}}, {9.0, 0.35, {0, 0}}, {2.5, 1.0, {1, 4}}};
inline const LineStyle& roleLine(Role role) { return kRoleLine[static_cast<int>(role)]; }

// Each circle, in the order of Ring: colour, dashed or not, legend (a format taking the radius).
struct RingStyle {
    Rgb ink;
    bool dashed;
    const char* legend;
};
constexpr RingStyle kRingStyle[] = {
    {{0.75, 0.10, 0.10}, false, "cuff reach %g m, around the player at a press in the busted pose"},
    {{0.35, 0.45, 0.65}, true, "leash %g m, around the suspect where he was taken"},
    {{0.0, 0.55, 0.40}, false, "boarding %g m, around the car as the escort began"},
    {{0.55, 0.25, 0.55}, false, "delivery %g m, around the precinct point (cross)"},
};
inline const RingStyle& ringStyle(Ring ring) { return kRingStyle[static_cast<int>(ring)]; }

constexpr char kFontFace[] = "DejaVu Sans";
constexpr double kFont = 11, kLineH = kFont + 3;  // label text and its lines, pixels

}  // namespace demo
