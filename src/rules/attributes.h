#pragma once
// A small record list carried, copied and saved with every item. No rule reads or
// fills it; it is kept so that saved games keep their layout.

#include <cstdint>
#include <optional>
#include <vector>

class TValue_Reader;
class TValue_Writer;

struct TAttribute {
    uint16_t Value_1 = 0;
    uint16_t Value_2 = 0;
    bool Flag = false;
    uint8_t Value_3 = 0;
    uint16_t Value_4 = 0;
    uint16_t Value_5 = 0;
    bool operator==(const TAttribute&) const = default;
};

// 1-based; a slot may be empty.
class TAttributes_List {
  public:
    void Clear() { entries_.clear(); }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    // Nothing for 0, for i above Count and for an empty slot.
    const TAttribute* Get(int32_t i) const;
    // Adds a copy; nothing adds an empty slot.
    void Add(const TAttribute* attribute);
    void Assign(const TAttributes_List& source) { entries_ = source.entries_; }
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);
    bool operator==(const TAttributes_List&) const = default;

  private:
    std::vector<std::optional<TAttribute>> entries_;
};
