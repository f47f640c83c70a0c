#pragma once
// The game's numbered lists (items, creatures, item and monster classes) keep their
// entries in 1-based slots, and an entry's number is its slot: a new entry takes the
// first free slot, so numbers stay small and are reused once freed.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A serial no entry placed in a list before has received in this process (never 0).
// Entries get one each time they are placed in a list (added, loaded or copied in);
// it is not saved, and lets a reference tell an entry from a later one that took the
// same number.
inline uint32_t Next_Entry_Serial() {
    static uint32_t last = 0;
    if (++last == 0)
        ++last;
    return last;
}

// Gives every entry in the slots a new serial (after a load or a copy).
template <typename Stored> void Give_Entry_Serials(std::vector<std::unique_ptr<Stored>>& slots) {
    for (auto& slot : slots)
        if (slot)
            slot->Serial = Next_Entry_Serial();
}

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

// Every entry is kept by default; a list may leave some out (the dead creatures).
struct TKeep_Every_Entry {
    template <typename Stored> bool operator()(const Stored&) const { return true; }
};

// A deep copy of every slot, empty slots included; an entry not kept leaves its slot
// empty.
template <typename Stored, typename Keep = TKeep_Every_Entry>
std::vector<std::unique_ptr<Stored>>
Copy_Numbered_Slots(const std::vector<std::unique_ptr<Stored>>& slots, Keep keep = {}) {
    std::vector<std::unique_ptr<Stored>> copy;
    copy.reserve(slots.size());
    for (const auto& slot : slots)
        copy.push_back(slot && keep(*slot) ? std::make_unique<Stored>(*slot) : nullptr);
    return copy;
}

// The list record of the save files: Word count, String name, then per slot a Boolean
// telling whether it is occupied and, when it is, the entry's own record. An entry not
// kept is written as an empty slot.
template <typename Stored, typename Writer, typename Keep = TKeep_Every_Entry>
void Save_Numbered_Slots(Writer& writer, const std::string& name,
                         const std::vector<std::unique_ptr<Stored>>& slots, Keep keep = {}) {
    writer.Write_Word(static_cast<uint16_t>(slots.size()));
    writer.Write_String(name);
    for (const auto& slot : slots) {
        const bool kept = slot && keep(*slot);
        writer.Write_Boolean(kept);
        if (kept)
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
