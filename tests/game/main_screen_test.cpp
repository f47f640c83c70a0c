// The main screen driven as the window drives it: a quick start of the default
// module, then ticks, keys and clicks.

#include "game/main_screen.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "presentation/dlg_error_list.h"
#include "presentation/host.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "screen_support.h"
#include "world/module.h"

namespace {

// The screen points of map squares in these tests: square (x, y) is the 3 x 1 strip
// at (200 + 3 x, 240 + y), clear of the character panel (the map view's own arithmetic
// is tested with the view).
bool test_square_at(int x, int y, int32_t& mx, int32_t& my) {
    mx = (x - 200) / 3;
    my = y - 240;
    return x >= 200 && TMap::In_Map(mx, my);
}

class Main_Screen : public Screen_Test {
  protected:
    // A new game of the default module with a fixed seed.
    TDC_Main& Start() {
        TMain_Screen_Hooks hooks;
        hooks.Map_Square_At = test_square_at;
        return Start_Screen(
            TQuick_Start{
                .Module = "Hollowmere", .Class = 1, .Name = "Wren", .Difficulty = 2, .Seed = 11},
            hooks);
    }
    void Tick(int n) {
        for (int i = 0; i < n; ++i) {
            Advance_Clock(50);
            TDispatch_Guard guard;
            screen_->Tick(i % 21, 20.0);
        }
    }
};

TEST_F(Main_Screen, AQuickStartReachesARunningGameWithTheClassStartingItems) {
    TDC_Main& screen = Start();
    ASSERT_NE(Current_Map->Player(), nullptr);
    EXPECT_TRUE(screen.Game_Running);
    EXPECT_FALSE(screen.Get_Actions_Disabled());
    EXPECT_EQ(Player().Name, "Wren");
    EXPECT_EQ(Player().Module_Text, Current_Module->Character_Data_Set_Identifier);
    // Class 1 starts with items, each a real item of the level's list.
    EXPECT_GT(Player().Inventory.Count(), 0);
    for (int32_t k = 1; k <= Player().Inventory.Count(); ++k)
        EXPECT_NE(Current_Map->Item_List.Get(Player().Inventory.Items.Get_Number(k)), nullptr);
    EXPECT_EQ(Game_Options->Map_Entry_Level, Player().Level);
}

TEST_F(Main_Screen, SpacePausesTheGameAndAClosingDialogLeavesItPaused) {
    TDC_Main& screen = Start();
    Key(VK_SPACE);
    EXPECT_TRUE(screen.Paused);
    EXPECT_TRUE(screen.Get_Actions_Disabled());
    const int32_t timer = Player().Move_Timer;
    const int32_t hunger = Player().Hunger_Timer;
    auto squares = [] {
        std::vector<int32_t> all;
        for (int32_t n = 1; n <= Current_Map->Monster_List.Count(); ++n)
            if (const TMonster* c = Current_Map->Monster_List.Get(n))
                all.push_back(c->X * 1000 + c->Y);
        return all;
    };
    const std::vector<int32_t> standing = squares();
    Tick(100);
    EXPECT_EQ(Player().Move_Timer, timer);
    EXPECT_EQ(Player().Hunger_Timer, hunger);
    EXPECT_EQ(squares(), standing);
    // The game menu opened and closed over a paused game: still paused.
    Key('G');
    EXPECT_TRUE(screen.Get_Actions_Disabled());
    Key(VK_SPACE);
    EXPECT_FALSE(screen.Paused);
    Tick(1);
    EXPECT_NE(Player().Hunger_Timer, hunger);
    // "PAUSED" blinks every 13 ticks.
    Key(VK_SPACE);
    const bool blink = screen.Blink_On;
    Tick(13);
    EXPECT_NE(screen.Blink_On, blink);
}

TEST_F(Main_Screen, AutosaveEveryMinuteWritesSlotTenOnTick1201OfEnabledTime) {
    TDC_Main& screen = Start();
    Machine_Options.Dont_Autosave = false;
    Machine_Options.Autosave_Every_Minute = true;
    Tick(600);
    // Paused time does not count.
    Key(VK_SPACE);
    Tick(700);
    Key(VK_SPACE);
    Tick(600);
    EXPECT_EQ(screen.Autosaves_Made, 0);
    EXPECT_EQ(screen.Autosave_Elapsed, 1200 * 50);
    Tick(1);
    EXPECT_EQ(screen.Autosaves_Made, 1);
    EXPECT_EQ(screen.Autosave_Elapsed, 0);
    const std::string name = Read_Game_Name(Path_Settings->Get_Save_Slot_Folder(10));
    EXPECT_EQ(name.rfind("Autosave ", 0), 0u) << name;
    // "Dont Autosave" keeps the counter at 0.
    Machine_Options.Dont_Autosave = true;
    Tick(1300);
    EXPECT_EQ(screen.Autosaves_Made, 1);
}

// The first connection of the start level that may be taken from its source.
const TModule_Map_Connection* first_connection() {
    for (const TModule_Map_Connection& c :
         Current_Module->Get_Map(Current_Module->Current_Map)->Connections)
        if (TMap::In_Map(c.Source_X, c.Source_Y) && c.Connection_Type != 2)
            return &c;
    return nullptr;
}

TEST_F(Main_Screen, AFailedLevelChangeLeavesThePlayerWhereItWasWithEveryItem) {
    TDC_Main& screen = Start();
    const TModule_Map_Connection* c = first_connection();
    ASSERT_NE(c, nullptr);
    const std::string folder = Path_Settings->Get_Current_Game_Folder();
    ASSERT_TRUE(Delete_File(folder + std::to_string(c->Destination_Map) + ".map"));
    const uint16_t start_map = Current_Module->Current_Map;
    const int32_t x = Player().X, y = Player().Y, items = Player().Inventory.Count();
    const int32_t list = Current_Map->Item_List.Count();
    EXPECT_FALSE(screen.Take_Connection(c->Source_X, c->Source_Y));
    EXPECT_EQ(Current_Module->Current_Map, start_map);
    EXPECT_EQ(Player().X, x);
    EXPECT_EQ(Player().Y, y);
    EXPECT_EQ(Player().Inventory.Count(), items);
    EXPECT_EQ(Current_Map->Item_List.Count(), list);
    EXPECT_EQ(screen.Find_Child("Dlg Progress"), nullptr);
}

TEST(Main_Screen_Panel, SlotsBarsAndFacesFollowTheirRules) {
    EXPECT_EQ(TDC_Main::Slot_At(112, 32), 1);
    EXPECT_EQ(TDC_Main::Slot_At(113, 32), 0);
    EXPECT_EQ(TDC_Main::Slot_At(16, 65), 10);
    EXPECT_EQ(TDC_Main::Bar_Width(50, 200), 25);
    EXPECT_EQ(TDC_Main::Bar_Width(300, 200), 101);
    EXPECT_EQ(TDC_Main::Bar_Width(5, 0), 0); // no mana at all draws an empty bar
    EXPECT_EQ(TDC_Main::Bar_Width(-3, 10), 0);
    TMonster c;
    c.Maximum_Health = 200;
    c.Health = 50;
    EXPECT_EQ(TDC_Main::Face_Picture(c), 3);
    c.Health = 10;
    EXPECT_EQ(TDC_Main::Face_Picture(c), 5);
    c.Health = 200;
    EXPECT_EQ(TDC_Main::Face_Picture(c), 0);
    c.Condition = static_cast<uint8_t>(TMonster_Status::Poisoned);
    EXPECT_EQ(TDC_Main::Face_Picture(c), 7);
    c.Condition = static_cast<uint8_t>(TMonster_Status::Normal);
    c.Maximum_Health = 0;
    EXPECT_EQ(TDC_Main::Face_Picture(c), 0);
}

class Main_Screen_Flow : public Main_Screen {};

TEST_F(Main_Screen_Flow, TheOpeningPictureLoadsThePicturesAfterTwoSecondsAndClosesAfterFive) {
    int loads = 0;
    TMain_Screen_Hooks hooks;
    hooks.Load_System_Pictures = [&loads] {
        ++loads;
        return true;
    };
    hooks.Reload_Global_Structs = [] { return Reload_Global_Structs(); };
    // The progress bar redraws the whole screen while the intro is being closed.
    int redraws = 0;
    hooks.Redraw_Now = [this, &redraws] {
        ++redraws;
        screen_->Dispatch_Draw(Workspace_Buffer);
    };
    TMain_Screen_Start start;
    start.Quick_Start = TQuick_Start{.Module = "Hollowmere", .Seed = 3};
    screen_ = std::make_unique<TDC_Main>(hooks, start);
    ASSERT_NE(screen_->Find_Child("Dlg Intro"), nullptr);
    EXPECT_EQ(screen_->Find_Child("Dlg Intro")->f_X, 267);
    auto frames = [this](int n) {
        for (int i = 0; i < n; ++i) {
            Advance_Clock(50);
            TDispatch_Guard guard;
            screen_->Dispatch_Draw(Workspace_Buffer);
        }
    };
    frames(39);
    EXPECT_EQ(loads, 0);
    frames(2);
    EXPECT_EQ(loads, 1);
    EXPECT_NE(screen_->Find_Child("Dlg Intro"), nullptr);
    frames(60);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(screen_->Find_Child("Dlg Intro"), nullptr);
    // No menu to open yet: the quick start took its place, its progress drawn.
    EXPECT_GT(redraws, 0);
    EXPECT_NE(Current_Map->Player(), nullptr);
    EXPECT_TRUE(screen_->Game_Running);
}

TEST_F(Main_Screen_Flow, ErrorListsWaitTheirTurnAndAMessageIsShownOnce) {
    TDC_Main& screen = Start();
    Message_Service().Show_Error_List("Terrain Data File Errors: ", "a.txt", {"one", "two"});
    Message_Service().Show_Error_List("Quest Class Data File Errors: ", "b.txt", {"three"});
    auto* list = dynamic_cast<TDC_Dlg_ErrorList*>(screen.Find_Child("Error List Dlg"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(screen.Error_List_Shown);
    EXPECT_EQ(list->Lines(),
              (std::vector<std::string>{"Terrain Data File Errors: ", "a.txt", "one", "two"}));
    Key(VK_ESCAPE);
    list = dynamic_cast<TDC_Dlg_ErrorList*>(screen.Find_Child("Error List Dlg"));
    ASSERT_NE(list, nullptr) << "the second list follows the first";
    EXPECT_EQ(list->Lines().front(), "Quest Class Data File Errors: ");

    screen.Show_Message("Resume", "first");
    screen.Show_Message("Resume", "second");
    int messages = 0;
    for (int i = 1; i <= screen.Child_Count(); ++i)
        messages += screen.Child(i)->f_Name == "Message Dlg";
    EXPECT_EQ(messages, 1);
}

TEST_F(Main_Screen_Flow, EventResultsPlayMusicAndShowTextInOrder) {
    TDC_Main& screen = Start();
    TEvent_Return_Result music;
    music.Kind = Return_Play_Music;
    music.Music_Filename = "cellar.wav";
    TEvent_Return_Result text;
    text.Kind = Return_Display_Text;
    text.Title = "The Well";
    text.Paragraphs = {"Cold air rises."};
    Current_Module->Events.Push_Return_Result(music);
    Current_Module->Events.Push_Return_Result(text);
    screen.Process_Event_Results();
    ASSERT_FALSE(sound_.Music.empty());
    EXPECT_EQ(sound_.Music.back(), "cellar.wav");
    EXPECT_EQ(screen.Module_Text_Title, "The Well");
    EXPECT_EQ(screen.Module_Text_Paragraphs, text.Paragraphs);
    // Without its dialog the text counts as read: the game goes on.
    EXPECT_TRUE(screen.Game_Running);
    EXPECT_FALSE(screen.Get_Actions_Disabled());
}

struct TGame_State {
    int32_t X = 0, Y = 0;
    double Health = 0, Mana = 0;
    std::vector<uint16_t> Items;
    std::vector<int32_t> Creatures; // every creature's square, in list order
    bool operator==(const TGame_State&) const = default;
};

TEST_F(Main_Screen_Flow, ARecordedGameReplaysToTheSameState) {
    auto play = [this](const std::string& script, const std::string& record) {
        Set_Clock(5000);
        Start();
        int32_t counter = 0;
        THost_Callbacks callbacks;
        callbacks.On_Timer = [&] {
            counter = counter >= 20 ? 0 : counter + 1;
            screen_->Tick(counter, 20.0);
        };
        THost host(*screen_, callbacks);
        THost_Settings settings;
        settings.headless = true;
        settings.script = script;
        settings.record = record;
        EXPECT_EQ(host.Run_Headless(settings), 0);
        TGame_State state;
        if (const TMonster* player = Current_Map->Player()) {
            state.X = player->X;
            state.Y = player->Y;
            state.Health = player->Health;
            state.Mana = player->Mana;
            for (int32_t k = 1; k <= player->Inventory.Count(); ++k)
                state.Items.push_back(player->Inventory.Items.Get_Number(k));
        }
        for (int32_t n = 1; n <= Current_Map->Monster_List.Count(); ++n)
            if (const TMonster* c = Current_Map->Monster_List.Get(n))
                state.Creatures.push_back(c->X * 1000 + c->Y);
        screen_.reset();
        Free_Global_Structs();
        Create_Global_Structs();
        Load_Global_Structs();
        return state;
    };
    dir_.Write("played.txt", "down 470 330\nwait 30\nmove 500 300\nwait 30\nup 500 300\n"
                             "rclick 480 320\nkey F1\nwait 40\nkey Space\nwait 5\nkey Space\n"
                             "key Ctrl+1\nwait 20\n");
    const TGame_State first = play(dir_.Path() + "played.txt", dir_.Path() + "recorded.txt");
    std::string recorded;
    ASSERT_TRUE(Read_Whole_File(dir_.Path() + "recorded.txt", recorded));
    EXPECT_NE(recorded.find("down 470 330\nwait 30\nmove 500 300"), std::string::npos) << recorded;
    // The time played after the last input is recorded too.
    EXPECT_NE(recorded.find("key Ctrl+1\nwait 20\n"), std::string::npos) << recorded;
    const TGame_State again = play(dir_.Path() + "recorded.txt", "");
    EXPECT_EQ(first, again);
    EXPECT_NE(first.X * 1000 + first.Y, 0);
}

} // namespace
