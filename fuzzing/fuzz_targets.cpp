#include "fuzz_targets.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "datafiles/game_settings_loader.h"
#include "game/high_scores.h"
#include "game/save_load.h"
#include "generation/tile_classes.h"
#include "platform/sdl/sdl_wave.h"
#include "presentation/bmp_file.h"
#include "presentation/graphics.h"
#include "rules/creature_file_checks.h"
#include "rules/data_file_checks.h"
#include "rules/item_list.h"
#include "rules/monster.h"
#include "shell/options.h"
#include "shell/value_stream.h"
#include "world/events.h"
#include "world/group_files.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"
#include "world/quests.h"
#include "world/store.h"
#include "world/store_classes.h"
#include "world/terrain_file_checks.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process's own for the inputs, in memory where the system has one.
const std::string& scratch() {
    static const std::string folder = [] {
        std::error_code error;
        const fs::path base =
            fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        const fs::path path = base / ("krelvane-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(path, error);
        return path.string() + "/";
    }();
    return folder;
}

// The input as a file of the name given, in the scratch folder.
std::string as_file(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = scratch() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

using TCheck = TData_File_Report (*)(const std::string&);

// A data file read by its checker, which loads it as the game does.
std::function<void(const std::string&)> data_file(TCheck check) {
    return [check](const std::string& path) { (void)check(path); };
}

// The default adventure's tile folder: a map names its terrain file there.
std::string tiles_folder() {
    return std::string(KV_CONTENT_DIR) + "/Modules/Hollowmere/Tiles/";
}

struct TTarget {
    std::string file_name; // what the input is saved as
    std::function<void(const std::string& path)> load;
};

const std::map<std::string, TTarget>& targets() {
    static const std::map<std::string, TTarget> table = {
        {"settings",
         {"Settings.txt",
          [](const std::string& path) {
              TGame_Settings settings;
              TGame_Settings_Data_File_Loader loader(path, settings);
              loader.Execute_Load();
          }}},
        {"effects", {"Effects.txt", data_file(Check_Display_Effects_File)}},
        {"item-classes", {"ItemClasses.txt", data_file(Check_Item_Class_File)}},
        {"classes", {"Classes.txt", data_file(Check_Class_Info_File)}},
        {"spells", {"Spells.txt", data_file(Check_Spells_File)}},
        {"monster-classes", {"MonsterClasses.txt", data_file(Check_Monster_Class_File)}},
        {"module-definition", {"ModuleData.txt", data_file(Check_Module_Data_File)}},
        {"item-modifiers", {"ItemModifiers.txt", data_file(Check_Item_Modifiers_File)}},
        {"unique-names", {"UniqueItemNames.txt", data_file(Check_Unique_Names_File)}},
        {"monster-modifiers", {"MonsterModifiers.txt", data_file(Check_Monster_Modifiers_File)}},
        {"chance-groups", {"ChanceGroups.txt", data_file(Check_Chance_Groups_File)}},
        {"trap-groups", {"TrapGroups.txt", data_file(Check_Trap_Groups_File)}},
        {"monster-groups", {"MonsterGroups.txt", data_file(Check_Monster_Groups_File)}},
        {"random-items", {"RandomItems.txt", data_file(Check_Monster_Rand_Items_Carried_File)}},
        {"stores", {"Stores.txt", data_file(Check_Store_Class_File)}},
        {"events", {"Events.txt", data_file(Check_Event_File)}},
        {"quests", {"Quests.txt", data_file(Check_Quest_File)}},
        {"terrain", {"Terrain.txt", data_file(Check_Terrain_File)}},
        {"tiles", {"Tiles.txt", data_file(Check_Tile_Class_File)}},
        {"map",
         {"1.map",
          [](const std::string& path) {
              TWriteable_Map map;
              Read_Map_File(path, map, tiles_folder());
          }}},
        {"module",
         {"module.mod",
          [](const std::string& path) {
              TWriteable_Module module;
              Read_Module_File(path, module);
          }}},
        {"game-header",
         {"game.id",
          [](const std::string&) {
              TGame_Header header;
              Read_Game_Header(scratch(), header);
          }}},
        {"character",
         {"Character.dat",
          [](const std::string& path) {
              TMonster character;
              TItem_List items;
              Load_Character(character, items, path);
          }}},
        {"store",
         {"store.rec",
          [](const std::string& path) {
              TValue_Reader reader;
              if (!reader.Load_From_File(path))
                  return;
              TStore store;
              try {
                  store.Load(reader);
              } catch (const TStream_Error&) {
              }
          }}},
        {"high-scores",
         {"HighScores.dat",
          [](const std::string& path) {
              THigh_Scores_List table;
              table.Load(path);
          }}},
        {"bmp",
         {"picture.bmp",
          [](const std::string& path) {
              TVirtual_Buffer image;
              std::string error;
              Load_BMP_File(path, image, error);
          }}},
        {"wave",
         {"sound.wav",
          [](const std::string& path) {
              TWave_Info info;
              std::string error;
              Read_Wave_File(path, info, error);
          }}},
        {"options",
         {"options.ini",
          [](const std::string& path) {
              const TMachine_Options kept = Machine_Options;
              Read_Machine_Options(path);
              Machine_Options = kept;
          }}},
    };
    return table;
}

} // namespace

const std::vector<std::string>& Fuzz_Target_Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto& [name, target] : targets())
            list.push_back(name);
        return list;
    }();
    return names;
}

bool Fuzz_One_Input(const std::string& name, const uint8_t* data, size_t size) {
    const auto found = targets().find(name);
    if (found == targets().end())
        return false;
    found->second.load(as_file(found->second.file_name, data, size));
    return true;
}
