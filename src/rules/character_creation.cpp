// Making a character and letting it grow: its class's starting values and spells,
// experience and levels, characteristic points spent.

#include "rules/class_info.h"
#include "rules/monster.h"
#include "rules/monster_parts.h"
#include "rules/spells.h"
#include "shell/helpers.h"

using namespace monster_parts;

void TMonster::Raise_Strength() {
    Add_Base_Strength(1);
    Recalculate();
}
void TMonster::Raise_Dexterity() {
    Add_Base_Dexterity(1);
    Recalculate();
}
void TMonster::Raise_Intelligence() {
    Add_Base_Intelligence(1);
    Recalculate();
}
void TMonster::Raise_Constitution() {
    Add_Base_Constitution(1);
    Recalculate();
}

void TMonster::Gain_Experience(int64_t n) {
    Experience = longint(static_cast<int64_t>(Experience) + n);
    const TClass_Info* c = Get_Class();
    if (!c)
        return;
    bool gained = false;
    while (Level < 65535) {
        const int64_t need = Experience_For_Next_Level(*c, Level);
        // A threshold of 0 or less would never lower the experience: no level from it.
        if (need <= 0 || need > Experience)
            break;
        Experience = longint(Experience - need);
        ++Level;
        Characteristic_Points = word(Characteristic_Points + c->Characteristic_Points_Per_Level);
        Spell_Points = word(Spell_Points + c->Spell_Points_Per_Level);
        play("newlevel.wav", X, Y);
        gained = true;
    }
    if (gained)
        Recalculate();
}

bool Can_Learn(const TMonster& creature, const TSpell& spell) {
    if (const TClass_Info* c = creature.Get_Class())
        if (const TClass_Spell* entry = c->Find_Spell(spell.Name))
            if (entry->Available_At_Level > 1 && entry->Available_At_Level > creature.Level)
                return false;
    if (creature.Spells.Get_Level(spell.Number) >= spell.Maximum_Levels_From_Start)
        return false;
    if (!Trim(spell.Required_Spell_Name).empty() &&
        creature.Spells.Get_Level_By_Name(spell.Required_Spell_Name) < spell.Required_Spell_Level)
        return false;
    return true;
}

void Learn_Starting_Spells(TMonster& character) {
    const TClass_Info* c = character.Get_Class();
    if (!c)
        return;
    for (const TClass_Spell& entry : c->Spells)
        if (entry.Starting_Level > 0)
            if (const uint16_t number = Master_Spells.Find_Named(entry.Name))
                character.Spells.Learn(number, entry.Starting_Level, 0);
}

TMonster Make_Character(uint8_t class_number, const std::string& name,
                        const std::string& portrait) {
    TMonster character;
    character.Name = name;
    character.Picture_Filename = character.Attack_Picture_Filename = portrait;
    character.Level = 1;
    if (const TClass_Info* c = Class_Infos.Get(class_number)) {
        character.Base_Strength = c->Base_Strength;
        character.Base_Dexterity = c->Base_Dexterity;
        character.Base_Intelligence = c->Base_Intelligence;
        character.Base_Constitution = c->Base_Constitution;
        character.Gold = c->Starting_Gold;
    }
    character.Set_Class(class_number);
    Learn_Starting_Spells(character);
    character.Recalculate();
    character.Fill_Health();
    character.Fill_Mana();
    character.Fill_Hunger();
    return character;
}
