// Timings of the world's hot paths, run by hand on a release build:
//   test_world --gtest_also_run_disabled_tests --gtest_filter='*Benchmark*'
// Each prints its figure and fails when it is over its budget.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "shell/random.h"
#include "shell/value_stream.h"
#include "world/path_finding.h"
#include "world_support.h"

namespace {

template <typename Body> double microseconds_per_call(int32_t calls, Body body) {
    const auto start = std::chrono::steady_clock::now();
    for (int32_t i = 0; i < calls; ++i)
        body();
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

// Rooms and walls at random, a torch here and there, creatures and items about.
void furnish(TTest_Map& map) {
    Set_Random_Seed(5);
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            const int32_t roll = Random(100);
            map.Get_Square(x, y)->Terrain = roll < 15 ? Wall : (roll < 17 ? Torch : Floor);
        }
    for (int32_t i = 0; i < 150; ++i)
        map.Put_Creature(1 + Random(200), 1 + Random(200), "Orc", static_cast<uint8_t>(Random(3)));
    for (int32_t i = 0; i < 600; ++i)
        map.Put_Item(1 + Random(200), 1 + Random(200), "Dagger");
}

TEST(World_Benchmark, DISABLED_PathFindingStepUsesItsWholeBudget) {
    TTest_Map map;
    map.Fill(105, 1, 105, 200, Wall);
    int32_t x = 0, y = 0;
    const double us = microseconds_per_call(
        20000, [&] { Find_Next_Step(map, 100, 100, 150, 120, Movement_Land, x, y); });
    std::printf("one path-finding step (99 expansions): %.2f us\n", us);
    EXPECT_LE(us, 20.0);
}

TEST(World_Benchmark, DISABLED_SightAndLightOfOneViewWindow) {
    TTest_Map map;
    furnish(map);
    const double us = microseconds_per_call(20000, [&] {
        map.Compute_Sight(93, 93, Vision_Normal);
        map.Compute_Light(93, 93, Vision_Normal);
    });
    std::printf("sight and light of one window: %.2f us\n", us);
    EXPECT_LE(us, 50.0);
}

TEST(World_Benchmark, DISABLED_SavingAndLoadingAFullMap) {
    File_Version = Current_File_Version;
    TTest_Map map;
    furnish(map);
    std::string bytes;
    const double save_us = microseconds_per_call(20, [&] {
        TValue_Writer writer;
        map.Save(writer);
        bytes = writer.Bytes();
    });
    TTest_Map loaded;
    const double load_us = microseconds_per_call(20, [&] {
        TValue_Reader reader(bytes);
        loaded.Load(reader, [](const std::string&) { return std::string(); });
    });
    std::printf("full map (%zu bytes): save %.2f ms, load %.2f ms\n", bytes.size(), save_us / 1000,
                load_us / 1000);
    EXPECT_LE(save_us, 30000.0);
    EXPECT_LE(load_us, 30000.0);
    File_Version.clear();
}

} // namespace
