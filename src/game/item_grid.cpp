#include "game/item_grid.h"

#include "game/main_screen.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/ui_hooks.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "world/map.h"

int TItem_Grid::Cell_At(int x, int y) const {
    if (x < X || y < Y)
        return -1;
    const int column = (x - X) / 40, row = (y - Y) / 40;
    if (column >= Columns || row >= Rows || (x - X) % 40 > 31 || (y - Y) % 40 > 31)
        return -1;
    return row * Columns + column;
}

void Draw_Item_Cell(int x, int y, const TItem* item, bool highlight, bool refused, int buffer) {
    if (highlight && fg_vbopen(buffer) == 0) {
        Set_Colour(TDisplay_Object::Highlight_Colour);
        Fill_Rect(x, x + 31, y, y + 31);
    }
    if (item)
        Draw_Item(*item, buffer, x, y, false);
    if (refused && Display_Object)
        Display_Object->Draw_Icon_32(x, y, buffer);
}

bool Items_Movable(const TDC_Main& main) {
    if (!main.Get_Actions_Disabled())
        return true;
    for (const char* name : {"Dlg Store", "Dlg Chest", "Dlg GiveItem"})
        if (main.Shown(name))
            return true;
    return false;
}

bool Click_Character_Slot(TDC_Main& main, int32_t slot) {
    TMonster* player = main.Player();
    if (!player || !Current_Map || slot < 1 || slot > Last_Backpack_Slot)
        return false;
    TItem_List& items = Current_Map->Item_List;
    const bool moved = main.Cursor_Item.Is_Holding()
                           ? Drop_Held_On_Slot(main.Cursor_Item, player->Inventory, slot, items,
                                               player, player->Has_Two_Weapons())
                           : Pick_Up_From_Slot(main.Cursor_Item, player->Inventory, slot, items);
    if (moved) {
        // A scroll on the quick bar that left its slot leaves the bar too.
        player->Spells.Drop_Missing_Scrolls(player->Inventory, items);
        player->Recalculate();
        main.Refresh_Spell_Buttons();
    }
    return moved;
}

bool Held_Item_Fits(const TDC_Main& main, int32_t slot) {
    const TMonster* player = main.Player();
    if (!player || !Current_Map || !main.Cursor_Item.Is_Holding())
        return true;
    return player->Inventory.Can_Place_In_Slot(main.Cursor_Item.Peek_Held(), slot,
                                               Current_Map->Item_List, player,
                                               player->Has_Two_Weapons());
}

void Describe_Cell_Item(const std::vector<uint16_t>& shown, int cell) {
    if (cell >= 0 && cell < int(shown.size()) && Current_Map)
        Description_Panel().Set_Subject_Item(Item_Ref(Current_Map->Item_List, shown[size_t(cell)]));
    else
        Description_Panel().Clear_Subject();
}
