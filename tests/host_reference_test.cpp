// Brindlecot tests — the simulated host against the host's own reference of its natives.
//
//   [SECTION] Reading the reference
//   [SECTION] Signatures
//   [SECTION] Call protocol
//
// The reference (sim/host-natives.tsv) is the host's public list of every native the plugin calls:
// parameters in push order with their types. The simulated host must read every call the way the
// host does, so its table has to agree with the list slot for slot.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "sim/host.h"
#include "sim/natives.h"

namespace {

//-----------------------------------------------------------------------------
// [SECTION] Reading the reference
//-----------------------------------------------------------------------------

struct ReferenceNative {
    std::string name;
    std::string kinds;  // one letter per parameter: i integer or boolean, f float, s text, p address
    char result;        // as the simulated host's table writes it: v nothing, b boolean, f float ...
};

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "const char* text" is a text, any other pointer the address of a variable, "float x" a float;
// every other type (int, BOOL, Hash, Any and the handle types) is an integer slot.
char slotKind(const std::string& parameter) {
    const std::string type = parameter.substr(0, parameter.rfind(' '));
    if (type == "const char*") return 's';
    if (!type.empty() && type.back() == '*') return 'p';
    if (type == "float") return 'f';
    return 'i';
}

// What the caller reads back: nothing, a boolean, a float, a position, a hash or another integer
// (a handle, a player index).
char resultKind(const std::string& type) {
    if (type == "void") return 'v';
    if (type == "BOOL") return 'b';
    if (type == "float") return 'f';
    if (type == "Vector3") return '3';
    if (type == "Hash") return 'h';
    return 'i';
}

std::map<uint64_t, ReferenceNative> readReference() {
    std::map<uint64_t, ReferenceNative> natives;
    std::ifstream in(BRINDLECOT_HOST_REFERENCE);
    std::string row;
    bool header = true;
    while (std::getline(in, row)) {
        if (row.empty() || row[0] == '#') continue;
        if (header) {  // the column names
            header = false;
            continue;
        }
        const std::vector<std::string> columns = split(row, '\t');
        if (columns.size() < 5) {
            ADD_FAILURE() << "short row: " << row;
            continue;
        }
        ReferenceNative native{columns[2], "", resultKind(trim(columns[4]))};
        for (const std::string& parameter : split(columns[3], ';')) {
            if (!trim(parameter).empty()) native.kinds += slotKind(trim(parameter));
        }
        natives[std::stoull(columns[0], nullptr, 16)] = native;
    }
    return natives;
}

// The simulated host traces hashes in hexadecimal, but the host reads them as any integer.
std::string asReferenceKinds(const char* simKinds) {
    std::string kinds = simKinds;
    for (char& k : kinds)
        if (k == 'h') k = 'i';
    return kinds;
}

//-----------------------------------------------------------------------------
// [SECTION] Signatures
//-----------------------------------------------------------------------------

// Natives whose answer the plugin never reads: the simulated host answers nothing, and the trace
// shows none.
const std::set<std::string> kAnswerIgnored = {"STOP_ENTITY_ANIM"};

// The result kind decides what the trace shows after the call: every answer the plugin reads shows.
TEST(HostReference, EveryNativeHasTheReferenceNameSlotsAndResult) {
    const std::map<uint64_t, ReferenceNative> reference = readReference();
    ASSERT_GE(reference.size(), 50u) << "could not read " << BRINDLECOT_HOST_REFERENCE;
    for (const sim::NativeInfo& info : sim::allNatives()) {
        auto it = reference.find(info.hash);
        if (it == reference.end()) {
            ADD_FAILURE() << info.name << " is not in the host's reference";
            continue;
        }
        EXPECT_EQ(info.name, it->second.name);
        EXPECT_EQ(asReferenceKinds(info.args), it->second.kinds) << info.name;
        const char result = kAnswerIgnored.count(info.name) ? 'v' : it->second.result;
        EXPECT_EQ(info.result, result) << info.name << "'s result";
    }
    for (const auto& [hash, native] : reference) {
        EXPECT_NE(sim::findNative(hash), nullptr) << native.name << " is missing from the simulated host";
    }
}

//-----------------------------------------------------------------------------
// [SECTION] Call protocol
//-----------------------------------------------------------------------------

constexpr uint64_t kIsVehicleSeatFree = 0x22AC59A870E6A669ull;
constexpr uint64_t kBeginTextCommandDisplayText = 0x25FBB336DF1804CBull;
constexpr uint64_t kAddTextComponent = 0x6C188BE134E074AAull;

void call(sim::Host& host, uint64_t hash, std::initializer_list<uint64_t> slots) {
    host.onNativeInit(hash);
    for (uint64_t slot : slots)
        host.onNativePush64(slot);
    host.onNativeCall();
}

// The host would read a slot that was not pushed from the previous call's leftovers.
TEST(HostProtocol, AShortOrLongCallIsAFault) {
    sim::Host host;
    call(host, kIsVehicleSeatFree, {2, 1});
    call(host, kIsVehicleSeatFree, {2, 1, 0, 0});
    EXPECT_THAT(host.faults, ::testing::ElementsAre(::testing::HasSubstr("takes 3 arguments, got 2"),
                                                    ::testing::HasSubstr("takes 3 arguments, got 4")));
}

// The game shows 99 bytes of a component and drops the rest: a longer one is the caller's fault.
TEST(HostProtocol, AComponentOverNinetyNineBytesIsCutAndAFault) {
    sim::Host host;
    const std::string label = "CELL_EMAIL_BCON", whole(99, 'w'), cut(100, 'c');
    call(host, kBeginTextCommandDisplayText, {reinterpret_cast<uintptr_t>(label.c_str())});
    call(host, kAddTextComponent, {reinterpret_cast<uintptr_t>(whole.c_str())});
    call(host, kAddTextComponent, {reinterpret_cast<uintptr_t>(cut.c_str())});
    EXPECT_THAT(host.faults, ::testing::ElementsAre(::testing::HasSubstr("with 100 bytes")));
    host.world.endFrame();
    EXPECT_EQ(host.statusLine(), whole + cut.substr(0, 99));
}

TEST(HostProtocol, AValueSlotWithItsUpperHalfSetIsAFault) {
    sim::Host host;
    call(host, kIsVehicleSeatFree, {2, 1, 0});
    EXPECT_TRUE(host.faults.empty());
    call(host, kIsVehicleSeatFree, {2, 0xFFFFFFFFFFFFFFFFull, 0});  // -1 sign-extended
    EXPECT_THAT(host.faults, ::testing::ElementsAre(::testing::HasSubstr("argument 2 has a non-zero upper half")));
}

//-----------------------------------------------------------------------------
// [SECTION] Remarks
//-----------------------------------------------------------------------------

// IS_PED_IN_VEHICLE with atGetIn false holds only once he sits, with true already at the door while
// he gets in; SET_PED_INTO_VEHICLE seats him at once, -2 in the first free passenger seat, and
// leaves him be when the seat is taken.
TEST(HostRemarks, TheSeatNativesAnswerAsTheReferenceSays) {
    constexpr uint64_t kIsPedInVehicle = 0xA3EE4A07279BB9DBull, kSetPedIntoVehicle = 0xF75B0D629E1C063Dull;
    sim::Host host;
    sim::World& w = host.world;
    w.enterVehicleMs = 5000;
    const int32_t car = w.spawnVehicle({0, 10, 30});
    const int32_t ped = w.spawnPed({0, 10.5f, 30});
    w.order(*w.find(ped), sim::Task::EnterVehicle, "enter_vehicle seat 1");
    w.find(ped)->taskEntity = car, w.find(ped)->taskSeat = 1, w.find(ped)->taskLimitMs = 10000;
    auto sitsIn = [&](uint64_t atGetIn) {
        call(host, kIsPedInVehicle, {static_cast<uint64_t>(ped), static_cast<uint64_t>(car), atGetIn});
        return host.trace.entries.back().intResult();
    };
    EXPECT_EQ(sitsIn(0), 0) << "at the door, getting in";
    EXPECT_EQ(sitsIn(1), 1);
    w.seatPed(w.spawnPed({0, 0, 0}), car, 0);
    call(host, kSetPedIntoVehicle, {static_cast<uint64_t>(ped), static_cast<uint64_t>(car), 0});
    EXPECT_EQ(w.find(ped)->vehicle, 0) << "into a taken seat";
    call(host, kSetPedIntoVehicle, {static_cast<uint64_t>(ped), static_cast<uint64_t>(car), 0xFFFFFFFEull});
    EXPECT_EQ(w.find(ped)->vehicle, car);
    EXPECT_EQ(w.find(ped)->seat, 1) << "-2: the first free passenger seat";
    EXPECT_EQ(sitsIn(0), 1);
    EXPECT_TRUE(host.faults.empty()) << host.faults.front();
}

}  // namespace
