#include "game/dlg_module_text.h"

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"

namespace {

constexpr int Page_Height = 340;

TDC_Button& small_button(TDisplay_Class& parent, int column) {
    auto& button = parent.Make_Child<TDC_Button>();
    button.Set_Image_Set(1);
    button.f_Image_Index = column;
    button.Set_Visible(true);
    return button;
}

} // namespace

TDC_Dlg_Module_Text::TDC_Dlg_Module_Text() {
    f_Background = Load_Dialog_Background("Dlg_ModuleText.bmp", 448, 504);
    f_Close_Button = &small_button(*this, 0);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    f_Up_Button = &small_button(*this, 3);
    f_Up_Button->OnClick = [this](const std::string&) { Page_Up(); };
    f_Down_Button = &small_button(*this, 4);
    f_Down_Button->OnClick = [this](const std::string&) { Page_Down(); };
    update_buttons();
}

TDC_Dlg_Module_Text::~TDC_Dlg_Module_Text() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Module_Text::Set_Text(const std::string& Title,
                                   const std::vector<std::string>& Lines) {
    f_Title = Title;
    f_Lines = Lines;
    f_Scroll = 0;
    // Until the page is drawn, a text of any length may go on.
    f_End_Reached = Lines.empty();
    update_buttons();
}

void TDC_Dlg_Module_Text::Page_Up() {
    f_Scroll = f_Scroll > Page_Height ? f_Scroll - Page_Height : 0;
    update_buttons();
}

void TDC_Dlg_Module_Text::Page_Down() {
    if (f_End_Reached)
        return;
    f_Scroll += Page_Height;
    update_buttons();
}

void TDC_Dlg_Module_Text::update_buttons() {
    f_Up_Button->f_Enabled = f_Scroll > 0;
    f_Down_Button->f_Enabled = !f_End_Reached;
}

void TDC_Dlg_Module_Text::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_Module_Text::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 447, 0, 503, f_X, f_Y + 503, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(3);
    Set_Justify(2, 2);
    Set_Text_Colour(255, 255, 255);
    Print_At(f_X + 448 / 2 + 1, f_Y + 61, f_Title);
    Set_Text_Colour(0, 0, 0);
    Print_At(f_X + 448 / 2, f_Y + 60, f_Title);
    Set_Font(1);
    f_End_Reached = Print_Paragraphs(f_X + 60, f_Y + 80, 335, f_Scroll, f_Lines, Page_Height);
    Text_End();
    update_buttons();
}

void TDC_Dlg_Module_Text::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 369, f_Y + 429, false);
    f_Up_Button->Set_Position("Up Button", f_X + 319, f_Y + 429, false);
    f_Down_Button->Set_Position("Down Button", f_X + 344, f_Y + 429, false);
}
