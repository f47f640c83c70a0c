// Name comparison ignoring case, and the parts of a path with either separator.

#include <gtest/gtest.h>

#include "platform/names.h"

namespace {

TEST(Names, CaseIsIgnoredForAsciiLettersOnly) {
    EXPECT_EQ(Lower_Case("Two Way - ALWAYS"), "two way - always");
    // Accented letters (Latin-1 and UTF-8 bytes) are left as they are.
    const std::string accented = "\xc9p\xc3\x89";
    EXPECT_EQ(Lower_Case(accented + "E"), accented + "e");
    EXPECT_EQ(Lower_Case(""), "");
    EXPECT_TRUE(Same_Name("Picture Filename", "PICTURE filename"));
    EXPECT_TRUE(Same_Name("", ""));
    EXPECT_FALSE(Same_Name("Sword", "Swords"));
    EXPECT_FALSE(Same_Name("\xc9", "\xe9")); // not an ASCII pair
    EXPECT_FALSE(Same_Name("[", "{"));       // 0x5B and 0x7B differ by the case bit only
    EXPECT_TRUE(Name_Less("apple", "Banana"));
    EXPECT_FALSE(Name_Less("Banana", "apple"));
    EXPECT_TRUE(Name_Less("Sword", "sWORDS")); // a common prefix: the shorter first
    EXPECT_FALSE(Name_Less("SWORD", "sword"));
    EXPECT_FALSE(Name_Less("sword", "SWORD"));
    EXPECT_TRUE(Name_Less("z", "\xe9")); // bytes above 127 sort after ASCII
}

TEST(Names, PathPartsTakeEitherSeparatorUnlessNativeOnly) {
    EXPECT_EQ(File_Name_Part("Maps\\level1.map"), "level1.map");
    EXPECT_EQ(File_Name_Part("a/b\\c.txt"), "c.txt");
    EXPECT_EQ(File_Name_Part("a\\b/c.txt"), "c.txt");
    EXPECT_EQ(File_Name_Part("plain.txt"), "plain.txt");
    EXPECT_EQ(File_Name_Part(""), "");
    EXPECT_EQ(File_Name_Part("\\"), "");
    EXPECT_EQ(File_Name_Part("Saves/"), "");
    EXPECT_EQ(Folder_Part("Maps\\level1.map"), "Maps\\");
    EXPECT_EQ(Folder_Part("/g/Saves\\slot01/game.id"), "/g/Saves\\slot01/");
    EXPECT_EQ(Folder_Part("plain.txt"), "");
    EXPECT_EQ(Folder_Part(""), "");
    EXPECT_EQ(Folder_Part("/"), "/");
    EXPECT_EQ(Folder_Part("Saves\\"), "Saves\\");
    // In a native path "\" is part of a name.
    EXPECT_EQ(Folder_Part("/home/a\\b/krelvane", Native_Separator), "/home/a\\b/");
    EXPECT_EQ(File_Name_Part("/home/a\\b", Native_Separator), "a\\b");
    EXPECT_EQ(Folder_Part("a\\b", Native_Separator), "");
}

TEST(Names, TrailingSeparatorsAreAddedOnceAndRemovedAll) {
    EXPECT_EQ(With_Trailing_Separator("/games/krelvane"), "/games/krelvane/");
    EXPECT_EQ(With_Trailing_Separator("/games/krelvane/"), "/games/krelvane/");
    EXPECT_EQ(With_Trailing_Separator("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(With_Trailing_Separator(""), ""); // never the root folder
    EXPECT_EQ(With_Trailing_Separator("/"), "/");
    EXPECT_EQ(With_Trailing_Separator("\\"), "\\");
    EXPECT_EQ(With_Trailing_Separator("out\\", Native_Separator), "out\\/");
    EXPECT_EQ(Without_Trailing_Separators("Crypt\\"), "Crypt");
    EXPECT_EQ(Without_Trailing_Separators("Crypt/\\/"), "Crypt");
    EXPECT_EQ(Without_Trailing_Separators("Crypt"), "Crypt");
    EXPECT_EQ(Without_Trailing_Separators("\\/"), "");
    EXPECT_EQ(Without_Trailing_Separators(""), "");
    EXPECT_EQ(Without_Trailing_Separators("a\\b/"), "a\\b");
    EXPECT_TRUE(Is_Separator('\\'));
    EXPECT_FALSE(Is_Separator('\\', Native_Separator));
    EXPECT_FALSE(Is_Separator(':'));
}

} // namespace
