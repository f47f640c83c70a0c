#pragma once
// What a creature carries: item numbers of its map's item list, each in a slot.
// Slots 1..10 are worn or held (1 helm, 2 amulet, 3 armour, 4 belt, 5 boots, 6 and 7
// the hands, 8 and 9 rings, 10 gloves); 11..90 are the backpack. Also the held item on
// the mouse pointer, and using (eating, drinking) an item.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/item_list.h"

class TRequirement_Subject;

inline constexpr uint8_t First_Backpack_Slot = 11;
inline constexpr uint8_t Last_Backpack_Slot = 90;
inline constexpr uint8_t First_Hand_Slot = 6;
inline constexpr uint8_t Second_Hand_Slot = 7;

// Whether an item in the slot gives its effects, defense and light.
bool Counts_As_Equipped(const TItem& item, int32_t slot);

class TInventory {
  public:
    int32_t Count() const { return Items.Count(); }
    // The slot of entry k (0 outside 1..Count).
    uint8_t Get_Slot(int32_t k) const;
    // The item number in the slot (the last entry wins), 0 when empty.
    uint16_t Get_Number_In_Slot(int32_t slot, const TItem_List& items) const;
    TItem* Get_In_Slot(int32_t slot, TItem_List& items) const;
    const TItem* Get_In_Slot(int32_t slot, const TItem_List& items) const;
    // Only into an empty slot 1..90, and only an item of the list.
    bool Put_In_Slot(uint16_t number, int32_t slot, const TItem_List& items);
    // The number taken out, 0 when the slot was empty.
    uint16_t Take_From_Slot(int32_t slot, const TItem_List& items);
    // Onto a backpack stack of the same item that has room for the whole incoming
    // stack (which then leaves the item list), else into the first free backpack slot.
    bool Add_To_Backpack(uint16_t number, TItem_List& items);
    bool Can_Add_To_Backpack(uint16_t number, const TItem_List& items) const;
    // Removes and returns the first item of the consumption type (0 for none).
    uint16_t Take_First_Of_Consumption_Type(uint8_t type, const TItem_List& items);
    bool Has_Ammo(const std::string& kind, const TItem_List& items) const {
        return Items.Has_Ammo(kind, items);
    }
    std::string Get_Ammo_Sound(const std::string& kind, const TItem_List& items) const {
        return Items.Get_Ammo_Sound(kind, items);
    }
    // The first ammunition of the kind loses one; an emptied stack leaves the inventory
    // but stays in the item list until the shot is done with it. Returns its number.
    uint16_t Use_Ammo(const std::string& kind, TItem_List& items);
    // The first key of the group opens the lock and is used up (one of a stack).
    bool Use_Key(const std::string& key_group, TItem_List& items);
    void Burn_Lights(TItem_List& items);
    int32_t Get_Effect_Total(TEffect_Type type, const TItem_List& items) const;
    void Add_Equipped_Effects_To(TEffect_List& list, const TItem_List& items) const;
    int32_t Get_Total_Defense(const TItem_List& items) const;
    uint32_t Get_Total_Weight(const TItem_List& items) const {
        return Items.Get_Total_Weight(items);
    }
    // Whether the item may go into the slot for this character (the inventory window's
    // test): the slot must fit, the hands hold one two-handed item or two one-handed
    // ones (two weapons only with "Two Weapons"), and the requirements must be met where
    // the item counts as equipped. A stack of the same item with room always takes it.
    bool Can_Place_In_Slot(uint16_t number, int32_t slot, const TItem_List& items,
                           const TRequirement_Subject* character, bool two_weapons) const;

    void Clear();
    void Assign(const TInventory& source);
    void Renumber(const std::vector<uint16_t>& old_numbers,
                  const std::vector<uint16_t>& new_numbers) {
        Items.Renumber(old_numbers, new_numbers);
    }
    // The item numbers, then the slots. Lists of different lengths or a slot outside
    // 1..90 are a read error (TStream_Error), and the inventory is left as it was.
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);

    // Removes entry k (item number and slot) whatever it names.
    void Delete_Entry(int32_t k);

    TItem_Collection Items;

  private:
    int32_t entry_in_slot(int32_t slot) const;
    std::vector<uint8_t> slots_;
};

// Room left on a stack lying in place (a quantity of 0 is one item); 0 for items that
// do not stack.
int32_t Stack_Room(const TItem& stack);

// The item carried on the mouse pointer between inventory slots.
class THeld_Item {
  public:
    void Hold(uint16_t number) { number_ = number; }
    bool Is_Holding() const { return number_ != 0; }
    uint16_t Peek_Held() const { return number_; }
    uint16_t Take_Held() {
        const uint16_t number = number_;
        number_ = 0;
        return number;
    }
    void Clear_Hold() { number_ = 0; }
    // After the item list was renumbered (a level change).
    void Renumber(const std::vector<uint16_t>& old_numbers,
                  const std::vector<uint16_t>& new_numbers);

  private:
    uint16_t number_ = 0;
};

// The inventory window's clicks; their sounds go to the sound service.
// Clicking a slot with nothing held: the slot's item goes onto the pointer.
bool Pick_Up_From_Slot(THeld_Item& held, TInventory& inventory, int32_t slot,
                       const TItem_List& items);
// Dropping the held item on a slot: stacks onto the same item, or swaps with the slot's
// item (which is then held). False, with the item still held, when it may not go there.
bool Drop_Held_On_Slot(THeld_Item& held, TInventory& inventory, int32_t slot, TItem_List& items,
                       const TRequirement_Subject* character, bool two_weapons);

// What eating or drinking an item does to a creature.
class TItem_Consumer {
  public:
    virtual ~TItem_Consumer() = default;
    virtual void Add_Hunger(int32_t value) = 0; // capped at maximum hunger
    virtual void Add_Health(int32_t value) = 0; // capped at maximum health
    virtual void Add_Mana(int32_t value) = 0;   // capped at maximum mana
    virtual void Cure_Poison() = 0;
    virtual void Add_Timed_Effects(const TEffect_List& effects, int32_t duration) = 0;
    virtual void Add_Permanent_Effects(const TEffect_List& effects) = 0;
    virtual void Add_Permanent_Health(int32_t value) = 0;
    virtual void Add_Permanent_Mana(int32_t value) = 0;
    virtual void Add_Base_Strength(int32_t value) = 0;
    virtual void Add_Base_Intelligence(int32_t value) = 0;
    virtual void Add_Base_Dexterity(int32_t value) = 0;
    virtual void Add_Base_Constitution(int32_t value) = 0;
    virtual void Recompute_Statistics() = 0;
};

// Applies the item's use by its consumption type.
void Apply_Consumption(const TItem& item, TItem_Consumer& consumer);
// Uses one item of the stack: applies it, then takes one off; the last one is deleted
// from the item list. True when it was the last.
bool Use_One_Item(uint16_t number, TItem_List& items, TItem_Consumer& consumer);
// Dropping the held item on the character: a potion is drunk, an item with a
// consumption value eaten, anything else held again (false).
bool Use_Held_Item(THeld_Item& held, TItem_List& items, TItem_Consumer& consumer);
// The quick-use commands: drinks the first item of the consumption type ("Health" or
// "Mana") in the inventory. False when there is none. The drinker plays the sound where
// it stands.
bool Quick_Use(TInventory& inventory, uint8_t consumption_type, TItem_List& items,
               TItem_Consumer& consumer,
               const std::function<void(const std::string& wave_file)>& play_where_standing);
