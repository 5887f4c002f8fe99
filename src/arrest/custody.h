// Brindlecot — pieces of the custody step shared between its files.

#pragma once

#include "arrest/tuning.h"
#include "host/native_call.h"

void enterVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat);

// Asks the host for what the delivery will need, when the transport begins.
void prepareDelivery();
// Marks the precinct and delivers the suspect once he is within reach of it.
void transportStep();
void deliverAtPrecinct();
