// Creating the whole default module: every level loaded, dug, populated and written
// with the module file. The game folder is KV_GAME_DIR, else "game/" beside the program.

#include <benchmark/benchmark.h>

#include "bench_game_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "generation/module_creation.h"
#include "platform/files.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

struct TList_Counter : TMessage_Service {
    int32_t lists_shown = 0;
    void Show_Error_List(const std::string&, const std::string&,
                         const std::vector<std::string>&) override {
        ++lists_shown;
    }
};

void BM_Create_Default_Module(benchmark::State& state) {
    Enter_Bench_Game_Folder();
    TList_Counter lists;
    const TScoped_Services counted({.Messages = &lists});
    TModule_Class module_class;
    if (!Path_Settings->Set_Module("Hollowmere\\") ||
        !Load_Display_Effects(Path_Settings->Get_Effects_File()).Ok() ||
        !Load_Master_Spells(Path_Settings->Get_Spells_File()).Ok() ||
        !Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class).Ok()) {
        state.SkipWithError("the default module was not found (set KV_GAME_DIR)");
        App_Dir.clear();
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kv_bench_module_" + std::to_string(::getpid()));
    TModule_Creation_Options options;
    options.Current_Game_Folder = folder.string() + "/";
    options.Seed = 1;
    std::vector<double> per_map(module_class.Map_Count, 0.0);
    for (auto _ : state) {
        auto map = std::make_unique<TWriteable_Map>();
        TWriteable_Module module;
        TModule_Creation_Result result;
        if (!Create_Module(module_class, module, *map, options, result)) {
            state.SkipWithError("module creation failed");
            break;
        }
        for (const TMap_Creation_Report& line : result.Maps)
            per_map[line.Map_Number - 1] += line.Milliseconds;
    }
    for (size_t n = 0; n < per_map.size(); ++n)
        state.counters["map" + std::to_string(n + 1) + "_ms"] = benchmark::Counter(
            per_map[n] / static_cast<double>(std::max<int64_t>(1, state.iterations())));
    std::filesystem::remove_all(folder);
    App_Dir.clear();
    Reset_Shell_Globals();
    if (lists.lists_shown != 0)
        state.SkipWithError("creating the module showed error lists");
}
BENCHMARK(BM_Create_Default_Module)->Unit(benchmark::kMillisecond);

} // namespace
