// The overview map: seen squares in their map colours, the blinking character, closing.

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "presentation/overview_map.h"
#include "presentation/view_support.h"
#include "world/world_support.h"

namespace {

using Overview_Map = Display_Test;

TEST_F(Overview_Map, SeenSquaresShowTheirColoursAndTheCharacterBlinks) {
    TTest_Map map;
    map.Terrains.Get_Terrain(Floor)->Overview_Color = 0x00406080; // red 0x80 in the low byte
    map.Terrains.Get_Terrain(Wall)->Overview_Color = 0x000000F0;
    map.Get_Square(10, 20)->Set_Explored(true);
    map.Get_Square(11, 20)->Terrain = Wall;
    map.Get_Square(11, 20)->Set_Explored(true);
    map.Player_Number = map.Put_Creature(50, 60, "Hero");
    Set_Manual_Clock(true);
    Set_Clock(10000);

    TDisplay_Class root;
    root.Set_Visible(true);
    TDC_Dlg_Overview_Map& dialog = Show_Overview_Map(root, map);
    EXPECT_EQ(dialog.f_Name, "Overview Map");
    EXPECT_EQ(dialog.Get_Width(), 459);
    EXPECT_EQ(dialog.Get_Height(), 515);
    const int screen = Screen();
    auto draw = [&] {
        fg_vbopen(screen);
        Set_Colour(0);
        Clear_Buffer();
        root.Dispatch_Draw(screen);
    };
    draw();
    const int left = dialog.f_X + 24, top = dialog.f_Y + 54;
    // Square (10, 20) is the 2 x 2 block at (left + 18, top + 38).
    EXPECT_EQ(Pixel(screen, left + 18, top + 38), Colour_RGB(0x80, 0x60, 0x40));
    EXPECT_EQ(Pixel(screen, left + 19, top + 39), Colour_RGB(0x80, 0x60, 0x40));
    EXPECT_EQ(Pixel(screen, left + 20, top + 38), Colour_RGB(0xF0, 0, 0));
    // Unseen squares keep the background.
    const TColour background = Pixel(screen, left + 30, top + 38);
    EXPECT_NE(background, Colour_RGB(0x80, 0x60, 0x40));
    // The character: 4 x 4 red at (left + 98, top + 118), hidden after 500 ms.
    EXPECT_EQ(Pixel(screen, left + 101, top + 121), TDisplay_Object::Red);
    Set_Clock(10500);
    draw();
    EXPECT_EQ(Pixel(screen, left + 101, top + 121), TDisplay_Object::Red);
    Set_Clock(10501);
    draw();
    EXPECT_NE(Pixel(screen, left + 101, top + 121), TDisplay_Object::Red);
    Set_Clock(11100);
    draw();
    EXPECT_EQ(Pixel(screen, left + 101, top + 121), TDisplay_Object::Red);
    Set_Manual_Clock(false);
}

TEST_F(Overview_Map, MOrEscapeClosesIt) {
    TTest_Map map;
    for (uint16_t key : {uint16_t(77), uint16_t(27)}) {
        TDisplay_Class root;
        TDC_Dlg_Overview_Map& dialog = Show_Overview_Map(root, map);
        uint16_t k = key;
        dialog.Handle_KeyDown(k, 0);
        EXPECT_TRUE(dialog.f_Kill) << key;
    }
    TDisplay_Class root;
    TDC_Dlg_Overview_Map& dialog = Show_Overview_Map(root, map);
    uint16_t other = 'N';
    dialog.Handle_KeyDown(other, 0);
    EXPECT_FALSE(dialog.f_Kill);
}

} // namespace
