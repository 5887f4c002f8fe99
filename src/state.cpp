// Brindlecot — the one arrest state of the module.

#include "state.h"

ArrestState g_arrest;
