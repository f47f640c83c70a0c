#include "game/dlg_high_scores.h"

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/paths.h"

TDC_Dlg_HighScores::TDC_Dlg_HighScores(const std::string& Score_File) {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_HighScores.bmp", 696, 552);
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    std::string file = Score_File;
    if (file.empty() && Path_Settings)
        file = Path_Settings->Get_High_Score_File();
    if (!file.empty())
        f_Scores.Load(file);
}

TDC_Dlg_HighScores::~TDC_Dlg_HighScores() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_HighScores::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_HighScores::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 695, 0, 551, f_X, f_Y + 551, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 347, f_Y + 46, "High Scores");
    Set_Text_Colour(255, 255, 255);
    for (int32_t n = 1; n <= High_Score_Count; ++n) {
        const int y = f_Y + 95 + 42 * (n - 1);
        Set_Justify(1, 2);
        Print_At(f_X + 86, y, std::to_string(n) + ".");
        const THigh_Score* entry = f_Scores.Get(n);
        if (!entry)
            continue;
        Print_At(f_X + 148, y, entry->Name);
        Print_At(f_X + 320, y, entry->Class_Name);
        Set_Justify(3, 2);
        if (entry->Level > 0)
            Print_At(f_X + 460, y, std::to_string(entry->Level));
        if (entry->Experience > 0)
            Print_At(f_X + 598, y, Format_Thousands(entry->Experience));
    }
    Text_End();
}

void TDC_Dlg_HighScores::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 641, f_Y + 497, false);
}
