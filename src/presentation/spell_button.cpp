#include "presentation/spell_button.h"

#include "presentation/display_object.h"
#include "presentation/ui_hooks.h"
#include "rules/item.h"
#include "rules/spells.h"
#include "shell/services.h"
#include "world/map.h"

void TDC_Spell_Button::Show_Spell(int32_t spell) {
    f_Spell = spell;
    f_Item = {};
}

void TDC_Spell_Button::Show_Item(const TItem_Ref& item) {
    f_Spell = 0;
    f_Item = item;
}

void TDC_Spell_Button::Show_Nothing() {
    f_Spell = 0;
    f_Item = {};
}

void TDC_Spell_Button::Handle_MouseMove(TShift_State, int, int) {
    TDescription_Panel& panel = Description_Panel();
    if (f_Spell != 0)
        panel.Set_Subject_Spell(f_Spell);
    else if (Current_Map && f_Item.Resolve(Current_Map->Item_List))
        panel.Set_Subject_Item(f_Item);
    else if (f_Description_Id != 0)
        panel.Set_Subject_Topic(f_Description_Id);
    else
        panel.Clear_Subject();
}

void TDC_Spell_Button::Handle_MouseUp(TMouse_Button Button, TShift_State, int, int,
                                      bool Released_Outside) {
    if (Button != mbLeft || Released_Outside || !f_Enabled)
        return;
    Play_Sound("button.wav");
    if (OnClick)
        OnClick(f_Name);
}

void TDC_Spell_Button::Handle_Draw(int Buffer) {
    if (!Display_Object)
        return;
    const bool pressed = f_Mouse_Down && f_Mouse_Over;
    const int row = !f_Enabled ? 3 : pressed ? 2 : f_Mouse_Over ? 1 : 0;
    Display_Object->Draw_Spell_Slot_Frame(row, f_Frame_Column, f_X, f_Y, Buffer);
    if (f_Spell != 0) {
        if (const TSpell* spell = Master_Spells.Get(f_Spell))
            Display_Object->Draw_Spell_Icon(spell->Picture_ID, pressed, f_X, f_Y, Buffer);
    } else if (Current_Map) {
        if (const TItem* item = f_Item.Resolve(Current_Map->Item_List))
            Draw_Item(*item, Buffer, f_X + 3, f_Y + 3, false);
    }
}
