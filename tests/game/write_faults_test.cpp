// Every way the game writes files, run once for each file change it makes with that
// change failing as on a full disk: the game says it failed, and what was written before
// still loads whole. A run that answers success must have written its files whole.

#include <gtest/gtest.h>

#include <functional>

#include "game/game_support.h"
#include "game/high_scores.h"
#include "game/level_change.h"
#include "platform/files.h"
#include "rules/inventory.h"
#include "shell/options.h"

namespace {

// The file changes the last run with a failure asked for.
int64_t changes_made = 0;

// Runs attempt(n) with the nth file change failing, for n = 1, 2, ... until a run
// needs fewer changes than n, so that every failure point is tried once.
void Every_Failure_Point(const std::function<void(int64_t n)>& attempt) {
    for (int64_t n = 1; n <= 500; ++n) {
        changes_made = 0;
        attempt(n);
        if (::testing::Test::HasFatalFailure() || changes_made < n)
            return;
    }
    ADD_FAILURE() << "the change never completed";
}

// Fails the nth file change while change runs; answers what it answered.
bool With_Failure(int64_t n, const std::function<bool()>& change) {
    Fail_File_Change(n);
    const bool ok = change();
    changes_made = File_Changes_Counted();
    Fail_File_Change(0);
    return ok;
}

TEST(Write_Faults, ASaveIntoASlotOrTheAutosaveKeepsTheLastWholeSave) {
    for (const int32_t slot : {3, 10}) {
        Every_Failure_Point([&](int64_t n) {
            TTest_Game game;
            game.Write_New_Game();
            ASSERT_TRUE(Save_Game_To_Slot(slot, "First", game.Objects));
            game.Player_Creature().Name = "Second";
            game.Display.Messages.clear();
            const bool ok =
                With_Failure(n, [&] { return Save_Game_To_Slot(slot, "Second", game.Objects); });
            // The slot holds one whole save: the new one exactly when it said so.
            const std::string expected = ok ? "Second" : "First";
            EXPECT_EQ(Read_Game_Name(game.Slot_Folder(slot)), expected) << "failing change " << n;
            EXPECT_EQ(game.Display.Messages.empty(), ok) << "failing change " << n;
            ASSERT_TRUE(Load_Game_From_Slot(slot, game.Objects)) << "failing change " << n;
            EXPECT_EQ(game.Player_Creature().Name, ok ? "Second" : "Aldric");
        });
    }
}

TEST(Write_Faults, ALevelChangeThatCannotWriteItsLevelLeavesThePlayerWhereItWas) {
    Every_Failure_Point([&](int64_t n) {
        TTest_Game game;
        game.Write_New_Game();
        THeld_Item held;
        const bool ok = With_Failure(
            n, [&] { return Change_Level(game.Objects, game.Current_Folder(), held, 21, 20); });
        const TMonster& player = game.Player_Creature();
        EXPECT_EQ(game.Map->Display_Name, ok ? "Level Two" : "Level One") << "failing change " << n;
        EXPECT_EQ(game.Display.Messages.empty(), ok) << "failing change " << n;
        const TItem* sword = player.Inventory.Get_In_Slot(6, game.Map->Item_List);
        ASSERT_TRUE(sword) << "failing change " << n;
        EXPECT_EQ(sword->Name, "Sword");
        // Both levels' files still read whole.
        for (const char* level : {"1.map", "2.map"}) {
            TWriteable_Map map;
            EXPECT_TRUE(Read_Map_File(game.Current_Folder() + level, map))
                << level << ", failing change " << n;
        }
    });
}

TEST(Write_Faults, AnExportThatFailsKeepsTheCharacterExportedBefore) {
    Every_Failure_Point([&](int64_t n) {
        TTest_Game game;
        TMonster& player = game.Player_Creature();
        ASSERT_TRUE(Export_Character(player, game.Map->Item_List, false));
        player.Experience = 99999;
        game.Display.Messages.clear();
        const bool ok =
            With_Failure(n, [&] { return Export_Character(player, game.Map->Item_List, false); });
        EXPECT_EQ(game.Display.Messages.empty(), ok) << "failing change " << n;
        TMonster read;
        TItem_List items;
        ASSERT_TRUE(
            Load_Character(read, items, Path_Settings->Get_Characters_Folder() + "Aldric.dat"))
            << "failing change " << n;
        EXPECT_EQ(read.Experience, ok ? 99999 : 1234);
    });
}

TEST(Write_Faults, AHighScoreThatCannotBeSavedIsToldAndTheTableKept) {
    Every_Failure_Point([&](int64_t n) {
        TTest_Game game;
        const std::string file = game.Dir.Path() + "HighScores.dat";
        ASSERT_TRUE(Record_High_Score(file, "Ilse", "Ranger", 500, 3));
        game.Display.Messages.clear();
        With_Failure(n, [&] { return Record_High_Score(file, "Corwen", "Fighter", 900, 5); });
        const bool saved = game.Display.Messages.empty();
        THigh_Scores_List table;
        ASSERT_TRUE(table.Load(file)) << "failing change " << n;
        EXPECT_EQ(table.Get(1)->Name, saved ? "Corwen" : "Ilse") << "failing change " << n;
        EXPECT_EQ(table.Get(2)->Name, saved ? "Ilse" : "");
    });
}

TEST(Write_Faults, OptionsThatCannotBeWrittenKeepTheFileAsItWas) {
    Every_Failure_Point([&](int64_t n) {
        TTemp_Dir dir;
        const std::string file = dir.Path() + "krelvane/options.ini";
        const TMachine_Options before = Machine_Options;
        Machine_Options.Game_Speed_Modified_Percent = 80;
        ASSERT_TRUE(Write_Machine_Options(file));
        Machine_Options.Game_Speed_Modified_Percent = 140;
        const bool ok = With_Failure(n, [&] { return Write_Machine_Options(file); });
        Machine_Options = TMachine_Options();
        ASSERT_TRUE(Read_Machine_Options(file)) << "failing change " << n;
        EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, ok ? 140 : 80)
            << "failing change " << n;
        Machine_Options = before;
    });
}

} // namespace
