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
// inCustody: a new arrest clears the other two before it sets awaitingCuffs.

#pragma once

#include "host/native_call.h"

void beginArrest();     // a trigger while aiming at an entity: refuse, or take the ped over
void tryCuffSuspect();  // a trigger without target in the busted pose: cuff, resist, or nothing
void updateCustody();   // every frame while inCustody: suspect check, escort, transport, leash
void releaseSuspect();  // every end of an arrest: the suspect flees and the flags clear

// The animation dictionaries of an arrest: the busted pose, the cuffed get-up, the player's pick-up.
constexpr const char* kAnimDictBusted = "random@arrests@busted";
constexpr const char* kAnimDictCuffed = "get_up@cuffed";
constexpr const char* kAnimDictDrag = "combat@drag_ped@entry";

// Milliseconds of GetTickCount since `start`, right across the counter's wrap.
uint32_t msSince(DWORD start);

bool hasAnimDictLoaded(const char* dictionary);
void requestAnimDict(const char* dictionary);
void playAnim(EntityHandle ped, const char* dictionary, const char* name, int32_t duration);
float distanceBetween(float x1, float y1, float z1, float x2, float y2, float z2);
void followPlayer(EntityHandle ped, EntityHandle leader, float offsetX, float offsetY);

// distanceBetween over two positions, first point first.
inline float distanceBetween(const NativeVec3& a, const NativeVec3& b) {
    return distanceBetween(a.x, a.y, a.z, b.x, b.y, b.z);
}
