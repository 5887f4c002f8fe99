// Brindlecot — the status line and the catalogue of its texts.
//
// statusMessage only ever holds one of these eight texts. The colour tokens ~r~ (red), ~b~ (blue)
// and ~w~ (back to white) go to the host as written; it colours the line when it draws it.

#pragma once

constexpr char kStatusEmpty[] = "";
constexpr char kStatusMissionPed[] = "Cannot arrest mission ped (change in config file)";
constexpr char kStatusRefuseOnFoot[] = "Ped is ~r~refusing arrest~w~, shoot him in the leg!";
constexpr char kStatusRefuseInVehicle[] = "Ped is ~r~refusing~w~ arrest, damage the vehicle engine!";
constexpr char kStatusGetClose[] = "Get close to the suspect and press again to cuff him";
constexpr char kStatusEscort[] = "Escort the suspect to the vehicle";
constexpr char kStatusResisting[] = "Suspect is ~r~resisting~w~ arrest!";
constexpr char kStatusDrive[] = "Drive the suspect to the ~b~marked~w~ precinct (or set him free F3)";

// Replaces the whole status text; the line shows it from the next frame on.
void setStatusMessage(const char* text);

// Issues the ten text natives for the current statusMessage. Called once a frame while show_msg is set.
void drawStatusMessage();
