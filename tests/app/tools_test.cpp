// The module authors' tools as the program opens them with "mapgen" and "tilegen":
// the real main screen, hooks and pictures over a copy of the default module whose
// tile folder holds one more tile file that no map names.

#include <gtest/gtest.h>

#include "screen_fixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/game_screen.h"
#include "game/dlg_mapgen.h"
#include "game/dlg_select_module.h"
#include "game/dlg_tilegen.h"
#include "game/global_structs.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/dlg_select_file.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/map.h"
#include "world/module_definition.h"
#include "world/terrain.h"

namespace {

namespace fs = std::filesystem;

class Tools : public Game_Screen_Test {
  protected:
    void Start(bool map_generator) {
        // The default module with one more tile file, which no map names.
        const fs::path module = fs::path(KV_GAME_DIR) / "Modules" / "Hollowmere";
        const fs::path copy = dir_.Path() + "Modules/Hollowmere";
        fs::remove(dir_.Path() + "Modules");
        fs::create_directories(copy / "Tiles");
        fs::create_directory_symlink(module / "Data", copy / "Data");
        for (const auto& entry : fs::directory_iterator(module / "Tiles"))
            fs::create_symlink(entry.path(), copy / "Tiles" / entry.path().filename());
        fs::copy_file(module / "Tiles" / "Town_Tiles.txt", copy / "Tiles" / "Spare_Tiles.txt");
        TMain_Screen_Start start;
        (map_generator ? start.Map_Generator : start.Tile_Generator) = true;
        Game_Screen_Test::Start(start);
    }
    void TearDown() override {
        Game_Screen_Test::TearDown();
        Free_Module_Class();
    }
    // "Choose Module": the module selection opened by the tool, Hollowmere chosen.
    void Choose_Hollowmere(TDisplay_Class& tool) {
        Play("click 110 528\n");
        auto* chooser = dynamic_cast<TDC_Dlg_Select_Module*>(tool.Find_Child("Dlg Select Module"));
        ASSERT_NE(chooser, nullptr);
        chooser->Select(1);
        ASSERT_EQ(chooser->f_List->Get_Selected_Text(), "Hollowmere");
        Play("key Enter\nwait 1\n");
        ASSERT_EQ(tool.Find_Child("Dlg Select Module"), nullptr);
    }
};

TEST_F(Tools, TheMapGeneratorDigsFromEveryTileFileAndMovesItsViewOnTheMap) {
    Start(true);
    auto* tool = dynamic_cast<TDC_Dlg_MapGen*>(screen_->Shown("Dlg MapGen"));
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(screen_->Tools_Mode);
    // Before a module and a file are chosen there is nothing to dig from.
    EXPECT_FALSE(tool->Generate());
    Choose_Hollowmere(*tool);
    ASSERT_EQ(tool->f_File_List->f_Items,
              (std::vector<std::string>{"Caves_Tiles.txt", "Cellar_Tiles.txt", "Chapel_Tiles.txt",
                                        "Ossuary_Tiles.txt", "Spare_Tiles.txt", "Town_Tiles.txt"}));
    for (int n = 1; n <= int(tool->f_File_List->f_Items.size()); ++n) {
        tool->f_File_List->Set_Selected_Index(n);
        const std::string file = tool->f_File_List->Get_Selected_Text();
        Play("click 110 571\nwait 1\n");
        // A level was dug: open ground, an entrance, and every square shown.
        int32_t ground = 0;
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y) {
                const TMap_Square& square = *Current_Map->Get_Square(x, y);
                ASSERT_TRUE(square.Is_Explored());
                ground += square.Has_Movement_Flag(*Current_Map, Movement_Land);
            }
        EXPECT_GT(ground, 500) << file;
        EXPECT_GT(tool->f_Entrances.Count(), 0u) << file;
        EXPECT_EQ(tool->f_Status.find("errors"), std::string::npos) << file << tool->f_Status;
        // The file no map names is dug with the first map's terrain and classes (the
        // town's, whose tile file it copies).
        if (file == "Spare_Tiles.txt") {
            EXPECT_NE(tool->f_Status.find("no map names it"), std::string::npos);
            Screenshot("mapgen");
        }
    }
    // A press on the overview centres the view there, never past the map's edge.
    Play("click " + At(MapGen_Overview_X + 50, MapGen_Overview_Y + 60) + "\n");
    EXPECT_EQ(tool->f_Origin_X, 51 - 7);
    EXPECT_EQ(tool->f_Origin_Y, 61 - 7);
    Play("click " + At(MapGen_Overview_X + 199, MapGen_Overview_Y + 2) + "\nkey Right\nkey Up\n");
    EXPECT_EQ(tool->f_Origin_X, 185);
    EXPECT_EQ(tool->f_Origin_Y, 1);
    Play("key Left\nkey Down\n");
    EXPECT_EQ(tool->f_Origin_X, 184);
    EXPECT_EQ(tool->f_Origin_Y, 2);
    Play("click 781 581\nwait 1\n");
    EXPECT_TRUE(screen_->Close_Requested());
}

TEST_F(Tools, TheTileEditorPaintsARoomSavesItAndLoadsItBack) {
    Start(false);
    auto* tool = dynamic_cast<TDC_Dlg_TileGen*>(screen_->Shown("Dlg TileGen"));
    ASSERT_NE(tool, nullptr);
    ASSERT_EQ(tool->Grid_Width(), 15);
    Choose_Hollowmere(*tool);
    ASSERT_EQ(
        tool->f_File_List->f_Items,
        (std::vector<std::string>{"Cave_Terrain.txt", "Crypt_Terrain.txt", "Town_Terrain.txt"}));
    Play("click 50 34\nclick 110 571\nwait 1\n"); // Crypt_Terrain.txt, "Load Terrain File"
    ASSERT_GT(tool->f_Terrain_List->f_Items.size(), 3u);

    // The screen point over grid square (i, j).
    auto point = [&](int32_t i, int32_t j) {
        for (int py = 130; py < 560; py += 2)
            for (int px = 10; px < 790; px += 2) {
                int32_t mx = 0, my = 0;
                if (tool->f_View.Map_Square_At(px, py, mx, my) && mx == Tile_Grid_Offset + i &&
                    my == Tile_Grid_Offset + j)
                    return At(px, py);
            }
        ADD_FAILURE() << "grid square " << i << "," << j << " is not on the screen";
        return At(0, 0);
    };
    // Walls of the first terrain around a floor of the second: one stroke with the
    // button held along the top wall, single clicks elsewhere.
    tool->f_Terrain_List->Set_Selected_Index(1);
    const uint16_t wall = tool->Selected_Terrain();
    std::string script = "down " + point(4, 4) + "\n";
    for (int32_t i = 5; i <= 8; ++i)
        script += "move " + point(i, 4) + "\n";
    script += "up " + point(8, 4) + "\n";
    for (int32_t j = 5; j <= 7; ++j)
        script += "click " + point(4, j) + "\nclick " + point(8, j) + "\n";
    for (int32_t i = 4; i <= 8; ++i)
        script += "click " + point(i, 8) + "\n";
    Play(script);
    tool->f_Terrain_List->Set_Selected_Index(3);
    const uint16_t floor = tool->Selected_Terrain();
    script.clear();
    for (int32_t j = 5; j <= 7; ++j)
        for (int32_t i = 5; i <= 7; ++i)
            script += "click " + point(i, j) + "\n";
    script += "rclick " + point(6, 6) + "\n"; // a hole in the middle
    Play(script);
    const TTile_Editor_Grid painted = tool->Grid();
    for (int32_t j = 1; j <= 15; ++j)
        for (int32_t i = 1; i <= 15; ++i) {
            const bool edge =
                (i == 4 || i == 8 || j == 4 || j == 8) && i >= 4 && i <= 8 && j >= 4 && j <= 8;
            const bool inside = i > 4 && i < 8 && j > 4 && j < 8 && !(i == 6 && j == 6);
            ASSERT_EQ(painted.At(i, j), edge ? wall : inside ? floor : 0) << i << "," << j;
        }
    // Ctrl with the left button picks a square's terrain.
    int px = 0, py = 0;
    ASSERT_EQ(std::sscanf(point(4, 4).c_str(), "%d %d", &px, &py), 2);
    ASSERT_TRUE(tool->Stroke(mbLeft, ssCtrl, px, py));
    EXPECT_EQ(tool->Selected_Terrain(), wall);
    EXPECT_EQ(tool->Grid().Slots, painted.Slots);
    Screenshot("tilegen");

    // Kept in slot 2, saved, cleared with the empty slot 3, and loaded back.
    Play("key Ctrl+F2\nclick 666 571\nwait 1\n");
    ASSERT_TRUE(File_Exists(App_Dir + "Tile_1.txt"));
    screen_->Shown("Message Dlg")->Set_Kill_Object(true);
    Play("key F3\nwait 1\n");
    EXPECT_EQ(tool->Grid().Slots, std::vector<uint16_t>(15 * 15, 0));
    Play("click 666 528\nwait 1\n");
    auto* chooser = dynamic_cast<TDC_Dlg_SelectFile*>(tool->Find_Child("Dlg Select File"));
    ASSERT_NE(chooser, nullptr);
    const std::vector<std::string>& files = chooser->f_List->f_Items;
    const auto found = std::find(files.begin(), files.end(), "Tile_1.txt");
    ASSERT_NE(found, files.end());
    chooser->f_List->Set_Selected_Index(int(found - files.begin()) + 1);
    Screenshot("tilegen_select_file");
    Play("click " + At(chooser->f_OK->f_X + 5, chooser->f_OK->f_Y + 5) + "\nwait 1\n");
    EXPECT_EQ(tool->Find_Child("Dlg Select File"), nullptr);
    EXPECT_EQ(tool->Grid().Slots, painted.Slots);
    // The memory slot holds the room too.
    Play("key F3\nkey F2\n");
    EXPECT_EQ(tool->Grid().Slots, painted.Slots);
}

} // namespace
