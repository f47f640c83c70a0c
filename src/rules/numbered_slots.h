#pragma once
// The game's numbered lists (items, creatures, item and monster classes) keep their
// entries in 1-based slots, and an entry's number is its slot: a new entry takes the
// first free slot, so numbers stay small and are reused once freed.

#include <cstdint>
#include <memory>
#include <vector>

// The entry in slot `number`, or nothing when the number names no slot.
template <typename Stored>
Stored* Numbered_Slot(const std::vector<std::unique_ptr<Stored>>& slots, int32_t number) {
    if (number < 1 || static_cast<size_t>(number) > slots.size())
        return nullptr;
    return slots[static_cast<size_t>(number - 1)].get();
}

// Stores a copy of `value` in the first free slot and gives it that number. 0 when all
// 65535 numbers are taken.
template <typename Stored, typename Value>
uint16_t Add_In_First_Free_Slot(std::vector<std::unique_ptr<Stored>>& slots, const Value& value) {
    size_t slot = 0;
    while (slot < slots.size() && slots[slot])
        ++slot;
    if (slot == slots.size()) {
        if (slots.size() >= 65535)
            return 0;
        slots.emplace_back();
    }
    slots[slot] = std::make_unique<Stored>(value);
    slots[slot]->Number = static_cast<uint16_t>(slot + 1);
    return slots[slot]->Number;
}
