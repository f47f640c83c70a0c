// The map view: which square each cell shows, the square under the pointer, the
// drawing order, sight and memory, darkness and sensed creatures.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "presentation/map_view.h"
#include "presentation/view_support.h"
#include "world/world_support.h"

namespace {

const TColour grey = Colour_RGB(128, 128, 128);
const TColour red = Colour_RGB(200, 10, 10);
const TColour green = Colour_RGB(10, 200, 10);
const TColour blue = Colour_RGB(10, 10, 200);
const TColour pink = Colour_RGB(255, 0, 255);

class Map_View : public Display_Test {
  protected:
    void SetUp() override {
        Display_Test::SetUp();
        if (IsSkipped())
            return;
        Game_Options->Flag_2 = true;
        Game_Options->Flag_5 = true;
        Game_Options->Flag_3 = false;
        map.Terrains.Get_Terrain(Floor)->Picture_Filename[0] = "floor.bmp";
        map.Terrains.Get_Terrain(Torch)->Picture_Filename[0] = "floor.bmp";
        map.Terrains.Get_Terrain(Wall)->Picture_Filename[0] = "wall.bmp";
        // A pillar: a tall picture that sight passes.
        TTerrain pillar = Make_Terrain(6, "Pillar", 0, Vision_Normal);
        pillar.Picture_Filename = {"floor.bmp", "pillar.bmp", ""};
        pillar_slot = map.Terrains.Add_Terrain(pillar);
        // Small marks in the middle of the cell, so that cells do not cover each other.
        Write_Terrain("floor.bmp", block(grey, 26, 38, 4));
        Write_Terrain("wall.bmp", block(blue, 26, 38, 4));
        Write_Terrain("pillar.bmp", Solid_BMP(54, 54, blue));
        Write_Monster("hero.bmp", block(green, 22, 20, 10));
        Write_Monster("rat.bmp", block(red, 22, 20, 10));
    }

    static std::string block(TColour colour, int left, int top, int size) {
        return Make_BMP(54, 54, [=](int x, int y) {
            return x >= left && x < left + size && y >= top && y < top + size ? colour : pink;
        });
    }
    void Put_Player(int32_t x, int32_t y) {
        map.Player_Number = map.Put_Creature(x, y, "Hero", 0);
        map.Monster_List.Get(map.Player_Number)->Picture_Filename = "hero.bmp";
    }
    void Move_Player(int32_t x, int32_t y) {
        TMonster& player = *map.Monster_List.Get(map.Player_Number);
        map.Get_Square(player.X, player.Y)->Remove_Monster();
        player.X = uint8_t(x), player.Y = uint8_t(y);
        map.Place_Monster_At_Its_Position(player);
    }
    uint16_t Put_Rat(int32_t x, int32_t y) {
        const uint16_t rat = map.Put_Creature(x, y);
        map.Monster_List.Get(rat)->Picture_Filename = "rat.bmp";
        return rat;
    }
    // Loads the pictures and draws the view into a new black screen.
    int Draw() {
        EXPECT_TRUE(Display_Object->Load_Map_Pictures(map, true)) << Joined_Boxes();
        const int screen = Screen();
        view.Draw(map, screen);
        return screen;
    }
    // The corner of the cell showing the square.
    bool Corner_Of(int32_t mx, int32_t my, int& x, int& y) const {
        for (int row = 1; row <= View_Rows; ++row)
            for (int column = 1; column <= View_Columns; ++column) {
                int32_t cx = 0, cy = 0;
                if (view.Cell_Square(column, row, cx, cy) && cx == mx && cy == my) {
                    TMap_View::Cell_Corner(column, row, x, y);
                    return true;
                }
            }
        return false;
    }
    TColour Centre(int screen, int32_t mx, int32_t my) const {
        int x = 0, y = 0;
        EXPECT_TRUE(Corner_Of(mx, my, x, y)) << mx << "," << my;
        return Pixel(screen, x + 27, y + 39);
    }

    TTest_Map map;
    TMap_View view;
    uint16_t pillar_slot = 0;
};

TEST_F(Map_View, CellsShowTheWindowAroundTheCharacterEvenAtTheMapCorner) {
    map.Set_Universal_Light(true);
    Put_Player(100, 100);
    const int screen = Draw();
    // The character's cell is (8, 17) at (373, 336); two rows below it on the same
    // column lies the square one west and one south.
    int32_t mx = 0, my = 0;
    ASSERT_TRUE(view.Cell_Square(8, 17, mx, my));
    EXPECT_EQ(std::make_pair(mx, my), std::make_pair(100, 100));
    int x = 0, y = 0;
    TMap_View::Cell_Corner(8, 17, x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(373, 336));
    EXPECT_EQ(Pixel(screen, 373 + 25, 336 + 25), green);
    ASSERT_TRUE(view.Cell_Square(8, 19, mx, my));
    EXPECT_EQ(std::make_pair(mx, my), std::make_pair(99, 101));

    // At (1, 1) the window starts at (-6, -6): the cells show squares 1..8 only.
    Move_Player(1, 1);
    Draw();
    EXPECT_EQ(view.Origin_X, -6);
    EXPECT_EQ(view.Origin_Y, -6);
    std::set<std::pair<int32_t, int32_t>> shown;
    for (int row = 1; row <= View_Rows; ++row)
        for (int column = 1; column <= View_Columns; ++column)
            if (view.Cell_Square(column, row, mx, my))
                shown.insert({mx, my});
    EXPECT_EQ(shown.size(), 64u);
    EXPECT_EQ(shown.begin()->first, 1);
    EXPECT_EQ(shown.rbegin()->first, 8);
    EXPECT_TRUE(map.Get_Square(8, 8)->Is_Explored());
    EXPECT_FALSE(map.Get_Square(9, 1)->Is_Explored());
}

TEST_F(Map_View, ThePointerFindsTheSquareByItsShape) {
    Put_Player(100, 100);
    Draw();
    auto at = [&](int x, int y) {
        int32_t mx = 0, my = 0;
        return view.Map_Square_At(x, y, mx, my) ? std::make_pair(mx, my) : std::make_pair(0, 0);
    };
    const std::pair<int32_t, int32_t> own{100, 100};
    // The four corners of the character's diamond, and the pixels just past them.
    EXPECT_EQ(at(399, 363), own);
    EXPECT_EQ(at(399, 362), std::make_pair(101, 99));
    EXPECT_EQ(at(375, 375), own);
    EXPECT_EQ(at(374, 375), std::make_pair(100, 99));
    EXPECT_EQ(at(424, 375), own);
    EXPECT_EQ(at(425, 375), std::make_pair(101, 100));
    EXPECT_EQ(at(399, 388), own);
    EXPECT_EQ(at(399, 389), std::make_pair(99, 101));

    // Off the map at the corner.
    Move_Player(1, 1);
    Draw();
    EXPECT_EQ(at(399, 375), std::make_pair(1, 1));
    EXPECT_EQ(at(347, 375), std::make_pair(0, 0));
}

TEST_F(Map_View, NearerSquaresCoverTheOnesBehindAndSpritesComeBetween) {
    map.Set_Universal_Light(true);
    Put_Player(100, 100);
    Put_Rat(103, 100);
    map.Get_Square(102, 101)->Terrain = pillar_slot;
    std::vector<std::pair<int32_t, int32_t>> sprite_squares;
    view.Sprite_Drawer = [&](int32_t mx, int32_t my, int x, int y, int) {
        sprite_squares.push_back({mx, my});
        if (mx == 100 && my == 100) {
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(373, 336));
        }
    };
    const int screen = Draw();
    // The rat's cell is (9, 14) at (451, 297); the pillar stands two rows below it.
    EXPECT_EQ(Pixel(screen, 451 + 27, 297 + 22), red);
    EXPECT_EQ(Pixel(screen, 451 + 27, 297 + 28), blue);
    EXPECT_EQ(std::count(sprite_squares.begin(), sprite_squares.end(), std::make_pair(100, 100)),
              1);
    // Squares are handed to the sprites in drawing order: the pillar after the rat.
    const auto rat_at =
        std::find(sprite_squares.begin(), sprite_squares.end(), std::make_pair(103, 100));
    const auto pillar_at =
        std::find(sprite_squares.begin(), sprite_squares.end(), std::make_pair(102, 101));
    EXPECT_LT(rat_at, pillar_at);
}

TEST_F(Map_View, UnseenSquaresStayBlackAndSeenOnesAreDrawnFromMemory) {
    Put_Player(100, 100);
    map.Get_Square(102, 100)->Terrain = Wall;
    map.Set_Universal_Light(true);
    int screen = Draw();
    EXPECT_EQ(Centre(screen, 101, 100), grey);
    EXPECT_EQ(Centre(screen, 102, 100), blue);
    EXPECT_EQ(Centre(screen, 103, 100), 0u);
    EXPECT_TRUE(map.Get_Square(102, 100)->Is_Explored());
    EXPECT_FALSE(map.Get_Square(103, 100)->Is_Explored());

    // Remembered: the ground is drawn, the rat standing there now is not.
    map.Get_Square(103, 100)->Set_Explored(true);
    Put_Rat(103, 100);
    screen = Draw();
    int x = 0, y = 0;
    ASSERT_TRUE(Corner_Of(103, 100, x, y));
    EXPECT_EQ(Pixel(screen, x + 27, y + 39), grey);
    EXPECT_EQ(Pixel(screen, x + 27, y + 22), 0u);

    // With the sight option off every square of the window is drawn.
    Game_Options->Flag_2 = false;
    screen = Draw();
    EXPECT_EQ(Centre(screen, 105, 100), grey);
}

TEST_F(Map_View, DarknessFollowsTheLightLevelAndOnlyWithLighting) {
    Write_Terrain("floor.bmp", Solid_BMP(54, 54, grey));
    Put_Player(100, 100);
    // A torch of radius 3 lights squares 0..4 away at levels 0..4.
    map.Get_Square(100, 100)->Terrain = Torch;
    // The top of a cell's picture is covered by no other cell: its darkness pattern
    // leaves 0 to 3 of these four pixels dark.
    auto dark_pixels = [&](int screen, int32_t mx) {
        int x = 0, y = 0;
        EXPECT_TRUE(Corner_Of(mx, 100, x, y));
        int n = 0;
        for (int dy = 0; dy <= 1; ++dy)
            for (int dx = 26; dx <= 27; ++dx)
                n += Pixel(screen, x + dx, y + dy) != grey;
        return n;
    };
    int screen = Draw();
    for (int level = 0; level <= 3; ++level)
        EXPECT_EQ(dark_pixels(screen, 100 + level), level) << level;
    // Level 4 is not drawn at all.
    EXPECT_EQ(dark_pixels(screen, 104), 4);

    Game_Options->Flag_5 = false;
    screen = Draw();
    for (int32_t mx = 100; mx <= 104; ++mx)
        EXPECT_EQ(dark_pixels(screen, mx), 0) << mx;
}

TEST_F(Map_View, SensedCreaturesAreMarkedAboveTheSquaresInFrontOfThem) {
    Write_Terrain("floor.bmp", Solid_BMP(54, 54, grey));
    Put_Player(100, 100);
    map.Get_Square(100, 100)->Terrain = Torch;
    Put_Rat(104, 100); // in sight, in full darkness
    const int unsensed = Draw();
    map.Monster_List.Get(map.Player_Number)->Permanent_Effects.Add_Effect(59, 10, 10);
    ASSERT_EQ(map.Monster_List.Get(map.Player_Number)->Get_Detect_Evil(), 10);
    const int sensed = Draw();

    int x = 0, y = 0;
    ASSERT_TRUE(Corner_Of(104, 100, x, y));
    int inside = 0, outside = 0, over_front = 0;
    for (int py = 0; py < Screen_Height; ++py)
        for (int px = 0; px < Screen_Width; ++px)
            if (Pixel(unsensed, px, py) != Pixel(sensed, px, py)) {
                const bool in_marker = px >= x + 11 && px < x + 43 && py >= y + 13 && py < y + 45;
                (in_marker ? inside : outside) += 1;
                // The square in front of the rat is drawn after it: only the second pass
                // puts the marker back over it.
                over_front += in_marker && py >= y + 30;
            }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(over_front, 0);

    // Out of range nothing is sensed.
    map.Monster_List.Get(map.Player_Number)->Permanent_Effects.Clear();
    map.Monster_List.Get(map.Player_Number)->Permanent_Effects.Add_Effect(59, 3, 3);
    const int short_range = Draw();
    EXPECT_EQ(Buffer_Of(short_range)->pixels, Buffer_Of(unsensed)->pixels);
}

} // namespace
