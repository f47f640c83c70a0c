#include "rules/item_modifiers.h"

#include "datafiles/data_file_errors.h"
#include "rules/item.h"
#include "shell/random.h"

TItem_Modifier_Tables Item_Modifier_Tables;

namespace {

class TItem_Modifier_Loader : public TRecord_Loader {
  public:
    TItem_Modifier_Loader(const std::string& path, TItem_Modifier_Tables& tables)
        : TRecord_Loader(path), tables_(tables) {}

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number == 1) {
            tables_.Value_Amount_Multiplier = Get_Word("Item Value Amount Multiplier");
            return;
        }
        TItem_Modifier_Class m;
        m.Number = static_cast<uint16_t>(record_number - 1);
        m.Description = Get_String("Description");
        Set_Record_Name(m.Description);
        m.Gold_Percent_Increase = Get_Word("Item Gold Value Percent Increase");
        m.Gold_Amount_Increase = Get_Word("Item Gold Value Amount Increase");
        m.Item_Level_Min = Get_Word("Item Level Min");
        m.Item_Level_Max = Get_Word("Item Level Max");
        m.Item_Types = Get_String("Item Types");
        std::string position;
        if (Get_Field_Value("Modifier Type", position) &&
            !Find_Enum_Value(position, m.Modifier_Type))
            Report_Unknown_Value(position, "Modifier Type");
        m.Effects.Load_From_Data_File(*this, "");
        m.Requirements.Load_From_Data_File(*this, "");
        tables_.Modifiers.push_back(m);
    }

  private:
    TItem_Modifier_Tables& tables_;
};

class TUnique_Names_Loader : public TRecord_Loader {
  public:
    TUnique_Names_Loader(const std::string& path, TItem_Modifier_Tables& tables)
        : TRecord_Loader(path), tables_(tables) {}

  protected:
    void Process_Record(int32_t record_number) override {
        TUnique_Names_Class u;
        u.Number = record_number;
        u.Level_Min = Get_Word("Level Min");
        u.Level_Max = Get_Word("Level Max");
        u.Number_Of_Modifiers = Get_Word("Number of Modifiers");
        const uint16_t count = Get_Word("Number of Names");
        for (int32_t i = 1; i <= count; ++i)
            u.Names.push_back(Get_String("Name " + std::to_string(i)));
        tables_.Unique_Names.push_back(u);
    }

  private:
    TItem_Modifier_Tables& tables_;
};

} // namespace

TData_File_Report Read_Item_Modifiers(const std::string& path, TItem_Modifier_Tables& tables) {
    tables.Modifiers.clear();
    tables.Value_Amount_Multiplier = 0;
    TItem_Modifier_Loader loader(path, tables);
    loader.Execute_Load();
    return {Item_Modifier_Class_Errors_Heading, path, loader.Get_Error_List()};
}

TData_File_Report Read_Unique_Names(const std::string& path, TItem_Modifier_Tables& tables) {
    tables.Unique_Names.clear();
    TUnique_Names_Loader loader(path, tables);
    loader.Execute_Load();
    return {Item_Unique_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Item_Modifiers(const std::string& path) {
    const TData_File_Report report = Read_Item_Modifiers(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

bool Load_Unique_Names(const std::string& path) {
    const TData_File_Report report = Read_Unique_Names(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

std::vector<int32_t> Eligible_Modifiers(const TItem& item, const TItem_Modifier_Tables& tables) {
    std::vector<int32_t> numbers;
    const std::string_view type_name = Item_Type_Name(item.Get_Type());
    for (size_t k = 0; k < tables.Modifiers.size(); ++k) {
        const TItem_Modifier_Class& m = tables.Modifiers[k];
        if (m.Item_Level_Min <= item.Level && item.Level <= m.Item_Level_Max &&
            !type_name.empty() && m.Item_Types.find(type_name) != std::string::npos)
            numbers.push_back(static_cast<int32_t>(k + 1));
    }
    return numbers;
}

bool Apply_Item_Modifier(TItem& item, const TItem_Modifier_Class& modifier, bool naming,
                         uint16_t value_amount_multiplier, TValue_Increase& increase) {
    for (int32_t i = 1; i <= modifier.Effects.Count(); ++i) {
        const auto [first, second] = modifier.Effects.Roll_Amounts(i);
        item.Effects.Add_Effect(modifier.Effects.Get_Type(i), first, second);
    }
    if (modifier.Effects.Count() == 0)
        return false;
    increase.Percent += modifier.Gold_Percent_Increase;
    // Each amount is taken as a 16-bit number, as module data has always been tuned.
    increase.Amount += static_cast<uint16_t>(static_cast<uint32_t>(value_amount_multiplier) *
                                             modifier.Gold_Amount_Increase);
    if (naming) {
        if (modifier.Modifier_Type == TModifier_Position::Prefix)
            item.Name = modifier.Description + " " + item.Name;
        else if (modifier.Modifier_Type == TModifier_Position::Suffix)
            item.Name = item.Name + " " + modifier.Description;
    }
    item.Requirements.Add_Requirements(modifier.Requirements);
    return true;
}

bool Make_Magic(TItem& item, const TItem_Modifier_Tables& tables, TValue_Increase& increase) {
    const std::vector<int32_t> eligible = Eligible_Modifiers(item, tables);
    if (eligible.empty())
        return false;
    const int32_t chosen = eligible[Random(static_cast<int32_t>(eligible.size()))];
    return Apply_Item_Modifier(item, tables.Modifiers[chosen - 1], true,
                               tables.Value_Amount_Multiplier, increase);
}

bool Make_Unique(TItem& item, const TItem_Modifier_Tables& tables, TValue_Increase& increase) {
    std::vector<const TUnique_Names_Class*> candidates;
    for (const TUnique_Names_Class& u : tables.Unique_Names)
        if (u.Level_Min <= item.Level && item.Level <= u.Level_Max && u.Number_Of_Modifiers >= 1)
            candidates.push_back(&u);
    if (candidates.empty())
        return false;
    const TUnique_Names_Class& u = *candidates[Random(static_cast<int32_t>(candidates.size()))];
    std::vector<int32_t> eligible = Eligible_Modifiers(item, tables);
    if (u.Number_Of_Modifiers > eligible.size())
        return false;
    bool changed = false;
    for (int32_t n = 0; n < u.Number_Of_Modifiers; ++n) {
        const int32_t pick = Random(static_cast<int32_t>(eligible.size()));
        const int32_t chosen = eligible[pick];
        eligible.erase(eligible.begin() + pick);
        if (Apply_Item_Modifier(item, tables.Modifiers[chosen - 1], false,
                                tables.Value_Amount_Multiplier, increase))
            changed = true;
    }
    // A class without names still gives its modifiers; the item keeps its name.
    if (changed && !u.Names.empty())
        item.Name = u.Names[Random(static_cast<int32_t>(u.Names.size()))] + " " + item.Name;
    return changed;
}
