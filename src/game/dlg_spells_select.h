#pragma once
// Setting the quick bar: the ten quick slots above an open book whose pages list the
// character's castable spells by category and, on the last page, its scrolls. A quick
// slot's button chooses the slot; an entry of the book then goes into it at once.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "presentation/buttons.h"
#include "presentation/spell_button.h"
#include "rules/spells.h"

class TDC_Main;

class TDC_Dlg_Spells_Select : public TDisplay_Class {
  public:
    static constexpr int Entries_Per_Group = 12;

    explicit TDC_Dlg_Spells_Select(TDC_Main& main);
    ~TDC_Dlg_Spells_Select() override;

    // The pages: the class's spell categories, then "Scrolls".
    const std::vector<std::string>& Page_Names() const { return f_Page_Names; }
    int32_t Page() const { return f_Page; }
    void Set_Page(int32_t page);
    int32_t Group() const { return f_Group; }
    void Set_Group(int32_t group);
    // What the page lists: spells (kind Spell, a master spell number) or scrolls (kind
    // Scroll, an inventory slot).
    const std::vector<TQuick_Slot>& Entries() const { return f_Entries; }
    // The quick slot 1..10 that entries go into.
    int32_t Selected_Slot() const { return f_Slot; }
    void Select_Slot(int32_t slot);
    // Puts entry n (0-based, of the whole page) into the selected quick slot.
    bool Assign_Entry(int32_t n);

    int Get_Width() override { return 307; }
    int Get_Height() override { return 450; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Spell_Button*, 10> f_Slot_Buttons{};
    std::array<TDC_Spell_Button*, Entries_Per_Group> f_Entry_Buttons{};
    TDC_Button* f_Left_Arrow = nullptr;
    TDC_Button* f_Right_Arrow = nullptr;
    TDC_Button* f_Marker_Left = nullptr;
    TDC_Button* f_Marker_Right = nullptr;
    TDC_Button* f_Close_Button = nullptr;

  private:
    void refresh();

    TDC_Main& f_Main;
    std::vector<std::string> f_Page_Names;
    std::vector<int32_t> f_Page_Groups; // the class group of each category page
    int32_t f_Page = 1;
    int32_t f_Group = 0; // 0-based group of 12 entries
    int32_t f_Slot = 1;
    std::vector<TQuick_Slot> f_Entries;
    int f_Background = -1;
};
