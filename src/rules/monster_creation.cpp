#include "rules/monster_creation.h"

#include <algorithm>
#include <cmath>

#include "rules/item_list.h"
#include "rules/monster_list.h"
#include "shell/random.h"

namespace {

// Trunc(value × ((percent × steps + 100) / 100)), in floating point as the rules say.
double scale(double value, int64_t percent, int64_t steps) {
    return std::trunc(value * ((static_cast<double>(percent) * steps + 100) / 100));
}

int32_t to_int(double value) {
    return static_cast<int32_t>(std::clamp(value, -2147483647.0, 2147483647.0));
}

} // namespace

int32_t Monster_Health(const TMonster_General_Info& g, int64_t base, int32_t level,
                       int32_t difficulty_step, int32_t effect_total) {
    const int64_t steps = static_cast<int64_t>(level) - 1;
    double h = scale(static_cast<double>(g.Health_Start + g.Health_Modifier * base),
                     g.Health_Percent_Per_Level, steps) +
               static_cast<double>(steps * g.Health_Amount_Per_Level);
    h = scale(h, effect_total, 1);
    h = scale(h, g.Health_Percent_Per_Difficulty, difficulty_step);
    return to_int(h);
}

int32_t Monster_Ability(int64_t rolled, int64_t start, int64_t percent_per_level,
                        int64_t amount_per_level, int64_t percent_per_difficulty, int32_t level,
                        int32_t difficulty_step, int32_t effect_total) {
    const int64_t steps = static_cast<int64_t>(level) - 1;
    double a = scale(static_cast<double>(rolled + start), percent_per_level, steps);
    a += static_cast<double>(amount_per_level * steps);
    a = scale(a, effect_total, 1);
    a = scale(a, percent_per_difficulty, difficulty_step);
    return to_int(a);
}

int32_t Monster_Damage(const TMonster_General_Info& g, int64_t base, int64_t start, int32_t level,
                       int32_t difficulty_step, int32_t effect_total) {
    const int64_t steps = static_cast<int64_t>(level) - 1;
    double d = scale(static_cast<double>(base + start), g.Damage_Percent_Per_Level, steps) +
               static_cast<double>(g.Damage_Amount_Per_Level * steps);
    d = scale(d, effect_total, 1);
    d = scale(d, g.Damage_Percent_Per_Difficulty, difficulty_step);
    return to_int(d);
}

int32_t Monster_Movement_Interval(const TMonster_General_Info& g, int32_t named_interval,
                                  int32_t difficulty_step, int32_t effect_total) {
    int64_t interval = named_interval;
    if (difficulty_step > 0)
        interval -= static_cast<int64_t>(g.Movement_Speed_Per_Difficulty) * difficulty_step;
    // A fast monster on a hard setting moves on every due tick instead of wrapping to a
    // huge interval and freezing.
    interval = std::max<int64_t>(0, interval);
    const double scaled = scale(static_cast<double>(interval), effect_total, 1);
    return static_cast<int32_t>(std::clamp(scaled, 0.0, 65535.0));
}

std::string Gold_Stack_Class(int32_t amount) {
    if (amount >= 501)
        return "Large Gold Stack";
    if (amount > 50)
        return "Medium Gold Stack";
    return "Small Gold Stack";
}

namespace {

void append_rolled(TMonster& monster, const TEffect_List& effects) {
    for (int32_t i = 1; i <= effects.Count(); ++i) {
        const auto [first, second] = effects.Roll_Amounts(i);
        monster.Add_Permanent_Effect(effects.Get_Type(i), first, second);
    }
}

} // namespace

void Apply_Monster_Modifiers(TMonster& monster, const TMonster_Modifier_Tables& tables) {
    const int32_t level = monster.Level;
    std::vector<const TMonster_Modifier_Class*> candidates;
    for (const TMonster_Modifier_Class& modifier : tables.Modifiers)
        if (level >= modifier.Level_Min && level <= modifier.Level_Max)
            candidates.push_back(&modifier);
    const int32_t count = tables.Modifier_Count(level, Random_Range(1, 100));
    for (int32_t n = 0; n < count && !candidates.empty(); ++n) {
        const auto pick = static_cast<size_t>(Random(static_cast<int32_t>(candidates.size())));
        const TMonster_Modifier_Class& modifier = *candidates[pick];
        append_rolled(monster, modifier.Effects);
        monster.Experience_Bonus =
            Clamp_Word(monster.Experience_Bonus + modifier.Experience_Bonus_Percent);
        monster.Modifier_Names.push_back(modifier.Name);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(pick));
    }
}

namespace {

void carry_item(TMonster& monster, const std::string& class_name, int32_t level_min,
                int32_t level_max, int32_t quantity, const TMonster_Creation_Context& context) {
    if (!context.Item_Classes || !context.Item_Context)
        return;
    const TItem_Class* item_class =
        context.Item_Classes->Find_Random_Class(class_name, context.Item_Grouping);
    if (!item_class)
        return;
    TItem_List& items = context.Item_Context->Items;
    const uint16_t number = context.Item_Classes->Create_Random_Item(
        *item_class, monster.X, monster.Y, level_min, level_max, 0, 0, 0, 0, quantity, false,
        *context.Item_Context);
    // A full backpack leaves no orphan in the item list.
    if (number != 0 && !monster.Inventory.Add_To_Backpack(number, items))
        items.Delete_Item(number);
}

} // namespace

TWriteable_Monster Make_Monster(const TMonster_Class& c, int32_t x, int32_t y,
                                int32_t modifier_chance, int32_t level_min, int32_t level_max,
                                int32_t item_level_min, int32_t item_level_max,
                                const TMonster_Creation_Context& context) {
    const TMonster_General_Info& g = context.Classes.General;
    const int32_t d = static_cast<int32_t>(context.Difficulty) - 2;
    TWriteable_Monster m;
    m.X = m.Home_X = static_cast<uint8_t>(std::clamp(x, 0, 255));
    m.Y = m.Home_Y = static_cast<uint8_t>(std::clamp(y, 0, 255));
    m.Name = c.Name;
    m.Description = c.Description;
    m.Picture_Filename = c.Picture_Filename;
    m.Attack_Picture_Filename = c.Attack_Picture_Filename;
    m.Monster_Group = c.Monster_Group;
    m.Sound_Death = c.Sound_Death;
    m.Sound_Attack = c.Sound_Attack;
    m.Sound_Growl = c.Sound_Growl;
    m.Event_ID = c.Event_ID;
    m.Is_Unique = c.Is_Unique;
    m.Is_Undead = c.Is_Undead;
    m.Movement_Mask = c.Movement_Mask;
    m.Movement_Mode = 1;
    m.Light_Radius = m.Base_Light_Radius = c.Light_Radius;
    m.Intelligence_Category = c.Intelligence_Category;
    m.Does_Attack_Character = c.Does_Attack_Character;
    m.Retreat = c.Retreat;
    m.Response_Range = c.Response_Range;
    m.Movement_Strategy = c.Movement_Strategy;
    m.Corpse_Type = c.Corpse_Type;
    m.Can_Be_Given_Items = c.Can_Be_Given_Items;
    m.Store_Number = c.Store_ID;

    const int32_t level = Random_Range(level_min, level_max);
    m.Level = Clamp_Word(level);

    m.Permanent_Effects.Clear();
    append_rolled(m, c.Effects);
    m.Experience_Bonus = Clamp_Word(m.Experience_Bonus + 30);
    if (Random_Range(1, 100) <= modifier_chance && !c.Is_Unique)
        Apply_Monster_Modifiers(m, context.Modifiers ? *context.Modifiers : Monster_Modifiers);

    const int32_t health_effect = m.Get_Effect_Total(TEffect_Type::Monster_Increase_Health);
    const int32_t health = Random_Range(Monster_Health(g, c.Health_Min, level, d, health_effect),
                                        Monster_Health(g, c.Health_Max, level, d, health_effect));
    m.Maximum_Health = Clamp_Word(health);
    m.Health = m.Maximum_Health;

    const int32_t attack_rolled = Random_Range(
        static_cast<int32_t>(
            std::clamp<int64_t>(g.Attack_Modifier * c.Attack_Ability_Min, 0, 2147483647)),
        static_cast<int32_t>(
            std::clamp<int64_t>(g.Attack_Modifier * c.Attack_Ability_Max, 0, 2147483647)));
    m.Attack_Ability = Clamp_Word(
        Monster_Ability(attack_rolled, g.Attack_Start, g.Attack_Percent_Per_Level,
                        g.Attack_Amount_Per_Level, g.Attack_Percent_Per_Difficulty, level, d,
                        m.Get_Effect_Total(TEffect_Type::Monster_Increase_Attack_Ability)));
    const int32_t defense_rolled = Random_Range(
        static_cast<int32_t>(
            std::clamp<int64_t>(g.Defense_Modifier * c.Defense_Ability_Min, 0, 2147483647)),
        static_cast<int32_t>(
            std::clamp<int64_t>(g.Defense_Modifier * c.Defense_Ability_Max, 0, 2147483647)));
    m.Defense_Ability = Clamp_Word(
        Monster_Ability(defense_rolled, g.Defense_Start, g.Defense_Percent_Per_Level,
                        g.Defense_Amount_Per_Level, g.Defense_Percent_Per_Difficulty, level, d,
                        m.Get_Effect_Total(TEffect_Type::Monster_Increase_Defense_Ability)));

    const int32_t interval =
        Monster_Movement_Interval(g, context.Classes.Get_Movement_Interval(c.Movement_Speed), d,
                                  m.Get_Effect_Total(TEffect_Type::Monster_Increase_Move_Speed));
    m.Base_Movement_Interval = Clamp_Word(interval);
    m.Movement_Interval = m.Base_Movement_Interval;

    m.Natural_Attacks.Assign(c.Natural_Attacks);
    const int32_t min_effect = m.Get_Effect_Total(TEffect_Type::Monster_Increase_Min_Damage);
    const int32_t max_effect = m.Get_Effect_Total(TEffect_Type::Monster_Increase_Max_Damage);
    for (int32_t i = 1; i <= m.Natural_Attacks.Count(); ++i) {
        TDamage* damage = m.Natural_Attacks.Get_Damage(i);
        const int32_t min =
            Monster_Damage(g, damage->Min, g.Damage_Min_Start, level, d, min_effect);
        const int32_t max =
            Monster_Damage(g, damage->Max, g.Damage_Max_Start, level, d, max_effect);
        damage->Set_Min(min);
        damage->Set_Max(max);
    }

    m.Resist_All_Base =
        Clamp_Word(g.Resist_All_Start + g.Resist_All_Per_Level * (static_cast<int64_t>(level) - 1));
    m.Talk_Topic_Names = c.Talk_Topic_Names;
    m.Talk_Topic_Texts = c.Talk_Topic_Texts;

    m.Spells = c.Spells;
    m.Spells.Set_Levels_For_Monster(level, g.Spell_Level_Per_Monster_Level);

    for (const TMonster_Carried_Item& item : c.Items)
        if (Random_Range(1, 100) <= item.Chance)
            carry_item(m, item.Class_Name, item_level_min, item_level_max, 0, context);
    if (context.Random_Items) {
        for (const TCarried_Item_Rule& rule : *context.Random_Items) {
            const int64_t chance = rule.Item_Base_Chance +
                                   static_cast<int64_t>(rule.Item_Chance_Per_Level) * (level - 1);
            if (chance >= Random_Range(1, 100) && !rule.Item_Class_Names.empty()) {
                const auto pick =
                    static_cast<size_t>(Random(static_cast<int32_t>(rule.Item_Class_Names.size())));
                carry_item(m, rule.Item_Class_Names[pick], item_level_min, item_level_max, 0,
                           context);
            }
        }
    }

    if (Random_Range(1, 100) < g.Gold_Chance_Per_Level * level) {
        const int32_t amount =
            Random_Range(static_cast<int32_t>(
                             std::clamp<int64_t>(g.Gold_Minimum_Per_Level * level, 0, 2147483647)),
                         static_cast<int32_t>(
                             std::clamp<int64_t>(g.Gold_Maximum_Per_Level * level, 0, 2147483647)));
        // A quantity holds at most 65535: more gold would wrap to little.
        carry_item(m, Gold_Stack_Class(amount), item_level_min, item_level_max,
                   std::min(amount, 65535), context);
    }
    m.Recalculate();
    return m;
}

uint16_t Create_Monster(const TMonster_Class& monster_class, int32_t x, int32_t y,
                        int32_t modifier_chance, int32_t level_min, int32_t level_max,
                        int32_t item_level_min, int32_t item_level_max,
                        const TMonster_Creation_Context& context) {
    TCreature_World* world = Creature_World();
    if (!world)
        return 0;
    TWriteable_Monster monster = Make_Monster(monster_class, x, y, modifier_chance, level_min,
                                              level_max, item_level_min, item_level_max, context);
    const uint16_t number = world->Monsters().Add(monster);
    if (number == 0) {
        for (int32_t k = 1; k <= monster.Inventory.Count(); ++k)
            world->Items().Delete_Item(monster.Inventory.Items.Get_Number(k));
        return 0;
    }
    world->Set_Square_Creature(x, y, number);
    return number;
}
