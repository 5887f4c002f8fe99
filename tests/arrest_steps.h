// Brindlecot tests — texts, trace slices and presses shared by the arrest scenarios.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/scenario.h"

inline const std::string kMissionText = "Cannot arrest mission ped (change in config file)";
inline const std::string kLegText = "Ped is ~r~refusing arrest~w~, shoot him in the leg!";
inline const std::string kEngineText = "Ped is ~r~refusing~w~ arrest, damage the vehicle engine!";
inline const std::string kGetCloseText = "Get close to the suspect and press again to cuff him";
inline const std::string kResistText = "Suspect is ~r~resisting~w~ arrest!";
inline const std::string kEscortText = "Escort the suspect to the vehicle";

// The script's natives and waits from entry `from` on, the Win32 calls left out; at most `n`.
inline std::vector<std::string> scriptCalls(const sim::Trace& trace, size_t from, size_t n = SIZE_MAX) {
    std::vector<std::string> out;
    for (size_t k = from; k < trace.size() && out.size() < n; ++k) {
        if (trace.entries[k].kind != sim::CallKind::Win32) out.push_back(trace.entries[k].call);
    }
    return out;
}

// The six calls that let suspect `s` go, fleeing from the player (handle 1).
inline std::vector<std::string> releaseOf(int32_t s) {
    const std::string id = std::to_string(s);
    return {"STOP_ENTITY_ANIM(" + id + ", \"back_to_default\", \"get_up@cuffed\", 0.0)",
            "STOP_ENTITY_ANIM(" + id + ", \"idle_c\", \"random@arrests@busted\", 0.0)",
            "TASK_SET_BLOCKING_OF_NON_TEMPORARY_EVENTS(" + id + ", 0)",
            "TASK_SMART_FLEE_PED(" + id + ", 1, 200.0, -1, 1, 1)",
            "SET_PED_KEEP_TASK(" + id + ", 1)",
            "SET_PED_AS_NO_LONGER_NEEDED(&" + id + ")"};
}

// Presses F3 aiming at `target` (0: nobody), lets the press frame run through its waits, then runs
// 14 more frames: the new text is drawn and the debounce has run out. Returns where the press began.
inline size_t press(sim::Host& host, int32_t target = 0) {
    const size_t from = host.trace.size();
    host.world.aimTarget = target;
    host.press(0x72, true);
    host.step();
    host.press(0x72, false);
    host.world.aimTarget = 0;
    // A step ends at a wait; a press that never ends its frame fails the test instead of hanging it.
    for (int k = 0; k < 100000 && host.trace.entries.back().call != "scriptWait(0)"; ++k)
        host.step();
    host.runFrames(14);
    return from;
}

// The first scriptWait(0) at or after `from`: the end of the frame it lies in.
inline size_t frameEnd(const sim::Trace& trace, size_t from) { return trace.find("scriptWait(0)", from); }
