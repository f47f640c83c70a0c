#pragma once
// Item classes: the templates items are made from, read from a module's item class
// file, with the general rules by which value, consumption value, defense and damage
// grow with the item's level.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rules/damage.h"
#include "rules/effect_list.h"
#include "rules/item.h"
#include "rules/record_fields.h"
#include "rules/requirements.h"

class TItem_List;
struct TItem_Modifier_Tables;

struct TItem_Class {
    uint16_t Number = 0;
    std::string Class_Name;
    std::string Name;
    std::string Description;
    std::string Item_Group;
    uint8_t Item_Type = 0;
    std::string Weapon_Type;
    uint16_t Event_ID = 0;
    std::string Picture_Filename;
    uint16_t Item_Level_Min = 0;
    TDamage Damage;
    std::string Use_Sound_File;
    std::string Is_Ammo_Type;
    std::string Ammo_Required;
    bool Random_Appearance = false;
    int32_t Base_Gold_Value = 0;
    uint16_t Weight = 0;
    uint8_t Hands_Required = 0;
    uint8_t Consumption_Type = 0;
    uint16_t Consumption_Value = 0;
    int32_t Defense_Rating = 0;
    uint8_t Light_Radius = 0;
    uint16_t Light_Turns = 0;
    uint16_t Maximum_Stacked = 0;
    uint16_t Random_Min_Stacked = 0;
    uint16_t Random_Max_Stacked = 0;
    bool Can_Have_Additional_Effects = false;
    bool Is_Unique_Item = false;
    TEffect_List Effects;
    TRequirements Requirements;
    std::vector<std::string> Spell_Names;
    std::vector<uint16_t> Spell_Levels;
    std::string Key_Group;
};

// How class values grow with the item level ("General Item Info").
struct TItem_Scaling {
    int32_t Percent_Per_Level = 0;
    int32_t Amount_Per_Level = 0;
    int32_t Base_Amount = 0;
};

// Trunc((value + base + amount per level × (L − 1)) × ((percent × (L − 1) + 100) / 100)).
int64_t Scale_Value(int32_t level, int64_t value, const TItem_Scaling& scaling);

// Whether a class of this item group may be chosen where wanted (a text that may list
// several groups) is asked for.
bool Group_Matches(const TItem_Class& item_class, const std::string& wanted);

// What a new item needs from the rest of the game: the item list it joins (the map's),
// the level the player's character had when the game began, the modifier tables, and
// a way to put the item on a square of the map.
struct TRandom_Item_Context {
    TItem_List& Items;
    int32_t Start_Level = 1;
    const TItem_Modifier_Tables* Modifiers = nullptr; // nothing: the loaded tables
    std::function<void(int32_t x, int32_t y, uint16_t number)> Place_On_Map;
};

class TItem_Class_List {
  public:
    TItem_Scaling Gold;
    TItem_Scaling Consumption;
    TItem_Scaling Defense;
    TItem_Scaling Damage_Min;
    TItem_Scaling Damage_Max;

    // Nothing for 0, above Count, or an empty slot.
    const TItem_Class* Get(int32_t i) const;
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // Stores a copy in the first empty slot (or appends); returns its number.
    uint16_t Add(const TItem_Class& item_class);
    void Delete(int32_t i);
    // Empties the list and forgets which file it came from.
    void Clear();
    const std::string& Loaded_File() const { return loaded_file_; }

    // Loads the file unless the list already holds it (path is the resolved path, so
    // two modules' files of the same name are told apart). Errors go to error_list
    // when given, else to the error list dialog; false when there were errors, and the
    // file is then read again next time.
    bool Load_Item_Classes(const std::string& path, std::vector<std::string>* error_list = nullptr);
    // Reads the file into this list without the cache and without showing anything.
    //
    // Record 1, "General Item Info": "Item Base Gold Value Mod Per Level Add Percent",
    // "Item Consumption Value Mod Per Level Add Percent",
    // "Item Defense Rating Mod Per Level Add Percent",
    // "Item Damage Min Mod Per Level Add Percent",
    // "Item Damage Max Mod Per Level Add Percent", the same five with "Add Amt" in
    // place of "Add Percent", and "Item Base Gold Value Base Amt Mod",
    // "Item Consumption Value Base Amt Mod", "Item Defense Rating Base Amt Mod",
    // "Item Damage Min Base Amt Mod", "Item Damage Max Base Amt Mod".
    // Every later record is one class: "Class Name", "Name", "Description",
    // "Item Group", "Type", "Weapon Type", "Event ID", "Picture Filename",
    // "Item Level Min", the damage keys, "Use Sound File", "Is Ammo Type",
    // "Ammo Required", "Random Appearance Chance", "Base Gold Value", "Weight",
    // "Hands Required", "Consumption Type", "Consumption Value", "Defense Rating",
    // "Light Radius Generated", "Light Number of Turns", "Maximum Number Stacked",
    // "Random Min Number Found Stacked", "Random Max Number Found Stacked",
    // "Can Have Additional Effects", "Is Unique Item", the effect and requirement keys,
    // "Number of Spells", "Spell <i> Name", "Spell <i> Level", "Key Group".
    TData_File_Report Read_Item_Classes(const std::string& path);

    // A class of the family (ignoring case) whose group matches, chosen uniformly at
    // random; nothing when there is none.
    const TItem_Class* Find_Random_Class(const std::string& class_name,
                                         const std::string& group) const;
    int32_t Get_Gold_Value_At_Level(const TItem_Class& item_class, int32_t level) const;
    // An ordinary item of the class at the level (no modifiers, no stack quantity).
    TItem Make_Item(const TItem_Class& item_class, int32_t level) const;
    // Makes an item of the class at a level drawn from the range, perhaps magic or
    // unique, adds it to the context's item list (and to the map square when asked)
    // and returns its number (0 when the list is full).
    uint16_t Create_Random_Item(const TItem_Class& item_class, int32_t x, int32_t y,
                                int32_t level_min, int32_t level_max, int32_t magic_chance,
                                int32_t unique_chance, double magic_per_level,
                                double unique_per_level, int32_t quantity, bool place_on_map,
                                TRandom_Item_Context& context) const;

  private:
    std::vector<std::unique_ptr<TItem_Class>> slots_;
    std::string loaded_file_;
};
