#pragma once
// The main menu: six text buttons over the menu picture, and the credits page that
// takes their place until "Back" is pressed.

#include <array>

#include "presentation/buttons.h"

class TDC_Dlg_Menu : public TDisplay_Class {
  public:
    TDC_Dlg_Menu();
    ~TDC_Dlg_Menu() override;

    int Get_Width() override { return 270; }
    int Get_Height() override { return 560; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // 1 New Game, 2 Resume Game, 3 Load Game, 4 High Scores, 6 Quit.
    int32_t Get_Menu_Result() const { return f_Result; }
    bool Credits_Shown() const { return f_Credits; }
    // Button n, 1..6.
    TDC_Text_Button& Button(int n) { return *f_Buttons[size_t(n - 1)]; }
    void Button_Click(int n);

  private:
    void Show_Credits(bool show);

    std::array<TDC_Text_Button*, 6> f_Buttons{};
    bool f_Credits = false;
    int f_Background = -1;
};
