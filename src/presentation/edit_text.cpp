#include "presentation/edit_text.h"

#include "platform/clock.h"
#include "presentation/text.h"

void TDC_EditText::Set_Text_Colour(int R, int G, int B) {
    f_Text_Colour = Colour_From_RGB(R, G, B);
}

void TDC_EditText::Handle_KeyDown(uint16_t& Key, TShift_State Shift) {
    if (!f_Enabled)
        return;
    const bool shift = (Shift & ssShift) != 0;
    if (Key == 8) {
        if (!f_Text.empty())
            f_Text.pop_back();
    } else if (Key == 188) {
        f_Text += ',';
    } else if (Key == 190) {
        f_Text += '.';
    } else if (Key == ' ') {
        f_Text += ' ';
    } else if (Key >= 'A' && Key <= 'Z') {
        f_Text += char(shift ? Key : Key - 'A' + 'a');
    } else if (Key >= '0' && Key <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        f_Text += shift ? shifted[Key - '0'] : char(Key);
    }
}

void TDC_EditText::Handle_Draw(int Buffer) {
    Text_Begin(Buffer);
    Set_Font(3);
    ::Set_Text_Colour(f_Text_Colour);
    Set_Justify(1, 2);
    Print_At(f_X + 3, f_Y + f_Height / 2 + 1, f_Text);
    const int end = Get_X_Position();
    Text_End();
    if (f_Caret_On && f_Enabled) {
        fg_vbopen(Buffer);
        Set_Colour(Colour_RGB(255, 255, 255));
        Fill_Rect(end + 1, end + 3, f_Y + 2, f_Y + f_Height - 3);
    }
    const uint32_t now = Tick_Count();
    if (now - f_Blink_Tick > 500) {
        f_Caret_On = !f_Caret_On;
        f_Blink_Tick = now;
    }
}
