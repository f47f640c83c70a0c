#include "game/win_inventory.h"

#include <algorithm>

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/ui_hooks.h"
#include "rules/monster.h"
#include "shell/services.h"
#include "world/map.h"

namespace {

constexpr int tab_width = 178, tab_height = 46;

} // namespace

TDC_Win_Inventory::TDC_Win_Inventory(TDC_Main& main) : f_Main(main) {
    f_Background = Load_Dialog_Background("Win_Inventory.bmp", 189, 281);
    f_Tabs = Load_Dialog_Background("Win_Inventory_Tabs.bmp", tab_width, 4 * tab_height);
}

TDC_Win_Inventory::~TDC_Win_Inventory() {
    fg_vbfree(f_Background);
    fg_vbfree(f_Tabs);
}

void TDC_Win_Inventory::Set_Page(int32_t page) {
    f_Page = std::clamp<int32_t>(page, 1, 4);
}

int32_t TDC_Win_Inventory::Slot_Of(int32_t page, int32_t column, int32_t row) {
    return 11 + 4 * (row - 1) + (column - 1) + 20 * (page - 1);
}

bool TDC_Win_Inventory::Page_Point(int32_t page, int& x, int& y) const {
    if (page < 1 || page > 4)
        return false;
    x = f_X + 45 * (page - 1) + 22;
    y = f_Y + 247;
    return true;
}

int32_t TDC_Win_Inventory::Slot_At(int x, int y) const {
    const int cell = grid().Cell_At(x, y);
    return cell < 0 ? 0 : Slot_Of(f_Page, cell % 4 + 1, cell / 4 + 1);
}

void TDC_Win_Inventory::Set_Bounds(const std::string& Name, int, int, int Width, int Height,
                                   bool Modal) {
    TDisplay_Class::Set_Bounds(Name, f_Main.f_X, f_Main.f_Y + 224, Width, Height, Modal);
}

void TDC_Win_Inventory::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Slot = Slot_At(X, Y);
    if (f_Hover_Slot == 0 || !Current_Map || !f_Main.Player())
        return;
    const uint16_t number =
        f_Main.Player()->Inventory.Get_Number_In_Slot(f_Hover_Slot, Current_Map->Item_List);
    if (number != 0)
        Description_Panel().Set_Subject_Item(Item_Ref(Current_Map->Item_List, number));
    else
        Description_Panel().Clear_Subject();
}

void TDC_Win_Inventory::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button != mbLeft)
        return;
    // The tab band: the page from x within the window, so a window placed anywhere
    // still chooses one of its four pages.
    if (Y >= f_Y + 224 && Y <= f_Y + 270 && X >= f_X && X < f_X + tab_width) {
        Set_Page((X - f_X) / 45 + 1);
        Play_Sound("item_sel.wav");
        return;
    }
    if (!Items_Movable(f_Main))
        return;
    if (const int32_t slot = Slot_At(X, Y))
        Click_Character_Slot(f_Main, slot);
}

void TDC_Win_Inventory::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key != 'T')
        return;
    Set_Page(f_Page % 4 + 1);
    Play_Sound("item_sel.wav");
}

void TDC_Win_Inventory::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 188, 0, 280, f_X, f_Y + 280, f_Background, Buffer);
    if (f_Tabs >= 0)
        Copy_Rect_Transparent(0, tab_width - 1, tab_height * (f_Page - 1), tab_height * f_Page - 1,
                              f_X, f_Y + 269, f_Tabs, Buffer);
    const TMonster* player = f_Main.Player();
    if (!player || !Current_Map || !Items_Movable(f_Main))
        return;
    const TItem_Grid cells = grid();
    for (int cell = 0; cell < cells.Count(); ++cell) {
        const int32_t slot = Slot_Of(f_Page, cell % 4 + 1, cell / 4 + 1);
        const bool over = f_Mouse_Over && slot == f_Hover_Slot;
        Draw_Item_Cell(cells.Cell_X(cell), cells.Cell_Y(cell),
                       player->Inventory.Get_In_Slot(slot, Current_Map->Item_List), over,
                       over && !Held_Item_Fits(f_Main, slot), Buffer);
    }
}
