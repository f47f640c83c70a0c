#include <gtest/gtest.h>

#include "game/high_scores.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> names(const THigh_Scores_List& table) {
    std::vector<std::string> out;
    for (int32_t p = 1; p <= High_Score_Count; ++p)
        out.push_back(table.Get(p)->Name);
    return out;
}

TEST(High_Scores, ResultsAreOrderedByLevelThenExperience) {
    THigh_Scores_List table;
    EXPECT_TRUE(table.Add_Score("Ann", "Fighter", 500, 3));
    EXPECT_TRUE(table.Add_Score("Bob", "Mage", 100, 5));
    EXPECT_EQ(table.Get(1)->Name, "Bob");
    EXPECT_EQ(table.Get(2)->Name, "Ann");
    EXPECT_TRUE(table.Add_Score("Cid", "Thief", 900, 3)); // more experience: above Ann
    EXPECT_TRUE(table.Add_Score("Dee", "Thief", 500, 3)); // equal: below Ann
    EXPECT_FALSE(table.Add_Score("Nil", "Thief", 0, 0));
    EXPECT_EQ(names(table),
              (std::vector<std::string>{"Bob", "Cid", "Ann", "Dee", "", "", "", "", "", ""}));
    EXPECT_EQ(table.Get(2)->Class_Name, "Thief");
    EXPECT_EQ(table.Get(2)->Experience, 900);
    EXPECT_EQ(table.Get(2)->Level, 3);
    EXPECT_EQ(table.Get(0), nullptr);
    EXPECT_EQ(table.Get(11), nullptr);

    // A full table refuses a result below position 10 and drops its last on insertion.
    for (int i = 0; i < 6; ++i)
        table.Add_Score("L" + std::to_string(i), "Mage", 10, 2);
    EXPECT_FALSE(table.Add_Score("Low", "Mage", 5, 2));
    EXPECT_TRUE(table.Add_Score("Top", "Mage", 1, 9));
    EXPECT_EQ(table.Get(1)->Name, "Top");
    EXPECT_EQ(table.Get(10)->Name, "L4");
}

TEST(High_Scores, TheFileRoundTripsAndADamagedOneIsNotOverwritten) {
    TTemp_Dir dir;
    const std::string file = dir.Path() + "HighScores.dat";
    EXPECT_TRUE(Record_High_Score(file, "Ann", "Fighter", 1234567, 4)); // no file yet
    EXPECT_TRUE(Record_High_Score(file, "Bob", "Mage", 10, 2));
    THigh_Scores_List table;
    ASSERT_TRUE(table.Load(file));
    EXPECT_EQ(table.Get(1)->Name, "Ann");
    EXPECT_EQ(table.Get(1)->Experience, 1234567);
    EXPECT_EQ(table.Get(2)->Class_Name, "Mage");

    std::string bytes;
    ASSERT_TRUE(Read_Whole_File(file, bytes));
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x06\x04"
                                              "1.06"));
    const std::string truncated = bytes.substr(0, bytes.size() - 20);
    ASSERT_TRUE(Write_File_Atomic(file, truncated));
    // The character dies: the damaged table is neither replaced nor changed.
    Record_High_Score(file, "Cid", "Thief", 5, 9);
    std::string after;
    ASSERT_TRUE(Read_Whole_File(file, after));
    EXPECT_EQ(after, truncated);
    THigh_Scores_List damaged;
    damaged.Add_Score("Kept", "Mage", 1, 1);
    EXPECT_FALSE(damaged.Load(file));
    EXPECT_EQ(damaged.Get(1)->Name, "Kept");
    EXPECT_FALSE(damaged.Save(file));
}

} // namespace
