#pragma once
// The creatures of one map, owned by number. A creature's Number is its slot.

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

    // Nothing for 0, above Count, or an empty slot.
    TMonster* Get(int32_t number);
    const TMonster* Get(int32_t number) const;
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // Stores a copy in the first empty slot (or appends), sets its Number and returns
    // it; 0 when the list already holds as many creatures as a number can name.
    uint16_t Add(const TMonster& creature);
    // Frees the creature and empties its slot for reuse; the others forget it as their
    // leader and as the source of their condition, so a later creature in the slot is
    // not taken for it.
    void Delete_Slot(int32_t i);
    void Delete_Creature(int32_t number) { Delete_Slot(number); }
    void Clear() { slots_.clear(); }
    void Assign(const TMonster_List& source);
    // Word count, the name, then per slot a Boolean (occupied) and the creature record.
    void Save(TValue_Writer& writer) const;
    // A damaged record throws TStream_Error and leaves the list as it was.
    void Load(TValue_Reader& reader);

  private:
    std::vector<std::unique_ptr<TWriteable_Monster>> slots_;
};
