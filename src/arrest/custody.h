// Brindlecot — pieces of the custody step shared between its files.

#pragma once

#include "host/native_call.h"

struct PrecinctPoint {
    float x, y, z;
};

// The hand-over point; the waypoint takes its x and y.
constexpr PrecinctPoint kPrecinctPoint = {477.0f, -1023.0f, 28.0f};

void enterVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat);

// Marks the precinct and delivers the suspect once he is within reach of it.
void transportStep();
void deliverAtPrecinct();
