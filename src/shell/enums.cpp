#include "shell/enums.h"

#include <array>

namespace {

// The name of an enumeration value from its table; values past the table have none.
template <size_t N, typename Enum>
std::string_view name_of(const std::array<std::string_view, N>& names, Enum value) {
    const auto index = static_cast<size_t>(value);
    return index < N ? names[index] : std::string_view();
}

} // namespace

std::string_view Item_Type_Name(TItem_Type value) {
    static constexpr std::array<std::string_view, 24> names = {
        "None",   "Ammo",  "Amulet",   "Armor", "Belt",   "Boots", "Bow",     "Food",
        "Gloves", "Helm",  "Key",      "Misc",  "Potion", "Ring",  "Scepter", "Scroll",
        "Shield", "Staff", "Treasure", "Wand",  "Weapon", "Gold",  "Glyph",   "Orb"};
    return name_of(names, value);
}

std::string_view Retreat_When_Name(TRetreat_When value) {
    static constexpr std::array<std::string_view, 5> names = {
        "None", "When lightly hurt", "When moderately hurt", "When severely hurt", "Never Retreat"};
    return name_of(names, value);
}

std::string_view Response_Range_Name(TResponse_Range value) {
    static constexpr std::array<std::string_view, 6> names = {
        "None", "When Seen", "Long Range", "Medium Range", "Short Range", "Point Blank"};
    return name_of(names, value);
}

std::string_view Movement_Strategy_Name(TMovement_Strategy value) {
    static constexpr std::array<std::string_view, 14> names = {"None",
                                                               "None",
                                                               "Stay Put",
                                                               "Wander Around",
                                                               "Patrol",
                                                               "Hunt",
                                                               "Ranged Hunt",
                                                               "Guard",
                                                               "Keep Away",
                                                               "Follow",
                                                               "Guard Monster",
                                                               "Anchored 3 Squares",
                                                               "Anchored 5 Squares",
                                                               "Anchored 10 Squares"};
    return name_of(names, value);
}

std::string_view Monster_Status_Name(TMonster_Status value) {
    static constexpr std::array<std::string_view, 6> names = {"Normal", "Panic",     "Poisoned",
                                                              "Blind",  "Paralyzed", "Sleeping"};
    return name_of(names, value);
}

std::string_view Consumption_Type_Name(TConsumption_Type value) {
    static constexpr std::array<std::string_view, 13> names = {"None",
                                                               "Food",
                                                               "Health",
                                                               "Mana",
                                                               "Cure Poison",
                                                               "Timed Effect",
                                                               "Permanent Effect",
                                                               "Permanent Health",
                                                               "Permanent Mana",
                                                               "Permanent Strength",
                                                               "Permanent Intelligence",
                                                               "Permanent Dexterity",
                                                               "Permanent Constitution"};
    return name_of(names, value);
}

std::string_view Corpse_Type_Name(TCorpse_Type value) {
    static constexpr std::array<std::string_view, 9> names = {
        "None",         "Small Skeleton", "Medium Skeleton", "Large Skeleton", "Huge Skeleton",
        "Small Corpse", "Medium Corpse",  "Large Corpse",    "Huge Corpse"};
    return name_of(names, value);
}

std::string_view Connection_Type_Name(TConnection_Type value) {
    static constexpr std::array<std::string_view, 5> names = {
        "", "Two Way - Always", "Two Way - Destination Initiated", "Two Way - Source Initiated",
        "One Way Only"};
    return name_of(names, value);
}

std::string_view Intelligence_Category_Name(TIntelligence_Category value) {
    static constexpr std::array<std::string_view, 5> names = {"None", "Minimal", "Animal", "Novice",
                                                              "Expert"};
    return name_of(names, value);
}

std::string_view Quest_Trigger_Name(TQuest_Trigger value) {
    static constexpr std::array<std::string_view, 5> names = {
        "None", "Item Given To Monster", "Monster Killed", "Monster Talked To About Topic",
        "Quest Completed"};
    return name_of(names, value);
}

std::string_view Quest_Action_Name(TQuest_Action value) {
    static constexpr std::array<std::string_view, 8> names = {"None",
                                                              "Quest Completed",
                                                              "Quest Failed",
                                                              "Quest Visible True",
                                                              "Quest Visible False",
                                                              "Display Text",
                                                              "End Game",
                                                              "Play Music"};
    return name_of(names, value);
}

std::string_view Modifier_Position_Name(TModifier_Position value) {
    static constexpr std::array<std::string_view, 3> names = {"", "Prefix", "Suffix"};
    return name_of(names, value);
}

std::string_view Amount_Kind_Name(TAmount_Kind value) {
    static constexpr std::array<std::string_view, 3> names = {"", "Number", "Percent"};
    return name_of(names, value);
}

std::string_view Animation_Kind_Name(TAnimation_Kind value) {
    static constexpr std::array<std::string_view, 3> names = {"", "Directional", "Frames"};
    return name_of(names, value);
}

std::string_view Effect_Target_Name(TEffect_Target value) {
    static constexpr std::array<std::string_view, 7> names = {
        "", "None", "Monster", "Self", "Location", "Always On", "Monster Area"};
    return name_of(names, value);
}

std::string_view Effect_Type_Name(TEffect_Type value) {
    static constexpr std::array<std::string_view, 78> names = {"",
                                                               "Attack Ignores Targets Defense",
                                                               "Attack Ability",
                                                               "Attacker Takes Damage",
                                                               "Cold Damage",
                                                               "Cold Resist",
                                                               "Constitution",
                                                               "Damage",
                                                               "Damage Generates Mana",
                                                               "Damage Reduction",
                                                               "Defense Ability",
                                                               "Dexterity",
                                                               "Each Kill Regenerates Mana",
                                                               "Fire Damage",
                                                               "Fire Resist",
                                                               "Gold Value",
                                                               "Intelligence",
                                                               "Life",
                                                               "Life Current",
                                                               "Life Regeneration",
                                                               "Life Stolen",
                                                               "Light Radius",
                                                               "Lightning Damage",
                                                               "Lightning Resist",
                                                               "Magic Damage",
                                                               "Magic Resist",
                                                               "Make Monsters Flee",
                                                               "Mana",
                                                               "Mana Regeneration",
                                                               "Mana Current",
                                                               "Mana Stolen",
                                                               "Maximum Damage",
                                                               "Minimum Damage",
                                                               "Monster Increase Health",
                                                               "Monster Increase Attack Ability",
                                                               "Monster Increase Defense Ability",
                                                               "Monster Increase Min Damage",
                                                               "Monster Increase Max Damage",
                                                               "Monster Increase Move Speed",
                                                               "Monster Increase Attack Speed",
                                                               "Monster Increase Damage Resistance",
                                                               "More Gold",
                                                               "Poison Damage",
                                                               "Poison Length Reduction",
                                                               "Poison Resist",
                                                               "Reduce Target Defense",
                                                               "Reduce Target Resist All",
                                                               "Resist All",
                                                               "Skill Levels",
                                                               "Strength",
                                                               "Two Weapons",
                                                               "Bash Doors",
                                                               "Detect Secret Doors",
                                                               "Detect Traps",
                                                               "Pick Locks",
                                                               "Reduced Detection Chance",
                                                               "Physical Resist",
                                                               "Reduce Target Attack Ability",
                                                               "Cure Poison",
                                                               "Detect Evil",
                                                               "Decrease Current Hunger",
                                                               "Blind Target",
                                                               "Change Allegiance",
                                                               "Reduce Target Damage",
                                                               "Damage All",
                                                               "Remove Curse",
                                                               "Cause Sleep",
                                                               "Dispel Undead",
                                                               "Reduce Target Movement",
                                                               "Hunger",
                                                               "Weight",
                                                               "Paralyze Target",
                                                               "Teleport",
                                                               "Reduce Movement",
                                                               "Reduce Attack Ability",
                                                               "Reduce Defense Ability",
                                                               "Reduce Resist All",
                                                               "Reduce Damage"};
    return name_of(names, value);
}
