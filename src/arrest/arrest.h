// Brindlecot — the arrest stages and the operations they share.
//
// The stage of an arrest lives only in the four flags of g_arrest:
//
//   stage         inCustody awaitingCuffs isEscorting isTransporting
//   no arrest         0           0            0             0
//   busted pose       1           1            0             0
//   escorting         1           0            1             0
//   transporting      1           0            0             1
//
// At most one of awaitingCuffs, isEscorting and isTransporting is set, and any of them implies
// inCustody: a new arrest clears the other two before it sets awaitingCuffs. The transport goes back
// to the escort when the car he was ordered into has no seat for him after all, or is gone.

#pragma once

#include "host/natives.h"
#include "host/platform.h"

void beginArrest();     // a trigger while aiming at an entity: refuse, or take the ped over
void tryCuffSuspect();  // a trigger without target in the busted pose: cuff, resist, or nothing
void updateCustody();   // every frame while inCustody: suspect check, escort, seat watch, transport, leash
void releaseSuspect();  // every end of an arrest: the suspect flees and the flags clear

// The animations of an arrest: the suspect's busted pose and cuffed get-up, the player's pick-up.
constexpr AnimClip kAnimBusted = {"random@arrests@busted", "idle_c"};
constexpr AnimClip kAnimCuffed = {"get_up@cuffed", "back_to_default"};
constexpr AnimClip kAnimDrag = {"combat@drag_ped@entry", "injured_pickup_90_plyr"};

// Milliseconds of GetTickCount since `start`, right across the counter's wrap.
uint32_t msSince(DWORD start);

// Streaming: each asks the host for the asset unless it is loaded already, and never waits for it.
void requestAnimDict(const char* dictionary);
ModelHash requestModel(const char* name);  // answers the model's hash

// Hands the ped back to the host still busy with the order he was just given; 0 in *ped afterwards.
void handBackKeepingTask(EntityHandle* ped);
