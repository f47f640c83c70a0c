// The tile editor's files: what "Save Tile" writes must load as tiles of a module, and
// "Load Tile" must read back what was saved, or the first tile of a module's file.

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "generation/tile_classes.h"
#include "generation/tile_export.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

// Terrain slot n stands for the categories "t<n>, stone".
std::vector<std::string> categories_of(uint16_t slot) {
    return {"t" + std::to_string(slot), "stone"};
}

uint16_t slot_of(const std::vector<std::string>& categories) {
    for (const std::string& c : categories)
        if (c.size() > 1 && c[0] == 't')
            return uint16_t(std::stoi(c.substr(1)));
    return 0;
}

// A tile class file: the header of the test fixtures at a 15 x 15 tile size, then the
// records as written.
std::string tile_class_file(const std::vector<std::string>& records) {
    std::ifstream in(KV_FIXTURES_DIR "/tiles/header_record.txt");
    std::string text = "*BEGIN*\n// Tiles saved by the editor\n\n";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("Tile Square Width", 0) == 0)
            line = "Tile Square Width := 15";
        if (line.rfind("Tile Square Height", 0) == 0)
            line = "Tile Square Height := 15";
        text += line + "\n";
    }
    text += "\n";
    for (const std::string& record : records)
        text += record + "\n";
    return text + "*END*\n";
}

TEST(Tile_Export, SymbolsFollowFirstAppearanceAndStopWhereTheyWouldNotReadBack) {
    std::string all;
    for (int32_t n = 0; n < Tile_Symbol_Count; ++n)
        all += Tile_Symbol(n);
    EXPECT_EQ(all, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMOPQRSTUVWXYZ"
                   "!\"#$%&'()*+,-./0123456789:;<=>?@{|}~");
    EXPECT_EQ(Tile_Symbol(Tile_Symbol_Count), '\0');

    // 87 terrains in one section, met in falling slot order: symbols go by appearance.
    TTile_Editor_Grid grid;
    for (int32_t n = 0; n < Tile_Symbol_Count; ++n)
        grid.Set(n % 15 + 1, n / 15 + 1, uint16_t(200 - n));
    std::vector<std::string> texts;
    std::string error;
    ASSERT_TRUE(Tile_Section_Texts(grid, categories_of, texts, error)) << error;
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("Tile Row 1                                  := abcdefghijklmno\n"),
              std::string::npos);
    EXPECT_NE(texts[0].find("Tile Row 6                                  := 9:;<=>?@{|}~NNN\n"),
              std::string::npos);
    EXPECT_NE(texts[0].find("Identifier 2 Terrain Category               := t199, stone\n"),
              std::string::npos);
    EXPECT_NE(texts[0].find("Number of Tile Specific Identifiers         := 87\n"),
              std::string::npos);

    // One more terrain is refused, and nothing is written.
    grid.Set(13, 6, 1);
    TTemp_Dir dir;
    std::vector<std::string> written;
    EXPECT_FALSE(Save_Tile_Files(grid, categories_of, dir.Path(), written, error));
    EXPECT_NE(error.find("more than 87 different terrains"), std::string::npos) << error;
    EXPECT_TRUE(written.empty());
    EXPECT_TRUE(List_Files(dir.Path()).empty());
}

TEST(Tile_Export, AWideAndHighGridSavesFourSectionsThatLoadAsTilesAndReadBack) {
    TTile_Editor_Grid grid(30, 30);
    for (int32_t j = 1; j <= 30; ++j)
        for (int32_t i = 1; i <= 30; ++i)
            grid.Set(i, j, uint16_t((i * 7 + j * 3) % 6)); // 0 (empty) to 5
    TTemp_Dir dir;
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(Save_Tile_Files(grid, categories_of, dir.Path(), written, error)) << error;
    ASSERT_EQ(written,
              (std::vector<std::string>{"Tile_1.txt", "Tile_2.txt", "Tile_3.txt", "Tile_4.txt"}));

    // Pasted after a header, the four records load as one tile of four sections.
    std::vector<std::string> records;
    for (const std::string& name : written)
        records.push_back(dir.Read(name));
    TTile_Class_Set set;
    const TData_File_Report report =
        Read_Tile_Class_File(dir.Write("Module_Tiles.txt", tile_class_file(records)), set);
    ASSERT_TRUE(report.Ok()) << report.Errors.front();
    ASSERT_EQ(set.Tile_Count(), 4);
    for (int32_t k = 0; k < 4; ++k) {
        const TTile_Class& tile = set.Tiles[size_t(k)];
        EXPECT_EQ(tile.Section_Group_ID, 1u);
        EXPECT_EQ(tile.Section_X, uint32_t(k % 2 + 1));
        EXPECT_EQ(tile.Section_Y, uint32_t(k / 2 + 1));
        ASSERT_EQ(tile.Rows.size(), 15u);
        for (int32_t j = 1; j <= 15; ++j)
            for (int32_t i = 1; i <= 15; ++i) {
                const char symbol = tile.Rows[size_t(j - 1)][size_t(i - 1)];
                uint16_t slot = 0;
                for (const TTile_Class_Symbol& s : tile.Symbols)
                    if (!s.Symbol.empty() && s.Symbol[0] == symbol) {
                        slot = slot_of(s.Categories);
                        break;
                    }
                ASSERT_EQ(slot, grid.At(i + 15 * (k % 2), j + 15 * (k / 2)))
                    << "section " << k + 1 << " square " << i << "," << j;
            }
    }

    // "Load Tile" reads a section back square for square.
    TTile_Editor_Grid back;
    back.Set(1, 1, 4); // cleared first
    ASSERT_TRUE(Load_Tile_File(dir.Path() + "Tile_4.txt", back, slot_of, error)) << error;
    for (int32_t j = 1; j <= 15; ++j)
        for (int32_t i = 1; i <= 15; ++i)
            ASSERT_EQ(back.At(i, j), grid.At(i + 15, j + 15)) << i << "," << j;

    // Saving again never writes over an earlier export.
    written.clear();
    ASSERT_TRUE(Save_Tile_Files(grid, categories_of, dir.Path(), written, error));
    EXPECT_EQ(written.front(), "Tile_5.txt");
    EXPECT_EQ(dir.Read("Tile_1.txt"), records[0]);
}

TEST(Tile_Export, ALargerModuleTileLoadsWhatFitsWithItsGlobalSymbols) {
    // A 17 x 17 tile after a header whose global "." is floor: the 15 x 15 grid takes
    // the top-left 15 x 15 squares, the own symbol "x" before any global one.
    std::string rows;
    for (int32_t n = 1; n <= 17; ++n)
        rows += "Tile Row " + std::to_string(n) +
                " := " + (n == 17 ? std::string(17, 'x') : "x" + std::string(15, '.') + "x") + "\n";
    const std::string text = "*BEGIN*\n\n\nTile Square Width := 17\n"
                             "Global Identifier 1 Symbol := .\n"
                             "Global Identifier 1 Terrain Category := t2, stone\n\n"
                             "Tile Name := Hall\n" +
                             rows +
                             "Identifier 1 Symbol := x\n"
                             "Identifier 1 Terrain Category := t3\n\n"
                             "Tile Name := Second\nTile Row 1 := qqqq\n*END*\n";
    TTemp_Dir dir;
    TTile_Editor_Grid grid;
    std::string error;
    ASSERT_TRUE(Load_Tile_File(dir.Write("Big.txt", text), grid, slot_of, error)) << error;
    EXPECT_EQ(grid.At(1, 1), 3);
    EXPECT_EQ(grid.At(2, 15), 2);
    EXPECT_EQ(grid.At(15, 15), 2); // column 16 and row 17 fell away
    EXPECT_EQ(grid.At(16, 1), 0);

    EXPECT_FALSE(Load_Tile_File(dir.Write("None.txt", "Tile Name := x\n"), grid, slot_of, error));
    EXPECT_NE(error.find("holds no tile rows"), std::string::npos);
}

} // namespace
