#pragma once
// The items of one map, owned by number, and collections of item numbers (chests,
// piles, inventories) that refer into such a list.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/item.h"

class TValue_Reader;
class TValue_Writer;

// 1-based list of owned items in which a slot may be empty; an item's Number is its
// slot. Each item placed in the list (added, loaded or copied in) gets a new Serial.
class TItem_List {
  public:
    TItem_List() = default;
    TItem_List(const TItem_List& other) { Assign(other); }
    TItem_List& operator=(const TItem_List& other) {
        Assign(other);
        return *this;
    }

    std::string Name;

    // Nothing for 0, above Count, or an empty slot.
    TItem* Get(int32_t number);
    const TItem* Get(int32_t number) const;
    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // Stores a copy in the first empty slot (or appends) and returns its number; 0 when
    // the list already holds the largest number of items an item number can name.
    uint16_t Add(const TItem& item);
    void Delete_Slot(int32_t i);
    void Delete_Item(int32_t number);
    void Clear() { slots_.clear(); }
    void Assign(const TItem_List& source);
    void Save(TValue_Writer& writer) const;
    // A damaged record throws TStream_Error and leaves the list as it was.
    void Load(TValue_Reader& reader);

  private:
    std::vector<std::unique_ptr<TWriteable_Item>> slots_;
};

// 1-based list of item numbers. A number that names no item reads as no item.
class TItem_Collection {
  public:
    int32_t Count() const { return static_cast<int32_t>(numbers_.size()); }
    void Clear() { numbers_.clear(); }
    void Assign(const TItem_Collection& source) { numbers_ = source.numbers_; }
    void Add(uint16_t number) { numbers_.push_back(number); }
    void Delete(int32_t i);
    // The number at position i (0 outside 1..Count).
    uint16_t Get_Number(int32_t i) const;
    TItem* Get(int32_t i, TItem_List& items) const { return items.Get(Get_Number(i)); }
    const TItem* Get(int32_t i, const TItem_List& items) const { return items.Get(Get_Number(i)); }
    // 1-based position of the number, 0 when absent.
    int32_t Find(uint16_t number) const;
    uint32_t Get_Total_Weight(const TItem_List& items) const;
    bool Has_Ammo(const std::string& kind, const TItem_List& items) const;
    std::string Get_Ammo_Sound(const std::string& kind, const TItem_List& items) const;
    // The first ammunition of the kind loses one; an emptied stack leaves the collection
    // (the caller deletes it from the item list once the shot has used it). Returns
    // its number, 0 when there is none.
    uint16_t Use_Ammo(const std::string& kind, TItem_List& items);
    // Position of the first item of the consumption type, 0 when none.
    int32_t Find_Consumption_Type(uint8_t type, const TItem_List& items) const;
    void Renumber(const std::vector<uint16_t>& old_numbers,
                  const std::vector<uint16_t>& new_numbers);
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);

    const std::vector<uint16_t>& Numbers() const { return numbers_; }

  protected:
    std::vector<uint16_t> numbers_;
};

// Ammunition kinds compare trimmed and ignoring case.
bool Ammo_Kind_Matches(const TItem& item, const std::string& kind);
