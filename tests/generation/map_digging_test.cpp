#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "generation/level_population.h"
#include "generation/map_digging.h"
#include "rules/item_classes.h"
#include "rules/monster_classes.h"
#include "shell/globals.h"
#include "shell/random.h"
#include "world/group_files.h"
#include "world/map.h"
#include "world/module_definition.h"
#include "world/store_classes.h"

namespace {

// Terrain slots of the hand-built terrain list.
enum : uint16_t {
    Rock = 1,
    Floor,
    Generic_Wall,
    Wall_NS,
    Wall_EW,
    Wall_Ceiling,
    Door,
    Door_NS,
    Door_EW,
    Locked_Door,
    Trap_Floor,
    Border_Rock,
    Chest,
};

TTerrain terrain(const std::string& name, std::vector<std::string> categories, bool passable) {
    TTerrain t;
    t.Name = name;
    t.Categories = std::move(categories);
    t.Movement_Flags = passable ? Movement_Land : 0;
    t.Vision_Flags = passable ? Vision_Normal : 0;
    return t;
}

struct TDig_Map : TWriteable_Map {
    TDig_Map() {
        Terrains.Add_Terrain(terrain("Rock", {"rock", "fill"}, false));
        Terrains.Add_Terrain(terrain("Floor", {"floor"}, true));
        Terrains.Add_Terrain(terrain("Generic Wall", {"wall", "generic", "stone"}, false));
        Terrains.Add_Terrain(terrain("Wall NS", {"wall", "ns", "stone"}, false));
        Terrains.Add_Terrain(terrain("Wall EW", {"wall", "ew", "stone"}, false));
        Terrains.Add_Terrain(terrain("Wall Ceiling", {"wall", "ceiling", "stone"}, false));
        Terrains.Add_Terrain(terrain("Door", {"door", "generic", "oak"}, true));
        Terrains.Add_Terrain(terrain("Door NS", {"door", "ns", "oak"}, true));
        Terrains.Add_Terrain(terrain("Door EW", {"door", "ew", "oak"}, true));
        TTerrain locked = terrain("Locked Door", {"door", "iron"}, true);
        locked.Locked_Terrain_Group = "Iron Doors";
        locked.Locked_Key_Groups = {"Iron Key"};
        Terrains.Add_Terrain(locked);
        TTerrain trapped = terrain("Trap Floor", {"trapspot"}, true);
        trapped.Trapped_Terrain_Group = "Pits";
        trapped.Locked_Terrain_Group = "Keyless";
        Terrains.Add_Terrain(trapped);
        Terrains.Add_Terrain(terrain("Border Rock", {"rock", "border"}, false));
        TTerrain chest = terrain("Chest", {"chest"}, false);
        chest.Display_Chest_Window = true;
        Terrains.Add_Terrain(chest);
        Make_Current();
    }
};

// A tile whose rows are floor with a wall frame open in the middle of every open side.
TTile_Class framed_tile(const std::string& name, const std::string& sides, int32_t size,
                        uint32_t chance = 10, uint32_t max = 100) {
    TTile_Class tile;
    tile.Name = name;
    for (int32_t d = 0; d < 4; ++d)
        tile.Connection_Types[d] = static_cast<uint8_t>(sides[static_cast<size_t>(d)] - '0');
    tile.Max_Per_Level = max;
    tile.Max_Per_Module = max;
    tile.Percent_Chance = chance;
    const int32_t mid = size / 2;
    for (int32_t r = 0; r < size; ++r) {
        std::string row(static_cast<size_t>(size), '.');
        for (int32_t c = 0; c < size; ++c) {
            const bool edge = r == 0 || c == 0 || r == size - 1 || c == size - 1;
            const bool gap = (r == 0 && c == mid && sides[0] != '0') ||
                             (c == size - 1 && r == mid && sides[1] != '0') ||
                             (r == size - 1 && c == mid && sides[2] != '0') ||
                             (c == 0 && r == mid && sides[3] != '0');
            if (edge && !gap)
                row[static_cast<size_t>(c)] = '#';
        }
        tile.Rows.push_back(row);
    }
    tile.Symbols = {{".", {"floor"}}, {"#", {"wall", "generic"}}};
    return tile;
}

TTile_Class_Set tile_set(int32_t size, bool in_border = false) {
    TTile_Class_Set set;
    set.Info.Tile_Square_Width = static_cast<uint32_t>(size);
    set.Info.Tile_Square_Height = static_cast<uint32_t>(size);
    set.Info.Fill_Categories = {"rock", "fill"};
    set.Info.Tiles_In_Border = in_border;
    set.Info.Percent_To_Fill = 40;
    set.Info.Tiles_Per_Cycle = 4;
    return set;
}

// Every combination of open sides of one connection type.
void add_all_shapes(TTile_Class_Set& set, int32_t size) {
    for (int32_t mask = 1; mask < 16; ++mask) {
        std::string sides;
        for (int32_t d = 0; d < 4; ++d)
            sides += (mask & (1 << d)) ? '1' : '0';
        set.Tiles.push_back(framed_tile("Shape " + sides, sides, size));
    }
}

// Squares reachable from (x, y) over squares a land mover may enter or a door opens.
std::vector<uint8_t> reachable(const TMap& map, int32_t x, int32_t y) {
    std::vector<uint8_t> seen(static_cast<size_t>(Map_Size * Map_Size), 0);
    auto at = [](int32_t sx, int32_t sy) {
        return static_cast<size_t>((sx - 1) * Map_Size + (sy - 1));
    };
    auto passable = [&](int32_t sx, int32_t sy) {
        const TMap_Square* square = map.Get_Square(sx, sy);
        const TTerrain* t = square ? square->Get_Terrain(map) : nullptr;
        return t && (t->Has_Movement_Flag(Movement_Land) || t->Next_Terrain_Action != 0);
    };
    std::vector<std::pair<int32_t, int32_t>> todo{{x, y}};
    seen[at(x, y)] = 1;
    while (!todo.empty()) {
        const auto [cx, cy] = todo.back();
        todo.pop_back();
        const int32_t dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        for (int32_t d = 0; d < 4; ++d) {
            const int32_t nx = cx + dx[d], ny = cy + dy[d];
            if (TMap::In_Map(nx, ny) && !seen[at(nx, ny)] && passable(nx, ny)) {
                seen[at(nx, ny)] = 1;
                todo.emplace_back(nx, ny);
            }
        }
    }
    return seen;
}
bool reached(const std::vector<uint8_t>& seen, int32_t x, int32_t y) {
    return seen[static_cast<size_t>((x - 1) * Map_Size + (y - 1))] != 0;
}

TDig_Result dig(TMap& map, TTile_Class_Set& tiles, std::vector<std::string>& errors,
                uint32_t seed = 7, const TModule_Map_Class* map_class = nullptr) {
    Set_Random_Seed(seed);
    TDig_Request request;
    request.Map_Number = 3;
    request.Map_File_Name = "test.txt";
    request.Reseed_From_Clock = false;
    request.Map_Class = map_class;
    TDig_Result result;
    Dig_Tile_Map(map, tiles, request, result, errors);
    return result;
}

// ---- The default module's tile files ----

struct TTile_File_Case {
    const char* tiles;
    const char* terrain;
};

class Module_Tile_Files : public ::testing::TestWithParam<TTile_File_Case> {};

TEST_P(Module_Tile_Files, EveryStartAndEntranceIsReachableAndTheGridStaysOnTheMap) {
    const std::string folder = KV_FIXTURES_DIR "/../../content/Modules/Hollowmere/Tiles/";
    TTile_Class_Set file;
    ASSERT_TRUE(Read_Tile_Class_File(folder + GetParam().tiles, file).Ok());
    auto map = std::make_unique<TDig_Map>();
    ASSERT_TRUE(map->Terrains.Read_Terrain_File(folder + GetParam().terrain).Ok());
    ASSERT_TRUE(file.Info.Require_Start_Connections);
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        TTile_Class_Set tiles = file;
        std::vector<std::string> errors;
        const TDig_Result result = dig(*map, tiles, errors, seed * 7919);
        ASSERT_TRUE(errors.empty())
            << GetParam().tiles << " seed " << seed << ": " << errors.front();
        const TTile_Grid& grid = result.Grid;
        EXPECT_GE(grid.Offset_X, 1);
        EXPECT_LE(grid.Left(grid.Width) + grid.Tile_Width - 1, Map_Size);
        EXPECT_LE(grid.Top(grid.Height) + grid.Tile_Height - 1, Map_Size);
        ASSERT_GE(result.Entrances.Count(), 1u);
        const std::vector<uint8_t> seen =
            reachable(*map, result.Entrances.Xs[0], result.Entrances.Ys[0]);
        for (size_t e = 0; e < result.Entrances.Count(); ++e) {
            ASSERT_TRUE(TMap::In_Map(result.Entrances.Xs[e], result.Entrances.Ys[e]));
            EXPECT_TRUE(reached(seen, result.Entrances.Xs[e], result.Entrances.Ys[e]))
                << GetParam().tiles << " seed " << seed << " entrance " << result.Entrances.Ids[e];
        }
        for (int32_t cx = 1; cx <= grid.Width; ++cx)
            for (int32_t cy = 1; cy <= grid.Height; ++cy) {
                if (!grid.Cell(cx, cy).Starting)
                    continue;
                bool any = false;
                for (int32_t x = grid.Left(cx); x < grid.Left(cx) + grid.Tile_Width; ++x)
                    for (int32_t y = grid.Top(cy); y < grid.Top(cy) + grid.Tile_Height; ++y)
                        any = any || reached(seen, x, y);
                EXPECT_TRUE(any) << GetParam().tiles << " seed " << seed << " start (" << cx << ","
                                 << cy << ")";
            }
        // Row and column 200 keep the fill terrain.
        const uint16_t fill = map->Get_Square(200, 1)->Terrain;
        for (int32_t n = 1; n <= Map_Size; ++n) {
            EXPECT_EQ(map->Get_Square(200, n)->Terrain, fill);
            EXPECT_EQ(map->Get_Square(n, 200)->Terrain, fill);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hollowmere, Module_Tile_Files,
    ::testing::Values(TTile_File_Case{"Town_Tiles.txt", "Town_Terrain.txt"},
                      TTile_File_Case{"Cellar_Tiles.txt", "Crypt_Terrain.txt"},
                      TTile_File_Case{"Ossuary_Tiles.txt", "Crypt_Terrain.txt"},
                      TTile_File_Case{"Caves_Tiles.txt", "Cave_Terrain.txt"},
                      TTile_File_Case{"Chapel_Tiles.txt", "Crypt_Terrain.txt"}));

// ---- Layout on the grid ----

TEST(Dig_Layout, TheFallbackStartTileTakesCellSixOrTheCentreOfASmallGrid) {
    auto map = std::make_unique<TDig_Map>();
    std::vector<std::string> errors;
    TTile_Class_Set tiles = tile_set(16);
    tiles.Info.Percent_To_Fill = 0;
    tiles.Tiles.push_back(framed_tile("Closed", "0000", 16));
    tiles.Tiles.push_back(framed_tile("Hub", "1111", 16, 0));
    TDig_Result result = dig(*map, tiles, errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(result.Grid.Width, 11); // 184 div 16
    EXPECT_EQ(result.Grid.Cell(6, 6).Tile, 2);

    // 40-square tiles with the border allowed give a 5 x 5 grid: its centre is (3, 3).
    TTile_Class_Set big = tile_set(40, true);
    big.Info.Percent_To_Fill = 0;
    big.Tiles.push_back(framed_tile("Hub", "1111", 40, 0));
    errors.clear();
    result = dig(*map, big, errors);
    EXPECT_EQ(result.Grid.Width, 5);
    EXPECT_EQ(result.Grid.Cell(3, 3).Tile, 1);
    EXPECT_EQ(result.Grid.Occupied_Count(), 1);
}

TEST(Dig_Layout, GrowthKeepsSidesAgreeingClosedAtTheGridEdgeAndLimitsPerLevel) {
    auto map = std::make_unique<TDig_Map>();
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        TTile_Class_Set tiles = tile_set(16);
        tiles.Info.Percent_To_Fill = 90;
        add_all_shapes(tiles, 16);
        tiles.Tiles.push_back(framed_tile("Shrine", "1111", 16, 90, 1));
        std::vector<std::string> errors;
        const TDig_Result result = dig(*map, tiles, errors, seed);
        const TTile_Grid& grid = result.Grid;
        EXPECT_GT(grid.Occupied_Count(), 30);
        int32_t shrines = 0;
        for (int32_t cx = 1; cx <= grid.Width; ++cx)
            for (int32_t cy = 1; cy <= grid.Height; ++cy) {
                const TGrid_Cell& cell = grid.Cell(cx, cy);
                if (cell.Tile == 0)
                    continue;
                shrines += tiles.Tile(cell.Tile)->Name == "Shrine" ? 1 : 0;
                const int32_t dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
                for (int32_t d = 0; d < 4; ++d) {
                    const int32_t nx = cx + dx[d], ny = cy + dy[d];
                    if (!grid.In_Grid(nx, ny)) {
                        EXPECT_EQ(cell.Connections[d], 0)
                            << "open towards the edge at " << cx << "," << cy;
                    } else if (grid.Cell(nx, ny).Tile != 0) {
                        EXPECT_EQ(cell.Connections[d], grid.Cell(nx, ny).Connections[(d + 2) % 4]);
                    }
                }
            }
        EXPECT_LE(shrines, 1);
    }
}

TEST(Dig_Layout, SeparateStartsAreBridgedOrReportedAfterBoundedRetries) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    tiles.Info.Require_Start_Connections = true;
    tiles.Info.Percent_To_Fill = 1;
    tiles.Info.Specific_Locations = {{"Camp", 2, 2}, {"Camp", 9, 9}};
    add_all_shapes(tiles, 16);
    tiles.Tiles.push_back(framed_tile("Camp", "1111", 16, 0));
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        TTile_Class_Set copy = tiles;
        std::vector<std::string> errors;
        const TDig_Result result = dig(*map, copy, errors, seed);
        ASSERT_TRUE(errors.empty()) << errors.front();
        const TTile_Grid& grid = result.Grid;
        // The middle squares of the two camps join over floor.
        const std::vector<uint8_t> seen = reachable(*map, grid.Left(2) + 8, grid.Top(2) + 8);
        EXPECT_TRUE(reached(seen, grid.Left(9) + 8, grid.Top(9) + 8)) << "seed " << seed;
    }

    // Camps closed on every side can never be joined: one message, after every retry.
    TTile_Class_Set closed = tile_set(16);
    closed.Info.Require_Start_Connections = true;
    closed.Info.Specific_Locations = {{"Cell", 2, 2}, {"Cell", 9, 9}};
    closed.Tiles.push_back(framed_tile("Cell", "0000", 16));
    std::vector<std::string> errors;
    const TDig_Result result = dig(*map, closed, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front(), "Could not ensure starting point connections on Map 3: test.txt.");
    EXPECT_EQ(result.Layout_Attempts_Used, TDig_Request{}.Layout_Attempts);
}

TEST(Dig_Layout, StartsThatNoBridgeCanJoinAreReportedWhenTheRoundsRunOut) {
    // Side by side camps whose corridors carry different connection types: every bridge
    // fails and the same corridors grow back, round after round.
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    tiles.Info.Require_Start_Connections = true;
    tiles.Info.Percent_To_Fill = 1;
    tiles.Info.Specific_Locations = {{"Camp One", 2, 5}, {"Camp Two", 3, 5}};
    tiles.Tiles.push_back(framed_tile("Camp One", "1010", 16, 0));
    tiles.Tiles.push_back(framed_tile("Camp Two", "2020", 16, 0));
    tiles.Tiles.push_back(framed_tile("Hall One", "1010", 16, 10, 65535));
    tiles.Tiles.push_back(framed_tile("Hall Two", "2020", 16, 10, 65535));
    std::vector<std::string> errors;
    const TDig_Result result = dig(*map, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front(), "Could not ensure starting point connections on Map 3: test.txt.");
    EXPECT_EQ(result.Grid.Cell(3, 4).Tile, 4);
}

TEST(Dig_Layout, ARandomStartOnANarrowGridKeepsOffTheEdgesOfItsLongSide) {
    auto map = std::make_unique<TDig_Map>();
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        // 16 by 60 squares: 11 by 3 cells.
        TTile_Class_Set tiles = tile_set(16);
        tiles.Info.Tile_Square_Height = 60;
        tiles.Info.Percent_To_Fill = 0;
        tiles.Info.Specific_Locations = {{"Camp", 0, 0}};
        TTile_Class camp;
        camp.Name = "Camp";
        camp.Max_Per_Level = 1;
        camp.Max_Per_Module = 1;
        camp.Rows.assign(60, std::string(16, '.'));
        camp.Symbols = {{".", {"floor"}}};
        tiles.Tiles.push_back(camp);
        std::vector<std::string> errors;
        const TDig_Result result = dig(*map, tiles, errors, seed);
        ASSERT_TRUE(errors.empty()) << errors.front();
        ASSERT_EQ(result.Grid.Width, 11);
        ASSERT_EQ(result.Grid.Height, 3);
        ASSERT_EQ(result.Grid.Occupied_Count(), 1);
        for (int32_t cx = 1; cx <= 11; ++cx)
            for (int32_t cy = 1; cy <= 3; ++cy) {
                if (result.Grid.Cell(cx, cy).Tile != 0) {
                    EXPECT_TRUE(cx >= 2 && cx <= 9) << "cell " << cx << " with seed " << seed;
                }
            }
    }
}

TEST(Dig_Layout, MissingTilesAndUnusableFilesAreReported) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    tiles.Info.Specific_Locations = {{"Nowhere", 0, 0}};
    tiles.Tiles.push_back(framed_tile("Room", "1111", 16));
    std::vector<std::string> errors;
    dig(*map, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front(), "Could not find tile \"Nowhere\".");

    // A tile width of 0 (a missing key) digs nothing and leaves the map empty.
    TTile_Class_Set broken = tile_set(0);
    broken.Tiles.push_back(framed_tile("Room", "1111", 16));
    errors.clear();
    const TDig_Result result = dig(*map, broken, errors);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(result.Grid.Cells.size(), 0u);
    EXPECT_EQ(map->Get_Square(100, 100)->Terrain, 0);
}

// ---- From the grid to the squares ----

TEST(Dig_Squares, ABorderGridStartsAtSquareOneAndEntrancesStayInTheirTile) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(20, true);
    tiles.Info.Specific_Locations = {{"Corner", 1, 1}, {"Corner", 10, 10}};
    tiles.Info.Entrances = {{"Corner", 20, 20}, {"Corner", 0, 5}, {"Corner", 40, 5}};
    tiles.Tiles.push_back(framed_tile("Corner", "0000", 20));
    std::vector<std::string> errors;
    const TDig_Result result = dig(*map, tiles, errors);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(result.Grid.Offset_X, 1);
    EXPECT_EQ(result.Grid.Offset_Y, 1);
    EXPECT_EQ(map->Get_Square(1, 1)->Terrain, Generic_Wall);
    EXPECT_EQ(map->Get_Square(2, 2)->Terrain, Floor);
    EXPECT_EQ(map->Get_Square(200, 200)->Terrain, Generic_Wall);
    EXPECT_EQ(map->Get_Square(199, 199)->Terrain, Floor);
    // Only the entrance inside the tile counts, once per placed tile.
    ASSERT_EQ(result.Entrances.Count(), 2u);
    EXPECT_EQ(result.Entrances.Ids, (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(result.Entrances.Xs, (std::vector<int32_t>{20, 200}));
    EXPECT_EQ(result.Entrances.Ys, (std::vector<int32_t>{20, 200}));
}

TEST(Dig_Squares, TheOuterBorderCoversEightSquaresAndLeavesRowTwoHundred) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    tiles.Info.Border_Fill_Categories = {"border"};
    tiles.Tiles.push_back(framed_tile("Room", "0000", 16));
    std::vector<std::string> errors;
    dig(*map, tiles, errors);
    EXPECT_EQ(map->Get_Square(1, 100)->Terrain, Border_Rock);
    EXPECT_EQ(map->Get_Square(7, 100)->Terrain, Border_Rock);
    EXPECT_EQ(map->Get_Square(8, 100)->Terrain, Rock);
    EXPECT_EQ(map->Get_Square(191, 100)->Terrain, Rock);
    EXPECT_EQ(map->Get_Square(192, 100)->Terrain, Border_Rock);
    EXPECT_EQ(map->Get_Square(199, 199)->Terrain, Border_Rock);
    EXPECT_EQ(map->Get_Square(200, 100)->Terrain, Rock);
    EXPECT_EQ(map->Get_Square(100, 200)->Terrain, Rock);

    // Border categories that no terrain has leave the border as it was dug.
    tiles.Info.Border_Fill_Categories = {"lava"};
    dig(*map, tiles, errors);
    EXPECT_EQ(map->Get_Square(1, 100)->Terrain, Rock);
    EXPECT_EQ(map->Get_Square(199, 199)->Terrain, Rock);
}

TEST(Dig_Squares, LocksAndTrapsFollowTheChanceGroupAndTheTilesGroups) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    TTile_Class room = framed_tile("Vault", "0000", 16);
    room.Rows[3] = "#.LL..TT.......#";
    room.Rows[4] = "#..........K...#";
    room.Symbols.push_back({"L", {"door", "iron"}});
    room.Symbols.push_back({"T", {"trapspot"}});
    room.Symbols.push_back({"K", {"trapspot"}});
    room.Locked_Terrain_Groups = "Iron Doors, Keyless";
    room.Trapped_Terrain_Groups = "Pits";
    tiles.Tiles.push_back(room);
    tiles.Info.Specific_Locations = {{"Vault", 5, 5}};

    TModule_Chance_Group group;
    group.Chance_Group_ID = 4;
    group.Locked_Group_Names = {"iron doors", "Keyless"};
    group.Locked_Group_Percents = {100, 100};
    group.Trapped_Group_Names = {"Pits"};
    group.Trapped_Group_Percents = {100};
    Chance_Groups = {group};
    TModule_Map_Class map_class;
    map_class.Chance_Group = 4;
    map_class.Trap_Group_Name = "Cellar Traps";

    std::vector<std::string> errors;
    const TDig_Result result = dig(*map, tiles, errors, 7, &map_class);
    EXPECT_TRUE(errors.empty());
    const int32_t left = result.Grid.Left(5), top = result.Grid.Top(5);
    std::string name;
    EXPECT_TRUE(map->Get_Square(left + 2, top + 3)->Is_Locked());
    EXPECT_TRUE(map->Get_Lock_Name(left + 3, top + 3, name));
    EXPECT_EQ(name, "Iron Key");
    // A trap terrain is in a locked group too, but has no key to name: never locked.
    EXPECT_FALSE(map->Get_Square(left + 6, top + 3)->Is_Locked());
    EXPECT_TRUE(map->Get_Square(left + 6, top + 3)->Is_Trapped());
    EXPECT_TRUE(map->Get_Trap_Name(left + 11, top + 4, name));
    EXPECT_EQ(name, "Cellar Traps");
    EXPECT_EQ(result.Counts.Locks, 2);
    EXPECT_EQ(result.Counts.Traps, 3);

    // Percent 0 locks nothing; without a chance group nothing is locked or trapped.
    Chance_Groups[0].Locked_Group_Percents = {0, 0};
    TTile_Class_Set again = tiles;
    EXPECT_EQ(dig(*map, again, errors, 7, &map_class).Counts.Locks, 0);
    again = tiles;
    const TDig_Result plain = dig(*map, again, errors);
    EXPECT_EQ(plain.Counts.Locks + plain.Counts.Traps, 0);
    Chance_Groups.clear();
}

// ---- Population ----

TEST(Dig_Population, GroupsNeedMonsterSquaresAndALeaderChestsGetTheirListsAndBadSquaresAreSkipped) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    TTile_Class room = framed_tile("Den", "0000", 16);
    room.Rows[2][2] = 'C';
    room.Symbols.push_back({"C", {"chest"}});
    room.Monster_Categories = {"floor"};
    room.Specific_Items = {{"Lost Ring", 0, 5}, {"Missing Sword", 3, 3}};
    room.Specific_Monsters = {{"Rat", 40, 2}};
    tiles.Tiles.push_back(room);
    tiles.Info.Specific_Locations = {{"Den", 5, 5}};
    std::vector<std::string> errors;
    const TDig_Result dug = dig(*map, tiles, errors);
    ASSERT_TRUE(errors.empty());

    TMonster_Class rat;
    rat.Name = "Rat";
    rat.Monster_Group = "vermin";
    TMonster_Class_List monsters;
    monsters.Add(rat);
    const TItem_Class_List items;
    TModule_Monster_Group pack;
    pack.Group_Name = "Pack";
    pack.Leader_Name_Prefix = "Grey";
    pack.Members = {{"Rat", false, 0, {}}, {"Rat", true, 0, {}}};
    Monster_Groups = {pack};

    TPopulation_Settings settings;
    settings.Groups_Min = 2;
    settings.Groups_Max = 2;
    settings.Monster_Grouping = "all";
    settings.Monster_Level_Min = settings.Monster_Level_Max = 1;
    TPopulation_Sources sources;
    sources.Item_Classes = &items;
    sources.Monster_Classes = &monsters;
    const TPopulation_Request request{3, "test.txt", "", ""};

    // The den allows no random monsters: groups find no square and place nothing.
    TDig_Counts counts;
    errors.clear();
    Populate_Level(*map, tiles, dug.Grid, settings, sources, request, counts, errors);
    EXPECT_EQ(counts.Monsters, 0);
    // The item square (0, 5) lies outside the tile and is skipped; the other names a
    // class the module lacks.
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "Could not locate item \"Missing Sword\" on Map 3: test.txt."}));
    // A chest whose roll fails still gets its empty list.
    const int32_t left = dug.Grid.Left(5), top = dug.Grid.Top(5);
    ASSERT_NE(map->Get_Location_List(left + 2, top + 2), nullptr);
    EXPECT_TRUE(map->Get_Location_List(left + 2, top + 2)->empty());
    EXPECT_EQ(counts.Chests, 1);

    // With monster squares, members listed before their leader are skipped: one
    // leader per group, named with the prefix.
    tiles.Tiles[0].Allow_Random_Monsters = true;
    TTile_Class_Set again = tiles;
    const TDig_Result second = dig(*map, again, errors);
    counts = TDig_Counts{};
    Populate_Level(*map, again, second.Grid, settings, sources, request, counts, errors);
    EXPECT_EQ(counts.Monsters, 2);
    for (int32_t n = 1; n <= map->Monster_List.Count(); ++n) {
        if (const TMonster* monster = map->Monster_List.Get(n)) {
            EXPECT_EQ(monster->Name, "Grey Rat");
        }
    }
    Monster_Groups.clear();
}

TEST(Dig_Population, TheGroupCountIsDrawnEvenWhenNoGroupIsLoaded) {
    // What the rest of the level draws must not depend on whether groups were loaded.
    auto map = std::make_unique<TDig_Map>();
    const TTile_Class_Set tiles = tile_set(16);
    const TTile_Grid no_cells;
    const TMonster_Class_List monsters;
    TPopulation_Sources sources;
    sources.Monster_Classes = &monsters;
    TPopulation_Settings settings;
    settings.Groups_Min = 1;
    settings.Groups_Max = 9;
    Monster_Groups.clear();
    Free_Store_Classes();
    TDig_Counts counts;
    std::vector<std::string> errors;
    Set_Random_Seed(11);
    Populate_Level(*map, tiles, no_cells, settings, sources, {3, "test.txt", "", ""}, counts,
                   errors);
    const int32_t next = Random(1000000);
    Set_Random_Seed(11);
    Random_Range(1, 9);
    EXPECT_EQ(next, Random(1000000));
}

TEST(Dig_Population, WhatMonstersCarryFollowsTheMapsItemGrouping) {
    auto map = std::make_unique<TDig_Map>();
    TTile_Class_Set tiles = tile_set(16);
    TTile_Class room = framed_tile("Den", "0000", 16);
    for (uint8_t x = 3; x <= 12; ++x)
        room.Specific_Monsters.push_back({"Rat", x, 4});
    tiles.Tiles.push_back(room);
    tiles.Info.Specific_Locations = {{"Den", 5, 5}};
    std::vector<std::string> errors;
    const TDig_Result dug = dig(*map, tiles, errors);
    ASSERT_TRUE(errors.empty());

    // Two classes of one name, in different groups; every rat carries one.
    TItem_Class_List items;
    for (const char* group : {"iron", "bone"}) {
        TItem_Class blade;
        blade.Class_Name = blade.Name = "Blade";
        blade.Item_Group = group;
        blade.Item_Type = static_cast<uint8_t>(TItem_Type::Weapon);
        items.Add(blade);
    }
    TMonster_Class rat;
    rat.Name = "Rat";
    rat.Items = {{"Blade", 100}};
    TMonster_Class_List monsters;
    monsters.Add(rat);
    TPopulation_Sources sources;
    sources.Item_Classes = &items;
    sources.Monster_Classes = &monsters;
    TPopulation_Settings settings;
    settings.Item_Grouping = "bone";
    settings.Monster_Grouping = "all";
    settings.Monster_Level_Min = settings.Monster_Level_Max = 1;
    settings.Item_Level_Min = settings.Item_Level_Max = 1;
    Monster_Groups.clear();
    Free_Store_Classes();

    TDig_Counts counts;
    Populate_Level(*map, tiles, dug.Grid, settings, sources, {3, "test.txt", "", ""}, counts,
                   errors);
    ASSERT_EQ(counts.Monsters, 10);
    int32_t carried = 0;
    for (int32_t n = 1; n <= map->Monster_List.Count(); ++n) {
        const TMonster* monster = map->Monster_List.Get(n);
        if (!monster)
            continue;
        ASSERT_EQ(monster->Inventory.Count(), 1);
        EXPECT_EQ(monster->Inventory.Items.Get(1, map->Item_List)->Item_Group, "bone");
        ++carried;
    }
    EXPECT_EQ(carried, 10);
}

// ---- The square passes ----

class Square_Passes : public ::testing::Test {
  protected:
    void SetUp() override {
        map_ = std::make_unique<TDig_Map>();
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y)
                map_->Get_Square(x, y)->Terrain = Floor;
        Cache_Terrain_Categories(*map_, cache_);
    }
    uint16_t& at(int32_t x, int32_t y) { return map_->Get_Square(x, y)->Terrain; }
    std::unique_ptr<TDig_Map> map_;
    TTerrain_Category_Cache cache_;
};

TEST_F(Square_Passes, GenericWallsTakeTheShapeOfTheirNeighbours) {
    for (int32_t y = 10; y <= 12; ++y)
        at(50, y) = Generic_Wall; // a north-south run
    at(80, 80) = Generic_Wall;    // a lone pillar
    for (int32_t x = 119; x <= 121; ++x)
        for (int32_t y = 119; y <= 121; ++y)
            at(x, y) = Generic_Wall; // a solid block
    at(1, 1) = Generic_Wall;         // at the corner of the map
    at(2, 1) = Generic_Wall;
    Change_Generic_Walls_Pass(*map_, cache_);
    EXPECT_EQ(at(50, 11), Wall_NS);
    EXPECT_EQ(at(80, 80), Generic_Wall);
    EXPECT_EQ(at(120, 120), Wall_Ceiling);
    // Ends of a run have one neighbour: no "n" or "s" terrain exists, so they stay.
    EXPECT_EQ(at(50, 10), Generic_Wall);
    EXPECT_EQ(at(1, 1), Generic_Wall);
}

TEST_F(Square_Passes, DoorsTurnBetweenWallsAndAtTheMapEdge) {
    at(49, 30) = Wall_NS;
    at(50, 30) = Door;
    at(51, 30) = Wall_NS;
    at(70, 29) = Wall_EW;
    at(70, 30) = Door;
    at(70, 31) = Wall_EW;
    at(1, 100) = Door;
    at(200, 5) = Door;
    at(200, 4) = Wall_EW;
    at(200, 6) = Wall_EW;
    Change_Door_Directions_Pass(*map_, cache_);
    EXPECT_EQ(at(50, 30), Door_NS);
    EXPECT_EQ(at(70, 30), Door_EW);
    EXPECT_EQ(at(1, 100), Door);
    EXPECT_EQ(at(200, 5), Door_EW);
}

TEST_F(Square_Passes, TheBlackBorderOutlinesCeilingsNextToWalls) {
    TTile_Class_Info info;
    info.Black_Border_Ceiling_Categories = {"floor"};
    info.Black_Border_Wall_Categories = {"wall"};
    at(100, 100) = Generic_Wall;
    at(1, 1) = Generic_Wall;
    Add_Black_Border_Pass(*map_, info);
    EXPECT_EQ(map_->Get_Square(101, 100)->Overlay, 15); // wall to its west
    EXPECT_EQ(map_->Get_Square(99, 100)->Overlay, 8);   // wall to its east
    EXPECT_EQ(map_->Get_Square(100, 101)->Overlay, 14); // wall to its north
    EXPECT_EQ(map_->Get_Square(101, 101)->Overlay, 4);  // wall to its north-west
    EXPECT_EQ(map_->Get_Square(2, 2)->Overlay, 4);
    EXPECT_EQ(map_->Get_Square(100, 100)->Overlay, 0);

    // Without a ceiling category there is nothing to outline.
    info.Black_Border_Ceiling_Categories.clear();
    Add_Black_Border_Pass(*map_, info);
    EXPECT_EQ(map_->Get_Square(101, 100)->Overlay, 0);
}

} // namespace
