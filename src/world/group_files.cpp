#include "world/group_files.h"

#include <algorithm>
#include <limits>

#include "datafiles/data_file_errors.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "shell/random.h"

std::vector<TModule_Chance_Group> Chance_Groups;
std::vector<TModule_Trap_Group> Trap_Groups;
std::vector<TModule_Monster_Group> Monster_Groups;
std::vector<TModule_Monster_Rand_Items_Carried> Monster_Rand_Items_Carried;

namespace {

// Reads a counted list of names with their percents: "<what> <n> Name" and
// "<what> <n> Percent Chance" for n = 1 to the count under count_key.
void read_percent_list(TRecord_Fields& record, const std::string& count_key,
                       const std::string& what, std::vector<std::string>& names,
                       std::vector<uint16_t>& percents) {
    const uint16_t count = record.Get_Word(count_key);
    for (int32_t n = 1; n <= count; ++n) {
        const std::string key = what + " " + std::to_string(n);
        names.push_back(record.Get_String(key + " Name"));
        percents.push_back(record.Get_Word(key + " Percent Chance"));
    }
}

class TChance_Group_Loader : public TRecord_Loader {
  public:
    TChance_Group_Loader(const std::string& path, std::vector<TModule_Chance_Group>& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TModule_Chance_Group group;
        group.Chance_Group_ID = Get_Word("Chance Group ID");
        Set_Record_Name(std::to_string(group.Chance_Group_ID));
        read_percent_list(*this, "Number Of Item Types", "Item Type", group.Item_Type_Names,
                          group.Item_Type_Percents);
        read_percent_list(*this, "Number Of Locked Terrain Groups", "Locked Terrain Group",
                          group.Locked_Group_Names, group.Locked_Group_Percents);
        read_percent_list(*this, "Number Of Trapped Terrain Groups", "Trapped Terrain Group",
                          group.Trapped_Group_Names, group.Trapped_Group_Percents);
        group.Build_Item_Type_Table();
        table_.push_back(std::move(group));
    }

  private:
    std::vector<TModule_Chance_Group>& table_;
};

class TTrap_Group_Loader : public TRecord_Loader {
  public:
    TTrap_Group_Loader(const std::string& path, std::vector<TModule_Trap_Group>& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TModule_Trap_Group group;
        group.Trap_Group_Name = Get_String("Trap Group Name");
        Set_Record_Name(group.Trap_Group_Name);
        group.Trap_Count = Get_Word("Number Of Trap Types");
        for (int32_t n = 1; n <= group.Trap_Count; ++n)
            group.Traps.push_back(read_trap("Trap Type " + std::to_string(n) + " "));
        table_.push_back(std::move(group));
    }

  private:
    TModule_Trap_Group_Spec_Trap read_trap(const std::string& q) {
        TModule_Trap_Group_Spec_Trap trap;
        trap.Damage.Load_From_Data_File(*this, q);
        trap.Damage_Per_Level = Get_Word(q + "Damage Amount Per Level Modifier");
        trap.Effects.Load_From_Data_File(*this, q);
        // The effect list leaves out effects of an unknown type; the growth keys of the
        // kept ones are still numbered as in the file.
        const uint16_t count = Get_Word(q + "Number of Effects", false);
        for (int32_t e = 1; e <= count; ++e) {
            const std::string r = q + "Effect " + std::to_string(e);
            TEffect_Type effect_type = TEffect_Type::Unset;
            if (!Find_Enum_Value(Get_String(r + " Type", false), effect_type))
                continue;
            const std::string kind_text = Get_String(r + " Per Level Modifier Type");
            TAmount_Kind kind = TAmount_Kind::Unset;
            uint16_t min = 0;
            uint16_t max = 0;
            if (Find_Enum_Value(kind_text, kind)) {
                min = Get_Word(r + " Min Amt Per Level Modifier");
                max = Get_Word(r + " Max Amt Per Level Modifier");
            } else {
                // Kept in its place, as a growth of nothing, so the lists stay parallel.
                Report_Unknown_Value(kind_text, r + " Per Level Modifier Type");
                kind = TAmount_Kind::Number;
            }
            trap.Effect_Modifier_Types.push_back(static_cast<uint16_t>(kind));
            trap.Effect_Min_Per_Level.push_back(min);
            trap.Effect_Max_Per_Level.push_back(max);
        }
        return trap;
    }

    std::vector<TModule_Trap_Group>& table_;
};

class TMonster_Group_Loader : public TRecord_Loader {
  public:
    TMonster_Group_Loader(const std::string& path, std::vector<TModule_Monster_Group>& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TModule_Monster_Group group;
        group.Group_Name = Get_String("Group Name");
        Set_Record_Name(group.Group_Name);
        group.Follow_Distance = Get_Word("Follow Distance");
        group.Monster_Group = Get_String("Monster Group");
        group.Leader_Name_Prefix = Get_String("Leader Name Prefix");
        group.Leader_Name_Suffix = Get_String("Leader Name Suffix");
        group.Member_Count = Get_Word("Number In Group");
        for (int32_t n = 1; n <= group.Member_Count; ++n) {
            const std::string key = "Group Monster " + std::to_string(n);
            TModule_Monster_Group_Monster member;
            member.Class_Name = Get_String(key + " Class Name");
            member.Is_Leader = Get_Bool(key + " Is Leader");
            member.Level_Min_Plus = Get_Word(key + " Monster Level Min Plus");
            const uint16_t modifiers = Get_Word(key + " Number of Modifiers");
            for (int32_t m = 1; m <= modifiers; ++m)
                member.Modifier_Types.push_back(
                    Get_String(key + " Modifier " + std::to_string(m) + " Type"));
            group.Members.push_back(std::move(member));
        }
        table_.push_back(std::move(group));
    }

  private:
    std::vector<TModule_Monster_Group>& table_;
};

class TRand_Items_Carried_Loader : public TRecord_Loader {
  public:
    TRand_Items_Carried_Loader(const std::string& path,
                               std::vector<TModule_Monster_Rand_Items_Carried>& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TModule_Monster_Rand_Items_Carried rule;
        rule.Item_Base_Chance = Get_Word("Item Base Chance");
        Set_Record_Name(std::to_string(rule.Item_Base_Chance));
        rule.Item_Chance_Per_Level = Get_Word("Item Chance Per Monster Level");
        const uint16_t count = Get_Word("Number Of Possible Item Classes");
        for (int32_t n = 1; n <= count; ++n)
            rule.Item_Class_Names.push_back(
                Get_String("Item Class " + std::to_string(n) + " Name"));
        table_.push_back(std::move(rule));
    }

  private:
    std::vector<TModule_Monster_Rand_Items_Carried>& table_;
};

template <typename TLoader, typename TTable>
TData_File_Report read_table(const std::string& path, TTable& table, const char* heading) {
    table.clear();
    TLoader loader(path, table);
    loader.Execute_Load();
    return {heading, path, loader.Get_Error_List()};
}

bool show(const TData_File_Report& report) {
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

int32_t saturate_int32(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

// ---- Chance groups ----

void TModule_Chance_Group::Build_Item_Type_Table() {
    Item_Type_Table.fill(0);
    size_t p = 0;
    for (int32_t t = 1; t <= Item_Type_Last; ++t) {
        const std::string_view name = Item_Type_Name(static_cast<TItem_Type>(t));
        uint16_t percent = 0;
        for (size_t i = 0; i < Item_Type_Names.size() && i < Item_Type_Percents.size(); ++i)
            if (Item_Type_Names[i] == name)
                percent = Item_Type_Percents[i];
        for (uint16_t k = 0; k < percent && p < Item_Type_Table.size(); ++k)
            Item_Type_Table[p++] = static_cast<uint8_t>(t);
    }
}

uint8_t TModule_Chance_Group::Item_Type_At(int32_t r) const {
    if (r < 1 || r > static_cast<int32_t>(Item_Type_Table.size()))
        return 0;
    return Item_Type_Table[static_cast<size_t>(r) - 1];
}

uint8_t TModule_Chance_Group::Roll_Item_Type() const {
    return Item_Type_At(Random_Range(1, 100));
}

TData_File_Report Read_Chance_Groups(const std::string& path,
                                     std::vector<TModule_Chance_Group>& table) {
    return read_table<TChance_Group_Loader>(path, table, Chance_Groups_Errors_Heading);
}

bool Load_Chance_Groups(const std::string& path) {
    return show(Read_Chance_Groups(path));
}

void Free_Chance_Groups() {
    Chance_Groups.clear();
}

int32_t Find_Chance_Group_Index(uint16_t id, const std::vector<TModule_Chance_Group>& table) {
    int32_t found = 0;
    if (id < 1)
        return found;
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].Chance_Group_ID == id)
            found = static_cast<int32_t>(i) + 1;
    return found;
}

// ---- Trap groups ----

void TModule_Trap_Group_Spec_Trap::Scale_Trap(int32_t level) {
    // Levels are 16-bit; the bound keeps every product below in 64 bits.
    const int64_t steps = std::clamp<int64_t>(static_cast<int64_t>(level) - 1, -65535, 65535);
    Damage.Min = Clamp_Word(Damage.Min + steps * Damage_Per_Level);
    Damage.Max = Clamp_Word(Damage.Max + steps * Damage_Per_Level);
    const size_t grown =
        std::min({static_cast<size_t>(Effects.Count()), Effect_Modifier_Types.size(),
                  Effect_Min_Per_Level.size(), Effect_Max_Per_Level.size()});
    for (size_t k = 0; k < grown; ++k) {
        const int32_t i = static_cast<int32_t>(k) + 1;
        int64_t min = Effects.Get_Min(i);
        int64_t max = Effects.Get_Max(i);
        if (Effect_Modifier_Types[k] == static_cast<uint16_t>(TAmount_Kind::Percent)) {
            // Trunc((g * (L - 1) + 100) / 100 * amount), in whole numbers so that no
            // rounding of a fraction loses a point.
            min = (Effect_Min_Per_Level[k] * steps + 100) * min / 100;
            max = (Effect_Max_Per_Level[k] * steps + 100) * max / 100;
        } else {
            min += Effect_Min_Per_Level[k] * steps;
            max += Effect_Max_Per_Level[k] * steps;
        }
        Effects.Set_Amounts(i, saturate_int32(min), saturate_int32(max));
    }
}

TData_File_Report Read_Trap_Groups(const std::string& path,
                                   std::vector<TModule_Trap_Group>& table) {
    return read_table<TTrap_Group_Loader>(path, table, Trap_Groups_Errors_Heading);
}

bool Load_Trap_Groups(const std::string& path) {
    return show(Read_Trap_Groups(path));
}

void Free_Trap_Groups() {
    Trap_Groups.clear();
}

const TModule_Trap_Group* Find_Trap_Group(const std::string& name,
                                          const std::vector<TModule_Trap_Group>& table) {
    const TModule_Trap_Group* found = nullptr;
    for (const TModule_Trap_Group& group : table)
        if (group.Trap_Group_Name == name)
            found = &group;
    return found;
}

const TModule_Trap_Group_Spec_Trap* Choose_Trap(const std::string& name,
                                                const std::vector<TModule_Trap_Group>& table) {
    const TModule_Trap_Group* group = Find_Trap_Group(name, table);
    if (!group || group->Traps.empty())
        return nullptr;
    const int32_t count = static_cast<int32_t>(group->Traps.size());
    const int32_t n = Random_Range(1, std::min<int32_t>(group->Trap_Count, count));
    return &group->Traps[static_cast<size_t>(n) - 1];
}

// ---- Monster groups ----

TData_File_Report Read_Monster_Groups(const std::string& path,
                                      std::vector<TModule_Monster_Group>& table) {
    return read_table<TMonster_Group_Loader>(path, table, Monster_Groups_Errors_Heading);
}

bool Load_Monster_Groups(const std::string& path) {
    return show(Read_Monster_Groups(path));
}

void Free_Monster_Groups() {
    Monster_Groups.clear();
}

bool Matches_Grouping_Type(const TModule_Monster_Group& group, const std::string& grouping_type) {
    const std::string mine = Lower_Case(group.Monster_Group);
    const std::string wanted = Lower_Case(grouping_type);
    if (mine.empty() || mine == "any" || wanted == "all" || wanted == "none")
        return true;
    return mine.find(wanted) != std::string::npos || wanted.find(mine) != std::string::npos;
}

// ---- Random items carried ----

TData_File_Report
Read_Monster_Rand_Items_Carried(const std::string& path,
                                std::vector<TModule_Monster_Rand_Items_Carried>& table) {
    return read_table<TRand_Items_Carried_Loader>(path, table,
                                                  Monster_Random_Items_Carried_Errors_Heading);
}

bool Load_Monster_Rand_Items_Carried(const std::string& path) {
    return show(Read_Monster_Rand_Items_Carried(path));
}

void Free_Monster_Rand_Items_Carried() {
    Monster_Rand_Items_Carried.clear();
}

// ---- Checks ----

TData_File_Report Check_Chance_Groups_File(const std::string& path) {
    std::vector<TModule_Chance_Group> table;
    return Read_Chance_Groups(path, table);
}

TData_File_Report Check_Trap_Groups_File(const std::string& path) {
    std::vector<TModule_Trap_Group> table;
    return Read_Trap_Groups(path, table);
}

TData_File_Report Check_Monster_Groups_File(const std::string& path) {
    std::vector<TModule_Monster_Group> table;
    return Read_Monster_Groups(path, table);
}

TData_File_Report Check_Monster_Rand_Items_Carried_File(const std::string& path) {
    std::vector<TModule_Monster_Rand_Items_Carried> table;
    return Read_Monster_Rand_Items_Carried(path, table);
}
