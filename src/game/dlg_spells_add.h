#pragma once
// The spell and skill list: the spells the character's class offers, by category,
// with their levels. A click spends a spell point on one that can be raised.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "presentation/buttons.h"

class TDC_Main;
class TMonster;

class TDC_Dlg_Spells_Add : public TDisplay_Class {
  public:
    static constexpr int Categories = 6;

    explicit TDC_Dlg_Spells_Add(TDC_Main& main);
    ~TDC_Dlg_Spells_Add() override;

    // Chooses category toggle 1..6 (its group of the character's class).
    void Select_Category(int32_t n);
    int32_t Category() const { return f_Category; }
    // The master spell numbers of the chosen category's class spells, in grid order.
    const std::vector<uint16_t>& Shown_Spells() const { return f_Spells; }
    // Whether a point can raise the spell now.
    static bool Can_Raise(const TMonster& character, uint16_t spell);
    // A left click on grid cell n: raises its spell when a point allows. True when it
    // did.
    bool Click_Cell(int cell);
    // The screen point at the middle of grid cell n; false past the grid.
    bool Cell_Point(int cell, int& x, int& y) const;

    int Get_Width() override { return 619; }
    int Get_Height() override { return 307; }
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button_Toggle*, Categories> f_Toggles{};
    TDC_Button* f_Close_Button = nullptr;

  private:
    int cell_at(int x, int y) const;
    void rebuild();

    TDC_Main& f_Main;
    int32_t f_Category = 0;
    std::vector<uint16_t> f_Spells;
    int f_Hover_Cell = -1;
    int f_Background = -1;
};
