// The in-game dialogs on a small level of their own: what they offer, what their
// buttons and keys answer, and what they refuse to do with damaged or missing data.

#include <gtest/gtest.h>

#include "game/dlg_conversation.h"
#include "game/dlg_dead.h"
#include "game/dlg_high_scores.h"
#include "game/dlg_module_text.h"
#include "game/dlg_quests.h"
#include "game/dlg_statistics.h"
#include "game/dlg_talk.h"
#include "game/high_scores.h"
#include "platform/files.h"
#include "presentation/graphics.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "support/temp_dir.h"
#include "world/map.h"
#include "world/module.h"
#include "world/store.h"

namespace {

class Info_Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        fg_vbinit();
        fg_vballoc(Screen_Width, Screen_Height);
        Current_Map = std::make_unique<TWriteable_Map>();
        Current_Module = std::make_unique<TWriteable_Module>();
        TMonster hero;
        hero.Name = "Wren";
        hero.Class_Number = 1;
        hero.Base_Strength = hero.Base_Intelligence = hero.Base_Dexterity = hero.Base_Constitution =
            10;
        Current_Map->Player_Number = Current_Map->Monster_List.Add(hero);
        Current_Map->Make_Current();
    }
    void TearDown() override {
        Set_Creature_World(nullptr);
        Current_Map.reset();
        Current_Module.reset();
        Graphics_Shutdown();
        Reset_Shell_Globals();
    }
    TCreature_Ref Add(const TMonster& creature) {
        return Creature_Ref(Current_Map->Monster_List, Current_Map->Monster_List.Add(creature));
    }
    static std::vector<std::string> Captions(const TDC_Dlg_Talk& talk) {
        std::vector<std::string> out;
        for (const TDC_Text_Button* b : talk.f_Buttons)
            out.push_back(b->f_Caption);
        return out;
    }
    TMonster& Hero() { return *Current_Map->Player(); }

    TTemp_Dir dir_;
};

TEST_F(Info_Dialogs, TheTalkMenuOffersWhatTheCreatureDoesAndEscapeCancels) {
    TMonster smith;
    smith.Name = "Smith";
    smith.Store_Number = Current_Map->Add_Store(TStore());
    TDC_Dlg_Talk talk;
    talk.Set_Creature(Add(smith));
    EXPECT_EQ(Captions(talk), (std::vector<std::string>{"Purchase Items", "", "", "", "Cancel"}));
    talk.Press(2); // empty: nothing
    EXPECT_FALSE(talk.f_Kill);
    uint16_t escape = VK_ESCAPE;
    talk.Handle_KeyDown(escape, 0);
    EXPECT_TRUE(talk.f_Kill);
    EXPECT_EQ(talk.f_Result, 0);

    smith.Talk_Topic_Names = {"Weather"};
    smith.Can_Be_Given_Items = true;
    TDC_Dlg_Talk all;
    all.Set_Creature(Add(smith));
    EXPECT_EQ(Captions(all),
              (std::vector<std::string>{"Talk", "Purchase Items", "Give Items", "", "Cancel"}));
    all.Press(3);
    EXPECT_EQ(all.f_Result, 3);
    all.Press(1); // already closing: the first choice stands
    EXPECT_EQ(all.f_Result, 3);

    TDC_Dlg_Talk gone;
    gone.Set_Creature(TCreature_Ref());
    EXPECT_EQ(Captions(gone), (std::vector<std::string>{"", "", "", "", "Cancel"}));
}

TEST_F(Info_Dialogs, AConversationAnswersEachTopicAndNothingForAMissingAnswer) {
    TMonster elder;
    elder.Name = "Elder";
    elder.Talk_Topic_Names = {"Bell", "Mere", "Rumours"};
    elder.Talk_Topic_Texts = {"It is silent.", "It is deep."};
    TDC_Dlg_Conversation talk;
    talk.Set_Creature(Add(elder));
    EXPECT_EQ(talk.f_Heading, "Conversation with Elder");
    EXPECT_EQ(talk.f_Topic_List->f_Items, elder.Talk_Topic_Names);
    talk.Choose_Topic(2);
    EXPECT_EQ(talk.f_Answer, "It is deep.");
    talk.Choose_Topic(3);
    EXPECT_EQ(talk.f_Answer, "");
    talk.Choose_Topic(9);
    EXPECT_EQ(talk.f_Answer, "");

    TDC_Dlg_Conversation nobody;
    nobody.Set_Creature(TCreature_Ref());
    EXPECT_EQ(nobody.f_Heading, "");
    EXPECT_TRUE(nobody.f_Topic_List->f_Items.empty());
}

TEST_F(Info_Dialogs, TheQuestLogListsGivenQuestsInOrderAndReadsTheNews) {
    for (int n = 1; n <= 4; ++n) {
        TModule_Quest quest;
        quest.Description = "Quest " + std::to_string(n);
        quest.Visible = n != 2;
        quest.Completed = n == 3;
        Current_Module->Quests.Quests.push_back(quest);
    }
    Hero().Quest_Value = 1;
    TDC_Dlg_Quests log;
    EXPECT_EQ(log.Rows(), (std::vector<int32_t>{1, 3, 4}));
    EXPECT_EQ(Hero().Quest_Value, 0);
}

TEST_F(Info_Dialogs, StatPointsAreSpentOneAClickAndNeverBelowZero) {
    Hero().Characteristic_Points = 1;
    Hero().Recalculate();
    TDC_Dlg_Statistics stats;
    EXPECT_TRUE(stats.f_Plus_Buttons[0]->f_Visible);
    EXPECT_EQ(stats.Points_Text(), "You have 1 stat points remaining.");
    const uint16_t dexterity = Hero().Dexterity;
    // Two clicks before the next drawing hides the buttons.
    stats.Spend_Point(3);
    stats.Spend_Point(3);
    EXPECT_EQ(Hero().Characteristic_Points, 0);
    EXPECT_EQ(Hero().Dexterity, dexterity + 1);
    EXPECT_FALSE(stats.f_Plus_Buttons[0]->f_Visible);
    EXPECT_EQ(stats.Points_Text(), "");

    // A class without mana: "0 / 0" and 0 %, never a division by zero.
    Hero().Mana = 0;
    Hero().Maximum_Mana = 0;
    Hero().Health = 5;
    Hero().Maximum_Health = 20;
    EXPECT_EQ(stats.Pool_Texts()[1], "0 / 0");
    EXPECT_EQ(stats.Percent_Texts()[1], "0%");
    EXPECT_EQ(stats.Percent_Texts()[0], "25%");
}

TEST_F(Info_Dialogs, TheModuleTextPagesDownOnlyUntilItsEnd) {
    TDC_Dlg_Module_Text text;
    text.Set_Visible(true);
    text.Set_Text("Hollowmere", {"A short page."});
    text.Dispatch_Draw(Workspace_Buffer);
    EXPECT_TRUE(text.f_End_Reached);
    EXPECT_FALSE(text.f_Down_Button->f_Enabled);
    text.Page_Down();
    EXPECT_EQ(text.f_Scroll, 0);
    EXPECT_FALSE(text.f_Up_Button->f_Enabled);

    text.Set_Text("Long", std::vector<std::string>(60, "A paragraph long enough to fill a line."));
    text.Dispatch_Draw(Workspace_Buffer);
    ASSERT_FALSE(text.f_End_Reached);
    text.Page_Down();
    EXPECT_EQ(text.f_Scroll, 340);
    EXPECT_TRUE(text.f_Up_Button->f_Enabled);
    text.Page_Up();
    text.Page_Up();
    EXPECT_EQ(text.f_Scroll, 0);
}

TEST_F(Info_Dialogs, DeathEntersTheHighScoresAndADamagedTableIsLeftAlone) {
    const std::string file = dir_.Path() + "HighScores.dat";
    TDC_Dlg_Dead dead;
    dead.Set_Death("Wren", "Fighter", 3, 1234567, "Ghoul", 4, "", file);
    EXPECT_TRUE(dead.New_High_Score());
    EXPECT_EQ(dead.Report(),
              "Wren, you have died. You had achieved level 3 and 1,234,567 experience points in "
              "the class of Fighter. You were killed by a level 4 Ghoul. You have a new high "
              "score!");
    TDC_Dlg_HighScores table(file);
    ASSERT_NE(table.Scores().Get(1), nullptr);
    EXPECT_EQ(table.Scores().Get(1)->Name, "Wren");
    EXPECT_EQ(table.Scores().Get(1)->Level, 3);

    // A killer text names what killed the character.
    TDC_Dlg_Dead starved;
    starved.Set_Death("Ann", "Mage", 0, 0, "", 0, "starving to death", file);
    EXPECT_FALSE(starved.New_High_Score());
    EXPECT_EQ(starved.Report(), "Ann, you have died. You had achieved level 0 and 0 experience "
                                "points in the class of Mage. You were killed by starving to "
                                "death.");

    // A damaged table keeps its scores and claims no new one.
    ASSERT_TRUE(Write_File_Atomic(file, "\x06\x04"
                                        "1.06"));
    TDC_Dlg_Dead again;
    again.Set_Death("Cid", "Thief", 9, 5, "Rat", 1, "", file);
    EXPECT_FALSE(again.New_High_Score());
}

} // namespace
