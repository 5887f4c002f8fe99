// Brindlecot — the status line and the catalogue of its texts.
//
// statusMessage points at one of these ten texts: kStatusEmpty (state.h, the record's load value)
// and the nine below, except for two texts of the record filled in when the settings are read: the
// drive text, which names the arrest key as set (kStatusDrive with the default key), and the warning
// about a setting that cannot be read. Each is one object in the whole module, so a text can be told
// by its address. The colour tokens ~r~ (red), ~b~ (blue) and ~w~ (back to white) go to the host as
// written; it colours the line when it draws it.

#pragma once

#include <cstddef>

#include "state.h"

inline constexpr char kStatusMissionPed[] = "Cannot arrest mission ped (change in config file)";
inline constexpr char kStatusRefuseOnFoot[] = "Ped is ~r~refusing arrest~w~, shoot him in the leg!";
inline constexpr char kStatusRefuseInVehicle[] = "Ped is ~r~refusing~w~ arrest, damage the vehicle engine!";
inline constexpr char kStatusGetClose[] = "Get close to the suspect and press again to cuff him";
inline constexpr char kStatusEscort[] = "Escort the suspect to the vehicle";
inline constexpr char kStatusNoFreeSeat[] = "No free seat for the suspect in this vehicle";  // beside a full car
inline constexpr char kStatusNotInVehicle[] = "The suspect is not in your vehicle";          // the car left without him
inline constexpr char kStatusResisting[] = "Suspect is ~r~resisting~w~ arrest!";
inline constexpr char kStatusDrive[] = "Drive the suspect to the ~b~marked~w~ precinct (or set him free F3)";
// The drive text as loadSettings fills it in: the head, then, when a key or button is set, its name
// between the two others.
inline constexpr char kStatusDriveHead[] = "Drive the suspect to the ~b~marked~w~ precinct";
inline constexpr char kStatusDriveKeyBefore[] = " (or set him free ";
inline constexpr char kStatusDriveKeyAfter[] = ")";

// Points the status line at a text (never a copy); the line shows it from the next frame on.
void setStatusMessage(const char* text);

// Issues the text natives for the current statusMessage. Called once a frame while show_msg is set.
// A text the host shows whole in one component (kTextComponentBytes) is drawn in ten calls, as one
// component; a longer one as several, one after another, each cut by statusPieceLength.
void drawStatusMessage();

// How many bytes of `text` the next component takes: all of it when it fits in one, otherwise at
// most kTextComponentBytes, cut before a UTF-8 character (never before a continuation byte) and
// outside any ~...~ colour token. Where those rules leave nothing (an unmatched ~, a run of
// continuation bytes), the best cut that moves on: between characters, else at the limit. Never 0
// before the terminating NUL, never reads past it.
size_t statusPieceLength(const char* text);
