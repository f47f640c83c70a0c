#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "datafiles/data_file_errors.h"
#include "game/level_change.h"
#include "game/save_load.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "rules/display_effects.h"
#include "rules/inventory.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

struct TQuiet_Display : TSave_Load_Display {
    std::vector<std::string> Messages;
    void Show_Message(const std::string& title, const std::string& text) override {
        Messages.push_back(title + ": " + text);
    }
    void Remember_Saved_Slot(int32_t) override {}
};

// A game folder whose data and modules are the content's own (linked, never written),
// with the default module created into its current-game folder with a fixed seed.
class Default_Module_Game : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        Create_Primary_Global_Structs();
        Game_Settings->Generate_Debug_Log = false;
        const std::filesystem::path content = KV_FIXTURES_DIR "/../../content";
        std::filesystem::create_directory_symlink(content / "Data", dir_.Path() + "Data");
        std::filesystem::create_directory_symlink(content / "Modules", dir_.Path() + "Modules");
        App_Dir = dir_.Path();
        ASSERT_TRUE(Path_Settings->Set_Module("Hollowmere\\"));
        ASSERT_TRUE(Load_Display_Effects(Path_Settings->Get_Effects_File()).Ok());
        ASSERT_TRUE(Load_Master_Spells(Path_Settings->Get_Spells_File()).Ok());
        TModule_Class module_class;
        ASSERT_TRUE(Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class).Ok());
        TModule_Creation_Options options;
        options.Current_Game_Folder = Path_Settings->Get_Current_Game_Folder();
        options.Seed = 8;
        Create_Folder(options.Current_Game_Folder);
        TModule_Creation_Result result;
        TWriteable_Module created;
        ASSERT_TRUE(Create_Module(module_class, created, *map_, options, result));
    }
    void TearDown() override {
        Set_Creature_World(nullptr);
        Display_Effects = TDisplay_Effect_List();
        Master_Spells.Clear();
        App_Dir.clear();
        Reset_Shell_Globals();
    }

    TTemp_Dir dir_;
    TQuiet_Display display_;
    TQuiet_Messages quiet_;
    TScoped_Services use_{{.Messages = &quiet_, .Save_Load = &display_}};
    std::unique_ptr<TWriteable_Map> map_ = std::make_unique<TWriteable_Map>();
    TWriteable_Module module_;
    TGame_Options options_;
    TGame_Objects game_{*map_, module_, options_};
};

TEST_F(Default_Module_Game, ANewGameIsSavedLoadedAndWalkedThroughAConnection) {
    TMonster hero;
    hero.Name = "Wren";
    hero.Level = 2;
    const std::string current = Path_Settings->Get_Current_Game_Folder();
    ASSERT_TRUE(Load_Module_File(current, "Module.mod", module_, true, *map_, &hero));
    ASSERT_TRUE(map_->Player());
    EXPECT_EQ(map_->Player()->Name, "Wren");
    const int32_t creatures = map_->Monster_List.Count();
    const int32_t items = map_->Item_List.Count();
    const std::string start_file = map_->Map_File_Name;
    EXPECT_EQ(start_file, std::to_string(module_.Start_Map) + ".map");

    ASSERT_TRUE(Save_Game_To_Slot(1, "Hollowmere", game_));
    map_->Player()->Name = "Lost";
    map_->Monster_List.Clear();
    ASSERT_TRUE(Load_Game_From_Slot(1, game_));
    EXPECT_TRUE(display_.Messages.empty());
    EXPECT_EQ(map_->Player()->Name, "Wren");
    EXPECT_EQ(map_->Monster_List.Count(), creatures);
    EXPECT_EQ(map_->Item_List.Count(), items);
    EXPECT_GT(map_->Terrains.Count(), 0);

    // Through the first connection of the start level that may be taken from its source
    // before it was ever used.
    THeld_Item held;
    bool changed = false;
    for (const TModule_Map_Connection& c : module_.Get_Map(module_.Start_Map)->Connections) {
        if (changed || !TMap::In_Map(c.Source_X, c.Source_Y) || c.Connection_Type == 2)
            continue;
        const uint16_t destination = c.Destination_Map;
        changed = Change_Level(game_, current, held, c.Source_X, c.Source_Y);
        if (changed) {
            EXPECT_EQ(module_.Current_Map, destination);
            EXPECT_EQ(map_->Map_File_Name, std::to_string(destination) + ".map");
            EXPECT_EQ(map_->Player()->Name, "Wren");
        }
    }
    EXPECT_TRUE(changed);
    EXPECT_TRUE(display_.Messages.empty());
}

} // namespace
