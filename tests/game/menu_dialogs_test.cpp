// The menus that lead to a new adventure, driven through the main screen as the window
// drives it: clicks on the dialogs' buttons and keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "game/dlg_difficulty.h"
#include "game/dlg_menu.h"
#include "game/dlg_select_character.h"
#include "game/dlg_select_module.h"
#include "game/menu_dialogs.h"
#include "game/save_load.h"
#include "platform/files.h"
#include "presentation/dlg_message.h"
#include "rules/class_info.h"
#include "rules/item_list.h"
#include "screen_support.h"

namespace {

const char* const Menu_Dialogs[] = {"Dlg Menu", "Dlg Select Module", "Dlg Difficulty",
                                    "Dlg Select Character"};

class Menu_Dialogs_Test : public Screen_Test {
  protected:
    void SetUp() override {
        Screen_Test::SetUp();
        Register_Menu_Dialogs();
        Start_Screen();
    }
    void TearDown() override {
        screen_.reset();
        for (const char* name : Menu_Dialogs)
            Register_Game_Dialog(name, nullptr);
        Screen_Test::TearDown();
    }
    // The default module, and a stray file that the list shows but that is no module.
    void Lay_Out_Modules() override {
        std::filesystem::create_directories(dir_.Path() + "Modules");
        std::filesystem::create_directory_symlink(Content() / "Modules" / "Hollowmere",
                                                  dir_.Path() + "Modules/Hollowmere");
        dir_.Write("Modules/notes.txt", "not a module");
    }
    // A click on item n of a list.
    void Click_Item(TDC_List& list, int n) {
        Click(list.f_X + 20, list.f_Y + (n - list.f_Top_Index) * list.f_Line_Height + 5);
    }
    // From the main menu to character selection of the default module at difficulty 2.
    TDC_Dlg_Select_Character& To_Character_Selection() {
        Click(Shown<TDC_Dlg_Menu>("Dlg Menu")->Button(1));
        auto* modules = Shown<TDC_Dlg_Select_Module>("Dlg Select Module");
        EXPECT_NE(modules, nullptr);
        const auto& items = modules->f_List->f_Items;
        const int n = int(std::find(items.begin(), items.end(), "Hollowmere") - items.begin()) + 1;
        Click_Item(*modules->f_List, n);
        Click(*modules->f_OK);
        Click(Shown<TDC_Dlg_Difficulty>("Dlg Difficulty")->Button(2));
        auto* characters = Shown<TDC_Dlg_Select_Character>("Dlg Select Character");
        EXPECT_NE(characters, nullptr);
        return *characters;
    }
    // The message box the character selection shows, as "title: text"; "" when none.
    static std::string Refusal(TDC_Dlg_Select_Character& dialog) {
        auto* box = dynamic_cast<TDC_Dlg_Message*>(dialog.Find_Child("General Message"));
        if (!box || box->f_Kill)
            return "";
        return box->f_Title + ": " + box->f_Text;
    }
    // A character exported into the characters folder as file.
    void Export(const std::string& file, const std::string& name, const std::string& data_set,
                uint8_t state, int32_t gold = 100, int32_t experience = 50) {
        TMonster character = Make_Character(1, name, "HumanFighter1.bmp");
        character.Module_Text = data_set;
        character.Character_State = state;
        character.Gold = gold;
        character.Experience = experience;
        TItem_List items;
        std::filesystem::create_directories(dir_.Path() + "Characters");
        ASSERT_TRUE(Save_Character(character, items, dir_.Path() + "Characters/" + file + ".dat"));
    }
};

TEST_F(Menu_Dialogs_Test, TheMainMenuShowsItsCreditsAndLeadsOnByItsButtons) {
    auto* menu = Shown<TDC_Dlg_Menu>("Dlg Menu");
    ASSERT_NE(menu, nullptr);
    Click(menu->Button(5));
    EXPECT_TRUE(menu->Credits_Shown());
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(menu->Button(n).f_Visible) << n;
    EXPECT_EQ(menu->Button(6).f_Caption, "Back");
    Click(menu->Button(6));
    EXPECT_FALSE(menu->Credits_Shown());
    for (int n = 1; n <= 6; ++n)
        EXPECT_TRUE(menu->Button(n).f_Visible) << n;
    EXPECT_EQ(menu->Button(6).f_Caption, "Quit");
    EXPECT_FALSE(screen_->Close_Requested()) << "Back does not quit";

    // Resume without a saved game says so and the menu comes back.
    Click(menu->Button(2));
    ASSERT_NE(Shown<TDC_Dlg_Menu>("Dlg Menu"), nullptr);
    auto* message = dynamic_cast<TDC_Dlg_Message*>(screen_->Shown("Message Dlg"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->f_Text, "There is no saved game to resume. Please use Load Game.");
    // Escape closes the message, not the menu under it.
    Key(VK_ESCAPE);
    EXPECT_EQ(screen_->Shown("Message Dlg"), nullptr);

    Click(Shown<TDC_Dlg_Menu>("Dlg Menu")->Button(6));
    EXPECT_TRUE(screen_->Close_Requested());
}

TEST_F(Menu_Dialogs_Test, ModuleSelectionListsTheModulesFolderAndTakesOnlyAModule) {
    Click(Shown<TDC_Dlg_Menu>("Dlg Menu")->Button(1));
    auto* modules = Shown<TDC_Dlg_Select_Module>("Dlg Select Module");
    ASSERT_NE(modules, nullptr);
    std::vector<std::string> listed = modules->f_List->f_Items;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"Hollowmere", "notes.txt"}));

    // OK and Enter with nothing selected do nothing.
    Click(*modules->f_OK);
    Key(VK_RETURN);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Module>("Dlg Select Module"), modules);

    // A file in the folder is no module: refused with a message, and it never becomes
    // the module.
    const auto& items = modules->f_List->f_Items;
    const int file = int(std::find(items.begin(), items.end(), "notes.txt") - items.begin()) + 1;
    const int module = file == 1 ? 2 : 1;
    Click_Item(*modules->f_List, file);
    EXPECT_TRUE(modules->f_Description.empty());
    Click(*modules->f_OK);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Module>("Dlg Select Module"), modules);
    EXPECT_NE(screen_->Shown("Message Dlg"), nullptr);
    EXPECT_TRUE(screen_->Module_Folder.empty());
    Key(VK_ESCAPE);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Module>("Dlg Select Module"), modules);

    // The module shows its descriptions; Enter takes it and difficulty follows.
    Click_Item(*modules->f_List, module);
    EXPECT_NE(modules->f_Description.find("fishing town"), std::string::npos);
    EXPECT_NE(modules->f_Difficulty_Description.find("new character"), std::string::npos);
    EXPECT_EQ(modules->f_Data_Set, "Krelvane");
    Key(VK_RETURN);
    EXPECT_EQ(screen_->Module_Folder, "Hollowmere");
    ASSERT_NE(Shown<TDC_Dlg_Difficulty>("Dlg Difficulty"), nullptr);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Module>("Dlg Select Module"), nullptr);

    // Escape in the difficulty dialog goes back to the menu without a module.
    Key(VK_ESCAPE);
    EXPECT_NE(Shown<TDC_Dlg_Menu>("Dlg Menu"), nullptr);
    EXPECT_TRUE(Path_Settings->Get_Module_Name().empty());
    // And Escape in module selection likewise.
    Click(Shown<TDC_Dlg_Menu>("Dlg Menu")->Button(1));
    Key(VK_ESCAPE);
    EXPECT_NE(Shown<TDC_Dlg_Menu>("Dlg Menu"), nullptr);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Module>("Dlg Select Module"), nullptr);
}

TEST_F(Menu_Dialogs_Test, ANewCharacterIsRefusedUntilClassPortraitAndAFreeNameAreGiven) {
    TDC_Dlg_Select_Character& dialog = To_Character_Selection();
    EXPECT_EQ(Game_Options->Difficulty, 2);
    Export("Taken", "Taken", "Krelvane", 0);
    auto refused = [&](const std::string& expected) {
        Click(*dialog.f_OK);
        EXPECT_EQ(Refusal(dialog), expected);
        EXPECT_EQ(Shown<TDC_Dlg_Select_Character>("Dlg Select Character"), &dialog);
        // Escape closes only the message box.
        Key(VK_ESCAPE);
        EXPECT_EQ(Refusal(dialog), "");
        EXPECT_EQ(Shown<TDC_Dlg_Select_Character>("Dlg Select Character"), &dialog);
    };
    refused("Character Class: You must select a character class from the list.");
    Click_Item(*dialog.f_Class_List, 2);
    refused("Character Portrait: You must select a character portrait for your character.");
    // A portrait the class does not have cannot be chosen.
    Click(*dialog.f_Portrait_Buttons[39]);
    EXPECT_EQ(dialog.f_Portrait, 0);
    Click(*dialog.f_Portrait_Buttons[1]);
    EXPECT_EQ(dialog.f_Portrait, 2);
    EXPECT_EQ(dialog.f_Portrait_Buttons[1]->f_Image_Index, 1);
    refused("Character Name: You must enter a name for your character.");
    // Names that cannot be a file name are refused like an empty one.
    for (const std::string& name : {std::string("   "), std::string(".."), std::string(300, 'a')}) {
        dialog.f_Edit->f_Text = name;
        refused("Character Name: You must enter a name for your character.");
    }
    dialog.f_Edit->f_Text.clear();
    Type("Taken");
    EXPECT_EQ(dialog.f_Edit->f_Text, "Taken");
    refused("Character Name: A character with that name already exists.");
    // Choosing another class forgets the portrait.
    Click_Item(*dialog.f_Class_List, 1);
    EXPECT_EQ(dialog.f_Portrait, 0);
    EXPECT_EQ(dialog.f_Portrait_Buttons[1]->f_Image_Index, 0);

    Click(*dialog.f_Portrait_Buttons[0]);
    Key(VK_BACK);
    Type("Wren");
    EXPECT_EQ(dialog.f_Edit->f_Text, "TakeWren");
    Key(VK_RETURN);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Character>("Dlg Select Character"), nullptr);
    ASSERT_NE(Current_Map->Player(), nullptr);
    const TMonster& player = *Current_Map->Player();
    EXPECT_EQ(player.Name, "TakeWren");
    EXPECT_EQ(player.Class_Number, 1);
    EXPECT_EQ(player.Picture_Filename, Class_Infos.Get(1)->Portraits[0]);
    EXPECT_EQ(Game_Options->Start_Level, 1);
    EXPECT_TRUE(screen_->Game_Running);
}

TEST_F(Menu_Dialogs_Test, ExistingCharactersAreDeletedOnlyWhenChosenAndRefusedWhenUnusable) {
    Export("Busy", "Busy", "Krelvane", 1);
    Export("Foreign", "Foreign", "Other Set", 0);
    Export("Fallen", "Fallen", "krelvane ", 2, 101, 70);
    TDC_Dlg_Select_Character& dialog = To_Character_Selection();
    Click(*dialog.f_Opt_Existing);
    EXPECT_FALSE(dialog.New_Mode());
    EXPECT_TRUE(dialog.f_File_List->f_Visible);
    EXPECT_FALSE(dialog.f_Class_List->f_Visible);
    EXPECT_EQ(dialog.f_File_List->f_Items, (std::vector<std::string>{"Busy", "Fallen", "Foreign"}));
    auto select = [&](const std::string& name) {
        const auto& items = dialog.f_File_List->f_Items;
        Click_Item(*dialog.f_File_List,
                   int(std::find(items.begin(), items.end(), name) - items.begin()) + 1);
    };
    const std::string folder = dir_.Path() + "Characters/";

    // Delete and OK share a control name, yet each does its own work.
    Click(*dialog.f_Delete);
    EXPECT_TRUE(File_Exists(folder + "Busy.dat")) << "Delete without a selection";
    EXPECT_EQ(dialog.f_File_List->f_Items.size(), 3u);
    Click(*dialog.f_OK);
    EXPECT_EQ(Refusal(dialog), "Select Character: You must select a character from the list.");
    Key(VK_ESCAPE);

    select("Busy");
    EXPECT_EQ(dialog.State_Text(), "This character is currently in a module and cannot be used.");
    Click(*dialog.f_OK);
    EXPECT_EQ(Refusal(dialog),
              "Character Unavailable: You cannot use a character that is currently in a module.");
    Key(VK_ESCAPE);
    EXPECT_TRUE(File_Exists(folder + "Busy.dat")) << "OK never deletes";
    Click(*dialog.f_Delete);
    EXPECT_FALSE(File_Exists(folder + "Busy.dat"));
    EXPECT_TRUE(File_Exists(folder + "Fallen.dat"));
    EXPECT_EQ(dialog.f_File_List->f_Items, (std::vector<std::string>{"Fallen", "Foreign"}));
    EXPECT_EQ(Shown<TDC_Dlg_Select_Character>("Dlg Select Character"), &dialog);

    select("Foreign");
    const std::string other =
        "This character was created using a different data set than is used by this module. "
        "This character cannot be used in this module.";
    EXPECT_EQ(dialog.State_Text(), other);
    Key(VK_RETURN);
    EXPECT_EQ(Refusal(dialog), "Character Unavailable: " + other);
    Key(VK_ESCAPE);
    EXPECT_FALSE(screen_->Game_Running);

    // The dead character (its data set named with other case and a blank) comes back
    // for half its gold and its experience, and starts the game.
    select("Fallen");
    EXPECT_NE(dialog.State_Text().find("has died"), std::string::npos);
    Click(*dialog.f_OK);
    EXPECT_EQ(Shown<TDC_Dlg_Select_Character>("Dlg Select Character"), nullptr);
    ASSERT_NE(Current_Map->Player(), nullptr);
    EXPECT_EQ(Current_Map->Player()->Name, "Fallen");
    EXPECT_EQ(Current_Map->Player()->Gold, 50);
    EXPECT_EQ(Current_Map->Player()->Experience, 0);
    EXPECT_TRUE(screen_->Game_Running);
    EXPECT_TRUE(File_Exists(folder + "Fallen.dat")) << "OK never deletes";
}

TEST_F(Menu_Dialogs_Test, AnExistingCharacterIsTheFileChosenWhateverNameItStores) {
    Export("Bob", "Alice", "Krelvane", 0);
    Export("Alice", "Alice", "Krelvane", 0, 7);
    TDC_Dlg_Select_Character& dialog = To_Character_Selection();
    Click(*dialog.f_Opt_Existing);
    Click_Item(*dialog.f_File_List, 2); // "Bob"
    Click(*dialog.f_OK);
    ASSERT_NE(Current_Map->Player(), nullptr);
    EXPECT_EQ(Current_Map->Player()->Gold, 100) << "not Alice.dat's character";
}

TEST_F(Menu_Dialogs_Test, EscapeInCharacterSelectionReturnsToTheMenuWithoutAModule) {
    To_Character_Selection();
    Key(VK_ESCAPE);
    EXPECT_NE(Shown<TDC_Dlg_Menu>("Dlg Menu"), nullptr);
    EXPECT_TRUE(Path_Settings->Get_Module_Name().empty());
    EXPECT_FALSE(screen_->Game_Running);
}

} // namespace
