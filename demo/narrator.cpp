// Brindlecot demo — the narrator.
//
//   [SECTION] Text helpers
//   [SECTION] Facts
//   [SECTION] Frames and lines
//   [SECTION] Calls
//   [SECTION] Seats

#include "demo/narrator.h"

#include <cstdlib>

namespace demo {

//-----------------------------------------------------------------------------
// [SECTION] Text helpers
//-----------------------------------------------------------------------------

std::string formatTime(uint64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%02llu:%02llu.%03llu", static_cast<unsigned long long>(ms / 60000),
                  static_cast<unsigned long long>(ms / 1000 % 60), static_cast<unsigned long long>(ms % 1000));
    return text;
}

std::string renderStatus(const std::string& text, bool colour) {
    static const struct {
        const char* token;
        const char* ansi;
    } kTokens[] = {{"~r~", "\033[31m"}, {"~b~", "\033[34m"}, {"~w~", "\033[0m"}};
    std::string out;
    bool coloured = false;
    for (size_t n = 0; n < text.size();) {
        bool matched = false;
        for (const auto& t : kTokens) {
            if (text.compare(n, 3, t.token) != 0) continue;
            if (colour) out += t.ansi;
            coloured = coloured || colour;
            n += 3;
            matched = true;
            break;
        }
        if (!matched) out += text[n++];
    }
    if (coloured) out += "\033[0m";  // never leave the terminal coloured
    return out;
}

std::string callName(const std::string& call) { return call.substr(0, call.find('(')); }

std::vector<std::string> callArgs(const std::string& call) {
    std::vector<std::string> args;
    const size_t open = call.find('(');
    if (open == std::string::npos) return args;
    std::string current;
    bool quoted = false;
    int depth = 0;
    for (size_t n = open + 1; n < call.size(); ++n) {
        const char c = call[n];
        if (c == '"') quoted = !quoted;
        if (!quoted && c == '(') ++depth;
        if (!quoted && c == ')' && depth-- == 0) break;
        if (!quoted && depth == 0 && c == ',') {
            args.push_back(current);
            current.clear();
            if (n + 1 < call.size() && call[n + 1] == ' ') ++n;
            continue;
        }
        current += c;
    }
    if (!current.empty() || !args.empty()) args.push_back(current);
    return args;
}

// An integer argument; a handle passed by address ("&3") reads as the handle.
static int32_t intArg(const std::vector<std::string>& args, size_t n) {
    if (n >= args.size()) return 0;
    const std::string& a = args[n];
    return static_cast<int32_t>(std::strtol(a.c_str() + (!a.empty() && a[0] == '&' ? 1 : 0), nullptr, 10));
}

static std::string point(const std::vector<std::string>& args, size_t first, size_t count) {
    std::string out = "(";
    for (size_t n = first; n < first + count && n < args.size(); ++n)
        out += (n == first ? "" : ", ") + args[n];
    return out + ")";
}

static const char* seatName(int32_t seat) {
    switch (seat) {
        case -1:
            return "driver";
        case 0:
            return "front passenger";
        case 1:
            return "rear left";
        case 2:
            return "rear right";
    }
    return "other";
}

static const char* doorName(int32_t door) {
    static const char* const kDoors[] = {"front left", "front right", "rear left", "rear right"};
    return door >= 0 && door < 4 ? kDoors[door] : "other";
}

const char* stageName(Stage stage) {
    switch (stage) {
        case Stage::Street:
            return "street";
        case Stage::Busted:
            return "busted";
        case Stage::Escort:
            return "escort";
        case Stage::Transport:
            return "transport";
        case Stage::HandOver:
            return "hand-over";
        case Stage::Released:
            return "released";
    }
    return "?";
}

//-----------------------------------------------------------------------------
// [SECTION] Facts
//-----------------------------------------------------------------------------

int Facts::count(const std::string& name) const {
    auto it = calls.find(name);
    return it == calls.end() ? 0 : it->second;
}

//-----------------------------------------------------------------------------
// [SECTION] Frames and lines
//-----------------------------------------------------------------------------

Narrator::Narrator(sim::Host& host, const NarratorOptions& options)
    : host_(host), options_(options), startTick_(static_cast<uint32_t>(host.tick() - host.elapsedMs())) {
    for (const auto& [handle, e] : host_.world.entities) {
        if (e.kind == sim::Kind::Ped) seats_[handle] = e.vehicle;
    }
}

uint64_t Narrator::now() const { return host_.elapsedMs(); }

void Narrator::step() {
    const uint64_t frameStart = now();
    host_.step();
    observeStatus(frameStart);
    for (const sim::TraceEntry& entry : host_.trace.entries)
        observeCall(entry);
    host_.trace.clear();
    observeMarker(frameStart);
    observeSeats();
    if (options_.afterStep) options_.afterStep(*this);
}

void Narrator::say(const std::string& what) { line(now(), what); }

void Narrator::line(uint64_t ms, const std::string& what) {
    std::fprintf(options_.out, "%s  %-9s  %s\n", formatTime(ms).c_str(), stageName(stage_), what.c_str());
}

std::string Narrator::who(int32_t handle) const {
    if (handle == host_.world.playerPed) return "the player";
    if (handle != 0 && handle == facts_.suspect) return "suspect #" + std::to_string(handle);
    if (handle != 0 && handle == facts_.officer) return "officer #" + std::to_string(handle);
    const sim::Entity* e = host_.world.find(handle);
    return (e && e->kind == sim::Kind::Vehicle ? "car #" : "ped #") + std::to_string(handle);
}

bool Narrator::firstInArrest(const std::string& name) {
    bool& said = saidThisArrest_[name];
    const bool first = !said;
    said = true;
    return first;
}

// The line drawn at the start of the frame; steps that end inside a stage's wait draw none and
// leave the last text standing in the story.
void Narrator::observeStatus(uint64_t frameStartMs) {
    if (host_.world.lastFrame.lines.empty()) return;
    const std::string text = host_.statusLine();
    if (text == shownStatus_) return;
    shownStatus_ = text;
    facts_.statusLines.push_back(text);
    line(frameStartMs, "screen: " + (text.empty() ? std::string("(blank)") : renderStatus(text, options_.colour)));
    if (!text.empty() && !outlineTold_) {
        outlineTold_ = true;
        line(frameStartMs, host_.statusOutlined() ? "the status line has its dark outline"
                                                  : "the status line is drawn without an outline");
    }
}

// The precinct marker the frame showed, told once an arrest: the game hides one drawn below the ground.
void Narrator::observeMarker(uint64_t frameStartMs) {
    if (host_.world.lastFrame.markers.empty()) return;
    const sim::Marker& m = host_.world.lastFrame.markers.front();
    facts_.markerVisible = facts_.markerVisible || !m.hidden;
    if (!firstInArrest("marker")) return;
    char text[160];
    std::snprintf(text, sizeof text, "the precinct marker shows at (%.1f, %.1f, %.1f), %s",
                  static_cast<double>(m.pos.x), static_cast<double>(m.pos.y), static_cast<double>(m.pos.z),
                  m.hidden ? "below the ground: the player cannot see it" : "above the ground: the player sees it");
    line(frameStartMs, text);
}

// What the host did with a ped it took back: the next hand-back recorded among his orders.
std::string Narrator::handBack(int32_t handle) {
    const sim::Entity* e = host_.world.find(handle);
    if (handle == 0)
        return firstInArrest("hand back 0") ? "handle 0 is handed back: it names nobody, nothing happens" : "";
    if (!e) return who(handle) + " is handed back to the game";
    size_t& told = handBacksTold_[handle];
    size_t seen = 0;
    for (const std::string& order : e->orders) {
        if (order.rfind("handed back", 0) != 0 || seen++ < told) continue;
        ++told;
        if (order == "handed back, tasks cleared") {
            return who(handle) + " is handed back to the game, which clears his orders: he stands still";
        }
        static const std::map<std::string, std::string> kGoesOn = {
            {"handed back, keeps flee", "keeps fleeing"},
            {"handed back, keeps go_to", "keeps walking"},
            {"handed back, keeps leave_vehicle", "keeps getting out"}};
        auto it = kGoesOn.find(order);
        return who(handle) + " is handed back to the game and " + (it != kGoesOn.end() ? it->second : "keeps his task");
    }
    return who(handle) + " is handed back to the game";
}

// The ped's next animation order the story has not read: the game records one for every
// TASK_PLAY_ANIM, "play_anim" or, when the dictionary is not loaded yet, "anim_not_loaded".
std::string Narrator::nextAnimOrder(int32_t handle) {
    const sim::Entity* e = host_.world.find(handle);
    if (!e) return "";
    size_t& told = animsTold_[handle];
    size_t seen = 0;
    for (const std::string& order : e->orders) {
        if (order.rfind("play_anim ", 0) != 0 && order.rfind("anim_not_loaded ", 0) != 0) continue;
        if (seen++ < told) continue;
        ++told;
        return order;
    }
    return "";
}

//-----------------------------------------------------------------------------
// [SECTION] Calls
//-----------------------------------------------------------------------------

void Narrator::observeCall(const sim::TraceEntry& entry) {
    if (options_.trace) {
        std::fprintf(options_.out, "    | %6llu %10u  %s\n", static_cast<unsigned long long>(entry.frame), entry.tick,
                     entry.text().c_str());
    }
    const uint64_t at = static_cast<uint32_t>(entry.tick - startTick_);
    const std::string name = callName(entry.call);
    const std::vector<std::string> args = callArgs(entry.call);
    if (entry.kind == sim::CallKind::Wait) {
        const int32_t ms = intArg(args, 0);
        if (ms >= 500) {
            line(at, "the script waits " + std::to_string(ms) +
                         " ms: the game goes on, but no status line or marker is drawn meanwhile");
        }
        return;
    }
    if (entry.kind != sim::CallKind::Native) return;
    ++facts_.calls[name];
    const int32_t first = intArg(args, 0);
    const int32_t result = static_cast<int32_t>(std::strtol(entry.result.c_str(), nullptr, 10));

    if (name == "SET_ENTITY_AS_MISSION_ENTITY") {
        line(at, who(first) + (intArg(args, 2) != 0 ? " is taken over by the script, so that it may delete him"
                                                    : " is claimed for the script, unless a mission holds him"));
    } else if (name == "TASK_LEAVE_ANY_VEHICLE") {
        line(at, who(first) + " is ordered out of his car");
    } else if (name == "CLONE_PED") {
        facts_.suspect = result;
        stage_ = Stage::Busted;
        saidThisArrest_.clear();
        const sim::Entity* clone = host_.world.find(result);
        char where[64] = "";
        if (clone) {
            std::snprintf(where, sizeof where, " at (%.1f, %.1f, %.1f)", static_cast<double>(clone->pos.x),
                          static_cast<double>(clone->pos.y), static_cast<double>(clone->pos.z));
        }
        line(at, who(first) + " is replaced by a clone the script owns: " + who(result) + where);
    } else if (name == "DELETE_PED") {
        line(at, who(first) + (host_.world.exists(first) ? " is not deleted: the game keeps him in the world"
                                                         : " is deleted: only his clone is left"));
    } else if (name == "SET_PED_AS_NO_LONGER_NEEDED") {
        if (const std::string told = handBack(first); !told.empty()) line(at, told);
    } else if (name == "REQUEST_ANIM_DICT") {
        dictAsked_[args.empty() ? "" : args[0]] = at;
    } else if (name == "TASK_PLAY_ANIM") {
        const std::string dictionary = args.size() > 1 ? args[1] : "";
        const std::string order = nextAnimOrder(first);
        const bool played = order.rfind("play_anim", 0) == 0;
        auto asked = dictAsked_.find(dictionary);
        if (!order.empty() && !played) {
            ++facts_.animsNotLoaded;
            line(at, who(first) + " does not move: the game has not loaded " + dictionary + " yet");
        } else if (played && dictionary == "\"random@arrests@busted\"") {
            ++facts_.bustedPoses;
            if (firstInArrest(name + dictionary)) {
                const std::string loaded = asked == dictAsked_.end()
                                               ? std::string()
                                               : ", its dictionary loaded " + std::to_string(at - asked->second) +
                                                     " ms after the script asked for it";
                line(at, who(first) + " kneels with his hands up (busted pose)" + loaded);
            }
        } else if (played && dictionary == "\"combat@drag_ped@entry\"") {
            line(at, who(first) + " takes the suspect by the arm");
        }
        if (played && asked != dictAsked_.end()) dictAsked_.erase(asked);
    } else if (name == "SET_ENABLE_HANDCUFFS" && intArg(args, 1) != 0) {
        stage_ = Stage::Escort;
        line(at, "handcuffs on " + who(first));
    } else if (name == "TASK_FOLLOW_TO_OFFSET_OF_ENTITY" && firstInArrest(name)) {
        line(at, who(first) + " follows " + who(intArg(args, 1)));
    } else if (name == "SET_VEHICLE_DOOR_OPEN") {
        line(at, std::string("the ") + doorName(intArg(args, 1)) + " door of " + who(first) + " opens");
    } else if (name == "TASK_ENTER_VEHICLE") {
        const int32_t seat = intArg(args, 3);
        stage_ = Stage::Transport;
        line(at, who(first) + " is ordered into " + who(intArg(args, 1)) + ", seat " + std::to_string(seat) + " (" +
                     seatName(seat) + ")");
    } else if (name == "SET_NEW_WAYPOINT") {
        line(at, "map waypoint set at " + point(args, 0, 2));
    } else if (name == "REQUEST_MODEL") {
        modelAsked_ = at;
        line(at, firstInArrest(name)
                     ? "the script asks the game to load the officer's model, for the hand-over"
                     : "the officer's model has not loaded yet: the script asks again and waits for it, "
                       "a frame at a time");
    } else if (name == "CREATE_PED") {
        facts_.officer = result;
        facts_.officerWaitMs = facts_.count("REQUEST_MODEL") > 0 ? static_cast<int64_t>(at - modelAsked_) : -1;
        stage_ = Stage::HandOver;
        const std::string asked = "his model, last asked for " + std::to_string(facts_.officerWaitMs) + " ms before, ";
        line(at, result != 0 ? who(result) + " appears at " + point(args, 2, 3) + ": " + asked + "has loaded"
                             : "no officer appears: " + asked + "has not loaded; the hand-over goes on without him");
    } else if (name == "TASK_GO_STRAIGHT_TO_COORD") {
        line(at, first != 0 ? who(first) + " walks to " + point(args, 1, 3)
                            : "the order to walk to " + point(args, 1, 3) + " goes to handle 0: nobody moves");
    } else if (name == "TASK_LEAVE_VEHICLE") {
        line(at, who(first) + " is ordered out of " + who(intArg(args, 1)));
    } else if (name == "TASK_SMART_FLEE_PED") {
        const sim::Entity* runner = host_.world.find(first);
        const sim::Entity* from = host_.world.find(intArg(args, 1));
        char distance[48] = "";
        if (runner && from) {
            facts_.releaseDistance = sim::distance(runner->pos, from->pos);
            std::snprintf(distance, sizeof distance, " (%.1f m apart)", static_cast<double>(facts_.releaseDistance));
        }
        const bool delivered = stage_ == Stage::HandOver;
        if (stage_ != Stage::Street) stage_ = Stage::Released;
        if (first != 0) {
            line(at, who(first) + " is let go and told to flee from " + who(intArg(args, 1)) + distance);
        } else if (firstInArrest("flee 0")) {
            line(at, std::string("the order to flee goes to handle 0") +
                         (delivered ? ", emptied by the hand-back" : "") + ": nobody runs");
        }
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Seats
//-----------------------------------------------------------------------------

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
