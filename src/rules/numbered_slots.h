#pragma once
// The game's numbered lists (items, creatures, item and monster classes) keep their
// entries in 1-based slots, and an entry's number is its slot: a new entry takes the
// first free slot, so numbers stay small and are reused once freed.

#include <cstdint>
#include <memory>
#include <string>
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

// A deep copy of every slot, empty slots included.
template <typename Stored>
std::vector<std::unique_ptr<Stored>>
Copy_Numbered_Slots(const std::vector<std::unique_ptr<Stored>>& slots) {
    std::vector<std::unique_ptr<Stored>> copy;
    copy.reserve(slots.size());
    for (const auto& slot : slots)
        copy.push_back(slot ? std::make_unique<Stored>(*slot) : nullptr);
    return copy;
}

// The list record of the save files: Word count, String name, then per slot a Boolean
// telling whether it is occupied and, when it is, the entry's own record.
template <typename Stored, typename Writer>
void Save_Numbered_Slots(Writer& writer, const std::string& name,
                         const std::vector<std::unique_ptr<Stored>>& slots) {
    writer.Write_Word(static_cast<uint16_t>(slots.size()));
    writer.Write_String(name);
    for (const auto& slot : slots) {
        writer.Write_Boolean(slot != nullptr);
        if (slot)
            slot->Save(writer);
    }
}

// Reads that record aside, so that a damaged one (the reader throws) leaves the list
// as it was. Squares and inventories find entries by slot, so the slot is the number.
template <typename Stored, typename Reader>
void Load_Numbered_Slots(Reader& reader, std::string& name,
                         std::vector<std::unique_ptr<Stored>>& slots) {
    const uint16_t count = reader.Read_Word();
    std::string read_name = reader.Read_String();
    std::vector<std::unique_ptr<Stored>> read_slots;
    for (uint16_t k = 0; k < count; ++k) {
        if (!reader.Read_Boolean()) {
            read_slots.emplace_back();
            continue;
        }
        auto entry = std::make_unique<Stored>();
        entry->Load(reader);
        entry->Number = static_cast<uint16_t>(k + 1);
        read_slots.push_back(std::move(entry));
    }
    name = std::move(read_name);
    slots = std::move(read_slots);
}
