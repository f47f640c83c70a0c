#pragma once
// What the generator makes: every picture and sound with the folder it goes to, and
// the runs that write them all or lay them out on contact sheets.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

struct TPicture_Entry {
    std::string folder; // below the game folder, "/" separated
    std::string name;
    std::string group;   // contact sheet it appears on
    bool opaque = false; // shown whole: no pink and no near-black anywhere
    std::function<TCanvas()> make;
};

struct TSound_Entry {
    std::string folder;
    std::string name;
    std::function<std::vector<int16_t>()> make;
};

// The 44 pictures of "Pictures/SysPics".
std::vector<TPicture_Entry> System_Pictures();
// Every sound the engine names itself, in "Sounds".
std::vector<TSound_Entry> Engine_Sounds();
// Everything the generator makes: the above and the default module's map pictures,
// sounds and music.
std::vector<TPicture_Entry> All_Pictures();
std::vector<TSound_Entry> All_Sounds();

// Writes everything below out_dir; progress and failures go to the log lines. False
// when any file could not be written.
bool Forge_All(const std::string& out_dir, std::vector<std::string>& log);
// Writes one PNG per group, every picture at 2x with its name, pink shown as a checker.
bool Forge_Contact_Sheets(const std::string& out_dir, std::vector<std::string>& log);
