// Copying a saved game's files between the current-game folder and a slot, and
// emptying a folder: every plain file and nothing else.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/save_load.h"
#include "platform/files.h"
#include "shell/services.h"
#include "support/temp_dir.h"

namespace {

// Records the messages and the busy pointer while it lives.
struct TFolder_Display : TSave_Load_Display {
    std::vector<std::string> Messages;
    std::vector<bool> Busy;
    TScoped_Services shown_on{{.Save_Load = this}};
    void Show_Message(const std::string& title, const std::string& text) override {
        Messages.push_back(title + ": " + text);
    }
    void Set_Busy_Pointer(bool busy) override { Busy.push_back(busy); }
};

} // namespace

TEST(Folder_Files, A_Copy_Brings_Every_File_And_Replaces_Those_Of_The_Same_Name) {
    TTemp_Dir dir;
    TFolder_Display display;
    dir.Write("CurrGame/module.mod", "module");
    dir.Write("CurrGame/1.map", "level one, new");
    dir.Write("CurrGame/game.id", "header");
    dir.Write("CurrGame/Notes/inside.txt", "a folder is not a file");
    dir.Write("Slot01/1.map", "level one, old");
    dir.Write("Slot01/2.map", "level two");
    // The game's own paths: "\" separators and a trailing one.
    const std::string from = dir.Path() + "CurrGame\\", to = dir.Path() + "Slot01\\";
    ASSERT_TRUE(Copy_Folder_Files(from, to));
    EXPECT_EQ(dir.Read("Slot01/module.mod"), "module");
    EXPECT_EQ(dir.Read("Slot01/1.map"), "level one, new");
    EXPECT_EQ(dir.Read("Slot01/game.id"), "header");
    // What only the target had stays; sub-folders are not copied.
    EXPECT_EQ(dir.Read("Slot01/2.map"), "level two");
    EXPECT_FALSE(Folder_Exists(to + "Notes"));
    EXPECT_EQ(List_Files(to),
              (std::vector<std::string>{"1.map", "2.map", "game.id", "module.mod"}));
    // The source is untouched.
    EXPECT_EQ(List_Files(from), (std::vector<std::string>{"1.map", "game.id", "module.mod"}));
    EXPECT_TRUE(display.Messages.empty());
    EXPECT_EQ(display.Busy, (std::vector<bool>{true, false}));

    // A target that does not exist yet is made.
    ASSERT_TRUE(Copy_Folder_Files(from, dir.Path() + "Slot02\\"));
    EXPECT_EQ(dir.Read("Slot02/1.map"), "level one, new");
}

TEST(Folder_Files, A_Copy_That_Cannot_Be_Made_Is_Reported) {
    TTemp_Dir dir;
    TFolder_Display display;
    const std::string missing = dir.Path() + "Nowhere\\", to = dir.Path() + "Slot01\\";
    EXPECT_FALSE(Copy_Folder_Files(missing, to));
    EXPECT_EQ(display.Messages, std::vector<std::string>{"Error: Unable to copy files from \"" +
                                                         missing + "\" to \"" + to + "\"."});
    EXPECT_FALSE(Folder_Exists(to));
    // A target below a plain file cannot be made.
    dir.Write("CurrGame/1.map", "level");
    dir.Write("blocker", "a file, not a folder");
    display.Messages.clear();
    EXPECT_FALSE(Copy_Folder_Files(dir.Path() + "CurrGame\\", dir.Path() + "blocker\\Slot\\"));
    EXPECT_EQ(display.Messages.size(), 1u);
    EXPECT_EQ(display.Busy.back(), false);
}

TEST(Folder_Files, Deleting_Empties_The_Folder_Of_Files_Only) {
    TTemp_Dir dir;
    TFolder_Display display;
    dir.Write("Slot03/module.mod", "module");
    dir.Write("Slot03/1.map", "level");
    dir.Write("Slot03/Keep/inside.txt", "in a sub-folder");
    dir.Write("Other/1.map", "another slot");
    ASSERT_TRUE(Delete_Folder_Files(dir.Path() + "Slot03\\"));
    EXPECT_TRUE(List_Files(dir.Path() + "Slot03\\").empty());
    EXPECT_TRUE(Folder_Exists(dir.Path() + "Slot03\\"));
    EXPECT_EQ(dir.Read("Slot03/Keep/inside.txt"), "in a sub-folder");
    EXPECT_EQ(dir.Read("Other/1.map"), "another slot");
    // An empty or missing folder has nothing to delete.
    EXPECT_TRUE(Delete_Folder_Files(dir.Path() + "Slot03\\"));
    EXPECT_TRUE(Delete_Folder_Files(dir.Path() + "Nowhere\\"));
    EXPECT_TRUE(display.Messages.empty());
    EXPECT_EQ(display.Busy, (std::vector<bool>{true, false, true, false, true, false}));
}
