#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "shell/options.h"
#include "shell/services.h"
#include "world/path_finding.h"
#include "world_support.h"

namespace {

// The squares stepped on, in order.
using TSquares = std::vector<std::pair<int32_t, int32_t>>;

// Walks from (x, y) toward the target one step at a time, as a mover does; stops when
// there or when no step is found. Fails the test if it ever steps into a wall.
std::pair<int32_t, int32_t> walk(TTest_Map& map, int32_t x, int32_t y, int32_t tx, int32_t ty,
                                 int32_t steps, TSquares* walked = nullptr) {
    for (int32_t s = 0; s < steps && !(x == tx && y == ty); ++s) {
        int32_t nx = 0, ny = 0;
        if (!Find_Next_Step(map, x, y, tx, ty, Movement_Land, nx, ny))
            break;
        EXPECT_LE(TMap::Square_Distance(x, y, nx, ny), 1);
        EXPECT_NE(map.Get_Square(nx, ny)->Terrain, Wall) << nx << "," << ny;
        x = nx;
        y = ny;
        if (walked)
            walked->emplace_back(x, y);
    }
    return {x, y};
}

TEST(Path_Finding, StepsTowardOpenOrOccupiedTargets) {
    TTest_Map map;
    int32_t x = 0, y = 0;
    ASSERT_TRUE(Find_Next_Step(map, 50, 50, 51, 51, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(51, 51));
    ASSERT_TRUE(Find_Next_Step(map, 50, 50, 60, 50, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(51, 50));
    EXPECT_FALSE(Find_Next_Step(map, 50, 50, 50, 50, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(-1, -1));
    // At the corner only squares of the map are tried.
    ASSERT_TRUE(Find_Next_Step(map, 1, 1, 5, 1, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(2, 1));
    // An occupied target is still reached.
    map.Put_Creature(52, 50, "Orc");
    EXPECT_EQ(walk(map, 50, 50, 52, 50, 1), std::pair(51, 50));
    ASSERT_TRUE(Find_Next_Step(map, 51, 50, 52, 50, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(52, 50));
    // So is a door or wall next to the mover, which the mover then acts on.
    map.Get_Square(50, 51)->Terrain = Wall;
    ASSERT_TRUE(Find_Next_Step(map, 50, 50, 50, 51, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(50, 51));
}

TEST(Path_Finding, GoesAroundAShortWallButIntoTheDeadEndOfALongOne) {
    TTest_Map map;
    map.Fill(52, 47, 52, 53, Wall);
    EXPECT_EQ(walk(map, 50, 50, 55, 50, 20), std::pair(55, 50));
    // A cup open to the west; the target lies beyond its far wall.
    map.Fill(52, 47, 52, 53, Floor);
    map.Fill(55, 40, 55, 60, Wall);
    map.Fill(45, 40, 55, 40, Wall);
    map.Fill(45, 60, 55, 60, Wall);
    const auto end = walk(map, 40, 50, 60, 50, 40);
    EXPECT_EQ(end, std::pair(54, 50));
    int32_t x = 0, y = 0;
    EXPECT_FALSE(Find_Next_Step(map, 54, 50, 60, 50, Movement_Land, x, y));
}

TEST(Path_Finding, WithWallsIgnoredTheStepGoesThroughThem) {
    TTest_Map map;
    map.Fill(51, 1, 52, 200, Wall);
    int32_t x = 0, y = 0;
    EXPECT_FALSE(Find_Next_Step(map, 50, 50, 53, 50, Movement_Land, x, y));
    EXPECT_EQ(Step_Penalty(map, 51, 50, Movement_Land), 1000);

    std::unique_ptr<TGame_Options> saved = std::move(Game_Options);
    Game_Options = std::make_unique<TGame_Options>();
    Game_Options->Flag_4 = false;
    ASSERT_TRUE(Find_Next_Step(map, 50, 50, 53, 50, Movement_Land, x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(51, 50));
    EXPECT_EQ(Step_Penalty(map, 51, 50, Movement_Land), 0);
    Game_Options = std::move(saved);
}

// Missiles in flight on the squares of a list.
struct TMissiles : TSprite_Service {
    std::vector<std::pair<int32_t, int32_t>> squares;
    bool Is_Missile_On_Square(int32_t x, int32_t y) const override {
        return std::find(squares.begin(), squares.end(), std::pair(x, y)) != squares.end();
    }
};

TEST(Path_Finding, MovementKindsCost) {
    TTest_Map map;
    EXPECT_EQ(Step_Penalty(map, 60, 60, Movement_Land), 0);
    EXPECT_EQ(Step_Penalty(map, 60, 60, Movement_Water), 1000);
    map.Get_Square(70, 70)->Terrain = Water;
    EXPECT_EQ(Step_Penalty(map, 70, 70, Movement_Water), 0);
}

TEST(Path_Finding, MoversGoRoundAMissileInFlightUnlessFlag4IsOff) {
    TTest_Map map;
    TMissiles missiles;
    missiles.squares = {{52, 50}};
    const TScoped_Services use({.Sprites = &missiles});
    EXPECT_EQ(Step_Penalty(map, 52, 50, Movement_Land), 1000);
    EXPECT_EQ(Step_Penalty(map, 53, 50, Movement_Land), 0);
    // Straight east lies through the missile's square; the walk steps round it.
    TSquares walked;
    EXPECT_EQ(walk(map, 50, 50, 55, 50, 10, &walked), std::pair(55, 50));
    EXPECT_EQ(std::count(walked.begin(), walked.end(), std::pair(52, 50)), 0);

    std::unique_ptr<TGame_Options> saved = std::move(Game_Options);
    Game_Options = std::make_unique<TGame_Options>();
    Game_Options->Flag_4 = false;
    EXPECT_EQ(Step_Penalty(map, 52, 50, Movement_Land), 0);
    walked.clear();
    EXPECT_EQ(walk(map, 50, 50, 55, 50, 10, &walked), std::pair(55, 50));
    EXPECT_EQ(std::count(walked.begin(), walked.end(), std::pair(52, 50)), 1);
    Game_Options = std::move(saved);
}

} // namespace
