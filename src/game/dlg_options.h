#pragma once
// The options dialog: the player's own choices (sound, music, autosave, the frame
// counter and the game speed). Close stores them in the machine options, starts or
// stops the music and writes the options file.

#include <array>
#include <cstdint>

#include "presentation/buttons.h"

class TDC_Dlg_Options : public TDisplay_Class {
  public:
    static constexpr int32_t Min_Speed = 10;
    static constexpr int32_t Max_Speed = 200;
    static constexpr int32_t Speed_Step = 10;

    // Shows the machine options as they are now.
    TDC_Dlg_Options();
    ~TDC_Dlg_Options() override;

    // Toggle 1..7 clicked: the four autosave toggles (3 to 6) act as one choice.
    void Toggle_Clicked(int32_t n);
    // One step slower (-1) or faster (+1).
    void Step_Speed(int32_t direction);
    int32_t Speed() const { return f_Speed; }
    // Close: the choices into the machine options, the music, the options file.
    void Close();

    int Get_Width() override { return 307; }
    int Get_Height() override { return 410; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button_Toggle*, 7> f_Toggles{};
    TDC_Button* f_Left_Arrow = nullptr;
    TDC_Button* f_Right_Arrow = nullptr;
    TDC_Button* f_Close_Button = nullptr;

  private:
    void Update_Arrows();

    int32_t f_Speed = 100;
    int f_Background = -1;
};
