#include "rules/item_list.h"

#include <algorithm>

#include "rules/numbered_slots.h"
#include "shell/helpers.h"
#include "shell/value_stream.h"

TItem* TItem_List::Get(int32_t number) {
    if (number < 1 || number > Count())
        return nullptr;
    return slots_[number - 1].get();
}

const TItem* TItem_List::Get(int32_t number) const {
    return Numbered_Slot(slots_, number);
}

uint16_t TItem_List::Add(const TItem& item) {
    const uint16_t number = Add_In_First_Free_Slot(slots_, item);
    if (number != 0)
        slots_[number - 1]->Serial = Next_Entry_Serial();
    return number;
}

void TItem_List::Delete_Slot(int32_t i) {
    if (i >= 1 && i <= Count())
        slots_[i - 1].reset();
}

void TItem_List::Delete_Item(int32_t number) {
    for (auto& slot : slots_)
        if (slot && slot->Number == number)
            slot.reset();
}

void TItem_List::Assign(const TItem_List& source) {
    if (&source == this)
        return;
    Name = source.Name;
    slots_ = Copy_Numbered_Slots(source.slots_);
    Give_Entry_Serials(slots_);
}

void TItem_List::Save(TValue_Writer& writer) const {
    Save_Numbered_Slots(writer, Name, slots_);
}

void TItem_List::Load(TValue_Reader& reader) {
    Load_Numbered_Slots(reader, Name, slots_);
    Give_Entry_Serials(slots_);
}

void TItem_Collection::Delete(int32_t i) {
    if (i >= 1 && i <= Count())
        numbers_.erase(numbers_.begin() + (i - 1));
}

uint16_t TItem_Collection::Get_Number(int32_t i) const {
    return (i >= 1 && i <= Count()) ? numbers_[i - 1] : 0;
}

int32_t TItem_Collection::Find(uint16_t number) const {
    for (int32_t i = 1; i <= Count(); ++i)
        if (numbers_[i - 1] == number)
            return i;
    return 0;
}

uint32_t TItem_Collection::Get_Total_Weight(const TItem_List& items) const {
    // Summed wide and saturated: two heavy stacks must not wrap to a light load.
    uint64_t total = 0;
    for (uint16_t number : numbers_)
        if (const TItem* item = items.Get(number))
            total += item->Get_Weight();
    return static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX));
}

bool Ammo_Kind_Matches(const TItem& item, const std::string& kind) {
    return Lower_Case(Trim(item.Ammo_Kind)) == Lower_Case(Trim(kind));
}

bool TItem_Collection::Has_Ammo(const std::string& kind, const TItem_List& items) const {
    for (uint16_t number : numbers_) {
        const TItem* item = items.Get(number);
        if (item && Ammo_Kind_Matches(*item, kind) && item->Quantity > 0)
            return true;
    }
    return false;
}

std::string TItem_Collection::Get_Ammo_Sound(const std::string& kind,
                                             const TItem_List& items) const {
    for (uint16_t number : numbers_) {
        const TItem* item = items.Get(number);
        if (item && Ammo_Kind_Matches(*item, kind) && item->Quantity > 0)
            return item->Use_Sound_File;
    }
    return "";
}

uint16_t TItem_Collection::Use_Ammo(const std::string& kind, TItem_List& items) {
    for (int32_t i = 1; i <= Count(); ++i) {
        TItem* item = items.Get(numbers_[i - 1]);
        if (!item || !Ammo_Kind_Matches(*item, kind) || item->Quantity == 0)
            continue;
        item->Remove_Quantity(1);
        const uint16_t number = item->Number;
        if (item->Quantity == 0)
            Delete(i);
        return number;
    }
    return 0;
}

int32_t TItem_Collection::Find_Consumption_Type(uint8_t type, const TItem_List& items) const {
    for (int32_t i = 1; i <= Count(); ++i) {
        const TItem* item = items.Get(numbers_[i - 1]);
        if (item && item->Consumption_Type == type)
            return i;
    }
    return 0;
}

void TItem_Collection::Renumber(const std::vector<uint16_t>& old_numbers,
                                const std::vector<uint16_t>& new_numbers) {
    for (uint16_t& number : numbers_) {
        for (size_t k = 0; k < old_numbers.size() && k < new_numbers.size(); ++k) {
            if (old_numbers[k] == number) {
                number = new_numbers[k];
                break;
            }
        }
    }
}

void TItem_Collection::Save(TValue_Writer& writer) const {
    writer.Write_Word_List(numbers_);
}

void TItem_Collection::Load(TValue_Reader& reader) {
    reader.Read_Word_List(numbers_);
}
