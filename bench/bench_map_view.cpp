// The map view of a populated level drawn whole, with lighting and sight on: the sight
// and light tables, 465 cells and their creatures and items; as the character sees it
// from the entrance (arg 0), and with every square seen and lit (arg 1). The game folder is
// KV_GAME_DIR, else "game/" beside the program.

#include <benchmark/benchmark.h>

#include "bench_game_folder.h"

#include <cstdlib>
#include <memory>

#include "app/render_view.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/map_view.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"

namespace {

void BM_Draw_Map_View(benchmark::State& state) {
    Enter_Bench_Game_Folder();
    TSilent_Messages quiet;
    const TScoped_Services use({.Messages = &quiet});
    TView_Level level;
    std::string message;
    // The deepest level of the default module, seen from its first entrance.
    if (!Path_Settings->Set_Module("Hollowmere\\") ||
        Make_View_Level(1, 5, 0, 0, level, message) != 0) {
        state.SkipWithError(("the default module's level failed: " + message).c_str());
        App_Dir.clear();
        return;
    }
    fg_vbinit();
    Display_Object = std::make_unique<TDisplay_Object>();
    Game_Options = std::make_unique<TGame_Options>();
    Game_Options->Flag_2 = Game_Options->Flag_5 = true;
    if (!Display_Object->Create_Game_Bitmaps() ||
        !Display_Object->Load_Map_Pictures(*level.Map, true)) {
        state.SkipWithError("the pictures failed to load");
    } else {
        // Arg 1: the worst case, every square of the level seen and lit.
        if (state.range(0) == 1) {
            level.Map->Set_Universal_Light(true);
            for (int32_t x = 1; x <= Map_Size; ++x)
                for (int32_t y = 1; y <= Map_Size; ++y)
                    level.Map->Get_Square(x, y)->Set_Explored(true);
        }
        const int frame = fg_vballoc(Screen_Width, Screen_Height);
        TMap_View view;
        for (auto _ : state)
            view.Draw(*level.Map, frame);
        state.counters["creatures"] = level.Map->Monster_List.Count();
    }
    Display_Object.reset();
    Graphics_Shutdown();
    Game_Options.reset();
    Leave_Bench_Game_Folder();
}
BENCHMARK(BM_Draw_Map_View)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
