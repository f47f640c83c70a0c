// The world's hot paths: one path-finding step with its whole node budget, sight and
// light of one view window, and saving and loading a full map.

#include <benchmark/benchmark.h>

#include "shell/random.h"
#include "shell/value_stream.h"
#include "world/path_finding.h"
#include "world/world_support.h"

namespace {

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

// A wall across the map between start and goal: the search spends its 99 expansions.
void BM_Path_Finding_Step(benchmark::State& state) {
    TTest_Map map;
    map.Fill(105, 1, 105, 200, Wall);
    int32_t x = 0, y = 0;
    for (auto _ : state) {
        Find_Next_Step(map, 100, 100, 150, 120, Movement_Land, x, y);
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_Path_Finding_Step)->Unit(benchmark::kMicrosecond);

void BM_Sight_And_Light_Of_One_Window(benchmark::State& state) {
    TTest_Map map;
    furnish(map);
    for (auto _ : state) {
        map.Compute_Sight(93, 93, Vision_Normal);
        map.Compute_Light(93, 93, Vision_Normal);
    }
}
BENCHMARK(BM_Sight_And_Light_Of_One_Window)->Unit(benchmark::kMicrosecond);

void BM_Save_Full_Map(benchmark::State& state) {
    TTest_Map map;
    furnish(map);
    for (auto _ : state) {
        TValue_Writer writer;
        map.Save(writer);
        benchmark::DoNotOptimize(writer.Bytes().data());
    }
}
BENCHMARK(BM_Save_Full_Map)->Unit(benchmark::kMillisecond);

void BM_Load_Full_Map(benchmark::State& state) {
    TTest_Map map;
    furnish(map);
    TValue_Writer writer;
    map.Save(writer);
    for (auto _ : state) {
        TTest_Map loaded;
        TValue_Reader reader(writer.Bytes());
        loaded.Load(reader, [](const std::string&) { return std::string(); });
    }
}
BENCHMARK(BM_Load_Full_Map)->Unit(benchmark::kMillisecond);

} // namespace
