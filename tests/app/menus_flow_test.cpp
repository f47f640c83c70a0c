// From the opening picture through the menus to a running adventure, as a player gets
// there: clicks and typed keys on the real main screen with the game's own pictures,
// headless in-process and in the real program's window under Xvfb. The in-process run
// leaves a picture of every menu dialog in the build folder's "screens".

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "game/dlg_difficulty.h"
#include "game/dlg_menu.h"
#include "game/dlg_select_character.h"
#include "game/dlg_select_module.h"
#include "game/global_structs.h"
#include "game/menu_dialogs.h"
#include "game/save_load.h"
#include "platform/files.h"
#include "rules/class_info.h"
#include "rules/item_list.h"
#include "rules/monster.h"
#include "screen_fixture.h"
#include "shell/globals.h"
#include "support/temp_dir.h"
#include "world/map.h"

namespace {

const char* const Menu_Dialogs[] = {"Dlg Menu", "Dlg Select Module", "Dlg Difficulty",
                                    "Dlg Select Character"};

class Menus_Flow : public Game_Screen_Test {
  protected:
    void SetUp() override {
        Game_Screen_Test::SetUp();
        Register_Menu_Dialogs();
    }
    void TearDown() override {
        screen_pointer_ = nullptr;
        screen_.reset();
        for (const char* name : Menu_Dialogs)
            Register_Game_Dialog(name, nullptr);
        Game_Screen_Test::TearDown();
    }
    void Start(bool intro) {
        screen_pointer_ = nullptr;
        screen_.reset();
        TMain_Screen_Start start;
        start.Skip_Intro = !intro;
        screen_ = std::make_unique<TDC_Main>(hooks_, start);
        screen_pointer_ = screen_.get();
    }
    void Click_Item(const TDC_List& list, int n) {
        const std::string at =
            std::to_string(list.f_X + 30) + " " +
            std::to_string(list.f_Y + (n - list.f_Top_Index) * list.f_Line_Height +
                           list.f_Line_Height / 2);
        Play("move " + at + "\nclick " + at + "\n");
    }
    template <class T> T* Open(const std::string& name) {
        return dynamic_cast<T*>(screen_->Shown(name));
    }
    // Main menu, "New Game", the default module, difficulty 2: character selection.
    TDC_Dlg_Select_Character* To_Character_Selection(bool screenshots) {
        auto* menu = Open<TDC_Dlg_Menu>("Dlg Menu");
        EXPECT_NE(menu, nullptr);
        if (!menu)
            return nullptr;
        if (screenshots) {
            Screenshot("main_menu");
            Click(menu->Button(5));
            Screenshot("main_menu_credits");
            Click(menu->Button(6));
        }
        Click(menu->Button(1));
        auto* modules = Open<TDC_Dlg_Select_Module>("Dlg Select Module");
        EXPECT_NE(modules, nullptr);
        if (!modules)
            return nullptr;
        const auto& items = modules->f_List->f_Items;
        Click_Item(*modules->f_List,
                   int(std::find(items.begin(), items.end(), "Hollowmere") - items.begin()) + 1);
        if (screenshots)
            Screenshot("select_module");
        Click(*modules->f_OK);
        auto* difficulty = Open<TDC_Dlg_Difficulty>("Dlg Difficulty");
        EXPECT_NE(difficulty, nullptr);
        if (!difficulty)
            return nullptr;
        if (screenshots)
            Screenshot("difficulty");
        Click(difficulty->Button(2));
        EXPECT_EQ(Game_Options->Difficulty, 2);
        return Open<TDC_Dlg_Select_Character>("Dlg Select Character");
    }
};

TEST_F(Menus_Flow, FromTheIntroThroughTheMenusEveryClassBeginsTheAdventure) {
    // The class table is the module's, read when the module is chosen.
    int32_t classes = 1;
    for (int32_t c = 1; c <= classes; ++c) {
        const bool first = c == 1;
        Start(first);
        if (first) {
            EXPECT_NE(screen_->Shown("Dlg Intro"), nullptr);
            Play("wait 120\n");
            EXPECT_EQ(screen_->Shown("Dlg Intro"), nullptr);
        }
        TDC_Dlg_Select_Character* dialog = To_Character_Selection(first);
        ASSERT_NE(dialog, nullptr) << c;
        classes = Class_Infos.Count();
        ASSERT_GE(classes, 3);
        EXPECT_EQ(int32_t(dialog->f_Class_List->f_Items.size()), classes);
        Click_Item(*dialog->f_Class_List, c);
        if (first) {
            Click(*dialog->f_OK);
            Screenshot("select_character_refused");
            Play("key Escape\n");
        }
        Click(*dialog->f_Portrait_Buttons[size_t(c - 1)]);
        // Typed: the first letter with Shift.
        const std::string name = "Hero" + std::to_string(c);
        Play("key Shift+H\nkey E\nkey R\nkey O\nkey " + std::to_string(c) + "\n");
        EXPECT_EQ(dialog->f_Edit->f_Text, name);
        if (first)
            Screenshot("select_character_new");
        Play("key Enter\nwait 1\n");
        ASSERT_EQ(screen_->Shown("Dlg Select Character"), nullptr) << c;
        ASSERT_NE(Current_Map->Player(), nullptr) << c;
        EXPECT_EQ(Current_Map->Player()->Name, name);
        EXPECT_EQ(Current_Map->Player()->Class_Number, c);
        EXPECT_EQ(Current_Map->Player()->Picture_Filename,
                  Class_Infos.Get(c)->Portraits[size_t(c - 1)]);
        // The adventure opens with its text; the game runs once it is closed.
        ASSERT_NE(screen_->Shown("Dlg Module Text"), nullptr);
        Play("key Escape\n");
        EXPECT_TRUE(screen_->Game_Running);
        // A few ticks of play.
        const uint16_t number = Current_Map->Player()->Number;
        Play("wait 10\n");
        ASSERT_NE(Current_Map->Player(), nullptr);
        EXPECT_EQ(Current_Map->Player()->Number, number);
        if (first) {
            Screenshot("game_started");
            // The progress bar a level change shows, at 60 percent.
            screen_->Open_Progress("Loading Map...");
            screen_->Set_Progress(60);
            Screenshot("progress");
            screen_->Close_Progress();
        }
    }
}

TEST_F(Menus_Flow, AnExportedCharacterIsPreviewedWithItsDetails) {
    ASSERT_TRUE(Path_Settings->Set_Module("Hollowmere\\"));
    ASSERT_TRUE(Reload_Global_Structs());
    ASSERT_GE(Class_Infos.Count(), 2);
    TMonster character = Make_Character(2, "Maren", Class_Infos.Get(2)->Portraits[0]);
    character.Module_Text = "Krelvane";
    character.Character_State = 2;
    TItem_List items;
    std::filesystem::create_directories(dir_.Path() + "Characters");
    ASSERT_TRUE(Save_Character(character, items, dir_.Path() + "Characters/Maren.dat"));
    Start(false);
    TDC_Dlg_Select_Character* dialog = To_Character_Selection(false);
    ASSERT_NE(dialog, nullptr);
    Click(*dialog->f_Opt_Existing);
    Click_Item(*dialog->f_File_List, 1);
    EXPECT_TRUE(dialog->f_Preview_Loaded);
    Screenshot("select_character_existing");
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The real program under Xvfb, started without a quick start: its opening picture, the
// main menu, module selection, difficulty and character creation are passed with mouse
// clicks and typed keys at the places a player sees them, and the adventure is built.
TEST(Menus_Window, XvfbTheRealWindowGoesFromTheIntroToARunningGame) {
    if (run("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is not installed";
    TTemp_Dir dir;
    const std::filesystem::path game = KV_GAME_DIR;
    for (const char* folder : {"Data", "Modules", "Pictures", "Sounds", "Music", "Fonts"})
        if (std::filesystem::exists(game / folder))
            std::filesystem::create_directory_symlink(game / folder, dir.Path() + folder);
    // The dialogs centred on the 800 x 600 screen: the menu at (265, 20), module and
    // character selection at (52, 48), difficulty at (267, 123).
    const std::string shot = dir.Path() + "running.png";
    const std::string script =
        dir.Write("menus.txt", "wait 130\n"
                               "move 400 247\nclick 400 247\nwait 2\n"      // New Game
                               "move 120 123\nclick 120 123\nwait 2\n"      // the first module
                               "move 407 499\nclick 407 499\nwait 2\n"      // OK
                               "move 395 254\nclick 395 254\nwait 2\n"      // Average
                               "move 120 203\nclick 120 203\nwait 2\n"      // the first class
                               "move 415 287\nclick 415 287\nwait 2\n"      // the first portrait
                               "key Shift+X\nkey V\nkey F\nkey B\nwait 2\n" // the name
                               "key Enter\nwait 40\n"
                               "screenshot " +
                                   shot + "\nquit\n");
    const int status = run(
        "env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "
        "XDG_CONFIG_HOME='" +
        dir.Path() + "' xvfb-run -a -s '-screen 0 1024x768x24' '" + KV_GAME_EXE +
        "' --windowed --game-dir '" + dir.Path() + "' --script '" + script + "' >/dev/null 2>&1");
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(File_Exists(shot));
    // The adventure was built from the choices made: its module and levels are there.
    const std::vector<std::string> built = List_Files(dir.Path() + "CurrGame/");
    EXPECT_NE(std::find_if(built.begin(), built.end(),
                           [](const std::string& f) { return f.ends_with(".map"); }),
              built.end());
}

} // namespace
