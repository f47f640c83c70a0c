#include <gtest/gtest.h>

#include "world/map.h"
#include "world_support.h"

namespace {

// The viewer at (100, 100): cell (7, 7) of the window whose top-left is (93, 93).
constexpr int32_t V = 100, L = V - 7;

// Sight and light follow the vision flags alone: smoke lets every mover through but
// no sight, while water stops land and air movers and is seen across.
uint16_t add_smoke(TTest_Map& map) {
    return map.Terrains.Add_Terrain(
        Make_Terrain(6, "Smoke", Movement_Land | Movement_Air | Movement_Water, 0));
}

TEST(Sight, OpenGroundIsVisibleEverywhereOnTheMap) {
    TTest_Map map;
    map.Compute_Sight(L, L, Vision_Normal);
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j)
            EXPECT_EQ(map.Get_Sight(i, j), 1) << i << "," << j;
    EXPECT_EQ(map.Get_Sight(15, 3), 0);
    EXPECT_EQ(map.Get_Sight(-1, 3), 0);
    EXPECT_EQ(map.Sight_Left(), L);
    // Near the corner, cells off the map are not visible.
    map.Compute_Sight(3 - 7, 3 - 7, Vision_Normal);
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j) {
            const bool on_map = i >= 5 && j >= 5;
            EXPECT_EQ(map.Get_Sight(i, j), on_map ? 1 : 0) << i << "," << j;
        }
    map.Compute_Sight(200 - 7, 200 - 7, Vision_Normal);
    EXPECT_EQ(map.Get_Sight(7, 7), 1);
    EXPECT_EQ(map.Get_Sight(8, 8), 0);
}

TEST(Sight, AWallTwoEastHidesTheRowBehindIt) {
    TTest_Map map;
    const uint16_t smoke = add_smoke(map);
    for (const uint16_t blocker : {Wall, smoke}) {
        SCOPED_TRACE(blocker);
        map.Get_Square(V + 2, V)->Terrain = blocker;
        map.Compute_Sight(L, L, Vision_Normal);
        EXPECT_EQ(map.Get_Sight(9, 7), 1); // the wall itself is seen
        for (int32_t i = 10; i <= 14; ++i)
            EXPECT_EQ(map.Get_Sight(i, 7), 0) << i;
        // Each ring looks one step toward the centre, diagonally off the axis.
        EXPECT_EQ(map.Get_Sight(10, 6), 0);
        EXPECT_EQ(map.Get_Sight(10, 8), 0);
        EXPECT_EQ(map.Get_Sight(10, 5), 1);
        for (int32_t i = 0; i <= 6; ++i)
            EXPECT_EQ(map.Get_Sight(i, 7), 1) << i;
    }
    // Water that no land or air mover crosses hides nothing.
    map.Fill(V + 2, V - 1, V + 3, V + 1, Water);
    map.Compute_Sight(L, L, Vision_Normal);
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j)
            EXPECT_EQ(map.Get_Sight(i, j), 1) << i << "," << j;
}

TEST(Sight, TheViewersNeighboursAreAlwaysVisible) {
    TTest_Map map;
    map.Fill(V - 1, V - 1, V + 1, V + 1, Wall);
    map.Compute_Sight(L, L, Vision_Normal);
    int32_t visible = 0;
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j)
            visible += map.Get_Sight(i, j);
    EXPECT_EQ(visible, 9);
    for (int32_t i = 6; i <= 8; ++i)
        for (int32_t j = 6; j <= 8; ++j)
            EXPECT_EQ(map.Get_Sight(i, j), 1);
}

TEST(Light, ATorchOfRadiusThreeFadesOverFiveSquaresAndUniversalLightIsFull) {
    TTest_Map map;
    map.Compute_Light(L, L, Vision_Normal);
    EXPECT_EQ(map.Get_Light(7, 7), 4); // no source: dark
    map.Get_Square(V, V)->Terrain = Torch;
    map.Compute_Light(L, L, Vision_Normal);
    EXPECT_EQ(map.Get_Light(7, 7), 0);
    EXPECT_EQ(map.Get_Light(8, 7), 1); // d 1: Trunc(1 / 5 * 5)
    EXPECT_EQ(map.Get_Light(9, 7), 2);
    EXPECT_EQ(map.Get_Light(10, 7), 3);
    EXPECT_EQ(map.Get_Light(11, 7), 4); // d 4 counts as dark
    EXPECT_EQ(map.Get_Light(12, 7), 4); // d 5 is level 5, darker than the default
    EXPECT_EQ(map.Get_Light(8, 8), 1);  // d Round(1.41) = 1
    EXPECT_EQ(map.Get_Light(9, 9), 3);  // d Round(2.83) = 3
    EXPECT_EQ(map.Get_Light(8, 9), 2);  // d Round(2.24) = 2

    // Universal light lights every cell fully.
    map.Set_Universal_Light(true);
    map.Compute_Light(L, L, Vision_Normal);
    for (int32_t i = 0; i < View_Size; ++i)
        for (int32_t j = 0; j < View_Size; ++j)
            EXPECT_EQ(map.Get_Light(i, j), 0);
}

TEST(Light, WallsCastShadowsAndCreaturesCarryLight) {
    TTest_Map map;
    map.Get_Square(V, V)->Terrain = Torch;
    const uint16_t smoke = add_smoke(map);
    for (const uint16_t blocker : {Wall, smoke}) {
        SCOPED_TRACE(blocker);
        map.Get_Square(V + 2, V)->Terrain = blocker;
        map.Compute_Light(L, L, Vision_Normal);
        EXPECT_EQ(map.Get_Light(9, 7), 2);  // the wall's face is lit
        EXPECT_EQ(map.Get_Light(10, 7), 4); // behind it stays dark
        EXPECT_EQ(map.Get_Light(4, 7), 3);  // the other side is not shadowed
    }
    // Light crosses water as sight does.
    map.Get_Square(V + 2, V)->Terrain = Water;
    map.Compute_Light(L, L, Vision_Normal);
    EXPECT_EQ(map.Get_Light(10, 7), 3);

    // A creature's light of 2 (r = 4) seven squares west of the window still reaches in.
    TTest_Map other;
    other.Put_Creature(L - 2, V, "Glowworm", 2);
    other.Compute_Light(L, L, Vision_Normal);
    EXPECT_EQ(other.Get_Light(0, 7), 2); // d 2: Trunc(2 / 4 * 5)
    EXPECT_EQ(other.Get_Light(1, 7), 3);
    EXPECT_EQ(other.Get_Light(2, 7), 4);
}

TEST(Light, SourcesAtTheMapEdgeNeverReachOffTheMap) {
    TTest_Map map;
    map.Get_Square(1, 1)->Terrain = Torch;
    map.Get_Square(200, 200)->Terrain = Torch;
    map.Compute_Light(3 - 7, 3 - 7, Vision_Normal);
    EXPECT_EQ(map.Get_Light(5, 5), 0); // (1, 1)
    EXPECT_EQ(map.Get_Light(6, 5), 1); // (2, 1)
    EXPECT_EQ(map.Get_Light(4, 5), 4); // off the map: dark
    EXPECT_EQ(map.Get_Light(0, 0), 4);
    map.Compute_Light(200 - 14, 200 - 14, Vision_Normal);
    EXPECT_EQ(map.Get_Light(14, 14), 0);
    EXPECT_EQ(map.Get_Light(12, 14), 2);
    EXPECT_EQ(map.Light_Left(), 186);
}

} // namespace
