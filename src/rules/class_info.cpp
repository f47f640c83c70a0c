#include "rules/class_info.h"

#include "datafiles/data_file_errors.h"
#include "shell/helpers.h"

TClass_Info_List Class_Infos;

const TClass_Spell* TClass_Info::Find_Spell(const std::string& name) const {
    const std::string wanted = Lower_Case(Trim(name));
    for (const TClass_Spell& spell : Spells)
        if (Lower_Case(Trim(spell.Name)) == wanted)
            return &spell;
    return nullptr;
}

int64_t Experience_For_Next_Level(const TClass_Info& class_info, int32_t level) {
    const auto& table = class_info.Experience_Levels;
    const int64_t n = static_cast<int64_t>(table.size());
    if (level >= 0 && level < n)
        return table[static_cast<size_t>(level)];
    const int64_t last = n > 0 ? table.back() : 0;
    return last +
           (static_cast<int64_t>(level) + 1 - n) * class_info.Experience_Added_Past_Last_Level;
}

const TClass_Info* TClass_Info_List::Get(int32_t number) const {
    if (number < 1 || number > Count())
        return nullptr;
    return &classes_[static_cast<size_t>(number - 1)];
}

namespace {

class TClass_Info_Loader : public TRecord_Loader {
  public:
    TClass_Info_Loader(const std::string& path, TClass_Info_List& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TClass_Info c;
        c.Class_Name = Get_String("Class Name");
        Set_Record_Name(c.Class_Name);
        c.Short_Description = Get_String("Short Description");
        c.Long_Description = Get_String("Long Description");
        const uint16_t portraits = Get_Word("Number of Portaits");
        for (int32_t i = 1; i <= portraits; ++i)
            c.Portraits.push_back(Get_String("Portrait " + std::to_string(i) + " Filename"));
        c.Base_Strength = Get_Word("Base Strength");
        c.Base_Dexterity = Get_Word("Base Dexterity");
        c.Base_Intelligence = Get_Word("Base Intelligence");
        c.Base_Constitution = Get_Word("Base Constitution");
        c.Base_Fire_Resistance = Get_Word("Base Fire Resistance");
        c.Base_Lightning_Resistance = Get_Word("Base Lightning Resistance");
        c.Base_Cold_Resistance = Get_Word("Base Cold Resistance");
        c.Base_Magic_Resistance = Get_Word("Base Magic Resistance");
        c.Base_Poison_Resistance = Get_Word("Base Poison Resistance");
        c.Base_Physical_Resistance = Get_Word("Base Physical Resistance");
        c.Base_Maximum_Health = Get_Word("Base Maximum Health");
        c.Base_Maximum_Mana = Get_Word("Base Maximum Mana");
        c.Base_Maximum_Hunger = Get_Word("Base Maximum Hunger");
        c.Base_Maximum_Weight = Get_Word("Base Maximum Weight");
        std::string speed;
        if (Get_Field_Value("Base Movement Speed", speed))
            c.Base_Movement_Speed = Str_To_Word(speed);
        c.Starting_Gold = Get_Word("Starting Gold");
        c.Characteristic_Points_Per_Level = Get_Byte("Characteristic Points Per Level");
        c.Spell_Points_Per_Level = Get_Byte("Spell Points Per Level");
        c.Health_Per_Level = Get_Float("Maximum Health - X Per 1 Level");
        c.Health_Per_Constitution = Get_Float("Maximum Health - X Per 1 Constitution");
        c.Mana_Per_Level = Get_Float("Maximum Mana - X Per 1 Level");
        c.Mana_Per_Intelligence = Get_Float("Maximum Mana - X Per 1 Intelligence");
        c.Hunger_Per_Constitution = Get_Float("Maximum Hunger - X Per 1 Constitution");
        c.Weight_Per_Strength = Get_Float("Maximum Weight - X Per 1 Strength");
        c.Attack_Per_Dexterity = Get_Float("Attack Rating - X Per 1 Dexterity");
        c.Defense_Per_Dexterity = Get_Float("Defense Rating - X Per 1 Dexterity");
        c.Minimum_Damage_Per_Strength = Get_Float("Minimum Damage Bonus - X Per 1 Strength");
        c.Maximum_Damage_Per_Strength = Get_Float("Maximum Damage Bonus - X Per 1 Strength");
        c.Slowdown_Per_Over_Weight = Get_Float("Movement Slowdown - Xms Per 1 Over Weight");
        c.Health_Regeneration = Get_Float("Health Pct Regeneration Rate Per Second");
        c.Mana_Regeneration = Get_Float("Mana Pct Regeneration Rate Per Second");
        const uint16_t items = Get_Word("Num Items Carried");
        for (int32_t i = 1; i <= items; ++i)
            c.Item_Classes.push_back(Get_String("Item " + std::to_string(i) + " Class"));
        std::string text;
        if (Get_Field_Value("Experience Added Past Last Level", text))
            c.Experience_Added_Past_Last_Level = Str_To_Longint(text);
        const uint16_t levels = Get_Word("Number Of Experience Levels");
        for (int32_t i = 1; i <= levels; ++i) {
            text.clear();
            Get_Field_Value("Experience For Level " + std::to_string(i), text);
            c.Experience_Levels.push_back(Str_To_Longint(text));
        }
        for (int32_t g = 1; g <= 6; ++g)
            c.Spell_Group_Names[static_cast<size_t>(g - 1)] =
                Get_String("Spell/Skill Group " + std::to_string(g) + " Name");
        const uint16_t spells = Get_Word("Number of Spell/Skills");
        for (int32_t i = 1; i <= spells; ++i) {
            const std::string key = "Spell/Skill " + std::to_string(i) + " ";
            TClass_Spell spell;
            spell.Name = Get_String(key + "Name");
            spell.Group = Get_Word(key + "Group");
            spell.Available_At_Level = Get_Word(key + "Available At Level");
            spell.Starting_Level = Get_Word(key + "Starting Level");
            c.Spells.push_back(spell);
        }
        table_.Add(c);
    }

  private:
    TClass_Info_List& table_;
};

} // namespace

TData_File_Report Load_Class_Info(const std::string& path, TClass_Info_List& table) {
    table.Clear();
    TClass_Info_Loader loader(path, table);
    loader.Execute_Load();
    return {Class_Portrait_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Class_Info_File(const std::string& path) {
    const TData_File_Report report = Load_Class_Info(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}
