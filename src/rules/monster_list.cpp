#include "rules/monster_list.h"

#include "rules/numbered_slots.h"
#include "shell/value_stream.h"

TMonster* TMonster_List::Get(int32_t number) {
    TMonster* creature = Numbered_Slot(slots_, number);
    return creature && !creature->Is_Dead() ? creature : nullptr;
}

const TMonster* TMonster_List::Get(int32_t number) const {
    const TMonster* creature = Numbered_Slot(slots_, number);
    return creature && !creature->Is_Dead() ? creature : nullptr;
}

uint16_t TMonster_List::Add(const TMonster& creature) {
    // A copy starts alive and without a serial: it is a creature of its own.
    const uint16_t number = Add_In_First_Free_Slot(slots_, creature);
    if (number != 0)
        slots_[number - 1]->Serial = Next_Entry_Serial();
    return number;
}

void TMonster_List::forget_number(int32_t number) {
    for (auto& slot : slots_) {
        if (!slot)
            continue;
        if (slot->Leader == number)
            slot->Leader = 0;
        if (slot->Condition_Source == number)
            slot->Condition_Source = 0;
    }
}

void TMonster_List::Mark_Dead(TMonster& creature) {
    creature.dead_ = true;
    if (Numbered_Slot(slots_, creature.Number) == &creature)
        forget_number(creature.Number);
}

void TMonster_List::Remove_Dead() {
    for (auto& slot : slots_)
        if (slot && slot->Is_Dead())
            slot.reset();
}

void TMonster_List::Delete_Slot(int32_t i) {
    if (!Numbered_Slot(slots_, i))
        return;
    // Moved out first: freeing it must not find itself half in the list.
    std::unique_ptr<TWriteable_Monster> gone = std::move(slots_[static_cast<size_t>(i - 1)]);
    forget_number(i);
}

namespace {

const auto alive = [](const TMonster& creature) { return !creature.Is_Dead(); };

} // namespace

void TMonster_List::Assign(const TMonster_List& source) {
    if (&source == this)
        return;
    Name = source.Name;
    slots_ = Copy_Numbered_Slots(source.slots_, alive);
    Give_Entry_Serials(slots_);
}

void TMonster_List::Save(TValue_Writer& writer) const {
    Save_Numbered_Slots(writer, Name, slots_, alive);
}

void TMonster_List::Load(TValue_Reader& reader) {
    Load_Numbered_Slots(reader, Name, slots_);
    Give_Entry_Serials(slots_);
}
