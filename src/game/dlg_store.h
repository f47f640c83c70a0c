#pragma once
// The store: the stock of a townsperson's store by category, beside the inventory
// window. Picking up a store item buys it at the store's price; putting an item down
// on an empty cell sells it. While the store is open the description panel shows
// prices.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/item_grid.h"
#include "presentation/buttons.h"
#include "rules/references.h"

class TDC_Main;
class TStore;

class TDC_Dlg_Store : public TDisplay_Class {
  public:
    static constexpr int Category_Toggles = 7;
    // A store with more categories than toggles shows the rest under the last one.
    static constexpr const char* Other_Category = "Other";

    explicit TDC_Dlg_Store(TDC_Main& main);
    ~TDC_Dlg_Store() override;

    // The creature that keeps the store, and the store's number on the current map.
    void Set_Store(const TCreature_Ref& creature, int32_t store);
    TStore* Store() const;
    // The toggle captions in use (at most seven).
    const std::vector<std::string>& Captions() const { return f_Captions; }
    // Chooses category toggle 1..count.
    void Select_Category(int32_t n);
    int32_t Category() const { return f_Category; }
    // The item numbers shown for the chosen category, in grid order (at most 45).
    std::vector<uint16_t> Shown_Items() const;
    // A left click on grid cell 0..44: buys the cell's item onto the pointer, or sells
    // the held item. True when an item changed hands.
    bool Click_Cell(int cell);
    // The screen point at the middle of grid cell 0..44; false for any other cell.
    bool Cell_Point(int cell, int& x, int& y) const;
    void Close();

    int Get_Width() override { return 619; }
    int Get_Height() override { return 307; }
    // The store opens at its place beside the inventory window.
    void Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                    bool Modal) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::array<TDC_Button_Toggle*, Category_Toggles> f_Toggles{};
    TDC_Button* f_Close_Button = nullptr;

  private:
    TItem_Grid grid() const { return {f_X + 231, f_Y + 52, 9, 5}; }
    bool buy(uint16_t number);
    bool sell();
    void show_prices(bool buying);

    TDC_Main& f_Main;
    TCreature_Ref f_Creature;
    int32_t f_Store = 0;
    std::vector<std::string> f_Captions;
    int32_t f_Category = 0;
    int f_Hover_Cell = -1;
    int f_Background = -1;
};
