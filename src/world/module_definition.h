#pragma once
// The module definition: "ModuleData.txt" in a module's "Data\" folder names the
// module, its introduction, the character data set it expects, where the character
// starts, and for each map the data files that build and fill it, how much loot and
// how many monsters it gets, and how the maps connect. Module creation generates the
// maps from it; the runtime module keeps what matters during play.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/record_fields.h"

// One way from an entrance of one map to an entrance of another.
struct TModule_Map_Connections_Class {
    uint32_t Source_Map = 0;
    uint32_t Entrance_ID = 0;
    uint32_t Destination_Map = 0;
    uint32_t Dest_Entrance_ID = 0;
    uint8_t Connection_Type = 0; // TConnection_Type: 1..4, 0 when the name was unknown
};

struct TModule_Map_Class {
    uint32_t Map_Number = 0;
    std::string Name;
    std::string Display_Name;
    std::string Tiles_Filename;
    std::string Terrain_Filename;
    std::string Item_Classes_Filename;
    std::string Monster_Classes_Filename;
    std::string Monster_Groups_Filename;
    std::string Monster_Random_Items_Carried_Filename;
    std::string Stores_Filename;
    std::string Music_Filename;
    bool Universal_Light = true;
    uint16_t Chance_Group = 0;
    std::string Trap_Group_Name;
    bool Place_Random_Items = false;
    std::string Item_Grouping_Type;
    uint16_t Min_Items = 0, Max_Items = 0;
    uint16_t Item_Level_Min = 0, Item_Level_Max = 0;
    uint16_t Chance_Magic_Item = 0;
    uint16_t Chance_Unique_Item = 0;
    double Magic_Increase_Per_Start_Level = 0;
    double Unique_Increase_Per_Start_Level = 0;
    uint16_t Chance_Items_In_Chest = 0;
    uint16_t Min_Items_Per_Chest = 0, Max_Items_Per_Chest = 0;
    bool Place_Random_Monsters = false;
    std::string Monster_Grouping_Type;
    uint16_t Min_Monsters = 0, Max_Monsters = 0;
    uint16_t Min_Monster_Groups = 0, Max_Monster_Groups = 0;
    uint16_t Monsters_Increase_Per_Difficulty = 0;
    uint16_t Groups_Increase_Per_Difficulty = 0;
    uint16_t Monster_Level_Min = 0, Monster_Level_Max = 0;
    uint16_t Chance_Monster_Modifier = 0;
    uint16_t Difficulty_Monster_Modifier_Increase = 0;
    uint32_t Connection_Count = 0;
    std::vector<TModule_Map_Connections_Class> Connections; // connection k at index k - 1
};

class TModule_Class {
  public:
    std::string Name;
    std::string Description;
    std::string Difficulty_Description;
    uint32_t Intro_Paragraph_Count = 0;
    std::vector<std::string> Intro_Paragraphs;
    std::string Character_Data_Set_Identifier;
    uint32_t Starting_Map_Number = 0;
    uint32_t Starting_Map_Entrance_ID = 0;
    uint32_t Map_Count = 0;
    std::vector<TModule_Map_Class> Maps; // map n at index n - 1

    // Map n, or nothing outside 1..Map_Count.
    const TModule_Map_Class* Get_Map(uint32_t n) const;
};

// The current module class, replaced on each load; empty before the first.
extern std::unique_ptr<TModule_Class> Current_Module_Class;

// Reads a definition file into module_class (which is cleared first) and returns what
// the load reported, showing nothing. Besides the messages of the file's keys it
// reports a start map outside the maps and connections that lead to no map
// (Check_Module_Class), so that nothing is built from such a definition.
//
// Keys: "Name", "Description", "Module Difficulty Description" (optional),
// "Number of Intro Paragraphs", "Intro Paragraph <n>", "Character Data Set Identifier",
// "Starting Map Number", "Starting Map Entrance ID", "Number Of Maps"; for each map N,
// "Map <N>" followed by " Name", " Display Name", " Tiles Filename",
// " Terrain Filename", " Item Classes Filename", " Monster Classes Filename",
// " Monster Groups Filename", " Monster Random Items Carried Filename",
// " Stores Filename", " Music Filename", " Universal Light", " Chance Group",
// " Trap Group Name", " Place Random Items", " Item Grouping Type",
// " Minimum Number of Items", " Maximum Number of Items", " Item Level Min",
// " Item Level Max", " Chance for Magic Item Percent", " Chance for Unique Item Percent",
// " Increase Magic Item Pct Per Char Start Lvl",
// " Increase Unique Item Pct Per Char Start Lvl", " Chance for Items in Chest",
// " Minimum Number of Items Per Chest", " Maximum Number of Items Per Chest",
// " Place Random Monsters", " Monster Grouping Type", " Minimum Number of Monsters",
// " Maximum Number of Monsters", " Minimum Number of Monster Groups",
// " Maximum Number of Monster Groups", " Increase In Monsters Per Difficulty",
// " Increase In Monster Groups Per Difficulty", " Monster Level Min",
// " Monster Level Max", " Chance for Monster Modifier Percent",
// " Diff Level Incr Monst Mod Percent", " Number of Connections"; for each connection M,
// "Map <N> Conn <M>" followed by " Entrance ID", " Destination Map Number",
// " Dest Entrance ID", " Connection Type" ("Two Way - Always",
// "Two Way - Destination Initiated", "Two Way - Source Initiated", "One Way Only").
TData_File_Report Read_Module_Class(const std::string& path, TModule_Class& module_class);

// Frees the current module class, loads a new one from the file and makes it current
// (even when the file had errors). The errors are shown under the module heading;
// false when there were any.
bool Load_Module_Class_File(const std::string& path);
void Free_Module_Class();

// The start map and every connection's destination must be among the maps: one
// message for each that is not.
std::vector<std::string> Check_Module_Class(const TModule_Class& module_class);

// What the map generator loads for a tile file: the last map of the current module
// class whose tile file has that name (ignoring case). Map_Number is 0 when none does.
struct TMap_Class_Files {
    uint32_t Map_Number = 0;
    std::string Terrain_Filename;
    std::string Item_Classes_Filename;
    std::string Monster_Classes_Filename;
    std::string Monster_Groups_Filename;
    std::string Monster_Random_Items_Carried_Filename;
};
TMap_Class_Files Find_Map_Class_By_Tiles_File(const std::string& tiles_filename);

// The distinct non-empty names one file field gives over all maps, in map order
// (several maps may share a file): Map_File_Names(m, &TModule_Map_Class::Stores_Filename).
std::vector<std::string> Map_File_Names(const TModule_Class& module_class,
                                        std::string TModule_Map_Class::*field);

// The validator's check of a definition file: the load's messages, then one message
// for each file a map names in the module's "Tiles\" folder (the folder next to the
// definition's "Data\" folder) that is not there or is not a plain file name.
TData_File_Report Check_Module_Data_File(const std::string& path);
