#pragma once
// Conditions a creature must meet to use an item or an item modifier, each of which
// may grow with the level of the thing that carries it. Entries are 1-based.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TRecord_Fields;
class TValue_Reader;
class TValue_Writer;

enum class TRequirement_Type : uint8_t {
    None = 0,
    Level_Required = 1,
    Class_Required = 2,
    Strength_Required = 3,
    Dexterity_Required = 4,
    Intelligence_Required = 5,
    Constitution_Required = 6,
    Mana_Required = 7,
    Health_Required = 8,
    Cannot_Be_Class = 9,
};
inline constexpr int Requirement_Type_Last = 9;
// The data-file keyword of a type ("Level Required", ...); empty outside 1..9.
std::string Requirement_Type_Name(uint8_t type);

// The values of a creature that requirements are tested against (its current
// characteristics, with effects, and its maxima).
class TRequirement_Subject {
  public:
    virtual ~TRequirement_Subject() = default;
    virtual int32_t Requirement_Level() const = 0;
    virtual int32_t Requirement_Class_Number() const = 0;
    virtual int32_t Requirement_Strength() const = 0;
    virtual int32_t Requirement_Dexterity() const = 0;
    virtual int32_t Requirement_Intelligence() const = 0;
    virtual int32_t Requirement_Constitution() const = 0;
    virtual int32_t Requirement_Maximum_Mana() const = 0;
    virtual int32_t Requirement_Maximum_Health() const = 0;
};

// The name of character class n, for the class requirement texts.
using TClass_Name_Lookup = std::function<std::string(int32_t class_number)>;

class TRequirements {
  public:
    struct TEntry {
        uint8_t Type = 0;
        int32_t Amount = 0;
        uint8_t Modifier_Type = 0; // 1 "Number", 2 "Percent"
        uint16_t Amount_Per_Level = 0;
    };

    void Clear() { entries_.clear(); }
    int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
    void Assign(const TRequirements& source) { entries_ = source.entries_; }
    void Add_Requirements(const TRequirements& source);
    void Add_Requirement(uint8_t type, int32_t amount, uint8_t modifier_type,
                         uint16_t amount_per_level);

    // The value of requirement i at the owner's level (0 outside 1..Count).
    int32_t Get_Requirement_Value(int32_t i, int32_t level) const;
    // True when the creature meets every requirement at that level, or there is no
    // creature. A type outside 1..9 (from a damaged file) is no condition.
    bool Requirements_Met(const TRequirement_Subject* creature, int32_t level) const;
    std::string Get_Requirement_Text(int32_t i, int32_t level,
                                     const TClass_Name_Lookup& class_name = {}) const;

    // Keys (prefix + text): "Number of Requirements", "Requirement <i> Type",
    // "Requirement <i> Amount", "Requirement <i> Per Level Modifier Type"
    // ("Number" or "Percent"), "Requirement <i> Amt Per Level Modifier".
    void Load_From_Data_File(TRecord_Fields& record, const std::string& prefix);
    // The four lists; lists of different lengths are a read error (TStream_Error).
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);

    const std::vector<TEntry>& Entries() const { return entries_; }

  private:
    std::vector<TEntry> entries_;
};
