#pragma once
// The talk menu of a creature the character addresses: up to three choices from the
// top, "Talk" (result 2) when it has topics, "Purchase Items" (1) when it keeps a
// store, "Give Items" (3) when it takes items, and "Cancel" (0) on the fifth button,
// which Escape also presses.

#include <array>
#include <string>

#include "presentation/buttons.h"
#include "rules/references.h"

class TDC_Dlg_Talk : public TDisplay_Class {
  public:
    TDC_Dlg_Talk();
    ~TDC_Dlg_Talk() override;

    // The creature of the current map; one that has gone leaves only "Cancel".
    void Set_Creature(const TCreature_Ref& Creature);
    // What a click on button n (1..5) does: close with its result, or nothing for an
    // empty caption.
    void Press(int32_t n);

    int Get_Width() override { return 267; }
    int Get_Height() override { return 179; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Text_Button*, 5> f_Buttons{};

  private:
    int f_Background = -1;
};
