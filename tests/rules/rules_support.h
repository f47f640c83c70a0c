#pragma once
// Shared pieces of the rules tests: an in-memory record for the shared key blocks,
// data files written from records, and stand-ins for a creature.

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "rules/effect_list.h"
#include "rules/inventory.h"
#include "rules/record_fields.h"
#include "rules/requirements.h"

// One record held in memory; messages are collected as the loader framework words them.
class TMemory_Record : public TRecord_Fields {
  public:
    TMemory_Record(std::initializer_list<std::pair<const std::string, std::string>> fields)
        : fields_(fields) {}
    bool Get_Field_Value(const std::string& name, std::string& value, bool required) override {
        const auto it = fields_.find(name);
        if (it != fields_.end()) {
            value = it->second;
            return true;
        }
        value.clear();
        if (required)
            errors.push_back("Could not find field \"" + name + "\" in record 1.");
        return false;
    }
    void Report_Unknown_Value(const std::string& value, const std::string& field) override {
        errors.push_back("Unknown value \"" + value + "\" for " + field + " in record \"1\".");
    }
    void Add_Error(const std::string& message) override { errors.push_back(message); }
    std::vector<std::string> errors;

  private:
    std::map<std::string, std::string> fields_;
};

using TRecord_Lines = std::vector<std::string>;

// A data file of the given records ("Key := Value" lines), with its head and end.
inline std::string Data_File_Text(const std::vector<TRecord_Lines>& records) {
    std::string text = "*BEGIN*\r\n// test\r\n\r\n";
    for (const TRecord_Lines& record : records) {
        for (const std::string& line : record)
            text += line + "\r\n";
        text += "\r\n";
    }
    return text + "*END*\r\n";
}

// The records of a fixture below tests/fixtures/rules: "Key := Value" lines, records
// separated by blank lines. A missing fixture gives no records, which the tests notice.
inline std::vector<TRecord_Lines> Fixture_Records(const std::string& name) {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/rules/" + name);
    std::vector<TRecord_Lines> records(1);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            records.back().push_back(line);
        else if (!records.back().empty())
            records.emplace_back();
    }
    if (records.back().empty())
        records.pop_back();
    return records;
}

// A fixture's first record, with the changes first (the first of duplicate keys wins).
inline TRecord_Lines Fixture_Record(const std::string& name, const TRecord_Lines& changes = {}) {
    TRecord_Lines lines = changes;
    const std::vector<TRecord_Lines> records = Fixture_Records(name);
    if (!records.empty())
        lines.insert(lines.end(), records[0].begin(), records[0].end());
    return lines;
}

// A creature with fixed values.
struct TFake_Subject : TRequirement_Subject {
    int32_t level = 1, class_number = 1, strength = 10, dexterity = 10, intelligence = 10,
            constitution = 10, maximum_mana = 10, maximum_health = 10;
    int32_t Requirement_Level() const override { return level; }
    int32_t Requirement_Class_Number() const override { return class_number; }
    int32_t Requirement_Strength() const override { return strength; }
    int32_t Requirement_Dexterity() const override { return dexterity; }
    int32_t Requirement_Intelligence() const override { return intelligence; }
    int32_t Requirement_Constitution() const override { return constitution; }
    int32_t Requirement_Maximum_Mana() const override { return maximum_mana; }
    int32_t Requirement_Maximum_Health() const override { return maximum_health; }
};

// A creature's health, mana and hunger, capped as a creature caps them.
struct TFake_Consumer : TItem_Consumer {
    int32_t health = 95, maximum_health = 100, mana = 0, maximum_mana = 50, hunger = 0,
            maximum_hunger = 100, base_strength = 10, permanent_health = 0, timed_duration = 0,
            recomputed = 0;
    bool poisoned = true;
    TEffect_List permanent, timed;
    void Add_Hunger(int32_t v) override { hunger = std::min(hunger + v, maximum_hunger); }
    void Add_Health(int32_t v) override { health = std::min(health + v, maximum_health); }
    void Add_Mana(int32_t v) override { mana = std::min(mana + v, maximum_mana); }
    void Cure_Poison() override { poisoned = false; }
    void Add_Timed_Effects(const TEffect_List& e, int32_t d) override {
        timed.Add_Effects(e);
        timed_duration = d;
    }
    void Add_Permanent_Effects(const TEffect_List& e) override { permanent.Add_Effects(e); }
    void Add_Permanent_Health(int32_t v) override { permanent_health += v; }
    void Add_Permanent_Mana(int32_t) override {}
    void Add_Base_Strength(int32_t v) override { base_strength += v; }
    void Add_Base_Intelligence(int32_t) override {}
    void Add_Base_Dexterity(int32_t) override {}
    void Add_Base_Constitution(int32_t) override {}
    void Recompute_Statistics() override { ++recomputed; }
};
