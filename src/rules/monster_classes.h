#pragma once
// Monster classes: the templates monsters are made from, read from a module's monster
// class file (and "Summon_MonsterClasses.txt"), with the general rules by which health,
// abilities and damage grow with the monster's level and the game's difficulty; and the
// monster modifiers ("MonsterModifiers.txt") that make a monster stronger.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rules/effect_list.h"
#include "rules/natural_attacks.h"
#include "rules/record_fields.h"
#include "rules/spells.h"

struct TMonster_Carried_Item {
    std::string Class_Name;
    uint16_t Chance = 0; // percent
};

struct TMonster_Class {
    uint16_t Number = 0;
    std::string Name;
    std::string Description;
    std::string Picture_Filename;
    std::string Attack_Picture_Filename;
    uint16_t Event_ID = 0;
    uint16_t Map_Appearance_Chance = 0;
    std::string Monster_Group;
    bool Is_Unique = false;
    bool Is_Undead = false;
    uint16_t Weight = 0;
    uint16_t Health_Min = 0, Health_Max = 0;
    uint16_t Attack_Ability_Min = 0, Attack_Ability_Max = 0;
    uint16_t Defense_Ability_Min = 0, Defense_Ability_Max = 0;
    uint8_t Corpse_Type = 0;
    uint8_t Light_Radius = 0;
    bool Can_Be_Given_Items = false;
    uint8_t Movement_Mask = 0; // Land 1, Air 2, Water 4, Ethereal 8
    uint8_t Intelligence_Category = 0;
    bool Does_Attack_Character = true;
    uint8_t Retreat = 0;
    uint8_t Response_Range = 0;
    uint8_t Movement_Strategy = 0;
    std::string Movement_Speed;
    std::string Sound_Death, Sound_Attack, Sound_Growl;
    std::vector<TMonster_Carried_Item> Items;
    uint16_t Store_ID = 0;
    TEffect_List Effects;
    TSpells_List Spells; // known at level 1 until a monster is made
    TNatural_Attacks Natural_Attacks;
    std::vector<std::string> Talk_Topic_Names;
    std::vector<std::string> Talk_Topic_Texts;
};

// "General Monster Info", the first record of a monster class file.
struct TMonster_General_Info {
    int64_t Health_Modifier = 0, Attack_Modifier = 0, Defense_Modifier = 0;
    int64_t Health_Start = 0, Attack_Start = 0, Defense_Start = 0;
    int64_t Damage_Min_Start = 0, Damage_Max_Start = 0;
    int64_t Health_Percent_Per_Level = 0, Damage_Percent_Per_Level = 0,
            Attack_Percent_Per_Level = 0, Defense_Percent_Per_Level = 0;
    int64_t Health_Amount_Per_Level = 0, Damage_Amount_Per_Level = 0, Attack_Amount_Per_Level = 0,
            Defense_Amount_Per_Level = 0;
    int64_t Health_Percent_Per_Difficulty = 0, Damage_Percent_Per_Difficulty = 0,
            Attack_Percent_Per_Difficulty = 0, Defense_Percent_Per_Difficulty = 0;
    int64_t Resist_All_Start = 0, Resist_All_Per_Level = 0;
    int64_t Gold_Chance_Per_Level = 0, Gold_Minimum_Per_Level = 0, Gold_Maximum_Per_Level = 0;
    double Spell_Level_Per_Monster_Level = 0;
    struct TNamed_Value {
        std::string Name;
        int32_t Value = 0;
    };
    std::vector<TNamed_Value> Movement_Speeds; // intervals in ms, none of 0
    int32_t Movement_Speed_Per_Difficulty = 0; // ms taken off per difficulty step
    std::vector<TNamed_Value> Spell_Cast_Chances;
};

// Whether a monster of this group may be chosen where wanted is asked for: either
// group inside the other (lower-cased), an empty or "any" class group, or "all"/"none"
// wanted.
bool Monster_Group_Matches(const std::string& class_group, const std::string& wanted);

class TMonster_Class_List {
  public:
    TMonster_General_Info General;

    // Nothing for 0, above Count, or an empty slot.
    const TMonster_Class* Get(int32_t i) const;
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // Stores a copy in the first empty slot (or appends); returns its number.
    uint16_t Add(const TMonster_Class& monster_class);
    void Delete(int32_t i);
    void Clear();

    // A class of that name (ignoring case) whose group matches, chosen uniformly at
    // random; nothing when there is none.
    const TMonster_Class* Find_Random_Class(const std::string& name,
                                            const std::string& group) const;
    // The interval of the general movement speed of exactly that name, 0 for none.
    int32_t Get_Movement_Interval(const std::string& name) const;

  private:
    std::vector<std::unique_ptr<TMonster_Class>> slots_;
};

// Whether a sound file of that name exists in the sound folder; given when the loader
// checks files.
using TSound_File_Check = std::function<bool(const std::string& name)>;

// Clears the list and reads the file into it; the errors are returned, not shown.
// Spell names are looked up in the master spell list, which must be loaded first.
//
// Record 1, "General Monster Info": "Monster Base Health Modifier",
// "Monster Base Attack Ability Modifier", "Monster Base Defense Ability Modifier",
// "Monster Base Health Start", "Monster Base Attack Ability Start",
// "Monster Base Defense Ability Start", "Monster Base Damage Min Start",
// "Monster Base Damage Max Start", "Monster <What> Modifier Per Level Added Percent",
// "Monster <What> Modifier Per Level Added Amount",
// "Monster <What> Modifier Per Difficulty Level Pct" (What: Health, Damage, Attack,
// Defense), "Monster Base Resist All Start",
// "Monster Resist All Modifier Per Level Added Amount",
// "Monster Gold Carried Per Level Chance", "Monster Gold Carried Per Level Minimum",
// "Monster Gold Carried Per Level Maximum", "Spell Level Per Monster Level",
// "Number Of Movement Speeds", "Movement Speed <i> Name",
// "Movement Speed <i> Time Interval in Milliseconds",
// "Movement Speed Modifier Per Difficulty Level MS", "Number Of Spell Cast Chances",
// "Spell Cast Chance <i> Name", "Spell Cast Chance <i> Percent".
// Every later record is one class: "Name", "Description", "Picture Filename",
// "Attack Picture Filename", "Event ID", "Map Appearance Chance", "Monster Group",
// "Is Unique Monster", "Is Undead", "Weight", "Health Min", "Health Max",
// "Attack Ability Min", "Attack Ability Max", "Defense Ability Min",
// "Defense Ability Max", "Corpse Type", "Light Radius Generated", "Can Be Given Items",
// "Movement Flag Land", "Movement Flag Air", "Movement Flag Water",
// "Movement Flag Ethereal", "Intelligence Category", "Does Attack Character",
// "When To Retreat", "Response Range", "Movement Strategy", "Movement Speed",
// "Sound File Death", "Sound File Attack", "Sound File Growl", "Num Items Carried",
// "Item <i> Class", "Item <i> Chance", "Store ID", the effect keys,
// "Number of Spells For Use", "Spell <i> Name", "Spell <i> Chance To Use", the natural
// attack keys, "Number of Talk Topics", "Talk Topic <i> Name", "Talk Topic <i> Text".
TData_File_Report Load_Monster_Classes(const std::string& path, TMonster_Class_List& list,
                                       const TSound_File_Check& sound_exists = {});

struct TMonster_Modifier_Class {
    std::string Name;
    uint16_t Level_Min = 0, Level_Max = 0;
    uint16_t Experience_Bonus_Percent = 0;
    TEffect_List Effects;
};

// One chance entry of the modifier header: with this percent, a monster of a level in
// the range receives this many modifiers.
struct TMonster_Modifier_Chance {
    uint16_t Level_Min = 0, Level_Max = 0;
    uint16_t Percent = 0;
    uint16_t Number_Of_Modifiers = 0;
};

struct TMonster_Modifier_Tables {
    std::vector<TMonster_Modifier_Chance> Header;
    std::vector<TMonster_Modifier_Class> Modifiers; // modifier k at k - 1
    void Clear() {
        Header.clear();
        Modifiers.clear();
    }
    // How many modifiers a monster of the level gets for the roll r in 1..100.
    int32_t Modifier_Count(int32_t level, int32_t roll) const;
};

// The tables of the chosen module.
extern TMonster_Modifier_Tables Monster_Modifiers;

// Clears the tables and reads the file into them; the errors are returned, not shown.
// Record 1: "Number of Modifier Groups", "Modifier Group <g> Level Min",
// "Modifier Group <g> Level Max", "Modifier Group <g> Number of Chances",
// "Modifier Group <g> Chance <c> Percent", "Modifier Group <g> Chance <c> Num Modifiers".
// Every later record is one modifier: "Name", "Monster Level Min", "Monster Level Max",
// "Monster Experience Bonus Percent" (optional), the effect keys.
TData_File_Report Load_Monster_Modifiers(const std::string& path,
                                         TMonster_Modifier_Tables& tables = Monster_Modifiers);
