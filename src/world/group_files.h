#pragma once
// The group files a module's maps use while they are made or played: chance groups
// ("ChanceGroups.txt") choose the type of a random item and which locked and trapped
// terrain groups apply; trap groups ("TrapGroups.txt") hold traps that grow with the
// level; monster groups are bands of monsters with a leader; the random-items-carried
// rules give monsters items. Each file fills a process-wide table, record k at index
// k - 1, replacing what was there.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/damage.h"
#include "rules/effect_list.h"
#include "rules/monster_creation.h"
#include "rules/record_fields.h"

// ---- Chance groups ----

struct TModule_Chance_Group {
    uint16_t Chance_Group_ID = 0;
    std::vector<std::string> Item_Type_Names;
    std::vector<uint16_t> Item_Type_Percents;
    std::vector<std::string> Locked_Group_Names;
    std::vector<uint16_t> Locked_Group_Percents;
    std::vector<std::string> Trapped_Group_Names;
    std::vector<uint16_t> Trapped_Group_Percents;
    // Entries 1..100 at index 0..99: an item type number, 0 for no item.
    std::array<uint8_t, 100> Item_Type_Table{};

    // Fills the table in item type order, each type taking as many entries as its
    // percent (the last percent given for a name counts). Percents beyond the 100
    // entries are cut off: the types that come later get none.
    void Build_Item_Type_Table();
    // Entry r (1..100) of the table; 0 outside.
    uint8_t Item_Type_At(int32_t r) const;
    // A random entry of the table.
    uint8_t Roll_Item_Type() const;
};

extern std::vector<TModule_Chance_Group> Chance_Groups;

// Keys: "Chance Group ID", "Number Of Item Types", "Item Type <n> Name",
// "Item Type <n> Percent Chance", "Number Of Locked Terrain Groups",
// "Locked Terrain Group <n> Name", "Locked Terrain Group <n> Percent Chance",
// "Number Of Trapped Terrain Groups", "Trapped Terrain Group <n> Name",
// "Trapped Terrain Group <n> Percent Chance". Each group's item type table is built.
TData_File_Report Read_Chance_Groups(const std::string& path,
                                     std::vector<TModule_Chance_Group>& table = Chance_Groups);
bool Load_Chance_Groups(const std::string& path);
void Free_Chance_Groups();
// Position (1-based) of the last group with the ID; 0 for none or for ID 0.
int32_t Find_Chance_Group_Index(uint16_t id,
                                const std::vector<TModule_Chance_Group>& table = Chance_Groups);

// ---- Trap groups ----

struct TModule_Trap_Group_Spec_Trap {
    TDamage Damage;
    uint16_t Damage_Per_Level = 0;
    TEffect_List Effects;
    // Parallel to Effects, one entry per effect: TAmount_Kind (1 "Number",
    // 2 "Percent") and the growth of the two amounts per level.
    std::vector<uint16_t> Effect_Modifier_Types;
    std::vector<uint16_t> Effect_Min_Per_Level;
    std::vector<uint16_t> Effect_Max_Per_Level;

    // Grows the trap for a creature of the level; level 1 leaves it as it is. Amounts
    // saturate in their fields instead of wrapping (a level of 0 shrinks the trap).
    void Scale_Trap(int32_t level);
};

struct TModule_Trap_Group {
    std::string Trap_Group_Name;
    uint16_t Trap_Count = 0;
    std::vector<TModule_Trap_Group_Spec_Trap> Traps; // trap n at index n - 1
};

extern std::vector<TModule_Trap_Group> Trap_Groups;

// Keys: "Trap Group Name", "Number Of Trap Types"; for trap N, with Q = "Trap Type <N> ":
// the damage keys with prefix Q, Q "Damage Amount Per Level Modifier", the effect list
// keys with prefix Q, and for each effect E of the list, Q "Effect <E> Per Level
// Modifier Type" ("Number" or "Percent"), Q "Effect <E> Min Amt Per Level Modifier",
// Q "Effect <E> Max Amt Per Level Modifier". E is the effect's number in the file, so
// a skipped effect does not shift the growth of the ones after it.
TData_File_Report Read_Trap_Groups(const std::string& path,
                                   std::vector<TModule_Trap_Group>& table = Trap_Groups);
bool Load_Trap_Groups(const std::string& path);
void Free_Trap_Groups();
// The last group with exactly that name, or nothing.
const TModule_Trap_Group*
Find_Trap_Group(const std::string& name,
                const std::vector<TModule_Trap_Group>& table = Trap_Groups);
// A random trap of the named group (unscaled), or nothing when there is no such group
// or it has no traps.
const TModule_Trap_Group_Spec_Trap*
Choose_Trap(const std::string& name, const std::vector<TModule_Trap_Group>& table = Trap_Groups);

// ---- Monster groups ----

struct TModule_Monster_Group_Monster {
    std::string Class_Name;
    bool Is_Leader = false;
    uint16_t Level_Min_Plus = 0;
    std::vector<std::string> Modifier_Types;
};

struct TModule_Monster_Group {
    std::string Group_Name;
    uint16_t Follow_Distance = 0;
    std::string Monster_Group;
    std::string Leader_Name_Prefix;
    std::string Leader_Name_Suffix;
    uint16_t Member_Count = 0;
    std::vector<TModule_Monster_Group_Monster> Members; // member n at index n - 1
};

extern std::vector<TModule_Monster_Group> Monster_Groups;

// Keys: "Group Name", "Follow Distance", "Monster Group", "Leader Name Prefix",
// "Leader Name Suffix", "Number In Group", "Group Monster <n> Class Name",
// "Group Monster <n> Is Leader", "Group Monster <n> Monster Level Min Plus",
// "Group Monster <n> Number of Modifiers", "Group Monster <n> Modifier <m> Type".
TData_File_Report Read_Monster_Groups(const std::string& path,
                                      std::vector<TModule_Monster_Group>& table = Monster_Groups);
bool Load_Monster_Groups(const std::string& path);
void Free_Monster_Groups();
// Whether the group may be placed on a map of the grouping type: an empty group word or
// "any", a grouping type "all" or "none", or either text inside the other (all ignoring
// case).
bool Matches_Grouping_Type(const TModule_Monster_Group& group, const std::string& grouping_type);

// ---- Random items carried ----

// The records are the rules monster creation rolls for every monster it makes.
using TModule_Monster_Rand_Items_Carried = TCarried_Item_Rule;

extern std::vector<TModule_Monster_Rand_Items_Carried> Monster_Rand_Items_Carried;

// Keys: "Item Base Chance", "Item Chance Per Monster Level",
// "Number Of Possible Item Classes", "Item Class <n> Name".
TData_File_Report Read_Monster_Rand_Items_Carried(
    const std::string& path,
    std::vector<TModule_Monster_Rand_Items_Carried>& table = Monster_Rand_Items_Carried);
bool Load_Monster_Rand_Items_Carried(const std::string& path);
void Free_Monster_Rand_Items_Carried();

// ---- The validator's checks, each into a table of its own ----

TData_File_Report Check_Chance_Groups_File(const std::string& path);
TData_File_Report Check_Trap_Groups_File(const std::string& path);
TData_File_Report Check_Monster_Groups_File(const std::string& path);
TData_File_Report Check_Monster_Rand_Items_Carried_File(const std::string& path);
