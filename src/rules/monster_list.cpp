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
    if (&source == this)
        return;
    Name = source.Name;
    slots_ = Copy_Numbered_Slots(source.slots_);
}

void TMonster_List::Save(TValue_Writer& writer) const {
    Save_Numbered_Slots(writer, Name, slots_);
}

void TMonster_List::Load(TValue_Reader& reader) {
    Load_Numbered_Slots(reader, Name, slots_);
}
