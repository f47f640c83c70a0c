// The creature record, and copying a creature.

#include <algorithm>
#include <cmath>

#include "rules/monster.h"
#include "rules/monster_parts.h"
#include "shell/options.h"
#include "shell/value_stream.h"

using namespace monster_parts;

TMonster::TMonster(const TMonster& other)
    : TMonster_Fields(other), TItem_Consumer(other), TRequirement_Subject(other),
      TSpell_Owner(other) {
    Spells.Set_Owner(this);
}

TMonster& TMonster::operator=(const TMonster& other) {
    if (this != &other) {
        TMonster_Fields::operator=(other);
        Spells.Set_Owner(this);
    }
    return *this;
}

void TMonster::Save(TValue_Writer& w) const {
    w.Write_Word(Number);
    for (const std::string* s : {&Name, &Description, &Module_Text, &Picture_Filename,
                                 &Attack_Picture_Filename, &Monster_Group})
        w.Write_String(*s);
    w.Write_Boolean(Is_Unique);
    w.Write_Boolean(Is_Undead);
    w.Write_Byte(X);
    w.Write_Byte(Y);
    w.Write_Byte(Home_X);
    w.Write_Byte(Home_Y);
    w.Write_Word(Event_ID);
    w.Write_Byte(Movement_Mask);
    w.Write_Byte(Movement_Mode);
    w.Write_Byte(Light_Radius);
    w.Write_Boolean(Does_Attack_Character);
    w.Write_Byte(Retreat);
    w.Write_Byte(Response_Range);
    w.Write_Byte(Movement_Strategy);
    w.Write_Word(Movement_Interval);
    w.Write_Byte(Intelligence_Category);
    w.Write_Byte(Corpse_Type);
    w.Write_String(Sound_Death);
    w.Write_String(Sound_Attack);
    w.Write_String(Sound_Growl);
    w.Write_Word(Leader);
    w.Write_Word(Guard_Distance);
    w.Write_Byte(Character_State);
    w.Write_Boolean(Can_Be_Given_Items);
    for (const uint16_t v :
         {Base_Strength, Base_Dexterity, Base_Intelligence, Base_Constitution, Strength, Dexterity,
          Intelligence, Constitution, Fire_Resist, Cold_Resist, Lightning_Resist, Magic_Resist,
          Poison_Resist, Physical_Resist, Resist_All_Base, Level})
        w.Write_Word(v);
    w.Write_Longint(Gold);
    w.Write_Longint(Experience);
    w.Write_Word(Experience_Bonus);
    w.Write_Byte(Class_Number);
    w.Write_String(Class_Name);
    w.Write_Byte(Condition);
    w.Write_Longint(Condition_Time);
    w.Write_Word(Condition_Source);
    w.Write_Word(Permanent_Mana_Bonus);
    w.Write_Word(Permanent_Health_Bonus);
    w.Write_Float(Mana);
    // Kept 16-bit in the file.
    w.Write_Word(static_cast<uint16_t>(std::clamp(Maximum_Mana, 0, 65535)));
    w.Write_Float(Health);
    for (const uint16_t v :
         {Maximum_Health, Hunger, Maximum_Hunger, Weight_Carried, Maximum_Weight})
        w.Write_Word(v);
    w.Write_Float(Health_Regeneration);
    w.Write_Float(Mana_Regeneration);
    for (const uint16_t v : {Attack_Ability, Defense_Ability, Characteristic_Points, Spell_Points})
        w.Write_Word(v);
    Inventory.Save(w);
    w.Write_Word(Store_Number);
    w.Write_String_List(Talk_Topic_Names);
    w.Write_String_List(Talk_Topic_Texts);
    Natural_Attacks.Save(w);
    Permanent_Effects.Save(w);
    Spells.Save(w);
    Timed_Effects.Save(w);
    w.Write_Longint_List(Timed_Effect_Times);
    w.Write_String_List(Modifier_Names);
}

void TMonster::Load(TValue_Reader& r) {
    // Files before these versions lack the fields marked so in the creature record.
    const bool has_home = r.Version() >= "1.01";
    const bool has_bonus = r.Version() >= "1.06";
    Number = r.Read_Word();
    for (std::string* s : {&Name, &Description, &Module_Text, &Picture_Filename,
                           &Attack_Picture_Filename, &Monster_Group})
        *s = r.Read_String();
    Is_Unique = r.Read_Boolean();
    Is_Undead = r.Read_Boolean();
    X = r.Read_Byte();
    Y = r.Read_Byte();
    if (X > 200 || Y > 200)
        throw TStream_Error("creature position outside the map");
    if (has_home) {
        Home_X = r.Read_Byte();
        Home_Y = r.Read_Byte();
    } else {
        Home_X = X;
        Home_Y = Y;
    }
    Event_ID = r.Read_Word();
    Movement_Mask = r.Read_Byte();
    Movement_Mode = r.Read_Byte();
    Light_Radius = r.Read_Byte();
    Does_Attack_Character = r.Read_Boolean();
    Retreat = r.Read_Byte();
    Response_Range = r.Read_Byte();
    Movement_Strategy = r.Read_Byte();
    Movement_Interval = r.Read_Word();
    Intelligence_Category = r.Read_Byte();
    Corpse_Type = r.Read_Byte();
    Sound_Death = r.Read_String();
    Sound_Attack = r.Read_String();
    Sound_Growl = r.Read_String();
    Leader = r.Read_Word();
    Guard_Distance = r.Read_Word();
    Character_State = r.Read_Byte();
    Can_Be_Given_Items = r.Read_Boolean();
    for (uint16_t* v :
         {&Base_Strength, &Base_Dexterity, &Base_Intelligence, &Base_Constitution, &Strength,
          &Dexterity, &Intelligence, &Constitution, &Fire_Resist, &Cold_Resist, &Lightning_Resist,
          &Magic_Resist, &Poison_Resist, &Physical_Resist, &Resist_All_Base, &Level})
        *v = r.Read_Word();
    Gold = r.Read_Longint();
    Experience = r.Read_Longint();
    Experience_Bonus = has_bonus ? r.Read_Word() : uint16_t{0};
    Class_Number = r.Read_Byte();
    Class_Name = r.Read_String();
    Condition = r.Read_Byte();
    if (Condition > Condition_Charmed)
        throw TStream_Error("creature condition out of range");
    Condition_Time = r.Read_Longint();
    Condition_Source = r.Read_Word();
    Permanent_Mana_Bonus = r.Read_Word();
    Permanent_Health_Bonus = r.Read_Word();
    Mana = r.Read_Float();
    Maximum_Mana = r.Read_Word();
    Health = r.Read_Float();
    for (uint16_t* v :
         {&Maximum_Health, &Hunger, &Maximum_Hunger, &Weight_Carried, &Maximum_Weight})
        *v = r.Read_Word();
    Health_Regeneration = r.Read_Float();
    Mana_Regeneration = r.Read_Float();
    for (uint16_t* v : {&Attack_Ability, &Defense_Ability, &Characteristic_Points, &Spell_Points})
        *v = r.Read_Word();
    if (!std::isfinite(Mana) || !std::isfinite(Health) || !std::isfinite(Health_Regeneration) ||
        !std::isfinite(Mana_Regeneration))
        throw TStream_Error("creature value is not a number");
    Inventory.Load(r);
    Store_Number = r.Read_Word();
    r.Read_String_List(Talk_Topic_Names);
    r.Read_String_List(Talk_Topic_Texts);
    Natural_Attacks.Load(r);
    Permanent_Effects.Load(r);
    Spells.Load(r);
    Timed_Effects.Load(r);
    r.Read_Longint_List(Timed_Effect_Times);
    if (static_cast<int32_t>(Timed_Effect_Times.size()) != Timed_Effects.Count())
        throw TStream_Error("timed effects and their times differ in number");
    r.Read_String_List(Modifier_Names);
    Regeneration_Timer = Hunger_Timer = Move_Timer = Poison_Timer = Light_Timer = 0;
    Rebuild_Base();
}

void TMonster::Rebuild_Base() {
    if (!Is_Monster())
        return;
    // Recalculate adds to the base exactly what the getters give with a base of 0. The
    // saved interval holds "Reduce Movement" in full (Recalculate never limits it), so
    // neither value is taken for a base with its effects still in it.
    Base_Light_Radius = 0;
    Base_Light_Radius = static_cast<uint8_t>(
        std::clamp<int64_t>(static_cast<int64_t>(Light_Radius) - Get_Light_Radius(), 0, 255));
    Base_Movement_Interval = word(static_cast<int64_t>(Movement_Interval) -
                                  Get_Effect_Total(TEffect_Type::Reduce_Movement));
}
