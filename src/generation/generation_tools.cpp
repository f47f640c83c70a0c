#include "generation/generation_tools.h"

#include <array>
#include <memory>

#include "datafiles/data_file_errors.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/services.h"
#include "shell/value_stream.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

namespace {

int usage_error(std::FILE* err, const std::string& command, const std::string& message) {
    std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
    return 2;
}

std::string default_game_dir() {
    const std::string beside = Executable_Dir() + "game/";
    return Folder_Exists(beside) ? beside : Executable_Dir();
}

// Reads "--name value" pairs; false (with the message) for anything else.
bool read_options(const std::vector<std::string>& args, size_t first,
                  const std::vector<std::string>& names, std::vector<std::string>& values,
                  std::string& message) {
    values.assign(names.size(), std::string());
    for (size_t i = first; i < args.size(); ++i) {
        size_t n = 0;
        while (n < names.size() && names[n] != args[i])
            ++n;
        if (n == names.size()) {
            message = "unknown argument \"" + args[i] + "\"";
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            message = args[i] + " needs a value";
            return false;
        }
        values[n] = args[++i];
    }
    return true;
}

bool read_number(const std::string& text, int64_t lo, int64_t hi, int64_t& value) {
    try {
        size_t used = 0;
        value = std::stoll(text, &used);
        return used == text.size() && value >= lo && value <= hi;
    } catch (...) {
        return false;
    }
}

// Sets the game folder and the module; the message says what is missing.
bool set_game_and_module(const std::string& game_dir, std::string module, std::string& message) {
    App_Dir = With_Trailing_Separator(game_dir.empty() ? default_game_dir() : game_dir);
    if (!Folder_Exists(App_Dir)) {
        message = "the game folder \"" + App_Dir + "\" does not exist";
        return false;
    }
    if (!Path_Settings)
        Create_Primary_Global_Structs();
    module = Without_Trailing_Separators(module);
    if (module.empty())
        return true;
    if (!Is_Plain_Name(module) || !Path_Settings->Set_Module(module + "\\") ||
        !Folder_Exists(Path_Settings->Get_Module_Folder())) {
        message = "there is no module \"" + module + "\" in " + App_Dir + "Modules";
        return false;
    }
    return true;
}

// Error lists go to the tool's error stream while a command runs.
class TError_Lists_To : public TMessage_Service {
  public:
    explicit TError_Lists_To(std::FILE* err)
        : err_(err), boxes_(Message_Service()), use_({.Messages = this}) {}
    void Show_Message_Box(const std::string& caption, const std::string& text) override {
        boxes_.Show_Message_Box(caption, text);
    }
    void Show_Error_List(const std::string& heading, const std::string& file,
                         const std::vector<std::string>& messages) override {
        for (const std::string& line : Error_List_Lines(heading, file, messages))
            std::fprintf(err_, "%s\n", line.c_str());
        if (!messages.empty())
            ++lists_;
    }
    // Lists with at least one message shown so far.
    int32_t Lists_Shown() const { return lists_; }

  private:
    std::FILE* err_;
    int32_t lists_ = 0;
    TMessage_Service& boxes_;
    TScoped_Services use_;
};

} // namespace

int Tool_Create_Module(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const std::string command = "create-module";
    std::vector<std::string> values;
    std::string message;
    if (!read_options(args, 0,
                      {"--module", "--game-dir", "--seed", "--difficulty", "--start-level"}, values,
                      message))
        return usage_error(err, command, message);
    if (values[0].empty())
        return usage_error(err, command, "--module NAME is required");
    TModule_Creation_Options options;
    int64_t number = 0;
    if (!values[2].empty()) {
        if (!read_number(values[2], 0, 4294967295LL, number))
            return usage_error(err, command, "--seed takes a number from 0 to 4294967295");
        options.Seed = static_cast<uint32_t>(number);
    }
    if (!values[3].empty()) {
        if (!read_number(values[3], 1, 4, number))
            return usage_error(err, command, "--difficulty takes 1 to 4");
        options.Difficulty = static_cast<int32_t>(number);
    }
    if (!values[4].empty()) {
        if (!read_number(values[4], 0, 65535, number))
            return usage_error(err, command, "--start-level takes 0 to 65535");
        options.Start_Level = static_cast<uint16_t>(number);
    }
    if (!set_game_and_module(values[1], values[0], message)) {
        std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
        return 2;
    }

    TError_Lists_To error_lists(err);
    // Item classes name their missile pictures among the display effects, and
    // monster classes their spells in the master list.
    Load_Display_Effects_File(Path_Settings->Get_Effects_File());
    Load_Master_Spells_File(Path_Settings->Get_Spells_File());
    TModule_Class module_class;
    const TData_File_Report definition =
        Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
    if (!definition.Ok()) {
        Report_Error_List(definition.Heading, definition.File_Name, definition.Errors);
        return 1;
    }
    options.Current_Game_Folder = Path_Settings->Get_Current_Game_Folder();
    auto map = std::make_unique<TWriteable_Map>();
    auto module = std::make_unique<TWriteable_Module>();
    TModule_Creation_Result result;
    const bool ok = Create_Module(module_class, *module, *map, options, result);
    for (const TMap_Creation_Report& line : result.Maps)
        std::fprintf(out,
                     "map %u %s: %d of %d cells, %d squares dug; %d monsters, %d items, %d chests, "
                     "%d stores, %d traps, %d locked squares; %.1f ms\n",
                     line.Map_Number, line.Name.c_str(), line.Cells_Used, line.Grid_Cells,
                     line.Squares_Dug, line.Counts.Monsters, line.Counts.Items, line.Counts.Chests,
                     line.Counts.Stores, line.Counts.Traps, line.Counts.Locks, line.Milliseconds);
    if (!ok)
        return 1;
    std::fprintf(out, "start: map %u at (%u, %u)\n", module->Start_Map, module->Start_X,
                 module->Start_Y);
    std::fprintf(out, "written to %s\n", Native_Path(options.Current_Game_Folder).c_str());
    // The game was written, but a data file had errors: the author must hear of it.
    return error_lists.Lists_Shown() > 0 ? 1 : 0;
}

uint32_t TMap_Picture::Pixel(int32_t x, int32_t y) const {
    const size_t at =
        (static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)) * 3;
    return (static_cast<uint32_t>(Rgb[at]) << 16) | (static_cast<uint32_t>(Rgb[at + 1]) << 8) |
           Rgb[at + 2];
}

TMap_Picture Render_Map_Picture(TMap& map) {
    constexpr int32_t scale = 3;
    TMap_Picture picture;
    picture.Width = Map_Size * scale;
    picture.Height = Map_Size * scale;
    picture.Rgb.assign(static_cast<size_t>(picture.Width * picture.Height * 3), 0);
    auto put = [&](int32_t px, int32_t py, uint32_t rgb) {
        const size_t at = (static_cast<size_t>(py) * static_cast<size_t>(picture.Width) +
                           static_cast<size_t>(px)) *
                          3;
        picture.Rgb[at] = static_cast<uint8_t>(rgb >> 16);
        picture.Rgb[at + 1] = static_cast<uint8_t>(rgb >> 8);
        picture.Rgb[at + 2] = static_cast<uint8_t>(rgb);
    };
    std::vector<uint8_t> chest(static_cast<size_t>(Map_Size * Map_Size), 0);
    for (const TLocation_List& list : map.Location_Lists())
        if (TMap::In_Map(list.X, list.Y))
            chest[static_cast<size_t>((list.X - 1) * Map_Size + (list.Y - 1))] = 1;
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            const TMap_Square& square = *map.Get_Square(x, y);
            // The overview colour keeps red in its low byte.
            const uint32_t colour = square.Get_Overview_Color(map);
            const uint32_t rgb =
                ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
            const int32_t px = (x - 1) * scale, py = (y - 1) * scale;
            for (int32_t i = 0; i < scale; ++i)
                for (int32_t j = 0; j < scale; ++j)
                    put(px + i, py + j, rgb);
            // Marks: an entrance is a white frame; a chest orange, an item cyan, a
            // store keeper magenta and any other creature red, in the middle pixel.
            if (square.Is_Entrance())
                for (int32_t i = 0; i < scale; ++i) {
                    put(px + i, py, 0xFFFFFF);
                    put(px + i, py + scale - 1, 0xFFFFFF);
                    put(px, py + i, 0xFFFFFF);
                    put(px + scale - 1, py + i, 0xFFFFFF);
                }
            uint32_t mark = 0;
            if (chest[static_cast<size_t>((x - 1) * Map_Size + (y - 1))])
                mark = 0xFF8C00;
            if (square.Item != 0)
                mark = 0x00FFFF;
            if (const TMonster* creature = square.Get_Monster(map))
                mark = creature->Store_Number != 0 ? 0xFF00FF : 0xFF0000;
            if (mark != 0)
                put(px + 1, py + 1, mark);
        }
    return picture;
}

namespace {

uint32_t crc32(const std::string& bytes, size_t from) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i)
        c = table[(c ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put_be32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
    put_be32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out += type;
    out += data;
    put_be32(out, crc32(out, start));
}

} // namespace

std::string Encode_Map_PNG(const TMap_Picture& picture) {
    std::string raw;
    for (int32_t y = 0; y < picture.Height; ++y) {
        raw.push_back(0); // no filter
        const size_t row = static_cast<size_t>(y) * static_cast<size_t>(picture.Width) * 3;
        raw.append(reinterpret_cast<const char*>(picture.Rgb.data()) + row,
                   static_cast<size_t>(picture.Width) * 3);
    }
    // A zlib stream of stored blocks, with its Adler-32.
    std::string z = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        z.push_back(static_cast<char>(n & 0xFF));
        z.push_back(static_cast<char>(n >> 8));
        z.push_back(static_cast<char>(~n & 0xFF));
        z.push_back(static_cast<char>((~n >> 8) & 0xFF));
        z.append(raw, at, n);
        if (raw.empty())
            break;
    }
    put_be32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    put_be32(header, static_cast<uint32_t>(picture.Width));
    put_be32(header, static_cast<uint32_t>(picture.Height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    put_chunk(png, "IHDR", header);
    put_chunk(png, "IDAT", z);
    put_chunk(png, "IEND", "");
    return png;
}

int Tool_Render_Map(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    const std::string command = "render-map";
    if (args.empty() || args[0].rfind("--", 0) == 0)
        return usage_error(err, command, "FILE.map is required");
    std::vector<std::string> values;
    std::string message;
    if (!read_options(args, 1, {"--png", "--game-dir", "--module"}, values, message))
        return usage_error(err, command, message);
    if (values[0].empty())
        return usage_error(err, command, "--png OUT.png is required");
    if (!set_game_and_module(values[1], values[2], message)) {
        std::fprintf(err, "krelvane-tool %s: %s\n", command.c_str(), message.c_str());
        return 2;
    }
    TError_Lists_To error_lists(err);
    // The terrain file comes from the module given, else from the first module that
    // has a file of that name.
    const bool module_given = !Path_Settings->Get_Module_Name().empty();
    auto terrain_file = [&](const std::string& name) -> std::string {
        if (!Is_Plain_Name(name))
            return {};
        if (module_given)
            return Path_Settings->Get_Tile_File(name);
        for (const std::string& module : List_Folders(Path_Settings->Get_Modules_Folder())) {
            TPath_Settings probe;
            if (!probe.Set_Module(module + "\\"))
                continue;
            const std::string path = probe.Get_Tile_File(name);
            if (!path.empty() && File_Exists(path))
                return path;
        }
        return {};
    };
    TValue_Reader reader;
    auto map = std::make_unique<TWriteable_Map>();
    try {
        if (!reader.Load_From_File(args[0]))
            throw TStream_Error("cannot be read");
        reader.Read_Version();
        map->Load(reader, terrain_file);
    } catch (const TStream_Error& error) {
        std::fprintf(err, "krelvane-tool %s: the map file \"%s\" is damaged or unreadable (%s)\n",
                     command.c_str(), args[0].c_str(), error.what());
        return 1;
    }
    if (map->Terrains.Count() == 0) {
        std::fprintf(err, "krelvane-tool %s: the terrain file \"%s\" of the map was not found\n",
                     command.c_str(), map->Terrains.File_Name.c_str());
        return 1;
    }
    if (!Write_File_Atomic(values[0], Encode_Map_PNG(Render_Map_Picture(*map)))) {
        std::fprintf(err, "krelvane-tool %s: cannot write \"%s\"\n", command.c_str(),
                     values[0].c_str());
        return 1;
    }
    std::fprintf(out, "%s: %s, %d creatures, %d items\n", values[0].c_str(),
                 map->Display_Name.c_str(), map->Monster_List.Count(), map->Item_List.Count());
    return 0;
}
