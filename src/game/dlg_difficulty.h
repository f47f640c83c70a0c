#pragma once
// The difficulty of the new adventure: four levels and Cancel.

#include <array>

#include "presentation/buttons.h"

class TDC_Dlg_Difficulty : public TDisplay_Class {
  public:
    TDC_Dlg_Difficulty();
    ~TDC_Dlg_Difficulty() override;

    int Get_Width() override { return 266; }
    int Get_Height() override { return 354; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // Button n: 1..4 the level (kept in the game options), 5 Cancel.
    void Choose(int n);
    TDC_Text_Button& Button(int n) { return *f_Buttons[size_t(n - 1)]; }

  private:
    std::array<TDC_Text_Button*, 5> f_Buttons{};
    int f_Background = -1;
};
