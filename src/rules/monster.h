#pragma once
// Every creature: the player's character (a class number above 0) and every monster.
// Its derived statistics come from base values, class factors and effects (monster.cpp);
// time passes for it in Tick (regeneration, hunger, conditions, timed effects, lights:
// monster_time.cpp); it gains experience and levels (character_creation.cpp) and dies
// (monster_death.cpp); its record is monster_record.cpp.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/effect_list.h"
#include "rules/inventory.h"
#include "rules/natural_attacks.h"
#include "rules/requirements.h"
#include "rules/spells.h"

class TMonster;
class TMonster_List;
struct TClass_Info;

// What the game's death report receives when the player dies.
struct TDeath_Report {
    std::string Name;
    uint8_t Class_Number = 0;
    std::string Cause;
    std::string Killer_Name; // empty when there is no killer
    uint16_t Killer_Level = 0;
    int32_t Experience = 0;
    uint16_t Level = 0;
};

// The map and the game as a creature sees them. The map implements it; it is set while
// a map is current.
class TCreature_World {
  public:
    virtual ~TCreature_World() = default;
    virtual TItem_List& Items() = 0;
    virtual TMonster_List& Monsters() = 0;
    // The player's character, nothing when the game has none.
    virtual TMonster* Player() = 0;
    virtual void Forget_Player() = 0;
    // Records the creature number on the square (0 clears it).
    virtual void Set_Square_Creature(int32_t x, int32_t y, uint16_t number) = 0;
    virtual void Drop_Item(int32_t x, int32_t y, uint16_t item_number) = 0;
    // A positional sound; (0, 0) plays it without position.
    virtual void Play_Sound(const std::string& wave_file, int32_t x, int32_t y) = 0;
    virtual void Player_Died(const TDeath_Report& report) = 0;
    // The module raises the "Monster Killed" trigger of this event number.
    virtual void Raise_Monster_Killed(uint16_t event_id) = 0;
    // A monster's behaviour step, when its move is due; the map skips monsters further
    // than 30 squares from the player. False when the monster died in it.
    virtual bool Behaviour_Step(TMonster& monster) = 0;
    // The weight of the item the creature holds on the mouse pointer (the player's).
    virtual uint32_t Held_Item_Weight(const TMonster&) { return 0; }
};

// The world creatures live in; nothing when no map is current.
TCreature_World* Creature_World();
void Set_Creature_World(TCreature_World* world);

// Every field that is saved, copied as one.
struct TMonster_Fields {
    uint16_t Number = 0;
    std::string Name;
    std::string Description;
    std::string Module_Text;
    std::string Picture_Filename;
    std::string Attack_Picture_Filename;
    std::string Monster_Group;
    bool Is_Unique = false;
    bool Is_Undead = false;
    uint8_t X = 0, Y = 0, Home_X = 0, Home_Y = 0;
    uint16_t Event_ID = 0;
    uint8_t Movement_Mask = 0;
    uint8_t Movement_Mode = 1;
    uint16_t Base_Strength = 0, Base_Dexterity = 0, Base_Intelligence = 0, Base_Constitution = 0;
    uint16_t Strength = 0, Dexterity = 0, Intelligence = 0, Constitution = 0;
    uint16_t Fire_Resist = 0, Cold_Resist = 0, Lightning_Resist = 0, Magic_Resist = 0,
             Poison_Resist = 0, Physical_Resist = 0;
    uint16_t Resist_All_Base = 0;
    uint16_t Level = 0;
    int32_t Gold = 0;
    int32_t Experience = 0;
    uint16_t Experience_Bonus = 0;
    uint8_t Class_Number = 0;
    std::string Class_Name;
    uint8_t Condition = 0; // TMonster_Status, or 6 charmed
    int32_t Condition_Time = 0;
    uint16_t Condition_Source = 0;
    uint16_t Permanent_Mana_Bonus = 0, Permanent_Health_Bonus = 0;
    double Mana = 0;
    int32_t Maximum_Mana = 0;
    double Health = 0;
    uint16_t Maximum_Health = 0;
    uint16_t Hunger = 0, Maximum_Hunger = 0;
    uint16_t Weight_Carried = 0, Maximum_Weight = 0;
    double Health_Regeneration = 0, Mana_Regeneration = 0;
    uint16_t Attack_Ability = 0, Defense_Ability = 0;
    uint16_t Characteristic_Points = 0, Spell_Points = 0;
    TInventory Inventory;
    uint16_t Store_Number = 0;
    std::vector<std::string> Talk_Topic_Names;
    std::vector<std::string> Talk_Topic_Texts;
    uint8_t Light_Radius = 0;
    TNatural_Attacks Natural_Attacks;
    TEffect_List Permanent_Effects;
    TEffect_List Timed_Effects;
    std::vector<int32_t> Timed_Effect_Times; // ms left, parallel to Timed_Effects
    TSpells_List Spells;
    std::vector<std::string> Modifier_Names;
    bool Does_Attack_Character = true;
    uint8_t Retreat = 0, Response_Range = 0, Movement_Strategy = 0;
    uint16_t Movement_Interval = 0;
    uint8_t Intelligence_Category = 0, Corpse_Type = 0;
    std::string Sound_Death = "chardie2.wav";
    std::string Sound_Attack, Sound_Growl;
    uint16_t Leader = 0;
    uint16_t Guard_Distance = 0;
    bool Can_Be_Given_Items = false;
    uint8_t Character_State = 0; // 0 available, 1 in a module, 2 dead
    uint8_t Quest_Value = 0;

    // Not saved.
    uint16_t Picture_Index = 0, Attack_Picture_Index = 0;
    // A monster's interval and light from its creation, to which "Reduce Movement" and
    // the light of effects and held items are added once. A loaded monster gets them
    // back from its record (Rebuild_Base).
    uint16_t Base_Movement_Interval = 0;
    uint8_t Base_Light_Radius = 0;
    int32_t Regeneration_Timer = 0, Hunger_Timer = 0, Move_Timer = 0, Poison_Timer = 0,
            Light_Timer = 0;
};

inline constexpr int32_t Effect_List_Limit = 1000;
inline constexpr uint8_t Condition_Charmed = 6;

class TMonster : public TMonster_Fields,
                 public TItem_Consumer,
                 public TRequirement_Subject,
                 public TSpell_Owner {
  public:
    TMonster();
    TMonster(const TMonster& other);
    TMonster& operator=(const TMonster& other);
    ~TMonster() override = default;

    // Given by the creature list each time the creature is placed in it (added, loaded
    // or copied in); not saved, never copied. A reference (TCreature_Ref) resolves only
    // while the number names the creature of its serial.
    uint32_t Serial = 0;
    // Dead from the end of Die on; the list frees it later (TMonster_List).
    bool Is_Dead() const { return dead_; }

    bool Is_Monster() const { return Class_Number == 0; }
    // The creature's class, nothing for a monster or a class the table lacks.
    const TClass_Info* Get_Class() const;
    void Set_Class(uint8_t class_number);

    int32_t Get_Effect_Total(TEffect_Type type) const;
    int32_t Get_Weapon_Effect_Total(TEffect_Type type, const std::string& weapon_type) const;
    void Collect_Effects(TEffect_List& list) const;
    int32_t Get_Fire_Resist_Total() const;
    int32_t Get_Cold_Resist_Total() const;
    int32_t Get_Lightning_Resist_Total() const;
    int32_t Get_Magic_Resist_Total() const;
    int32_t Get_Poison_Resist_Total() const;
    int32_t Get_Physical_Resist_Total() const;
    int32_t Get_Attack_Bonus() const;
    int32_t Get_Defense_Bonus() const;
    int32_t Get_Detect_Traps() const;
    int32_t Get_Detect_Secret_Doors() const;
    int32_t Get_Bash_Doors() const;
    int32_t Get_Pick_Locks() const;
    int32_t Get_Reduced_Detection() const;
    int32_t Get_Detect_Evil() const;
    bool Has_Two_Weapons() const;
    int32_t Get_Light_Radius() const;
    // The interval between a creature's moves. A monster's Movement_Interval keeps every
    // "Reduce Movement" in full, so that its record names its base exactly; the limit
    // of 3000 ms (or its own base when slower) applies here.
    int32_t Get_Movement_Interval() const;
    // The chance of "Make Monsters Flee", "Cause Sleep", "Blind Target" or
    // "Paralyze Target" against the target: the total, plus 3 per level above it.
    int32_t Get_Chance_Against(TEffect_Type type, const TMonster& target) const;

    void Recalculate();
    // A loaded monster's base light and interval: the saved values less everything
    // Recalculate adds to the base (effects of every source, passive spells and
    // equipment included, and the light of held items). Needs the creature's items in
    // the current world; a character has no such base.
    void Rebuild_Base();

    // For the character sheet: the hit chance against a defense of 50 per own level,
    // as "45% to hit"; the chance that an attack of 50 per own level misses, as
    // "60% to miss" (both at equal levels); the attack damage, as "2 - 6".
    std::string Get_To_Hit_Text() const;
    std::string Get_To_Miss_Text() const;
    std::string Get_Damage_Text() const;

    // Each recalculates and refreshes the quick slots.
    bool Put_In_Slot(uint16_t item_number, int32_t slot);
    uint16_t Take_From_Slot(int32_t slot);
    // A "Gold" item becomes gold and leaves the item list.
    bool Add_To_Backpack(uint16_t item_number);

    void Heal(double n);
    void Add_Mana(double n) { add_mana(n); }
    void Add_Mana(int32_t value) override { add_mana(value); }
    void Spend_Mana(double n);
    void Feed(int32_t n);
    void Fill_Health() { Health = Maximum_Health; }
    void Fill_Mana() { Mana = Maximum_Mana; }
    void Fill_Hunger() { Hunger = Maximum_Hunger; }
    void Raise_Strength();
    void Raise_Dexterity();
    void Raise_Intelligence();
    void Raise_Constitution();

    void Set_Panic(int32_t level_gap, uint16_t source);
    void Set_Blind(int32_t level_gap, uint16_t source);
    void Set_Paralyzed(int32_t level_gap, uint16_t source);
    void Set_Sleeping(int32_t level_gap, uint16_t source);
    void Set_Poisoned(int32_t level_gap, uint16_t source);
    void Set_Charmed(int32_t seconds, uint16_t leader, uint16_t distance);
    void Cure_Poison() override;
    void Remove_Curse();

    void Add_Timed_Effect(uint8_t type, int32_t min, int32_t max, int32_t seconds);
    void Add_Permanent_Effect(uint8_t type, int32_t min, int32_t max);

    // Eats or drinks one of the item in the inventory (the whole item when it was the
    // last one), with its sound.
    void Eat(uint16_t item_number);
    void Drink(uint16_t item_number);
    bool Drink_Health_Potion();
    bool Drink_Mana_Potion();

    void Gain_Experience(int64_t n);
    // What killing this creature is worth to the killer.
    int32_t Experience_Value(const TMonster* killer) const;
    // The killer's reward for killing this creature.
    void Award_Kill(TMonster* killer) const;
    // Drops everything, reports the player's death, raises the event, leaves its square
    // and is marked dead: lookups no longer find it, its followers are released, and its
    // list frees it later (TMonster_List::Remove_Dead), never this call. A dead creature
    // does not die again.
    void Die(TMonster* killer, const std::string& cause);
    // One game timer tick. False when the creature died in it: it is dead, still in
    // memory until its list removes the dead.
    bool Tick(int32_t frames_per_second);

    // The creature record.
    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged record; the creature may then be half read. The
    // base is rebuilt against the current world's items; a map whose items are not
    // current yet rebuilds it again once they are.
    void Load(TValue_Reader& reader);

    // TItem_Consumer
    void Add_Hunger(int32_t value) override { Feed(value); }
    void Add_Health(int32_t value) override { Heal(value); }
    void Add_Timed_Effects(const TEffect_List& effects, int32_t duration) override;
    void Add_Permanent_Effects(const TEffect_List& effects) override;
    void Add_Permanent_Health(int32_t value) override;
    void Add_Permanent_Mana(int32_t value) override;
    void Add_Base_Strength(int32_t value) override;
    void Add_Base_Intelligence(int32_t value) override;
    void Add_Base_Dexterity(int32_t value) override;
    void Add_Base_Constitution(int32_t value) override;
    void Recompute_Statistics() override { Recalculate(); }

    // TRequirement_Subject
    int32_t Requirement_Level() const override { return Level; }
    int32_t Requirement_Class_Number() const override { return Class_Number; }
    int32_t Requirement_Strength() const override { return Strength; }
    int32_t Requirement_Dexterity() const override { return Dexterity; }
    int32_t Requirement_Intelligence() const override { return Intelligence; }
    int32_t Requirement_Constitution() const override { return Constitution; }
    int32_t Requirement_Maximum_Mana() const override { return Maximum_Mana; }
    int32_t Requirement_Maximum_Health() const override { return Maximum_Health; }

    // TSpell_Owner
    int32_t Skill_Levels_Total() const override;
    bool Holds_Weapon_Type(const std::string& weapon_type) const override;

  private:
    friend class TMonster_List;
    bool dead_ = false;

    void add_mana(double n);
    void set_condition(uint8_t condition, int32_t ms, uint16_t source);
    void regenerate();
    // False when the step killed the creature.
    bool hunger_step();
    bool condition_step(int32_t elapsed);
    void timed_effects_step(int32_t elapsed);
    void refresh_spells();
};

// The creature as the creature lists create and save it.
class TWriteable_Monster : public TMonster {
  public:
    TWriteable_Monster() = default;
    explicit TWriteable_Monster(const TMonster& monster) : TMonster(monster) {}
};

// Whether the creature may learn (one more level of) the spell.
bool Can_Learn(const TMonster& creature, const TSpell& spell);
// A new character's spells: each class spell with a starting level above 0.
void Learn_Starting_Spells(TMonster& character);
// A new level 1 character of the class: its starting abilities and gold, its portrait
// as both pictures, its starting spells, and full health, mana and food.
TMonster Make_Character(uint8_t class_number, const std::string& name, const std::string& portrait);
