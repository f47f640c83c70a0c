#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "generation/generation_tools.h"
#include "platform/files.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "support/temp_dir.h"
#include "world/map.h"

namespace {

// What a command printed on its two streams.
struct TCommand_Run {
    int status = 0;
    std::string out, err;
};

TCommand_Run run(int (*command)(const std::vector<std::string>&, std::FILE*, std::FILE*),
                 const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    TCommand_Run result;
    result.status = command(args, out, err);
    for (auto [file, text] : {std::pair{out, &result.out}, std::pair{err, &result.err}}) {
        std::rewind(file);
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text->append(buffer, n);
        std::fclose(file);
    }
    return result;
}

// A game folder whose data and modules are the content's, so that what the tool writes
// lands in the temporary folder.
class Tool_Game : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        const std::filesystem::path content = KV_FIXTURES_DIR "/../../content";
        std::filesystem::create_directory_symlink(content / "Data", game_.Path() + "Data");
        std::filesystem::create_directory_symlink(content / "Modules", game_.Path() + "Modules");
    }
    void TearDown() override {
        Display_Effects = TDisplay_Effect_List();
        Master_Spells.Clear();
        Reset_Shell_Globals();
    }
    TTemp_Dir game_;
};

TEST_F(Tool_Game, CreateModuleWritesEveryLevelAndRenderMapDrawsOne) {
    const TCommand_Run created =
        run(Tool_Create_Module, {"--module", "Hollowmere", "--game-dir", game_.Path(), "--seed",
                                 "42", "--difficulty", "3"});
    ASSERT_EQ(created.status, 0) << created.err;
    size_t lines = 0;
    for (size_t at = created.out.find("map "); at != std::string::npos;
         at = created.out.find("\nmap ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 5u) << created.out;
    EXPECT_NE(created.out.find("map 2 Bell Cellars: "), std::string::npos) << created.out;
    EXPECT_NE(created.out.find(" locked squares; "), std::string::npos);
    EXPECT_TRUE(File_Exists(game_.Path() + "CurrGame/module.mod"));

    const std::string png = game_.Path() + "level2.png";
    const TCommand_Run drawn =
        run(Tool_Render_Map, {game_.Path() + "CurrGame/2.map", "--png", png});
    ASSERT_EQ(drawn.status, 0) << drawn.err;
    std::string bytes;
    ASSERT_TRUE(Read_Whole_File(png, bytes));
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    // A damaged map file is refused with a message and no picture.
    const std::string broken = game_.Write("broken.map", bytes.substr(0, 100));
    const TCommand_Run refused = run(Tool_Render_Map, {broken, "--png", game_.Path() + "no.png"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("damaged or unreadable"), std::string::npos);
    EXPECT_FALSE(File_Exists(game_.Path() + "no.png"));
}

// A module whose data files have errors may still be written, but the command fails.
TEST(Tool_Create_Module_Errors, AnyErrorListMakesTheCommandFail) {
    Reset_Shell_Globals();
    TTemp_Dir game;
    const std::filesystem::path content = KV_FIXTURES_DIR "/../../content";
    std::filesystem::create_directory_symlink(content / "Data", game.Path() + "Data");
    std::filesystem::create_directories(game.Path() + "Modules/Hollowmere");
    std::filesystem::copy(content / "Modules" / "Hollowmere", game.Path() + "Modules/Hollowmere",
                          std::filesystem::copy_options::recursive);
    game.Write("Modules/Hollowmere/Data/ChanceGroups.txt", "");
    const TCommand_Run created = run(
        Tool_Create_Module, {"--module", "Hollowmere", "--game-dir", game.Path(), "--seed", "3"});
    EXPECT_EQ(created.status, 1) << created.out;
    EXPECT_NE(created.err.find("ChanceGroups.txt"), std::string::npos) << created.err;
    Display_Effects = TDisplay_Effect_List();
    Master_Spells.Clear();
    Reset_Shell_Globals();
}

TEST_F(Tool_Game, BadArgumentsAndMissingModulesAreUsageErrors) {
    EXPECT_EQ(run(Tool_Create_Module, {"--game-dir", game_.Path()}).status, 2);
    EXPECT_EQ(run(Tool_Create_Module, {"--module", "Hollowmere", "--difficulty", "9"}).status, 2);
    EXPECT_EQ(run(Tool_Create_Module, {"--module", "Hollowmere", "--seed", "x1"}).status, 2);
    const TCommand_Run missing =
        run(Tool_Create_Module, {"--module", "Nowhere", "--game-dir", game_.Path()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("no module \"Nowhere\""), std::string::npos);
    EXPECT_EQ(run(Tool_Render_Map, {"--png", "x.png"}).status, 2);
    EXPECT_FALSE(Folder_Exists(game_.Path() + "CurrGame"));
}

// A stored-block zlib stream read back: the bytes it holds.
std::string inflate_stored(const std::string& z) {
    std::string raw;
    size_t at = 2;
    for (bool last = false; !last && at + 5 <= z.size();) {
        last = (z[at] & 1) != 0;
        const size_t n = static_cast<uint8_t>(z[at + 1]) |
                         (static_cast<size_t>(static_cast<uint8_t>(z[at + 2])) << 8);
        raw.append(z, at + 5, n);
        at += 5 + n;
    }
    return raw;
}

TEST(Render_Map, MarksAndTheEncodedPictureHoldTheLevel) {
    auto map = std::make_unique<TWriteable_Map>();
    TTerrain grass;
    grass.Overview_Color = 0x00336699; // blue 0x33, green 0x66, red 0x99
    map->Terrains.Add_Terrain(grass);
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y)
            map->Get_Square(x, y)->Terrain = 1;
    map->Get_Square(10, 20)->Set_Entrance(true);
    map->Add_Location_List({}, 30, 40);
    TMonster creature;
    creature.X = 50;
    creature.Y = 60;
    map->Place_Monster_At_Its_Position(*map->Monster_List.Get(map->Monster_List.Add(creature)));

    const TMap_Picture picture = Render_Map_Picture(*map);
    ASSERT_EQ(picture.Width, 600);
    EXPECT_EQ(picture.Pixel(0, 0), 0x996633u);
    EXPECT_EQ(picture.Pixel(27, 57), 0xFFFFFFu); // the entrance frame
    EXPECT_EQ(picture.Pixel(28, 58), 0x996633u);
    EXPECT_EQ(picture.Pixel(88, 118), 0xFF8C00u);  // the chest
    EXPECT_EQ(picture.Pixel(148, 178), 0xFF0000u); // the creature

    const std::string png = Encode_Map_PNG(picture);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(static_cast<uint8_t>(png[18]) * 256 + static_cast<uint8_t>(png[19]), 600);
    const size_t idat = png.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    const size_t length = (static_cast<size_t>(static_cast<uint8_t>(png[idat - 4])) << 24) |
                          (static_cast<size_t>(static_cast<uint8_t>(png[idat - 3])) << 16) |
                          (static_cast<size_t>(static_cast<uint8_t>(png[idat - 2])) << 8) |
                          static_cast<uint8_t>(png[idat - 1]);
    const std::string raw = inflate_stored(png.substr(idat + 4, length));
    ASSERT_EQ(raw.size(), 600u * (1 + 600 * 3));
    // Row 178, pixel 148 (after the row's filter byte): the creature's red.
    const size_t at = 178 * (1 + 600 * 3) + 1 + 148 * 3;
    EXPECT_EQ(static_cast<uint8_t>(raw[at]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(raw[at + 1]), 0x00);
    EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

} // namespace
