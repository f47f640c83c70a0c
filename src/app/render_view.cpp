#include "app/render_view.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "datafiles/data_file_errors.h"
#include "game/save_load.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "platform/names.h"
#include "platform/png_encoder.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/map_view.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

const std::string command = "render-view";

int usage_error(std::FILE* err, const std::string& message) {
    std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
    return 2;
}

int failure(std::FILE* err, const std::string& message) {
    std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
    return 1;
}

bool read_number(const std::string& text, long long lo, long long hi, long long& value) {
    try {
        size_t used = 0;
        value = std::stoll(text, &used);
        return used == text.size() && value >= lo && value <= hi;
    } catch (...) {
        return false;
    }
}

// Error lists go to the tool's error stream, one line each.
class TError_Lines : public TMessage_Service {
  public:
    explicit TError_Lines(std::FILE* err) : err_(err) {}
    void Show_Message_Box(const std::string& caption, const std::string& text) override {
        std::fprintf(err_, "%s: %s\n", caption.c_str(), text.c_str());
    }
    void Show_Error_List(const std::string& heading, const std::string& file,
                         const std::vector<std::string>& messages) override {
        for (const std::string& line : Error_List_Lines(heading, file, messages))
            std::fprintf(err_, "%s\n", line.c_str());
    }

  private:
    std::FILE* err_;
};

// A folder of its own for the levels, removed with everything in it at the end.
struct TScratch_Folder {
    std::string Path;
    TScratch_Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "krelvane-view-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            Path = pattern + "/";
    }
    ~TScratch_Folder() {
        if (!Path.empty())
            Delete_Folder(Path);
    }
};

// The graphics and the display object for one drawing, freed after.
struct TDrawing {
    TDrawing() {
        fg_vbinit();
        Display_Object = std::make_unique<TDisplay_Object>();
        if (!Game_Options)
            Game_Options = std::make_unique<TGame_Options>();
    }
    ~TDrawing() {
        Display_Object.reset();
        Graphics_Shutdown();
    }
};

// The first entrance square of the map, read row by row.
bool first_entrance(const TMap& map, int32_t& x, int32_t& y) {
    for (int32_t sy = 1; sy <= Map_Size; ++sy)
        for (int32_t sx = 1; sx <= Map_Size; ++sx)
            if (map.Get_Square(sx, sy)->Is_Entrance()) {
                x = sx, y = sy;
                return true;
            }
    return false;
}

} // namespace

int Make_View_Level(uint32_t seed, int32_t map_number, int32_t at_x, int32_t at_y,
                    TView_Level& level, std::string& message) {
    Load_Display_Effects_File(Path_Settings->Get_Effects_File());
    Load_Master_Spells_File(Path_Settings->Get_Spells_File());
    TModule_Class module_class;
    const TData_File_Report definition =
        Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
    if (!definition.Ok()) {
        Report_Error_List(definition.Heading, definition.File_Name, definition.Errors);
        message = "the module definition has errors";
        return 1;
    }
    TScratch_Folder folder;
    if (folder.Path.empty()) {
        message = "cannot make a folder for the levels";
        return 1;
    }
    TModule_Creation_Options options;
    options.Seed = seed;
    options.Current_Game_Folder = folder.Path;
    auto map = std::make_unique<TWriteable_Map>();
    auto module = std::make_unique<TWriteable_Module>();
    TModule_Creation_Result result;
    if (!Create_Module(module_class, *module, *map, options, result)) {
        message = "the module \"" + Path_Settings->Get_Module_Name() + "\" could not be created";
        return 1;
    }
    if (map_number < 1 || map_number > module->Map_Count()) {
        message = "--map: the module has maps 1 to " + std::to_string(module->Map_Count());
        return 2;
    }
    const std::string map_file = folder.Path + std::to_string(map_number) + ".map";
    if (!Read_Map_File(map_file, *map, Path_Settings->Get_Tiles_Folder())) {
        message = "the level \"" + map_file + "\" cannot be read";
        return 1;
    }
    int32_t x = at_x, y = at_y;
    if (!TMap::In_Map(x, y)) {
        if (map_number == module->Start_Map) {
            x = module->Start_X, y = module->Start_Y;
        } else if (!first_entrance(*map, x, y)) {
            message =
                "map " + std::to_string(map_number) + " has no entrance to stand on; give --at X,Y";
            return 1;
        }
    }
    // A creature standing there makes room for the viewer beside it.
    if (map->Get_Square(x, y)->Monster != 0) {
        int32_t free_x = 0, free_y = 0;
        if (!map->Find_Empty_Square_Near(x, y, free_x, free_y)) {
            message = "no free square near (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            return 1;
        }
        x = free_x, y = free_y;
    }
    // A new character (it carries the light every character has) without equipment.
    TMonster viewer;
    viewer.Name = "Viewer";
    viewer.Class_Number = 1;
    viewer.Picture_Filename = viewer.Attack_Picture_Filename = "HumanFighter5.bmp";
    viewer.Level = 1;
    viewer.X = uint8_t(x), viewer.Y = uint8_t(y);
    viewer.Home_X = viewer.X, viewer.Home_Y = viewer.Y;
    map->Player_Number = map->Monster_List.Add(viewer);
    map->Make_Current();
    map->Player()->Recalculate();
    map->Place_Monster_At_Its_Position(*map->Player());
    level.Map = std::move(map);
    level.X = x, level.Y = y;
    return 0;
}

int Tool_Render_View(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const std::vector<std::string> names = {"--module", "--game-dir", "--seed",
                                            "--map",    "--at",       "--png"};
    std::vector<std::string> values(names.size());
    for (size_t i = 0; i < args.size(); ++i) {
        size_t n = 0;
        while (n < names.size() && names[n] != args[i])
            ++n;
        if (n == names.size())
            return usage_error(err, "unknown argument \"" + args[i] + "\"");
        if (i + 1 >= args.size() || args[i + 1].empty())
            return usage_error(err, args[i] + " needs a value");
        values[n] = args[++i];
    }
    for (size_t n : {size_t(0), size_t(2), size_t(3), size_t(5)})
        if (values[n].empty())
            return usage_error(err, names[n] + " is required");
    long long seed = 0, map_number = 0, at_x = 0, at_y = 0;
    if (!read_number(values[2], 0, 4294967295LL, seed))
        return usage_error(err, "--seed takes a number from 0 to 4294967295");
    if (!read_number(values[3], 1, 65535, map_number))
        return usage_error(err, "--map takes a map number from 1");
    const bool at_given = !values[4].empty();
    if (at_given) {
        const size_t comma = values[4].find(',');
        if (comma == std::string::npos ||
            !read_number(values[4].substr(0, comma), 1, Map_Size, at_x) ||
            !read_number(values[4].substr(comma + 1), 1, Map_Size, at_y))
            return usage_error(err, "--at takes X,Y with both from 1 to 200");
    }

    const std::string game_dir = values[1].empty() ? [] {
        const std::string beside = Executable_Dir() + "game/";
        return Folder_Exists(beside) ? beside : Executable_Dir();
    }()
                                                   : values[1];
    App_Dir = With_Trailing_Separator(game_dir);
    if (!Folder_Exists(App_Dir))
        return usage_error(err, "the game folder \"" + App_Dir + "\" does not exist");
    if (!Path_Settings)
        Create_Primary_Global_Structs();
    const std::string module_name = Without_Trailing_Separators(values[0]);
    if (!Is_Plain_Name(module_name) || !Path_Settings->Set_Module(module_name + "\\") ||
        !Folder_Exists(Path_Settings->Get_Module_Folder()))
        return usage_error(err,
                           "there is no module \"" + module_name + "\" in " + App_Dir + "Modules");

    TError_Lines error_lines(err);
    TScoped_Services use({.Messages = &error_lines});
    TView_Level level;
    std::string message;
    const int status = Make_View_Level(static_cast<uint32_t>(seed), int32_t(map_number),
                                       int32_t(at_x), int32_t(at_y), level, message);
    if (status != 0) {
        std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
        return status;
    }
    TWriteable_Map* map = level.Map.get();
    const int32_t x = level.X, y = level.Y;

    TDrawing drawing;
    if (!Display_Object->Create_Game_Bitmaps())
        return failure(err, "the system pictures cannot be loaded");
    if (!Display_Object->Load_Map_Pictures(*map, true))
        return failure(err, "the pictures of the level cannot be loaded");
    const int frame = fg_vballoc(Screen_Width, Screen_Height);
    if (frame < 0)
        return failure(err, "no buffer for the picture");
    TMap_View view;
    view.Draw(*map, frame);
    const TVirtual_Buffer& pixels = *Buffer_Of(frame);
    if (!Write_File_Atomic(values[5],
                           Encode_PNG(Screen_Width, Screen_Height, pixels.pixels.data())))
        return failure(err, "cannot write \"" + values[5] + "\"");
    std::fprintf(out, "%s: map %lld \"%s\" seen from (%d, %d)\n", values[5].c_str(), map_number,
                 map->Display_Name.c_str(), x, y);
    return 0;
}
