#pragma once
// A one-line text entry with a blinking caret. There is no length limit.

#include <cstdint>
#include <string>

#include "presentation/display_class.h"
#include "presentation/graphics.h"

class TDC_EditText : public TDisplay_Class {
  public:
    void Set_Text_Colour(int R, int G, int B);
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;

    std::string f_Text;
    TColour f_Text_Colour = Colour_RGB(255, 255, 255);
    bool f_Caret_On = false;
    uint32_t f_Blink_Tick = 0;
};
