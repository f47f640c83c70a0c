// The system pictures: the sizes, cell grids, masks and transparent areas the engine
// relies on, and colours that survive a 16-bit display.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "canvas.h"
#include "forge_test_util.h"
#include "ui_parts.h"

namespace {

bool has_content(const TCanvas& c, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (c.Get(i, j) != Pink)
                return true;
    return false;
}

bool all_pink(const TCanvas& c, int x, int y, int w, int h) {
    return !has_content(c, x, y, w, h);
}

bool same_region(const TCanvas& a, int ax, int ay, int bx, int by, int w, int h) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (a.Get(ax + i, ay + j) != a.Get(bx + i, by + j))
                return false;
    return true;
}

} // namespace

TEST(Forge_System_Pictures, EveryPictureHasItsExactSize) {
    // Sizes the controls allocate (dialogs) or the minimum sheets, from the layout notes.
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"misc.bmp", {184, 163}},
        {"gen.bmp", {504, 96}},
        {"tilegen.bmp", {324, 54}},
        {"DamageFX.bmp", {96, 320}},
        {"Spells.bmp", {684, 114}},
        {"SpellContainers.bmp", {190, 152}},
        {"ButtonsSmallSquare.bmp", {230, 92}},
        {"ButtonsMainRound.bmp", {459, 204}},
        {"ButtonsArrows.bmp", {72, 112}},
        {"ButtonsSquareIcons.bmp", {266, 152}},
        {"ButtonsSquareFrames.bmp", {114, 152}},
        {"ButtonsLongRoundedText.bmp", {200, 204}},
        {"ButtonsLongSquareText.bmp", {200, 152}},
        {"ButtonsSquareNamed.bmp", {102, 92}},
        {"ButtonsSquareNamedBlank.bmp", {224, 92}},
        {"Dlg_Quests.bmp", {427, 515}},
        {"Dlg_OverviewMap.bmp", {459, 515}},
        {"Dlg_GameMenu.bmp", {307, 410}},
        {"Dlg_LoadSave.bmp", {307, 410}},
        {"Dlg_Message.bmp", {309, 213}},
        {"Dlg_Talk.bmp", {267, 179}},
        {"Win_Inventory.bmp", {189, 281}},
        {"Win_Inventory_Tabs.bmp", {178, 184}},
        {"Win_Stats.bmp", {304, 172}},
        {"Dlg_MM.bmp", {266, 200}},
        {"Dlg_Intro.bmp", {270, 560}},
        {"Dlg_SelectModule.bmp", {696, 504}},
        {"Dlg_SelectCharacter.bmp", {696, 504}},
        {"Win_Char.bmp", {331, 356}},
        {"Dlg_Dead.bmp", {460, 572}},
        {"Dlg_HighScores.bmp", {696, 552}},
        {"Dlg_Statistics.bmp", {338, 410}},
        {"Dlg_SpellList.bmp", {619, 307}},
        {"Dlg_SpellSelection.bmp", {307, 450}},
        {"Dlg_MapGen.bmp", {800, 600}},
        {"Dlg_ErrorList.bmp", {427, 515}},
        {"Dlg_Progress.bmp", {333, 134}},
        {"Dlg_ModuleText.bmp", {448, 504}},
        {"Dlg_Store.bmp", {619, 307}},
        {"Dlg_Container.bmp", {313, 299}},
        {"Dlg_Conversation.bmp", {507, 307}},
        {"Dlg_GiveItem.bmp", {267, 179}},
        {"Dlg_Difficulty.bmp", {266, 354}},
        {"MainUI.bmp", {800, 600}},
    };
    ASSERT_EQ(sizes.size(), 44u);
    std::set<std::string> made;
    for (const TPicture_Entry& e : System_Pictures()) {
        EXPECT_EQ(e.folder, "Pictures/SysPics");
        EXPECT_TRUE(made.insert(e.name).second) << "made twice: " << e.name;
        const auto it = sizes.find(e.name);
        ASSERT_NE(it, sizes.end()) << "unexpected picture " << e.name;
        const TCanvas& c = Make_System_Picture(e.name);
        EXPECT_EQ(c.Width(), it->second.first) << e.name;
        EXPECT_EQ(c.Height(), it->second.second) << e.name;
    }
    EXPECT_EQ(made.size(), 44u);
}

TEST(Forge_System_Pictures, ColoursSurviveA16BitDisplay) {
    for (const TPicture_Entry& e : System_Pictures()) {
        const TCanvas& c = Make_System_Picture(e.name);
        int pink = 0, unsafe = 0;
        for (TRGB p : c.Pixels()) {
            if (p == Pink) {
                ++pink;
                continue;
            }
            const int r = Red_Of(p), g = Green_Of(p), b = Blue_Of(p);
            // Near-black turns transparent, near-pink turns into the key.
            unsafe += (r < 8 && g < 4 && b < 8) || (r >= 248 && g <= 3 && b >= 248);
        }
        EXPECT_EQ(unsafe, 0) << e.name;
        if (e.opaque) {
            EXPECT_EQ(pink, 0) << e.name << " must be opaque";
        }
    }
}

TEST(Forge_System_Pictures, SquareMaskIsTheFloorDiamond) {
    const TCanvas& gen = Make_System_Picture("gen.bmp");
    int inside = 0;
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x) {
            const TRGB p = gen.Get(216 + x, y);
            const bool in = p != Pink && p != Rgb(0, 0, 0);
            EXPECT_EQ(in, In_Floor_Diamond(x, y)) << x << "," << y;
            inside += in;
        }
    EXPECT_EQ(inside, 676);
    // The other regions of the sheet are filled where the engine cuts from it.
    EXPECT_TRUE(has_content(gen, 128, 0, 32, 32)); // pointer
    EXPECT_NE(gen.Get(128, 0), Pink);              // its hot spot is its top-left pixel
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(has_content(gen, 32 * (k % 4), 32 * (k / 4), 32, 32)) << "face " << k;
    for (int x : {160, 192})
        EXPECT_TRUE(has_content(gen, x, 0, 17, 17));
    for (int x : {224, 256, 288, 320})
        EXPECT_TRUE(has_content(gen, x, 64, 32, 32));
    // The health bar's trough starts 29 pixels into its 133 x 21 frame.
    EXPECT_TRUE(has_content(gen, 371, 10, 133, 21));
    EXPECT_NE(gen.Get(371 + 29 + 50, 20), gen.Get(371 + 15, 10));
}

TEST(Forge_System_Pictures, DarknessOverlaysAndGridKeepTheAgreedShape) {
    const TCanvas& t = Make_System_Picture("tilegen.bmp");
    int silhouette = 0;
    int dark[3] = {0, 0, 0};
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 54; ++x) {
            silhouette += In_Block_Silhouette(x, y);
            for (int level = 0; level < 3; ++level) {
                const TRGB p = t.Get(54 * level + x, y);
                if (p != Pink) {
                    EXPECT_EQ(p, Near_Black);
                    EXPECT_TRUE(In_Block_Silhouette(x, y));
                    ++dark[level];
                }
            }
        }
    EXPECT_NEAR(double(dark[0]) / silhouette, 0.25, 0.03);
    EXPECT_NEAR(double(dark[1]) / silhouette, 0.50, 0.03);
    EXPECT_NEAR(double(dark[2]) / silhouette, 0.75, 0.03);
    EXPECT_TRUE(all_pink(t, 162, 0, 108, 54));       // cells 3 and 4 are unassigned
    EXPECT_EQ(t.Get(270 + 26, 27), Rgb(70, 70, 70)); // grid: the diamond's top corner
    EXPECT_EQ(t.Get(270 + 26, 39), Pink);            // and nothing in its middle
}

TEST(Forge_System_Pictures, DamageFramesFillTheirRowsAndLeaveUnassignedRowsPink) {
    const TCanvas& d = Make_System_Picture("DamageFX.bmp");
    for (int row = 0; row < 10; ++row)
        for (int f = 0; f < 3; ++f) {
            if (row == 3 || row == 4) {
                EXPECT_TRUE(all_pink(d, 32 * f, 32 * row, 32, 32)) << row;
            } else {
                EXPECT_TRUE(has_content(d, 32 * f, 32 * row, 32, 32)) << row << "/" << f;
            }
        }
}

TEST(Forge_System_Pictures, IconSheetsFillEveryUsedCell) {
    const TCanvas& misc = Make_System_Picture("misc.bmp");
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(has_content(misc, 23 * k, 71, 23, 23)) << "status icon " << k;
    for (int n = 0; n < 23; ++n)
        EXPECT_TRUE(has_content(misc, 23 * (n % 8), 94 + 23 * (n / 8), 23, 23)) << "icon " << n;
    EXPECT_TRUE(has_content(misc, 0, 0, 134, 20));
    EXPECT_TRUE(has_content(misc, 0, 20, 111, 23));
    EXPECT_TRUE(has_content(misc, 0, 43, 134, 28));
    // Spell icons differ from each other.
    const TCanvas& spells = Make_System_Picture("Spells.bmp");
    std::set<std::vector<TRGB>> icons;
    for (int i = 0; i < 46; ++i) {
        std::vector<TRGB> px;
        for (int y = 0; y < 38; ++y)
            for (int x = 0; x < 38; ++x)
                px.push_back(spells.Get(38 * (i % 18) + x, 38 * (i / 18) + y));
        icons.insert(px);
    }
    EXPECT_EQ(icons.size(), 46u);
}

TEST(Forge_System_Pictures, ButtonStripsHaveFourDistinctRowsPerColumn) {
    struct TStrip {
        const char* name;
        int w, h, columns;
    };
    const TStrip strips[] = {
        {"ButtonsSmallSquare.bmp", 23, 23, 10},
        {"ButtonsMainRound.bmp", 51, 51, 9},
        {"ButtonsArrows.bmp", 18, 28, 4},
        {"ButtonsSquareIcons.bmp", 38, 38, 7},
        {"ButtonsSquareFrames.bmp", 38, 38, 3},
        {"ButtonsLongSquareText.bmp", 200, 38, 1},
        {"ButtonsLongRoundedText.bmp", 200, 51, 1},
        {"ButtonsSquareNamed.bmp", 51, 23, 2},
        {"ButtonsSquareNamedBlank.bmp", 224, 23, 1},
        {"SpellContainers.bmp", 38, 38, 5},
    };
    for (const TStrip& s : strips) {
        const TCanvas& c = Make_System_Picture(s.name);
        ASSERT_EQ(c.Width(), s.w * s.columns) << s.name;
        ASSERT_EQ(c.Height(), s.h * 4) << s.name;
        for (int col = 0; col < s.columns; ++col) {
            for (int row = 0; row < 4; ++row)
                EXPECT_TRUE(has_content(c, col * s.w, row * s.h, s.w, s.h)) << s.name;
            // Hover, pressed and disabled each look different from normal.
            for (int row = 1; row < 4; ++row)
                EXPECT_FALSE(same_region(c, col * s.w, 0, col * s.w, row * s.h, s.w, s.h))
                    << s.name << " column " << col << " row " << row;
        }
    }
    // Round buttons are round: their corners are transparent.
    const TCanvas& round = Make_System_Picture("ButtonsMainRound.bmp");
    EXPECT_EQ(round.Get(0, 0), Pink);
    EXPECT_EQ(round.Get(50, 50), Pink);
    EXPECT_NE(round.Get(25, 25), Pink);
    // Columns carry different pictures.
    EXPECT_FALSE(same_region(round, 0, 0, 51, 0, 51, 51));
}

TEST(Forge_System_Pictures, NamedButtonsCarryTheirWords) {
    // "OK" and "Cancel" are in the picture; the blank plates carry no text: their cells
    // differ only by their stone, so OK and Cancel differ more than two blank columns do.
    const TCanvas& named = Make_System_Picture("ButtonsSquareNamed.bmp");
    auto label_pixels = [&named](int x0) {
        int n = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = x0; x < x0 + 51; ++x)
                n += named.Get(x, y) == Rgb(232, 206, 150);
        return n;
    };
    EXPECT_GT(label_pixels(0), 10);
    EXPECT_GT(label_pixels(51), label_pixels(0)); // "Cancel" is the longer word
}
