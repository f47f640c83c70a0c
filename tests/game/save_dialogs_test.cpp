// The load and save dialog, the in-game menu and the options dialog, driven on the
// main screen with a quick start of the default module as a player drives them: keys,
// clicks on the dialogs' own buttons, and the folders on disk afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "game/dlg_game_menu.h"
#include "game/dlg_load_save.h"
#include "game/dlg_options.h"
#include "game/save_dialogs.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/dlg_message.h"
#include "presentation/png_file.h"
#include "presentation/text.h"
#include "screen_support.h"
#include "world/module.h"

namespace fs = std::filesystem;

namespace {

// The test program lives in the build's bin folder, beside the laid-out game folder.
fs::path build_bin() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}
fs::path game_folder() {
#ifdef KV_GAME_DIR
    return KV_GAME_DIR;
#else
    return build_bin() / "game";
#endif
}
fs::path screens_folder() {
#ifdef KV_SCREENS_DIR
    return KV_SCREENS_DIR;
#else
    return build_bin().parent_path() / "screens";
#endif
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> folder_bytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : List_Files(folder)) {
        std::string bytes;
        EXPECT_TRUE(Read_Whole_File(folder + name, bytes)) << name;
        files[name] = bytes;
    }
    return files;
}

class Save_Dialogs : public Screen_Test {
  protected:
    void SetUp() override {
        Screen_Test::SetUp();
        Register_Save_Dialogs();
    }
    void TearDown() override {
        screen_.reset();
        for (const char* name : {"Save Game Dlg", "Game Menu", "Options Dlg", "Dlg Menu"})
            Register_Game_Dialog(name, {});
        Display_Object.reset();
        Free_Fonts();
        Screen_Test::TearDown();
    }

    TDC_Main& Start() {
        Start_Screen(TQuick_Start{.Module = "Hollowmere", .Class = 2, .Seed = 7});
        // The module's opening text is not a dialog of these tests: play begins.
        screen_->Show_Game_Controls(true);
        screen_->Set_Actions_Disabled(false);
        return *screen_;
    }
    // G, then the game menu's button n (1 load, 2 save, ...).
    TDC_Dlg_Load_Save* Menu_To_Load_Save(int32_t n) {
        Key('G');
        Draw();
        auto* menu = Shown<TDC_Dlg_Game_Menu>("Game Menu");
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return nullptr;
        Click(menu->f_Buttons[size_t(n - 1)]);
        Draw();
        return Shown<TDC_Dlg_Load_Save>("Save Game Dlg");
    }
    // Saves into the slot through the game menu under the typed name.
    void Save_Through_Menu(int32_t slot, const std::string& name) {
        TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(2);
        ASSERT_NE(dialog, nullptr);
        ASSERT_FALSE(dialog->Is_Load_Mode());
        Click(dialog->f_Slot_Toggles[size_t(slot - 1)]);
        for (size_t k = dialog->f_Slot_Names[size_t(slot - 1)]->f_Text.size(); k > 0; --k)
            Key(VK_BACK);
        Type(name);
        Key(VK_RETURN);
        Draw();
        ASSERT_EQ(screen_->Shown("Save Game Dlg"), nullptr) << "the save failed";
    }
    // The message box the dialog shows, or null.
    const TDC_Dlg_Message* Message_Of(const TDisplay_Class& dialog) {
        return dynamic_cast<const TDC_Dlg_Message*>(dialog.Find_Child("Message Dlg"));
    }
    std::string Slot(int32_t n) { return Path_Settings->Get_Save_Slot_Folder(n); }
};

TEST_F(Save_Dialogs, TheGameMenuSavesIntoSlotThreeAndLoadingItBackBringsTheSavedGameBack) {
    TDC_Main& screen = Start();
    // G opens the menu over a game that stops; Escape closes it.
    Key('G');
    Draw();
    ASSERT_NE(Shown<TDC_Dlg_Game_Menu>("Game Menu"), nullptr);
    EXPECT_TRUE(screen.Get_Actions_Disabled());
    Key(VK_ESCAPE);
    Draw();
    EXPECT_EQ(screen.Shown("Game Menu"), nullptr);
    EXPECT_FALSE(screen.Get_Actions_Disabled());
    // An item held on the pointer is saved with the game, not lost.
    TMonster& player = Player();
    const int32_t items = player.Inventory.Count();
    ASSERT_GT(items, 0);
    const uint16_t held =
        player.Inventory.Take_From_Slot(player.Inventory.Get_Slot(1), Current_Map->Item_List);
    const std::string held_name = Current_Map->Item_List.Get(held)->Name;
    screen.Cursor_Item.Hold(held);
    player.Gold = 321;

    Save_Through_Menu(3, "Before The Gate");
    EXPECT_EQ(Read_Game_Name(Slot(3)), "Before The Gate");
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 3);
    EXPECT_FALSE(screen.Cursor_Item.Is_Holding());
    EXPECT_EQ(Player().Inventory.Count(), items);
    EXPECT_FALSE(screen.Get_Actions_Disabled());

    // The game goes on and changes.
    Player().Gold = 5;
    Player().Inventory = TInventory();

    // Load mode lists the name; OK without a chosen slot touches nothing.
    TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(1);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->Is_Load_Mode());
    EXPECT_EQ(dialog->f_Slot_Names[2]->f_Text, "Before The Gate");
    EXPECT_FALSE(dialog->f_Slot_Names[2]->f_Enabled);
    Key(VK_RETURN);
    EXPECT_EQ(screen.Shown("Save Game Dlg"), dialog);
    EXPECT_FALSE(Folder_Exists(Slot(0)));
    Click(dialog->f_Slot_Toggles[2]);
    EXPECT_EQ(dialog->Selected_Slot(), 3);
    // Typing in load mode renames nothing.
    Type("x");
    EXPECT_EQ(dialog->f_Slot_Names[2]->f_Text, "Before The Gate");

    ASSERT_TRUE(dialog->Accept());
    EXPECT_EQ(Player().Gold, 321);
    // A second OK before the screen sweeps the dialog away loads nothing again.
    Player().Gold = 7;
    EXPECT_FALSE(dialog->Accept());
    EXPECT_EQ(Player().Gold, 7);
    Draw();
    EXPECT_EQ(screen.Shown("Save Game Dlg"), nullptr);
    EXPECT_EQ(Player().Inventory.Count(), items);
    bool found = false;
    for (int32_t k = 1; k <= Player().Inventory.Count(); ++k)
        if (const TItem* item = Current_Map->Item_List.Get(Player().Inventory.Items.Get_Number(k)))
            found = found || item->Name == held_name;
    EXPECT_TRUE(found) << held_name << " was not saved";
    // In play the load starts the module's music itself.
    std::string music;
    if (Current_Module->Get_Current_Music(music)) {
        ASSERT_FALSE(sound_.Music.empty());
        EXPECT_EQ(sound_.Music.back(), music);
    }
}

TEST_F(Save_Dialogs, LoadingAnEmptyOrDamagedSlotLeavesTheRunningGameAndItsFolderAsTheyWere) {
    TDC_Main& screen = Start();
    // A damaged save in slot 4: its level file cut short.
    Save_Through_Menu(4, "Damaged");
    TGame_Header header;
    ASSERT_TRUE(Read_Game_Header(Slot(4), header));
    std::string level;
    ASSERT_TRUE(Read_Whole_File(Slot(4) + header.Map_File, level));
    ASSERT_TRUE(Write_File_Atomic(Slot(4) + header.Map_File, level.substr(0, level.size() / 2)));
    // A slot whose header is noise.
    dir_.Write("Savegames/slot05/game.id", "not a saved game");

    // A level left, so that its file exists only in the current-game folder.
    const TModule_Map_Connection* way = nullptr;
    for (const TModule_Map_Connection& c :
         Current_Module->Get_Map(Current_Module->Current_Map)->Connections)
        if (!way && TMap::In_Map(c.Source_X, c.Source_Y) && c.Connection_Type != 2)
            way = &c;
    ASSERT_NE(way, nullptr);
    const uint16_t first_level = Current_Module->Current_Map;
    const int32_t sx = way->Source_X, sy = way->Source_Y;
    ASSERT_TRUE(screen.Take_Connection(sx, sy));
    Player().Gold = 77;
    const std::string current = Path_Settings->Get_Current_Game_Folder();
    const auto before = folder_bytes(current);
    const uint16_t level_now = Current_Module->Current_Map;

    TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(1);
    ASSERT_NE(dialog, nullptr);
    for (int32_t slot : {7, 4, 5}) {
        SCOPED_TRACE(slot);
        Click(dialog->f_Slot_Toggles[size_t(slot - 1)]);
        Key(VK_RETURN);
        Draw();
        ASSERT_EQ(screen.Shown("Save Game Dlg"), dialog);
        const TDC_Dlg_Message* message = Message_Of(*dialog);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->f_Title, "Error");
        EXPECT_NE(message->f_Text.find("Unable to load game file"), std::string::npos);
        // The box takes the keys while it is open: Escape closes it, not the dialog.
        Key(VK_ESCAPE);
        Draw();
        EXPECT_EQ(Message_Of(*dialog), nullptr);
        EXPECT_EQ(screen.Shown("Save Game Dlg"), dialog);
        EXPECT_EQ(folder_bytes(current), before);
        EXPECT_EQ(Current_Module->Current_Map, level_now);
        EXPECT_EQ(Player().Gold, 77);
    }
    EXPECT_FALSE(Folder_Exists(Slot(7)));
    Key(VK_ESCAPE);
    Draw();
    EXPECT_EQ(screen.Shown("Save Game Dlg"), nullptr);
    // The game goes on: back up to the first level.
    ASSERT_TRUE(screen.Take_Connection(Current_Module->Current_X, Current_Module->Current_Y));
    EXPECT_EQ(Current_Module->Current_Map, first_level);
}

TEST_F(Save_Dialogs, ASaveInterruptedAtAnyFileLeavesTheSlotsPreviousGameLoadable) {
    TDC_Main& screen = Start();
    Player().Gold = 111;
    Save_Through_Menu(2, "Old Game");
    Player().Gold = 999;
    const std::string current = Path_Settings->Get_Current_Game_Folder();
    const std::string files[] = {Current_Map->Map_File_Name, Current_Module->File_Name,
                                 Game_Id_File};
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        // A folder stands where the file's new copy would be written.
        const std::string blocker =
            Native_Path(current + file) + ".tmp-" + std::to_string(::getpid());
        ASSERT_TRUE(fs::create_directories(blocker));
        TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(2);
        ASSERT_NE(dialog, nullptr);
        Click(dialog->f_Slot_Toggles[1]);
        Type(" New");
        EXPECT_FALSE(dialog->Accept());
        ASSERT_NE(Message_Of(*dialog), nullptr);
        EXPECT_EQ(Message_Of(*dialog)->f_Title, "Error");
        EXPECT_EQ(screen.Shown("Save Game Dlg"), dialog);
        // The typed name stays for another try, until another row is chosen.
        EXPECT_EQ(dialog->f_Slot_Names[1]->f_Text, "Old Game New");
        Key(VK_ESCAPE); // the error box first
        Draw();
        Click(dialog->f_Slot_Toggles[0]);
        EXPECT_EQ(dialog->f_Slot_Names[1]->f_Text, "Old Game");
        dialog->Cancel();
        Draw();
        fs::remove_all(blocker);
        EXPECT_EQ(Read_Game_Name(Slot(2)), "Old Game");
    }
    TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(1);
    ASSERT_NE(dialog, nullptr);
    Click(dialog->f_Slot_Toggles[1]);
    Click(dialog->f_OK_Button);
    Draw();
    EXPECT_EQ(screen.Shown("Save Game Dlg"), nullptr);
    EXPECT_EQ(Player().Gold, 111);
}

// The main menu stand-in answers "Resume Game" once, then stays open.
class Resume_From_Menu : public Save_Dialogs {
  protected:
    void SetUp() override {
        Save_Dialogs::SetUp();
        Register_Game_Dialog("Dlg Menu", [this](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
            auto menu = std::make_unique<TDisplay_Class>();
            if (answer_resume_) {
                answer_resume_ = false;
                menu->f_Result = 2;
                menu->Set_Kill_Object(true);
            }
            return menu;
        });
    }
    void Choose_Resume() {
        answer_resume_ = true;
        screen_->Open_Game_Dialog("Dlg Menu", false);
        Draw();
    }
    bool answer_resume_ = false;
};

TEST_F(Resume_From_Menu, ResumeLoadsTheLastSavedSlot) {
    TDC_Main& screen = Start();
    // A blank name is the module's; a long one is cut.
    Player().Gold = 40;
    Save_Through_Menu(6, "   ");
    EXPECT_EQ(Read_Game_Name(Slot(6)), Current_Module->Name);
    Player().Gold = 41;
    Save_Through_Menu(8, std::string(40, 'e'));
    EXPECT_EQ(Read_Game_Name(Slot(8)), std::string(TDC_Dlg_Load_Save::Max_Name_Length, 'e'));
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 8);
    // The slot is remembered in the options file.
    const TMachine_Options saved = Machine_Options;
    Machine_Options = TMachine_Options();
    ASSERT_TRUE(Read_Machine_Options());
    EXPECT_EQ(Machine_Options.Last_Saved_Game_Slot, 8);
    Machine_Options = saved;

    Player().Gold = 3;
    screen.Show_Game_Controls(false);
    Choose_Resume();
    EXPECT_EQ(screen.Shown("Message Dlg"), nullptr);
    EXPECT_EQ(Player().Gold, 41);
    EXPECT_TRUE(screen.Game_Running);
}

TEST_F(Save_Dialogs, TheOptionsDialogKeepsOneAutosaveChoiceBoundsTheSpeedAndWritesTheFile) {
    TDC_Main& screen = Start();
    Machine_Options.Dont_Autosave = false;
    Machine_Options.Autosave_Every_Minute = true;
    Machine_Options.Game_Speed_Modified_Percent = 190;
    // The game menu's fourth button opens it, modal.
    Key('G');
    Draw();
    Click(Shown<TDC_Dlg_Game_Menu>("Game Menu")->f_Buttons[3]);
    Draw();
    auto* options = Shown<TDC_Dlg_Options>("Options Dlg");
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->f_Modal);
    EXPECT_TRUE(screen.Get_Actions_Disabled());
    auto on = [&](int n) { return options->f_Toggles[size_t(n - 1)]->Get_On(); };
    EXPECT_TRUE(on(1) && on(2) && on(4));
    EXPECT_FALSE(on(3) || on(5) || on(6) || on(7));
    Click(options->f_Toggles[4]); // every 5 minutes
    EXPECT_TRUE(on(5));
    EXPECT_FALSE(on(3) || on(4) || on(6));
    Click(options->f_Toggles[4]); // off again: none left, so no autosave
    EXPECT_TRUE(on(3));
    EXPECT_FALSE(on(4) || on(5) || on(6));
    Click(options->f_Toggles[5]);
    Click(options->f_Toggles[1]); // music off
    Click(options->f_Toggles[6]); // frames per second

    // 10 to 200 percent: each arrow is disabled at its end.
    Click(options->f_Right_Arrow);
    Click(options->f_Right_Arrow);
    EXPECT_EQ(options->Speed(), 200);
    EXPECT_FALSE(options->f_Right_Arrow->f_Enabled);
    for (int k = 0; k < 25; ++k)
        options->Step_Speed(-1);
    EXPECT_EQ(options->Speed(), 10);
    EXPECT_FALSE(options->f_Left_Arrow->f_Enabled);
    Click(options->f_Right_Arrow);
    // Nothing is taken over before Close.
    EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 190);

    sound_.Music.clear();
    Key(VK_RETURN);
    Draw();
    EXPECT_EQ(screen.Shown("Options Dlg"), nullptr);
    EXPECT_FALSE(screen.Get_Actions_Disabled());
    EXPECT_EQ(sound_.Music, std::vector<std::string>{""}); // stopped
    Machine_Options = TMachine_Options();
    ASSERT_TRUE(Read_Machine_Options());
    EXPECT_TRUE(Machine_Options.Play_Sounds);
    EXPECT_FALSE(Machine_Options.Play_Music);
    EXPECT_TRUE(Machine_Options.Show_Drawing_Speed);
    EXPECT_FALSE(Machine_Options.Dont_Autosave);
    EXPECT_TRUE(Machine_Options.Autosave_Every_20_Minutes);
    EXPECT_EQ(Machine_Options.Game_Speed_Modified_Percent, 20);

    // Music on again starts the module's music.
    options = dynamic_cast<TDC_Dlg_Options*>(screen.Open_Game_Dialog("Options Dlg", true));
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(options->f_Toggles[1]->Get_On());
    Click(options->f_Toggles[1]);
    Key(VK_ESCAPE);
    Draw();
    std::string music;
    ASSERT_TRUE(Current_Module->Get_Current_Music(music));
    EXPECT_EQ(sound_.Music.back(), music);
    EXPECT_TRUE(Machine_Options.Play_Music);
}

// Each dialog drawn over the running game with the game's own pictures and fonts, saved
// into the build's screens folder for a person to look at.
TEST_F(Save_Dialogs, EveryDialogIsDrawnIntoTheScreensFolder) {
    const fs::path game = game_folder();
    if (!fs::exists(game / "Pictures"))
        GTEST_SKIP() << "the game folder's pictures are not laid out in " << game;
    fs::create_directory_symlink(game / "Pictures", dir_.Path() + "Pictures");
    if (fs::exists(game / "Fonts"))
        fs::create_directory_symlink(game / "Fonts", dir_.Path() + "Fonts");
    std::string report;
    Load_Fonts(report);
    Display_Object = std::make_unique<TDisplay_Object>();
    ASSERT_TRUE(Display_Object->Create_Game_Bitmaps());
    TDC_Main& screen = Start();
    Save_Through_Menu(1, "Hollowmere Cellars");
    Save_Through_Menu(2, "Before The Gate");
    fs::create_directories(screens_folder());
    auto shoot = [&](const std::string& name) {
        Set_Colour(0);
        Clear_Buffer();
        screen.Dispatch_Draw(Workspace_Buffer);
        std::string error;
        const std::string path = (screens_folder() / (name + ".png")).string();
        EXPECT_TRUE(Save_PNG(*Buffer_Of(Workspace_Buffer), path, error)) << error;
        EXPECT_GT(fs::file_size(path), 1000u) << path;
    };
    Key('G');
    Draw();
    shoot("game_menu");
    Key(VK_ESCAPE);
    Draw();
    TDC_Dlg_Load_Save* dialog = Menu_To_Load_Save(1);
    ASSERT_NE(dialog, nullptr);
    Click(dialog->f_Slot_Toggles[1]);
    shoot("load_game");
    dialog->Cancel();
    Draw();
    dialog = Menu_To_Load_Save(2);
    ASSERT_NE(dialog, nullptr);
    Click(dialog->f_Slot_Toggles[2]);
    Type("The Deep Halls");
    shoot("save_game");
    // A name of wide letters stops where its box ends.
    for (int k = 0; k < 40; ++k)
        Key(VK_BACK);
    Type(std::string(30, 'W'));
    const std::string wide = dialog->f_Slot_Names[2]->f_Text;
    EXPECT_LT(wide.size(), 30u);
    Set_Font(3);
    EXPECT_LE(Text_Width(wide), 219 - 6);
    shoot("save_game_long_name");
    dialog->Cancel();
    Draw();
    dialog = Menu_To_Load_Save(1);
    ASSERT_NE(dialog, nullptr);
    dir_.Write("Savegames/slot04/game.id", "broken");
    dialog->Select_Slot(4);
    dialog->Accept();
    shoot("load_game_error");
    dialog->Cancel();
    Draw();
    screen.Open_Game_Dialog("Options Dlg", true);
    shoot("options");
}

} // namespace
