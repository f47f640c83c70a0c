#pragma once
// The universal bonus and penalty carrier: a list of effects, each an effect type
// (1..77) with a minimum and a maximum amount and a variance used when it is rolled.
// Entries are 1-based.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "shell/enums.h"

class TRecord_Fields;
class TValue_Reader;
class TValue_Writer;

// The text an effect type shows, as Get_Effect_Text builds it (empty for type 0, for
// "Monster Increase Damage Resistance" and for types outside 1..77).
std::string Effect_Text(uint8_t type, int32_t min, int32_t max, bool with_sign);
// The four types whose entry is a damage range added to a weapon's.
bool Is_Range_Damage_Type(uint8_t type);

class TEffect_List {
  public:
    struct TEntry {
        uint8_t Type = 0;
        int32_t Min = 0;
        int32_t Max = 0;
        int32_t Variance = 0;
    };

    void Clear() { entries_.clear(); }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    void Assign(const TEffect_List& source) { entries_ = source.entries_; }
    void Add_Effects(const TEffect_List& source);
    void Add_Effect(uint8_t type, int32_t min, int32_t max, int32_t variance = 0);
    void Add_Effect(TEffect_Type type, int32_t min, int32_t max, int32_t variance = 0) {
        Add_Effect(static_cast<uint8_t>(type), min, max, variance);
    }
    void Delete_Effect(int32_t i);
    void Set_Amounts(int32_t i, int32_t min, int32_t max);

    // 0 for entries outside 1..Count.
    uint8_t Get_Type(int32_t i) const;
    int32_t Get_Min(int32_t i) const;
    int32_t Get_Max(int32_t i) const;
    int32_t Get_Variance(int32_t i) const;

    bool Has_Effect(TEffect_Type type) const;
    // The sum of the minimum amounts of every entry of the type: an effect whose
    // amounts were not rolled counts with its minimum only.
    int32_t Get_Total(TEffect_Type type) const;
    int32_t Get_Monster_Increase_Health() const;
    int32_t Get_Monster_Increase_Attack_Ability() const;
    int32_t Get_Monster_Increase_Defense_Ability() const;
    int32_t Get_Monster_Increase_Min_Damage() const;
    int32_t Get_Monster_Increase_Max_Damage() const;
    int32_t Get_Monster_Increase_Move_Speed() const;

    // (first, second): an ordinary effect gives one amount in [min, max] and 0; a range
    // damage effect gives its range, each end spread by the variance.
    std::pair<int32_t, int32_t> Roll_Amounts(int32_t i) const;
    // The damage type that best shows a hit (0 when the list deals no typed damage).
    uint8_t Get_Main_Damage_Type() const;
    int32_t Get_Largest_Damage() const;
    std::string Get_Effect_Text(int32_t i, bool with_sign) const;

    // Keys (prefix + text): "Number of Effects", "Effect <i> Type",
    // "Effect <i> Min Amount", "Effect <i> Max Amount",
    // "Effect <i> Damage Variance" (optional). Entries of an unknown type are
    // reported and left out.
    void Load_From_Data_File(TRecord_Fields& record, const std::string& prefix);
    // Types, minimum and maximum amounts; variances are not kept (they load as 0).
    // Lists of different lengths are a read error (TStream_Error).
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);

    const std::vector<TEntry>& Entries() const { return entries_; }
    bool operator==(const TEffect_List& other) const;

  private:
    std::vector<TEntry> entries_;
};
