#include "game/dlg_quests.h"

#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "world/map.h"
#include "world/module.h"

TDC_Dlg_Quests::TDC_Dlg_Quests() {
    f_Background = Load_Dialog_Background("Dlg_Quests.bmp", 427, 515);
    f_Quest_List = &Make_Child<TDC_List>();
    f_Quest_List->Set_Back_Colour(55, 55, 55);
    f_Quest_List->f_Line_Height = 54;
    f_Quest_List->f_Show_Selection = false;
    f_Quest_List->f_Show_Hover = false;
    f_Quest_List->Set_Visible(true);
    f_Quest_List->OnDrawItem = [this](const std::string&, int Buffer, const std::string&, int Y,
                                      int Height, bool) { draw_row(Buffer, Y, Height); };
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    if (Current_Module)
        for (int32_t n = 1; n <= Current_Module->Quests.Count(); ++n)
            if (const TModule_Quest* quest = Current_Module->Get_Quest(n);
                quest && quest->Visible) {
                f_Rows.push_back(n);
                f_Quest_List->Add_Item(quest->Description);
            }
    if (Current_Map)
        if (TMonster* player = Current_Map->Player())
            player->Quest_Value = 0;
}

TDC_Dlg_Quests::~TDC_Dlg_Quests() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Quests::draw_row(int Buffer, int Y, int Height) {
    const int index = (Y - f_Quest_List->f_Y) / Height + f_Quest_List->f_Top_Index;
    if (index < 1 || index > static_cast<int>(f_Rows.size()) || !Current_Module)
        return;
    const TModule_Quest* quest = Current_Module->Get_Quest(f_Rows[size_t(index - 1)]);
    if (!quest)
        return;
    const int x = f_Quest_List->f_X;
    if (Display_Object)
        Display_Object->Draw_Small_Icon(quest->Completed ? 1 : 0, x + 2, Y + 2, Buffer);
    Text_Begin(Buffer);
    // The smaller face keeps the module's longest quest texts within their row.
    Set_Font(2);
    const TColour grey = Colour_RGB(100, 100, 100);
    Set_Text_Colour(quest->Completed ? grey : Colour_RGB(255, 255, 255));
    Print_Wrapped(x + 22, Y + 2, 210, quest->Description, Height - 4);
    Set_Justify(1, 4);
    Set_Text_Colour(quest->Completed ? grey : Colour_RGB(0, 255, 0));
    Print_At(x + 240, Y + 2 + Text_Height(), quest->Completed ? "Completed" : "In Progress");
    Text_End();
}

void TDC_Dlg_Quests::Handle_KeyDown(uint16_t& Key, TShift_State) {
    // The Q that opened the log reaches it in the same key press, so only Escape and
    // Enter close it.
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_Quests::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 426, 0, 514, f_X, f_Y + 514, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 207, f_Y + 47, "Quests");
    Text_End();
}

void TDC_Dlg_Quests::Reposition() {
    f_Quest_List->Set_Bounds("Quest List", f_X + 43, f_Y + 68, 331, 373, false);
    f_Close_Button->Set_Position("Close Button", f_X + 354, f_Y + 449, false);
}
