#pragma once
// Spells and skills: the master list every spell comes from, and the spells one
// creature knows, each at a level, with its ten quick slots. Spells that are "Always On"
// are passive: their effects count in their owner's totals all the time.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "rules/damage.h"
#include "rules/effect_list.h"
#include "rules/record_fields.h"

class TInventory;
class TItem_List;
class TValue_Reader;
class TValue_Writer;

class TSpell {
  public:
    uint16_t Number = 0; // its record number in the master list
    uint16_t Maximum_Levels_From_Start = 0;
    std::string Name;
    std::string Description;
    uint16_t Picture_ID = 0;
    bool Picture_Is_Maskable = false;
    double Mana_Cost = 0, Mana_Cost_Per_Level = 0, Maximum_Mana_Cost = 0;
    double Duration = 0, Duration_Per_Level = 0, Maximum_Duration = 0; // seconds
    uint8_t Target_Type = 1; // TEffect_Target: 1 "None" .. 6 "Monster Area"
    std::string Required_Spell_Name;
    uint16_t Required_Spell_Level = 0;
    std::string Weapon_Type;
    std::string Summoned_Monster;
    uint16_t Summon_Base_Count = 0;
    double Summon_Count_Per_Level = 0;
    uint16_t Summon_Maximum_Count = 0;
    double Area_Radius = 0, Area_Radius_Per_Level = 0, Maximum_Area_Radius = 0;
    std::string Sound_File_Cast;
    TDamage Damage;
    TEffect_List Effects;
    // Parallel to Effects: 1 "Number" or 2 "Percent", and the growth of each end.
    std::vector<uint8_t> Growth_Types;
    std::vector<uint16_t> Min_Growth;
    std::vector<uint16_t> Max_Growth;

    int32_t Get_Mana_Cost(int32_t level) const;
    int32_t Get_Duration(int32_t level) const;
    int32_t Get_Area_Radius(int32_t level) const;
    int32_t Get_Summon_Count(int32_t level) const;
    // The amounts of effect i at the level ({0, 0} outside 1..Count).
    std::pair<int32_t, int32_t> Get_Effect_Amounts(int32_t i, int32_t level) const;
    // The sum of the minima at the level of the spell's effects of the type.
    int32_t Get_Passive_Amount(uint8_t type, int32_t level) const;
    void Add_Effects_At_Level(TEffect_List& list, int32_t level) const;
    std::string Get_Effect_Text(int32_t i, int32_t level, bool with_sign) const;
    bool Is_Passive() const { return Target_Type == 5; }
};

// The master spell list: record k of "Spells.txt" is spell number k.
class TMaster_Spell_List {
  public:
    // Nothing outside 1..Count (a number from another module's list included).
    const TSpell* Get(int32_t number) const;
    int32_t Count() const { return static_cast<int32_t>(spells_.size()); }
    void Clear() { spells_.clear(); }
    void Add(const TSpell& spell);
    // The number of the spell of that name (trimmed, ignoring case), 0 for none.
    uint16_t Find_Named(const std::string& name) const;

  private:
    std::vector<TSpell> spells_;
};

// The table loaded at start-up (and again when a module is chosen).
extern TMaster_Spell_List Master_Spells;

// Clears the table and reads the file into it; the errors are returned, not shown.
// Every record is one spell: "Maximum Levels From Start", "Name", "Description",
// "Picture ID", "Picture Is Maskable", "Mana Cost to Cast",
// "Increase In Mana Cost Per Level", "Maximum Mana Cost", "Duration",
// "Increase In Duration Per Level", "Maximum Duration", "Target Type",
// "Requirement Other Spell Name", "Requirement Other Spell Minimum Level",
// "Effects Only Apply to Weapon Type", "Monster Summoned Name",
// "Monster Summoned Base Count", "Monster Summoned Increase Count Per Level",
// "Monster Summoned Maximum Count", "Area Effect Radius",
// "Increase In Area Effect Radius Per Level", "Maximum Area Effect Radius",
// "Sound File Cast", the damage and effect keys, and for each effect
// "Effect <i> Per Level Modifier Type" ("Number" or "Percent"),
// "Effect <i> Min Amt Per Level Modifier", "Effect <i> Max Amt Per Level Modifier".
TData_File_Report Load_Master_Spells(const std::string& path,
                                     TMaster_Spell_List& table = Master_Spells);
// The start-up load: the same, with the errors shown in the error list dialog.
bool Load_Master_Spells_File(const std::string& path);

// What a spell list asks of the creature that knows it.
class TSpell_Owner {
  public:
    virtual ~TSpell_Owner() = default;
    // The owner's "Skill Levels" total.
    virtual int32_t Skill_Levels_Total() const = 0;
    // Whether slot 6 or 7 holds an item of the weapon type (trimmed, ignoring case).
    virtual bool Holds_Weapon_Type(const std::string& weapon_type) const = 0;
};

enum class TQuick_Slot_Kind : uint8_t { Empty = 0, Spell = 1, Scroll = 2 };

struct TQuick_Slot {
    uint8_t Kind = 0;   // TQuick_Slot_Kind
    uint16_t Value = 0; // the spell number, or the inventory slot of the scroll
};

class TSpells_List {
  public:
    TSpells_List() = default;
    // A copy knows the same spells but belongs to nobody until its owner binds it.
    TSpells_List(const TSpells_List& other) { Assign(other); }
    TSpells_List& operator=(const TSpells_List& other) {
        Assign(other);
        return *this;
    }
    void Set_Owner(const TSpell_Owner* owner) { owner_ = owner; }

    int32_t Count() const { return static_cast<int32_t>(spells_.size()); }
    // Sets the level and chance of a known spell, else appends it.
    void Learn(uint16_t spell, uint16_t level, uint16_t chance);
    // The learnt level plus the owner's "Skill Levels" (for spells learnt at all).
    int32_t Get_Level(uint16_t spell) const;
    int32_t Get_Learnt_Level(uint16_t spell) const;
    int32_t Get_Level_By_Name(const std::string& name) const;
    // The spell number and chance of entry i (0 outside 1..Count).
    uint16_t Get_Spell(int32_t i) const;
    uint16_t Get_Chance(int32_t i) const;
    uint16_t Get_Learnt_Level_At(int32_t i) const;
    void Clear();
    void Assign(const TSpells_List& source);
    // Every level := max(1, Trunc(monster level × per level + 1)).
    void Set_Levels_For_Monster(int32_t monster_level, double per_level);

    // Slot k in 1..10; an unknown kind (a damaged save) reads as empty.
    TQuick_Slot Get_Quick_Slot(int32_t k) const;
    void Set_Quick_Slot(int32_t k, uint8_t kind, uint16_t value);
    // The quick slot in use, 0 for none (also for a damaged value above 10).
    uint8_t Get_Selected_Slot() const { return selected_slot_ <= 10 ? selected_slot_ : 0; }
    void Set_Selected_Slot(uint8_t slot) { selected_slot_ = slot <= 10 ? slot : 0; }
    // Empties scroll slots whose inventory slot no longer holds a scroll, then fills
    // empty slots with scrolls and then with known spells that are not passive.
    void Refresh_Quick_Slots(bool fill_scrolls, bool fill_spells, const TInventory& inventory,
                             const TItem_List& items);
    // Empties scroll slots that lost their scroll; a selected slot so emptied is cleared.
    void Drop_Missing_Scrolls(const TInventory& inventory, const TItem_List& items);

    // The passive spells' amounts of the type at their effective levels (a spell tied to
    // a weapon type only while the owner holds one).
    int32_t Get_Passive_Total(uint8_t type) const;
    // Only the passive spells tied to this weapon type.
    int32_t Get_Weapon_Type_Total(uint8_t type, const std::string& weapon_type) const;
    // Appends the effects of the passive spells that count now (as for the totals), at
    // their effective levels.
    void Add_Passive_Effects(TEffect_List& list) const;

    // Spell numbers, learnt levels, chances; the selected slot; the ten slots.
    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged record (lists of different lengths).
    void Load(TValue_Reader& reader);

  private:
    struct TKnown {
        uint16_t Spell = 0;
        uint16_t Level = 0;
        uint16_t Chance = 0;
    };
    int32_t find(uint16_t spell) const;
    bool counts_for_owner(const TSpell& spell) const;
    std::vector<TKnown> spells_;
    uint8_t selected_slot_ = 0;
    std::array<TQuick_Slot, 10> quick_slots_{};
    const TSpell_Owner* owner_ = nullptr;
    // Set while the owner's skill total is asked for, which itself reads passive levels.
    mutable bool in_skill_total_ = false;
};
