#pragma once
// The creatures of one map, owned by number. A creature's Number is its slot.
//
// A creature never frees itself: Die marks it dead, and from then on no lookup finds
// it, but it stays in memory, in its slot, until Remove_Dead frees the dead. The map
// does that after each pass of Tick_Monsters; a caller that kills outside the pass may
// do it too once it holds no creature pointer. So a pointer taken before a death stays
// valid until that point, and a number is reused only after it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/monster.h"

class TMonster_List {
  public:
    TMonster_List() = default;
    TMonster_List(const TMonster_List& other) { Assign(other); }
    TMonster_List& operator=(const TMonster_List& other) {
        Assign(other);
        return *this;
    }

    std::string Name;

    // Nothing for 0, above Count, an empty slot or a dead creature.
    TMonster* Get(int32_t number);
    const TMonster* Get(int32_t number) const;
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // Stores a copy, alive and with a new Serial, in the first empty slot (or appends),
    // sets its Number and returns it; 0 when the list already holds as many creatures
    // as a number can name.
    uint16_t Add(const TMonster& creature);
    // The creature is dead (Die calls this last). When it is this list's, the others
    // forget it as their leader and as the source of their condition, so that a later
    // creature of the same number is never taken for it.
    void Mark_Dead(TMonster& creature);
    // Frees every dead creature and empties its slot for reuse.
    void Remove_Dead();
    // Frees the creature and empties its slot for reuse at once; the others forget it
    // as Mark_Dead says.
    void Delete_Slot(int32_t i);
    void Delete_Creature(int32_t number) { Delete_Slot(number); }
    void Clear() { slots_.clear(); }
    // Copies the living creatures (a dead one leaves its slot empty), each with a new
    // Serial.
    void Assign(const TMonster_List& source);
    // Word count, the name, then per slot a Boolean (occupied) and the creature record.
    // A dead creature is written as an empty slot.
    void Save(TValue_Writer& writer) const;
    // A damaged record throws TStream_Error and leaves the list as it was.
    void Load(TValue_Reader& reader);

  private:
    void forget_number(int32_t number);
    std::vector<std::unique_ptr<TWriteable_Monster>> slots_;
};
