#include "presentation/map_view.h"

#include "presentation/display_object.h"
#include "shell/options.h"
#include "world/map.h"

namespace {

// The sensed-creature marker: a creature on the square in sight but in the dark,
// within the character's sensing range ("Detect Evil").
bool sensed(TMap& map, const TMap_Square& square, const TMonster* player, int32_t mx, int32_t my,
            bool in_sight, int darkness) {
    if (!player || !in_sight || darkness <= 0 || square.Monster == 0 || !square.Get_Monster(map))
        return false;
    const int32_t range = player->Get_Detect_Evil();
    return range > 0 && TMap::Square_Distance(mx, my, player->X, player->Y) <= range;
}

} // namespace

void TMap_View::Cell_Corner(int Column, int Row, int& X, int& Y) {
    X = 9 + 52 * (Column - 1) + (Row % 2 == 0 ? 26 : 0);
    Y = 128 + 13 * (Row - 1);
}

bool TMap_View::Cell_Square(int Column, int Row, int32_t& Mx, int32_t& My) const {
    // Signed all the way: near the west and north edges the origin is 0 or below.
    Mx = Origin_X + 8 + (Column - 1) - (Row - 1) / 2;
    My = Origin_Y - 8 + (Column - 1) + Row / 2;
    const int32_t i = Mx - Origin_X, j = My - Origin_Y;
    return TMap::In_Map(Mx, My) && i >= 0 && i < View_Size && j >= 0 && j < View_Size;
}

bool TMap_View::Map_Square_At(int X, int Y, int32_t& Mx, int32_t& My) const {
    bool found = false;
    for (int row = 1; row <= View_Rows; ++row)
        for (int column = 1; column <= View_Columns; ++column) {
            int cx = 0, cy = 0;
            Cell_Corner(column, row, cx, cy);
            if (X < cx || Y < cy || X >= cx + Square_Pixels || Y >= cy + Square_Pixels)
                continue;
            int32_t mx = 0, my = 0;
            if (!Cell_Square(column, row, mx, my))
                continue;
            if (Display_Object && !Display_Object->Square_Mask(X - cx, Y - cy))
                continue;
            Mx = mx, My = my, found = true;
        }
    return found;
}

void TMap_View::Draw(TMap& Map, int Buffer) {
    TMonster* player = Map.Player();
    if (player) {
        Origin_X = int32_t(player->X) - 7;
        Origin_Y = int32_t(player->Y) - 7;
        Map.Compute_Sight(Origin_X, Origin_Y, Vision_Normal);
        Map.Compute_Light(Origin_X, Origin_Y, Vision_Normal);
    }
    if (!Display_Object || Display_Object->f_Actions_Disabled)
        return;
    const TDisplay_Object& display = *Display_Object;
    // The game options that switch parts of the view: flag 2 sight (unseen squares stay
    // black), flag 5 lighting (darkness overlays and sensed creatures), flag 3 the grid.
    const bool sight_option = !Show_Everything && (!Game_Options || Game_Options->Flag_2);
    const bool lighting = !Show_Everything && (!Game_Options || Game_Options->Flag_5);
    const bool grid = Game_Options && Game_Options->Flag_3;

    for (int row = 1; row <= View_Rows; ++row)
        for (int column = 1; column <= View_Columns; ++column) {
            int32_t mx = 0, my = 0;
            if (!Cell_Square(column, row, mx, my))
                continue;
            int x = 0, y = 0;
            Cell_Corner(column, row, x, y);
            TMap_Square& square = *Map.Get_Square(mx, my);
            const int32_t i = mx - Origin_X, j = my - Origin_Y;
            const bool in_sight = Show_Everything || Map.Get_Sight(i, j) == 1;
            const int darkness = Map.Get_Light(i, j);
            if (!sight_option || in_sight || square.Is_Explored()) {
                if (!lighting || darkness < 4) {
                    const int32_t dx = player ? mx - player->X : 0;
                    const int32_t dy = player ? my - player->Y : 0;
                    Draw_In_Sight(Map, square, x, y, dy, dx, in_sight, player, Buffer);
                    if (in_sight)
                        square.Set_Explored(true);
                    if (Sprite_Drawer)
                        Sprite_Drawer(mx, my, x, y, Buffer);
                    if (lighting && darkness >= 1 && darkness <= 3)
                        display.Draw_Darkness(darkness, x, y, Buffer);
                }
                if (lighting && sensed(Map, square, player, mx, my, in_sight, darkness))
                    display.Draw_Sensed_Creature(x, y, true, Buffer);
            }
            if (Grid_Filter ? Grid_Filter(mx, my) : grid)
                display.Draw_Grid(x, y, Buffer);
        }

    // Creatures sensed in full darkness show above the squares drawn after theirs.
    if (!lighting)
        return;
    for (int row = 1; row <= View_Rows; ++row)
        for (int column = 1; column <= View_Columns; ++column) {
            int32_t mx = 0, my = 0;
            if (!Cell_Square(column, row, mx, my))
                continue;
            const int32_t i = mx - Origin_X, j = my - Origin_Y;
            const int darkness = Map.Get_Light(i, j);
            if (darkness < 4 || !sensed(Map, *Map.Get_Square(mx, my), player, mx, my,
                                        Map.Get_Sight(i, j) == 1, darkness))
                continue;
            int x = 0, y = 0;
            Cell_Corner(column, row, x, y);
            display.Draw_Sensed_Creature(x, y, true, Buffer);
        }
}
