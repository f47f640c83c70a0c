#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "datafiles/data_file_errors.h"
#include "generation/level_population.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/value_stream.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

// The default module of the content folder, created into a temporary current-game
// folder with a fixed seed.
class Default_Module : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        // The game folder is set after the structures exist, so no log is written
        // into the content folder.
        Create_Primary_Global_Structs();
        Game_Settings->Generate_Debug_Log = false;
        App_Dir = KV_FIXTURES_DIR "/../../content/";
        ASSERT_TRUE(Path_Settings->Set_Module("Hollowmere\\"));
        ASSERT_TRUE(Load_Display_Effects(Path_Settings->Get_Effects_File()).Ok());
        ASSERT_TRUE(Load_Master_Spells(Path_Settings->Get_Spells_File()).Ok());
        ASSERT_TRUE(Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class_).Ok());
        options_.Current_Game_Folder = game_.Path() + "CurrGame/";
        options_.Seed = 20261206;
    }
    void TearDown() override {
        Display_Effects = TDisplay_Effect_List();
        Master_Spells.Clear();
        App_Dir.clear();
        Reset_Shell_Globals();
    }

    bool create(TModule_Creation_Result& result, TWriteable_Module& module) {
        auto map = std::make_unique<TWriteable_Map>();
        return Create_Module(
            module_class_, module, *map, options_, result,
            [this](int32_t percent, const std::string&) { progress_.push_back(percent); });
    }

    std::unique_ptr<TWriteable_Map> load_map(uint32_t n) {
        auto map = std::make_unique<TWriteable_Map>();
        TValue_Reader reader;
        EXPECT_TRUE(
            reader.Load_From_File(options_.Current_Game_Folder + std::to_string(n) + ".map"));
        EXPECT_EQ(reader.Read_Version(), Current_Save_Version);
        map->Load(reader);
        return map;
    }

    // Each error list shown, as heading, file, ": " and its first message.
    std::vector<std::string> shown() const {
        std::vector<std::string> lines;
        for (const auto& list : messages_.Error_Lists)
            lines.push_back(list.Heading + list.File + ": " + list.Messages.front());
        return lines;
    }

    TTemp_Dir game_;
    TModule_Class module_class_;
    TModule_Creation_Options options_;
    std::vector<int32_t> progress_;
    TMessages_Recorder messages_;
    TScoped_Services use_{{.Messages = &messages_}};
};

TEST_F(Default_Module, EveryLevelIsDugPopulatedConnectedAndWritten) {
    TModule_Creation_Result result;
    TWriteable_Module module;
    ASSERT_TRUE(create(result, module)) << (result.Errors.empty() ? "" : result.Errors.front());
    EXPECT_TRUE(shown().empty()) << shown().front();
    ASSERT_EQ(result.Maps.size(), module_class_.Map_Count);
    EXPECT_EQ(progress_.front(), 0);
    EXPECT_EQ(progress_.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress_.begin(), progress_.end()));

    // The town has its stores; the dungeon levels below it are fully furnished.
    EXPECT_EQ(result.Maps[0].Counts.Stores, 3);
    for (const TMap_Creation_Report& line : result.Maps) {
        if (line.Map_Number == 1)
            continue;
        EXPECT_GT(line.Counts.Monsters, 0) << line.Name;
        EXPECT_GT(line.Counts.Items, 0) << line.Name;
        EXPECT_GT(line.Counts.Chests, 0) << line.Name;
        EXPECT_GT(line.Counts.Traps, 0) << line.Name;
        EXPECT_EQ(line.Counts.Stores, 0) << line.Name;
        EXPECT_GT(line.Cells_Used, 0) << line.Name;
    }

    // The module file reads back with the start on an entrance of its map, every
    // connection resolved at both ends to entrance squares of the written levels.
    TWriteable_Module written;
    ASSERT_TRUE(Read_Module_File(options_.Current_Game_Folder + "Module.mod", written));
    EXPECT_EQ(written.Name, module_class_.Name);
    EXPECT_EQ(written.Start_Map, module_class_.Starting_Map_Number);
    EXPECT_EQ(written.Current_Map, written.Start_Map);
    std::vector<std::unique_ptr<TWriteable_Map>> maps;
    for (uint32_t n = 1; n <= module_class_.Map_Count; ++n) {
        maps.push_back(load_map(n));
        EXPECT_EQ(maps.back()->Display_Name, module_class_.Get_Map(n)->Display_Name);
        EXPECT_EQ(maps.back()->Universal_Light, module_class_.Get_Map(n)->Universal_Light);
        EXPECT_EQ(static_cast<int32_t>(maps.back()->Stores.size()),
                  result.Maps[n - 1].Counts.Stores);
    }
    EXPECT_TRUE(TMap::In_Map(written.Start_X, written.Start_Y));
    for (int32_t m = 1; m <= written.Map_Count(); ++m)
        for (const TModule_Map_Connection& c : written.Get_Map(m)->Connections) {
            ASSERT_GE(c.Destination_Map, 1);
            ASSERT_LE(c.Destination_Map, written.Map_Count());
            EXPECT_TRUE(
                maps[static_cast<size_t>(m - 1)]->Get_Square(c.Source_X, c.Source_Y)->Is_Entrance())
                << "map " << m << " connection " << c.Number;
            EXPECT_TRUE(maps[c.Destination_Map - 1u]->Get_Square(c.Dest_X, c.Dest_Y)->Is_Entrance())
                << "map " << m << " connection " << c.Number;
        }
}

TEST_F(Default_Module, TheSameSeedMakesTheSameModule) {
    TModule_Creation_Result first, second;
    TWriteable_Module module_a, module_b;
    ASSERT_TRUE(create(first, module_a));
    std::string level_two;
    ASSERT_TRUE(Read_Whole_File(options_.Current_Game_Folder + "2.map", level_two));
    ASSERT_TRUE(create(second, module_b));
    std::string again;
    ASSERT_TRUE(Read_Whole_File(options_.Current_Game_Folder + "2.map", again));
    EXPECT_EQ(level_two, again);
    EXPECT_EQ(module_a.Start_X, module_b.Start_X);
    EXPECT_EQ(module_a.Start_Y, module_b.Start_Y);
}

TEST_F(Default_Module, AStartMapThatIsNotAmongTheMapsMakesNothing) {
    module_class_.Starting_Map_Number = 7;
    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_FALSE(create(result, module));
    ASSERT_FALSE(result.Errors.empty());
    EXPECT_EQ(result.Errors.front(), "Cannot find module starting position.");
    EXPECT_FALSE(File_Exists(options_.Current_Game_Folder + "module.mod"));
    EXPECT_FALSE(File_Exists(options_.Current_Game_Folder + "1.map"));
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().back().rfind("Errors creating module: ", 0), 0u);
}

TEST_F(Default_Module, AMapCountedButNotDefinedIsReportedInsteadOfRead) {
    module_class_.Maps.pop_back();
    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_FALSE(create(result, module));
    ASSERT_FALSE(result.Errors.empty());
    EXPECT_EQ(result.Errors.front(), "Map " + std::to_string(module_class_.Map_Count) +
                                         " is missing from the module definition.");
    EXPECT_FALSE(File_Exists(options_.Current_Game_Folder + "module.mod"));
}

TEST_F(Default_Module, AMissingStartEntranceIsReportedAndNoModuleFileIsWritten) {
    module_class_.Starting_Map_Entrance_ID = 77;
    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_FALSE(create(result, module));
    EXPECT_NE(std::find(result.Errors.begin(), result.Errors.end(),
                        "Cannot find module starting position."),
              result.Errors.end());
    // The first map still failed, so no map after it was made.
    EXPECT_EQ(result.Maps.size(), 1u);
    EXPECT_FALSE(File_Exists(options_.Current_Game_Folder + "module.mod"));
}

TEST_F(Default_Module, ALevelThatCannotBeWrittenStopsTheCreation) {
    // A file standing where the current-game folder should be: nothing can be written.
    const std::string blocked = game_.Write("Blocked", "not a folder");
    options_.Current_Game_Folder = blocked + "/";
    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_FALSE(create(result, module));
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_EQ(result.Errors.front(),
              "Unable to save module file \"" + options_.Current_Game_Folder + "1.map\".");
    EXPECT_EQ(result.Maps.size(), 1u);
}

TEST_F(Default_Module, EveryFailedWriteStopsTheCreationWithoutAModuleFile) {
    // Each file change of a creation, failing in turn as on a full disk: the creation
    // says so and leaves no module file, so no half-made adventure can be started.
    for (int64_t n = 1;; ++n) {
        ASSERT_LT(n, 100);
        Delete_Folder(options_.Current_Game_Folder);
        TModule_Creation_Result result;
        TWriteable_Module module;
        Fail_File_Change(n);
        const bool ok = create(result, module);
        const int64_t changes = File_Changes_Counted();
        Fail_File_Change(0);
        const bool written = File_Exists(options_.Current_Game_Folder + "module.mod");
        if (changes < n) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(written);
            break;
        }
        EXPECT_EQ(ok, written) << "failing change " << n;
        EXPECT_EQ(result.Errors.empty(), ok) << "failing change " << n;
    }
}

TEST_F(Default_Module, AMissingTileFileStopsTheCreationWithoutDigging) {
    module_class_.Maps[1].Tiles_Filename = "No_Such_Tiles.txt";
    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_FALSE(create(result, module));
    EXPECT_EQ(result.Maps.size(), 2u);
    EXPECT_TRUE(File_Exists(options_.Current_Game_Folder + "1.map"));
    EXPECT_FALSE(File_Exists(options_.Current_Game_Folder + "3.map"));
    EXPECT_EQ(result.Maps[1].Cells_Used, 0);
}

TEST_F(Default_Module, ATerrainFileWithAReportedFaultStillDigsItsLevel) {
    // A copy of the content whose town terrain misses one description.
    const std::string copy = game_.Path() + "content";
    std::filesystem::copy(KV_FIXTURES_DIR "/../../content", copy,
                          std::filesystem::copy_options::recursive);
    const std::string terrain = copy + "/Modules/Hollowmere/Tiles/Town_Terrain.txt";
    std::ifstream in(terrain);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string line = "Description := Nothing but marsh grass.";
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find('\n', at) + 1 - at);
    std::ofstream(terrain) << text;
    App_Dir = copy + "/";
    ASSERT_TRUE(Path_Settings->Set_Module("Hollowmere\\"));

    TModule_Creation_Result result;
    TWriteable_Module module;
    EXPECT_TRUE(create(result, module)) << (result.Errors.empty() ? "" : result.Errors.front());
    // The terrain loader showed its fault; the level was dug all the same.
    ASSERT_FALSE(shown().empty());
    EXPECT_NE(shown().front().find("Could not find field \"Description\""), std::string::npos);
    ASSERT_FALSE(result.Maps.empty());
    EXPECT_GT(result.Maps.front().Cells_Used, 0);
}

TEST(Population_Settings, DifficultyAndStartLevelRaiseTheRangesWithoutWrapping) {
    TModule_Map_Class map_class;
    map_class.Min_Monsters = 4;
    map_class.Max_Monsters = 65000;
    map_class.Monsters_Increase_Per_Difficulty = 1000;
    map_class.Min_Monster_Groups = 1;
    map_class.Max_Monster_Groups = 2;
    map_class.Groups_Increase_Per_Difficulty = 3;
    map_class.Chance_Monster_Modifier = 10;
    map_class.Difficulty_Monster_Modifier_Increase = 5;
    map_class.Item_Level_Min = 2;
    map_class.Item_Level_Max = 4;
    map_class.Monster_Level_Min = 1;
    map_class.Monster_Level_Max = 3;

    const TPopulation_Settings hard = Compute_Population_Settings(map_class, 4, 0);
    EXPECT_EQ(hard.Monsters_Min, 2004);
    EXPECT_EQ(hard.Monsters_Max, 65535);
    EXPECT_EQ(hard.Groups_Min, 7);
    EXPECT_EQ(hard.Groups_Max, 8);
    EXPECT_EQ(hard.Modifier_Chance, 20);
    EXPECT_EQ(hard.Item_Level_Min, 2);

    // Difficulty 1 and 2 change nothing; a character of level 5 lifts every level by 4.
    const TPopulation_Settings easy = Compute_Population_Settings(map_class, 1, 5);
    EXPECT_EQ(easy.Monsters_Min, 4);
    EXPECT_EQ(easy.Modifier_Chance, 10);
    EXPECT_EQ(easy.Item_Level_Min, 6);
    EXPECT_EQ(easy.Item_Level_Max, 8);
    EXPECT_EQ(easy.Monster_Level_Min, 5);
    EXPECT_EQ(easy.Monster_Level_Max, 7);

    // An inverted range is a data error: the minimum is used.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Population_Count(10, 5), 10);
}

} // namespace
