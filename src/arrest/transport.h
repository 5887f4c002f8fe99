// Brindlecot — the transport to the precinct, as the custody step enters it.

#pragma once

// Asks the host for what the delivery will need, when the transport begins.
void prepareDelivery();
// Marks the precinct and delivers the suspect once he is within reach of it.
void transportStep();
