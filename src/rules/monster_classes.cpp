#include "rules/monster_classes.h"

#include "datafiles/data_file_errors.h"
#include "rules/numbered_slots.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "shell/random.h"

TMonster_Modifier_Tables Monster_Modifiers;

bool Monster_Group_Matches(const std::string& class_group, const std::string& wanted) {
    const std::string group = Lower_Case(class_group);
    const std::string want = Lower_Case(wanted);
    return group.empty() || group == "any" || want == "all" || want == "none" ||
           want.find(group) != std::string::npos || group.find(want) != std::string::npos;
}

const TMonster_Class* TMonster_Class_List::Get(int32_t i) const {
    return Numbered_Slot(slots_, i);
}

uint16_t TMonster_Class_List::Add(const TMonster_Class& monster_class) {
    return Add_In_First_Free_Slot(slots_, monster_class);
}

void TMonster_Class_List::Delete(int32_t i) {
    if (i >= 1 && i <= Count())
        slots_[static_cast<size_t>(i - 1)].reset();
}

void TMonster_Class_List::Clear() {
    slots_.clear();
    General = {};
}

const TMonster_Class* TMonster_Class_List::Find_Random_Class(const std::string& name,
                                                             const std::string& group) const {
    const std::string wanted = Lower_Case(name);
    std::vector<const TMonster_Class*> candidates;
    for (const auto& slot : slots_)
        if (slot && Lower_Case(slot->Name) == wanted &&
            Monster_Group_Matches(slot->Monster_Group, group))
            candidates.push_back(slot.get());
    if (candidates.empty())
        return nullptr;
    return candidates[static_cast<size_t>(Random(static_cast<int32_t>(candidates.size())))];
}

int32_t TMonster_Class_List::Get_Movement_Interval(const std::string& name) const {
    for (const auto& speed : General.Movement_Speeds)
        if (speed.Name == name)
            return speed.Value;
    return 0;
}

namespace {

template <typename T> uint8_t read_enum(TRecord_Loader& loader, const std::string& key) {
    std::string text;
    if (!loader.Get_Field_Value(key, text))
        return 0;
    T value{};
    if (!Find_Enum_Value(text, value)) {
        loader.Report_Unknown_Value(text, key);
        return 0;
    }
    return static_cast<uint8_t>(value);
}

class TMonster_Class_Loader : public TRecord_Loader {
  public:
    TMonster_Class_Loader(const std::string& path, TMonster_Class_List& list,
                          const TSound_File_Check& sound_exists)
        : TRecord_Loader(path), list_(list), sound_exists_(sound_exists) {}

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number == 1)
            read_general();
        else
            read_class();
    }

  private:
    void read_general() {
        TMonster_General_Info& g = list_.General;
        g.Health_Modifier = Get_Word("Monster Base Health Modifier");
        g.Attack_Modifier = Get_Word("Monster Base Attack Ability Modifier");
        g.Defense_Modifier = Get_Word("Monster Base Defense Ability Modifier");
        g.Health_Start = Get_Word("Monster Base Health Start");
        g.Attack_Start = Get_Word("Monster Base Attack Ability Start");
        g.Defense_Start = Get_Word("Monster Base Defense Ability Start");
        g.Damage_Min_Start = Get_Word("Monster Base Damage Min Start");
        g.Damage_Max_Start = Get_Word("Monster Base Damage Max Start");
        struct TGrowth {
            const char* what;
            int64_t* percent;
            int64_t* amount;
            int64_t* difficulty;
        };
        for (const TGrowth& growth :
             {TGrowth{"Health", &g.Health_Percent_Per_Level, &g.Health_Amount_Per_Level,
                      &g.Health_Percent_Per_Difficulty},
              TGrowth{"Damage", &g.Damage_Percent_Per_Level, &g.Damage_Amount_Per_Level,
                      &g.Damage_Percent_Per_Difficulty},
              TGrowth{"Attack", &g.Attack_Percent_Per_Level, &g.Attack_Amount_Per_Level,
                      &g.Attack_Percent_Per_Difficulty},
              TGrowth{"Defense", &g.Defense_Percent_Per_Level, &g.Defense_Amount_Per_Level,
                      &g.Defense_Percent_Per_Difficulty}}) {
            const std::string key = std::string("Monster ") + growth.what + " Modifier Per ";
            *growth.percent = Get_Word(key + "Level Added Percent");
            *growth.amount = Get_Word(key + "Level Added Amount");
            *growth.difficulty = Get_Word(key + "Difficulty Level Pct");
        }
        g.Resist_All_Start = Get_Word("Monster Base Resist All Start");
        g.Resist_All_Per_Level = Get_Word("Monster Resist All Modifier Per Level Added Amount");
        g.Gold_Chance_Per_Level = Get_Word("Monster Gold Carried Per Level Chance");
        g.Gold_Minimum_Per_Level = Get_Word("Monster Gold Carried Per Level Minimum");
        g.Gold_Maximum_Per_Level = Get_Word("Monster Gold Carried Per Level Maximum");
        g.Spell_Level_Per_Monster_Level = Get_Float("Spell Level Per Monster Level");
        const uint16_t speeds = Get_Word("Number Of Movement Speeds");
        for (int32_t i = 1; i <= speeds; ++i) {
            const std::string key = "Movement Speed " + std::to_string(i) + " ";
            const std::string name = Get_String(key + "Name");
            const uint16_t interval = Get_Word(key + "Time Interval in Milliseconds");
            if (interval != 0)
                g.Movement_Speeds.push_back({name, interval});
        }
        std::string text;
        if (Get_Field_Value("Movement Speed Modifier Per Difficulty Level MS", text))
            g.Movement_Speed_Per_Difficulty = Str_To_Longint(text);
        const uint16_t chances = Get_Word("Number Of Spell Cast Chances");
        for (int32_t i = 1; i <= chances; ++i) {
            const std::string key = "Spell Cast Chance " + std::to_string(i) + " ";
            const std::string name = Get_String(key + "Name");
            g.Spell_Cast_Chances.push_back({name, Get_Word(key + "Percent")});
        }
    }

    std::string read_sound(const std::string& key) {
        std::string name = Get_String(key);
        if (!name.empty() && sound_exists_ && !sound_exists_(name))
            Report_Unknown_Value(name, key);
        return name;
    }

    void read_class() {
        TMonster_Class c;
        c.Name = Get_String("Name");
        Set_Record_Name(c.Name);
        c.Description = Get_String("Description");
        c.Picture_Filename = Get_String("Picture Filename");
        c.Attack_Picture_Filename = Get_String("Attack Picture Filename");
        c.Event_ID = Get_Word("Event ID");
        c.Map_Appearance_Chance = Get_Word("Map Appearance Chance");
        c.Monster_Group = Get_String("Monster Group");
        c.Is_Unique = Get_Bool("Is Unique Monster");
        c.Is_Undead = Get_Bool("Is Undead");
        c.Weight = Get_Word("Weight");
        c.Health_Min = Get_Word("Health Min");
        c.Health_Max = Get_Word("Health Max");
        c.Attack_Ability_Min = Get_Word("Attack Ability Min");
        c.Attack_Ability_Max = Get_Word("Attack Ability Max");
        c.Defense_Ability_Min = Get_Word("Defense Ability Min");
        c.Defense_Ability_Max = Get_Word("Defense Ability Max");
        c.Corpse_Type = read_enum<TCorpse_Type>(*this, "Corpse Type");
        c.Light_Radius = Get_Byte("Light Radius Generated");
        c.Can_Be_Given_Items = Get_Bool("Can Be Given Items");
        c.Movement_Mask = static_cast<uint8_t>((Get_Bool("Movement Flag Land") ? 1 : 0) |
                                               (Get_Bool("Movement Flag Air") ? 2 : 0) |
                                               (Get_Bool("Movement Flag Water") ? 4 : 0) |
                                               (Get_Bool("Movement Flag Ethereal") ? 8 : 0));
        c.Intelligence_Category = read_enum<TIntelligence_Category>(*this, "Intelligence Category");
        std::string attack;
        if (Get_Field_Value("Does Attack Character", attack))
            c.Does_Attack_Character = Str_To_Bool(attack);
        c.Retreat = read_enum<TRetreat_When>(*this, "When To Retreat");
        c.Response_Range = read_enum<TResponse_Range>(*this, "Response Range");
        c.Movement_Strategy = read_enum<TMovement_Strategy>(*this, "Movement Strategy");
        c.Movement_Speed = Get_String("Movement Speed");
        c.Sound_Death = read_sound("Sound File Death");
        c.Sound_Attack = read_sound("Sound File Attack");
        c.Sound_Growl = read_sound("Sound File Growl");
        const uint16_t items = Get_Word("Num Items Carried");
        for (int32_t i = 1; i <= items; ++i) {
            const std::string key = "Item " + std::to_string(i) + " ";
            TMonster_Carried_Item item;
            item.Class_Name = Get_String(key + "Class");
            item.Chance = Get_Word(key + "Chance");
            c.Items.push_back(item);
        }
        c.Store_ID = Get_Word("Store ID");
        c.Effects.Load_From_Data_File(*this, "");
        const uint16_t spells = Get_Word("Number of Spells For Use");
        for (int32_t i = 1; i <= spells; ++i) {
            const std::string key = "Spell " + std::to_string(i) + " ";
            const std::string name = Get_String(key + "Name");
            const uint16_t number = Master_Spells.Find_Named(name);
            const std::string chance_name = Get_String(key + "Chance To Use");
            if (number == 0) {
                Report_Unknown_Value(name, key + "Name");
                continue;
            }
            int32_t chance = 20;
            for (const auto& named : list_.General.Spell_Cast_Chances)
                if (named.Name == chance_name) {
                    chance = named.Value;
                    break;
                }
            c.Spells.Learn(number, 1, static_cast<uint16_t>(chance));
        }
        c.Natural_Attacks.Load_From_Data_File(*this, "");
        const uint16_t topics = Get_Word("Number of Talk Topics");
        for (int32_t i = 1; i <= topics; ++i) {
            const std::string key = "Talk Topic " + std::to_string(i) + " ";
            c.Talk_Topic_Names.push_back(Get_String(key + "Name"));
            c.Talk_Topic_Texts.push_back(Get_String(key + "Text"));
        }
        list_.Add(c);
    }

    TMonster_Class_List& list_;
    TSound_File_Check sound_exists_;
};

class TMonster_Modifier_Loader : public TRecord_Loader {
  public:
    TMonster_Modifier_Loader(const std::string& path, TMonster_Modifier_Tables& tables)
        : TRecord_Loader(path), tables_(tables) {}

  protected:
    void Process_Record(int32_t record_number) override {
        if (record_number == 1) {
            const uint16_t groups = Get_Word("Number of Modifier Groups");
            for (int32_t g = 1; g <= groups; ++g) {
                const std::string key = "Modifier Group " + std::to_string(g) + " ";
                const uint16_t level_min = Get_Word(key + "Level Min");
                const uint16_t level_max = Get_Word(key + "Level Max");
                const uint16_t chances = Get_Word(key + "Number of Chances");
                for (int32_t c = 1; c <= chances; ++c) {
                    const std::string chance = key + "Chance " + std::to_string(c) + " ";
                    TMonster_Modifier_Chance entry{level_min, level_max, 0, 0};
                    entry.Percent = Get_Word(chance + "Percent");
                    entry.Number_Of_Modifiers = Get_Word(chance + "Num Modifiers");
                    tables_.Header.push_back(entry);
                }
            }
            return;
        }
        TMonster_Modifier_Class m;
        m.Name = Get_String("Name");
        Set_Record_Name(m.Name);
        m.Level_Min = Get_Word("Monster Level Min");
        m.Level_Max = Get_Word("Monster Level Max");
        m.Experience_Bonus_Percent = Get_Word("Monster Experience Bonus Percent", false);
        m.Effects.Load_From_Data_File(*this, "");
        tables_.Modifiers.push_back(m);
    }

  private:
    TMonster_Modifier_Tables& tables_;
};

} // namespace

TData_File_Report Load_Monster_Classes(const std::string& path, TMonster_Class_List& list,
                                       const TSound_File_Check& sound_exists) {
    list.Clear();
    TMonster_Class_Loader loader(path, list, sound_exists);
    loader.Execute_Load();
    return {Monster_Class_Errors_Heading, path, loader.Get_Error_List()};
}

int32_t TMonster_Modifier_Tables::Modifier_Count(int32_t level, int32_t roll) const {
    int64_t sum = 0;
    for (const TMonster_Modifier_Chance& entry : Header) {
        if (level < entry.Level_Min || level > entry.Level_Max)
            continue;
        if (entry.Percent + sum >= roll)
            return entry.Number_Of_Modifiers;
        sum += entry.Percent;
    }
    return 1;
}

TData_File_Report Load_Monster_Modifiers(const std::string& path,
                                         TMonster_Modifier_Tables& tables) {
    tables.Clear();
    TMonster_Modifier_Loader loader(path, tables);
    loader.Execute_Load();
    return {Monster_Modifier_Class_Errors_Heading, path, loader.Get_Error_List()};
}
