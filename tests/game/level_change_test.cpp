#include <gtest/gtest.h>

#include "game/game_support.h"
#include "game/level_change.h"
#include "platform/files.h"
#include "rules/inventory.h"

namespace {

class Level_Change : public ::testing::Test {
  protected:
    void SetUp() override {
        game.Write_New_Game();
        follower = TTest_Game::Add_Creature(*game.Map, "Hound", 22, 21, 0);
        game.Map->Monster_List.Get(follower)->Leader = game.Player;
        TTest_Game::Give(*game.Map, follower, "Collar", 2);
        torch = game.Map->Item_List.Add(TTest_Game::Named_Item("Torch"));
        held.Hold(torch);
    }
    std::string level_file(int n) const {
        return game.Current_Folder() + std::to_string(n) + ".map";
    }
    TTest_Game game;
    THeld_Item held;
    uint16_t follower = 0, torch = 0;
};

TEST_F(Level_Change, ThePlayerItsItemsAndItsFollowersArriveTogether) {
    ASSERT_TRUE(Change_Level(game.Objects, game.Current_Folder(), held, 21, 20));
    TWriteable_Map& map = *game.Map;
    EXPECT_EQ(map.Display_Name, "Level Two");
    const TMonster& player = game.Player_Creature();
    EXPECT_EQ(player.Name, "Aldric");
    // The bat on the arrival square keeps it; the player stands beside it.
    ASSERT_TRUE(map.Monster_List.Get(1));
    EXPECT_EQ(map.Monster_List.Get(1)->Name, "Bat");
    EXPECT_EQ(map.Get_Square(50, 50)->Monster, 1);
    EXPECT_EQ(map.Get_Square(player.X, player.Y)->Monster, map.Player_Number);
    EXPECT_LE(TMap::Square_Distance(player.X, player.Y, 50, 50), 1);

    const TItem* sword = player.Inventory.Get_In_Slot(6, map.Item_List);
    ASSERT_TRUE(sword);
    EXPECT_EQ(sword->Name, "Sword");
    EXPECT_EQ(player.Inventory.Get_In_Slot(12, map.Item_List)->Name, "Potion");
    EXPECT_EQ(game.Options.Equipment_Sets[0].First_Hand_Id, sword->Number);
    ASSERT_TRUE(map.Item_List.Get(held.Peek_Held()));
    EXPECT_EQ(map.Item_List.Get(held.Peek_Held())->Name, "Torch");
    EXPECT_EQ(game.Options.Map_Entry_Level, 4);

    int followers = 0;
    for (int32_t n = 1; n <= map.Monster_List.Count(); ++n)
        if (const TMonster* c = map.Monster_List.Get(n); c && c->Name == "Hound") {
            ++followers;
            EXPECT_EQ(c->Leader, map.Player_Number);
            EXPECT_EQ(c->Inventory.Get_In_Slot(2, map.Item_List)->Name, "Collar");
            EXPECT_EQ(map.Get_Square(c->X, c->Y)->Monster, n);
        }
    EXPECT_EQ(followers, 1);
    EXPECT_EQ(game.Module.Current_Map, 2);
    EXPECT_EQ(game.Module.Current_X, player.X);
    EXPECT_TRUE(game.Module.Maps[0].Connections[0].Used);

    // The level left behind was written without the travellers and their things.
    auto left = std::make_unique<TWriteable_Map>();
    ASSERT_TRUE(Read_Map_File(level_file(1), *left));
    EXPECT_EQ(left->Get_Square(20, 20)->Monster, 0);
    EXPECT_EQ(left->Get_Square(22, 21)->Monster, 0);
    EXPECT_EQ(left->Get_Square(30, 31)->Monster, game.Rat);
    EXPECT_FALSE(left->Item_List.Get(game.Sword));
    EXPECT_FALSE(left->Item_List.Get(torch));
    EXPECT_TRUE(left->Item_List.Get(game.Floor_Item));
}

TEST_F(Level_Change, AnInventoryEntryNamingNoItemIsNotCarriedAcross) {
    // The potion is gone from the list while its slot still names it: on the new level
    // that number would be the hound's collar.
    game.Map->Item_List.Delete_Item(game.Potion);
    ASSERT_TRUE(Change_Level(game.Objects, game.Current_Folder(), held, 21, 20));
    const TMonster& player = game.Player_Creature();
    EXPECT_EQ(player.Inventory.Get_In_Slot(12, game.Map->Item_List), nullptr);
    EXPECT_EQ(player.Inventory.Count(), 1);
    EXPECT_EQ(player.Inventory.Get_In_Slot(6, game.Map->Item_List)->Name, "Sword");
}

TEST_F(Level_Change, AFailedChangeLeavesThePlayerWhereItWas) {
    std::string level_one;
    Read_Whole_File(level_file(1), level_one);
    // No connection here: nothing happens and nothing is written.
    EXPECT_FALSE(Change_Level(game.Objects, game.Current_Folder(), held, 100, 100));
    EXPECT_TRUE(game.Display.Messages.empty());
    std::string after;
    Read_Whole_File(level_file(1), after);
    EXPECT_EQ(after, level_one);

    // A destination level that cannot be read.
    Delete_File(level_file(2));
    EXPECT_FALSE(Change_Level(game.Objects, game.Current_Folder(), held, 21, 20));
    ASSERT_EQ(game.Display.Messages.size(), 1u);
    EXPECT_EQ(game.Display.Messages[0],
              "Error: Unable to load map file \"" + level_file(2) + "\".");
    EXPECT_EQ(game.Map->Display_Name, "Level One");
    EXPECT_EQ(game.Player_Creature().Name, "Aldric");
    EXPECT_EQ(game.Player_Creature().Inventory.Get_Number_In_Slot(6, game.Map->Item_List),
              game.Sword);
    EXPECT_EQ(held.Peek_Held(), torch);
    EXPECT_EQ(game.Module.Current_Map, 1);
    EXPECT_FALSE(game.Module.Maps[0].Connections[0].Used);
}

} // namespace
