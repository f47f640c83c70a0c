#include "rules/item.h"

#include <algorithm>
#include <cmath>

#include "shell/helpers.h"
#include "shell/value_stream.h"

uint8_t TItem::Get_Equip_Location() const {
    return Equip_Slot_Of_Type(Get_Type());
}

int32_t TItem::Get_Gold_Value() const {
    double value = Gold_Value;
    if (Quantity > 1)
        value *= Quantity;
    const int32_t g = Get_Effect_Total(TEffect_Type::Gold_Value);
    if (g > 0)
        value = std::trunc(value * (static_cast<double>(g) + 100) / 100);
    return static_cast<int32_t>(std::clamp(value, -2147483647.0, 2147483647.0));
}

uint32_t TItem::Get_Weight() const {
    return Quantity >= 2 ? static_cast<uint32_t>(Weight) * Quantity : Weight;
}

void TItem::Add_Quantity(int32_t n) {
    const int64_t sum = static_cast<int64_t>(Quantity) + n;
    Quantity = static_cast<uint16_t>(std::clamp<int64_t>(sum, 0, Maximum_Stacked));
}

void TItem::Remove_Quantity(int32_t n) {
    Quantity =
        static_cast<uint16_t>(std::clamp<int64_t>(static_cast<int64_t>(Quantity) - n, 0, 65535));
}

bool TItem::Burn_Light() {
    if (Light_Radius == 0 || Light_Turns == 0)
        return false;
    --Light_Turns;
    return Light_Turns == 0;
}

bool TItem::Is_Same_Item(const TItem& other) const {
    return Name == other.Name || (Get_Type() == TItem_Type::Ammo && Ammo_Kind == other.Ammo_Kind);
}

void TItem::Save(TValue_Writer& writer) const {
    writer.Write_Word(Number);
    writer.Write_String(Name);
    writer.Write_String(Description);
    writer.Write_String(Class_Name);
    writer.Write_String(Item_Group);
    writer.Write_Byte(Item_Type);
    writer.Write_Word(Level);
    writer.Write_String(Weapon_Type);
    writer.Write_String(Picture_Filename);
    Damage.Save(writer);
    writer.Write_String(Ammo_Kind);
    writer.Write_String(Ammo_Required);
    writer.Write_String(Use_Sound_File);
    writer.Write_Word(Weight);
    writer.Write_Byte(Hands_Required);
    writer.Write_Word(Event_ID);
    writer.Write_Byte(Consumption_Type);
    writer.Write_Word(Consumption_Value);
    writer.Write_Word(Defense);
    writer.Write_String(Key_Group);
    writer.Write_Longint(Gold_Value);
    writer.Write_Byte(Light_Radius);
    writer.Write_Word(Light_Turns);
    writer.Write_Word(Maximum_Stacked);
    writer.Write_Word(Quantity);
    Attributes.Save(writer);
    Requirements.Save(writer);
    Effects.Save(writer);
    writer.Write_String_List(Spell_Names);
    // Written parallel to the names, so that what is saved always loads.
    std::vector<uint16_t> levels = Spell_Levels;
    levels.resize(Spell_Names.size(), 0);
    writer.Write_Word_List(levels);
}

void TItem::Load(TValue_Reader& reader) {
    Number = reader.Read_Word();
    Name = reader.Read_String();
    Description = reader.Read_String();
    Class_Name = reader.Read_String();
    Item_Group = reader.Read_String();
    Item_Type = reader.Read_Byte();
    Level = reader.Read_Word();
    Weapon_Type = reader.Read_String();
    Picture_Filename = reader.Read_String();
    Damage.Load(reader);
    Ammo_Kind = reader.Read_String();
    Ammo_Required = reader.Read_String();
    Use_Sound_File = reader.Read_String();
    Weight = reader.Read_Word();
    Hands_Required = reader.Read_Byte();
    Event_ID = reader.Read_Word();
    Consumption_Type = reader.Read_Byte();
    Consumption_Value = reader.Read_Word();
    Defense = reader.Read_Word();
    Key_Group = reader.Read_String();
    Gold_Value = reader.Read_Longint();
    Light_Radius = reader.Read_Byte();
    Light_Turns = reader.Read_Word();
    Maximum_Stacked = reader.Read_Word();
    Quantity = reader.Read_Word();
    Attributes.Load(reader);
    Requirements.Load(reader);
    Effects.Load(reader);
    reader.Read_String_List(Spell_Names);
    reader.Read_Word_List(Spell_Levels);
    if (Spell_Levels.size() != Spell_Names.size())
        throw TStream_Error("spell names and levels of different lengths");
}
