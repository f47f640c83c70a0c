#pragma once
// The enumerations the data files and saves name, each an 8-bit value, with the
// texts the data files use and the player sees. Other values than those listed have
// the empty name.

#include <cstdint>
#include <string>
#include <string_view>

// data-file field "Type" of item classes.
enum class TItem_Type : uint8_t {
    None = 0,
    Ammo = 1,
    Amulet = 2,
    Armor = 3,
    Belt = 4,
    Boots = 5,
    Bow = 6,
    Food = 7,
    Gloves = 8,
    Helm = 9,
    Key = 10,
    Misc = 11,
    Potion = 12,
    Ring = 13,
    Scepter = 14,
    Scroll = 15,
    Shield = 16,
    Staff = 17,
    Treasure = 18,
    Wand = 19,
    Weapon = 20,
    Gold = 21,
    Glyph = 22,
    Orb = 23,
};
inline constexpr int Item_Type_Last = 23;
std::string_view Item_Type_Name(TItem_Type value);
inline std::string_view Enum_Name(TItem_Type value) {
    return Item_Type_Name(value);
}

// "When To Retreat".
enum class TRetreat_When : uint8_t {
    None = 0,
    When_lightly_hurt = 1,
    When_moderately_hurt = 2,
    When_severely_hurt = 3,
    Never_Retreat = 4,
};
inline constexpr int Retreat_When_Last = 4;
std::string_view Retreat_When_Name(TRetreat_When value);
inline std::string_view Enum_Name(TRetreat_When value) {
    return Retreat_When_Name(value);
}

// "Response Range".
enum class TResponse_Range : uint8_t {
    None = 0,
    When_Seen = 1,
    Long_Range = 2,
    Medium_Range = 3,
    Short_Range = 4,
    Point_Blank = 5,
};
inline constexpr int Response_Range_Last = 5;
std::string_view Response_Range_Name(TResponse_Range value);
inline std::string_view Enum_Name(TResponse_Range value) {
    return Response_Range_Name(value);
}

// "Movement Strategy"; 0 and 1 are both "None".
enum class TMovement_Strategy : uint8_t {
    None = 0,
    None_1 = 1, // a second value named "None"
    Stay_Put = 2,
    Wander_Around = 3,
    Patrol = 4,
    Hunt = 5,
    Ranged_Hunt = 6,
    Guard = 7,
    Keep_Away = 8,
    Follow = 9,
    Guard_Monster = 10,
    Anchored_3_Squares = 11,
    Anchored_5_Squares = 12,
    Anchored_10_Squares = 13,
};
inline constexpr int Movement_Strategy_Last = 13;
std::string_view Movement_Strategy_Name(TMovement_Strategy value);
inline std::string_view Enum_Name(TMovement_Strategy value) {
    return Movement_Strategy_Name(value);
}

// a creature's condition.
enum class TMonster_Status : uint8_t {
    Normal = 0,
    Panic = 1,
    Poisoned = 2,
    Blind = 3,
    Paralyzed = 4,
    Sleeping = 5,
};
inline constexpr int Monster_Status_Last = 5;
std::string_view Monster_Status_Name(TMonster_Status value);
inline std::string_view Enum_Name(TMonster_Status value) {
    return Monster_Status_Name(value);
}

// "Consumption Type".
enum class TConsumption_Type : uint8_t {
    None = 0,
    Food = 1,
    Health = 2,
    Mana = 3,
    Cure_Poison = 4,
    Timed_Effect = 5,
    Permanent_Effect = 6,
    Permanent_Health = 7,
    Permanent_Mana = 8,
    Permanent_Strength = 9,
    Permanent_Intelligence = 10,
    Permanent_Dexterity = 11,
    Permanent_Constitution = 12,
};
inline constexpr int Consumption_Type_Last = 12;
std::string_view Consumption_Type_Name(TConsumption_Type value);
inline std::string_view Enum_Name(TConsumption_Type value) {
    return Consumption_Type_Name(value);
}

// "Corpse Type".
enum class TCorpse_Type : uint8_t {
    None = 0,
    Small_Skeleton = 1,
    Medium_Skeleton = 2,
    Large_Skeleton = 3,
    Huge_Skeleton = 4,
    Small_Corpse = 5,
    Medium_Corpse = 6,
    Large_Corpse = 7,
    Huge_Corpse = 8,
};
inline constexpr int Corpse_Type_Last = 8;
std::string_view Corpse_Type_Name(TCorpse_Type value);
inline std::string_view Enum_Name(TCorpse_Type value) {
    return Corpse_Type_Name(value);
}

// map connection " Connection Type" fields; 0 has no name.
enum class TConnection_Type : uint8_t {
    No_Connection = 0,
    Two_Way_Always = 1,
    Two_Way_Destination_Initiated = 2,
    Two_Way_Source_Initiated = 3,
    One_Way_Only = 4,
};
inline constexpr int Connection_Type_Last = 4;
std::string_view Connection_Type_Name(TConnection_Type value);
inline std::string_view Enum_Name(TConnection_Type value) {
    return Connection_Type_Name(value);
}

// "Intelligence Category".
enum class TIntelligence_Category : uint8_t {
    None = 0,
    Minimal = 1,
    Animal = 2,
    Novice = 3,
    Expert = 4,
};
inline constexpr int Intelligence_Category_Last = 4;
std::string_view Intelligence_Category_Name(TIntelligence_Category value);
inline std::string_view Enum_Name(TIntelligence_Category value) {
    return Intelligence_Category_Name(value);
}

// event trigger types.
enum class TQuest_Trigger : uint8_t {
    None = 0,
    Item_Given_To_Monster = 1,
    Monster_Killed = 2,
    Monster_Talked_To_About_Topic = 3,
    Quest_Completed = 4,
};
inline constexpr int Quest_Trigger_Last = 4;
std::string_view Quest_Trigger_Name(TQuest_Trigger value);
inline std::string_view Enum_Name(TQuest_Trigger value) {
    return Quest_Trigger_Name(value);
}

// event result types.
enum class TQuest_Action : uint8_t {
    None = 0,
    Quest_Completed = 1,
    Quest_Failed = 2,
    Quest_Visible_True = 3,
    Quest_Visible_False = 4,
    Display_Text = 5,
    End_Game = 6,
    Play_Music = 7,
};
inline constexpr int Quest_Action_Last = 7;
std::string_view Quest_Action_Name(TQuest_Action value);
inline std::string_view Enum_Name(TQuest_Action value) {
    return Quest_Action_Name(value);
}

// "Modifier Type" of item modifiers.
enum class TModifier_Position : uint8_t {
    Unset = 0,
    Prefix = 1,
    Suffix = 2,
};
inline constexpr int Modifier_Position_Last = 2;
std::string_view Modifier_Position_Name(TModifier_Position value);
inline std::string_view Enum_Name(TModifier_Position value) {
    return Modifier_Position_Name(value);
}

// fields ending in "Modifier Type" (" Per Level Modifier Type").
enum class TAmount_Kind : uint8_t {
    Unset = 0,
    Number = 1,
    Percent = 2,
};
inline constexpr int Amount_Kind_Last = 2;
std::string_view Amount_Kind_Name(TAmount_Kind value);
inline std::string_view Enum_Name(TAmount_Kind value) {
    return Amount_Kind_Name(value);
}

// "Type" of display effects.
enum class TAnimation_Kind : uint8_t {
    Unset = 0,
    Directional = 1,
    Frames = 2,
};
inline constexpr int Animation_Kind_Last = 2;
std::string_view Animation_Kind_Name(TAnimation_Kind value);
inline std::string_view Enum_Name(TAnimation_Kind value) {
    return Animation_Kind_Name(value);
}

// who an effect acts on.
enum class TEffect_Target : uint8_t {
    Unset = 0,
    No_Target = 1,
    Monster = 2,
    Self = 3,
    Location = 4,
    Always_On = 5,
    Monster_Area = 6,
};
inline constexpr int Effect_Target_Last = 6;
std::string_view Effect_Target_Name(TEffect_Target value);
inline std::string_view Enum_Name(TEffect_Target value) {
    return Effect_Target_Name(value);
}

// effect types of every effect list.
enum class TEffect_Type : uint8_t {
    Unset = 0,
    Attack_Ignores_Targets_Defense = 1,
    Attack_Ability = 2,
    Attacker_Takes_Damage = 3,
    Cold_Damage = 4,
    Cold_Resist = 5,
    Constitution = 6,
    Damage = 7,
    Damage_Generates_Mana = 8,
    Damage_Reduction = 9,
    Defense_Ability = 10,
    Dexterity = 11,
    Each_Kill_Regenerates_Mana = 12,
    Fire_Damage = 13,
    Fire_Resist = 14,
    Gold_Value = 15,
    Intelligence = 16,
    Life = 17,
    Life_Current = 18,
    Life_Regeneration = 19,
    Life_Stolen = 20,
    Light_Radius = 21,
    Lightning_Damage = 22,
    Lightning_Resist = 23,
    Magic_Damage = 24,
    Magic_Resist = 25,
    Make_Monsters_Flee = 26,
    Mana = 27,
    Mana_Regeneration = 28,
    Mana_Current = 29,
    Mana_Stolen = 30,
    Maximum_Damage = 31,
    Minimum_Damage = 32,
    Monster_Increase_Health = 33,
    Monster_Increase_Attack_Ability = 34,
    Monster_Increase_Defense_Ability = 35,
    Monster_Increase_Min_Damage = 36,
    Monster_Increase_Max_Damage = 37,
    Monster_Increase_Move_Speed = 38,
    Monster_Increase_Attack_Speed = 39,
    Monster_Increase_Damage_Resistance = 40,
    More_Gold = 41,
    Poison_Damage = 42,
    Poison_Length_Reduction = 43,
    Poison_Resist = 44,
    Reduce_Target_Defense = 45,
    Reduce_Target_Resist_All = 46,
    Resist_All = 47,
    Skill_Levels = 48,
    Strength = 49,
    Two_Weapons = 50,
    Bash_Doors = 51,
    Detect_Secret_Doors = 52,
    Detect_Traps = 53,
    Pick_Locks = 54,
    Reduced_Detection_Chance = 55,
    Physical_Resist = 56,
    Reduce_Target_Attack_Ability = 57,
    Cure_Poison = 58,
    Detect_Evil = 59,
    Decrease_Current_Hunger = 60,
    Blind_Target = 61,
    Change_Allegiance = 62,
    Reduce_Target_Damage = 63,
    Damage_All = 64,
    Remove_Curse = 65,
    Cause_Sleep = 66,
    Dispel_Undead = 67,
    Reduce_Target_Movement = 68,
    Hunger = 69,
    Weight = 70,
    Paralyze_Target = 71,
    Teleport = 72,
    Reduce_Movement = 73,
    Reduce_Attack_Ability = 74,
    Reduce_Defense_Ability = 75,
    Reduce_Resist_All = 76,
    Reduce_Damage = 77,
};
inline constexpr int Effect_Type_Last = 77;
std::string_view Effect_Type_Name(TEffect_Type value);
inline std::string_view Enum_Name(TEffect_Type value) {
    return Effect_Type_Name(value);
}

// Finds the value whose name is exactly text (case included, the whole text). False,
// and value untouched, when no name matches; an empty text never matches. Where two
// values share a name the lower one is found.
template <typename T> bool Find_Enum_Value(std::string_view text, T& value) {
    if (text.empty())
        return false;
    for (int i = 0; i <= 255; ++i) {
        const T candidate = static_cast<T>(i);
        if (Enum_Name(candidate) == text) {
            value = candidate;
            return true;
        }
    }
    return false;
}
