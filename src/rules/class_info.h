#pragma once
// Character classes ("Classes.txt"): what a new character starts with, how its
// statistics grow per level and per ability point, its experience table and the
// spells and skills it may learn.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/record_fields.h"

struct TClass_Spell {
    std::string Name;
    uint16_t Group = 0;              // 1..6
    uint16_t Available_At_Level = 0; // character level from which it can be learnt
    uint16_t Starting_Level = 0;     // level a new character knows it at (0: not known)
};

struct TClass_Info {
    std::string Class_Name;
    std::string Short_Description;
    std::string Long_Description;
    std::vector<std::string> Portraits;
    uint16_t Base_Strength = 0, Base_Dexterity = 0, Base_Intelligence = 0, Base_Constitution = 0;
    uint16_t Base_Fire_Resistance = 0, Base_Lightning_Resistance = 0, Base_Cold_Resistance = 0,
             Base_Magic_Resistance = 0, Base_Poison_Resistance = 0, Base_Physical_Resistance = 0;
    uint16_t Base_Maximum_Health = 0, Base_Maximum_Mana = 0, Base_Maximum_Hunger = 0,
             Base_Maximum_Weight = 0;
    uint16_t Base_Movement_Speed = 100;
    uint16_t Starting_Gold = 0;
    uint8_t Characteristic_Points_Per_Level = 0;
    uint8_t Spell_Points_Per_Level = 0;
    double Health_Per_Level = 0, Health_Per_Constitution = 0;
    double Mana_Per_Level = 0, Mana_Per_Intelligence = 0;
    double Hunger_Per_Constitution = 0, Weight_Per_Strength = 0;
    double Attack_Per_Dexterity = 0, Defense_Per_Dexterity = 0;
    double Minimum_Damage_Per_Strength = 0, Maximum_Damage_Per_Strength = 0;
    double Slowdown_Per_Over_Weight = 0;                   // ms per unit of weight over the maximum
    double Health_Regeneration = 0, Mana_Regeneration = 0; // percent per second
    std::vector<std::string> Item_Classes;                 // starting equipment
    int32_t Experience_Added_Past_Last_Level = 0;
    std::vector<int32_t> Experience_Levels; // E[1..n] at 0..n-1
    // The six spell group names by group number (1 at 0); an empty name is no group.
    std::array<std::string, 6> Spell_Group_Names;
    std::vector<TClass_Spell> Spells;

    // The class's entry for a spell (by name, trimmed, ignoring case), nothing if none.
    const TClass_Spell* Find_Spell(const std::string& name) const;
};

// Experience needed to rise from level to level + 1: E[level + 1] within the table,
// beyond it E[n] + (level + 1 − n) × "Experience Added Past Last Level" (E[0] is 0, so
// an empty table asks only the per-level amount).
int64_t Experience_For_Next_Level(const TClass_Info& class_info, int32_t level);

class TClass_Info_List {
  public:
    // 1-based; nothing outside 1..Count (a class number from another module included).
    const TClass_Info* Get(int32_t number) const;
    int32_t Count() const { return static_cast<int32_t>(classes_.size()); }
    void Add(const TClass_Info& info) { classes_.push_back(info); }
    void Clear() { classes_.clear(); }

  private:
    std::vector<TClass_Info> classes_;
};

// The table loaded at start-up (and again when a module is chosen).
extern TClass_Info_List Class_Infos;

// Clears the table and reads the file into it; the errors are returned, not shown.
// Every record is one class: "Class Name", "Short Description", "Long Description",
// "Number of Portaits", "Portrait <i> Filename", "Base Strength", "Base Dexterity",
// "Base Intelligence", "Base Constitution", "Base Fire Resistance",
// "Base Lightning Resistance", "Base Cold Resistance", "Base Magic Resistance",
// "Base Poison Resistance", "Base Physical Resistance", "Base Maximum Health",
// "Base Maximum Mana", "Base Maximum Hunger", "Base Maximum Weight",
// "Base Movement Speed", "Starting Gold", "Characteristic Points Per Level",
// "Spell Points Per Level", "Maximum Health - X Per 1 Level",
// "Maximum Health - X Per 1 Constitution", "Maximum Mana - X Per 1 Level",
// "Maximum Mana - X Per 1 Intelligence", "Maximum Hunger - X Per 1 Constitution",
// "Maximum Weight - X Per 1 Strength", "Attack Rating - X Per 1 Dexterity",
// "Defense Rating - X Per 1 Dexterity", "Minimum Damage Bonus - X Per 1 Strength",
// "Maximum Damage Bonus - X Per 1 Strength",
// "Movement Slowdown - Xms Per 1 Over Weight",
// "Health Pct Regeneration Rate Per Second", "Mana Pct Regeneration Rate Per Second",
// "Num Items Carried", "Item <i> Class", "Experience Added Past Last Level",
// "Number Of Experience Levels", "Experience For Level <i>",
// "Spell/Skill Group <g> Name" (g = 1..6), "Number of Spell/Skills",
// "Spell/Skill <i> Name", "Spell/Skill <i> Group", "Spell/Skill <i> Available At Level",
// "Spell/Skill <i> Starting Level".
TData_File_Report Load_Class_Info(const std::string& path, TClass_Info_List& table = Class_Infos);
// The start-up load: the same, with the errors shown in the error list dialog.
bool Load_Class_Info_File(const std::string& path);
