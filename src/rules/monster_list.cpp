#include "rules/monster_list.h"

#include "rules/numbered_slots.h"
#include "shell/value_stream.h"

TMonster* TMonster_List::Get(int32_t number) {
    if (number < 1 || number > Count())
        return nullptr;
    return slots_[static_cast<size_t>(number - 1)].get();
}

const TMonster* TMonster_List::Get(int32_t number) const {
    return Numbered_Slot(slots_, number);
}

uint16_t TMonster_List::Add(const TMonster& creature) {
    return Add_In_First_Free_Slot(slots_, creature);
}

void TMonster_List::Delete_Slot(int32_t i) {
    if (!Get(i))
        return;
    // Moved out first: freeing it must not find itself half in the list.
    std::unique_ptr<TWriteable_Monster> gone = std::move(slots_[static_cast<size_t>(i - 1)]);
    for (auto& slot : slots_) {
        if (!slot)
            continue;
        if (slot->Leader == i)
            slot->Leader = 0;
        if (slot->Condition_Source == i)
            slot->Condition_Source = 0;
    }
}

void TMonster_List::Assign(const TMonster_List& source) {
    if (this == &source)
        return;
    Name = source.Name;
    slots_.clear();
    for (const auto& slot : source.slots_)
        slots_.push_back(slot ? std::make_unique<TWriteable_Monster>(*slot) : nullptr);
}

void TMonster_List::Save(TValue_Writer& writer) const {
    writer.Write_Word(static_cast<uint16_t>(slots_.size()));
    writer.Write_String(Name);
    for (const auto& slot : slots_) {
        writer.Write_Boolean(slot != nullptr);
        if (slot)
            slot->Save(writer);
    }
}

void TMonster_List::Load(TValue_Reader& reader) {
    // Read aside first, so that a damaged record leaves the list as it was.
    const uint16_t count = reader.Read_Word();
    std::string name = reader.Read_String();
    std::vector<std::unique_ptr<TWriteable_Monster>> slots;
    for (int32_t i = 1; i <= count; ++i) {
        if (!reader.Read_Boolean()) {
            slots.emplace_back();
            continue;
        }
        auto creature = std::make_unique<TWriteable_Monster>();
        creature->Load(reader);
        creature->Number = static_cast<uint16_t>(i);
        slots.push_back(std::move(creature));
    }
    Name = std::move(name);
    slots_ = std::move(slots);
}
