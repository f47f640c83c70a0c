#pragma once
// Item modifiers ("ItemModifiers.txt"), the named prefixes and suffixes that make an
// item magic, and unique names ("UniqueItemNames.txt"), under which several modifiers
// make an item unique.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/effect_list.h"
#include "rules/record_fields.h"
#include "rules/requirements.h"
#include "shell/enums.h"

class TItem;

struct TItem_Modifier_Class {
    uint16_t Number = 0;
    std::string Description;
    uint16_t Gold_Percent_Increase = 0;
    uint16_t Gold_Amount_Increase = 0;
    uint16_t Item_Level_Min = 0;
    uint16_t Item_Level_Max = 0;
    std::string Item_Types;
    TModifier_Position Modifier_Type = TModifier_Position::Unset;
    TEffect_List Effects;
    TRequirements Requirements;
};

struct TUnique_Names_Class {
    int32_t Number = 0;
    uint16_t Level_Min = 0;
    uint16_t Level_Max = 0;
    uint16_t Number_Of_Modifiers = 0;
    std::vector<std::string> Names;
};

struct TItem_Modifier_Tables {
    uint16_t Value_Amount_Multiplier = 0;
    std::vector<TItem_Modifier_Class> Modifiers;   // modifier k at index k - 1
    std::vector<TUnique_Names_Class> Unique_Names; // record k at index k - 1
};

// The tables of the chosen module.
extern TItem_Modifier_Tables Item_Modifier_Tables;

// Each replaces its part of the tables with the file's and returns what the load
// reported, showing nothing.
//
// "ItemModifiers.txt": record 1 holds "Item Value Amount Multiplier"; every later record
// is one modifier: "Description", "Item Gold Value Percent Increase",
// "Item Gold Value Amount Increase", "Item Level Min", "Item Level Max", "Item Types",
// "Modifier Type" ("Prefix" or "Suffix"), the effect keys and the requirement keys.
TData_File_Report Read_Item_Modifiers(const std::string& path,
                                      TItem_Modifier_Tables& tables = Item_Modifier_Tables);
// "UniqueItemNames.txt": every record is one unique name class: "Level Min",
// "Level Max", "Number of Modifiers", "Number of Names", "Name <i>".
TData_File_Report Read_Unique_Names(const std::string& path,
                                    TItem_Modifier_Tables& tables = Item_Modifier_Tables);
// The same, showing the errors in the error list dialog; false when there were any.
bool Load_Item_Modifiers(const std::string& path);
bool Load_Unique_Names(const std::string& path);

// The modifier numbers that may be put on the item, in number order: its level is in
// the modifier's range and the modifier's "Item Types" text contains the item's type
// keyword.
std::vector<int32_t> Eligible_Modifiers(const TItem& item, const TItem_Modifier_Tables& tables);

// Increases of the item's value gathered while modifiers are applied.
struct TValue_Increase {
    int32_t Percent = 0;
    int32_t Amount = 0;
};

// Puts the modifier's rolled effects on the item; a modifier with effects also adds
// its value increase and its requirements and, when naming, its word to the name.
// True when the item changed.
bool Apply_Item_Modifier(TItem& item, const TItem_Modifier_Class& modifier, bool naming,
                         uint16_t value_amount_multiplier, TValue_Increase& increase);
// One eligible modifier chosen at random, with naming. True when the item changed.
bool Make_Magic(TItem& item, const TItem_Modifier_Tables& tables, TValue_Increase& increase);
// A unique name class of the item's level, its number of distinct eligible modifiers
// (none when too few are eligible), and one of its names before the item's name.
// True when the item changed.
bool Make_Unique(TItem& item, const TItem_Modifier_Tables& tables, TValue_Increase& increase);
