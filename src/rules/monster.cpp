#include "rules/monster.h"

#include <algorithm>
#include <cmath>

#include "rules/class_info.h"
#include "rules/combat.h"
#include "rules/monster_parts.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "shell/random.h"

using namespace monster_parts;

namespace {

TCreature_World* current_world = nullptr;

} // namespace

TCreature_World* Creature_World() {
    return current_world;
}

void Set_Creature_World(TCreature_World* world) {
    current_world = world;
}

TMonster::TMonster() {
    Natural_Attacks.Set_Default_Hands();
    Spells.Set_Owner(this);
    // Staggers the first actions of monsters made in the same tick.
    Move_Timer = Random_Range(0, 10) * 50;
}

const TClass_Info* TMonster::Get_Class() const {
    return Is_Monster() ? nullptr : Class_Infos.Get(Class_Number);
}

void TMonster::Set_Class(uint8_t class_number) {
    Class_Number = class_number;
    const TClass_Info* info = Class_Infos.Get(class_number);
    Class_Name = info ? info->Class_Name : std::string();
    Recalculate();
}

int32_t TMonster::Get_Effect_Total(TEffect_Type type) const {
    int64_t total = Inventory.Get_Effect_Total(type, world_items());
    // Passive spells never add to the weapon damage types.
    if (type != TEffect_Type::Damage && type != TEffect_Type::Maximum_Damage &&
        type != TEffect_Type::Minimum_Damage)
        total += Spells.Get_Passive_Total(static_cast<uint8_t>(type));
    total += Timed_Effects.Get_Total(type);
    total += Permanent_Effects.Get_Total(type);
    return longint(total);
}

int32_t TMonster::Get_Weapon_Effect_Total(TEffect_Type type, const std::string& weapon_type) const {
    return Spells.Get_Weapon_Type_Total(static_cast<uint8_t>(type), weapon_type);
}

void TMonster::Collect_Effects(TEffect_List& list) const {
    Inventory.Add_Equipped_Effects_To(list, world_items());
    Spells.Add_Passive_Effects(list);
    list.Add_Effects(Timed_Effects);
    list.Add_Effects(Permanent_Effects);
}

namespace {

int32_t resist(const TMonster& m, TEffect_Type element) {
    return m.Get_Effect_Total(element) + m.Get_Effect_Total(TEffect_Type::Resist_All) -
           m.Get_Effect_Total(TEffect_Type::Reduce_Resist_All);
}

} // namespace

int32_t TMonster::Get_Fire_Resist_Total() const {
    return resist(*this, TEffect_Type::Fire_Resist);
}
int32_t TMonster::Get_Cold_Resist_Total() const {
    return resist(*this, TEffect_Type::Cold_Resist);
}
int32_t TMonster::Get_Lightning_Resist_Total() const {
    return resist(*this, TEffect_Type::Lightning_Resist);
}
int32_t TMonster::Get_Magic_Resist_Total() const {
    return resist(*this, TEffect_Type::Magic_Resist);
}
int32_t TMonster::Get_Poison_Resist_Total() const {
    return resist(*this, TEffect_Type::Poison_Resist);
}
int32_t TMonster::Get_Physical_Resist_Total() const {
    return Get_Effect_Total(TEffect_Type::Physical_Resist);
}
int32_t TMonster::Get_Attack_Bonus() const {
    return Get_Effect_Total(TEffect_Type::Attack_Ability) -
           Get_Effect_Total(TEffect_Type::Reduce_Attack_Ability);
}
int32_t TMonster::Get_Defense_Bonus() const {
    return Get_Effect_Total(TEffect_Type::Defense_Ability) -
           Get_Effect_Total(TEffect_Type::Reduce_Defense_Ability);
}
int32_t TMonster::Get_Detect_Traps() const {
    return Get_Effect_Total(TEffect_Type::Detect_Traps) + 10;
}
int32_t TMonster::Get_Detect_Secret_Doors() const {
    return Get_Effect_Total(TEffect_Type::Detect_Secret_Doors) + 5;
}
int32_t TMonster::Get_Bash_Doors() const {
    return Get_Effect_Total(TEffect_Type::Bash_Doors);
}
int32_t TMonster::Get_Pick_Locks() const {
    return Get_Effect_Total(TEffect_Type::Pick_Locks);
}
int32_t TMonster::Get_Reduced_Detection() const {
    return Get_Effect_Total(TEffect_Type::Reduced_Detection_Chance);
}
int32_t TMonster::Get_Detect_Evil() const {
    return Get_Effect_Total(TEffect_Type::Detect_Evil);
}

bool TMonster::Has_Two_Weapons() const {
    TEffect_List equipped;
    Collect_Effects(equipped);
    return equipped.Has_Effect(TEffect_Type::Two_Weapons);
}

int32_t TMonster::Get_Light_Radius() const {
    // A monster keeps the light its class gives it; a character carries a light of 1.
    int32_t radius =
        Get_Effect_Total(TEffect_Type::Light_Radius) + (Is_Monster() ? Base_Light_Radius : 1);
    for (const int32_t slot : {First_Hand_Slot, Second_Hand_Slot})
        if (const TItem* item = Inventory.Get_In_Slot(slot, world_items()))
            radius += item->Light_Radius;
    return radius;
}

int32_t TMonster::Get_Movement_Interval() const {
    if (Is_Monster() && Movement_Interval > Base_Movement_Interval)
        return std::min<int32_t>(Movement_Interval, std::max<int32_t>(Maximum_Movement_Interval,
                                                                      Base_Movement_Interval));
    return Movement_Interval;
}

int32_t TMonster::Get_Chance_Against(TEffect_Type type, const TMonster& target) const {
    int32_t chance = Get_Effect_Total(type);
    if (chance >= 1)
        chance += (Level - target.Level) * 3;
    return chance;
}

void TMonster::Recalculate() {
    TItem_List& items = world_items();
    Strength = word(Base_Strength + Get_Effect_Total(TEffect_Type::Strength));
    Dexterity = word(Base_Dexterity + Get_Effect_Total(TEffect_Type::Dexterity));
    Intelligence = word(Base_Intelligence + Get_Effect_Total(TEffect_Type::Intelligence));
    Constitution = word(Base_Constitution + Get_Effect_Total(TEffect_Type::Constitution));
    Light_Radius = static_cast<uint8_t>(std::clamp(Get_Light_Radius(), 0, 255));
    const int32_t reduce_movement = Get_Effect_Total(TEffect_Type::Reduce_Movement);

    if (Is_Monster()) {
        // A weakened monster's resistance stops at 0 rather than wrapping to immunity.
        Fire_Resist = word(std::max(0, Get_Fire_Resist_Total() + Resist_All_Base));
        Cold_Resist = word(std::max(0, Get_Cold_Resist_Total() + Resist_All_Base));
        Lightning_Resist = word(std::max(0, Get_Lightning_Resist_Total() + Resist_All_Base));
        Magic_Resist = word(std::max(0, Get_Magic_Resist_Total() + Resist_All_Base));
        Poison_Resist = word(std::max(0, Get_Poison_Resist_Total() + Resist_All_Base));
        Physical_Resist = word(std::max(0, Get_Physical_Resist_Total() + Resist_All_Base));
        Health_Regeneration = Get_Effect_Total(TEffect_Type::Life_Regeneration);
        Weight_Carried = word(Inventory.Get_Total_Weight(items));
        // "Reduce Movement" counts once, on the interval the monster was made with, and in
        // full: the limit applies in Get_Movement_Interval, so that a saved monster's
        // record still tells its base.
        Movement_Interval = word(static_cast<int64_t>(Base_Movement_Interval) + reduce_movement);
    } else {
        static const TClass_Info no_class{};
        const TClass_Info* found = Get_Class();
        const TClass_Info& c = found ? *found : no_class;
        Fire_Resist = word(std::max(0, Get_Fire_Resist_Total() + c.Base_Fire_Resistance));
        Cold_Resist = word(std::max(0, Get_Cold_Resist_Total() + c.Base_Cold_Resistance));
        Lightning_Resist =
            word(std::max(0, Get_Lightning_Resist_Total() + c.Base_Lightning_Resistance));
        Magic_Resist = word(std::max(0, Get_Magic_Resist_Total() + c.Base_Magic_Resistance));
        Poison_Resist = word(std::max(0, Get_Poison_Resist_Total() + c.Base_Poison_Resistance));
        Physical_Resist =
            word(std::max(0, Get_Physical_Resist_Total() + c.Base_Physical_Resistance));
        const double steps = static_cast<double>(Level) - 1;
        Maximum_Mana = longint(
            trunc64(steps * c.Mana_Per_Level) + c.Base_Maximum_Mana + Permanent_Mana_Bonus +
            trunc64(Intelligence * c.Mana_Per_Intelligence) + Get_Effect_Total(TEffect_Type::Mana));
        Maximum_Health =
            word(trunc64(steps * c.Health_Per_Level) + c.Base_Maximum_Health +
                 Permanent_Health_Bonus + trunc64(Constitution * c.Health_Per_Constitution) +
                 Get_Effect_Total(TEffect_Type::Life));
        Maximum_Hunger =
            word(Get_Effect_Total(TEffect_Type::Hunger) +
                 trunc64(Constitution * c.Hunger_Per_Constitution) + c.Base_Maximum_Hunger);
        Maximum_Weight = word(Get_Effect_Total(TEffect_Type::Weight) +
                              trunc64(Strength * c.Weight_Per_Strength) + c.Base_Maximum_Weight);
        Attack_Ability = word(
            std::max<int64_t>(0, Get_Attack_Bonus() + trunc64(Dexterity * c.Attack_Per_Dexterity)));
        Defense_Ability = word(std::max<int64_t>(
            0, Inventory.Get_Total_Defense(items) + trunc64(Dexterity * c.Defense_Per_Dexterity) +
                   Get_Defense_Bonus()));
        Health_Regeneration =
            Get_Effect_Total(TEffect_Type::Life_Regeneration) + c.Health_Regeneration;
        Mana_Regeneration = Get_Effect_Total(TEffect_Type::Mana_Regeneration) + c.Mana_Regeneration;
        uint32_t carried = Inventory.Get_Total_Weight(items);
        if (current_world)
            carried += current_world->Held_Item_Weight(*this);
        Weight_Carried = word(carried);
        int64_t interval = c.Base_Movement_Speed;
        if (Weight_Carried > Maximum_Weight)
            interval += trunc64((Weight_Carried - Maximum_Weight) * c.Slowdown_Per_Over_Weight);
        interval += reduce_movement;
        Movement_Interval = word(std::clamp<int64_t>(interval, 0, Maximum_Movement_Interval));
    }

    Mana = std::min(Mana, static_cast<double>(Maximum_Mana));
    Health = std::min(Health, static_cast<double>(Maximum_Health));
    Hunger = std::min(Hunger, Maximum_Hunger);
    for (uint16_t* r : {&Fire_Resist, &Cold_Resist, &Lightning_Resist, &Magic_Resist,
                        &Poison_Resist, &Physical_Resist})
        *r = std::min<uint16_t>(*r, 95);
}

std::string TMonster::Get_To_Hit_Text() const {
    return std::to_string(Hit_Chance(Attack_Ability, 50 * Level, Level, Level)) + "% to hit";
}

std::string TMonster::Get_To_Miss_Text() const {
    return std::to_string(100 - Hit_Chance(50 * Level, Defense_Ability, Level, Level)) +
           "% to miss";
}

std::string TMonster::Get_Damage_Text() const {
    TAttack_Damage attack;
    Get_Attack_Damage(*this, attack);
    return attack.Damage.Get_Text();
}

void TMonster::refresh_spells() {
    Spells.Refresh_Quick_Slots(true, false, Inventory, world_items());
}

bool TMonster::Put_In_Slot(uint16_t item_number, int32_t slot) {
    const bool done = Inventory.Put_In_Slot(item_number, slot, world_items());
    Recalculate();
    refresh_spells();
    return done;
}

uint16_t TMonster::Take_From_Slot(int32_t slot) {
    const uint16_t number = Inventory.Take_From_Slot(slot, world_items());
    Recalculate();
    refresh_spells();
    return number;
}

bool TMonster::Add_To_Backpack(uint16_t item_number) {
    TItem_List& items = world_items();
    const TItem* item = items.Get(item_number);
    if (item && item->Get_Type() == TItem_Type::Gold) {
        Gold = longint(static_cast<int64_t>(Gold) + item->Get_Gold_Value());
        items.Delete_Item(item_number);
        return true;
    }
    const bool done = Inventory.Add_To_Backpack(item_number, items);
    Recalculate();
    refresh_spells();
    return done;
}

void TMonster::Heal(double n) {
    Health = std::min(Health + n, static_cast<double>(Maximum_Health));
}

void TMonster::add_mana(double n) {
    Mana = std::min(Mana + n, static_cast<double>(Maximum_Mana));
}

void TMonster::Spend_Mana(double n) {
    Mana = std::max(0.0, Mana - n);
}

void TMonster::Feed(int32_t n) {
    Hunger = word(std::min<int64_t>(static_cast<int64_t>(Hunger) + n, Maximum_Hunger));
}

void TMonster::Add_Base_Strength(int32_t value) {
    Base_Strength = word(Base_Strength + static_cast<int64_t>(value));
}
void TMonster::Add_Base_Intelligence(int32_t value) {
    Base_Intelligence = word(Base_Intelligence + static_cast<int64_t>(value));
}
void TMonster::Add_Base_Dexterity(int32_t value) {
    Base_Dexterity = word(Base_Dexterity + static_cast<int64_t>(value));
}
void TMonster::Add_Base_Constitution(int32_t value) {
    Base_Constitution = word(Base_Constitution + static_cast<int64_t>(value));
}
void TMonster::Add_Permanent_Health(int32_t value) {
    Permanent_Health_Bonus = word(Permanent_Health_Bonus + static_cast<int64_t>(value));
}
void TMonster::Add_Permanent_Mana(int32_t value) {
    Permanent_Mana_Bonus = word(Permanent_Mana_Bonus + static_cast<int64_t>(value));
}

void TMonster::Add_Timed_Effects(const TEffect_List& effects, int32_t duration) {
    for (const TEffect_List::TEntry& e : effects.Entries())
        Add_Timed_Effect(e.Type, e.Min, e.Max, duration);
}

void TMonster::Add_Permanent_Effects(const TEffect_List& effects) {
    for (const TEffect_List::TEntry& e : effects.Entries())
        Add_Permanent_Effect(e.Type, e.Min, e.Max);
}

void TMonster::Add_Timed_Effect(uint8_t type, int32_t min, int32_t max, int32_t seconds) {
    if (Timed_Effects.Count() >= Effect_List_Limit)
        return;
    Timed_Effects.Add_Effect(type, min, max);
    Timed_Effect_Times.push_back(longint(static_cast<int64_t>(seconds) * 1000));
}

void TMonster::Add_Permanent_Effect(uint8_t type, int32_t min, int32_t max) {
    if (Permanent_Effects.Count() < Effect_List_Limit)
        Permanent_Effects.Add_Effect(type, min, max);
}

void TMonster::Eat(uint16_t item_number) {
    const int32_t k = Inventory.Items.Find(item_number);
    if (k == 0)
        return;
    play("eat.wav", X, Y);
    if (Use_One_Item(item_number, world_items(), *this))
        Inventory.Delete_Entry(k);
}

void TMonster::Drink(uint16_t item_number) {
    const int32_t k = Inventory.Items.Find(item_number);
    if (k == 0)
        return;
    play("drink.wav", X, Y);
    if (Use_One_Item(item_number, world_items(), *this))
        Inventory.Delete_Entry(k);
}

bool TMonster::Drink_Health_Potion() {
    return Quick_Use(Inventory, static_cast<uint8_t>(TConsumption_Type::Health), world_items(),
                     *this, [this](const std::string& wave) { play(wave, X, Y); });
}

bool TMonster::Drink_Mana_Potion() {
    return Quick_Use(Inventory, static_cast<uint8_t>(TConsumption_Type::Mana), world_items(), *this,
                     [this](const std::string& wave) { play(wave, X, Y); });
}

int32_t TMonster::Skill_Levels_Total() const {
    return Get_Effect_Total(TEffect_Type::Skill_Levels);
}

bool TMonster::Holds_Weapon_Type(const std::string& weapon_type) const {
    const std::string wanted = Lower_Case(Trim(weapon_type));
    for (const int32_t slot : {First_Hand_Slot, Second_Hand_Slot})
        if (const TItem* item = Inventory.Get_In_Slot(slot, world_items()))
            if (Lower_Case(Trim(item->Weapon_Type)) == wanted)
                return true;
    return false;
}
