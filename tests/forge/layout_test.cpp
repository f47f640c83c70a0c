// Where the program prints and draws over the pictures: light plates under black
// titles, dark wells under white text, the seamless description panel, the dark corner
// of spell icons and the direction order of missile frames.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "forge_test_util.h"
#include "iso.h"
#include "ui_parts.h"

namespace {

int luminance(TRGB c) {
    return (Red_Of(c) * 3 + Green_Of(c) * 6 + Blue_Of(c)) / 10;
}

const TCanvas& map_picture(const std::string& folder, const std::string& name) {
    static std::map<std::string, TCanvas> made;
    const std::string key = folder + "/" + name;
    if (!made.count(key))
        for (const TPicture_Entry& e : All_Pictures())
            if (e.folder == folder && e.name == name)
                made[key] = e.make();
    return made[key];
}

} // namespace

TEST(Forge_Layout, BlackTitlesSitOnLightPlates) {
    // Picture, and the centre the program prints its black title at.
    const struct {
        const char* name;
        int x, y;
    } titles[] = {
        {"Dlg_Quests.bmp", 207, 47},         {"Dlg_OverviewMap.bmp", 229, 33},
        {"Dlg_GameMenu.bmp", 153, 33},       {"Dlg_LoadSave.bmp", 153, 43},
        {"Dlg_Message.bmp", 148, 31},        {"Dlg_SelectModule.bmp", 171, 47},
        {"Dlg_SelectModule.bmp", 495, 47},   {"Dlg_Difficulty.bmp", 131, 33},
        {"Dlg_Progress.bmp", 168, 48},       {"Dlg_Dead.bmp", 224, 47},
        {"Dlg_HighScores.bmp", 347, 46},     {"Dlg_Statistics.bmp", 167, 34},
        {"Dlg_Store.bmp", 307, 32},          {"Dlg_SpellList.bmp", 307, 32},
        {"Dlg_SpellSelection.bmp", 153, 42}, {"Dlg_Container.bmp", 150, 32},
        {"Dlg_Conversation.bmp", 255, 29},   {"Dlg_GiveItem.bmp", 130, 36},
        {"Dlg_ModuleText.bmp", 224, 60},     {"Dlg_ErrorList.bmp", 213, 47},
    };
    for (const auto& t : titles) {
        const TCanvas& c = Make_System_Picture(t.name);
        // A title is about 60 pixels wide and 12 high around its centre.
        int dark = 0;
        for (int y = t.y - 5; y <= t.y + 5; ++y)
            for (int x = t.x - 30; x <= t.x + 30; ++x)
                dark += luminance(c.Get(x, y)) < 140;
        EXPECT_EQ(dark, 0) << t.name << " title at " << t.x << "," << t.y;
    }
}

TEST(Forge_Layout, WhiteTextAndListsSitOnDarkWells) {
    const struct {
        const char* name;
        int x, y, w, h;
    } wells[] = {
        {"Dlg_Message.bmp", 20, 57, 257, 98},        {"Dlg_Quests.bmp", 43, 68, 331, 373},
        {"Dlg_SelectModule.bmp", 338, 72, 327, 220}, {"Dlg_SelectModule.bmp", 338, 302, 327, 100},
        {"Dlg_Conversation.bmp", 232, 60, 242, 188}, {"Dlg_OverviewMap.bmp", 24, 54, 400, 400},
        {"Dlg_Progress.bmp", 24, 87, 286, 20},       {"Dlg_LoadSave.bmp", 54, 74, 219, 17},
        {"Dlg_Store.bmp", 231, 52, 32, 32},          {"Win_Inventory.bmp", 13, 25, 32, 32},
        {"Dlg_HighScores.bmp", 86, 95, 520, 380},    {"MainUI.bmp", 400, 15, 101, 13},
    };
    for (const auto& w : wells) {
        const TCanvas& c = Make_System_Picture(w.name);
        int light = 0;
        for (int y = w.y; y < w.y + w.h; ++y)
            for (int x = w.x; x < w.x + w.w; ++x)
                light += luminance(c.Get(x, y)) > 90;
        EXPECT_EQ(light, 0) << w.name << " at " << w.x << "," << w.y;
    }
    // The module text and the death report are printed in black on parchment.
    for (const auto& [name, x, y, w, h] : {std::tuple{"Dlg_ModuleText.bmp", 60, 80, 335, 340},
                                           {"Dlg_Dead.bmp", 51, 341, 342, 136}}) {
        const TCanvas& c = Make_System_Picture(name);
        int dark = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                dark += luminance(c.Get(i, j)) < 120;
        EXPECT_EQ(dark, 0) << name;
    }
}

TEST(Forge_Layout, DescriptionPanelGrowsWithoutASeam) {
    // The program copies rows 114..193 of the panel lower down to lengthen it, so rows
    // 114..169 must all be alike.
    const TCanvas& c = Make_System_Picture("MainUI.bmp");
    for (int y = 115; y < 170; ++y)
        for (int x = 508; x < 800; ++x)
            ASSERT_EQ(c.Get(x, y), c.Get(x, 114)) << x << "," << y;
}

TEST(Forge_Layout, SpellIconsKeepTheirLevelCornerDark) {
    const TCanvas& c = Make_System_Picture("Spells.bmp");
    for (int i = 0; i < 46; ++i) {
        const int x0 = 38 * (i % 18), y0 = 38 * (i / 18);
        long corner = 0, whole = 0;
        for (int y = 0; y < 38; ++y)
            for (int x = 0; x < 38; ++x) {
                const int l = luminance(c.Get(x0 + x, y0 + y));
                whole += l;
                if (x >= 30 && y >= 30 && x < 37 && y < 37)
                    corner += l;
            }
        EXPECT_LT(corner / 49, whole / (38 * 38)) << "icon " << i + 1;
    }
}

TEST(Forge_Layout, MissileFramesPointClockwiseFromUp) {
    // Arrow heads (their steel colour) point: up, up-right, right, down-right, down,
    // down-left, left, up-left: the map's north-east first.
    const TCanvas& fx = map_picture("Pictures/SysPics", "fx_missiles.bmp");
    const double expected[8] = {0, 63.4, 90, 116.6, 180, 243.4, 270, 296.6};
    for (int k = 0; k < 8; ++k) {
        double sx = 0, sy = 0;
        int n = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (fx.Get(32 * k + x, y) == Rgb(210, 214, 224)) {
                    sx += x + 0.5 - 16;
                    sy += y + 0.5 - 16;
                    ++n;
                }
        ASSERT_GT(n, 0) << "frame " << k;
        double angle = std::atan2(sx / n, -sy / n) * 180 / 3.14159265358979;
        if (angle < -1)
            angle += 360;
        EXPECT_NEAR(angle, expected[k], 15) << "frame " << k;
    }
}

TEST(Forge_Iso, GroundAndScreenAreInverse) {
    double sx, sy, u, v;
    Iso_Screen(0, 0, 0, sx, sy);
    EXPECT_DOUBLE_EQ(sx, 2);
    EXPECT_DOUBLE_EQ(sy, 39.5);
    Iso_Screen(1, 0, 0, sx, sy); // east: the top corner
    EXPECT_DOUBLE_EQ(sx, 26.5);
    EXPECT_DOUBLE_EQ(sy, 27);
    Iso_Screen(0.3, 0.8, 10, sx, sy);
    Iso_Ground(sx, sy + 10, u, v);
    EXPECT_NEAR(u, 0.3, 1e-9);
    EXPECT_NEAR(v, 0.8, 1e-9);
    // Floors tile: the noise at one edge of the square continues at the other.
    EXPECT_NEAR(Tile_Noise(7, 0.0, 0.4, 4, 3), Tile_Noise(7, 1.0, 0.4, 4, 3), 1e-9);
    EXPECT_NEAR(Tile_Noise(7, 0.9999, 0.4, 4, 3), Tile_Noise(7, 0.0, 0.4, 4, 3), 0.01);
}

TEST(Forge_Iso, BaseAndUpperLayersMakeTheWholeSolid) {
    // A wall is drawn as its base in one layer and its upper part in another: together
    // they must show exactly the whole block.
    const TSolid block{
        [](double u, double v) { return (u > 0.25 && u < 0.75 && v > 0.1) ? 27.0 : 0.0; },
        [](TFace f, double, double, double h) {
            return f == TFace::Top ? Rgb(200, 200, 200)
                                   : Rgb(f == TFace::West ? 120 : 80, int(h) * 4 + 40, 60);
        }};
    TCanvas whole(54, 54), split(54, 54);
    Render_Solid(whole, block, 0, 27);
    Render_Solid(split, block, 0, 6);
    Render_Solid(split, block, 6, 27);
    int differ = 0, drawn = 0;
    for (int i = 0; i < 54 * 54; ++i) {
        differ += whole.Pixels()[size_t(i)] != split.Pixels()[size_t(i)];
        drawn += whole.Pixels()[size_t(i)] != Pink;
    }
    EXPECT_GT(drawn, 300);
    EXPECT_LT(differ, drawn / 50); // only the cut line itself may differ
    // The top face is seen from above: rows near the top of the block are its top colour.
    double x, y;
    Iso_Screen(0.5, 0.5, 27, x, y);
    EXPECT_EQ(whole.Get(int(x), int(y)), Rgb(200, 200, 200));
}

TEST(Forge_Iso, WallEndsPointTheWayTheirLetterSays) {
    // "n" is a wall end whose only neighbour lies south: its top reaches the south edge
    // (the lower right of the diamond) and not the north one; "s" reaches the north edge.
    // (Only tops at the back can be checked for absence: in front, the post's side
    // shows through.)
    auto covers = [](const TCanvas& c, double u, double v) {
        double x, y;
        Iso_Screen(u, v, 27, x, y);
        return c.Get(int(x), int(y)) != Pink;
    };
    const TCanvas& n = map_picture("Pictures/Terrain", "crypt_wall_n_top.bmp");
    const TCanvas& s = map_picture("Pictures/Terrain", "crypt_wall_s_top.bmp");
    const TCanvas& ew = map_picture("Pictures/Terrain", "crypt_wall_ew_top.bmp");
    EXPECT_TRUE(covers(n, 0.5, 0.95));
    EXPECT_FALSE(covers(n, 0.5, 0.05));
    EXPECT_TRUE(covers(s, 0.5, 0.05));
    EXPECT_TRUE(covers(ew, 0.95, 0.5));
    EXPECT_TRUE(covers(ew, 0.05, 0.5));
    EXPECT_FALSE(covers(ew, 0.5, 0.05));
}
