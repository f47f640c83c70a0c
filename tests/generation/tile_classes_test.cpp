#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "datafiles/data_file_errors.h"
#include "generation/terrain_category_cache.h"
#include "generation/tile_classes.h"
#include "shell/globals.h"
#include "shell/random.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

namespace {

using TLines = std::vector<std::string>;

// Replaces the line of the same key, or adds it.
void set_key(TLines& lines, const std::string& line) {
    const std::string key = line.substr(0, line.find(" :="));
    for (std::string& existing : lines)
        if (existing.rfind(key + " :=", 0) == 0) {
            existing = line;
            return;
        }
    lines.push_back(line);
}

TLines fixture_lines(const std::string& name) {
    std::ifstream in(KV_FIXTURES_DIR "/tiles/" + name);
    TLines lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A 17 x 17 header with two tile locations, a group, an entrance and two globals.
TLines header(int size = 17) {
    TLines lines = fixture_lines("header_record.txt");
    set_key(lines, "Tile Square Width := " + std::to_string(size));
    set_key(lines, "Tile Square Height := " + std::to_string(size));
    return lines;
}

TLines plain_rows(int size) {
    return TLines(static_cast<size_t>(size), std::string(static_cast<size_t>(size), '.'));
}

// sides: the connection types north, east, south, west.
TLines tile(const std::string& name, const TLines& rows, const std::string& sides = "1234",
            bool rotate = false) {
    TLines lines = fixture_lines("tile_record.txt");
    lines.push_back("Tile Name := " + name);
    const char* keys[4] = {"N", "E", "S", "W"};
    for (size_t side = 0; side < 4; ++side)
        lines.push_back(std::string("Connection Type ") + keys[side] + " := " + sides[side]);
    lines.push_back(std::string("Tile Can Be Rotated := ") + (rotate ? "TRUE" : "FALSE"));
    for (size_t n = 0; n < rows.size(); ++n)
        lines.push_back("Tile Row " + std::to_string(n + 1) + " := " + rows[n]);
    return lines;
}

std::string tile_file(const std::vector<TLines>& records) {
    std::string text = "Tiles for a test\n*BEGIN*\n// skipped\n// skipped\n";
    for (const TLines& record : records) {
        for (const std::string& line : record)
            text += line + "\n";
        text += "\n";
    }
    return text + "*END*\n";
}

class Tile_File : public ::testing::Test {
  protected:
    TData_File_Report read(const std::vector<TLines>& records) {
        return Read_Tile_Class_File(dir.Write("Tiles.txt", tile_file(records)), set);
    }
    TTemp_Dir dir;
    TTile_Class_Set set;
};

bool has_error(const TData_File_Report& report, const std::string& text) {
    return std::find(report.Errors.begin(), report.Errors.end(), text) != report.Errors.end();
}

// ---- Header and tile records ----

TEST_F(Tile_File, HeaderLocationsEntrancesAndSymbolsAreRead) {
    const TData_File_Report report = read({header(), tile("Hall", plain_rows(17))});
    ASSERT_TRUE(report.Ok()) << report.Errors.front();
    EXPECT_EQ(report.Heading, "Tile Class Data File Errors: ");
    const TTile_Class_Info& info = set.Info;
    EXPECT_EQ(info.Fill_Categories, (TLines{"rock", "fill"}));
    ASSERT_EQ(info.Specific_Locations.size(), 2u);
    EXPECT_EQ(info.Specific_Locations[0].X, 3);
    EXPECT_EQ(info.Specific_Locations[1].X, 0); // "[Random]"
    ASSERT_EQ(info.Group_Locations.size(), 1u);
    ASSERT_EQ(info.Group_Locations[0].Locations.size(), 2u);
    EXPECT_EQ(info.Group_Locations[0].Locations[0].X, 5); // 261 kept in 8 bits
    EXPECT_EQ(info.Group_Locations[0].Locations[0].Y, 0);
    ASSERT_EQ(info.Entrances.size(), 1u);
    EXPECT_EQ(info.Entrances[0].X, 9);
    EXPECT_EQ(info.Entrances[0].Y, 8);

    ASSERT_EQ(set.Tile_Count(), 1);
    const TTile_Class& hall = *set.Tile(1);
    EXPECT_EQ(set.Tile(2), nullptr);
    ASSERT_EQ(hall.Specific_Monsters.size(), 1u);
    EXPECT_EQ(hall.Specific_Monsters[0].Y, 44); // 300 kept in 8 bits
    // The tile's own symbol comes before the global ones, whose categories are lowercased.
    ASSERT_EQ(hall.Symbols.size(), 3u);
    EXPECT_EQ(hall.Symbols[0].Categories, TLines{"water"});
    EXPECT_EQ(hall.Symbols[1].Categories, (TLines{"floor", "plain"}));
    EXPECT_EQ(hall.Symbols[2].Symbol, "#");
}

TEST_F(Tile_File, RowsOfTheWrongWidthAreReportedAndLeftOut) {
    TLines rows = plain_rows(17);
    rows[4] = std::string(16, '#');
    rows[5] = std::string(17, '#');
    const TData_File_Report report = read({header(), tile("Hall", rows, "1111", true)});
    EXPECT_EQ(report.Errors, TLines{"Tile Row 5 not the correct size."});
    ASSERT_EQ(set.Tile_Count(), 1); // a tile with a missing row is never turned
    const TTile_Class& hall = *set.Tile(1);
    ASSERT_EQ(hall.Rows.size(), 16u);
    EXPECT_EQ(hall.Rows[4], std::string(17, '#')); // later rows move up
}

TEST_F(Tile_File, RowsThatDoNotMatchTheHeightAreReported) {
    // One row fewer than the height: the missing row is named.
    TLines rows = plain_rows(17);
    rows.pop_back();
    const TData_File_Report short_tile = read({header(), tile("Hall", rows, "1111", true)});
    ASSERT_EQ(short_tile.Errors.size(), 1u);
    EXPECT_NE(short_tile.Errors[0].find("\"Tile Row 17\""), std::string::npos)
        << short_tile.Errors[0];
    // One row more: the row past the height is named, not silently dropped.
    rows = plain_rows(17);
    rows.push_back(rows.back());
    const TData_File_Report long_tile = read({header(), tile("Hall", rows, "1111", true)});
    EXPECT_EQ(long_tile.Errors, TLines{"Tile Row 18 is beyond the Tile Square Height of 17."});
}

TEST_F(Tile_File, MessagesCiteTheLastTileNameSetInTheFile) {
    // A record without its own name is cited by the name of the tile before it.
    TLines nameless = tile("", plain_rows(17));
    nameless.erase(std::find(nameless.begin(), nameless.end(), "Tile Name := "));
    const TData_File_Report report = read({header(), tile("Hall", plain_rows(17)), nameless});
    EXPECT_TRUE(has_error(report, "Could not find field \"Tile Name\" in record \"Hall\"."))
        << (report.Errors.empty() ? "" : report.Errors.front());
}

TEST_F(Tile_File, TileSizesTheMapCannotHoldAreReported) {
    // A width that is not a number reads silently as 0.
    TLines no_width = header();
    set_key(no_width, "Tile Square Width := wide");
    TData_File_Report report = read({no_width, tile("Hall", plain_rows(17))});
    EXPECT_TRUE(has_error(
        report, "Tile size 0 x 17 does not fit the map: each side must be 1 to 184 squares."));
    EXPECT_FALSE(set.Info.Tile_Size_Usable());

    TLines wide = header();
    set_key(wide, "Tile Square Width := 185");
    set_key(wide, "Tile Square Height := 65535");
    report = read({wide});
    EXPECT_TRUE(has_error(report, "The file holds no tiles."));
    EXPECT_TRUE(has_error(
        report, "Tile size 185 x 65535 does not fit the map: each side must be 1 to 184 squares."));

    // The border adds 16 squares to what a tile may span.
    set_key(wide, "Tiles allowed in the border := TRUE");
    set_key(wide, "Tile Square Height := 200");
    report = read({wide, tile("Big", TLines(200, std::string(185, '.')))});
    EXPECT_TRUE(report.Ok());
    EXPECT_TRUE(set.Info.Tile_Size_Usable());
    EXPECT_EQ(set.Tile(1)->Rows.size(), 200u);
}

// ---- Turned copies ----

TEST_F(Tile_File, ATurnableTileGetsThreeCopiesTurnedClockwise) {
    TLines rows = plain_rows(17);
    rows[0][0] = 'A';
    rows[0][2] = 'B';
    ASSERT_TRUE(read({header(), tile("Hall", rows, "1234", true)}).Ok());
    ASSERT_EQ(set.Tile_Count(), 4);
    struct TExpect {
        uint8_t sides[4];
        int a_row, a_col, b_row, b_col;
    };
    // A at row 1 column 1, B at row 1 column 3, worked out by hand for each turn.
    const TExpect expect[3] = {
        {{4, 1, 2, 3}, 1, 17, 3, 17}, {{3, 4, 1, 2}, 17, 17, 17, 15}, {{2, 3, 4, 1}, 17, 1, 15, 1}};
    for (int r = 1; r <= 3; ++r) {
        const TTile_Class& copy = *set.Tile(r + 1);
        const TExpect& e = expect[r - 1];
        EXPECT_EQ(copy.Rotation, static_cast<uint32_t>(r));
        EXPECT_EQ(copy.Name, "Hall");
        for (int side = 0; side < 4; ++side)
            EXPECT_EQ(copy.Connection_Types[side], e.sides[side]) << "turn " << r;
        EXPECT_EQ(copy.Rows[static_cast<size_t>(e.a_row - 1)][static_cast<size_t>(e.a_col - 1)],
                  'A')
            << "turn " << r;
        EXPECT_EQ(copy.Rows[static_cast<size_t>(e.b_row - 1)][static_cast<size_t>(e.b_col - 1)],
                  'B')
            << "turn " << r;
        // Specific squares stay as the file gives them; placement turns them.
        EXPECT_EQ(copy.Specific_Monsters[0].X, 3);
        // The turned square helper agrees with the turned rows.
        EXPECT_EQ(Turn_Tile_Square(set.Info, static_cast<uint32_t>(r), 3, 1),
                  (TTile_Square{e.b_col, e.b_row}));
    }
    // Squares outside the tile (a missing or oversized position) turn to nothing.
    EXPECT_FALSE(Turn_Tile_Square(set.Info, 0, 0, 5).has_value());
    EXPECT_FALSE(Turn_Tile_Square(set.Info, 1, 40, 5).has_value());
    EXPECT_FALSE(Turn_Tile_Square(set.Info, 2, 5, 18).has_value());
}

TEST_F(Tile_File, CopiesEqualToATileAlreadyInTheTableAreLeftOut) {
    // Symmetric under a half turn: the half turn repeats the tile, and the three-quarter
    // turn repeats the quarter turn.
    TLines rows = plain_rows(17);
    rows[0][0] = 'A';
    rows[16][16] = 'A';
    ASSERT_TRUE(read({header(), tile("Hall", rows, "1212", true)}).Ok());
    ASSERT_EQ(set.Tile_Count(), 2);
    EXPECT_EQ(set.Tile(2)->Rotation, 1u);
    EXPECT_EQ(set.Tile(2)->Connection_Types[0], 2);

    // A copy matching a later tile of the file is left out too; fully symmetric tiles
    // and tiles that may not turn get none.
    TLines turned = plain_rows(17);
    turned[0][16] = 'A';
    turned[16][0] = 'A';
    ASSERT_TRUE(read({header(), tile("Hall", rows, "1212", true), tile("Other", turned, "2121"),
                      tile("Open", plain_rows(17), "1111", true), tile("Fixed", rows, "1234")})
                    .Ok());
    EXPECT_EQ(set.Tile_Count(), 4);
}

TEST_F(Tile_File, OnlySquareTilesTurnAndTheyTurnOnTheirOwnSize) {
    TLines rows = plain_rows(15);
    rows[0][0] = 'A';
    ASSERT_TRUE(read({header(15), tile("Hall", rows, "1234", true)}).Ok());
    ASSERT_EQ(set.Tile_Count(), 4);
    EXPECT_EQ(set.Tile(2)->Rows[0][14], 'A');
    EXPECT_EQ(set.Tile(2)->Rows.size(), 15u);
    EXPECT_EQ(Turn_Tile_Square(set.Info, 1, 1, 1), (TTile_Square{15, 1}));
    EXPECT_EQ(Turn_Tile_Square(set.Info, 2, 1, 1), (TTile_Square{15, 15}));
    EXPECT_EQ(Turn_Tile_Square(set.Info, 3, 1, 1), (TTile_Square{1, 15}));

    TLines oblong = header();
    set_key(oblong, "Tile Square Height := 3");
    ASSERT_TRUE(read({oblong, tile("Hall", TLines(3, std::string(17, '.')), "1234", true)}).Ok());
    EXPECT_EQ(set.Tile_Count(), 1);
    EXPECT_EQ(Turn_Tile_Square(set.Info, 0, 17, 3), (TTile_Square{17, 3}));
    EXPECT_FALSE(Turn_Tile_Square(set.Info, 1, 1, 1).has_value());
}

// ---- Loading through the module's folder ----

class Tile_File_Load : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Shell_Globals();
        App_Dir = dir.Path();
        Create_Primary_Global_Structs();
        ASSERT_TRUE(Path_Settings->Set_Module("Test\\"));
    }
    void TearDown() override {
        Free_Tile_Classes();
        Reset_Shell_Globals();
    }
    // Each error list shown, as heading, file, "|" and the number of messages.
    TLines shown() const {
        TLines lines;
        for (const auto& list : messages_.Error_Lists)
            lines.push_back(list.Heading + list.File + "|" + std::to_string(list.Messages.size()));
        return lines;
    }
    TTemp_Dir dir;
    TMessages_Recorder messages_;
    TScoped_Services use_{{.Messages = &messages_}};
};

TEST_F(Tile_File_Load, TheModulesFileReplacesTheLoadedTilesAndErrorsAreShown) {
    dir.Write("Modules/Test/Tiles/Good_Tiles.txt",
              tile_file({header(), tile("Hall", plain_rows(17))}));
    dir.Write("Modules/Test/Tiles/Bad_Tiles.txt", tile_file({header()}));
    ASSERT_TRUE(Load_Tile_Class_File("Good_Tiles.txt"));
    EXPECT_EQ(Tile_Classes.Tile_Count(), 1);
    EXPECT_TRUE(shown().empty());

    EXPECT_FALSE(Load_Tile_Class_File("Bad_Tiles.txt"));
    EXPECT_EQ(Tile_Classes.Tile_Count(), 0);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].rfind("Tile Class Data File Errors: ", 0), 0u);

    // A name that is not a plain file name reads nothing outside the folder.
    EXPECT_FALSE(Load_Tile_Class_File("../Tiles/Good_Tiles.txt"));
    EXPECT_EQ(Tile_Classes.Tile_Count(), 0);
    EXPECT_EQ(shown().size(), 2u);
}

// ---- Choosing terrain by categories ----

TEST(Terrain_Category_Cache, EveryCategoryOfEveryStyleZeroTerrainCanBeAskedFor) {
    TTerrain_Category_Cache cache;
    TLines many;
    for (int n = 1; n <= 12; ++n)
        many.push_back("cat" + std::to_string(n));
    cache.Add_Terrain(1, 0, {"Floor", "Plain"});
    cache.Add_Terrain(2, 0, many);
    cache.Add_Terrain(3, 1, {"floor", "plain"}); // another style: never chosen
    EXPECT_EQ(cache.Find_Terrain_By_Categories({"cat12"}).Slot, 2);
    TLines eleven(many.begin(), many.begin() + 11);
    const TTerrain_Choice long_request = cache.Find_Terrain_By_Categories(eleven);
    EXPECT_EQ(long_request.Slot, 2);
    EXPECT_TRUE(long_request.Only);
    const TTerrain_Choice floor = cache.Find_Terrain_By_Categories({"FLOOR", "plain"});
    EXPECT_EQ(floor.Slot, 1);
    EXPECT_TRUE(floor.Only);
    EXPECT_EQ(cache.Find_Terrain_By_Categories({"floor", "cat1"}).Slot, 0);
    EXPECT_EQ(cache.Find_Terrain_By_Categories({"flo"}).Slot, 0);
}

// ---- Painting a tile ----

class Tile_Painting : public ::testing::Test {
  protected:
    void SetUp() override {
        cache.Add_Terrain(1, 0, {"floor", "plain"});
        cache.Add_Terrain(2, 0, {"wall", "stone"});
        cache.Add_Terrain(3, 0, {"wall", "brick"});
        cache.Add_Terrain(4, 0, {"wall", "moss"});
        cache.Add_Terrain(5, 0, {"water"});
        hall.Symbols = {{".", {"water"}}, {"x", {}}, {".", {"floor"}}, {"#", {"wall"}}};
    }
    std::vector<std::vector<uint16_t>> paint() {
        std::vector<std::vector<uint16_t>> squares(hall.Rows.size(), std::vector<uint16_t>(17, 0));
        Paint_Tile_Squares(hall, cache, [&](int32_t column, int32_t row, uint16_t slot) {
            squares[static_cast<size_t>(row)][static_cast<size_t>(column)] = slot;
        });
        return squares;
    }
    TTerrain_Category_Cache cache;
    TTile_Class hall;
};

TEST_F(Tile_Painting, SymbolsPaintTheirTerrainAndOthersLeaveTheFill) {
    hall.Rows = {"..xz", "#"};
    const auto squares = paint();
    // The tile's own "." (water) wins over the later one; "x" has no categories and
    // "z" no symbol; a short row paints only what it has.
    EXPECT_EQ(squares[0],
              (std::vector<uint16_t>{5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_NE(squares[1][0], 0);
    EXPECT_EQ(squares[1][1], 0);
}

TEST_F(Tile_Painting, AUniqueTerrainIsChosenOnceAndSeveralAreChosenPerSquare) {
    hall.Rows = {std::string(17, '.')};
    Set_Random_Seed(77);
    paint();
    const uint32_t after_unique = Get_Random_Seed();
    Set_Random_Seed(77);
    Random_Range(1, 1);
    EXPECT_EQ(after_unique, Get_Random_Seed()); // one draw for all 17 squares

    hall.Rows = TLines(17, std::string(17, '#'));
    Set_Random_Seed(5);
    std::set<uint16_t> walls;
    for (const auto& row : paint())
        walls.insert(row.begin(), row.end());
    EXPECT_EQ(walls, (std::set<uint16_t>{2, 3, 4}));
}

} // namespace
