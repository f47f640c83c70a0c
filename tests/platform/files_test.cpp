#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/files.h"
#include "support/temp_dir.h"

TEST(Native_Path, TurnsBackslashesIntoFolders) {
    TTemp_Dir dir;
    dir.Write("Data/Settings.txt", "x");
    EXPECT_EQ(Native_Path(dir.Path() + "Data\\Settings.txt"), dir.Path() + "Data/Settings.txt");
}

TEST(Native_Path, FindsEachPartIgnoringCase) {
    TTemp_Dir dir;
    dir.Write("Pictures/SysPics/MainUI.bmp", "x");
    EXPECT_EQ(Native_Path(dir.Path() + "PICTURES\\syspics\\mainui.BMP"),
              dir.Path() + "Pictures/SysPics/MainUI.bmp");
    EXPECT_TRUE(File_Exists(dir.Path() + "pictures\\SYSPICS\\MainUi.bmp"));
    EXPECT_TRUE(Folder_Exists(dir.Path() + "PICTURES\\"));
}

TEST(Native_Path, PrefersTheExactNameAndKeepsMissingParts) {
    TTemp_Dir dir;
    dir.Write("CurrGame/module.mod", "a");
    dir.Write("CurrGame/Module.mod", "b");
    EXPECT_EQ(Native_Path(dir.Path() + "CurrGame\\Module.mod"), dir.Path() + "CurrGame/Module.mod");
    // A missing file keeps the name as written, so it can be created there.
    EXPECT_EQ(Native_Path(dir.Path() + "currgame\\New\\x.MAP"), dir.Path() + "CurrGame/New/x.MAP");
    EXPECT_FALSE(File_Exists(dir.Path() + "CurrGame\\x.map"));
    EXPECT_FALSE(File_Exists(dir.Path() + "CurrGame")); // a folder is not a file
}

TEST(Plain_Names, RejectAnythingThatLeavesItsFolder) {
    EXPECT_TRUE(Is_Plain_Name("Sword.bmp"));
    EXPECT_TRUE(Is_Plain_Name("Long name with spaces.txt"));
    for (const char* bad : {"", ".", "..", "..\\..\\secret.bmp", "../x", "a/b", "a\\b", "C:\\x",
                            "C:x", "\\\\server\\share", "/etc/passwd", "x..y", "tab\tname"}) {
        EXPECT_FALSE(Is_Plain_Name(bad)) << bad;
    }
    EXPECT_TRUE(Is_Plain_Folder_Name("Crypt\\"));
    EXPECT_TRUE(Is_Plain_Folder_Name("Crypt/"));
    EXPECT_FALSE(Is_Plain_Folder_Name("Crypt"));
    EXPECT_FALSE(Is_Plain_Folder_Name("..\\"));
    EXPECT_FALSE(Is_Plain_Folder_Name("a\\b\\"));
    EXPECT_FALSE(Is_Plain_Folder_Name("\\"));
}

TEST(Folders, CreateListCopyAndDelete) {
    TTemp_Dir dir;
    ASSERT_TRUE(Create_Folder(dir.Path() + "Savegames\\slot03\\"));
    EXPECT_TRUE(Folder_Exists(dir.Path() + "Savegames\\slot03"));
    dir.Write("CurrGame/b.map", "bb");
    dir.Write("CurrGame/a.map", "a");
    dir.Write("CurrGame/sub/c.map", "c");
    EXPECT_EQ(List_Files(dir.Path() + "CurrGame\\"), (std::vector<std::string>{"a.map", "b.map"}));
    EXPECT_EQ(List_Folders(dir.Path() + "currgame"), (std::vector<std::string>{"sub"}));
    EXPECT_TRUE(List_Files(dir.Path() + "Nowhere\\").empty());

    ASSERT_TRUE(Copy_File(dir.Path() + "CurrGame\\b.map", dir.Path() + "Savegames\\slot03\\b.map"));
    EXPECT_EQ(dir.Read("Savegames/slot03/b.map"), "bb");
    EXPECT_FALSE(Copy_File(dir.Path() + "CurrGame\\missing.map", dir.Path() + "x.map"));
    EXPECT_FALSE(File_Exists(dir.Path() + "x.map"));

    EXPECT_TRUE(Delete_File(dir.Path() + "CURRGAME\\A.MAP"));
    EXPECT_FALSE(File_Exists(dir.Path() + "CurrGame\\a.map"));
    EXPECT_TRUE(Delete_Folder(dir.Path() + "CurrGame\\"));
    EXPECT_FALSE(Folder_Exists(dir.Path() + "CurrGame"));
}

TEST(Whole_Files, AtomicWriteReplacesOnlyWhenComplete) {
    TTemp_Dir dir;
    std::string path = dir.Path() + "game.id";
    ASSERT_TRUE(Write_File_Atomic(path, std::string("one\0two", 7)));
    std::string bytes;
    ASSERT_TRUE(Read_Whole_File(path, bytes));
    EXPECT_EQ(bytes, std::string("one\0two", 7));
    // A target that cannot be written leaves no temporary file and no change.
    EXPECT_FALSE(Write_File_Atomic(dir.Path() + "no\\such\\folder\\f", "x"));
    EXPECT_FALSE(Write_File_Atomic(dir.Path(), "x"));
    EXPECT_EQ(List_Files(dir.Path()), (std::vector<std::string>{"game.id"}));
    EXPECT_FALSE(Read_Whole_File(dir.Path() + "missing", bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(Open_File(dir.Path(), "rb"), nullptr); // a folder does not open as a file
}

TEST(Whole_Files, OnlyRegularFilesOfAGameFilesSizeAreRead) {
    TTemp_Dir dir;
    std::string bytes;
    // A device that never ends and a pipe that would block forever are refused at once.
    EXPECT_FALSE(Read_Whole_File("/dev/zero", bytes));
    EXPECT_TRUE(bytes.empty());
    const std::string pipe = dir.Path() + "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(Read_Whole_File(pipe, bytes));
    // Larger than the limit: refused whole, nothing half read.
    const std::string big = dir.Write("big.txt", std::string(5000, 'x'));
    EXPECT_FALSE(Read_Whole_File(big, bytes, 4096));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(Read_Whole_File(big, bytes, 5000));
    EXPECT_EQ(bytes.size(), 5000u);
}

TEST(Executable, KnowsWhereItRuns) {
    std::string dir = Executable_Dir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(Executable_Path().rfind(dir, 0), 0u);
}
