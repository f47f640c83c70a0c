#include "rules/requirements.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "rules/record_fields.h"
#include "shell/enums.h"
#include "shell/value_stream.h"

namespace {

const std::array<const char*, Requirement_Type_Last + 1> type_names = {
    "",
    "Level Required",
    "Class Required",
    "Strength Required",
    "Dexterity Required",
    "Intelligence Required",
    "Constitution Required",
    "Mana Required",
    "Health Required",
    "Cannot Be Class",
};

int32_t clamp_longint(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int32_t>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

} // namespace

std::string Requirement_Type_Name(uint8_t type) {
    return type <= Requirement_Type_Last ? type_names[type] : "";
}

void TRequirements::Add_Requirements(const TRequirements& source) {
    const std::vector<TEntry> added = source.entries_;
    entries_.insert(entries_.end(), added.begin(), added.end());
}

void TRequirements::Add_Requirement(uint8_t type, int32_t amount, uint8_t modifier_type,
                                    uint16_t amount_per_level) {
    entries_.push_back({type, amount, modifier_type, amount_per_level});
}

int32_t TRequirements::Get_Requirement_Value(int32_t i, int32_t level) const {
    if (i < 1 || i > Count())
        return 0;
    const TEntry& e = entries_[i - 1];
    const int64_t steps = static_cast<int64_t>(level) - 1;
    if (e.Modifier_Type == static_cast<uint8_t>(TAmount_Kind::Percent))
        return clamp_longint((static_cast<double>(e.Amount_Per_Level) * steps + 100) / 100.0 *
                             e.Amount);
    // Computed wide: a large per-level amount at a high level must not overflow.
    const int64_t value = e.Amount + static_cast<int64_t>(e.Amount_Per_Level) * steps;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool TRequirements::Requirements_Met(const TRequirement_Subject* creature, int32_t level) const {
    if (creature == nullptr)
        return true;
    for (int32_t i = 1; i <= Count(); ++i) {
        const int32_t value = Get_Requirement_Value(i, level);
        bool met = true;
        switch (static_cast<TRequirement_Type>(entries_[i - 1].Type)) {
        case TRequirement_Type::Level_Required:
            met = creature->Requirement_Level() >= value;
            break;
        case TRequirement_Type::Class_Required:
            met = creature->Requirement_Class_Number() == value;
            break;
        case TRequirement_Type::Strength_Required:
            met = creature->Requirement_Strength() >= value;
            break;
        case TRequirement_Type::Dexterity_Required:
            met = creature->Requirement_Dexterity() >= value;
            break;
        case TRequirement_Type::Intelligence_Required:
            met = creature->Requirement_Intelligence() >= value;
            break;
        case TRequirement_Type::Constitution_Required:
            met = creature->Requirement_Constitution() >= value;
            break;
        case TRequirement_Type::Mana_Required:
            met = creature->Requirement_Maximum_Mana() >= value;
            break;
        case TRequirement_Type::Health_Required:
            met = creature->Requirement_Maximum_Health() >= value;
            break;
        case TRequirement_Type::Cannot_Be_Class:
            met = creature->Requirement_Class_Number() != value;
            break;
        default:
            break;
        }
        if (!met)
            return false;
    }
    return true;
}

std::string TRequirements::Get_Requirement_Text(int32_t i, int32_t level,
                                                const TClass_Name_Lookup& class_name) const {
    if (i < 1 || i > Count())
        return "";
    const int32_t value = Get_Requirement_Value(i, level);
    const std::string number = std::to_string(value);
    const std::string name = class_name ? class_name(value) : "";
    switch (static_cast<TRequirement_Type>(entries_[i - 1].Type)) {
    case TRequirement_Type::Level_Required:
        return "Level " + number;
    case TRequirement_Type::Class_Required:
        return name;
    case TRequirement_Type::Strength_Required:
        return "Strength of " + number;
    case TRequirement_Type::Dexterity_Required:
        return "Dexterity of " + number;
    case TRequirement_Type::Intelligence_Required:
        return "Intelligence of " + number;
    case TRequirement_Type::Constitution_Required:
        return "Constitution of" + number;
    case TRequirement_Type::Mana_Required:
        return "Maximum Mana of" + number;
    case TRequirement_Type::Health_Required:
        return "Maximum Health of" + number;
    case TRequirement_Type::Cannot_Be_Class:
        return "Cannot Be Used By " + name;
    default:
        return "";
    }
}

void TRequirements::Load_From_Data_File(TRecord_Fields& record, const std::string& prefix) {
    const uint16_t count = record.Get_Word(prefix + "Number of Requirements");
    for (int32_t i = 1; i <= count; ++i) {
        const std::string key = prefix + "Requirement " + std::to_string(i) + " ";
        std::string type_text;
        if (!record.Get_Field_Value(key + "Type", type_text))
            continue;
        uint8_t type = 0;
        for (uint8_t t = 1; t <= Requirement_Type_Last; ++t)
            if (type_text == type_names[t])
                type = t;
        if (type == 0) {
            // Reported under the bare key, as module authors have always seen it.
            record.Report_Unknown_Value(type_text, "Requirement Type");
            continue;
        }
        const int32_t amount = record.Get_Word(key + "Amount");
        const std::string kind_key = key + "Per Level Modifier Type";
        std::string kind_text;
        if (!record.Get_Field_Value(kind_key, kind_text))
            continue;
        TAmount_Kind kind = TAmount_Kind::Unset;
        if (!Find_Enum_Value(kind_text, kind)) {
            record.Report_Unknown_Value(kind_text, kind_key);
            continue;
        }
        const uint16_t per_level = record.Get_Word(key + "Amt Per Level Modifier");
        Add_Requirement(type, amount, static_cast<uint8_t>(kind), per_level);
    }
}

void TRequirements::Save(TValue_Writer& writer) const {
    std::vector<uint8_t> types;
    std::vector<int32_t> amounts;
    std::vector<uint8_t> kinds;
    std::vector<uint16_t> per_level;
    for (const TEntry& e : entries_) {
        types.push_back(e.Type);
        amounts.push_back(e.Amount);
        kinds.push_back(e.Modifier_Type);
        per_level.push_back(e.Amount_Per_Level);
    }
    writer.Write_Byte_List(types);
    writer.Write_Longint_List(amounts);
    writer.Write_Byte_List(kinds);
    writer.Write_Word_List(per_level);
}

void TRequirements::Load(TValue_Reader& reader) {
    std::vector<uint8_t> types;
    std::vector<int32_t> amounts;
    std::vector<uint8_t> kinds;
    std::vector<uint16_t> per_level;
    reader.Read_Byte_List(types);
    reader.Read_Longint_List(amounts);
    reader.Read_Byte_List(kinds);
    reader.Read_Word_List(per_level);
    // The lists are written parallel: lists of different lengths are a damaged file.
    if (amounts.size() != types.size() || kinds.size() != types.size() ||
        per_level.size() != types.size())
        throw TStream_Error("requirement lists of different lengths");
    entries_.clear();
    for (size_t k = 0; k < types.size(); ++k)
        entries_.push_back({types[k], amounts[k], kinds[k], per_level[k]});
}
