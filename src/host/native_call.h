// Brindlecot — the native call protocol, for host/natives.cpp alone.
//
// Every native call is init, one push per argument, call, read. callNative() takes its slots as
// already evaluated values, so a native whose result is an argument of another has always finished
// before the next init: sequences cannot interleave.

#pragma once

#include <cstdint>
#include <cstring>

#include "host/natives.h"
#include "host/platform.h"

// 32-bit values travel in the low half with the upper half zero, negatives included (-1 is
// 0x00000000FFFFFFFF); floats as their IEEE-754 bits; texts and out-parameters as addresses.

inline uint64_t slotInt(int32_t value) { return static_cast<uint32_t>(value); }

inline uint64_t slotFloat(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline uint64_t slotText(const char* text) { return reinterpret_cast<uintptr_t>(text); }

inline uint64_t slotAddress(int32_t* variable) { return reinterpret_cast<uintptr_t>(variable); }

template <typename... Slots>
inline const uint64_t* callNative(uint64_t hash, Slots... slots) {
    nativeInit(hash);
    (nativePush64(slots), ...);
    return nativeCall();
}

inline int32_t resultInt(const uint64_t* result) { return static_cast<int32_t>(static_cast<uint32_t>(result[0])); }

inline bool resultBool(const uint64_t* result) { return resultInt(result) != 0; }

inline float resultFloat(const uint64_t* result) {
    float value = 0.0f;
    std::memcpy(&value, result, sizeof value);
    return value;
}

inline NativeVec3 resultVec3(const uint64_t* result) {
    NativeVec3 value;
    std::memcpy(&value, result, sizeof value);
    return value;
}
