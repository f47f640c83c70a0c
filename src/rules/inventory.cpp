#include "rules/inventory.h"

#include <algorithm>

#include "rules/requirements.h"
#include "shell/helpers.h"
#include "shell/services.h"
#include "shell/value_stream.h"

bool Counts_As_Equipped(const TItem& item, int32_t slot) {
    return Fits_Slot(item.Get_Equip_Location(), slot);
}

int32_t Stack_Room(const TItem& stack) {
    if (stack.Maximum_Stacked == 0)
        return 0;
    // A lying quantity of 0 is one item: counting it as 0 would lose an item.
    return std::max<int32_t>(0, stack.Maximum_Stacked - stack.Count_Of_Items());
}

uint8_t TInventory::Get_Slot(int32_t k) const {
    return (k >= 1 && k <= static_cast<int32_t>(slots_.size())) ? slots_[k - 1] : 0;
}

int32_t TInventory::entry_in_slot(int32_t slot) const {
    for (int32_t k = static_cast<int32_t>(slots_.size()); k >= 1; --k)
        if (slots_[k - 1] == slot)
            return k;
    return 0;
}

void TInventory::Delete_Entry(int32_t k) {
    if (k < 1 || k > static_cast<int32_t>(slots_.size()))
        return;
    Items.Delete(k);
    slots_.erase(slots_.begin() + (k - 1));
}

uint16_t TInventory::Get_Number_In_Slot(int32_t slot, const TItem_List& items) const {
    const int32_t k = entry_in_slot(slot);
    if (k == 0 || !items.Get(Items.Get_Number(k)))
        return 0;
    return Items.Get_Number(k);
}

TItem* TInventory::Get_In_Slot(int32_t slot, TItem_List& items) const {
    return items.Get(Get_Number_In_Slot(slot, items));
}

const TItem* TInventory::Get_In_Slot(int32_t slot, const TItem_List& items) const {
    return items.Get(Get_Number_In_Slot(slot, items));
}

bool TInventory::Put_In_Slot(uint16_t number, int32_t slot, const TItem_List& items) {
    if (slot < 1 || slot > Last_Backpack_Slot || !items.Get(number) ||
        Get_Number_In_Slot(slot, items) != 0)
        return false;
    // Entries naming lost items would otherwise shadow the slot.
    while (const int32_t k = entry_in_slot(slot))
        Delete_Entry(k);
    Items.Add(number);
    slots_.push_back(static_cast<uint8_t>(slot));
    return true;
}

uint16_t TInventory::Take_From_Slot(int32_t slot, const TItem_List& items) {
    const uint16_t number = Get_Number_In_Slot(slot, items);
    if (number != 0)
        Delete_Entry(entry_in_slot(slot));
    return number;
}

bool TInventory::Can_Add_To_Backpack(uint16_t number, const TItem_List& items) const {
    const TItem* item = items.Get(number);
    if (!item)
        return false;
    for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
        const TItem* in_place = Get_In_Slot(slot, items);
        if (!in_place)
            return true;
        if (in_place != item && in_place->Is_Same_Item(*item) &&
            Stack_Room(*in_place) >= item->Count_Of_Items())
            return true;
    }
    return false;
}

bool TInventory::Add_To_Backpack(uint16_t number, TItem_List& items) {
    TItem* item = items.Get(number);
    if (!item)
        return false;
    for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot) {
        TItem* in_place = Get_In_Slot(slot, items);
        if (in_place && in_place != item && in_place->Is_Same_Item(*item) &&
            Stack_Room(*in_place) >= item->Count_Of_Items()) {
            in_place->Quantity =
                static_cast<uint16_t>(in_place->Count_Of_Items() + item->Count_Of_Items());
            items.Delete_Item(number);
            return true;
        }
    }
    for (int32_t slot = First_Backpack_Slot; slot <= Last_Backpack_Slot; ++slot)
        if (Get_Number_In_Slot(slot, items) == 0)
            return Put_In_Slot(number, slot, items);
    return false;
}

uint16_t TInventory::Take_First_Of_Consumption_Type(uint8_t type, const TItem_List& items) {
    const int32_t k = Items.Find_Consumption_Type(type, items);
    if (k == 0)
        return 0;
    const uint16_t number = Items.Get_Number(k);
    Delete_Entry(k);
    return number;
}

uint16_t TInventory::Use_Ammo(const std::string& kind, TItem_List& items) {
    for (int32_t k = 1; k <= Count(); ++k) {
        TItem* item = Items.Get(k, items);
        if (!item || !Ammo_Kind_Matches(*item, kind) || item->Quantity == 0)
            continue;
        item->Remove_Quantity(1);
        const uint16_t number = item->Number;
        if (item->Quantity == 0)
            Delete_Entry(k);
        return number;
    }
    return 0;
}

bool TInventory::Use_Key(const std::string& key_group, TItem_List& items) {
    for (int32_t k = 1; k <= Count(); ++k) {
        TItem* item = Items.Get(k, items);
        if (!item || item->Key_Group.empty() || item->Key_Group != key_group)
            continue;
        if (item->Quantity < 2) {
            const uint16_t number = item->Number;
            Delete_Entry(k);
            items.Delete_Item(number);
        } else {
            item->Remove_Quantity(1);
        }
        return true;
    }
    return false;
}

void TInventory::Burn_Lights(TItem_List& items) {
    for (int32_t k = 1; k <= Count(); ++k) {
        TItem* item = Items.Get(k, items);
        if (!item || !Counts_As_Equipped(*item, Get_Slot(k)) || !item->Burn_Light())
            continue;
        if (item->Quantity < 2) {
            const uint16_t number = item->Number;
            Delete_Entry(k);
            items.Delete_Item(number);
            --k;
        } else {
            item->Remove_Quantity(1);
        }
    }
}

int32_t TInventory::Get_Effect_Total(TEffect_Type type, const TItem_List& items) const {
    int64_t total = 0;
    for (int32_t k = 1; k <= Count(); ++k) {
        const TItem* item = Items.Get(k, items);
        if (item && Counts_As_Equipped(*item, Get_Slot(k)))
            total += item->Get_Effect_Total(type);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
}

void TInventory::Add_Equipped_Effects_To(TEffect_List& list, const TItem_List& items) const {
    for (int32_t k = 1; k <= Count(); ++k) {
        const TItem* item = Items.Get(k, items);
        if (item && Counts_As_Equipped(*item, Get_Slot(k)))
            item->Add_Effects_To(list);
    }
}

int32_t TInventory::Get_Total_Defense(const TItem_List& items) const {
    int32_t total = 0;
    for (int32_t k = 1; k <= Count(); ++k) {
        const TItem* item = Items.Get(k, items);
        if (item && Counts_As_Equipped(*item, Get_Slot(k)))
            total += item->Defense;
    }
    return total;
}

bool TInventory::Can_Place_In_Slot(uint16_t number, int32_t slot, const TItem_List& items,
                                   const TRequirement_Subject* character, bool two_weapons) const {
    const TItem* item = items.Get(number);
    if (!item || slot < 1 || slot > Last_Backpack_Slot)
        return false;
    bool allowed = slot >= First_Backpack_Slot || Counts_As_Equipped(*item, slot);
    if (allowed && (slot == First_Hand_Slot || slot == Second_Hand_Slot)) {
        const int32_t other_slot = slot == First_Hand_Slot ? Second_Hand_Slot : First_Hand_Slot;
        const TItem* other = Get_In_Slot(other_slot, items);
        if (other && (item->Hands_Required >= 2 || other->Hands_Required >= 2))
            allowed = false;
        if (allowed && other && item->Get_Type() == TItem_Type::Weapon &&
            other->Get_Type() == TItem_Type::Weapon && !two_weapons)
            allowed = false;
    }
    if (allowed && Counts_As_Equipped(*item, slot))
        allowed = item->Requirements.Requirements_Met(character, item->Level);
    const TItem* in_place = Get_In_Slot(slot, items);
    if (in_place && in_place != item && in_place->Is_Same_Item(*item) && Stack_Room(*in_place) > 0)
        allowed = true;
    return allowed;
}

void TInventory::Clear() {
    Items.Clear();
    slots_.clear();
}

void TInventory::Assign(const TInventory& source) {
    Items.Assign(source.Items);
    slots_ = source.slots_;
}

void TInventory::Save(TValue_Writer& writer) const {
    // Only whole entries: a number added to Items without a slot is not written, so
    // what is saved always loads.
    const size_t n = std::min(Items.Numbers().size(), slots_.size());
    const std::vector<uint16_t>& numbers = Items.Numbers();
    writer.Write_Word_List(std::vector<uint16_t>(numbers.begin(), numbers.begin() + n));
    writer.Write_Byte_List(std::vector<uint8_t>(slots_.begin(), slots_.begin() + n));
}

void TInventory::Load(TValue_Reader& reader) {
    TItem_Collection numbers;
    std::vector<uint8_t> slots;
    numbers.Load(reader);
    reader.Read_Byte_List(slots);
    if (static_cast<size_t>(numbers.Count()) != slots.size())
        throw TStream_Error("inventory numbers and slots of different lengths");
    for (uint8_t slot : slots)
        if (slot < 1 || slot > Last_Backpack_Slot)
            throw TStream_Error("inventory slot " + std::to_string(slot) + " outside 1..90");
    Items.Assign(numbers);
    slots_ = std::move(slots);
}

void THeld_Item::Renumber(const std::vector<uint16_t>& old_numbers,
                          const std::vector<uint16_t>& new_numbers) {
    for (size_t k = 0; k < old_numbers.size() && k < new_numbers.size(); ++k) {
        if (old_numbers[k] == number_) {
            number_ = new_numbers[k];
            return;
        }
    }
}

bool Pick_Up_From_Slot(THeld_Item& held, TInventory& inventory, int32_t slot,
                       const TItem_List& items) {
    if (held.Is_Holding())
        return false;
    const uint16_t number = inventory.Take_From_Slot(slot, items);
    if (number == 0)
        return false;
    held.Hold(number);
    Play_Sound("pick_up.wav");
    return true;
}

bool Drop_Held_On_Slot(THeld_Item& held, TInventory& inventory, int32_t slot, TItem_List& items,
                       const TRequirement_Subject* character, bool two_weapons) {
    const uint16_t number = held.Take_Held();
    TItem* item = items.Get(number);
    if (!item)
        return false;
    if (!inventory.Can_Place_In_Slot(number, slot, items, character, two_weapons)) {
        held.Hold(number);
        return false;
    }
    TItem* in_place = inventory.Get_In_Slot(slot, items);
    if (in_place && in_place != item && in_place->Is_Same_Item(*item) &&
        Stack_Room(*in_place) > 0) {
        const int32_t moved = std::min<int32_t>(item->Count_Of_Items(), Stack_Room(*in_place));
        in_place->Quantity = static_cast<uint16_t>(in_place->Count_Of_Items() + moved);
        const int32_t left = item->Count_Of_Items() - moved;
        if (left == 0) {
            items.Delete_Item(number);
            Play_Sound("put_down.wav");
        } else {
            item->Quantity = static_cast<uint16_t>(left);
            held.Hold(number);
        }
        return true;
    }
    const uint16_t taken_out = inventory.Take_From_Slot(slot, items);
    if (!inventory.Put_In_Slot(number, slot, items)) {
        // Nothing may be lost: the slot's own item goes back before the drop is undone.
        if (taken_out != 0)
            inventory.Put_In_Slot(taken_out, slot, items);
        held.Hold(number);
        return false;
    }
    Play_Sound("put_down.wav");
    if (taken_out != 0)
        held.Hold(taken_out);
    return true;
}

void Apply_Consumption(const TItem& item, TItem_Consumer& consumer) {
    const int32_t value = item.Consumption_Value;
    switch (static_cast<TConsumption_Type>(item.Consumption_Type)) {
    case TConsumption_Type::Food:
        consumer.Add_Hunger(value);
        break;
    case TConsumption_Type::Health:
        consumer.Add_Health(value);
        break;
    case TConsumption_Type::Mana:
        consumer.Add_Mana(value);
        break;
    case TConsumption_Type::Cure_Poison:
        consumer.Cure_Poison();
        break;
    case TConsumption_Type::Timed_Effect:
        if (value > 0)
            consumer.Add_Timed_Effects(item.Effects, value);
        break;
    case TConsumption_Type::Permanent_Effect:
        consumer.Add_Permanent_Effects(item.Effects);
        break;
    case TConsumption_Type::Permanent_Health:
        consumer.Add_Permanent_Health(value);
        break;
    case TConsumption_Type::Permanent_Mana:
        consumer.Add_Permanent_Mana(value);
        break;
    case TConsumption_Type::Permanent_Strength:
        consumer.Add_Base_Strength(value);
        break;
    case TConsumption_Type::Permanent_Intelligence:
        consumer.Add_Base_Intelligence(value);
        break;
    case TConsumption_Type::Permanent_Dexterity:
        consumer.Add_Base_Dexterity(value);
        break;
    case TConsumption_Type::Permanent_Constitution:
        consumer.Add_Base_Constitution(value);
        break;
    default:
        break;
    }
}

bool Use_One_Item(uint16_t number, TItem_List& items, TItem_Consumer& consumer) {
    TItem* item = items.Get(number);
    if (!item)
        return false;
    Apply_Consumption(*item, consumer);
    // One of a stack is used; the rest stays.
    const bool last = item->Count_Of_Items() <= 1;
    if (last)
        items.Delete_Item(number);
    else
        item->Remove_Quantity(1);
    consumer.Recompute_Statistics();
    return last;
}

bool Use_Held_Item(THeld_Item& held, TItem_List& items, TItem_Consumer& consumer) {
    const uint16_t number = held.Take_Held();
    const TItem* item = items.Get(number);
    if (!item)
        return false;
    const bool drink = item->Get_Type() == TItem_Type::Potion;
    if (!drink && item->Consumption_Value == 0) {
        held.Hold(number);
        return false;
    }
    if (!Use_One_Item(number, items, consumer))
        held.Hold(number);
    Play_Sound(drink ? "drink.wav" : "eat.wav");
    return true;
}

bool Quick_Use(TInventory& inventory, uint8_t consumption_type, TItem_List& items,
               TItem_Consumer& consumer,
               const std::function<void(const std::string& wave_file)>& play_where_standing) {
    const int32_t k = inventory.Items.Find_Consumption_Type(consumption_type, items);
    if (k == 0)
        return false;
    const uint16_t number = inventory.Items.Get_Number(k);
    if (Use_One_Item(number, items, consumer))
        inventory.Delete_Entry(k);
    if (play_where_standing)
        play_where_standing("drink.wav");
    return true;
}
