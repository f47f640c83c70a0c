#include "rules/effect_list.h"

#include <algorithm>
#include <array>

#include "rules/record_fields.h"
#include "shell/random.h"
#include "shell/value_stream.h"

namespace {

// How each type's text is made: m and M are the amounts, S the optional "+".
enum class TText_Form : uint8_t {
    Empty,      // no text
    Sign_Min,   // S m suffix
    Min,        // m suffix
    Prefix_Min, // prefix m suffix
    Sign_Range, // S " " m " - " M suffix
};

struct TText_Rule {
    TText_Form form;
    const char* prefix;
    const char* suffix;
};

const std::array<TText_Rule, Effect_Type_Last + 1> text_rules = {{
    {TText_Form::Empty, "", ""},
    {TText_Form::Prefix_Min, "Target's Defense Reduced By ", "% For Attack"},
    {TText_Form::Sign_Min, "", " To Attack Ability"},
    {TText_Form::Prefix_Min, "Attacker Takes Damage Of ", ""},
    {TText_Form::Sign_Range, "", " Cold Damage"},
    {TText_Form::Sign_Min, "", "% Cold Resistance"},
    {TText_Form::Sign_Min, "", " Constitution"},
    {TText_Form::Sign_Min, "", "% Damage"},
    {TText_Form::Min, "", "% Damage Taken Generates Mana"},
    {TText_Form::Prefix_Min, "Damage Reduced By ", ""},
    {TText_Form::Sign_Min, "", " To Defense Ability"},
    {TText_Form::Sign_Min, "", " To Dexterity"},
    {TText_Form::Sign_Min, "", " Mana For Each Kill"},
    {TText_Form::Sign_Range, "", " Fire Damage"},
    {TText_Form::Sign_Min, "", "% Fire Resistance"},
    {TText_Form::Sign_Min, "", "% Gold Value"},
    {TText_Form::Sign_Min, "", " To Intelligence"},
    {TText_Form::Sign_Min, "", " Life"},
    {TText_Form::Sign_Min, "", " To Current Health"},
    {TText_Form::Prefix_Min, "Replenish Life +", "%"},
    {TText_Form::Min, "", "% Life Stolen Per Hit"},
    {TText_Form::Sign_Min, "", " Light Radius"},
    {TText_Form::Sign_Range, "", " Lightning Damage"},
    {TText_Form::Sign_Min, "", "% Lightning Resistance"},
    {TText_Form::Sign_Range, "", " Magic Damage"},
    {TText_Form::Sign_Min, "", "% Magic Resistance"},
    {TText_Form::Min, "", "% Chance To Make Monster Flee"},
    {TText_Form::Sign_Min, "", " Mana"},
    {TText_Form::Sign_Min, "", "% Mana Regeneration"},
    {TText_Form::Sign_Min, "", " To Current Mana"},
    {TText_Form::Min, "", "% Mana Stolen Per Hit"},
    {TText_Form::Sign_Min, "", " Maximum Damage"},
    {TText_Form::Sign_Min, "", " Minimum Damage"},
    {TText_Form::Min, "", "% Increased Health"},
    {TText_Form::Min, "", "% Increased Attack Ability"},
    {TText_Form::Min, "", "% Increased Defense Ability"},
    {TText_Form::Min, "", "% Increased Minimum Damage"},
    {TText_Form::Min, "", "% Increased Maximum Damage"},
    {TText_Form::Min, "", "% Increased Move Speed"},
    {TText_Form::Min, "", "% Increased Attack Speed"},
    {TText_Form::Empty, "", ""},
    {TText_Form::Sign_Min, "", "% Extra Gold From Monsters"},
    {TText_Form::Sign_Range, "", " Poison Damage"},
    {TText_Form::Prefix_Min, "Poison Length Reduced By ", " seconds"},
    {TText_Form::Sign_Min, "", "% Poison Resistance"},
    {TText_Form::Prefix_Min, "-", " To Target Defense Ability"},
    {TText_Form::Prefix_Min, "-", "% To All Target Resistances"},
    {TText_Form::Sign_Min, "", "% To All Resistances"},
    {TText_Form::Sign_Min, "", " To All Skill Levels"},
    {TText_Form::Sign_Min, "", " Strength"},
    {TText_Form::Prefix_Min, "Allows A One-Handed Weapon In Each Hand", nullptr},
    {TText_Form::Sign_Min, "", "% Chance To Bash Open Locked Doors"},
    {TText_Form::Sign_Min, "", "% Chance To Detect Secret Doors"},
    {TText_Form::Sign_Min, "", "% Chance To Detect Traps"},
    {TText_Form::Sign_Min, "", "% Chance To Pick Locks"},
    {TText_Form::Sign_Min, "", "% Reduced Detection Chance"},
    {TText_Form::Sign_Min, "", "% Physical Resistance"},
    {TText_Form::Prefix_Min, "-", " To Target Attack Ability"},
    {TText_Form::Min, "", "% Chance To Cure Poison"},
    {TText_Form::Prefix_Min, "Detect Monsters At ", " yards"},
    {TText_Form::Prefix_Min, "+", " To Hunger"},
    {TText_Form::Min, "", "% Chance To Blind Monster"},
    {TText_Form::Min, "", "% Chance To Change Monster Allegiance"},
    {TText_Form::Prefix_Min, "-", "% Target Damage"},
    {TText_Form::Sign_Min, "", "% To All Damage Types"},
    {TText_Form::Min, "", "% Chance To Remove Curses"},
    {TText_Form::Min, "", "% Chance To Cause Monster To Sleep"},
    {TText_Form::Sign_Range, "", " Damage To Undead"},
    {TText_Form::Prefix_Min, "-", " To Monster Movement Rate"},
    {TText_Form::Sign_Min, "", " To Maximum Hunger"},
    {TText_Form::Sign_Min, "", " To Maximum Weight"},
    {TText_Form::Min, "", "% Chance To Paralyze Monster"},
    {TText_Form::Prefix_Min, "Teleport ", " yards away"},
    {TText_Form::Prefix_Min, "-", " To Movement Rate"},
    {TText_Form::Prefix_Min, "-", " To Attack Ability"},
    {TText_Form::Prefix_Min, "-", " To Defense Ability"},
    {TText_Form::Prefix_Min, "-", "% To All Resistances"},
    {TText_Form::Prefix_Min, "-", "% Damage"},
}};

// Types that stand for a damage range when the main damage type is chosen.
bool is_shown_damage_type(uint8_t type) {
    return Is_Range_Damage_Type(type) || type == static_cast<uint8_t>(TEffect_Type::Dispel_Undead);
}

} // namespace

bool Is_Range_Damage_Type(uint8_t type) {
    switch (static_cast<TEffect_Type>(type)) {
    case TEffect_Type::Cold_Damage:
    case TEffect_Type::Fire_Damage:
    case TEffect_Type::Lightning_Damage:
    case TEffect_Type::Magic_Damage:
    case TEffect_Type::Poison_Damage:
        return true;
    default:
        return false;
    }
}

std::string Effect_Text(uint8_t type, int32_t min, int32_t max, bool with_sign) {
    if (type < 1 || type > Effect_Type_Last)
        return "";
    const TText_Rule& rule = text_rules[type];
    const std::string sign = with_sign ? "+" : "";
    switch (rule.form) {
    case TText_Form::Empty:
        return "";
    case TText_Form::Sign_Min:
        return sign + std::to_string(min) + rule.suffix;
    case TText_Form::Min:
        return std::to_string(min) + rule.suffix;
    case TText_Form::Prefix_Min:
        // A fixed text without an amount (the two-weapon effect) has no suffix.
        if (rule.suffix == nullptr)
            return rule.prefix;
        return rule.prefix + std::to_string(min) + rule.suffix;
    case TText_Form::Sign_Range:
        return sign + " " + std::to_string(min) + " - " + std::to_string(max) + rule.suffix;
    }
    return "";
}

void TEffect_List::Add_Effects(const TEffect_List& source) {
    // A copy first: the source may be this list.
    const std::vector<TEntry> added = source.entries_;
    entries_.insert(entries_.end(), added.begin(), added.end());
}

void TEffect_List::Add_Effect(uint8_t type, int32_t min, int32_t max, int32_t variance) {
    entries_.push_back({type, min, max, variance});
}

void TEffect_List::Delete_Effect(int32_t i) {
    if (i >= 1 && i <= Count())
        entries_.erase(entries_.begin() + (i - 1));
}

void TEffect_List::Set_Amounts(int32_t i, int32_t min, int32_t max) {
    if (i >= 1 && i <= Count()) {
        entries_[i - 1].Min = min;
        entries_[i - 1].Max = max;
    }
}

uint8_t TEffect_List::Get_Type(int32_t i) const {
    return (i >= 1 && i <= Count()) ? entries_[i - 1].Type : 0;
}

int32_t TEffect_List::Get_Min(int32_t i) const {
    return (i >= 1 && i <= Count()) ? entries_[i - 1].Min : 0;
}

int32_t TEffect_List::Get_Max(int32_t i) const {
    return (i >= 1 && i <= Count()) ? entries_[i - 1].Max : 0;
}

int32_t TEffect_List::Get_Variance(int32_t i) const {
    return (i >= 1 && i <= Count()) ? entries_[i - 1].Variance : 0;
}

bool TEffect_List::Has_Effect(TEffect_Type type) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [type](const TEntry& e) { return e.Type == static_cast<uint8_t>(type); });
}

int32_t TEffect_List::Get_Total(TEffect_Type type) const {
    int64_t total = 0;
    for (const TEntry& e : entries_)
        if (e.Type == static_cast<uint8_t>(type))
            total += e.Min;
    return static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
}

int32_t TEffect_List::Get_Monster_Increase_Health() const {
    return Get_Total(TEffect_Type::Monster_Increase_Health);
}
int32_t TEffect_List::Get_Monster_Increase_Attack_Ability() const {
    return Get_Total(TEffect_Type::Monster_Increase_Attack_Ability);
}
int32_t TEffect_List::Get_Monster_Increase_Defense_Ability() const {
    return Get_Total(TEffect_Type::Monster_Increase_Defense_Ability);
}
int32_t TEffect_List::Get_Monster_Increase_Min_Damage() const {
    return Get_Total(TEffect_Type::Monster_Increase_Min_Damage);
}
int32_t TEffect_List::Get_Monster_Increase_Max_Damage() const {
    return Get_Total(TEffect_Type::Monster_Increase_Max_Damage);
}
int32_t TEffect_List::Get_Monster_Increase_Move_Speed() const {
    return Get_Total(TEffect_Type::Monster_Increase_Move_Speed);
}

std::pair<int32_t, int32_t> TEffect_List::Roll_Amounts(int32_t i) const {
    if (i < 1 || i > Count())
        return {0, 0};
    const TEntry& e = entries_[i - 1];
    // The draw happens for every type, so a fixed seed gives the same later rolls.
    int32_t first = Random_Range(e.Min, e.Max);
    int32_t second = 0;
    if (Is_Range_Damage_Type(e.Type)) {
        first = e.Min;
        second = e.Max;
        const int32_t v = e.Variance;
        if (v > 0) {
            first += Random_Range(0, 2 * v) - v;
            if (first < 1)
                first = 1;
            second += Random_Range(0, 2 * v) - v;
            if (second < first)
                second = first;
        }
    }
    return {first, second};
}

uint8_t TEffect_List::Get_Main_Damage_Type() const {
    uint8_t best_type = 0;
    int32_t best_max = 0;
    for (const TEntry& e : entries_) {
        if (is_shown_damage_type(e.Type) && (best_type == 0 || e.Max > best_max)) {
            best_type = e.Type;
            best_max = e.Max;
        }
    }
    return best_type;
}

int32_t TEffect_List::Get_Largest_Damage() const {
    int32_t largest = 0;
    for (const TEntry& e : entries_)
        if (Is_Range_Damage_Type(e.Type) && e.Max > largest)
            largest = e.Max;
    return largest;
}

std::string TEffect_List::Get_Effect_Text(int32_t i, bool with_sign) const {
    if (i < 1 || i > Count())
        return "";
    const TEntry& e = entries_[i - 1];
    return Effect_Text(e.Type, e.Min, e.Max, with_sign);
}

void TEffect_List::Load_From_Data_File(TRecord_Fields& record, const std::string& prefix) {
    const uint16_t count = record.Get_Word(prefix + "Number of Effects");
    for (int32_t i = 1; i <= count; ++i) {
        const std::string key = prefix + "Effect " + std::to_string(i) + " ";
        std::string type_text;
        if (!record.Get_Field_Value(key + "Type", type_text))
            continue;
        TEffect_Type type = TEffect_Type::Unset;
        if (!Find_Enum_Value(type_text, type)) {
            record.Report_Unknown_Value(type_text, key + "Type");
            continue;
        }
        const int32_t min = record.Get_Word(key + "Min Amount");
        const int32_t max = record.Get_Word(key + "Max Amount");
        const int32_t variance = record.Get_Word(key + "Damage Variance", false);
        Add_Effect(type, min, max, variance);
    }
}

void TEffect_List::Save(TValue_Writer& writer) const {
    std::vector<uint8_t> types;
    std::vector<int32_t> mins;
    std::vector<int32_t> maxs;
    for (const TEntry& e : entries_) {
        types.push_back(e.Type);
        mins.push_back(e.Min);
        maxs.push_back(e.Max);
    }
    writer.Write_Byte_List(types);
    writer.Write_Longint_List(mins);
    writer.Write_Longint_List(maxs);
}

void TEffect_List::Load(TValue_Reader& reader) {
    std::vector<uint8_t> types;
    std::vector<int32_t> mins;
    std::vector<int32_t> maxs;
    reader.Read_Byte_List(types);
    reader.Read_Longint_List(mins);
    reader.Read_Longint_List(maxs);
    // The lists are written parallel: lists of different lengths are a damaged file.
    if (mins.size() != types.size() || maxs.size() != types.size())
        throw TStream_Error("effect lists of different lengths");
    entries_.clear();
    for (size_t k = 0; k < types.size(); ++k)
        entries_.push_back({types[k], mins[k], maxs[k], 0});
}

bool TEffect_List::operator==(const TEffect_List& other) const {
    if (entries_.size() != other.entries_.size())
        return false;
    for (size_t k = 0; k < entries_.size(); ++k) {
        const TEntry& a = entries_[k];
        const TEntry& b = other.entries_[k];
        if (a.Type != b.Type || a.Min != b.Min || a.Max != b.Max || a.Variance != b.Variance)
            return false;
    }
    return true;
}
