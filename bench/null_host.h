// Brindlecot benchmark — a host that does nothing but answer each native with a canned result.

#pragma once

#include <cstdint>

// Every answer keeps the arrest in its stage: the suspect exists and lives, every distance is
// 10.0 (no boarding, no delivery, no release), the key is up and no gamepad is connected.
namespace nullhost {
extern uint64_t pushed;  // every pushed slot is summed here, so no push is optimised away
}
