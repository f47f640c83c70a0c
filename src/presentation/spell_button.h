#pragma once
// A quick-slot button: a spell slot frame (its column: 0 empty, 1 filled, 2 selected;
// its row: normal, hover, pressed, disabled) with the icon of its spell or the picture
// of its scroll over it.

#include <cstdint>

#include "presentation/buttons.h"
#include "rules/references.h"

class TDC_Spell_Button : public TDisplay_Class {
  public:
    int Get_Width() override { return 38; }
    int Get_Height() override { return 38; }
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;
    void Handle_Draw(int Buffer) override;

    // Shows a spell (its master spell number), an item, or nothing.
    void Show_Spell(int32_t spell);
    void Show_Item(const TItem_Ref& item);
    void Show_Nothing();

    int32_t f_Frame_Column = 0;
    int32_t f_Spell = 0;
    TItem_Ref f_Item;
    // The help topic an empty button describes.
    int32_t f_Description_Id = 0;
    TClick_Handler OnClick;
};
