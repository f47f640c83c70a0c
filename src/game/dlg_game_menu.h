#pragma once
// The in-game menu: six icon buttons (load, save, export the character, options, high
// scores, quit) answering 1 to 6, and a close button; G and Escape close it too (0).

#include <array>
#include <string>

#include "presentation/buttons.h"

class TDC_Dlg_Game_Menu : public TDisplay_Class {
  public:
    TDC_Dlg_Game_Menu();
    ~TDC_Dlg_Game_Menu() override;

    // The button labels, for results 1 to 6 in turn.
    static const std::array<std::string, 6>& Labels();
    // Closes the menu with the result 0..6.
    void Choose(int32_t result);

    int Get_Width() override { return 307; }
    int Get_Height() override { return 410; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button*, 6> f_Buttons{};
    TDC_Button* f_Close_Button = nullptr;

  private:
    int f_Background = -1;
    bool f_Drawn = false; // on the screen at least once
};
