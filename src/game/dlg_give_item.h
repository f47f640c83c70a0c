#pragma once
// Giving items to a townsperson: the creature's picture and name and four cells. An
// item put down on an empty cell is given for good; a quest item given to a creature
// that waits for it runs the module's event for the pair.

#include <cstdint>
#include <vector>

#include "game/item_grid.h"
#include "presentation/buttons.h"
#include "rules/references.h"

class TDC_Main;

class TDC_Dlg_GiveItem : public TDisplay_Class {
  public:
    explicit TDC_Dlg_GiveItem(TDC_Main& main);
    ~TDC_Dlg_GiveItem() override;

    void Set_Creature(const TCreature_Ref& creature) { f_Creature = creature; }
    const std::vector<uint16_t>& Given() const { return f_Given; }
    // A left click on cell 0..3 with an item held gives it. True when it was given.
    bool Click_Cell(int cell);
    // The screen point in the middle of cell 0..3; false outside.
    bool Cell_Point(int cell, int& x, int& y) const;

    int Get_Width() override { return 267; }
    int Get_Height() override { return 179; }
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    TDC_Button* f_Close_Button = nullptr;

  private:
    TItem_Grid grid() const { return {f_X + 79, f_Y + 73, 4, 1}; }

    TDC_Main& f_Main;
    TCreature_Ref f_Creature;
    std::vector<uint16_t> f_Given;
    int f_Hover_Cell = -1;
    int f_Background = -1;
};
