#pragma once
// Making a monster of a class for a level and the game's difficulty, perhaps with
// monster modifiers, with its items and gold, and putting it on the map.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/item_classes.h"
#include "rules/monster.h"
#include "rules/monster_classes.h"

// One entry of a module's random-items-carried rules.
struct TCarried_Item_Rule {
    int32_t Item_Base_Chance = 0;
    int32_t Item_Chance_Per_Level = 0;
    std::vector<std::string> Item_Class_Names;
};

// What monster creation takes from the game besides the class.
struct TMonster_Creation_Context {
    const TMonster_Class_List& Classes;                  // its general rules
    int32_t Difficulty = 2;                              // 1..4
    const TMonster_Modifier_Tables* Modifiers = nullptr; // nothing: the loaded tables
    // Items the monster carries; without item classes it carries nothing.
    const TItem_Class_List* Item_Classes = nullptr;
    TRandom_Item_Context* Item_Context = nullptr;
    const std::vector<TCarried_Item_Rule>* Random_Items = nullptr;
    // The map's item grouping type: what the monster carries comes from the item
    // classes of its groups, as what lies on the map does.
    std::string Item_Grouping = "all";
};

// Health, abilities and damage of a monster at level L with D = difficulty − 2.
int32_t Monster_Health(const TMonster_General_Info& general, int64_t base, int32_t level,
                       int32_t difficulty_step, int32_t effect_total);
int32_t Monster_Ability(int64_t rolled, int64_t start, int64_t percent_per_level,
                        int64_t amount_per_level, int64_t percent_per_difficulty, int32_t level,
                        int32_t difficulty_step, int32_t effect_total);
int32_t Monster_Damage(const TMonster_General_Info& general, int64_t base, int64_t start,
                       int32_t level, int32_t difficulty_step, int32_t effect_total);
// The interval of the class's movement speed at the difficulty, never below 0.
int32_t Monster_Movement_Interval(const TMonster_General_Info& general, int32_t named_interval,
                                  int32_t difficulty_step, int32_t effect_total);

// The gold stack class for an amount: "Small Gold Stack", "Medium Gold Stack" above 50,
// "Large Gold Stack" from 501.
std::string Gold_Stack_Class(int32_t amount);

// Rolls the monster modifiers for the monster's level and applies them.
void Apply_Monster_Modifiers(TMonster& monster, const TMonster_Modifier_Tables& tables);

// Makes the monster of the class at (x, y), adds it to the world's monster list and
// records it on its square. Returns its number, 0 when there is no world or the list
// is full.
uint16_t Create_Monster(const TMonster_Class& monster_class, int32_t x, int32_t y,
                        int32_t modifier_chance, int32_t level_min, int32_t level_max,
                        int32_t item_level_min, int32_t item_level_max,
                        const TMonster_Creation_Context& context);
// The same, handing the monster back instead of adding it anywhere.
TWriteable_Monster Make_Monster(const TMonster_Class& monster_class, int32_t x, int32_t y,
                                int32_t modifier_chance, int32_t level_min, int32_t level_max,
                                int32_t item_level_min, int32_t item_level_max,
                                const TMonster_Creation_Context& context);
