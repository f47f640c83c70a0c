#include "game/dlg_talk.h"

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "world/map.h"

TDC_Dlg_Talk::TDC_Dlg_Talk() {
    f_Background = Load_Dialog_Background("Dlg_Talk.bmp", 267, 179);
    for (int32_t n = 1; n <= 5; ++n) {
        auto& button = Make_Child<TDC_Text_Button>();
        button.Set_Image_Set(9);
        button.f_Font = 1;
        button.f_Text_Offset_Y = 2;
        button.Set_Visible(true);
        button.OnClick = [this, n](const std::string&) { Press(n); };
        f_Buttons[size_t(n - 1)] = &button;
    }
    f_Buttons[4]->f_Caption = "Cancel";
}

TDC_Dlg_Talk::~TDC_Dlg_Talk() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Talk::Set_Creature(const TCreature_Ref& Creature) {
    for (size_t k = 0; k < 4; ++k)
        f_Buttons[k]->f_Caption.clear();
    const TMonster* creature = Current_Map ? Creature.Resolve(Current_Map->Monster_List) : nullptr;
    if (!creature)
        return;
    size_t next = 0;
    if (!creature->Talk_Topic_Names.empty())
        f_Buttons[next++]->f_Caption = "Talk";
    if (Current_Map->Get_Store(creature->Store_Number))
        f_Buttons[next++]->f_Caption = "Purchase Items";
    if (creature->Can_Be_Given_Items)
        f_Buttons[next++]->f_Caption = "Give Items";
}

void TDC_Dlg_Talk::Press(int32_t n) {
    if (f_Kill || n < 1 || n > 5)
        return;
    const std::string& caption = f_Buttons[size_t(n - 1)]->f_Caption;
    if (caption == "Talk")
        f_Result = 2;
    else if (caption == "Purchase Items")
        f_Result = 1;
    else if (caption == "Give Items")
        f_Result = 3;
    else if (caption == "Cancel")
        f_Result = 0;
    else
        return;
    Set_Kill_Object(true);
}

void TDC_Dlg_Talk::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        f_Key_Handled = true;
        Press(5);
    }
}

void TDC_Dlg_Talk::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 266, 0, 178, f_X, f_Y + 178, f_Background, Buffer);
}

void TDC_Dlg_Talk::Reposition() {
    for (int32_t n = 1; n <= 5; ++n)
        f_Buttons[size_t(n - 1)]->Set_Position("Button " + std::to_string(n), f_X + 16,
                                               f_Y + 17 + 27 * (n - 1), false);
}
