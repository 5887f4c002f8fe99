// Brindlecot scenes — pressing the arrest key, as the tests, the demo and the Windows runner do.

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "input/settings.h"
#include "sim/host.h"

namespace scenes {

constexpr int kF3 = 0x72;  // the F3 key
// The arrest key when the settings name none: the plugin's own default.
constexpr int kArrestKey = settingRow("key_arrest")->defaultValue;
constexpr uint16_t kPadA = 0x1000;  // the gamepad's A button in XInput's buttons word

// Whether trace entry `n` is the main loop's own wait, the end of one pass. The take-over and the
// delivery wait for a dictionary or a model with scriptWait(0) as well, each right after a load
// test that answered 0.
bool endsLoopPass(const sim::Trace& trace, size_t n);

// The main loop's first wait at or after `from`: the end of the pass it lies in; trace.size() if none.
size_t loopPassEnd(const sim::Trace& trace, size_t from);

struct Press {
    static constexpr uint64_t kFrameOnly = 0;  // stop where the press's pass ends

    int32_t aim = 0;      // aimed at while the key is down; 0: nothing
    uint64_t after = 14;  // frames run after the pass: 14 draw its text and let the debounce run out
    int key = kArrestKey;
    uint32_t heldMs = 0;  // how long the key stays down from the press's frame on; 0: that frame only
};

struct Pressed {
    size_t from = 0;     // where the press's calls begin in the trace
    bool ended = false;  // false: the pass never came back to the main loop's wait
};

// Holds the key aiming as asked, runs that pass of the main loop to its end (the waits inside it
// included), keeps the key down until `heldMs` have passed since the press's frame, lets it go and
// runs the frames after it. `step` runs one step of the
// script; a narrator passes its own to watch every one.
Pressed press(sim::Host& host, const Press& how = {}, const std::function<void()>& step = nullptr);

}  // namespace scenes
