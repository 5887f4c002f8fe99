// Brindlecot scenes — the plugin's places in the simulated world's words, and as the trace prints them.

#pragma once

#include <string>

#include "host/natives.h"
#include "sim/natives.h"
#include "sim/world.h"

namespace scenes {

inline sim::Vec3 vecOf(const NativeVec3& p) { return {p.x, p.y, p.z}; }

inline sim::Vec3 offset(const sim::Vec3& p, float dx, float dy, float dz = 0) { return {p.x + dx, p.y + dy, p.z + dz}; }

// "477.0, -1023.0, 28.0"
inline std::string textOf(const sim::Vec3& p) {
    return sim::formatFloat(p.x) + ", " + sim::formatFloat(p.y) + ", " + sim::formatFloat(p.z);
}
inline std::string textOf(const NativeVec3& p) { return textOf(vecOf(p)); }

}  // namespace scenes
