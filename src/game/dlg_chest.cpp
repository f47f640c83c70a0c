#include "game/dlg_chest.h"

#include <algorithm>

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "presentation/virtual_keys.h"
#include "shell/services.h"
#include "world/map.h"

TDC_Dlg_Chest::TDC_Dlg_Chest(TDC_Main& main) : f_Main(main) {
    f_Background = Load_Dialog_Background("Dlg_Container.bmp", 313, 299);
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_Chest::~TDC_Dlg_Chest() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Chest::Set_Chest(int32_t x, int32_t y) {
    f_Chest_X = x;
    f_Chest_Y = y;
}

std::vector<uint16_t> TDC_Dlg_Chest::Items() const {
    std::vector<uint16_t> shown;
    if (!Current_Map)
        return shown;
    const TMap& map = *Current_Map;
    if (const std::vector<uint16_t>* list = map.Get_Location_List(f_Chest_X, f_Chest_Y))
        for (uint16_t number : *list)
            if (map.Item_List.Get(number))
                shown.push_back(number);
    return shown;
}

bool TDC_Dlg_Chest::Click_Cell(int cell) {
    if (!Current_Map || cell < 0 || cell >= grid().Count())
        return false;
    const std::vector<uint16_t> shown = Items();
    const bool on_item = cell < int(shown.size());
    std::vector<uint16_t>* list = Current_Map->Get_Location_List(f_Chest_X, f_Chest_Y);
    if (!f_Main.Cursor_Item.Is_Holding()) {
        if (!on_item || !list)
            return false;
        const uint16_t number = shown[size_t(cell)];
        list->erase(std::find(list->begin(), list->end(), number));
        f_Main.Cursor_Item.Hold(number);
        Play_Sound("pick_up.wav");
        return true;
    }
    if (on_item || !Current_Map->Item_List.Get(f_Main.Cursor_Item.Peek_Held()))
        return false;
    if (!list) {
        // A chest the map knew no list for gets one with its first item.
        Current_Map->Add_Location_List({}, f_Chest_X, f_Chest_Y);
        list = Current_Map->Get_Location_List(f_Chest_X, f_Chest_Y);
    }
    list->push_back(f_Main.Cursor_Item.Take_Held());
    Play_Sound("put_down.wav");
    return true;
}

void TDC_Dlg_Chest::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Cell = grid().Cell_At(X, Y);
    Describe_Cell_Item(Items(), f_Hover_Cell);
}

void TDC_Dlg_Chest::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button == mbLeft)
        Click_Cell(grid().Cell_At(X, Y));
}

void TDC_Dlg_Chest::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        Set_Kill_Object(true);
        f_Key_Handled = true;
    }
}

void TDC_Dlg_Chest::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 312, 0, 298, f_X, f_Y + 298, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 150, f_Y + 32, "Chest");
    Text_End();
    if (!Current_Map)
        return;
    const std::vector<uint16_t> shown = Items();
    const TItem_Grid cells = grid();
    for (int cell = 0; cell < cells.Count(); ++cell)
        Draw_Item_Cell(cells.Cell_X(cell), cells.Cell_Y(cell),
                       cell < int(shown.size()) ? Current_Map->Item_List.Get(shown[size_t(cell)])
                                                : nullptr,
                       f_Mouse_Over && cell == f_Hover_Cell, false, Buffer);
}

void TDC_Dlg_Chest::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 265, f_Y + 249, false);
}
