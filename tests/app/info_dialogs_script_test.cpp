// The adventure speaking to the player, driven by input scripts on the real main
// screen of the default module: the opening text, talk and conversation, a quest done
// through its trigger, the statistics page, death and the high-score table, and the
// description panel over each kind of subject. Every dialog leaves its picture in the
// build folder's "screens".

#include <gtest/gtest.h>

#include "screen_fixture.h"

#include <filesystem>

#include "app/game_screen.h"
#include "game/dlg_conversation.h"
#include "game/dlg_high_scores.h"
#include "game/dlg_quests.h"
#include "game/dlg_statistics.h"
#include "game/dlg_talk.h"
#include "game/global_structs.h"
#include "game/high_scores.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/host.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/actions.h"
#include "world/map.h"
#include "world/module.h"
#include "world/sprites.h"

namespace {

class Info_Script : public Game_Screen_Test {
  protected:
    // A new game of the default module (the opening text still shown), or, without a
    // quick start, the main menu.
    void Start(bool new_game) {
        TMain_Screen_Start start;
        if (new_game)
            start.Quick_Start =
                TQuick_Start{.Module = "Hollowmere", .Class = 1, .Name = "Wren", .Seed = 21};
        Game_Screen_Test::Start(start);
    }
    // The first creature of the level that passes the test.
    template <class F> TMonster* Creature(F wanted) {
        for (int32_t n = 1; n <= Current_Map->Monster_List.Count(); ++n)
            if (TMonster* c = Current_Map->Monster_List.Get(n);
                c && n != Current_Map->Player_Number && wanted(*c))
                return c;
        return nullptr;
    }
    // Puts the creature on a free square next to the player; false when none is free.
    bool Beside_Player(TMonster& creature) {
        for (int32_t dx : {1, -1, 0})
            for (int32_t dy : {0, 1, -1}) {
                const TMap_Square* sq = Current_Map->Get_Square(Player().X + dx, Player().Y + dy);
                if ((dx || dy) && sq && sq->Monster == 0 &&
                    sq->Has_Movement_Flag(*Current_Map, 1) && !sq->Is_Entrance()) {
                    Move_Creature(*Current_Map, creature, Player().X + dx, Player().Y + dy);
                    return true;
                }
            }
        return false;
    }
    // Walks into the creature beside the player: the talk menu opens.
    TDC_Dlg_Talk* Address(TMonster& creature) {
        const std::string at = Point_Of(creature.X, creature.Y);
        Play("move " + at + "\nclick " + at + "\nwait 10\n");
        return dynamic_cast<TDC_Dlg_Talk*>(screen_->Shown("Dlg Talk"));
    }
    void Die() {
        TDispatch_Guard guard;
        TMonster* foe = Creature([](const TMonster& c) { return c.Does_Attack_Character; });
        Player().Die(foe, foe ? "" : "a fall");
    }
    std::string Score_File() const { return dir_.Path() + "Data/HighScores.dat"; }
};

TEST_F(Info_Script, TalkAConversationTopicCompletesAQuestAndTheStoreIsAskedFor) {
    Start(true);
    ASSERT_NE(screen_->Shown("Dlg Module Text"), nullptr) << "the adventure opens with its text";
    EXPECT_FALSE(screen_->Game_Running);
    Screenshot("module_text");
    Play("key Enter\n");
    ASSERT_TRUE(screen_->Game_Running);

    // The warden: her first topic completes "A Stranger in Hollowmere".
    TMonster* warden = Creature([](const TMonster& c) { return c.Event_ID == 1; });
    ASSERT_NE(warden, nullptr);
    ASSERT_TRUE(Beside_Player(*warden));
    const TModule_Quest* stranger = Current_Module->Get_Quest(7);
    ASSERT_NE(stranger, nullptr);
    ASSERT_TRUE(stranger->Visible);
    ASSERT_FALSE(stranger->Completed);
    const int32_t experience = Player().Experience;

    TDC_Dlg_Talk* talk = Address(*warden);
    ASSERT_NE(talk, nullptr);
    EXPECT_EQ(talk->f_Buttons[0]->f_Caption, "Talk");
    Screenshot("talk");
    Click(*talk->f_Buttons[0]);
    auto* conversation = dynamic_cast<TDC_Dlg_Conversation*>(screen_->Shown("Dlg Conversation"));
    ASSERT_NE(conversation, nullptr);
    const TDC_List& topics = *conversation->f_Topic_List;
    const std::string first = std::to_string(topics.f_X + 30) + " " +
                              std::to_string(topics.f_Y + topics.f_Line_Height / 2);
    Play("move " + first + "\nclick " + first + "\n");
    EXPECT_EQ(conversation->f_Answer, warden->Talk_Topic_Texts.front());
    EXPECT_TRUE(stranger->Completed);
    EXPECT_EQ(Player().Experience, experience + stranger->Experience);
    Screenshot("conversation");
    Play("key Escape\nwait 2\n");
    EXPECT_EQ(screen_->Shown("Dlg Conversation"), nullptr);

    // The quest log: the quest done, the two the warden gave in progress.
    Play("key Q\nwait 1\n");
    auto* log = dynamic_cast<TDC_Dlg_Quests*>(screen_->Shown("Quests Dlg"));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Rows(), (std::vector<int32_t>{1, 3, 7}));
    EXPECT_EQ(Player().Quest_Value, 0);
    Screenshot("quests");
    Play("key Escape\n");

    // A townsperson with a store: "Purchase Items" asks for the store.
    TMonster* trader = Creature(
        [](const TMonster& c) { return Current_Map->Get_Store(c.Store_Number) != nullptr; });
    ASSERT_NE(trader, nullptr);
    ASSERT_TRUE(Beside_Player(*trader));
    bool store_asked = false;
    const TGame_Dialog_Factory* real = Find_Game_Dialog("Dlg Store");
    const TGame_Dialog_Factory store = real ? *real : TGame_Dialog_Factory();
    Register_Game_Dialog("Dlg Store", [&](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        store_asked = true;
        return store ? store(main) : nullptr;
    });
    talk = Address(*trader);
    ASSERT_NE(talk, nullptr);
    const TDC_Text_Button* purchase = nullptr;
    for (const TDC_Text_Button* b : talk->f_Buttons)
        if (b->f_Caption == "Purchase Items")
            purchase = b;
    ASSERT_NE(purchase, nullptr);
    Click(*purchase);
    EXPECT_TRUE(store_asked);
    Register_Game_Dialog("Dlg Store", store);
}

TEST_F(Info_Script, StatPointsAreSpentAndThePanelDescribesWhatThePointerRestsOn) {
    Start(true);
    Play("key Escape\n");
    Player().Characteristic_Points = 2;
    const uint16_t strength = Player().Strength;
    Play("key C\nwait 1\n");
    auto* stats = dynamic_cast<TDC_Dlg_Statistics*>(screen_->Shown("Statistics Dlg"));
    ASSERT_NE(stats, nullptr);
    Screenshot("statistics");
    Click(*stats->f_Plus_Buttons[0]);
    EXPECT_EQ(Player().Characteristic_Points, 1);
    EXPECT_EQ(Player().Strength, strength + 1);
    Play("key Escape\n");

    TDescription_Panel& panel = Description_Panel();
    // A creature in sight.
    TMonster* someone = Creature([](const TMonster& c) { return !c.Talk_Topic_Names.empty(); });
    ASSERT_NE(someone, nullptr);
    ASSERT_TRUE(Beside_Player(*someone));
    Play("move " + Point_Of(someone->X, someone->Y) + "\n");
    EXPECT_EQ(panel.Subject().Kind, TSubject_Kind::Creature);
    Screenshot("panel_creature");
    // The square under the pointer.
    int32_t x = Player().X, y = Player().Y;
    for (int32_t dx = -2; dx <= 2; ++dx)
        if (const TMap_Square* sq = Current_Map->Get_Square(Player().X + dx, Player().Y + 2);
            sq && sq->Monster == 0)
            x = Player().X + dx, y = Player().Y + 2;
    Play("move " + Point_Of(x, y) + "\n");
    EXPECT_EQ(panel.Subject().Kind, TSubject_Kind::Square);
    Screenshot("panel_square");
    // An equipment slot with the character's weapon, then the same item at a store.
    TInventory& inventory = Player().Inventory;
    ASSERT_GT(inventory.Count(), 0) << "the fighter starts with equipment";
    const uint16_t item = inventory.Items.Get_Number(1);
    inventory.Take_From_Slot(inventory.Get_Slot(1), Current_Map->Item_List);
    ASSERT_TRUE(inventory.Put_In_Slot(item, First_Hand_Slot, Current_Map->Item_List));
    const int32_t weapon = First_Hand_Slot;
    static constexpr int slot_x[10] = {80, 121, 80, 80, 80, 121, 39, 121, 39, 16};
    static constexpr int slot_y[10] = {16, 29, 61, 106, 186, 106, 106, 146, 146, 65};
    Play("move " + std::to_string(slot_x[weapon - 1] + 16) + " " +
         std::to_string(slot_y[weapon - 1] + 16) + "\n");
    EXPECT_EQ(panel.Subject().Kind, TSubject_Kind::Item);
    Screenshot("panel_item");
    panel.Set_Price_Display(true, false, 120, 40);
    Screenshot("panel_item_store");
    panel.Clear_Price_Display();
    // A button's help topic, and a figure of the character panel.
    Play("move 34 565\n");
    EXPECT_EQ(panel.Subject().Kind, TSubject_Kind::Topic);
    EXPECT_EQ(panel.Subject().Topic, 1);
    Screenshot("panel_topic_button");
    Play("move 215 62\n");
    EXPECT_EQ(panel.Subject().Topic, 24);
    Screenshot("panel_topic_figure");
    // A spell the character knows (the spell list sets it the same way).
    ASSERT_GT(Master_Spells.Count(), 0);
    Player().Spells.Learn(1, 2, 100);
    panel.Set_Subject_Spell(1);
    Screenshot("panel_spell");
}

TEST_F(Info_Script, DeathEntersTheHighScoresWhichSurviveARestartAndADamagedTableIsKept) {
    Start(true);
    Play("key Escape\n");
    Player().Experience = 4321;
    Die();
    Play("wait 2\n");
    ASSERT_NE(screen_->Shown("Dlg Dead"), nullptr);
    Screenshot("dead");
    Play("key Escape\nwait 1\n");
    EXPECT_NE(screen_->Shown("Dlg Menu"), nullptr);

    // The program starts again: the table shows the character.
    Start(false);
    auto* table =
        dynamic_cast<TDC_Dlg_HighScores*>(screen_->Open_Game_Dialog("High Scores Dlg", false));
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->Scores().Get(1), nullptr);
    EXPECT_EQ(table->Scores().Get(1)->Name, "Wren");
    EXPECT_EQ(table->Scores().Get(1)->Experience, 4321);
    Screenshot("high_scores");
    Play("key Escape\n");

    // A damaged table: the next death leaves it as it is.
    std::string bytes;
    ASSERT_TRUE(Read_Whole_File(Score_File(), bytes));
    const std::string damaged = bytes.substr(0, bytes.size() - 30);
    ASSERT_TRUE(Write_File_Atomic(Score_File(), damaged));
    Start(true);
    Play("key Escape\n");
    Player().Experience = 99999;
    Die();
    Play("wait 2\n");
    ASSERT_NE(screen_->Shown("Dlg Dead"), nullptr);
    std::string after;
    ASSERT_TRUE(Read_Whole_File(Score_File(), after));
    EXPECT_EQ(after, damaged);
}

} // namespace
