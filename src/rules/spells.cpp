#include "rules/spells.h"

#include <algorithm>
#include <cmath>

#include "datafiles/data_file_errors.h"
#include "rules/inventory.h"
#include "rules/item_list.h"
#include "shell/enums.h"
#include "shell/helpers.h"
#include "shell/value_stream.h"

TMaster_Spell_List Master_Spells;

namespace {

// Trunc((L − 1) × per level + base), cut to the maximum when there is one.
int32_t grow(double base, double per_level, double maximum, int32_t level) {
    double value = std::trunc((level - 1) * per_level + base);
    if (maximum > 0 && value >= maximum)
        value = std::trunc(maximum);
    return static_cast<int32_t>(std::clamp(value, -2147483647.0, 2147483647.0));
}

int32_t clamp_int(int64_t n) {
    return static_cast<int32_t>(std::clamp<int64_t>(n, -2147483647, 2147483647));
}

} // namespace

int32_t TSpell::Get_Mana_Cost(int32_t level) const {
    return grow(Mana_Cost, Mana_Cost_Per_Level, Maximum_Mana_Cost, level);
}

int32_t TSpell::Get_Duration(int32_t level) const {
    return grow(Duration, Duration_Per_Level, Maximum_Duration, level);
}

int32_t TSpell::Get_Area_Radius(int32_t level) const {
    return grow(Area_Radius, Area_Radius_Per_Level, Maximum_Area_Radius, level);
}

int32_t TSpell::Get_Summon_Count(int32_t level) const {
    int32_t count = static_cast<int32_t>(std::clamp(
        std::trunc((level - 1) * Summon_Count_Per_Level + Summon_Base_Count), -1.0e9, 1.0e9));
    if (Summon_Maximum_Count > 0 && Summon_Maximum_Count < count)
        count = Summon_Maximum_Count;
    return count;
}

std::pair<int32_t, int32_t> TSpell::Get_Effect_Amounts(int32_t i, int32_t level) const {
    if (i < 1 || i > Effects.Count())
        return {0, 0};
    int64_t min = Effects.Get_Min(i);
    int64_t max = Effects.Get_Max(i);
    const size_t k = static_cast<size_t>(i - 1);
    if (k < Growth_Types.size()) {
        // The level itself multiplies, so level 1 already has one step of growth.
        if (Growth_Types[k] == static_cast<uint8_t>(TAmount_Kind::Percent)) {
            min = static_cast<int64_t>(
                std::trunc((static_cast<double>(level) * Min_Growth[k] + 100) / 100 * min));
            max = static_cast<int64_t>(
                std::trunc((static_cast<double>(level) * Max_Growth[k] + 100) / 100 * max));
        } else {
            min += static_cast<int64_t>(Min_Growth[k]) * level;
            max += static_cast<int64_t>(Max_Growth[k]) * level;
        }
    }
    return {clamp_int(min), clamp_int(max)};
}

int32_t TSpell::Get_Passive_Amount(uint8_t type, int32_t level) const {
    int64_t total = 0;
    for (int32_t i = 1; i <= Effects.Count(); ++i)
        if (Effects.Get_Type(i) == type)
            total += Get_Effect_Amounts(i, level).first;
    return clamp_int(total);
}

void TSpell::Add_Effects_At_Level(TEffect_List& list, int32_t level) const {
    for (int32_t i = 1; i <= Effects.Count(); ++i) {
        const auto [min, max] = Get_Effect_Amounts(i, level);
        list.Add_Effect(Effects.Get_Type(i), min, max);
    }
}

std::string TSpell::Get_Effect_Text(int32_t i, int32_t level, bool with_sign) const {
    if (i < 1 || i > Effects.Count())
        return {};
    const auto [min, max] = Get_Effect_Amounts(i, level);
    return Effect_Text(Effects.Get_Type(i), min, max, with_sign);
}

const TSpell* TMaster_Spell_List::Get(int32_t number) const {
    if (number < 1 || number > Count())
        return nullptr;
    return &spells_[static_cast<size_t>(number - 1)];
}

void TMaster_Spell_List::Add(const TSpell& spell) {
    spells_.push_back(spell);
    spells_.back().Number = static_cast<uint16_t>(spells_.size());
}

uint16_t TMaster_Spell_List::Find_Named(const std::string& name) const {
    const std::string wanted = Lower_Case(Trim(name));
    if (wanted.empty())
        return 0;
    for (const TSpell& spell : spells_)
        if (Lower_Case(Trim(spell.Name)) == wanted)
            return spell.Number;
    return 0;
}

namespace {

// Passes a record through to the effect list's reader and notes which file entries it
// kept (it asks for the amounts of kept entries only), so that each kept effect takes
// its growth keys by its own number in the file even when an earlier one was skipped.
class TKept_Effects_Record : public TRecord_Fields {
  public:
    explicit TKept_Effects_Record(TRecord_Fields& inner) : inner_(inner) {}
    bool Get_Field_Value(const std::string& name, std::string& value, bool required) override {
        const std::string tail = " Min Amount";
        if (name.rfind("Effect ", 0) == 0 && name.size() > tail.size() &&
            name.compare(name.size() - tail.size(), tail.size(), tail) == 0)
            Kept.push_back(std::atoi(name.c_str() + 7));
        return inner_.Get_Field_Value(name, value, required);
    }
    void Report_Unknown_Value(const std::string& value, const std::string& name) override {
        inner_.Report_Unknown_Value(value, name);
    }
    void Add_Error(const std::string& message) override { inner_.Add_Error(message); }
    std::vector<int32_t> Kept;

  private:
    TRecord_Fields& inner_;
};

class TMaster_Spell_Loader : public TRecord_Loader {
  public:
    TMaster_Spell_Loader(const std::string& path, TMaster_Spell_List& table)
        : TRecord_Loader(path), table_(table) {}

  protected:
    void Process_Record(int32_t) override {
        TSpell s;
        s.Maximum_Levels_From_Start = Get_Word("Maximum Levels From Start");
        s.Name = Get_String("Name");
        Set_Record_Name(s.Name);
        s.Description = Get_String("Description");
        s.Picture_ID = Get_Word("Picture ID");
        s.Picture_Is_Maskable = Get_Bool("Picture Is Maskable");
        s.Mana_Cost = Get_Float("Mana Cost to Cast");
        s.Mana_Cost_Per_Level = Get_Float("Increase In Mana Cost Per Level");
        s.Maximum_Mana_Cost = Get_Float("Maximum Mana Cost");
        s.Duration = Get_Float("Duration");
        s.Duration_Per_Level = Get_Float("Increase In Duration Per Level");
        s.Maximum_Duration = Get_Float("Maximum Duration");
        std::string target;
        if (Get_Field_Value("Target Type", target)) {
            TEffect_Target value = TEffect_Target::No_Target;
            if (Find_Enum_Value(target, value))
                s.Target_Type = static_cast<uint8_t>(value);
            else
                Report_Unknown_Value(target, "Target Type");
        }
        s.Required_Spell_Name = Get_String("Requirement Other Spell Name");
        s.Required_Spell_Level = Get_Word("Requirement Other Spell Minimum Level");
        s.Weapon_Type = Get_String("Effects Only Apply to Weapon Type");
        s.Summoned_Monster = Get_String("Monster Summoned Name");
        s.Summon_Base_Count = Get_Word("Monster Summoned Base Count");
        s.Summon_Count_Per_Level = Get_Float("Monster Summoned Increase Count Per Level");
        s.Summon_Maximum_Count = Get_Word("Monster Summoned Maximum Count");
        s.Area_Radius = Get_Float("Area Effect Radius");
        s.Area_Radius_Per_Level = Get_Float("Increase In Area Effect Radius Per Level");
        s.Maximum_Area_Radius = Get_Float("Maximum Area Effect Radius");
        s.Sound_File_Cast = Get_String("Sound File Cast");
        s.Damage.Load_From_Data_File(*this, "");
        TKept_Effects_Record record(*this);
        s.Effects.Load_From_Data_File(record, "");
        for (const int32_t i : record.Kept) {
            const std::string key = "Effect " + std::to_string(i) + " ";
            std::string kind_text;
            TAmount_Kind kind = TAmount_Kind::Unset;
            if (Get_Field_Value(key + "Per Level Modifier Type", kind_text) &&
                !Find_Enum_Value(kind_text, kind))
                Report_Unknown_Value(kind_text, key + "Per Level Modifier Type");
            // An invalid kind still takes its place, as "Number" with no growth.
            const bool valid = kind != TAmount_Kind::Unset;
            const uint16_t min = Get_Word(key + "Min Amt Per Level Modifier");
            const uint16_t max = Get_Word(key + "Max Amt Per Level Modifier");
            s.Growth_Types.push_back(static_cast<uint8_t>(valid ? kind : TAmount_Kind::Number));
            s.Min_Growth.push_back(valid ? min : 0);
            s.Max_Growth.push_back(valid ? max : 0);
        }
        table_.Add(s);
    }

  private:
    TMaster_Spell_List& table_;
};

} // namespace

TData_File_Report Load_Master_Spells(const std::string& path, TMaster_Spell_List& table) {
    table.Clear();
    TMaster_Spell_Loader loader(path, table);
    loader.Execute_Load();
    return {Master_Spell_Errors_Heading, path, loader.Get_Error_List()};
}

bool Load_Master_Spells_File(const std::string& path) {
    const TData_File_Report report = Load_Master_Spells(path);
    Report_Error_List(report.Heading, report.File_Name, report.Errors);
    return report.Ok();
}

int32_t TSpells_List::find(uint16_t spell) const {
    for (size_t i = 0; i < spells_.size(); ++i)
        if (spells_[i].Spell == spell)
            return static_cast<int32_t>(i) + 1;
    return 0;
}

void TSpells_List::Learn(uint16_t spell, uint16_t level, uint16_t chance) {
    if (const int32_t i = find(spell)) {
        spells_[static_cast<size_t>(i - 1)].Level = level;
        spells_[static_cast<size_t>(i - 1)].Chance = chance;
    } else if (spells_.size() < 65535) {
        spells_.push_back({spell, level, chance});
    }
}

int32_t TSpells_List::Get_Learnt_Level(uint16_t spell) const {
    const int32_t i = find(spell);
    return i ? spells_[static_cast<size_t>(i - 1)].Level : 0;
}

int32_t TSpells_List::Get_Level(uint16_t spell) const {
    const int32_t learnt = Get_Learnt_Level(spell);
    if (learnt <= 0 || !owner_ || in_skill_total_)
        return learnt;
    in_skill_total_ = true;
    const int32_t bonus = owner_->Skill_Levels_Total();
    in_skill_total_ = false;
    return learnt + bonus;
}

int32_t TSpells_List::Get_Level_By_Name(const std::string& name) const {
    const uint16_t spell = Master_Spells.Find_Named(name);
    return spell ? Get_Level(spell) : 0;
}

uint16_t TSpells_List::Get_Spell(int32_t i) const {
    return i >= 1 && i <= Count() ? spells_[static_cast<size_t>(i - 1)].Spell : 0;
}

uint16_t TSpells_List::Get_Chance(int32_t i) const {
    return i >= 1 && i <= Count() ? spells_[static_cast<size_t>(i - 1)].Chance : 0;
}

uint16_t TSpells_List::Get_Learnt_Level_At(int32_t i) const {
    return i >= 1 && i <= Count() ? spells_[static_cast<size_t>(i - 1)].Level : 0;
}

void TSpells_List::Clear() {
    spells_.clear();
    selected_slot_ = 0;
    quick_slots_ = {};
}

void TSpells_List::Assign(const TSpells_List& source) {
    spells_ = source.spells_;
    selected_slot_ = source.selected_slot_;
    quick_slots_ = source.quick_slots_;
}

void TSpells_List::Set_Levels_For_Monster(int32_t monster_level, double per_level) {
    const double level = std::trunc(monster_level * per_level + 1);
    const uint16_t value = static_cast<uint16_t>(std::clamp(level, 1.0, 65535.0));
    for (TKnown& known : spells_)
        known.Level = value;
}

TQuick_Slot TSpells_List::Get_Quick_Slot(int32_t k) const {
    if (k < 1 || k > 10)
        return {};
    const TQuick_Slot slot = quick_slots_[static_cast<size_t>(k - 1)];
    return slot.Kind <= 2 ? slot : TQuick_Slot{};
}

void TSpells_List::Set_Quick_Slot(int32_t k, uint8_t kind, uint16_t value) {
    if (k >= 1 && k <= 10)
        quick_slots_[static_cast<size_t>(k - 1)] = {kind <= 2 ? kind : uint8_t{0}, value};
}

namespace {

bool holds_scroll(const TInventory& inventory, const TItem_List& items, int32_t slot) {
    const TItem* item = inventory.Get_In_Slot(slot, items);
    return item && item->Get_Type() == TItem_Type::Scroll;
}

} // namespace

void TSpells_List::Drop_Missing_Scrolls(const TInventory& inventory, const TItem_List& items) {
    for (int32_t k = 1; k <= 10; ++k) {
        const TQuick_Slot slot = Get_Quick_Slot(k);
        if (slot.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Scroll) &&
            !holds_scroll(inventory, items, slot.Value)) {
            Set_Quick_Slot(k, 0, 0);
            if (Get_Selected_Slot() == k)
                selected_slot_ = 0;
        }
    }
}

void TSpells_List::Refresh_Quick_Slots(bool fill_scrolls, bool fill_spells,
                                       const TInventory& inventory, const TItem_List& items) {
    for (int32_t k = 1; k <= 10; ++k) {
        const TQuick_Slot slot = Get_Quick_Slot(k);
        if (slot.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Scroll) &&
            !holds_scroll(inventory, items, slot.Value))
            Set_Quick_Slot(k, 0, 0);
    }
    auto in_a_slot = [this](uint8_t kind, uint16_t value) {
        for (int32_t k = 1; k <= 10; ++k) {
            const TQuick_Slot slot = Get_Quick_Slot(k);
            if (slot.Kind == kind && slot.Value == value)
                return true;
        }
        return false;
    };
    const auto scroll = static_cast<uint8_t>(TQuick_Slot_Kind::Scroll);
    const auto spell = static_cast<uint8_t>(TQuick_Slot_Kind::Spell);
    for (int32_t k = 1; k <= 10; ++k) {
        if (Get_Quick_Slot(k).Kind != 0)
            continue;
        if (fill_scrolls) {
            for (int32_t s = 1; s <= Last_Backpack_Slot; ++s) {
                if (holds_scroll(inventory, items, s) &&
                    !in_a_slot(scroll, static_cast<uint16_t>(s))) {
                    Set_Quick_Slot(k, scroll, static_cast<uint16_t>(s));
                    break;
                }
            }
        }
        if (Get_Quick_Slot(k).Kind != 0 || !fill_spells)
            continue;
        for (const TKnown& known : spells_) {
            const TSpell* master = Master_Spells.Get(known.Spell);
            if (master && !master->Is_Passive() && !in_a_slot(spell, known.Spell)) {
                Set_Quick_Slot(k, spell, known.Spell);
                break;
            }
        }
    }
}

bool TSpells_List::counts_for_owner(const TSpell& spell) const {
    const std::string weapon = Lower_Case(Trim(spell.Weapon_Type));
    if (weapon.empty() || weapon == "none")
        return true;
    return owner_ && owner_->Holds_Weapon_Type(weapon);
}

int32_t TSpells_List::Get_Passive_Total(uint8_t type) const {
    int64_t total = 0;
    for (const TKnown& known : spells_) {
        const TSpell* spell = Master_Spells.Get(known.Spell);
        if (spell && spell->Is_Passive() && counts_for_owner(*spell))
            total += spell->Get_Passive_Amount(type, Get_Level(known.Spell));
    }
    return clamp_int(total);
}

int32_t TSpells_List::Get_Weapon_Type_Total(uint8_t type, const std::string& weapon_type) const {
    const std::string wanted = Lower_Case(Trim(weapon_type));
    int64_t total = 0;
    for (const TKnown& known : spells_) {
        const TSpell* spell = Master_Spells.Get(known.Spell);
        if (spell && spell->Is_Passive() && Lower_Case(Trim(spell->Weapon_Type)) == wanted)
            total += spell->Get_Passive_Amount(type, Get_Level(known.Spell));
    }
    return clamp_int(total);
}

void TSpells_List::Add_Passive_Effects(TEffect_List& list) const {
    for (const TKnown& known : spells_) {
        const TSpell* spell = Master_Spells.Get(known.Spell);
        if (spell && spell->Is_Passive() && counts_for_owner(*spell))
            spell->Add_Effects_At_Level(list, Get_Level(known.Spell));
    }
}

void TSpells_List::Save(TValue_Writer& writer) const {
    std::vector<uint16_t> numbers, levels, chances;
    for (const TKnown& known : spells_) {
        numbers.push_back(known.Spell);
        levels.push_back(known.Level);
        chances.push_back(known.Chance);
    }
    writer.Write_Word_List(numbers);
    writer.Write_Word_List(levels);
    writer.Write_Word_List(chances);
    writer.Write_Byte(selected_slot_);
    for (const TQuick_Slot& slot : quick_slots_) {
        writer.Write_Byte(slot.Kind);
        writer.Write_Word(slot.Value);
    }
}

void TSpells_List::Load(TValue_Reader& reader) {
    std::vector<uint16_t> numbers, levels, chances;
    reader.Read_Word_List(numbers);
    reader.Read_Word_List(levels);
    reader.Read_Word_List(chances);
    if (levels.size() != numbers.size() || chances.size() != numbers.size())
        throw TStream_Error("spell list: lists of different lengths");
    const uint8_t selected = reader.Read_Byte();
    std::array<TQuick_Slot, 10> slots{};
    for (TQuick_Slot& slot : slots) {
        slot.Kind = reader.Read_Byte();
        slot.Value = reader.Read_Word();
    }
    // Spell numbers, slot kinds and the selection are kept as stored: the getters read
    // values that name nothing as nothing.
    spells_.clear();
    for (size_t i = 0; i < numbers.size(); ++i)
        spells_.push_back({numbers[i], levels[i], chances[i]});
    selected_slot_ = selected;
    quick_slots_ = slots;
}
