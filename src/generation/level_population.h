#pragma once
// Filling a freshly dug level: the items, monsters, monster groups, stores and chests
// its map class asks for, placed on the squares its tiles allow. The group, chance,
// store and modifier tables are the loaded ones of the map being made.

#include <cstdint>
#include <string>
#include <vector>

class TMap;
class TItem_Class_List;
class TMonster_Class_List;
struct TModule_Map_Class;
struct TTile_Class_Set;
struct TTile_Grid;
struct TDig_Counts;

// The class lists a level is filled from, and the game's choices that change it.
struct TPopulation_Sources {
    const TItem_Class_List* Item_Classes = nullptr;
    const TMonster_Class_List* Monster_Classes = nullptr;
    int32_t Difficulty = 2;   // 1..4
    uint16_t Start_Level = 0; // the character's level when the game began; 0 for none
};

struct TPopulation_Settings {
    uint16_t Item_Level_Min = 0, Item_Level_Max = 0;
    uint16_t Magic_Chance = 0, Unique_Chance = 0;
    double Magic_Per_Level = 0, Unique_Per_Level = 0;
    uint16_t Chest_Chance = 0, Chest_Min = 0, Chest_Max = 0;
    bool Place_Items = false, Place_Monsters = false;
    std::string Item_Grouping, Monster_Grouping;
    uint16_t Monsters_Min = 0, Monsters_Max = 0;
    uint16_t Groups_Min = 0, Groups_Max = 0;
    uint16_t Monster_Level_Min = 0, Monster_Level_Max = 0;
    uint16_t Modifier_Chance = 0;
    uint16_t Items_Min = 0, Items_Max = 0;
    std::string Trap_Group_Name;
    int32_t Chance_Group_Index = 0; // 1-based in the chance groups; 0 for none
};

// The settings of the map class for the game's difficulty and start level. Difficulty
// additions saturate at 65535 instead of wrapping.
TPopulation_Settings Compute_Population_Settings(const TModule_Map_Class& map_class,
                                                 int32_t difficulty, uint16_t start_level);

// A count drawn from lo..hi; an inverted range (a data error) gives lo.
int32_t Population_Count(int32_t lo, int32_t hi);

struct TPopulation_Request {
    uint32_t Map_Number = 0;
    std::string Map_File_Name;
    std::string Stores_Filename;
    std::string Item_Classes_Filename;
};

// Places items, monsters, monster groups, stores and chests on the dug level, in that
// order, appending messages for classes that cannot be found.
void Populate_Level(TMap& map, const TTile_Class_Set& tiles, const TTile_Grid& grid,
                    const TPopulation_Settings& settings, const TPopulation_Sources& sources,
                    const TPopulation_Request& request, TDig_Counts& counts,
                    std::vector<std::string>& errors);
