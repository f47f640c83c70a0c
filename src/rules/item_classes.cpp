#include "rules/item_classes.h"

#include <algorithm>
#include <cmath>

#include "datafiles/data_file_errors.h"
#include "rules/item_list.h"
#include "rules/item_modifiers.h"
#include "rules/numbered_slots.h"
#include "shell/debug_log.h"
#include "shell/helpers.h"
#include "shell/random.h"

int64_t Scale_Value(int32_t level, int64_t value, const TItem_Scaling& scaling) {
    const int64_t steps = static_cast<int64_t>(level) - 1;
    const int64_t base = value + scaling.Base_Amount + scaling.Amount_Per_Level * steps;
    const double factor = (static_cast<double>(scaling.Percent_Per_Level) * steps + 100) / 100;
    const double scaled = std::trunc(static_cast<double>(base) * factor);
    return static_cast<int64_t>(std::clamp(scaled, -9.0e15, 9.0e15));
}

bool Group_Matches(const TItem_Class& item_class, const std::string& wanted) {
    const std::string group = Lower_Case(item_class.Item_Group);
    const std::string want = Lower_Case(wanted);
    // An empty grouping type asks for no particular group, so it takes every class.
    return group.empty() || group == "any" || want.empty() || want == "all" || want == "none" ||
           want.find(group) != std::string::npos;
}

const TItem_Class* TItem_Class_List::Get(int32_t i) const {
    return Numbered_Slot(slots_, i);
}

uint16_t TItem_Class_List::Add(const TItem_Class& item_class) {
    return Add_In_First_Free_Slot(slots_, item_class);
}

void TItem_Class_List::Delete(int32_t i) {
    if (i >= 1 && i <= Count())
        slots_[i - 1].reset();
}

void TItem_Class_List::Clear() {
    slots_.clear();
    Gold = Consumption = Defense = Damage_Min = Damage_Max = TItem_Scaling{};
    loaded_file_.clear();
}

namespace {

class TItem_Class_Loader : public TRecord_Loader {
  public:
    TItem_Class_Loader(const std::string& path, TItem_Class_List& list)
        : TRecord_Loader(path), list_(list) {}

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number == 1)
            read_general();
        else
            read_class();
    }

  private:
    void read_scaling(TItem_Scaling& scaling, const std::string& what) {
        scaling.Percent_Per_Level = Get_Word("Item " + what + " Mod Per Level Add Percent");
        scaling.Amount_Per_Level = Get_Word("Item " + what + " Mod Per Level Add Amt");
        scaling.Base_Amount = Get_Word("Item " + what + " Base Amt Mod");
    }

    void read_general() {
        Set_Record_Name("General Item Info");
        read_scaling(list_.Gold, "Base Gold Value");
        read_scaling(list_.Consumption, "Consumption Value");
        read_scaling(list_.Defense, "Defense Rating");
        read_scaling(list_.Damage_Min, "Damage Min");
        read_scaling(list_.Damage_Max, "Damage Max");
    }

    template <typename T> uint8_t read_enum(const std::string& key) {
        std::string text;
        T value{};
        if (Get_Field_Value(key, text) && !Find_Enum_Value(text, value)) {
            Report_Unknown_Value(text, key);
            value = T{};
        }
        return static_cast<uint8_t>(value);
    }

    void read_class() {
        TItem_Class c;
        c.Class_Name = Get_String("Class Name");
        c.Name = Get_String("Name");
        Set_Record_Name(c.Name);
        c.Description = Get_String("Description");
        c.Item_Group = Get_String("Item Group");
        c.Item_Type = read_enum<TItem_Type>("Type");
        c.Weapon_Type = Get_String("Weapon Type");
        c.Event_ID = Get_Word("Event ID");
        c.Picture_Filename = Get_String("Picture Filename");
        c.Item_Level_Min = Get_Word("Item Level Min");
        c.Damage.Load_From_Data_File(*this, "");
        c.Use_Sound_File = Get_String("Use Sound File");
        c.Is_Ammo_Type = Get_String("Is Ammo Type");
        c.Ammo_Required = Get_String("Ammo Required");
        c.Random_Appearance = Get_Bool("Random Appearance Chance");
        c.Base_Gold_Value = Get_Word("Base Gold Value");
        c.Weight = Get_Word("Weight");
        c.Hands_Required = Get_Byte("Hands Required");
        c.Consumption_Type = read_enum<TConsumption_Type>("Consumption Type");
        c.Consumption_Value = Get_Word("Consumption Value");
        c.Defense_Rating = Get_Word("Defense Rating");
        // Read as a 16-bit number of which the low byte is kept.
        c.Light_Radius = static_cast<uint8_t>(Get_Word("Light Radius Generated") & 0xFF);
        c.Light_Turns = Get_Word("Light Number of Turns");
        c.Maximum_Stacked = Get_Word("Maximum Number Stacked");
        c.Random_Min_Stacked = Get_Word("Random Min Number Found Stacked");
        c.Random_Max_Stacked = Get_Word("Random Max Number Found Stacked");
        c.Can_Have_Additional_Effects = Get_Bool("Can Have Additional Effects");
        c.Is_Unique_Item = Get_Bool("Is Unique Item");
        c.Effects.Load_From_Data_File(*this, "");
        c.Requirements.Load_From_Data_File(*this, "");
        const uint16_t spells = Get_Word("Number of Spells");
        for (int32_t i = 1; i <= spells; ++i) {
            const std::string key = "Spell " + std::to_string(i) + " ";
            c.Spell_Names.push_back(Get_String(key + "Name"));
            c.Spell_Levels.push_back(Get_Word(key + "Level"));
        }
        c.Key_Group = Get_String("Key Group");
        list_.Add(c);
    }

    TItem_Class_List& list_;
};

} // namespace

TData_File_Report TItem_Class_List::Read_Item_Classes(const std::string& path) {
    Clear();
    TItem_Class_Loader loader(path, *this);
    loader.Execute_Load();
    return {Item_Class_Errors_Heading, path, loader.Get_Error_List()};
}

bool TItem_Class_List::Load_Item_Classes(const std::string& path,
                                         std::vector<std::string>* error_list) {
    if (!loaded_file_.empty() && loaded_file_ == path)
        return true;
    const TData_File_Report report = Read_Item_Classes(path);
    if (report.Ok()) {
        loaded_file_ = path;
        return true;
    }
    // A file with errors is read again next time, so its errors are never hidden.
    if (error_list)
        error_list->insert(error_list->end(), report.Errors.begin(), report.Errors.end());
    else
        Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return false;
}

const TItem_Class* TItem_Class_List::Find_Random_Class(const std::string& class_name,
                                                       const std::string& group) const {
    std::vector<const TItem_Class*> candidates;
    const std::string wanted = Lower_Case(class_name);
    for (const auto& slot : slots_)
        if (slot && Lower_Case(slot->Class_Name) == wanted && Group_Matches(*slot, group))
            candidates.push_back(slot.get());
    if (candidates.empty())
        return nullptr;
    return candidates[Random(static_cast<int32_t>(candidates.size()))];
}

int32_t TItem_Class_List::Get_Gold_Value_At_Level(const TItem_Class& item_class,
                                                  int32_t level) const {
    const int64_t value = Scale_Value(level, item_class.Base_Gold_Value, Gold);
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN + 1, INT32_MAX));
}

TItem TItem_Class_List::Make_Item(const TItem_Class& c, int32_t level) const {
    TItem item;
    item.Name = c.Name;
    item.Description = c.Description;
    item.Class_Name = c.Class_Name;
    item.Item_Group = c.Item_Group;
    item.Item_Type = c.Item_Type;
    item.Weapon_Type = c.Weapon_Type;
    item.Event_ID = c.Event_ID;
    item.Picture_Filename = c.Picture_Filename;
    item.Weight = c.Weight;
    item.Hands_Required = c.Hands_Required;
    item.Key_Group = c.Key_Group;
    item.Consumption_Type = c.Consumption_Type;
    item.Light_Radius = c.Light_Radius;
    item.Light_Turns = c.Light_Turns;
    item.Ammo_Kind = c.Is_Ammo_Type;
    item.Ammo_Required = c.Ammo_Required;
    item.Use_Sound_File = c.Use_Sound_File;
    item.Maximum_Stacked = c.Maximum_Stacked;
    item.Level = Clamp_Word(level);

    item.Damage.Assign(c.Damage);
    item.Effects.Assign(c.Effects);
    item.Requirements.Assign(c.Requirements);
    item.Spell_Names = c.Spell_Names;
    item.Spell_Levels.clear();
    for (size_t k = 0; k < c.Spell_Names.size(); ++k) {
        const int64_t base = k < c.Spell_Levels.size() ? c.Spell_Levels[k] : 0;
        item.Spell_Levels.push_back(Clamp_Word(base + level - 1));
    }

    item.Gold_Value = Get_Gold_Value_At_Level(c, level);
    item.Consumption_Value = Clamp_Word(Scale_Value(level, c.Consumption_Value, Consumption));
    item.Defense = Clamp_Word(Scale_Value(level, c.Defense_Rating, Defense));
    // The minimum is cut to the class's maximum before the maximum grows.
    item.Damage.Set_Min(static_cast<int32_t>(
        std::clamp<int64_t>(Scale_Value(level, c.Damage.Min, Damage_Min), 0, 65535)));
    item.Damage.Set_Max(static_cast<int32_t>(
        std::clamp<int64_t>(Scale_Value(level, c.Damage.Max, Damage_Max), 0, 65535)));
    return item;
}

uint16_t TItem_Class_List::Create_Random_Item(const TItem_Class& c, int32_t x, int32_t y,
                                              int32_t level_min, int32_t level_max,
                                              int32_t magic_chance, int32_t unique_chance,
                                              double magic_per_level, double unique_per_level,
                                              int32_t quantity, bool place_on_map,
                                              TRandom_Item_Context& context) const {
    const int32_t level = Random_Range(level_min, level_max);
    Debug_Log("RndClassItem", "Item Class Name: " + c.Class_Name);
    Debug_Log("RndClassItem",
              "  Level Range:   " + std::to_string(level_min) + " - " + std::to_string(level_max));
    Debug_Log("RndClassItem", "  Min Level:     " + std::to_string(c.Item_Level_Min));
    Debug_Log("RndClassItem", "  Final Level:   " + std::to_string(level));

    TItem item = Make_Item(c, level);
    item.Quantity = 0;
    if (c.Random_Min_Stacked > 0 && c.Random_Max_Stacked > 0)
        item.Quantity = Clamp_Word(Random_Range(c.Random_Min_Stacked, c.Random_Max_Stacked));
    if (quantity > 0) {
        const uint16_t wanted = Clamp_Word(quantity);
        if (item.Maximum_Stacked < wanted)
            item.Maximum_Stacked = wanted;
        item.Quantity = wanted;
    }

    const TItem_Modifier_Tables& tables =
        context.Modifiers ? *context.Modifiers : Item_Modifier_Tables;
    // Chances grow with the level the character began the game at; computed in floating
    // point so that no data value can overflow them.
    const double start_steps = static_cast<double>(context.Start_Level) - 1;
    const auto chance = [start_steps](double per_level, int32_t base) {
        const double value = std::trunc(start_steps * per_level) + base;
        return std::isnan(value) ? 0.0 : value;
    };
    const double unique = chance(unique_per_level, unique_chance);
    const double magic = chance(magic_per_level, magic_chance);
    TValue_Increase increase;
    if (unique >= Random_Range(1, 100) || c.Is_Unique_Item) {
        Make_Unique(item, tables, increase);
    } else if (magic >= Random_Range(1, 100) && c.Can_Have_Additional_Effects) {
        Make_Magic(item, tables, increase);
    }
    // The increases apply to the value of one item: the stack and the "Gold Value"
    // effects are counted when the value is asked for.
    if (increase.Percent > 0) {
        const double raised =
            std::trunc(static_cast<double>(item.Gold_Value) * (increase.Percent + 100) / 100) +
            increase.Amount;
        item.Gold_Value = static_cast<int32_t>(std::clamp(raised, -2147483647.0, 2147483647.0));
    }

    const uint16_t number = context.Items.Add(item);
    if (number != 0 && place_on_map && context.Place_On_Map)
        context.Place_On_Map(x, y, number);
    return number;
}
