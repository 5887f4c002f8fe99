// Brindlecot — the custody step: suspect check, escort and boarding, transport, leash.

#include "arrest/custody.h"
#include "arrest/arrest.h"
#include "arrest/tuning.h"
#include "host/natives.h"
#include "hud/status.h"
#include "state.h"

// Passenger seats in the order they are tried, and the door beside each. Never the driver's seat.
struct SeatDoor {
    int32_t seat;
    int32_t door;
};
static const SeatDoor kPassengerSeats[] = {{1, 2}, {2, 3}, {0, 1}};

static bool isVehicleSeatFree(EntityHandle vehicle, int32_t seat) {
    return resultBool(callNative(kNativeIsVehicleSeatFree, slotInt(vehicle), slotInt(seat), slotInt(0)));
}

static void openVehicleDoor(EntityHandle vehicle, int32_t door) {
    callNative(kNativeSetVehicleDoorOpen, slotInt(vehicle), slotInt(door), slotInt(1), slotInt(0));
}

static void setWaypoint(float x, float y) { callNative(kNativeSetNewWaypoint, slotFloat(x), slotFloat(y)); }

static void enterVehicle(EntityHandle ped, EntityHandle vehicle, int32_t seat) {
    callNative(kNativeTaskEnterVehicle, slotInt(ped), slotInt(vehicle), slotInt(kEnterVehicleTimeoutMs), slotInt(seat),
               slotFloat(1.2f), slotInt(0), slotText(nullptr), slotInt(0));
}

static void checkSuspect() {
    g_arrest.playerPed = getPlayerPed();
    if (!doesEntityExist(g_arrest.suspectPed) || isPedDeadOrDying(g_arrest.suspectPed)) releaseSuspect();
}

static const SeatDoor* findFreePassengerSeat(EntityHandle vehicle) {
    for (const SeatDoor& candidate : kPassengerSeats) {
        if (isVehicleSeatFree(vehicle, candidate.seat)) return &candidate;
    }
    return nullptr;
}

static void boardVehicle(const SeatDoor& seat) {
    openVehicleDoor(g_arrest.playerVehicle, seat.door);
    enterVehicle(g_arrest.suspectPed, g_arrest.playerVehicle, seat.seat);
    g_arrest.isEscorting = 0;
    setStatusMessage(g_arrest.driveText);
    setWaypoint(kPrecinctPoint.x, kPrecinctPoint.y);
    prepareDelivery();
    g_arrest.isTransporting = 1;
}

// Returns true when the suspect boarded in this frame.
static bool escortStep() {
    followPlayer(g_arrest.suspectPed, g_arrest.playerPed, 0.5f, 0.5f);
    g_arrest.vehiclePos = getEntityPosition(g_arrest.playerVehicle);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    if (!(distanceBetween(g_arrest.vehiclePos, g_arrest.suspectPos) < kBoardingRadius)) return false;
    const SeatDoor* seat = findFreePassengerSeat(g_arrest.playerVehicle);
    if (seat == nullptr) return false;
    boardVehicle(*seat);
    return true;
}

// Runs at the end of every custody step, also one in which the arrest has already ended.
static void leash() {
    g_arrest.playerVehicle = getVehiclePedIsIn(g_arrest.playerPed, 1);
    g_arrest.playerPos = getEntityPosition(g_arrest.playerPed);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    if (distanceBetween(g_arrest.playerPos, g_arrest.suspectPos) > kLeashLength) releaseSuspect();
}

void updateCustody() {
    checkSuspect();
    const bool boarded = g_arrest.isEscorting && escortStep();
    if (boarded || g_arrest.isTransporting) transportStep();
    leash();
}
