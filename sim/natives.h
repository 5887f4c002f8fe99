// Brindlecot simulated host — the natives the host knows, by hash.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/world.h"

namespace sim {

class Host;

// Argument slots of one call, read the way the native declares them.
struct NativeArgs {
    const std::vector<uint64_t>& slots;

    int32_t i(size_t n) const { return static_cast<int32_t>(static_cast<uint32_t>(slots[n])); }
    float f(size_t n) const;
    const char* s(size_t n) const { return reinterpret_cast<const char*>(static_cast<uintptr_t>(slots[n])); }
    int32_t* p(size_t n) const { return reinterpret_cast<int32_t*>(static_cast<uintptr_t>(slots[n])); }
};

struct NativeResult {
    uint64_t* slots;

    void setInt(int32_t value) { slots[0] = static_cast<uint32_t>(value); }
    void setBool(bool value) { slots[0] = value ? 1 : 0; }
    void setFloat(float value);
    void setVec3(const Vec3& value);
};

// args: one letter per slot: i integer or boolean, f float, s text, p address of a 32-bit variable,
// h model hash (an integer, traced in hexadecimal).
// result: v nothing read, i integer, b boolean, f float, 3 position, h hash.
// The names, slot counts and slot kinds are those of the host's own reference (host-natives.tsv).
struct NativeInfo {
    uint64_t hash;
    const char* name;
    const char* args;
    char result;
    void (*run)(Host& host, const NativeArgs& args, NativeResult& result);
};

// Integers, booleans, hashes and floats: 32-bit values in the low half of the slot.
inline bool isValueKind(char kind) { return kind == 'i' || kind == 'h' || kind == 'f'; }

const NativeInfo* findNative(uint64_t hash);
const std::vector<NativeInfo>& allNatives();

std::string formatFloat(float value);
std::string formatCall(const NativeInfo& info, const std::vector<uint64_t>& slots);
std::string formatResult(const NativeInfo& info, const uint64_t* slots);

}  // namespace sim
