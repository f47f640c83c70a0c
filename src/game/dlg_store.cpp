#include "game/dlg_store.h"

#include <algorithm>
#include <limits>

#include "game/main_screen.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/store.h"

TDC_Dlg_Store::TDC_Dlg_Store(TDC_Main& main) : f_Main(main) {
    f_Background = Load_Dialog_Background("Dlg_Store.bmp", 619, 307);
    for (int n = 1; n <= Category_Toggles; ++n) {
        auto& toggle = Make_Child<TDC_Button_Toggle>();
        toggle.Set_Image_Set(1);
        toggle.Set_Toggle_Images(8, 9);
        toggle.Set_On(false);
        toggle.OnClick = [this, n](const std::string&) { Select_Category(n); };
        f_Toggles[size_t(n - 1)] = &toggle;
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Close(); };
}

TDC_Dlg_Store::~TDC_Dlg_Store() {
    Description_Panel().Clear_Price_Display();
    fg_vbfree(f_Background);
}

TStore* TDC_Dlg_Store::Store() const {
    return Current_Map ? Current_Map->Get_Store(f_Store) : nullptr;
}

void TDC_Dlg_Store::Set_Store(const TCreature_Ref& creature, int32_t store) {
    f_Creature = creature;
    f_Store = store;
    f_Captions.clear();
    if (const TStore* s = Store()) {
        f_Captions = s->Get_Categories();
        if (f_Captions.size() > size_t(Category_Toggles)) {
            f_Captions.resize(Category_Toggles);
            f_Captions.back() = Other_Category;
        }
    }
    for (int n = 1; n <= Category_Toggles; ++n)
        f_Toggles[size_t(n - 1)]->Set_Visible(n <= int(f_Captions.size()));
    Select_Category(f_Captions.empty() ? 0 : 1);
    show_prices(false);
}

void TDC_Dlg_Store::Select_Category(int32_t n) {
    f_Category = (n >= 1 && n <= int32_t(f_Captions.size())) ? n : 0;
    for (int k = 1; k <= Category_Toggles; ++k)
        f_Toggles[size_t(k - 1)]->Set_On(k == f_Category);
}

std::vector<uint16_t> TDC_Dlg_Store::Shown_Items() const {
    std::vector<uint16_t> shown;
    const TStore* store = Store();
    if (!store || f_Category == 0 || !Current_Map)
        return shown;
    const std::vector<std::string> all = store->Get_Categories();
    const std::string& caption = f_Captions[size_t(f_Category - 1)];
    // The last toggle of a crowded store holds every category it could not show.
    const bool others = f_Category == Category_Toggles && all.size() > size_t(Category_Toggles);
    auto wanted = [&](const std::string& group) {
        if (!others)
            return group == caption;
        return std::find(all.begin() + (Category_Toggles - 1), all.end(), group) != all.end();
    };
    for (size_t i = 0; i < store->Stock_Items.size() && i < store->Stock_Groups.size(); ++i)
        if (wanted(store->Stock_Groups[i]) && Current_Map->Item_List.Get(store->Stock_Items[i]) &&
            shown.size() < size_t(grid().Count()))
            shown.push_back(store->Stock_Items[i]);
    return shown;
}

bool TDC_Dlg_Store::buy(uint16_t number) {
    TMonster* player = f_Main.Player();
    TStore* store = Store();
    const TItem* item = Current_Map->Item_List.Get(number);
    if (!player || !store || !item)
        return false;
    const int32_t price = std::max(0, Price(*item, false, store));
    if (player->Gold < price || !store->Remove_Stock_Item(number))
        return false;
    player->Gold -= price;
    f_Main.Cursor_Item.Hold(number);
    Play_Sound("pick_up.wav");
    Play_Sound("money.wav");
    return true;
}

bool TDC_Dlg_Store::sell() {
    TMonster* player = f_Main.Player();
    TStore* store = Store();
    const uint16_t number = f_Main.Cursor_Item.Peek_Held();
    const TItem* item = Current_Map->Item_List.Get(number);
    // A quest item is never sold: it stays on the pointer.
    if (!player || !store || !item || item->Event_ID != 0)
        return false;
    const int64_t price = std::max(0, Price(*item, true, store));
    player->Gold = static_cast<int32_t>(
        std::min<int64_t>(int64_t(player->Gold) + price, std::numeric_limits<int32_t>::max()));
    store->Add_Stock_Item(item->Item_Group, number);
    f_Main.Cursor_Item.Clear_Hold();
    // The store may have a new category; the one chosen stays chosen.
    const std::string chosen = f_Category ? f_Captions[size_t(f_Category - 1)] : std::string();
    Set_Store(f_Creature, f_Store);
    for (size_t k = 0; k < f_Captions.size(); ++k)
        if (f_Captions[k] == chosen)
            Select_Category(int32_t(k + 1));
    Play_Sound("put_down.wav");
    Play_Sound("money.wav");
    return true;
}

bool TDC_Dlg_Store::Click_Cell(int cell) {
    if (!Current_Map || cell < 0 || cell >= grid().Count())
        return false;
    const std::vector<uint16_t> shown = Shown_Items();
    const bool on_item = cell < int(shown.size());
    if (!f_Main.Cursor_Item.Is_Holding())
        return on_item && buy(shown[size_t(cell)]);
    return !on_item && sell();
}

bool TDC_Dlg_Store::Cell_Point(int cell, int& x, int& y) const {
    const TItem_Grid cells = grid();
    if (cell < 0 || cell >= cells.Count())
        return false;
    x = cells.Cell_X(cell) + 16, y = cells.Cell_Y(cell) + 16;
    return true;
}

void TDC_Dlg_Store::Close() {
    Description_Panel().Clear_Price_Display();
    Set_Kill_Object(true);
}

void TDC_Dlg_Store::show_prices(bool buying) {
    const TStore* store = Store();
    Description_Panel().Set_Price_Display(buying, !buying, store ? store->Get_Buy_Percent() : 0,
                                          store ? store->Get_Sell_Percent() : 0);
}

void TDC_Dlg_Store::Set_Bounds(const std::string& Name, int, int, int Width, int Height,
                               bool Modal) {
    TDisplay_Class::Set_Bounds(Name, 180, 203, Width, Height, Modal);
}

void TDC_Dlg_Store::Handle_MouseMove(TShift_State, int X, int Y) {
    f_Hover_Cell = grid().Cell_At(X, Y);
    Describe_Cell_Item(Shown_Items(), f_Hover_Cell);
}

void TDC_Dlg_Store::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button == mbLeft)
        Click_Cell(grid().Cell_At(X, Y));
}

void TDC_Dlg_Store::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE) {
        Close();
        f_Key_Handled = true;
    }
}

void TDC_Dlg_Store::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 618, 0, 306, f_X, f_Y + 306, f_Background, Buffer);
    const std::vector<uint16_t> shown = Shown_Items();
    const bool over_item = f_Mouse_Over && f_Hover_Cell >= 0 && f_Hover_Cell < int(shown.size());
    show_prices(over_item);
    const TStore* store = Store();
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 307, f_Y + 32, store ? store->Store_Name : std::string());
    Set_Font(1);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(1, 5);
    for (size_t n = 0; n < f_Captions.size(); ++n)
        Print_At(f_X + 56, f_Y + 53 + 29 * int(n), f_Captions[n]);
    Set_Font(2);
    Print_At(f_X + 228, f_Y + 250, "(Pick up an item to purchase it. Drop an item to sell it.)");
    Text_End();
    if (!Current_Map)
        return;
    const TItem_Grid cells = grid();
    for (int cell = 0; cell < cells.Count(); ++cell)
        Draw_Item_Cell(cells.Cell_X(cell), cells.Cell_Y(cell),
                       cell < int(shown.size()) ? Current_Map->Item_List.Get(shown[size_t(cell)])
                                                : nullptr,
                       f_Mouse_Over && cell == f_Hover_Cell, false, Buffer);
}

void TDC_Dlg_Store::Reposition() {
    for (int n = 1; n <= Category_Toggles; ++n)
        f_Toggles[size_t(n - 1)]->Set_Position("Opt " + std::to_string(n), f_X + 18,
                                               f_Y + 49 + 29 * (n - 1), false);
    f_Close_Button->Set_Position("Close Button", f_X + 563, f_Y + 251, false);
}
