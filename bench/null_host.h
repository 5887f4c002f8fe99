// Brindlecot benchmark — a host that does nothing but answer each native with a canned result.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every answer keeps the arrest in its stage: the suspect exists and lives, every distance is
// 10.0 (no boarding, no delivery, no release), the key is up and no gamepad is connected.
namespace nullhost {

extern uint64_t pushed;  // every pushed slot is summed here, so no push is optimised away

// One call as the host saw it: a native by hash with the number of slots pushed for it, or a
// Win32 function by name (hash 0).
struct Call {
    uint64_t hash = 0;
    size_t slots = 0;
    const char* win32 = nullptr;

    std::string text() const;  // "native 0x3FEF770D40960D5A, 2 slots" or "GetTickCount"
};

// While a list is given, every call is appended to it; null stops the recording.
void record(std::vector<Call>* calls);

}  // namespace nullhost
