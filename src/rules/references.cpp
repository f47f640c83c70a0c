#include "rules/references.h"

#include "rules/item_list.h"
#include "rules/monster_list.h"

namespace {

template <typename Entry> bool same(const Entry* entry, uint32_t serial) {
    return entry && serial != 0 && entry->Serial == serial;
}

} // namespace

TCreature_Ref::TCreature_Ref(const TMonster& creature)
    : Number(creature.Number), Serial(creature.Serial) {}

TMonster* TCreature_Ref::Resolve(TMonster_List& list) const {
    TMonster* creature = list.Get(Number);
    return same(creature, Serial) ? creature : nullptr;
}

const TMonster* TCreature_Ref::Resolve(const TMonster_List& list) const {
    const TMonster* creature = list.Get(Number);
    return same(creature, Serial) ? creature : nullptr;
}

TCreature_Ref Creature_Ref(const TMonster_List& list, uint16_t number) {
    const TMonster* creature = list.Get(number);
    return creature ? TCreature_Ref(*creature) : TCreature_Ref();
}

TItem_Ref::TItem_Ref(const TItem& item) : Number(item.Number), Serial(item.Serial) {}

TItem* TItem_Ref::Resolve(TItem_List& list) const {
    TItem* item = list.Get(Number);
    return same(item, Serial) ? item : nullptr;
}

const TItem* TItem_Ref::Resolve(const TItem_List& list) const {
    const TItem* item = list.Get(Number);
    return same(item, Serial) ? item : nullptr;
}

TItem_Ref Item_Ref(const TItem_List& list, uint16_t number) {
    const TItem* item = list.Get(number);
    return item ? TItem_Ref(*item) : TItem_Ref();
}
