#pragma once
// The overview map: every square the character has seen, two pixels a square in its
// terrain's map colour, with the character's square blinking in red. M or Escape or
// the close button closes it.

#include <cstdint>
#include <string>

#include "presentation/buttons.h"

class TMap;

class TDC_Dlg_Overview_Map : public TDisplay_Class {
  public:
    // The map must outlive the dialog (the game screen closes it before a level change).
    explicit TDC_Dlg_Overview_Map(TMap& Map);
    ~TDC_Dlg_Overview_Map() override;

    int Get_Width() override { return 459; }
    int Get_Height() override { return 515; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TMap& f_Map;
    TDC_Button* f_Close_Button = nullptr;
    int f_Background = -1;
    bool f_Blink_On = true;
    uint32_t f_Blink_Time = 0; // when the character's square last changed
};

// Opens the overview map, modal, centred on the parent's screen, named "Overview Map".
TDC_Dlg_Overview_Map& Show_Overview_Map(TDisplay_Class& Parent, TMap& Map);
