#pragma once
// The grid of item cells the inventory, store, chest and give-item windows share:
// 32 x 32 pictures on a 40-pixel pitch, the cell under the pointer filled with the
// highlight colour before its item is drawn.

#include <cstdint>
#include <vector>

class TItem;

struct TItem_Grid {
    int X = 0, Y = 0; // the top-left corner of the first cell
    int Columns = 1, Rows = 1;

    int Count() const { return Columns * Rows; }
    // The cell 0..Count - 1 whose picture holds the point, or -1 (the gaps between
    // pictures belong to no cell).
    int Cell_At(int x, int y) const;
    int Cell_X(int cell) const { return X + 40 * (cell % Columns); }
    int Cell_Y(int cell) const { return Y + 40 * (cell / Columns); }
};

// One cell: the highlight when the pointer is over it, the item (if any), and the
// refusal marker over it when the held item may not go there.
void Draw_Item_Cell(int x, int y, const TItem* item, bool highlight, bool refused, int buffer);

class TDC_Main;

// Items may be moved: the game's actions are allowed, or they are held only by a
// store, chest or give-item dialog (which work beside the inventory window).
bool Items_Movable(const TDC_Main& main);
// Hovering over cell (from 0) of the items shown: its item becomes the description
// panel's subject; an empty cell clears it.
void Describe_Cell_Item(const std::vector<uint16_t>& shown, int cell);
// The slot rule of the character's inventory and equipment slots 1..90: with nothing
// held the slot's item goes onto the pointer; with an item held it is put down there
// (stacking, swapping, or refused and kept held). True when something moved.
bool Click_Character_Slot(TDC_Main& main, int32_t slot);
// Whether the held item may go into the character's slot (the refusal marker).
bool Held_Item_Fits(const TDC_Main& main, int32_t slot);
