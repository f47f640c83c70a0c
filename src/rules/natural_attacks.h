#pragma once
// A creature's built-in attacks (claws, bites, spit, "Hands"), each with its own
// damage and effects. Entries are 1-based.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/damage.h"
#include "rules/effect_list.h"

class TRecord_Fields;
class TValue_Reader;
class TValue_Writer;

class TNatural_Attacks {
  public:
    struct TAttack {
        std::string Name;
        uint8_t Chance_To_Use = 0;  // kept and saved; no rule reads it
        uint16_t Recharge_Time = 0; // kept and saved; no rule reads it
        TDamage Damage;
        TEffect_List Effects;
    };

    void Clear() { attacks_.clear(); }
    int32_t Count() const { return static_cast<int32_t>(attacks_.size()); }
    void Assign(const TNatural_Attacks& source) { attacks_ = source.attacks_; }
    void Add_Natural_Attack(const std::string& name, uint8_t chance, int32_t minimum,
                            int32_t maximum, int32_t maximum_range, int32_t firing_fx,
                            uint16_t recharge_time);
    // The attack every creature starts with: "Hands", 1 to 4 at range 1.
    void Set_Default_Hands();
    // Nothing outside 1..Count.
    TDamage* Get_Damage(int32_t i);
    const TDamage* Get_Damage(int32_t i) const;
    const TAttack* Get(int32_t i) const;
    TEffect_List* Get_Effects(int32_t i);

    // Replaces the list. Keys (prefix + text): "Number of Natural Attacks", and per
    // attack "Natural Attack <i> Name", "Natural Attack <i> Chance To Use",
    // "Natural Attack <i> Recharge Time", then the damage and effect keys with the
    // prefix "Natural Attack <i> ".
    void Load_From_Data_File(TRecord_Fields& record, const std::string& prefix);
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);

  private:
    std::vector<TAttack> attacks_;
};
