#pragma once
// One item of a game. Items live in the item list of the map that holds them and are
// known everywhere else by their item number.

#include <cstdint>
#include <string>
#include <vector>

#include "rules/attributes.h"
#include "rules/damage.h"
#include "rules/effect_list.h"
#include "rules/requirements.h"
#include "shell/enums.h"

class TValue_Reader;
class TValue_Writer;

class TItem {
  public:
    virtual ~TItem() = default;

    uint16_t Number = 0;
    std::string Name;
    std::string Description;
    std::string Class_Name;
    std::string Item_Group;
    uint8_t Item_Type = static_cast<uint8_t>(TItem_Type::Misc);
    uint16_t Level = 0;
    std::string Weapon_Type;
    std::string Picture_Filename;
    TDamage Damage;
    std::string Use_Sound_File; // for ammunition, the sound of firing it
    uint16_t Event_ID = 0;
    std::string Ammo_Kind;     // for ammunition: its kind
    std::string Ammo_Required; // for launchers: the kind needed
    uint16_t Weight = 0;       // of one item
    uint8_t Hands_Required = 0;
    uint8_t Consumption_Type = 0;
    uint16_t Consumption_Value = 0;
    uint16_t Defense = 0;
    std::string Key_Group;
    int32_t Gold_Value = 0; // of one item, before effects
    uint8_t Light_Radius = 0;
    uint16_t Light_Turns = 0;
    uint16_t Quantity = 0;        // 0 and 1 both mean a single item
    uint16_t Maximum_Stacked = 0; // 0: never stacks
    TAttributes_List Attributes;
    TRequirements Requirements; // evaluated at Level
    TEffect_List Effects;
    std::vector<std::string> Spell_Names;
    std::vector<uint16_t> Spell_Levels;
    int32_t Picture_Index = 0; // run-time only, not saved
    // Run-time only, not saved: given by the item list each time the item is placed in
    // it, so that a reference (TItem_Ref) never takes a later item of the same number
    // for this one.
    uint32_t Serial = 0;

    TItem_Type Get_Type() const { return static_cast<TItem_Type>(Item_Type); }
    uint8_t Get_Equip_Location() const;
    // Value of the whole stack, raised by the item's "Gold Value" effects.
    int32_t Get_Gold_Value() const;
    // Weight of the whole stack (32-bit: a heavy stack must not wrap to a light one).
    uint32_t Get_Weight() const;
    // How many items the stack stands for (a quantity of 0 is one item).
    uint16_t Count_Of_Items() const { return Quantity == 0 ? 1 : Quantity; }
    void Add_Quantity(int32_t n);
    void Remove_Quantity(int32_t n);
    void Set_Maximum_Stacked(uint16_t n) { Maximum_Stacked = n; }
    // True when the last turn of light burnt out.
    bool Burn_Light();
    int32_t Get_Effect_Total(TEffect_Type type) const { return Effects.Get_Total(type); }
    void Add_Effects_To(TEffect_List& list) const { list.Add_Effects(Effects); }
    // Whether this item, lying in place, takes other onto its stack.
    bool Is_Same_Item(const TItem& other) const;

    void Assign(const TItem& source) { *this = source; }
    // Every field but Picture_Index. A damaged record (a short file, a wrong tag, lists
    // that should be parallel and are not) throws TStream_Error.
    void Save(TValue_Writer& writer) const;
    void Load(TValue_Reader& reader);
};

// The item as the item list creates and saves it.
class TWriteable_Item : public TItem {
  public:
    TWriteable_Item() = default;
    explicit TWriteable_Item(const TItem& item) : TItem(item) {}
};
