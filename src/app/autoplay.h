#pragma once
// The automatic player: plays a module from a new character to its end (or to death)
// through the player's own commands only. It presses the mouse over map squares as a
// player does (walking, attacking by walking into a creature, opening doors, picking
// up items), right-clicks to cast the selected spell, presses keys (quick slots,
// potions) and uses the dialogs through their controls (talk, conversation, stores,
// giving items, statistics, spell points, the quick bar). It reads only what a player
// could know: the squares explored or in sight, the creatures in sight or sensed in
// the dark, its own character, the quest log, and what the description panel tells
// of a creature.
//
//   krelvane-tool autoplay --module NAME [--game-dir DIR] [--class N] [--seed N]
//                          [--difficulty D] [--max-ticks T] [--runs R] [--report FILE]
//                          [--stop-at-map K] [--trace] [--record FILE]
//                          [--screenshot FILE.png]
//
// prints a line per level entered and a summary per run; with several runs or
// classes a table of win rate, median game time and median level per class. A single
// run (one class, one seed) can be recorded as an input script that the game plays
// back (krelvane --new-game ... --script FILE, the command on the script's first
// line), and its last frame saved. Exit status 2 for a usage error, 1 when the game
// could not start or the recording or frame could not be written.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct TAutoplay_Options {
    std::string Module = "Hollowmere";
    std::string Game_Dir; // the game folder to play from; empty for the default
    int32_t Class = 0;    // a class of the game's class table; 0 plays each in turn
    uint32_t Seed = 1;
    int32_t Difficulty = 2;
    uint64_t Max_Ticks = 216000; // three hours of game time at 20 ticks a second
    int32_t Runs = 1;            // seeds Seed .. Seed + Runs - 1 for each class
    std::string Report;          // a JSON file for the runs, when set
    // The run ends as soon as this map is entered (0: play to the end).
    int32_t Stop_At_Map = 0;
    // Ticks without progress (a new square explored, a kill, experience, an item, a
    // level entered) after which the run is reported as stalled.
    uint64_t Stall_Ticks = 12000;
    // A line a second on the log: where the character is, its health, what it does.
    bool Trace = false;
    // A single run only: every input written here as a script the game replays
    // (krelvane --new-game ... --script FILE, the command on its first line), and the
    // last frame saved here as a PNG.
    std::string Record;
    std::string Screenshot;
};

struct TAutoplay_Level_Entry {
    int32_t Map = 0;
    std::string Name;
    uint64_t Tick = 0;
    int32_t Character_Level = 0;
};

struct TAutoplay_Run {
    int32_t Class = 0;
    std::string Class_Name;
    uint32_t Seed = 0;
    // "won", "died", "stalled", "out of time", "stopped" (the map asked for was
    // reached) or "did not start".
    std::string Outcome;
    uint64_t Ticks = 0; // game time, 20 a second
    std::vector<TAutoplay_Level_Entry> Levels;
    int32_t Kills = 0;
    int32_t Gold = 0;
    int32_t Character_Level = 0;
    int32_t Deepest_Map = 0;
    std::string Death_Cause;
    std::string Stall_Reason;
    std::vector<std::string> Quests_Done;
};

// Plays every run the options ask for in one started game program; false with the
// reason in error when the game could not start. Level entries go to log as they
// happen (when log is set).
bool Run_Autoplay(const TAutoplay_Options& options, std::vector<TAutoplay_Run>& runs,
                  std::string& error, std::FILE* log);

// The runs as JSON.
std::string Autoplay_Json(const TAutoplay_Options& options, const std::vector<TAutoplay_Run>& runs);

int Tool_Autoplay(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
