#pragma once
// The long run: the real game, headless, played by seeded random input (the pointer
// moved and pressed over the map and the panels, keys, dialogs opened and closed,
// saves, loads and level changes) for a number of ticks, with the level checked
// between ticks (world/level_checks.h). It plays in a scratch copy of the game folder,
// so the player's saves, characters and high scores are never touched.
//
//   krelvane-tool soak [--ticks N] [--seed S] [--game-dir DIR] [--module NAME]
//
// prints what it did and each fault with the tick it was found on; exit status 1 when
// a fault was found, 2 for a usage error.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct TSoak_Options {
    uint64_t Ticks = 20000;
    uint32_t Seed = 1;
    std::string Game_Dir; // the game folder to play from; empty for the default
    std::string Module = "Hollowmere";
    // The level is checked every so many ticks.
    int32_t Check_Every = 10;
};

struct TSoak_Report {
    uint64_t Ticks = 0;
    int32_t Games = 0; // new games started (the first and each after a quit or death)
    int32_t Saves = 0, Loads = 0, Level_Changes = 0, Dialogs = 0, Deaths = 0;
    std::vector<std::string> Faults; // each with the tick it was found on
};

// Plays the soak; false when the game could not start or a fault was found.
bool Run_Soak(const TSoak_Options& options, TSoak_Report& report, std::FILE* log);

int Tool_Soak(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
