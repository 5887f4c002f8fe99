// Brindlecot — the one arrest state of the module.

#include "arrest/state.h"

ArrestState g_arrest;
