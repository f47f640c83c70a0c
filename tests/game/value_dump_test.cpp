#include <gtest/gtest.h>

#include <cstdio>

#include "game/game_support.h"
#include "game/high_scores.h"
#include "game/value_dump.h"
#include "shell/value_stream.h"

namespace {

struct TCaptured {
    int status = 0;
    std::string out, err;
};

TCaptured run_dump(const std::vector<std::string>& args) {
    TCaptured c;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    c.status = Tool_Dump(args, out, err);
    for (auto [file, text] : {std::pair{out, &c.out}, std::pair{err, &c.err}}) {
        std::rewind(file);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text->append(buffer, n);
        std::fclose(file);
    }
    return c;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Value_Dump, RawValuesAreListedWithTheirOffsets) {
    TValue_Writer w;
    w.Write_Integer(127);
    w.Write_Word(40000);
    w.Write_Boolean(true);
    w.Write_String("a\"b");
    w.Write_Float(2.5);
    std::string listing, error;
    std::FILE* out = std::tmpfile();
    EXPECT_TRUE(Dump_Raw_Values(w.Bytes(), out, error));
    std::rewind(out);
    char buffer[512] = {};
    listing.assign(buffer, std::fread(buffer, 1, sizeof buffer - 1, out));
    std::fclose(out);
    EXPECT_EQ(listing, "       0 integer 127\n"
                       "       2 integer 40000\n"
                       "       7 boolean true\n"
                       "       8 string \"a\\\"b\"\n"
                       "      13 float 2.5\n");
    EXPECT_FALSE(Dump_Raw_Values(w.Bytes().substr(0, 5), std::tmpfile(), error));
    EXPECT_EQ(error, "value cut short at byte 2");
}

TEST(Value_Dump, EveryKindOfSaveFileIsPrinted) {
    TTest_Game game;
    game.Write_New_Game();
    ASSERT_TRUE(Save_Game("Dumped", game.Objects, game.Current_Folder() + "module.mod",
                          game.Current_Folder() + "1.map"));
    ASSERT_TRUE(Export_Character(game.Player_Creature(), game.Map->Item_List, false));
    const std::string scores = game.Dir.Path() + "HighScores.dat";
    Record_High_Score(scores, "Ann", "Fighter", 99, 3);

    TCaptured c = run_dump({game.Current_Folder() + "game.id"});
    EXPECT_EQ(c.status, 0);
    EXPECT_TRUE(has(c.out, "game name: \"Dumped\"\n"));
    EXPECT_TRUE(has(c.out, "player: creature 1\n"));
    EXPECT_TRUE(has(c.out, "module: \"Test\\\\\"\n"));
    EXPECT_TRUE(has(c.out, "difficulty 3"));

    c = run_dump({game.Current_Folder() + "1.map"});
    EXPECT_EQ(c.status, 0);
    EXPECT_TRUE(has(c.out, "name: \"Level One\""));
    EXPECT_TRUE(has(c.out, "creature 2 \"Rat\""));
    EXPECT_TRUE(has(c.out, "item 1 \"Sword\""));

    c = run_dump({game.Current_Folder() + "module.mod"});
    EXPECT_TRUE(has(c.out, "connection 1 to map 2: (21, 20) -> (50, 50) type 1\n"));

    c = run_dump({game.Dir.Path() + "Characters/Aldric.dat"});
    EXPECT_TRUE(has(c.out, "carried items: 2\n  slot 6: item 1 \"Sword\""));

    c = run_dump({scores});
    EXPECT_TRUE(has(c.out, " 1. \"Ann\" \"Fighter\" level 3 experience 99\n"));

    // A damaged file: the error, then the values that could be read.
    std::string bytes = game.Dir.Read("HighScores.dat");
    game.Dir.Write("HighScores.dat", bytes.substr(0, 12));
    c = run_dump({scores});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(has(c.err, "is damaged"));
    EXPECT_TRUE(has(c.out, "       0 string \"1.06\"\n"));

    EXPECT_EQ(run_dump({}).status, 2);
    EXPECT_EQ(run_dump({game.Dir.Path() + "missing.map"}).status, 2);
}

} // namespace
