// Brindlecot scenes — pressing the arrest key.

#include "scenes/press.h"

namespace scenes {

bool endsLoopPass(const sim::Trace& trace, size_t n) {
    if (n >= trace.size() || trace.entries[n].call != "scriptWait(0)") return false;
    for (size_t k = n; k-- > 0;) {
        const sim::TraceEntry& e = trace.entries[k];
        if (e.kind != sim::CallKind::Native) continue;
        const bool loadTest = e.call.rfind("HAS_ANIM_DICT_LOADED", 0) == 0 || e.call.rfind("HAS_MODEL_LOADED", 0) == 0;
        return !(loadTest && e.result == "0");
    }
    return true;
}

size_t loopPassEnd(const sim::Trace& trace, size_t from) {
    size_t n = trace.find("scriptWait(0)", from);
    while (n < trace.size() && !endsLoopPass(trace, n))
        n = trace.find("scriptWait(0)", n + 1);
    return n;
}

Pressed press(sim::Host& host, const Press& how, const std::function<void()>& step) {
    const std::function<void()> next = step ? step : [&host] { host.step(); };
    Pressed pressed;
    pressed.from = host.trace.size();
    host.world.aimTarget = how.aim;
    host.holdKey(how.key, true);
    const uint64_t downAt = host.elapsedMs();
    next();
    if (how.heldMs == 0) host.holdKey(how.key, false);
    host.world.aimTarget = 0;
    for (int steps = 0; steps < 100000 && !endsLoopPass(host.trace, host.trace.size() - 1); ++steps)
        next();
    pressed.ended = endsLoopPass(host.trace, host.trace.size() - 1);
    while (pressed.ended && host.elapsedMs() < downAt + how.heldMs)
        next();
    host.holdKey(how.key, false);
    if (!pressed.ended) return pressed;
    for (uint64_t k = 0; k < how.after; ++k)
        next();
    return pressed;
}

}  // namespace scenes
