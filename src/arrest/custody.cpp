// Brindlecot — the custody step: suspect check, escort and boarding, transport, leash.

#include "arrest/arrest.h"
#include "arrest/transport.h"
#include "arrest/tuning.h"
#include "hud/status.h"
#include "state.h"

// Passenger seats in the order they are tried, and the door beside each. Never the driver's seat.
struct SeatDoor {
    int32_t seat;
    int32_t door;
};
static const SeatDoor kPassengerSeats[] = {{1, 2}, {2, 3}, {0, 1}};

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
    enterVehicle(g_arrest.suspectPed, g_arrest.playerVehicle, seat.seat, kEnterVehicleTimeoutMs);
    g_arrest.isEscorting = 0;
    setStatusMessage(g_arrest.driveText);
    g_arrest.station = g_arrest.settings.nearestStation != 0 ? nearestStationTo(g_arrest.vehiclePos) : 0;
    const NativeVec3& handOver = kStations[g_arrest.station].handOver;
    setWaypoint(handOver.x, handOver.y);
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
    g_arrest.playerVehicle = getLastVehicle(g_arrest.playerPed);
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
