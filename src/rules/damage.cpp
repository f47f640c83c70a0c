#include "rules/damage.h"

#include <algorithm>

#include "rules/display_effects.h"
#include "rules/record_fields.h"
#include "shell/random.h"
#include "shell/value_stream.h"

uint16_t Clamp_Word(int64_t n) {
    return static_cast<uint16_t>(std::clamp<int64_t>(n, 0, 65535));
}

void TDamage::Set_Damage(int32_t min, int32_t max, int32_t firing_fx, int32_t maximum_range) {
    Min = Clamp_Word(min);
    Max = Clamp_Word(max);
    Firing_FX = static_cast<uint8_t>(std::clamp(firing_fx, 0, 255));
    Maximum_Range = static_cast<uint8_t>(std::clamp(maximum_range, 0, 255));
}

int32_t TDamage::Get_Random_Amount() const {
    // Min equal to Max still draws its one number, so that seeded runs keep the same
    // random sequence; Min above Max draws nothing (Random of 0) and rolls Min.
    return Min + Random(Max - Min + 1);
}

std::string TDamage::Get_Text() const {
    return std::to_string(Min) + " - " + std::to_string(Max);
}

void TDamage::Add_To_Min(int32_t n) {
    Min = Clamp_Word(static_cast<int64_t>(Min) + n);
    if (Min > Max)
        Min = Max;
}

void TDamage::Add_To_Max(int32_t n) {
    Max = Clamp_Word(static_cast<int64_t>(Max) + n);
}

void TDamage::Set_Min(int32_t n) {
    Min = Clamp_Word(n);
    if (Min > Max)
        Min = Max;
}

void TDamage::Set_Max(int32_t n) {
    Max = Clamp_Word(n);
}

void TDamage::Add_Damage(const TDamage& other) {
    Min = Clamp_Word(static_cast<int64_t>(Min) + other.Min);
    Max = Clamp_Word(static_cast<int64_t>(Max) + other.Max);
    Maximum_Range = other.Maximum_Range;
    Firing_FX = other.Firing_FX;
}

void TDamage::Load_From_Data_File(TRecord_Fields& record, const std::string& prefix) {
    Min = record.Get_Word(prefix + "Damage Amount Min");
    Max = record.Get_Word(prefix + "Damage Amount Max");
    Maximum_Range = record.Get_Byte(prefix + "Damage Maximum Range");
    Firing_FX = 0;
    const std::string fx_key = prefix + "Damage Firing FX";
    std::string fx_name;
    if (!record.Get_Field_Value(fx_key, fx_name))
        return;
    if (fx_name == "None")
        return;
    const int32_t number = Display_Effects.Find_Named(fx_name);
    // The save keeps the number in a byte: an effect beyond 255 cannot be named.
    if (number < 1 || number > 255) {
        record.Report_Unknown_Value(fx_name, fx_key);
        return;
    }
    Firing_FX = static_cast<uint8_t>(number);
}

void TDamage::Save(TValue_Writer& writer) const {
    writer.Write_Word(Min);
    writer.Write_Word(Max);
    writer.Write_Word(Maximum_Range);
    writer.Write_Byte(Firing_FX);
}

void TDamage::Load(TValue_Reader& reader) {
    Min = reader.Read_Word();
    Max = reader.Read_Word();
    Maximum_Range = static_cast<uint8_t>(reader.Read_Word());
    Firing_FX = reader.Read_Byte();
}
