// One move-timer tick of the running game (the player's due move, every creature, the
// sprites, the autosave check) on the default module's deepest level as it was dug and
// populated. The game folder is KV_GAME_DIR, else "game/" beside the program.

#include <benchmark/benchmark.h>

#include "bench_game_folder.h"

#include <cstdlib>
#include <memory>

#include "game/global_structs.h"
#include "game/main_screen.h"
#include "platform/files.h"
#include "presentation/graphics.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/module.h"

namespace {

void BM_Game_Tick_Deepest_Level(benchmark::State& state) {
    Enter_Bench_Game_Folder();
    TSilent_Messages silent;
    const TScoped_Services quiet({.Messages = &silent});
    Create_Global_Structs();
    Load_Global_Structs();
    fg_vbinit();
    fg_vballoc(Screen_Width, Screen_Height);
    TMain_Screen_Hooks hooks;
    hooks.Reload_Global_Structs = [] { return Reload_Global_Structs(); };
    TMain_Screen_Start start;
    start.Skip_Intro = true;
    start.Quick_Start = TQuick_Start{.Module = "Hollowmere", .Seed = 1};
    {
        TDC_Main screen(hooks, start);
        TMonster* player = Current_Map->Player();
        if (!player) {
            state.SkipWithError("the default module was not found (set KV_GAME_DIR)");
        } else {
            // The player walks into the deepest level, as a level change would put it.
            TMonster hero = *player;
            hero.Inventory.Clear();
            hero.Maximum_Health = 60000;
            hero.Fill_Health();
            const uint16_t deepest = static_cast<uint16_t>(Current_Module->Maps.size());
            const std::string file =
                Path_Settings->Get_Current_Game_Folder() + std::to_string(deepest) + ".map";
            if (!Read_Map_File(file, *Current_Map)) {
                state.SkipWithError("the deepest level could not be read");
            } else {
                int32_t x = 100, y = 100;
                Current_Map->Find_Empty_Square_Near(100, 100, x, y);
                hero.X = static_cast<uint8_t>(x);
                hero.Y = static_cast<uint8_t>(y);
                Current_Map->Player_Number = Current_Map->Monster_List.Add(hero);
                Current_Map->Place_Monster_At_Its_Position(
                    *Current_Map->Monster_List.Get(Current_Map->Player_Number));
                Current_Map->Make_Current();
                state.counters["creatures"] = Current_Map->Monster_List.Count();
                int32_t tick = 0;
                for (auto _ : state) {
                    TDispatch_Guard guard;
                    tick = tick >= 20 ? 0 : tick + 1;
                    screen.Tick(tick, 20.0);
                }
            }
        }
    }
    Free_Global_Structs();
    Graphics_Shutdown();
    Leave_Bench_Game_Folder();
}
BENCHMARK(BM_Game_Tick_Deepest_Level)->Unit(benchmark::kMicrosecond)->Iterations(2000);

} // namespace
