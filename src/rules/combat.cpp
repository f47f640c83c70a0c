#include "rules/combat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "rules/class_info.h"
#include "rules/monster.h"
#include "rules/monster_list.h"
#include "shell/helpers.h"
#include "shell/random.h"

namespace {

int32_t trunc32(double x) {
    return static_cast<int32_t>(std::clamp(std::trunc(x), -2147483647.0, 2147483647.0));
}

TItem_List& world_items() {
    static TItem_List none;
    if (TCreature_World* world = Creature_World())
        return world->Items();
    none.Clear();
    return none;
}

TMonster* find_creature(uint16_t number) {
    TCreature_World* world = Creature_World();
    return (world && number != 0) ? world->Monsters().Get(number) : nullptr;
}

void play(const std::string& wave_file, int32_t x, int32_t y) {
    if (TCreature_World* world = Creature_World(); world && !wave_file.empty())
        world->Play_Sound(wave_file, x, y);
}

// A hand's weapon raised by the passive spells tied to its weapon type; false when the
// slot holds nothing that deals damage.
bool weapon_damage(const TMonster& creature, int32_t slot, TAttack_Damage& attack) {
    const TItem* weapon = creature.Inventory.Get_In_Slot(slot, world_items());
    if (!weapon || weapon->Damage.Min == 0)
        return false;
    TDamage d;
    d.Assign(weapon->Damage);
    d.Effects.Clear();
    const std::string& w = weapon->Weapon_Type;
    const double boost = creature.Get_Weapon_Effect_Total(TEffect_Type::Damage, w) + 100.0;
    d.Set_Min(trunc32(boost * d.Min / 100));
    d.Set_Max(trunc32(boost * d.Max / 100));
    d.Add_To_Max(creature.Get_Weapon_Effect_Total(TEffect_Type::Maximum_Damage, w));
    d.Add_To_Min(creature.Get_Weapon_Effect_Total(TEffect_Type::Minimum_Damage, w));
    attack.Damage.Add_Damage(d);
    attack.Sound = weapon->Use_Sound_File;
    attack.Ammo_Required = weapon->Ammo_Required;
    attack.Effects.Assign(weapon->Effects);
    return true;
}

bool is_melee(const std::string& ammo_required) {
    const std::string kind = Lower_Case(Trim(ammo_required));
    return kind.empty() || kind == "none";
}

int32_t capped_resist(int32_t resist, int32_t extra) {
    return std::min(resist + extra, 95);
}

int32_t element_resist(const TMonster& target, uint8_t type) {
    switch (static_cast<TEffect_Type>(type)) {
    case TEffect_Type::Cold_Damage:
        return target.Cold_Resist;
    case TEffect_Type::Fire_Damage:
        return target.Fire_Resist;
    case TEffect_Type::Lightning_Damage:
        return target.Lightning_Resist;
    case TEffect_Type::Magic_Damage:
        return target.Magic_Resist;
    default:
        return target.Poison_Resist;
    }
}

// The debuff the target receives for an on-hit effect type; 0 for none.
uint8_t on_hit_debuff(uint8_t type) {
    switch (static_cast<TEffect_Type>(type)) {
    case TEffect_Type::Reduce_Target_Defense:
        return static_cast<uint8_t>(TEffect_Type::Reduce_Defense_Ability);
    case TEffect_Type::Reduce_Target_Resist_All:
        return static_cast<uint8_t>(TEffect_Type::Reduce_Resist_All);
    case TEffect_Type::Reduce_Target_Attack_Ability:
        return static_cast<uint8_t>(TEffect_Type::Reduce_Attack_Ability);
    case TEffect_Type::Reduce_Target_Damage:
        return static_cast<uint8_t>(TEffect_Type::Reduce_Damage);
    case TEffect_Type::Reduce_Target_Movement:
        return static_cast<uint8_t>(TEffect_Type::Reduce_Movement);
    default:
        return 0;
    }
}

} // namespace

int32_t Map_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return std::max(std::abs(x1 - x2), std::abs(y1 - y2));
}

int32_t Hit_Chance(int32_t attack, int32_t defense, int32_t attacker_level, int32_t target_level) {
    int32_t chance = 50;
    if (static_cast<int64_t>(attack) + defense != 0) {
        const double la = std::max(1, attacker_level), lt = std::max(1, target_level);
        const double ratio = static_cast<double>(attack) / (static_cast<double>(attack) + defense);
        chance = trunc32(ratio * 100 * (la / (la + lt) * 2));
    }
    return std::clamp(chance, 5, 95);
}

bool Get_Attack_Damage(const TMonster& creature, TAttack_Damage& attack) {
    attack = TAttack_Damage();
    bool found = weapon_damage(creature, First_Hand_Slot, attack);
    if (!found || creature.Has_Two_Weapons())
        found = weapon_damage(creature, Second_Hand_Slot, attack) || found;
    if (!found) {
        const TNatural_Attacks::TAttack* natural = creature.Natural_Attacks.Get(1);
        if (!natural)
            return false;
        attack.Damage.Assign(natural->Damage);
        attack.Damage.Effects.Clear();
        attack.Effects.Assign(natural->Effects);
    }
    TDamage& d = attack.Damage;
    d.Add_To_Max(creature.Get_Effect_Total(TEffect_Type::Maximum_Damage));
    d.Add_To_Min(creature.Get_Effect_Total(TEffect_Type::Minimum_Damage));
    if (const TClass_Info* c = creature.Get_Class()) {
        d.Add_To_Min(trunc32(creature.Strength * c->Minimum_Damage_Per_Strength));
        d.Add_To_Max(trunc32(creature.Strength * c->Maximum_Damage_Per_Strength));
    }
    const double p = static_cast<double>(creature.Get_Effect_Total(TEffect_Type::Damage_All)) +
                     creature.Get_Effect_Total(TEffect_Type::Damage) + 100;
    d.Set_Min(trunc32(p * d.Min / 100));
    d.Set_Max(trunc32(p * d.Max / 100));
    return true;
}

bool Has_Ranged_Attack(const TMonster& creature) {
    TAttack_Damage attack;
    return Get_Attack_Damage(creature, attack) && attack.Damage.Maximum_Range > 1;
}

bool Attack(TMonster& attacker, TMonster* target, int32_t x, int32_t y,
            TMain_Callbacks& callbacks) {
    TAttack_Damage attack;
    if (!Get_Attack_Damage(attacker, attack))
        return false;
    TItem_List& items = world_items();
    const int32_t r = Map_Distance(attacker.X, attacker.Y, x, y);
    TEffect_List effects;
    effects.Assign(attack.Effects);
    attacker.Collect_Effects(effects);
    const bool melee = is_melee(attack.Ammo_Required);
    const bool has_ammo = !melee && attacker.Inventory.Has_Ammo(attack.Ammo_Required, items);
    const std::string ammo_sound =
        has_ammo ? attacker.Inventory.Get_Ammo_Sound(attack.Ammo_Required, items) : std::string();
    if (!attacker.Sound_Attack.empty())
        play(attacker.Sound_Attack, attacker.X, attacker.Y);
    else
        play(attack.Sound.empty() ? std::string("punch.wav") : attack.Sound, attacker.X,
             attacker.Y);

    TAttack_Show show;
    show.Attacker = attacker.Number;
    show.Target = target ? target->Number : 0;
    show.From_X = attacker.X;
    show.From_Y = attacker.Y;
    show.X = x;
    show.Y = y;
    show.Cause = attacker.Name;
    TDamage& damage = show.Damage;
    damage.Assign(attack.Damage);

    if (!melee) {
        if (!has_ammo || r > attack.Damage.Maximum_Range)
            return false;
        damage.Amount = damage.Get_Random_Amount();
        const uint16_t ammo = attacker.Inventory.Use_Ammo(attack.Ammo_Required, items);
        if (const TItem* piece = items.Get(ammo))
            effects.Add_Effects(piece->Effects);
        play(ammo_sound, attacker.X, attacker.Y);
        // An emptied stack has left the inventory; its effects are copied, so it goes.
        if (ammo != 0 && attacker.Inventory.Items.Find(ammo) == 0) {
            items.Delete_Item(ammo);
            attacker.Recalculate();
        }
        show.Impact_Sound = Choose_Impact_Sound(damage, effects);
        damage.Effects.Assign(effects);
        show.Hit = true;
        callbacks.Show_Attack(show);
        return true;
    }

    if (r != 1 || !target)
        return false;
    damage.Amount = damage.Get_Random_Amount();
    const double ignore = attacker.Get_Effect_Total(TEffect_Type::Attack_Ignores_Targets_Defense);
    const int32_t defense = std::max(0, trunc32((100 - ignore) / 100 * target->Defense_Ability));
    const int32_t chance =
        Hit_Chance(attacker.Attack_Ability, defense, attacker.Level, target->Level);
    if (chance < Random_Range(1, 100)) {
        show.Impact_Sound = "miss_0" + std::to_string(Random_Range(1, 7)) + ".wav";
        show.Hit = false;
        callbacks.Show_Attack(show);
        return true;
    }
    show.Impact_Sound = Choose_Impact_Sound(damage, effects);
    damage.Effects.Assign(effects);
    show.Hit = true;
    callbacks.Show_Attack(show);
    return true;
}

bool Take_Damage(TMonster& target, uint16_t attacker_number, const TDamage& damage,
                 TMain_Callbacks& /*callbacks*/, const std::string& cause,
                 const TEffect_List& effects) {
    if (target.Is_Dead())
        return false;
    TMonster* attacker = find_creature(attacker_number);
    if (attacker == &target)
        attacker = nullptr;
    const double all = effects.Get_Total(TEffect_Type::Damage_All);
    const int32_t dr = target.Get_Effect_Total(TEffect_Type::Damage_Reduction);
    const double rd = target.Get_Effect_Total(TEffect_Type::Reduce_Damage);
    const int32_t x = target.Get_Effect_Total(TEffect_Type::Monster_Increase_Damage_Resistance);
    const double gain_rate = target.Get_Effect_Total(TEffect_Type::Damage_Generates_Mana) / 100.0;

    int32_t a = trunc32((100 - rd) / 100 * damage.Amount) - dr;
    a = trunc32(static_cast<double>(100 - capped_resist(target.Physical_Resist, x)) * a / 100);
    const bool is_protected =
        !target.Does_Attack_Character && (target.Event_ID != 0 || target.Store_Number != 0);
    if (is_protected)
        a = 0;

    bool killed = false;
    double mana_gain = 0;
    // Each blow either kills or takes its share of health and feeds the mana gain.
    auto deal = [&](int32_t amount) {
        if (amount <= 0)
            return;
        if (amount >= trunc32(target.Health)) {
            killed = true;
            return;
        }
        target.Health -= amount;
        mana_gain += std::trunc(gain_rate * amount + 0.9);
    };
    deal(a);

    if (!killed && !is_protected) {
        for (const TEffect_List::TEntry& e : effects.Entries()) {
            if (killed)
                break;
            int32_t d = 0;
            if (Is_Range_Damage_Type(e.Type)) {
                d = Random_Range(e.Min, e.Max);
                d = trunc32((all + 100) * d / 100);
                d = trunc32(static_cast<double>(100 -
                                                capped_resist(element_resist(target, e.Type), x)) *
                            d / 100) -
                    dr;
                if (e.Type == static_cast<uint8_t>(TEffect_Type::Poison_Damage) && d > 0)
                    target.Set_Poisoned(attacker ? attacker->Level - target.Level : 0,
                                        attacker ? attacker->Number : uint16_t{0});
            } else if (e.Type == static_cast<uint8_t>(TEffect_Type::Dispel_Undead)) {
                d = Random_Range(e.Min, e.Max);
                if (!target.Is_Undead)
                    d = 0;
            }
            deal(d);
        }
    }

    if (killed) {
        target.Award_Kill(attacker);
        target.Health = 0;
        target.Die(attacker, cause);
        return true;
    }

    target.Add_Mana(mana_gain);
    if (is_protected)
        return false;
    for (const TEffect_List::TEntry& e : effects.Entries()) {
        if (const uint8_t debuff = on_hit_debuff(e.Type)) {
            if (damage.Duration > 0)
                target.Add_Timed_Effect(debuff, e.Min, e.Max, damage.Duration);
            else
                target.Add_Permanent_Effect(debuff, e.Min, e.Max);
        } else if (e.Type == static_cast<uint8_t>(TEffect_Type::Change_Allegiance) && attacker &&
                   !target.Is_Unique && !target.Is_Undead && target.Is_Monster()) {
            // Only monsters change sides: a charmed character would hand its
            // experience to the monster leading it.
            int32_t chance = e.Max == 0 ? e.Min : Random_Range(e.Min, e.Max);
            chance -= 10 * std::max(0, target.Level - attacker->Level);
            if (chance >= Random_Range(1, 100))
                target.Set_Charmed(damage.Duration, attacker->Number, 4);
        }
    }
    target.Recalculate();
    return false;
}

void Hit_Arrives(const TCreature_Ref& attacker_ref, const TCreature_Ref& target_ref,
                 const TDamage& damage, const std::string& cause, TMain_Callbacks& callbacks) {
    TCreature_World* world = Creature_World();
    if (!world)
        return;
    TMonster_List& monsters = world->Monsters();
    TMonster* target = target_ref.Resolve(monsters);
    if (!target)
        return;
    const uint16_t target_number = target->Number;
    TMonster* attacker = attacker_ref.Resolve(monsters);
    if (attacker && attacker != target) {
        if (const int32_t t = target->Get_Effect_Total(TEffect_Type::Attacker_Takes_Damage);
            t > 0) {
            TDamage thorns;
            thorns.Amount = t;
            Take_Damage(*attacker, target_number, thorns, callbacks, target->Name, TEffect_List());
            // The thorns may have killed the attacker (or the death's event changed the
            // map): look both up again.
            attacker = attacker_ref.Resolve(monsters);
            target = target_ref.Resolve(monsters);
            if (!target)
                return;
        }
    }
    if (attacker && attacker != target) {
        if (const int32_t s = attacker->Get_Effect_Total(TEffect_Type::Life_Stolen); s > 0)
            attacker->Heal(std::trunc(s / 100.0 * target->Health));
        if (const int32_t m = attacker->Get_Effect_Total(TEffect_Type::Mana_Stolen); m > 0)
            attacker->Add_Mana(std::trunc(m / 100.0 * target->Mana));
        const int32_t gap = attacker->Level - target->Level;
        if (const int32_t c =
                attacker->Get_Chance_Against(TEffect_Type::Make_Monsters_Flee, *target);
            c > 0 && Random_Range(1, 100) <= c)
            target->Set_Panic(gap, attacker->Number);
        if (const int32_t c = attacker->Get_Chance_Against(TEffect_Type::Cause_Sleep, *target);
            c > 0 && Random_Range(1, 100) <= c)
            target->Set_Sleeping(gap, attacker->Number);
        if (const int32_t c = attacker->Get_Chance_Against(TEffect_Type::Blind_Target, *target);
            c > 0 && Random_Range(1, 100) <= c)
            target->Set_Blind(gap, attacker->Number);
        if (const int32_t c = attacker->Get_Chance_Against(TEffect_Type::Paralyze_Target, *target);
            c > 0 && Random_Range(1, 100) <= c)
            target->Set_Paralyzed(gap, attacker->Number);
    }
    Take_Damage(*target, attacker ? attacker->Number : uint16_t{0}, damage, callbacks, cause,
                damage.Effects);
}

std::string Choose_Impact_Sound(const TDamage& damage, const TEffect_List& effects) {
    static const std::array<const char*, 5> materials = {"chain", "plate", "leth_", "wood_",
                                                         "cloth"};
    std::string sound;
    // Physical sizes run the other way round from the elements: a heavy blow plays "min".
    if (damage.Amount > 0) {
        const char* size = damage.Amount >= 30 ? "min" : damage.Amount >= 10 ? "med" : "maj";
        sound = std::string(materials[static_cast<size_t>(Random(5))]) + size + ".wav";
    }
    for (const TEffect_List::TEntry& e : effects.Entries()) {
        const char* element = nullptr;
        switch (static_cast<TEffect_Type>(e.Type)) {
        case TEffect_Type::Cold_Damage:
            element = "cold_";
            break;
        case TEffect_Type::Fire_Damage:
            element = "fire_";
            break;
        case TEffect_Type::Lightning_Damage:
            element = "lit_";
            break;
        case TEffect_Type::Magic_Damage:
            element = "mag_";
            break;
        case TEffect_Type::Poison_Damage:
            element = "pois_";
            break;
        default:
            continue;
        }
        const int32_t roll = Random_Range(e.Min, e.Max);
        sound = std::string(element) + (roll >= 30 ? "maj" : roll >= 10 ? "med" : "min") + ".wav";
    }
    return sound;
}
