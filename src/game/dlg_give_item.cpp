#include "game/dlg_give_item.h"

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/module.h"

TDC_Dlg_GiveItem::TDC_Dlg_GiveItem(TDC_Main& main) : f_Main(main) {
    f_Background = Load_Dialog_Background("Dlg_GiveItem.bmp", 267, 179);
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_GiveItem::~TDC_Dlg_GiveItem() {
    fg_vbfree(f_Background);
}

bool TDC_Dlg_GiveItem::Click_Cell(int cell) {
    if (!Current_Map || cell < int(f_Given.size()) || cell >= grid().Count() ||
        !f_Main.Cursor_Item.Is_Holding())
        return false;
    const TItem* item = Current_Map->Item_List.Get(f_Main.Cursor_Item.Peek_Held());
    if (!item)
        return false;
    const uint16_t item_event = item->Event_ID;
    f_Given.push_back(f_Main.Cursor_Item.Take_Held());
    Play_Sound("put_down.wav");
    const TMonster* creature = f_Creature.Resolve(Current_Map->Monster_List);
    if (item_event != 0 && creature && creature->Event_ID != 0)
        Module_Raise_Item_Given(item_event, creature->Event_ID);
    return true;
}

bool TDC_Dlg_GiveItem::Cell_Point(int cell, int& x, int& y) const {
    if (cell < 0 || cell >= grid().Count())
        return false;
    x = grid().Cell_X(cell) + 16;
    y = grid().Cell_Y(cell) + 16;
    return true;
}

void TDC_Dlg_GiveItem::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Cell = grid().Cell_At(X, Y);
    Describe_Cell_Item(f_Given, f_Hover_Cell);
}

void TDC_Dlg_GiveItem::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button == mbLeft)
        Click_Cell(grid().Cell_At(X, Y));
}

void TDC_Dlg_GiveItem::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        Set_Kill_Object(true);
        f_Key_Handled = true;
    }
}

void TDC_Dlg_GiveItem::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 266, 0, 178, f_X, f_Y + 178, f_Background, Buffer);
    const TMonster* creature =
        Current_Map ? f_Creature.Resolve(Current_Map->Monster_List) : nullptr;
    if (creature)
        Draw_Creature(*creature, f_X + 17, f_Y + 61, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 130, f_Y + 36, creature ? creature->Name : std::string());
    Text_End();
    if (!Current_Map)
        return;
    const TItem_Grid cells = grid();
    for (int cell = 0; cell < cells.Count(); ++cell)
        Draw_Item_Cell(cells.Cell_X(cell), cells.Cell_Y(cell),
                       cell < int(f_Given.size())
                           ? Current_Map->Item_List.Get(f_Given[size_t(cell)])
                           : nullptr,
                       f_Mouse_Over && cell == f_Hover_Cell, false, Buffer);
}

void TDC_Dlg_GiveItem::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 213, f_Y + 125, false);
}
