// Brindlecot — the custody step: suspect check, escort and boarding, seat watch, transport, leash.

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
    g_arrest.boardingVehicle = g_arrest.playerVehicle;
    g_arrest.boardingSeat = seat.seat;
    g_arrest.boardingTick = g_arrest.frameTick;
    g_arrest.awaitingSeat = 1;
    g_arrest.isEscorting = 0;
    setStatusMessage(g_arrest.driveText);
    g_arrest.station = g_arrest.settings.nearestStation != 0 ? nearestStationTo(g_arrest.vehiclePos) : 0;
    const NativeVec3& handOver = kStations[g_arrest.station].handOver;
    setWaypoint(handOver.x, handOver.y);
    prepareDelivery();
    g_arrest.isTransporting = 1;
}

// Returns true when the suspect boarded in this frame. Beside a car with no passenger seat free the
// line says so for as long as he stands there.
static bool escortStep() {
    followPlayer(g_arrest.suspectPed, g_arrest.playerPed, 0.5f, 0.5f);
    g_arrest.vehiclePos = getEntityPosition(g_arrest.playerVehicle);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    const bool inReach = distanceBetween(g_arrest.vehiclePos, g_arrest.suspectPos) < kBoardingRadius;
    const SeatDoor* seat = inReach ? findFreePassengerSeat(g_arrest.playerVehicle) : nullptr;
    if (seat == nullptr) {
        if (inReach) {
            setStatusText(TextId::NoFreeSeat);
        } else if (statusShows(TextId::NoFreeSeat)) {
            setStatusText(TextId::Escort);
        }
        return false;
    }
    boardVehicle(*seat);
    return true;
}

// The car he was ordered into has no seat for him after all: he follows the player again, to this
// car once a seat is free or to another.
static void escortAgain(TextId text) {
    g_arrest.awaitingSeat = 0;
    g_arrest.isTransporting = 0;
    g_arrest.isEscorting = 1;
    setStatusText(text);
}

// At the end of the wait, in reach of the car: into the seat he was ordered to or, taken meanwhile,
// the first free one in the boarding's order.
static void forceSeat(EntityHandle vehicle) {
    int32_t seat = g_arrest.boardingSeat;
    if (!isVehicleSeatFree(vehicle, seat)) {
        const SeatDoor* next = findFreePassengerSeat(vehicle);
        if (next == nullptr) {
            escortAgain(TextId::NoFreeSeat);
            return;
        }
        seat = next->seat;
    }
    putPedIntoVehicle(g_arrest.suspectPed, vehicle, seat);
}

// From the boarding on, once a frame: whether he sits in the car he was ordered into. While the
// order runs (kSeatForcedAfterMs) that question is all; a boarding that succeeds within it costs
// nothing more. Then, not sitting in it: put in once if the car is within reach, else the line says
// he is not in it until he sits there again. A car that is gone gets no other native: he follows
// the player again. Returns false when the escort took over.
static bool watchSeat() {
    const EntityHandle vehicle = g_arrest.boardingVehicle;
    if (isPedSeatedIn(g_arrest.suspectPed, vehicle)) {
        g_arrest.awaitingSeat = 0;
        if (statusShows(TextId::NotInVehicle)) setStatusMessage(g_arrest.driveText);
        return true;
    }
    if (g_arrest.awaitingSeat && static_cast<uint32_t>(g_arrest.frameTick - g_arrest.boardingTick) < kSeatForcedAfterMs)
        return true;
    if (!doesEntityExist(vehicle)) {
        escortAgain(TextId::Escort);
        return false;
    }
    g_arrest.vehiclePos = getEntityPosition(vehicle);
    g_arrest.suspectPos = getEntityPosition(g_arrest.suspectPed);
    const bool inReach = distanceBetween(g_arrest.vehiclePos, g_arrest.suspectPos) < kBoardingRadius;
    if (g_arrest.awaitingSeat) {
        g_arrest.awaitingSeat = 0;
        if (inReach) {
            forceSeat(vehicle);
            return g_arrest.isTransporting != 0;
        }
    }
    if (!inReach) setStatusText(TextId::NotInVehicle);
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
    if ((boarded || g_arrest.isTransporting) && watchSeat()) transportStep();
    leash();
}
