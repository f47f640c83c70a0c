#include "game/dlg_dead.h"

#include "game/high_scores.h"
#include "presentation/description_panel.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/paths.h"

TDC_Dlg_Dead::TDC_Dlg_Dead() {
    f_Background = Load_Dialog_Background("Dlg_Dead.bmp", 460, 572);
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_Dead::~TDC_Dlg_Dead() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Dead::Set_Death(const std::string& Name, const std::string& Class_Name, uint16_t Level,
                             int32_t Experience, const std::string& Killer_Name,
                             uint16_t Killer_Level, const std::string& Killer_Text,
                             const std::string& Score_File) {
    f_Name = Name;
    f_Class_Name = Class_Name;
    f_Level = Level;
    f_Experience = Experience;
    f_Killer_Name = Killer_Name;
    f_Killer_Level = Killer_Level;
    f_Killer_Text = Killer_Text;
    std::string file = Score_File;
    if (file.empty() && Path_Settings)
        file = Path_Settings->Get_High_Score_File();
    // A damaged table is left as it is (the scores in it are not erased).
    f_New_High_Score =
        !file.empty() && Record_High_Score(file, Name, Class_Name, Experience, Level);
}

std::string TDC_Dlg_Dead::Report() const {
    std::string text = f_Name + ", you have died. " + "You had achieved level " +
                       std::to_string(f_Level) + " and " + Format_Thousands(f_Experience) +
                       " experience points in the class of " + f_Class_Name + ". ";
    if (!f_Killer_Text.empty())
        text += "You were killed by " + f_Killer_Text + ".";
    else if (!f_Killer_Name.empty())
        text += "You were killed by a level " + std::to_string(f_Killer_Level) + " " +
                f_Killer_Name + ".";
    if (f_New_High_Score)
        text += " You have a new high score!";
    return text;
}

void TDC_Dlg_Dead::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_Dead::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 459, 0, 571, f_X, f_Y + 571, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 224, f_Y + 47, "Death");
    // A report too long for the box (long names) is printed in the smaller face.
    const std::string report = Report();
    Set_Font(5);
    if (static_cast<int>(Wrap_Lines(report, 5, 342).size()) * Text_Height() > 136)
        Set_Font(6);
    Print_Wrapped(f_X + 51, f_Y + 341, 342, report, 136);
    Text_End();
}

void TDC_Dlg_Dead::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 395, f_Y + 507, false);
}
