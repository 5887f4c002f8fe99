// Brindlecot scenes — the steps the scripted runs are made of: the start ticks, the keys, loading
// the module, pressing the key with and without a target, and the outcomes they check.

#pragma once

#include <cstdint>
#include <string>

#include "hud/status.h"
#include "scenes/press.h"
#include "sim/host.h"

namespace scenes {

// The first rand() % 100 after srand(start tick) is the cuff draw; below 15 the suspect resists.
// Traces can only match across platforms when glibc's rand and msvcrt's LCG
// (state = state * 214013 + 2531011; (state >> 16) & 0x7fff) agree on the outcome:
//   100000: glibc 68, msvcrt 84 -> cuffed on both
//   100038: glibc 3,  msvcrt 8  -> resists on both
constexpr uint32_t kCuffingTick = 100000;
constexpr uint32_t kResistingTick = 100038;

constexpr int kF2 = 0x71;
constexpr int kF4 = 0x73;

// Loads the module and lets it run its first frames.
inline void start(sim::Host& host) {
    host.load();
    host.runFrames(20);
}

// Presses the key aiming at nobody.
inline void tap(sim::Host& host, int key = kArrestKey) { press(host, {0, 2, key}); }

// Aims at the ped and presses the key: the take-over finishes within the press's pass. Answers the
// clone the host made for it, 0 when none.
inline int32_t arrest(sim::Host& host, int32_t ped, int key = kArrestKey) {
    const size_t from = press(host, {ped, 22, key}).from;
    const size_t clone = host.trace.find("CLONE_PED(", from);
    return clone < host.trace.size() ? host.trace.entries[clone].intResult() : 0;
}

inline std::string expectStatus(const sim::Host& host, const std::string& wanted) {
    if (host.statusLine() == wanted) return "";
    return "status line is \"" + host.statusLine() + "\", expected \"" + wanted + "\"";
}

// The drive text as the plugin puts it together in `language`, naming `binding`.
inline std::string driveTextOf(const std::string& binding, int language = kEnglish) {
    return std::string(catalogueText(TextId::Drive, language)) + catalogueText(TextId::DriveKeyBefore, language) +
           binding + catalogueText(TextId::DriveKeyAfter, language);
}

// The drive text, whatever key it names.
inline std::string expectDriveText(const sim::Host& host) {
    if (host.statusLine().rfind(kStatusDriveHead, 0) == 0) return "";
    return "status line is \"" + host.statusLine() + "\", expected the drive text";
}

}  // namespace scenes
