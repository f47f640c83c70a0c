// The display object: its map picture buffers, the square's shape, effect frames and
// copies at the buffers' edges.

#include <gtest/gtest.h>

#include "presentation/view_support.h"
#include "rules/display_effects.h"
#include "world/world_support.h"

namespace {

const TColour red = Colour_RGB(200, 10, 10);
const TColour green = Colour_RGB(10, 200, 10);
const TColour blue = Colour_RGB(10, 10, 200);

using Display_Object_Pictures = Display_Test;

TEST_F(Display_Object_Pictures, TooManyTerrainPicturesAreRefusedWholeAndFourHundredFit) {
    std::vector<std::string> names;
    for (int n = 0; n < 401; ++n)
        names.push_back("t" + std::to_string(n) + ".bmp");
    EXPECT_FALSE(Display_Object->Load_Terrain_Images(names, "Deep Caves", true));
    ASSERT_EQ(messages.Boxes.size(), 1u);
    EXPECT_EQ(messages.Boxes[0], "Error|Too many terrain images used in map \"Deep Caves\". 401 "
                                 "of a possible 400 are required for this map.");
    EXPECT_TRUE(Display_Object->f_Terrain.Names.empty());

    // Four hundred (the last one in the buffer's bottom-right cell) load.
    names.pop_back();
    for (int n = 0; n < 400; ++n)
        Write_Terrain(names[size_t(n)], Solid_BMP(2, 2, n == 399 ? green : red));
    EXPECT_TRUE(Display_Object->Load_Terrain_Images(names, "Deep Caves", true)) << Joined_Boxes();
    EXPECT_EQ(Display_Object->f_Terrain.Names.size(), 400u);
    EXPECT_EQ(Pixel(Display_Object->f_Terrain.Buffer, 19 * 54, 19 * 54), green);
}

TEST_F(Display_Object_Pictures, AppendingKeepsSlotsAndAMissingPictureChangesNothing) {
    Write_Monster("rat.bmp", Solid_BMP(54, 54, red));
    Write_Monster("bat.bmp", Solid_BMP(54, 54, green));
    ASSERT_TRUE(Display_Object->Load_Monster_Images({"rat.bmp"}, "Cellar", true));
    ASSERT_TRUE(Display_Object->Load_Monster_Images({"bat.bmp", "rat.bmp"}, "Cellar", false));
    EXPECT_EQ(Display_Object->f_Monster.Slot_Of("rat.bmp"), 0);
    EXPECT_EQ(Display_Object->f_Monster.Slot_Of("bat.bmp"), 1);

    // Too many monsters counts the ones already there.
    std::vector<std::string> many;
    for (int n = 0; n < 199; ++n)
        many.push_back("m" + std::to_string(n) + ".bmp");
    EXPECT_FALSE(Display_Object->Load_Monster_Images(many, "Cellar", false));
    EXPECT_EQ(messages.Boxes.back(), "Error|Too many monster images used in map \"Cellar\". 201 "
                                     "of a possible 200 are required for this map.");

    // A reload whose second picture is missing says which and keeps the old pictures.
    EXPECT_FALSE(Display_Object->Load_Monster_Images({"bat.bmp", "ghost.bmp"}, "Cellar", true));
    const std::string& box = messages.Boxes.back();
    EXPECT_EQ(box.rfind("Error|Unable to load bitmap \"", 0), 0u) << box;
    EXPECT_NE(box.find("ghost.bmp\"."), std::string::npos) << box;
    EXPECT_EQ(Display_Object->f_Monster.Slot_Of("rat.bmp"), 0);
    EXPECT_EQ(Pixel(Display_Object->f_Monster.Buffer, 10, 10), red);
}

TEST_F(Display_Object_Pictures, MapPicturesNameTheirSlotsAndFailWithoutTouchingTheMap) {
    TTest_Map map;
    map.Display_Name = "Cellar";
    map.Terrains.Get_Terrain(Floor)->Picture_Filename[0] = "floor.bmp";
    map.Terrains.Get_Terrain(Wall)->Picture_Filename = {"floor.bmp", "", "wall.bmp"};
    const uint16_t rat = map.Put_Creature(10, 10);
    map.Monster_List.Get(rat)->Picture_Filename = "rat.bmp";
    const uint16_t coin = map.Put_Item(11, 11, "Coin");
    map.Item_List.Get(coin)->Picture_Filename = "coin.bmp";
    Write_Terrain("floor.bmp", Solid_BMP(54, 54, red));
    Write_Monster("rat.bmp", Solid_BMP(54, 54, green));

    // The item's picture is missing: no index changes.
    EXPECT_FALSE(Display_Object->Load_Map_Pictures(map, true));
    EXPECT_EQ(map.Terrains.Get_Terrain(Wall)->Picture_Index[2], 0);
    EXPECT_EQ(map.Monster_List.Get(rat)->Picture_Index, 0);
    EXPECT_TRUE(Display_Object->f_Terrain.Names.empty());

    Write_Terrain("wall.bmp", Solid_BMP(54, 54, blue));
    Write_Item("coin.bmp", Solid_BMP(32, 32, blue));
    ASSERT_TRUE(Display_Object->Load_Map_Pictures(map, true)) << Joined_Boxes();
    // floor, wall, then the fifteen borders.
    EXPECT_EQ(map.Terrains.Get_Terrain(Wall)->Picture_Index[0], 1);
    EXPECT_EQ(map.Terrains.Get_Terrain(Wall)->Picture_Index[2], 2);
    EXPECT_EQ(Display_Object->f_Border_Slots[0], 2);
    EXPECT_EQ(Display_Object->f_Border_Slots[14], 16);
    EXPECT_EQ(map.Monster_List.Get(rat)->Picture_Index, 1);
    EXPECT_EQ(map.Item_List.Get(coin)->Picture_Index, 1);

    // The overlay of a square is drawn as its border picture, between layers 1 and 3.
    Write_Terrain("Border_N.bmp", Solid_BMP(54, 54, green));
    ASSERT_TRUE(Display_Object->Load_Map_Pictures(map, true));
    const int screen = Screen();
    TMap_Square& square = *map.Get_Square(20, 20);
    square.Overlay = 1;
    Draw_Terrain_Layers(map, square, 100, 100, 0, screen);
    EXPECT_EQ(Pixel(screen, 110, 110), green);
    square.Terrain = Wall;
    Draw_Terrain_Layers(map, square, 100, 100, 0, screen);
    EXPECT_EQ(Pixel(screen, 110, 110), blue);
    Draw_Terrain_Layers(map, square, 200, 100, 3, screen);
    EXPECT_EQ(Pixel(screen, 210, 110), green);
}

TEST_F(Display_Object_Pictures, TheContentHitTestSeesWhatLiesOnTheSquare) {
    // The item lying on the square, not the empty corner above the ground.
    TTest_Map map;
    map.Terrains.Get_Terrain(Floor)->Picture_Filename[0] = "floor.bmp";
    Write_Terrain("floor.bmp", Make_BMP(54, 54, [](int, int y) {
                      return y >= 27 ? red : Colour_RGB(255, 0, 255);
                  }));
    Write_Item("coin.bmp", Solid_BMP(32, 32, blue));
    const uint16_t coin = map.Put_Item(5, 5, "Coin");
    map.Item_List.Get(coin)->Picture_Filename = "coin.bmp";
    ASSERT_TRUE(Display_Object->Load_Map_Pictures(map, true)) << Joined_Boxes();
    EXPECT_TRUE(Display_Object->Square_Content_Hit(20, 20, map, *map.Get_Square(5, 5)));
    EXPECT_FALSE(Display_Object->Square_Content_Hit(5, 5, map, *map.Get_Square(5, 5)));
    EXPECT_FALSE(Display_Object->Square_Content_Hit(20, 20, map, *map.Get_Square(6, 6)));
    EXPECT_TRUE(Display_Object->Square_Content_Hit(20, 40, map, *map.Get_Square(6, 6)));
}

TEST_F(Display_Object_Pictures, EffectFramesNeedFramesPerLineAndALoadedBitmap) {
    dir.Write("Pictures/SysPics/fx_test.bmp", Solid_BMP(60, 54, blue));
    Display_Effects.Bitmap_Names = {"fx_test.bmp"};
    const bool loaded = Display_Object->Load_Effect_Bitmaps();
    Display_Effects.Bitmap_Names.clear();
    ASSERT_TRUE(loaded) << Joined_Boxes();
    const int screen = Screen();
    TDisplay_Effect effect;
    effect.Bitmap_Index = 1;
    effect.Picture_Width = 54;
    effect.Picture_Height = 54;
    effect.Total_Frames = 8;
    auto drawn = [&] {
        int n = 0;
        for (TColour p : Buffer_Of(screen)->pixels)
            n += p != 0;
        return n;
    };
    // Without frames per line there is no frame to draw, and nothing faults.
    for (int frame = 1; frame <= 8; ++frame)
        Display_Object->Draw_Effect_Frame(effect, frame, 100, 100, screen);
    EXPECT_EQ(drawn(), 0);
    effect.Frames_Per_Line = 8;
    effect.Bitmap_Index = uint16_t(Display_Object->f_Effect_Buffers.size() + 1);
    Display_Object->Draw_Effect_Frame(effect, 1, 100, 100, screen);
    EXPECT_EQ(drawn(), 0);

    // A source rectangle past the bitmap's edge draws the part that is there.
    effect.Bitmap_Index = 1;
    effect.Start_X = 40;
    effect.Square_X_Offset = 1;
    Display_Object->Draw_Effect_Frame(effect, 1, 100, 100, screen);
    EXPECT_EQ(drawn(), 20 * 54);
    EXPECT_EQ(Pixel(screen, 100, 98), blue);
    EXPECT_EQ(Pixel(screen, 119, 151), blue);
}

TEST_F(Display_Object_Pictures, CopiesAtTheScreenEdgeAndDisabledActionsDrawNothingOutside) {
    Write_Terrain("floor.bmp", Solid_BMP(54, 54, red));
    ASSERT_TRUE(Display_Object->Load_Terrain_Images({"floor.bmp"}, "Edge", true));
    const int screen = Screen();
    Display_Object->Draw_Terrain(0, 790, 5, screen);
    EXPECT_EQ(Pixel(screen, 799, 5), red);
    EXPECT_EQ(Pixel(screen, 790, 58), red);
    Display_Object->Draw_Terrain(0, -50, 590, screen);
    EXPECT_EQ(Pixel(screen, 3, 599), red);
    // A slot never loaded, and a disabled display, draw nothing.
    Display_Object->Draw_Terrain(1, 300, 300, screen);
    Display_Object->Draw_Terrain(450, 300, 300, screen);
    Display_Object->f_Actions_Disabled = true;
    Display_Object->Draw_Terrain(0, 400, 300, screen);
    EXPECT_EQ(Pixel(screen, 310, 310), 0u);
    EXPECT_EQ(Pixel(screen, 410, 310), 0u);
}

TEST(Display_Colours, PackedColoursKeepRedInTheLowByte) {
    EXPECT_EQ(TDisplay_Object::Colour_From_Packed(0x00336699), Colour_RGB(0x99, 0x66, 0x33));
}

} // namespace
