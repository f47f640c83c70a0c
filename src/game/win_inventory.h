#pragma once
// The inventory window: the character's backpack in four pages of 20 slots (4 columns
// by 5 rows) under the character panel, with a tab strip to choose the page. Items
// are picked up onto the pointer and put down with the left button, as in the
// equipment slots.

#include <cstdint>

#include "game/item_grid.h"
#include "presentation/display_class.h"

class TDC_Main;

class TDC_Win_Inventory : public TDisplay_Class {
  public:
    explicit TDC_Win_Inventory(TDC_Main& main);
    ~TDC_Win_Inventory() override;

    int32_t Page() const { return f_Page; }
    // Pages 1..4; anything else is clamped.
    void Set_Page(int32_t page);
    // The backpack slot (11..90) of the cell under the point on the page shown, or 0.
    int32_t Slot_At(int x, int y) const;
    // The backpack slot of cell (column, row), 1-based, on a page.
    static int32_t Slot_Of(int32_t page, int32_t column, int32_t row);
    // The screen point of page 1..4's tab; false for any other page.
    bool Page_Point(int32_t page, int& x, int& y) const;

    int Get_Width() override { return 189; }
    int Get_Height() override { return 281; }
    // The window keeps its place under the character panel wherever it is asked to go.
    void Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                    bool Modal) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    // T: the next page (1, 2, 3, 4, 1, ...).
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;

  private:
    TItem_Grid grid() const { return {f_X + 13, f_Y + 25, 4, 5}; }

    TDC_Main& f_Main;
    int f_Background = -1;
    int f_Tabs = -1;
    int32_t f_Page = 1;
    int32_t f_Hover_Slot = 0;
};
