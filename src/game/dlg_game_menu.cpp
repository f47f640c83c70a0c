#include "game/dlg_game_menu.h"

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"

namespace {

// The icon of each button in the square icon strip.
constexpr std::array<int, 6> icon_columns{2, 3, 6, 1, 0, 4};

} // namespace

const std::array<std::string, 6>& TDC_Dlg_Game_Menu::Labels() {
    static const std::array<std::string, 6> labels{"Load Game", "Save Game",   "Export Character",
                                                   "Options",   "High Scores", "Quit Game"};
    return labels;
}

TDC_Dlg_Game_Menu::TDC_Dlg_Game_Menu() {
    f_Background = Load_Dialog_Background("Dlg_GameMenu.bmp", 307, 410);
    for (int32_t n = 1; n <= 6; ++n) {
        auto& button = Make_Child<TDC_Button>();
        button.Set_Image_Set(4);
        button.f_Image_Index = icon_columns[size_t(n - 1)];
        button.Set_Visible(true);
        button.OnClick = [this, n](const std::string&) { Choose(n); };
        f_Buttons[size_t(n - 1)] = &button;
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->f_Image_Index = 0;
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Choose(0); };
}

TDC_Dlg_Game_Menu::~TDC_Dlg_Game_Menu() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Game_Menu::Choose(int32_t result) {
    if (f_Kill)
        return; // already closing: the first choice stands
    f_Result = result >= 0 && result <= 6 ? result : 0;
    Set_Kill_Object(true);
}

void TDC_Dlg_Game_Menu::Handle_KeyDown(uint16_t& Key, TShift_State) {
    // The G that opened the menu reaches it in the same key press: only a G pressed
    // while the menu is on the screen closes it.
    if ((Key == 'G' && f_Drawn) || Key == VK_ESCAPE) {
        f_Key_Handled = true;
        Choose(0);
    }
}

void TDC_Dlg_Game_Menu::Handle_Draw(int Buffer) {
    f_Drawn = true;
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 306, 0, 409, f_X, f_Y + 409, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 307 / 2, f_Y + 33, "Game Menu");
    Set_Font(3);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 2);
    for (size_t i = 0; i < f_Buttons.size(); ++i)
        Print_At(f_Buttons[i]->f_X + 50, f_Buttons[i]->f_Y + 20, Labels()[i]);
    Text_End();
}

void TDC_Dlg_Game_Menu::Reposition() {
    for (int32_t n = 1; n <= 6; ++n)
        f_Buttons[size_t(n - 1)]->Set_Position("Menu Button " + std::to_string(n), f_X + 24,
                                               f_Y + 57 + 44 * (n - 1), false);
    f_Close_Button->Set_Position("Close Button", f_X + 253, f_Y + 357, false);
}
