#include "rules/natural_attacks.h"

#include "rules/record_fields.h"
#include "shell/value_stream.h"

void TNatural_Attacks::Add_Natural_Attack(const std::string& name, uint8_t chance, int32_t minimum,
                                          int32_t maximum, int32_t maximum_range, int32_t firing_fx,
                                          uint16_t recharge_time) {
    TAttack attack;
    attack.Name = name;
    attack.Chance_To_Use = chance;
    attack.Recharge_Time = recharge_time;
    attack.Damage.Set_Damage(minimum, maximum, firing_fx, maximum_range);
    attacks_.push_back(attack);
}

void TNatural_Attacks::Set_Default_Hands() {
    Clear();
    Add_Natural_Attack("Hands", 100, 1, 4, 1, 0, 0);
}

TDamage* TNatural_Attacks::Get_Damage(int32_t i) {
    return (i >= 1 && i <= Count()) ? &attacks_[i - 1].Damage : nullptr;
}

const TDamage* TNatural_Attacks::Get_Damage(int32_t i) const {
    return (i >= 1 && i <= Count()) ? &attacks_[i - 1].Damage : nullptr;
}

const TNatural_Attacks::TAttack* TNatural_Attacks::Get(int32_t i) const {
    return (i >= 1 && i <= Count()) ? &attacks_[i - 1] : nullptr;
}

TEffect_List* TNatural_Attacks::Get_Effects(int32_t i) {
    return (i >= 1 && i <= Count()) ? &attacks_[i - 1].Effects : nullptr;
}

void TNatural_Attacks::Load_From_Data_File(TRecord_Fields& record, const std::string& prefix) {
    Clear();
    const uint16_t count = record.Get_Word(prefix + "Number of Natural Attacks");
    for (int32_t i = 1; i <= count; ++i) {
        const std::string key = prefix + "Natural Attack " + std::to_string(i) + " ";
        TAttack attack;
        attack.Name = record.Get_String(key + "Name");
        attack.Chance_To_Use = record.Get_Byte(key + "Chance To Use");
        attack.Recharge_Time = record.Get_Word(key + "Recharge Time");
        attack.Damage.Load_From_Data_File(record, key);
        attack.Effects.Load_From_Data_File(record, key);
        attacks_.push_back(attack);
    }
}

void TNatural_Attacks::Save(TValue_Writer& writer) const {
    writer.Write_Word(static_cast<uint16_t>(attacks_.size()));
    for (const TAttack& a : attacks_) {
        writer.Write_String(a.Name);
        writer.Write_Byte(a.Chance_To_Use);
        writer.Write_Word(a.Recharge_Time);
        a.Damage.Save(writer);
        a.Effects.Save(writer);
    }
}

void TNatural_Attacks::Load(TValue_Reader& reader) {
    attacks_.clear();
    const uint16_t count = reader.Read_Word();
    for (uint16_t k = 0; k < count; ++k) {
        TAttack a;
        a.Name = reader.Read_String();
        a.Chance_To_Use = reader.Read_Byte();
        a.Recharge_Time = reader.Read_Word();
        a.Damage.Load(reader);
        a.Effects.Load(reader);
        attacks_.push_back(a);
    }
}
