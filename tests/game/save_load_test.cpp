#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "datafiles/data_file_errors.h"
#include "game/game_support.h"
#include "platform/files.h"
#include "rules/inventory.h"
#include "shell/value_stream.h"
#include "support/fake_services.h"

namespace {

// Every file of a folder with its bytes, to show that a failed load touched nothing.
std::vector<std::pair<std::string, std::string>> folder_bytes(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& name : List_Files(folder)) {
        std::string bytes;
        Read_Whole_File(folder + name, bytes);
        files.emplace_back(name, bytes);
    }
    return files;
}

class Saved_Games : public ::testing::Test {
  protected:
    void SetUp() override { game.Write_New_Game(); }
    TTest_Game game;
};

TEST_F(Saved_Games, AWholeGameComesBackFromItsSlot) {
    ASSERT_TRUE(game.Objects.Map.Player());
    ASSERT_TRUE(Save_Game_To_Slot(3, "Before the crypt", game.Objects));
    // The busy pointer stays for the whole save, not only for its first part.
    EXPECT_EQ(game.Display.Busy_Changes, (std::vector<bool>{true, false}));
    EXPECT_EQ(game.Display.Remembered_Slot, 3);
    EXPECT_EQ(Read_Game_Name(game.Slot_Folder(3)), "Before the crypt");
    EXPECT_TRUE(File_Exists(game.Slot_Folder(3) + "2.map")); // the other level goes too

    // Play on, then load: everything is as saved.
    game.Player_Creature().Name = "Changed";
    game.Map->Monster_List.Delete_Creature(game.Rat);
    game.Module.Name = "Changed";
    game.Options.Difficulty = 1;
    game.Display.Busy_Changes.clear();
    ASSERT_TRUE(Load_Game_From_Slot(3, game.Objects));
    EXPECT_EQ(game.Display.Busy_Changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(game.Display.Messages.empty());
    EXPECT_EQ(game.Display.Reloads, 1);

    const TMonster& player = game.Player_Creature();
    EXPECT_EQ(player.Name, "Aldric");
    EXPECT_EQ(player.X, 20);
    EXPECT_EQ(player.Experience, 1234);
    EXPECT_EQ(player.Inventory.Get_Number_In_Slot(6, game.Map->Item_List), game.Sword);
    EXPECT_EQ(game.Map->Item_List.Get(game.Sword)->Name, "Sword");
    EXPECT_EQ(game.Map->Item_List.Get(game.Potion)->Name, "Potion");
    ASSERT_TRUE(game.Map->Monster_List.Get(game.Rat));
    EXPECT_EQ(game.Map->Get_Square(30, 31)->Monster, game.Rat);
    EXPECT_EQ(game.Map->Get_Square(25, 25)->Item, game.Floor_Item);
    EXPECT_EQ(game.Map->Terrains.Count(), 2);
    EXPECT_EQ(game.Map->Map_File_Name, "1.map");
    EXPECT_EQ(game.Module.Name, "Test Adventure");
    EXPECT_EQ(game.Module.Maps.size(), 2u);
    EXPECT_EQ(game.Module.Maps[0].Connections.at(0).Dest_X, 50);
    EXPECT_EQ(game.Options.Difficulty, 3);
    EXPECT_EQ(game.Options.Equipment_Sets[0].First_Hand_Id, game.Sword);
    EXPECT_EQ(Path_Settings->Get_Module_Name(), "Test\\");
    EXPECT_FALSE(Folder_Exists(game.Dir.Path() + "CurrGame.old"));
    EXPECT_FALSE(Folder_Exists(game.Dir.Path() + "Savegames/slot03.new"));

    // A swap cut short between its two renames leaves the slot under its old name.
    ASSERT_TRUE(Rename_File(game.Slot_Folder(3), game.Dir.Path() + "Savegames/slot03.old"));
    EXPECT_TRUE(Load_Game_From_Slot(3, game.Objects));
}

TEST_F(Saved_Games, ASaveThatFailsPartWayKeepsThePreviousSlot) {
    ASSERT_TRUE(Save_Game_To_Slot(2, "First", game.Objects));
    game.Display.Remembered_Slot = 0;

    // A creature with more talk topics than a list can hold cannot be written.
    game.Player_Creature().Name = "Second";
    game.Player_Creature().Talk_Topic_Names.assign(70000, "x");
    EXPECT_FALSE(Save_Game_To_Slot(2, "Second", game.Objects));
    ASSERT_EQ(game.Display.Messages.size(), 1u);
    EXPECT_EQ(game.Display.Messages[0],
              "Error: Unable to save game file \"" + game.Current_Folder() + "\\module.mod\".");
    EXPECT_EQ(game.Display.Remembered_Slot, 0);
    // Nor did the current-game header change: it still names the last whole save.
    EXPECT_EQ(Read_Game_Name(game.Current_Folder()), "First");

    game.Player_Creature().Talk_Topic_Names.clear();
    EXPECT_EQ(Read_Game_Name(game.Slot_Folder(2)), "First");
    ASSERT_TRUE(Load_Game_From_Slot(2, game.Objects));
    EXPECT_EQ(game.Player_Creature().Name, "Aldric");
}

TEST_F(Saved_Games, ASaveThatCannotBeMadeWhollyIsReported) {
    // The save-game folder cannot be made: a file stands in its place.
    game.Dir.Write("Savegames", "not a folder");
    EXPECT_FALSE(Save_Game_To_Slot(1, "Nowhere", game.Objects));
    EXPECT_EQ(
        game.Display.Messages,
        (std::vector<std::string>{"Error: Unable to copy files from \"" + game.Current_Folder() +
                                  "\" to \"" + game.Slot_Folder(1) + "\"."}));
    EXPECT_EQ(game.Display.Remembered_Slot, 0);

    // Without a module the game could never be loaded again: that is no save either.
    Delete_File(game.Dir.Path() + "Savegames");
    Path_Settings->Set_Module("");
    game.Display.Messages.clear();
    EXPECT_FALSE(Save_Game_To_Slot(1, "No module", game.Objects));
    EXPECT_EQ(game.Display.Messages.size(), 1u);
    EXPECT_FALSE(Folder_Exists(game.Slot_Folder(1)));
    EXPECT_EQ(game.Display.Remembered_Slot, 0);
}

TEST_F(Saved_Games, ADamagedOrEmptySlotChangesNothing) {
    ASSERT_TRUE(Save_Game_To_Slot(4, "Good", game.Objects));
    game.Player_Creature().Name = "Playing on";

    struct TCase {
        const char* what;
        std::function<void(const std::string& slot)> damage;
    } cases[] = {
        {"an empty slot", [](const std::string& slot) { Delete_Folder(slot); }},
        {"a truncated level",
         [](const std::string& slot) {
             std::string bytes;
             Read_Whole_File(slot + "1.map", bytes);
             Write_File_Atomic(slot + "1.map", bytes.substr(0, bytes.size() / 2));
         }},
        {"a corrupted module",
         [](const std::string& slot) {
             std::string bytes;
             Read_Whole_File(slot + "module.mod", bytes);
             bytes[6] = 77; // the tag of the module name
             Write_File_Atomic(slot + "module.mod", bytes);
         }},
        {"a missing level", [](const std::string& slot) { Delete_File(slot + "1.map"); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(Save_Game_To_Slot(5, "Good", game.Objects));
        c.damage(game.Slot_Folder(5));
        const auto before = folder_bytes(game.Current_Folder());
        game.Display.Messages.clear();
        EXPECT_FALSE(Load_Game_From_Slot(5, game.Objects));
        ASSERT_EQ(game.Display.Messages.size(), 1u);
        EXPECT_EQ(game.Display.Messages[0],
                  "Error: Unable to load game file \"" + game.Slot_Folder(5) + "game.id\".");
        EXPECT_EQ(game.Player_Creature().Name, "Playing on");
        EXPECT_EQ(folder_bytes(game.Current_Folder()), before);
    }
    EXPECT_EQ(game.Display.Reloads, 0);
    // Slot numbers outside 1..10 touch nothing.
    EXPECT_FALSE(Load_Game_From_Slot(0, game.Objects));
    EXPECT_FALSE(Save_Game_To_Slot(11, "x", game.Objects));
    EXPECT_FALSE(Folder_Exists(game.Dir.Path() + "Savegames/slot00"));
}

// A header written by hand, to give the loader names and numbers it must refuse.
void write_header(const std::string& folder, const std::string& map_file, uint16_t player,
                  const std::string& module_name) {
    TValue_Writer w;
    w.Write_String("Hand made");
    w.Write_String("1.06");
    w.Write_String(map_file);
    w.Write_String("module.mod");
    w.Write_Word(player);
    w.Write_String(module_name);
    TGame_Options().Save(w);
    ASSERT_TRUE(w.Save_To_File(folder + "game.id"));
}

TEST_F(Saved_Games, NamesAndNumbersFromTheHeaderAreChecked) {
    const std::string folder = game.Current_Folder();
    write_header(folder, "1.map", game.Player, "Test\\");
    TGame_Header header;
    ASSERT_TRUE(Read_Game_Header(folder, header));
    EXPECT_EQ(header.Player_Number, game.Player);

    for (auto [map_file, player, module] :
         {std::tuple<std::string, uint16_t, std::string>{"1.map", 999, "Test\\"},
          {"..\\..\\1.map", game.Player, "Test\\"},
          {"1.map", game.Player, "..\\..\\"},
          {"1.map", game.Player, "Missing\\"}}) {
        SCOPED_TRACE(map_file + " " + module + " " + std::to_string(player));
        write_header(folder, map_file, player, module);
        game.Display.Messages.clear();
        EXPECT_FALSE(Load_Game(folder, game.Objects));
        EXPECT_EQ(game.Display.Messages.size(), 1u);
        EXPECT_EQ(game.Player_Creature().Name, "Aldric");
    }
    Delete_File(folder + "game.id");
    EXPECT_FALSE(Load_Game(folder, game.Objects));
    EXPECT_EQ(game.Display.Messages.back(),
              "Error: Unable to load game file \"" + folder + "game.id\".");
    EXPECT_EQ(Read_Game_Name(folder), "");
}

TEST_F(Saved_Games, TheModuleFileBringsTheStartLevelAndPlacesTheCharacter) {
    TWriteable_Module module;
    auto map = std::make_unique<TWriteable_Map>();
    TMonster hero;
    hero.Name = "Newcomer";
    hero.Class_Number = 1;
    hero.Inventory.Put_In_Slot(1, 6, game.Map->Item_List); // numbers of another list
    // The old player (number 1) still stands on the start square in the written level.
    ASSERT_TRUE(Load_Module_File(game.Current_Folder(), "Module.mod", module, true, *map, &hero));
    EXPECT_EQ(module.Folder, game.Current_Folder());
    EXPECT_EQ(module.File_Name, "Module.mod");
    const TMonster* player = map->Player();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Name, "Newcomer");
    EXPECT_EQ(player->Inventory.Count(), 0);
    EXPECT_NE(map->Get_Square(20, 20)->Monster, map->Player_Number);
    EXPECT_EQ(map->Get_Square(player->X, player->Y)->Monster, map->Player_Number);
    EXPECT_LE(TMap::Square_Distance(player->X, player->Y, 20, 20), 1);

    // Without a character the test hero comes; a missing start level fails and
    // leaves the module alone.
    ASSERT_TRUE(Load_Module_File(game.Current_Folder(), "module.mod", module, true, *map, nullptr));
    EXPECT_EQ(map->Player()->Name, "John Hero");
    EXPECT_EQ(map->Player()->Gold, 1000);
    Delete_File(game.Current_Folder() + "1.map");
    module.Name = "Kept";
    EXPECT_FALSE(Load_Module_File(game.Current_Folder(), "module.mod", module, true, *map, &hero));
    EXPECT_EQ(module.Name, "Kept");
    EXPECT_EQ(game.Display.Messages.back(),
              "Error: Unable to load map file \"" + game.Current_Folder() + "1.map\".");
}

TEST_F(Saved_Games, ResumingNeedsASavedSlot) {
    const std::string before = game.Dir.Read("CurrGame/1.map");
    for (int32_t slot : {0, -1, 123, 7}) { // slot 7 was never saved into
        Machine_Options.Last_Saved_Game_Slot = slot;
        game.Display.Messages.clear();
        EXPECT_FALSE(Resume_Game(game.Objects));
        EXPECT_EQ(game.Display.Messages,
                  (std::vector<std::string>{"Resume: There is no saved game to resume. Please "
                                            "use Load Game."}));
    }
    EXPECT_EQ(game.Dir.Read("CurrGame/1.map"), before);
    EXPECT_FALSE(Folder_Exists(game.Dir.Path() + "Savegames/slot00"));
    ASSERT_TRUE(Save_Game_To_Slot(7, "Seven", game.Objects));
    game.Player_Creature().Name = "Changed";
    // The program stopped between the two renames of the slot swap.
    ASSERT_TRUE(Rename_File(game.Slot_Folder(7), game.Dir.Path() + "Savegames/slot07.old"));
    EXPECT_TRUE(Resume_Game(game.Objects));
    EXPECT_EQ(game.Player_Creature().Name, "Aldric");
    Machine_Options = TMachine_Options();
}

TEST_F(Saved_Games, ALevelWithoutItsTerrainFileDoesNotLoad) {
    TQuiet_Messages quiet;
    const TScoped_Services use({.Messages = &quiet});
    Delete_File(game.Dir.Path() + "Modules/Test/Tiles/Terrain.txt");
    auto map = std::make_unique<TWriteable_Map>();
    EXPECT_FALSE(Load_Map(*map, game.Current_Folder() + "2.map", false));
    EXPECT_EQ(game.Display.Messages.back(),
              "Error: Unable to load map file \"" + game.Current_Folder() + "2.map\".");
}

} // namespace
