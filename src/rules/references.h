#pragma once
// References to a creature or an item that outlive a tick: a sprite's attacker and
// target, the description panel's subject, a pending target. Numbers are reused once
// their creature or item is gone, so a reference also keeps the serial its object got
// when it was placed in its list, and finds the object only while the number still
// names that very object (a dead creature is found no more).

#include <cstdint>

class TItem;
class TItem_List;
class TMonster;
class TMonster_List;

struct TCreature_Ref {
    uint16_t Number = 0;
    uint32_t Serial = 0;

    TCreature_Ref() = default;
    // A creature in no list has no serial: its reference never resolves.
    explicit TCreature_Ref(const TMonster& creature);

    // The creature, or nothing once it died or left the list.
    TMonster* Resolve(TMonster_List& list) const;
    const TMonster* Resolve(const TMonster_List& list) const;
    bool operator==(const TCreature_Ref&) const = default;
};

// The creature the number names in the list now; an empty reference when none does.
TCreature_Ref Creature_Ref(const TMonster_List& list, uint16_t number);

struct TItem_Ref {
    uint16_t Number = 0;
    uint32_t Serial = 0;

    TItem_Ref() = default;
    // An item in no list has no serial: its reference never resolves.
    explicit TItem_Ref(const TItem& item);

    // The item, or nothing once it left the list.
    TItem* Resolve(TItem_List& list) const;
    const TItem* Resolve(const TItem_List& list) const;
    bool operator==(const TItem_Ref&) const = default;
};

// The item the number names in the list now; an empty reference when none does.
TItem_Ref Item_Ref(const TItem_List& list, uint16_t number);
