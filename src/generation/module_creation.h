#pragma once
// Module creation: a new game's adventure made from the module definition. Every map
// is generated in turn (its data files loaded, its level dug and populated), the
// entrances of the map connections and the character's start are resolved, and every
// level is written into the current-game folder, followed by the module file.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "generation/map_digging.h"
#include "rules/item_classes.h"
#include "rules/monster_classes.h"

class TMap;
class TModule;
class TModule_Class;
class TWriteable_Module;
struct TModule_Map_Class;

// One line of the creation report per map.
struct TMap_Creation_Report {
    uint32_t Map_Number = 0;
    std::string Name;
    int32_t Cells_Used = 0, Grid_Cells = 0;
    int32_t Squares_Dug = 0; // the squares the placed tiles cover
    TDig_Counts Counts;
    int32_t Layout_Attempts = 0;
    double Milliseconds = 0;
};

// Percent 0..100 and the text to show under the progress bar.
using TProgress_Callback = std::function<void(int32_t percent, const std::string& text)>;

struct TModule_Creation_Options {
    // Where the levels and "module.mod" are written (ends in a separator).
    std::string Current_Game_Folder;
    int32_t Difficulty = 2;   // 1..4
    uint16_t Start_Level = 0; // the character's level; 0 when there is none yet
    // A fixed seed makes the whole module reproducible; without one every level is
    // dug from the clock.
    std::optional<uint32_t> Seed;
};

struct TModule_Creation_Result {
    std::vector<TMap_Creation_Report> Maps;
    std::vector<std::string> Errors;
};

// Builds the whole module from the module class into module (the runtime module,
// which is written as "module.mod") and the current-game folder, using map as the
// level being made. The common tables (master spells) and the module's
// folder (Path_Settings) must be set. False, with the error list shown under
// "Errors creating module: " and the module name, when any step failed: a map that
// left errors stops the maps after it, and no module file is written then.
bool Create_Module(const TModule_Class& module_class, TWriteable_Module& module, TMap& map,
                   const TModule_Creation_Options& options, TModule_Creation_Result& result,
                   const TProgress_Callback& progress = {});

// The item and monster classes of a creation: each map's class files are read into
// them, and they live until the whole module is made.
struct TCreation_Classes {
    TItem_Class_List Items;
    TMonster_Class_List Monsters;
};

// Loads the map's data files (its classes into classes), digs and populates the level
// into map and frees the other files again; messages go to errors. Returns what the
// dig made.
TDig_Result Generate_Map(const TModule_Map_Class& map_class, uint32_t map_number, TMap& map,
                         const TModule_Creation_Options& options, TCreation_Classes& classes,
                         std::vector<std::string>& errors);

// The connections of every map that lead to the map just dug get their destination
// square, and its own connections their source square; each square found becomes an
// entrance of the map.
void Resolve_Entrances(const TModule_Class& module_class, uint32_t map_number, TMap& map,
                       TModule& module, const TEntrance_Lists& entrances,
                       std::vector<std::string>& errors);

// Writes the level as number + ".map" into the folder; false when the file could not
// be written.
bool Save_Created_Map(const TMap& map, const std::string& path);
