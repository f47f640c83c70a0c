#include "rules/monster.h"

#include <algorithm>
#include <cmath>

#include "rules/class_info.h"
#include "rules/combat.h"
#include "rules/monster_list.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "shell/options.h"
#include "shell/random.h"
#include "shell/value_stream.h"

namespace {

TCreature_World* current_world = nullptr;

uint16_t word(int64_t n) {
    return Clamp_Word(n);
}

int32_t longint(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, -2147483647, 2147483647));
}

int64_t trunc64(double x) {
    return static_cast<int64_t>(std::clamp(std::trunc(x), -9.0e15, 9.0e15));
}

// The item list creatures refer to: the current map's, or an empty one without a map.
TItem_List& world_items() {
    static TItem_List none;
    if (current_world)
        return current_world->Items();
    none.Clear();
    return none;
}

void play(const std::string& wave_file, int32_t x, int32_t y) {
    if (current_world && !wave_file.empty())
        current_world->Play_Sound(wave_file, x, y);
}

constexpr int32_t Maximum_Movement_Interval = 3000;
constexpr double Poison_Step_Ms = 5000;
constexpr int32_t Hunger_Step_Ms = 5000;
constexpr int32_t Second_Ms = 1000;

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

TMonster::TMonster(const TMonster& other)
    : TMonster_Fields(other), TItem_Consumer(other), TRequirement_Subject(other),
      TSpell_Owner(other) {
    Spells.Set_Owner(this);
}

TMonster& TMonster::operator=(const TMonster& other) {
    if (this != &other) {
        TMonster_Fields::operator=(other);
        Spells.Set_Owner(this);
    }
    return *this;
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
        // "Reduce Movement" counts once, on the interval the monster was made with.
        int64_t interval = static_cast<int64_t>(Base_Movement_Interval) + reduce_movement;
        if (reduce_movement > 0)
            interval = std::min<int64_t>(
                interval, std::max<int64_t>(Maximum_Movement_Interval, Base_Movement_Interval));
        Movement_Interval = word(interval);
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

void TMonster::Raise_Strength() {
    Add_Base_Strength(1);
    Recalculate();
}
void TMonster::Raise_Dexterity() {
    Add_Base_Dexterity(1);
    Recalculate();
}
void TMonster::Raise_Intelligence() {
    Add_Base_Intelligence(1);
    Recalculate();
}
void TMonster::Raise_Constitution() {
    Add_Base_Constitution(1);
    Recalculate();
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

void TMonster::set_condition(uint8_t condition, int32_t ms, uint16_t source) {
    Condition = condition;
    Condition_Time = ms;
    Condition_Source = source;
}

namespace {

int32_t condition_ms(int32_t lo, int32_t hi, int32_t level_gap, int32_t per_level) {
    return Random_Range(lo, hi) * 1000 + (level_gap > 0 ? level_gap * per_level : 0);
}

} // namespace

void TMonster::Set_Panic(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Panic), condition_ms(10, 30, level_gap, 10),
                  source);
}

void TMonster::Set_Blind(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Blind), condition_ms(10, 30, level_gap, 10),
                  source);
}

void TMonster::Set_Paralyzed(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Paralyzed),
                  condition_ms(10, 20, level_gap, 10), source);
}

void TMonster::Set_Sleeping(int32_t level_gap, uint16_t source) {
    set_condition(static_cast<uint8_t>(TMonster_Status::Sleeping),
                  condition_ms(10, 30, level_gap, 10), source);
}

void TMonster::Set_Poisoned(int32_t level_gap, uint16_t source) {
    int64_t t = condition_ms(20, 40, level_gap, 20);
    t -= 1000LL * Get_Effect_Total(TEffect_Type::Poison_Length_Reduction);
    if (t <= 0)
        return;
    // The poison clock keeps running: a fresh dose while poisoned must not put off the
    // next loss of health (the clock stands at 0 whenever the creature is not poisoned).
    set_condition(static_cast<uint8_t>(TMonster_Status::Poisoned), longint(t), source);
}

void TMonster::Set_Charmed(int32_t seconds, uint16_t leader, uint16_t distance) {
    set_condition(Condition_Charmed, longint(static_cast<int64_t>(seconds) * 1000), leader);
    Leader = leader;
    Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Guard_Monster);
    Guard_Distance = distance;
}

void TMonster::Cure_Poison() {
    if (Condition == static_cast<uint8_t>(TMonster_Status::Poisoned))
        set_condition(0, 0, 0);
}

void TMonster::Remove_Curse() {
    switch (static_cast<TMonster_Status>(Condition)) {
    case TMonster_Status::Panic:
    case TMonster_Status::Blind:
    case TMonster_Status::Paralyzed:
    case TMonster_Status::Sleeping:
        set_condition(0, 0, 0);
        break;
    default:
        break;
    }
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

void TMonster::Gain_Experience(int64_t n) {
    Experience = longint(static_cast<int64_t>(Experience) + n);
    const TClass_Info* c = Get_Class();
    if (!c)
        return;
    bool gained = false;
    while (Level < 65535) {
        const int64_t need = Experience_For_Next_Level(*c, Level);
        // A threshold of 0 or less would never lower the experience: no level from it.
        if (need <= 0 || need > Experience)
            break;
        Experience = longint(Experience - need);
        ++Level;
        Characteristic_Points = word(Characteristic_Points + c->Characteristic_Points_Per_Level);
        Spell_Points = word(Spell_Points + c->Spell_Points_Per_Level);
        play("newlevel.wav", X, Y);
        gained = true;
    }
    if (gained)
        Recalculate();
}

int32_t TMonster::Experience_Value(const TMonster* killer) const {
    if (!killer || (killer->Is_Monster() && !Does_Attack_Character))
        return 0;
    // Level 0 creatures count as level 1, so no division by zero.
    const double v = std::max<int32_t>(1, Level);
    const double k = std::max<int32_t>(1, killer->Level);
    double x = std::trunc(v / k * (v * 20 + std::trunc(Maximum_Health / 10.0 * 5)));
    if (Is_Unique)
        x *= 5;
    x = std::trunc(x * (Experience_Bonus + 100) / 100);
    return longint(trunc64(x));
}

void TMonster::Award_Kill(TMonster* killer) const {
    if (!killer)
        return;
    killer->add_mana(killer->Get_Effect_Total(TEffect_Type::Each_Kill_Regenerates_Mana));
    TMonster* receiver = killer;
    if (killer->Leader != 0 && current_world)
        if (TMonster* leader = current_world->Monsters().Get(killer->Leader))
            receiver = leader;
    receiver->Gain_Experience(Experience_Value(killer));
}

void TMonster::Die(TMonster* killer, const std::string& cause) {
    Health = 0;
    TCreature_World* world = current_world;
    if (!world)
        return;
    world->Play_Sound(Sound_Death, X, Y);
    TItem_List& items = world->Items();
    TMonster* player = world->Player();
    const bool is_player = player == this;
    if (!is_player && player) {
        const int32_t more_gold = player->Get_Effect_Total(TEffect_Type::More_Gold);
        if (more_gold > 0) {
            for (int32_t k = 1; k <= Inventory.Count(); ++k) {
                TItem* item = Inventory.Items.Get(k, items);
                if (!item || item->Get_Type() != TItem_Type::Gold)
                    continue;
                // A large stack stops at the most a quantity holds instead of wrapping.
                const uint16_t quantity =
                    word(trunc64(item->Quantity * static_cast<double>(more_gold + 100) / 100));
                item->Quantity = quantity;
                item->Set_Maximum_Stacked(quantity);
            }
        }
    }
    for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
        while (const uint16_t number = Inventory.Take_From_Slot(slot, items))
            world->Drop_Item(X, Y, number);
    if (is_player) {
        TDeath_Report report;
        report.Name = Name;
        report.Class_Number = Class_Number;
        report.Cause = cause;
        if (killer) {
            report.Killer_Name = killer->Name;
            report.Killer_Level = killer->Level;
        }
        report.Experience = Experience;
        report.Level = Level;
        world->Player_Died(report);
        world->Forget_Player();
    }
    if (Event_ID != 0)
        world->Raise_Monster_Killed(Event_ID);
    world->Set_Square_Creature(X, Y, 0);
    TMonster_List& monsters = world->Monsters();
    // Last: this frees the creature.
    if (monsters.Get(Number) == this)
        monsters.Delete_Creature(Number);
}

void TMonster::regenerate() {
    const bool poisoned = Condition == static_cast<uint8_t>(TMonster_Status::Poisoned);
    const bool may_heal = Is_Monster() || (Hunger > 0 && Health < Maximum_Health);
    if (!poisoned && may_heal)
        Heal(Health_Regeneration / 100 * Maximum_Health);
    if (Mana < Maximum_Mana)
        add_mana(Mana_Regeneration / 100 * Maximum_Mana);
}

bool TMonster::hunger_step() {
    if (Hunger > 0) {
        --Hunger;
        return true;
    }
    Health -= 1;
    // Fractions from regeneration must not let a starving creature live below 0.
    if (Health > 0)
        return true;
    Health = 0;
    Die(nullptr, "starving to death");
    return false;
}

bool TMonster::condition_step(int32_t elapsed) {
    if (Condition != 0) {
        Condition_Time = std::max(0, Condition_Time - elapsed);
        if (Condition_Time == 0) {
            const bool charmed = Condition == Condition_Charmed;
            Condition = 0;
            Condition_Source = 0;
            if (charmed) {
                Leader = 0;
                Movement_Strategy = static_cast<uint8_t>(TMovement_Strategy::Hunt);
            }
        }
    }
    if (Condition != static_cast<uint8_t>(TMonster_Status::Poisoned)) {
        Poison_Timer = 0;
        return true;
    }
    if (Poison_Timer < Speed_Scaled_Time(static_cast<int32_t>(Poison_Step_Ms)))
        return true;
    Poison_Timer = 0;
    Health -= 1;
    if (Health > 0)
        return true;
    Health = 0;
    TMonster* poisoner = current_world ? current_world->Monsters().Get(Condition_Source) : nullptr;
    if (poisoner == this)
        poisoner = nullptr;
    Award_Kill(poisoner);
    Die(poisoner, poisoner ? std::string() : "slow poison");
    return false;
}

void TMonster::timed_effects_step(int32_t elapsed) {
    bool removed = false;
    for (int32_t i = static_cast<int32_t>(Timed_Effect_Times.size()); i >= 1; --i) {
        int32_t& left = Timed_Effect_Times[static_cast<size_t>(i - 1)];
        left = longint(static_cast<int64_t>(left) - elapsed);
        if (left < 1) {
            Timed_Effects.Delete_Effect(i);
            Timed_Effect_Times.erase(Timed_Effect_Times.begin() + (i - 1));
            removed = true;
        }
    }
    if (removed)
        Recalculate();
}

bool TMonster::Tick(int32_t frames_per_second) {
    const int32_t ms = frames_per_second > 0 ? 1000 / frames_per_second : 50;
    for (int32_t* timer :
         {&Regeneration_Timer, &Hunger_Timer, &Move_Timer, &Poison_Timer, &Light_Timer})
        *timer = longint(static_cast<int64_t>(*timer) + ms);
    TCreature_World* world = current_world;
    const int32_t second = Speed_Scaled_Time(Second_Ms);

    if (Is_Monster()) {
        int32_t interval = Movement_Interval;
        const TMonster* player = world ? world->Player() : nullptr;
        if (player && player != this &&
            Movement_Strategy == static_cast<uint8_t>(TMovement_Strategy::Guard_Monster) &&
            Leader == player->Number)
            interval = 200;
        if (Speed_Scaled_Time(interval) <= Move_Timer) {
            Move_Timer = 0;
            if (world && !world->Behaviour_Step(*this))
                return false;
        }
        // The timer waits while the monster cannot regenerate, and restarts after each
        // regeneration, so a regenerating monster heals once a second.
        if (Health_Regeneration <= 0) {
            Regeneration_Timer = 0;
        } else if (Regeneration_Timer >= second) {
            Regeneration_Timer = 0;
            regenerate();
        }
    } else {
        if (Hunger_Timer >= Speed_Scaled_Time(Hunger_Step_Ms)) {
            Hunger_Timer = 0;
            if (!hunger_step())
                return false;
        }
        if (Regeneration_Timer >= second) {
            Regeneration_Timer = 0;
            regenerate();
        }
    }
    if (Light_Timer >= second) {
        Light_Timer = 0;
        Inventory.Burn_Lights(world_items());
    }
    const int32_t elapsed = Speed_Scaled_Amount(ms);
    if (!condition_step(elapsed))
        return false;
    timed_effects_step(elapsed);
    Recalculate();
    return true;
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

void TMonster::Save(TValue_Writer& w) const {
    w.Write_Word(Number);
    for (const std::string* s : {&Name, &Description, &Module_Text, &Picture_Filename,
                                 &Attack_Picture_Filename, &Monster_Group})
        w.Write_String(*s);
    w.Write_Boolean(Is_Unique);
    w.Write_Boolean(Is_Undead);
    w.Write_Byte(X);
    w.Write_Byte(Y);
    w.Write_Byte(Home_X);
    w.Write_Byte(Home_Y);
    w.Write_Word(Event_ID);
    w.Write_Byte(Movement_Mask);
    w.Write_Byte(Movement_Mode);
    w.Write_Byte(Light_Radius);
    w.Write_Boolean(Does_Attack_Character);
    w.Write_Byte(Retreat);
    w.Write_Byte(Response_Range);
    w.Write_Byte(Movement_Strategy);
    w.Write_Word(Movement_Interval);
    w.Write_Byte(Intelligence_Category);
    w.Write_Byte(Corpse_Type);
    w.Write_String(Sound_Death);
    w.Write_String(Sound_Attack);
    w.Write_String(Sound_Growl);
    w.Write_Word(Leader);
    w.Write_Word(Guard_Distance);
    w.Write_Byte(Character_State);
    w.Write_Boolean(Can_Be_Given_Items);
    for (const uint16_t v :
         {Base_Strength, Base_Dexterity, Base_Intelligence, Base_Constitution, Strength, Dexterity,
          Intelligence, Constitution, Fire_Resist, Cold_Resist, Lightning_Resist, Magic_Resist,
          Poison_Resist, Physical_Resist, Resist_All_Base, Level})
        w.Write_Word(v);
    w.Write_Longint(Gold);
    w.Write_Longint(Experience);
    w.Write_Word(Experience_Bonus);
    w.Write_Byte(Class_Number);
    w.Write_String(Class_Name);
    w.Write_Byte(Condition);
    w.Write_Longint(Condition_Time);
    w.Write_Word(Condition_Source);
    w.Write_Word(Permanent_Mana_Bonus);
    w.Write_Word(Permanent_Health_Bonus);
    w.Write_Float(Mana);
    // Kept 16-bit in the file.
    w.Write_Word(static_cast<uint16_t>(std::clamp(Maximum_Mana, 0, 65535)));
    w.Write_Float(Health);
    for (const uint16_t v :
         {Maximum_Health, Hunger, Maximum_Hunger, Weight_Carried, Maximum_Weight})
        w.Write_Word(v);
    w.Write_Float(Health_Regeneration);
    w.Write_Float(Mana_Regeneration);
    for (const uint16_t v : {Attack_Ability, Defense_Ability, Characteristic_Points, Spell_Points})
        w.Write_Word(v);
    Inventory.Save(w);
    w.Write_Word(Store_Number);
    w.Write_String_List(Talk_Topic_Names);
    w.Write_String_List(Talk_Topic_Texts);
    Natural_Attacks.Save(w);
    Permanent_Effects.Save(w);
    Spells.Save(w);
    Timed_Effects.Save(w);
    w.Write_Longint_List(Timed_Effect_Times);
    w.Write_String_List(Modifier_Names);
}

void TMonster::Load(TValue_Reader& r) {
    // Files before these versions lack the fields marked so in the creature record.
    const bool has_home = r.Version() >= "1.01";
    const bool has_bonus = r.Version() >= "1.06";
    Number = r.Read_Word();
    for (std::string* s : {&Name, &Description, &Module_Text, &Picture_Filename,
                           &Attack_Picture_Filename, &Monster_Group})
        *s = r.Read_String();
    Is_Unique = r.Read_Boolean();
    Is_Undead = r.Read_Boolean();
    X = r.Read_Byte();
    Y = r.Read_Byte();
    if (X > 200 || Y > 200)
        throw TStream_Error("creature position outside the map");
    if (has_home) {
        Home_X = r.Read_Byte();
        Home_Y = r.Read_Byte();
    } else {
        Home_X = X;
        Home_Y = Y;
    }
    Event_ID = r.Read_Word();
    Movement_Mask = r.Read_Byte();
    Movement_Mode = r.Read_Byte();
    Light_Radius = r.Read_Byte();
    Does_Attack_Character = r.Read_Boolean();
    Retreat = r.Read_Byte();
    Response_Range = r.Read_Byte();
    Movement_Strategy = r.Read_Byte();
    Movement_Interval = r.Read_Word();
    Intelligence_Category = r.Read_Byte();
    Corpse_Type = r.Read_Byte();
    Sound_Death = r.Read_String();
    Sound_Attack = r.Read_String();
    Sound_Growl = r.Read_String();
    Leader = r.Read_Word();
    Guard_Distance = r.Read_Word();
    Character_State = r.Read_Byte();
    Can_Be_Given_Items = r.Read_Boolean();
    for (uint16_t* v :
         {&Base_Strength, &Base_Dexterity, &Base_Intelligence, &Base_Constitution, &Strength,
          &Dexterity, &Intelligence, &Constitution, &Fire_Resist, &Cold_Resist, &Lightning_Resist,
          &Magic_Resist, &Poison_Resist, &Physical_Resist, &Resist_All_Base, &Level})
        *v = r.Read_Word();
    Gold = r.Read_Longint();
    Experience = r.Read_Longint();
    Experience_Bonus = has_bonus ? r.Read_Word() : uint16_t{0};
    Class_Number = r.Read_Byte();
    Class_Name = r.Read_String();
    Condition = r.Read_Byte();
    if (Condition > Condition_Charmed)
        throw TStream_Error("creature condition out of range");
    Condition_Time = r.Read_Longint();
    Condition_Source = r.Read_Word();
    Permanent_Mana_Bonus = r.Read_Word();
    Permanent_Health_Bonus = r.Read_Word();
    Mana = r.Read_Float();
    Maximum_Mana = r.Read_Word();
    Health = r.Read_Float();
    for (uint16_t* v :
         {&Maximum_Health, &Hunger, &Maximum_Hunger, &Weight_Carried, &Maximum_Weight})
        *v = r.Read_Word();
    Health_Regeneration = r.Read_Float();
    Mana_Regeneration = r.Read_Float();
    for (uint16_t* v : {&Attack_Ability, &Defense_Ability, &Characteristic_Points, &Spell_Points})
        *v = r.Read_Word();
    if (!std::isfinite(Mana) || !std::isfinite(Health) || !std::isfinite(Health_Regeneration) ||
        !std::isfinite(Mana_Regeneration))
        throw TStream_Error("creature value is not a number");
    Inventory.Load(r);
    Store_Number = r.Read_Word();
    r.Read_String_List(Talk_Topic_Names);
    r.Read_String_List(Talk_Topic_Texts);
    Natural_Attacks.Load(r);
    Permanent_Effects.Load(r);
    Spells.Load(r);
    Timed_Effects.Load(r);
    r.Read_Longint_List(Timed_Effect_Times);
    if (static_cast<int32_t>(Timed_Effect_Times.size()) != Timed_Effects.Count())
        throw TStream_Error("timed effects and their times differ in number");
    r.Read_String_List(Modifier_Names);
    Regeneration_Timer = Hunger_Timer = Move_Timer = Poison_Timer = Light_Timer = 0;
    // The saved interval already holds "Reduce Movement"; take it off for the base.
    const int64_t reduce =
        static_cast<int64_t>(Timed_Effects.Get_Total(TEffect_Type::Reduce_Movement)) +
        Permanent_Effects.Get_Total(TEffect_Type::Reduce_Movement);
    Base_Movement_Interval = word(std::max<int64_t>(0, Movement_Interval - reduce));
    const int64_t light =
        static_cast<int64_t>(Timed_Effects.Get_Total(TEffect_Type::Light_Radius)) +
        Permanent_Effects.Get_Total(TEffect_Type::Light_Radius);
    Base_Light_Radius = static_cast<uint8_t>(std::clamp<int64_t>(Light_Radius - light, 0, 255));
}

bool Can_Learn(const TMonster& creature, const TSpell& spell) {
    if (const TClass_Info* c = creature.Get_Class())
        if (const TClass_Spell* entry = c->Find_Spell(spell.Name))
            if (entry->Available_At_Level > 1 && entry->Available_At_Level > creature.Level)
                return false;
    if (creature.Spells.Get_Level(spell.Number) >= spell.Maximum_Levels_From_Start)
        return false;
    if (!Trim(spell.Required_Spell_Name).empty() &&
        creature.Spells.Get_Level_By_Name(spell.Required_Spell_Name) < spell.Required_Spell_Level)
        return false;
    return true;
}

void Learn_Starting_Spells(TMonster& character) {
    const TClass_Info* c = character.Get_Class();
    if (!c)
        return;
    for (const TClass_Spell& entry : c->Spells)
        if (entry.Starting_Level > 0)
            if (const uint16_t number = Master_Spells.Find_Named(entry.Name))
                character.Spells.Learn(number, entry.Starting_Level, 0);
}

TMonster Make_Character(uint8_t class_number, const std::string& name,
                        const std::string& portrait) {
    TMonster character;
    character.Name = name;
    character.Picture_Filename = character.Attack_Picture_Filename = portrait;
    character.Level = 1;
    if (const TClass_Info* c = Class_Infos.Get(class_number)) {
        character.Base_Strength = c->Base_Strength;
        character.Base_Dexterity = c->Base_Dexterity;
        character.Base_Intelligence = c->Base_Intelligence;
        character.Base_Constitution = c->Base_Constitution;
        character.Gold = c->Starting_Gold;
    }
    character.Set_Class(class_number);
    Learn_Starting_Spells(character);
    character.Recalculate();
    character.Fill_Health();
    character.Fill_Mana();
    character.Fill_Hunger();
    return character;
}
