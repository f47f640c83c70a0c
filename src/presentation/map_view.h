#pragma once
// The isometric window of 15 x 15 map squares around the character that the game screen
// draws each frame: 31 rows of 15 cells, each cell one map square, drawn from the top
// row down so that nearer squares cover the ones behind them. What the character sees
// and what is lit decide what is drawn; squares once seen stay drawn from memory.

#include <cstdint>
#include <functional>

class TMap;

inline constexpr int View_Rows = 31;
inline constexpr int View_Columns = 15;

class TMap_View {
  public:
    // Draws what stands on a square between the square itself and its darkness (the
    // sprites); (x, y) is the cell's top-left corner.
    using TSquare_Drawer = std::function<void(int32_t mx, int32_t my, int x, int y, int buffer)>;
    TSquare_Drawer Sprite_Drawer;

    // The map square at the window's top-left: the character's square - 7 (so 0 or
    // below near the map's west and north edges), or the last one without a character.
    int32_t Origin_X = 0, Origin_Y = 0;
    // The authoring tools show the whole level: every square in sight and lit, and
    // with a grid filter, the grid over the squares it accepts.
    bool Show_Everything = false;
    std::function<bool(int32_t mx, int32_t my)> Grid_Filter;

    // The map's player is the character. With one, the view follows it and the map's
    // sight and light tables are computed for it first.
    void Draw(TMap& Map, int Buffer);

    // The top-left corner of cell (column 1..15, row 1..31).
    static void Cell_Corner(int Column, int Row, int& X, int& Y);
    // The map square a cell shows; false when it lies off the map or outside the window.
    bool Cell_Square(int Column, int Row, int32_t& Mx, int32_t& My) const;
    // The map square under a screen point, pixel-exact by the square's shape (where two
    // cells' boxes overlap, the one drawn later wins); false off the map.
    bool Map_Square_At(int X, int Y, int32_t& Mx, int32_t& My) const;
};
