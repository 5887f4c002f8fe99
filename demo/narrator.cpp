// Brindlecot demo — the narrator.

#include "demo/narrator.h"

#include <algorithm>
#include <utility>

#include "arrest/arrest.h"
#include "arrest/tuning.h"

namespace demo {

std::string formatTime(uint64_t ms) {
    const auto part = [](uint64_t n) { return static_cast<unsigned long long>(n); };
    return fmt("%02llu:%02llu.%03llu", part(ms / 60000), part(ms / 1000 % 60), part(ms % 1000));
}

std::string metres(double d) { return fmt("%.1f m", d); }

std::string renderStatus(const std::string& text, bool colour) {
    static const std::pair<const char*, const char*> kTokens[] = {
        {"~r~", "\033[31m"}, {"~b~", "\033[34m"}, {"~w~", "\033[0m"}};
    std::string out;
    bool coloured = false;
    for (size_t n = 0; n < text.size();) {
        auto token = std::find_if(std::begin(kTokens), std::end(kTokens),
                                  [&](const auto& t) { return text.compare(n, 3, t.first) == 0; });
        if (token == std::end(kTokens)) {
            out += text[n++];
            continue;
        }
        if (colour) out += token->second, coloured = true;
        n += 3;
    }
    return coloured ? out + "\033[0m" : out;  // never leave the terminal coloured
}

// A point as the story prints it.
static std::string where(const sim::Vec3& p) {
    return fmt("(%.1f, %.1f, %.1f)", static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z));
}

// ", the <name> station" when (x, y) is a station's hand-over point, else nothing.
static std::string stationAt(float x, float y) {
    for (const Station& station : kStations) {
        if (station.handOver.x == x && station.handOver.y == y)
            return std::string(", the ") + station.name + " station";
    }
    return "";
}

static const char* seatName(int32_t seat) {
    static const char* const kSeats[] = {"driver", "front passenger", "rear left", "rear right"};
    return seat >= -1 && seat < 3 ? kSeats[seat + 1] : "other";
}

static const char* doorName(int32_t door) {
    static const char* const kDoors[] = {"front left", "front right", "rear left", "rear right"};
    return door >= 0 && door < 4 ? kDoors[door] : "other";
}

Narrator::Narrator(sim::Host& host, const NarratorOptions& options)
    : host_(host), options_(options), startTick_(static_cast<uint32_t>(host.tick() - host.elapsedMs())) {
    for (const auto& [handle, e] : host_.world.entities) {
        if (e.kind == sim::Kind::Ped) seats_[handle] = e.vehicle;
    }
    if (options_.trace) std::fprintf(options_.out, "    | %6s %10s  %s\n", "frame", "tick", "call -> result");
    if (options_.watcher) options_.watcher(host_, *this);
}

// The calls of the last step stay in the trace until the next one, for whoever runs the script
// through the narrator: scenes::press reads them to find where a pass of the main loop ended.
void Narrator::step() {
    std::vector<sim::TraceEntry>& entries = host_.trace.entries;
    entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(told_));
    const uint64_t frameStart = now();
    host_.step();
    observeStatus(frameStart);
    for (told_ = 0; told_ < entries.size(); ++told_)
        observeCall(entries[told_]);
    observeMarker(frameStart);
    observeSeats();
    if (options_.watcher) options_.watcher(host_, *this);
}

void Narrator::say(const std::string& what) { line(now(), what); }

void Narrator::line(uint64_t ms, const std::string& what) {
    std::fprintf(options_.out, "%s  %-9s  %s\n", formatTime(ms).c_str(), scenes::stageName(stage()), what.c_str());
}

std::string Narrator::who(int32_t handle) const {
    if (handle == host_.world.playerPed) return "the player";
    if (handle != 0 && handle == facts_.suspect) return "suspect #" + std::to_string(handle);
    if (handle != 0 && handle == facts_.officer) return "officer #" + std::to_string(handle);
    const sim::Entity* e = host_.world.find(handle);
    return (e && e->kind == sim::Kind::Vehicle ? "car #" : "ped #") + std::to_string(handle);
}

bool Narrator::firstInArrest(const std::string& name) { return !std::exchange(saidThisArrest_[name], true); }

// The line drawn at the start of the frame; steps that end inside a stage's wait draw none and
// leave the last text standing in the story.
void Narrator::observeStatus(uint64_t frameStartMs) {
    if (host_.world.lastFrame.lines.empty()) return;
    const std::string text = host_.statusLine();
    if (text == facts_.lastStatus()) return;
    facts_.statusLines.push_back(text);
    line(frameStartMs, "screen: " + (text.empty() ? std::string("(blank)") : renderStatus(text, options_.colour)));
    if (!text.empty() && !std::exchange(outlineTold_, true))
        line(frameStartMs, host_.statusOutlined() ? "the status line has its dark outline"
                                                  : "the status line is drawn without an outline");
}

// The precinct marker the frame showed, told once an arrest: the game hides one drawn below the ground.
void Narrator::observeMarker(uint64_t frameStartMs) {
    if (host_.world.lastFrame.markers.empty()) return;
    const sim::Marker& m = host_.world.lastFrame.markers.front();
    facts_.markerVisible = facts_.markerVisible || !m.hidden;
    facts_.handOver = m.pos;
    if (!firstInArrest("marker")) return;
    line(frameStartMs,
         "the precinct marker shows at " + where(m.pos) + stationAt(m.pos.x, m.pos.y) +
             (m.hidden ? ", below the ground: the player cannot see it" : ", above the ground: the player sees it"));
}

// The ped's next order of one kind that the story has not read: the game records every order and
// animation a ped receives.
std::string Narrator::nextOrder(int32_t handle, std::initializer_list<const char*> kinds) {
    const sim::Entity* e = host_.world.find(handle);
    if (!e) return "";
    size_t& told = ordersTold_[{handle, *kinds.begin()}];
    size_t seen = 0;
    for (const std::string& order : e->orders) {
        const bool kind =
            std::any_of(kinds.begin(), kinds.end(), [&](const char* k) { return order.rfind(k, 0) == 0; });
        if (kind && seen++ == told) return ++told, order;
    }
    return "";
}

// What the host did with a ped it took back: his next hand-back.
std::string Narrator::handBack(int32_t handle) {
    if (handle == 0)
        return firstInArrest("hand back 0") ? "handle 0 is handed back: it names nobody, nothing happens" : "";
    static const std::map<std::string, std::string> kThen = {
        {"handed back, tasks cleared", ", which clears his orders: he stands still"},
        {"handed back, keeps flee", " and keeps fleeing"},
        {"handed back, keeps go_to", " and keeps walking"},
        {"handed back, keeps leave_vehicle", " and keeps getting out"}};
    const std::string order = nextOrder(handle, {"handed back"});
    const auto then = kThen.find(order);
    const std::string rest = then != kThen.end() ? then->second : order.empty() ? "" : " and keeps his task";
    return who(handle) + " is handed back to the game" + rest;
}

void Narrator::observeCall(const sim::TraceEntry& entry) {
    if (options_.trace) {
        std::fprintf(options_.out, "    | %6llu %10u  %s\n", static_cast<unsigned long long>(entry.frame), entry.tick,
                     entry.text().c_str());
    }
    const uint64_t at = static_cast<uint32_t>(entry.tick - startTick_);
    if (entry.kind == sim::CallKind::Wait && host_.lastWaitMs() >= 500) {  // a step ends in the one wait it let pass
        line(at, "the script waits " + std::to_string(host_.lastWaitMs()) +
                     " ms: the game goes on, but no status line or marker is drawn meanwhile");
    }
    if (entry.kind != sim::CallKind::Native) return;
    const std::string name = entry.call.substr(0, entry.call.find('('));
    ++facts_.calls[name];

    // What the story tells of each native it follows: the call's slots, its answer and its time.
    struct Call {
        const std::string& name;
        const sim::TraceEntry& entry;
        uint64_t at;
        int32_t first, second, result;
    };
    using Tell = void (*)(Narrator & n, const Call& c);
    static const std::map<std::string, Tell> kTell = {
        {"SET_ENTITY_AS_MISSION_ENTITY",
         [](Narrator& n, const Call& c) {
             n.line(c.at, n.who(c.first) + (c.entry.intArg(2) != 0
                                                ? " is taken over by the script, so that it may delete him"
                                                : " is claimed for the script, unless a mission holds him"));
         }},
        {"TASK_LEAVE_ANY_VEHICLE",
         [](Narrator& n, const Call& c) { n.line(c.at, n.who(c.first) + " is ordered out of his car"); }},
        {"CLONE_PED",
         [](Narrator& n, const Call& c) {
             n.facts_.suspect = c.result;
             n.stage_ = scenes::Stage::Busted;
             n.handingOver_ = false;
             n.saidThisArrest_.clear();
             const sim::Entity* clone = n.host_.world.find(c.result);
             n.line(c.at, n.who(c.first) + " is replaced by a clone the script owns: " + n.who(c.result) +
                              (clone ? " at " + where(clone->pos) : std::string()));
         }},
        {"DELETE_PED",
         [](Narrator& n, const Call& c) {
             n.line(c.at,
                    n.who(c.first) + (n.host_.world.exists(c.first) ? " is not deleted: the game keeps him in the world"
                                                                    : " is deleted: only his clone is left"));
         }},
        {"SET_PED_AS_NO_LONGER_NEEDED",
         [](Narrator& n, const Call& c) {
             if (const std::string told = n.handBack(c.first); !told.empty()) n.line(c.at, told);
         }},
        {"TASK_PLAY_ANIM", [](Narrator& n, const Call& c) { n.observeAnim(c.at, c.first); }},
        {"SET_ENABLE_HANDCUFFS",
         [](Narrator& n, const Call& c) {
             if (c.second == 0) return;
             n.stage_ = scenes::Stage::Escort;
             n.line(c.at, "handcuffs on " + n.who(c.first));
         }},
        {"TASK_FOLLOW_TO_OFFSET_OF_ENTITY",
         [](Narrator& n, const Call& c) {
             if (n.firstInArrest(c.name)) n.line(c.at, n.who(c.first) + " follows " + n.who(c.second));
         }},
        {"SET_VEHICLE_DOOR_OPEN",
         [](Narrator& n, const Call& c) {
             n.line(c.at, std::string("the ") + doorName(c.second) + " door of " + n.who(c.first) + " opens");
         }},
        {"TASK_ENTER_VEHICLE",
         [](Narrator& n, const Call& c) {
             const int32_t seat = c.entry.intArg(3);
             n.stage_ = scenes::Stage::Transport;
             n.line(c.at, n.who(c.first) + " is ordered into " + n.who(c.second) + ", seat " + std::to_string(seat) +
                              " (" + seatName(seat) + ")");
         }},
        {"SET_PED_INTO_VEHICLE",
         [](Narrator& n, const Call& c) {
             const int32_t seat = c.entry.intArg(2);
             n.line(c.at, n.who(c.first) + " has not got in: he is put into " + n.who(c.second) + ", seat " +
                              std::to_string(seat) + " (" + seatName(seat) + ")");
         }},
        {"SET_NEW_WAYPOINT",
         [](Narrator& n, const Call& c) {
             const float x = c.entry.floatArg(0), y = c.entry.floatArg(1);
             n.line(c.at, fmt("map waypoint set at (%.1f, %.1f)", static_cast<double>(x), static_cast<double>(y)) +
                              stationAt(x, y));
         }},
        {"REQUEST_MODEL",
         [](Narrator& n, const Call& c) {
             n.modelAsked_ = c.at;
             n.line(c.at, n.firstInArrest(c.name)
                              ? "the script asks the game to load the officer's model, for the hand-over"
                              : "the officer's model has not loaded yet: the script asks again and waits for it, "
                                "a frame at a time");
         }},
        {"CREATE_PED",
         [](Narrator& n, const Call& c) {
             Facts& f = n.facts_;
             f.officer = c.result;
             f.officerWaitMs = f.count("REQUEST_MODEL") > 0 ? static_cast<int64_t>(c.at - n.modelAsked_) : -1;
             n.handingOver_ = true;
             const std::string asked = "his model, last asked for " + std::to_string(f.officerWaitMs) + " ms before, ";
             n.line(c.at, c.result != 0 ? "hand-over: " + n.who(c.result) + " appears at " +
                                              where(c.entry.pointArg(2)) + ": " + asked + "has loaded"
                                        : "hand-over: no officer appears: " + asked +
                                              "has not loaded; the hand-over goes on without him");
         }},
        {"TASK_GO_STRAIGHT_TO_COORD",
         [](Narrator& n, const Call& c) {
             const std::string to = where(c.entry.pointArg(1));
             n.line(c.at, c.first != 0 ? n.who(c.first) + " walks to " + to
                                       : "the order to walk to " + to + " goes to handle 0: nobody moves");
         }},
        {"TASK_LEAVE_VEHICLE",
         [](Narrator& n, const Call& c) { n.line(c.at, n.who(c.first) + " is ordered out of " + n.who(c.second)); }},
        {"TASK_SMART_FLEE_PED",
         [](Narrator& n, const Call& c) {
             const sim::Entity *runner = n.host_.world.find(c.first), *from = n.host_.world.find(c.second);
             if (runner && from) n.facts_.releaseDistance = sim::distance(runner->pos, from->pos);
             const std::string apart = runner && from ? " (" + metres(n.facts_.releaseDistance) + " apart)" : "";
             n.stage_ = scenes::Stage::None;
             if (c.first != 0) {
                 n.line(c.at, n.who(c.first) + " is let go and told to flee from " + n.who(c.second) + apart);
             } else if (n.firstInArrest("flee 0")) {
                 n.line(c.at, std::string("the order to flee goes to handle 0") +
                                  (n.handingOver_ ? ", emptied by the hand-back" : "") + ": nobody runs");
             }
         }},
    };
    const auto tell = kTell.find(name);
    if (tell != kTell.end())
        tell->second(*this, {name, entry, at, entry.intArg(0), entry.intArg(1), entry.intResult()});
}

// What the game did with an order to play an animation: the ped's next animation order tells the
// dictionary, and whether the game had it loaded.
void Narrator::observeAnim(uint64_t at, int32_t ped) {
    const std::string order = nextOrder(ped, {"play_anim ", "anim_not_loaded "});
    if (order.empty()) return;
    const size_t space = order.find(' ');
    const std::string dictionary = order.substr(space + 1, order.find('/') - space - 1);
    if (order.rfind("play_anim ", 0) != 0) {
        ++facts_.animsNotLoaded;
        line(at, who(ped) + " does not move: the game has not loaded \"" + dictionary + "\" yet");
    } else if (dictionary == kAnimBusted.dictionary) {
        ++facts_.bustedPoses;
        if (!firstInArrest("busted pose")) return;
        const uint64_t asked = host_.world.animDicts.at(dictionary).readyMs - host_.world.animDictLoadMs;
        line(at, who(ped) + " kneels with his hands up (busted pose), its dictionary loaded " +
                     std::to_string(at - asked) + " ms after the script asked for it");
    } else if (dictionary == kAnimDrag.dictionary) {
        line(at, who(ped) + " takes the suspect by the arm");
    }
}

void Narrator::observeSeats() {
    for (const auto& [handle, e] : host_.world.entities) {
        if (e.kind != sim::Kind::Ped) continue;
        int32_t& known = seats_[handle];
        if (known == e.vehicle) continue;
        if (e.vehicle != 0) {
            if (handle == facts_.suspect) facts_.boardedCar = e.vehicle;
            line(now(), who(handle) + " sits down in " + who(e.vehicle) + " (" + seatName(e.seat) + ")");
        } else {
            line(now(), who(handle) + " gets out of " + who(known));
        }
        known = e.vehicle;
    }
}

}  // namespace demo
