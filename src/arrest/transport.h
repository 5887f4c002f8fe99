// Brindlecot — the transport to the precinct, as the custody step enters it.

#pragma once

#include <cstdint>

#include "host/natives.h"

// The row of kStations whose hand-over point is nearest to `from` on the map (x and y); the lower
// row of two as near.
int32_t nearestStationTo(const NativeVec3& from);

// Asks the host for what the delivery will need, when the transport begins.
void prepareDelivery();
// Marks the precinct and delivers the suspect once he is within reach of it.
void transportStep();
