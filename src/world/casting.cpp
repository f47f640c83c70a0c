#include "world/casting.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "rules/combat.h"
#include "rules/monster.h"
#include "rules/monster_classes.h"
#include "rules/monster_creation.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/options.h"
#include "shell/random.h"
#include "shell/services.h"
#include "world/actions.h"
#include "world/map.h"

namespace {

const TMonster_Class* find_class(const TMonster_Class_List& classes, const std::string& name) {
    const std::string wanted = Lower_Case(Trim(name));
    for (int32_t i = 1; i <= classes.Count(); ++i)
        if (const TMonster_Class* c = classes.Get(i); c && Lower_Case(Trim(c->Name)) == wanted)
            return c;
    return nullptr;
}

// How one cast is paid for.
struct TCast {
    const TSpell* Spell = nullptr;
    int32_t Level = 0;
    int32_t Cost = 0;
};

void play(TMap& map, const std::string& wave_file, const TMonster& at) {
    if (!wave_file.empty())
        map.Play_Sound(wave_file, at.X, at.Y);
}

// Every creature in the box inside the map, but for the caster and its followers.
std::vector<TMonster*> creatures_in_area(TMap& map, const TMonster& caster, int32_t x, int32_t y,
                                         int32_t r) {
    std::vector<TMonster*> found;
    r = std::min(r, Map_Size); // a radius from the data may be anything
    for (int32_t yy = std::max(1, y - r); yy <= std::min(Map_Size, y + r); ++yy)
        for (int32_t xx = std::max(1, x - r); xx <= std::min(Map_Size, x + r); ++xx)
            if (TMonster* m = map.Get_Square(xx, yy)->Get_Monster(map))
                if (m != &caster && m->Leader != caster.Number)
                    found.push_back(m);
    return found;
}

// The hit a creature-aimed spell carries.
TSpell_Show spell_hit(const TCast& cast, const TMonster& caster, const TMonster* target, int32_t x,
                      int32_t y) {
    TSpell_Show show;
    show.Spell = cast.Spell->Number;
    show.Caster = caster.Number;
    show.Target = target ? target->Number : 0;
    show.From_X = caster.X;
    show.From_Y = caster.Y;
    show.X = target ? target->X : x;
    show.Y = target ? target->Y : y;
    show.Hit = true;
    show.Cause = cast.Spell->Name;
    TDamage& d = show.Damage;
    d.Assign(cast.Spell->Damage);
    d.Effects.Clear();
    cast.Spell->Add_Effects_At_Level(d.Effects, cast.Level);
    d.Amount = d.Get_Random_Amount();
    d.Duration = cast.Spell->Get_Duration(cast.Level);
    show.Impact_Sound = Choose_Impact_Sound(d, d.Effects);
    return show;
}

// Squares beside the caster a monster of the mask may enter.
std::vector<std::pair<int32_t, int32_t>> free_squares_beside(const TMap& map,
                                                             const TMonster& caster, uint8_t mask) {
    std::vector<std::pair<int32_t, int32_t>> free;
    for (int32_t d = 1; d <= 8; ++d) {
        const int32_t x = caster.X + Direction_Dx(d), y = caster.Y + Direction_Dy(d);
        const TMap_Square* square = map.Get_Square(x, y);
        if (square && square->Has_Movement_Flag(map, mask))
            free.emplace_back(x, y);
    }
    return free;
}

bool summon(TMap& map, TMonster& caster, const TCast& cast, const std::function<void()>& go_ahead) {
    const TSpell& spell = *cast.Spell;
    const int32_t wanted = spell.Get_Summon_Count(cast.Level);
    const std::string name = Lower_Case(Trim(spell.Summoned_Monster));
    if (name.empty() || name == "none" || wanted <= 0)
        return false;
    int32_t existing = 0;
    for (int32_t n = 1; n <= map.Monster_List.Count(); ++n)
        if (const TMonster* m = map.Monster_List.Get(n))
            if (m != &caster && m->Leader == caster.Number && Lower_Case(Trim(m->Name)) == name)
                ++existing;
    if (existing >= wanted)
        return false;
    TMonster_Class_List classes;
    if (!Summon_Service().Read_Summon_Classes(classes))
        return false;
    const TMonster_Class* monster_class = find_class(classes, spell.Summoned_Monster);
    if (!monster_class)
        return false;
    TMonster_Creation_Context context{classes};
    if (Game_Options)
        context.Difficulty = Game_Options->Difficulty;
    const uint8_t mask =
        monster_class->Movement_Mask ? monster_class->Movement_Mask : Movement_Land;
    const uint16_t caster_number = caster.Number;
    int32_t made = 0;
    for (int32_t k = existing; k < wanted; ++k) {
        const auto free = free_squares_beside(map, caster, mask);
        if (free.empty())
            break;
        const auto [x, y] = free[static_cast<size_t>(Random(static_cast<int32_t>(free.size())))];
        play(map, spell.Sound_File_Cast, caster);
        const int32_t level = cast.Level;
        const uint16_t number =
            Create_Monster(*monster_class, x, y, 0, level, level, level, level, context);
        TMonster* follower = map.Monster_List.Get(number);
        if (!follower)
            break;
        follower->Leader = caster_number;
        follower->Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Guard_Monster);
        follower->Guard_Distance = 3;
        ++made;
    }
    if (made == 0)
        return false;
    go_ahead();
    caster.Spend_Mana(cast.Cost);
    return true;
}

// The cast itself; true when it went ahead. go_ahead runs once the cast is sure and
// before anything is shown: a hit shown may arrive at once and kill the caster.
bool cast_spell(TMap& map, TMonster& caster, const TCast& cast, int32_t x, int32_t y,
                TMain_Callbacks& callbacks, const std::function<void()>& go_ahead) {
    const TSpell& spell = *cast.Spell;
    if (cast.Cost > caster.Mana)
        return false;
    const bool in_range = Map_Distance(caster.X, caster.Y, x, y) <= spell.Damage.Maximum_Range;
    const TMap_Square* square = map.Get_Square(x, y);
    TMonster* at = square ? square->Get_Monster(map) : nullptr;
    switch (static_cast<TEffect_Target>(spell.Target_Type)) {
    case TEffect_Target::Monster:
    case TEffect_Target::Location: {
        const bool aimed_at_creature =
            spell.Target_Type == static_cast<uint8_t>(TEffect_Target::Monster);
        if (!square || !in_range || (aimed_at_creature && !at))
            return false;
        go_ahead();
        caster.Spend_Mana(cast.Cost);
        play(map, spell.Sound_File_Cast, caster);
        callbacks.Show_Spell(spell_hit(cast, caster, at, x, y));
        return true;
    }
    case TEffect_Target::Monster_Area: {
        if (!square || !in_range)
            return false;
        const auto victims =
            creatures_in_area(map, caster, x, y, spell.Get_Area_Radius(cast.Level));
        if (victims.empty())
            return false;
        go_ahead();
        caster.Spend_Mana(cast.Cost);
        play(map, spell.Sound_File_Cast, caster);
        // Every hit is made before any is shown: one arriving may free the caster or
        // another victim.
        std::vector<TSpell_Show> hits;
        for (TMonster* victim : victims)
            hits.push_back(spell_hit(cast, caster, victim, x, y));
        for (const TSpell_Show& hit : hits)
            callbacks.Show_Spell(hit);
        return true;
    }
    case TEffect_Target::Self: {
        go_ahead();
        caster.Spend_Mana(cast.Cost);
        play(map, spell.Sound_File_Cast, caster);
        TSpell_Show show;
        show.Spell = spell.Number;
        show.Caster = show.Target = caster.Number;
        show.From_X = show.X = caster.X;
        show.From_Y = show.Y = caster.Y;
        show.Damage.Assign(spell.Damage);
        show.Damage.Effects.Clear();
        callbacks.Show_Spell(show);
        const int32_t duration = spell.Get_Duration(cast.Level);
        for (int32_t i = 1; i <= spell.Effects.Count(); ++i) {
            const auto [min, max] = spell.Get_Effect_Amounts(i, cast.Level);
            Apply_Spell_Effect(map, caster, spell.Effects.Get_Type(i), min, max, duration);
        }
        caster.Recalculate();
        return true;
    }
    case TEffect_Target::No_Target:
        return summon(map, caster, cast, go_ahead);
    default:
        return false; // passive spells are never cast
    }
}

} // namespace

bool TSummon_Service::Read_Summon_Classes(TMonster_Class_List& classes) {
    if (!Path_Settings)
        return false;
    const std::string path = Path_Settings->Get_Summon_Monster_Classes_File();
    if (path.empty())
        return false;
    Load_Monster_Classes(path, classes);
    return classes.Count() > 0;
}

TSummon_Service& Summon_Service() {
    static TSummon_Service from_file;
    TSummon_Service* installed = Services().Summons;
    return installed ? *installed : from_file;
}

void Apply_Spell_Effect(TMap& map, TMonster& target, uint8_t type, int32_t amount_min,
                        int32_t amount_max, int32_t duration) {
    const int32_t amount = Random_Range(amount_min, amount_max);
    switch (static_cast<TEffect_Type>(type)) {
    case TEffect_Type::Decrease_Current_Hunger:
        target.Feed(amount);
        break;
    case TEffect_Type::Life_Current:
        target.Heal(amount);
        break;
    case TEffect_Type::Mana_Current:
        target.Add_Mana(static_cast<double>(amount));
        break;
    case TEffect_Type::Cure_Poison:
        if (Random_Range(1, 100) <= amount)
            target.Cure_Poison();
        break;
    case TEffect_Type::Remove_Curse:
        if (Random_Range(1, 100) <= amount)
            target.Remove_Curse();
        break;
    case TEffect_Type::Teleport: {
        // Only squares kept away from the map's edge, as every mover is.
        std::vector<std::pair<int32_t, int32_t>> free;
        const uint8_t mask = Movement_Mask_Of(target);
        const int32_t reach = std::min(amount, Map_Size);
        for (int32_t y = std::max(8, target.Y - reach); y <= std::min(193, target.Y + reach); ++y)
            for (int32_t x = std::max(8, target.X - reach); x <= std::min(193, target.X + reach);
                 ++x)
                if (map.Get_Square(x, y)->Has_Movement_Flag(map, mask))
                    free.emplace_back(x, y);
        if (!free.empty()) {
            const auto [x, y] =
                free[static_cast<size_t>(Random(static_cast<int32_t>(free.size())))];
            Move_Creature(map, target, x, y);
        }
        break;
    }
    default:
        if (duration > 0)
            target.Add_Timed_Effect(type, amount_min, amount_max, duration);
        else
            target.Add_Permanent_Effect(type, amount_min, amount_max);
        break;
    }
}

bool Cast(TMap& map, TMonster& caster, uint16_t spell, int32_t x, int32_t y,
          TMain_Callbacks& callbacks) {
    TCast cast;
    cast.Spell = Master_Spells.Get(spell);
    cast.Level = caster.Spells.Get_Level(spell);
    if (!cast.Spell || cast.Level <= 0)
        return false;
    cast.Cost = cast.Spell->Get_Mana_Cost(cast.Level);
    return cast_spell(map, caster, cast, x, y, callbacks, [] {});
}

bool Cast_From_Quick_Slot(TMap& map, TMonster& caster, int32_t slot, int32_t x, int32_t y,
                          TMain_Callbacks& callbacks) {
    const TQuick_Slot quick = caster.Spells.Get_Quick_Slot(slot);
    if (quick.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Spell))
        return Cast(map, caster, quick.Value, x, y, callbacks);
    if (quick.Kind != static_cast<uint8_t>(TQuick_Slot_Kind::Scroll))
        return false;
    const uint16_t scroll_number = caster.Inventory.Get_Number_In_Slot(quick.Value, map.Item_List);
    TItem* scroll = map.Item_List.Get(scroll_number);
    if (!scroll || scroll->Get_Type() != TItem_Type::Scroll || scroll->Spell_Names.empty())
        return false;
    TCast cast;
    cast.Spell = Master_Spells.Get(Master_Spells.Find_Named(scroll->Spell_Names.front()));
    if (!cast.Spell)
        return false; // the scroll names no spell of this game: it stays
    cast.Level = scroll->Spell_Levels.empty() ? 1 : scroll->Spell_Levels.front();
    cast.Level = std::min<int32_t>(cast.Level, cast.Spell->Maximum_Levels_From_Start);
    // A scroll of level 0 (or a spell whose limit is missing) still reads at level 1:
    // below that, growth runs backwards and durations turn negative, that is permanent.
    cast.Level = std::max(cast.Level, 1);
    cast.Cost = 0;
    // Read: one scroll of a stack is used, the last one leaves the game.
    const auto use_up = [&] {
        if (TItem* read = map.Item_List.Get(scroll_number)) {
            if (read->Count_Of_Items() > 1) {
                read->Remove_Quantity(1);
            } else {
                caster.Take_From_Slot(quick.Value);
                map.Item_List.Delete_Item(scroll_number);
            }
        }
        caster.Spells.Drop_Missing_Scrolls(caster.Inventory, map.Item_List);
        caster.Recalculate();
        callbacks.Refresh_Spell_Buttons();
    };
    return cast_spell(map, caster, cast, x, y, callbacks, use_up);
}
