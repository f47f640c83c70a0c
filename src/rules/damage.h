#pragma once
// A damage range with the furthest distance it reaches, the display effect shown when
// it is fired, and the effects each hit carries.

#include <cstdint>
#include <string>

#include "rules/effect_list.h"

class TDamage {
  public:
    uint16_t Min = 0;
    uint16_t Max = 0;
    uint8_t Maximum_Range = 0;
    uint8_t Firing_FX = 0; // 1-based display effect, 0 for none
    int32_t Amount = 0;    // the rolled amount of the hit being dealt
    TEffect_List Effects;
    int32_t Duration = 0; // seconds the on-hit effects last; 0 makes them permanent

    void Assign(const TDamage& source) { *this = source; }
    void Set_Damage(int32_t min, int32_t max, int32_t firing_fx, int32_t maximum_range);
    // Min..Max, both included; a reversed range rolls Min.
    int32_t Get_Random_Amount() const;
    std::string Get_Text() const;
    // The amounts saturate at 0..65535 instead of wrapping. Setting or raising the
    // minimum cuts it to the maximum.
    void Add_To_Min(int32_t n);
    void Add_To_Max(int32_t n);
    void Set_Min(int32_t n);
    void Set_Max(int32_t n);
    void Add_Damage(const TDamage& other);

    // Keys (prefix + text): "Damage Amount Min", "Damage Amount Max",
    // "Damage Maximum Range", "Damage Firing FX" (a display effect name or "None").
    void Load_From_Data_File(class TRecord_Fields& record, const std::string& prefix);
    // Min, Max, Maximum_Range and Firing_FX; the owner saves the effects itself.
    void Save(class TValue_Writer& writer) const;
    void Load(class TValue_Reader& reader);
};

// n saturated into an unsigned 16-bit field.
uint16_t Clamp_Word(int64_t n);
