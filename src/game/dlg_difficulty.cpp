#include "game/dlg_difficulty.h"

#include <string>

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "shell/options.h"

namespace {

const char* const Captions[5] = {"Novice", "Average", "Expert", "Master", "Cancel"};

} // namespace

TDC_Dlg_Difficulty::TDC_Dlg_Difficulty() {
    f_Background = Load_Dialog_Background("Dlg_Difficulty.bmp", 266, 354);
    for (int n = 1; n <= 5; ++n) {
        TDC_Text_Button& button = Make_Child<TDC_Text_Button>();
        button.Set_Image_Set(6);
        button.f_Caption = Captions[n - 1];
        button.Set_Visible(true);
        button.OnClick = [this, n](const std::string&) { Choose(n); };
        f_Buttons[size_t(n - 1)] = &button;
    }
}

TDC_Dlg_Difficulty::~TDC_Dlg_Difficulty() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Difficulty::Choose(int n) {
    if (n < 1 || n > 5)
        return;
    if (n <= 4 && Game_Options)
        Game_Options->Difficulty = static_cast<uint8_t>(n);
    f_Result = n;
    Set_Kill_Object(true);
}

void TDC_Dlg_Difficulty::Handle_KeyDown(uint16_t& Key, TShift_State) {
    // There is no default level to accept: Enter does nothing here.
    if (Key == VK_ESCAPE)
        Choose(5);
}

void TDC_Dlg_Difficulty::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 265, 0, 353, f_X, f_Y + 353, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 131, f_Y + 33, "Difficulty Level");
    Text_End();
}

void TDC_Dlg_Difficulty::Reposition() {
    for (int n = 1; n <= 5; ++n)
        Button(n).Set_Position("Button " + std::to_string(n), f_X + Get_Width() / 2 - 105,
                               f_Y + 67 + 45 * (n - 1) + (n == 5 ? 35 : 0), false);
}
