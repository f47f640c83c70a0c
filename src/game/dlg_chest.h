#pragma once
// The chest: the items lying in a chest of the map, beside the inventory window.
// Picking one up takes it out of the chest; putting the held item down on an empty
// cell puts it in.

#include <cstdint>
#include <vector>

#include "game/item_grid.h"
#include "presentation/buttons.h"

class TDC_Main;

class TDC_Dlg_Chest : public TDisplay_Class {
  public:
    explicit TDC_Dlg_Chest(TDC_Main& main);
    ~TDC_Dlg_Chest() override;

    // The map square of the chest.
    void Set_Chest(int32_t x, int32_t y);
    // The chest's items that still exist, in grid order (at most 15 are shown).
    std::vector<uint16_t> Items() const;
    // A left click on grid cell 0..14. True when an item moved.
    bool Click_Cell(int cell);

    int Get_Width() override { return 313; }
    int Get_Height() override { return 299; }
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TDC_Button* f_Close_Button = nullptr;

  private:
    TItem_Grid grid() const { return {f_X + 56, f_Y + 103, 5, 3}; }

    TDC_Main& f_Main;
    int32_t f_Chest_X = 0, f_Chest_Y = 0;
    int f_Hover_Cell = -1;
    int f_Background = -1;
};
