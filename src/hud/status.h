// Brindlecot — the status line and its texts.
//
// statusMessage points at the empty text (kStatusEmpty, state.h, the record's load value), at a text
// of statusText (hud/texts.h: the catalogue's in the chosen language, or the player's own), or at one
// of the two texts of the record made from the settings: the drive text, which names the binding as
// set, and the warning about what the settings file held that could not be read. Each is one object
// in the whole module while the language stays, so a text can be told by its address. The colour
// tokens ~r~ (red), ~b~ (blue) and ~w~ (back to white) go to the host as written; it colours the line
// when it draws it.

#pragma once

#include <cstddef>

#include "hud/catalogue.h"
#include "state.h"

// The English of each text: what a game in English, or in a language the plugin does not know, shows.
constexpr const char* englishText(TextId id) { return catalogueText(id, kEnglish); }
inline constexpr const char* kStatusMissionPed = englishText(TextId::MissionPed);
inline constexpr const char* kStatusRefuseOnFoot = englishText(TextId::RefuseOnFoot);
inline constexpr const char* kStatusRefuseInVehicle = englishText(TextId::RefuseInVehicle);
inline constexpr const char* kStatusGetClose = englishText(TextId::GetClose);
inline constexpr const char* kStatusEscort = englishText(TextId::Escort);
inline constexpr const char* kStatusNoFreeSeat = englishText(TextId::NoFreeSeat);      // beside a full car
inline constexpr const char* kStatusNotInVehicle = englishText(TextId::NotInVehicle);  // the car left without him
inline constexpr const char* kStatusResisting = englishText(TextId::Resisting);
// The drive text in English as fillDriveText puts it together: the head, then, when a key or button
// is set, its name between the two others; kStatusDrive with the default key.
inline constexpr const char* kStatusDriveHead = englishText(TextId::Drive);
inline constexpr const char* kStatusDriveKeyBefore = englishText(TextId::DriveKeyBefore);
inline constexpr const char* kStatusDriveKeyAfter = englishText(TextId::DriveKeyAfter);
inline constexpr char kStatusDrive[] = "Drive the suspect to the ~b~marked~w~ precinct (or set him free F3)";

// Points the status line at a text (never a copy); the line shows it from the next frame on.
void setStatusMessage(const char* text);
// Points the status line at statusText(id).
void setStatusText(TextId id);
// Whether the line shows statusText(id).
bool statusShows(TextId id);

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
