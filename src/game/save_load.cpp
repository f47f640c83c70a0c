#include "game/save_load.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "generation/module_creation.h"
#include "platform/files.h"
#include "rules/inventory.h"
#include "rules/item_list.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/services.h"
#include "shell/value_stream.h"
#include "world/map.h"
#include "world/module.h"

// ---- The display ----

void TSave_Load_Display::Show_Message(const std::string& title, const std::string& text) {
    Show_Message_Box(title, text);
}

void TSave_Load_Display::Remember_Saved_Slot(int32_t slot) {
    Machine_Options.Last_Saved_Game_Slot = slot;
    Write_Machine_Options();
}

namespace {

void show_error(const std::string& text) {
    Save_Load_Display().Show_Message("Error", text);
}

std::string quoted(const std::string& what, const std::string& file) {
    return what + " \"" + file + "\".";
}

// The busy pointer for the length of one operation, restored on every way out; an
// operation run by another (a save into a slot runs Save_Game) leaves it to the outer.
int32_t busy_depth = 0;
class TBusy {
  public:
    TBusy() {
        if (busy_depth++ == 0)
            Save_Load_Display().Set_Busy_Pointer(true);
    }
    ~TBusy() {
        if (--busy_depth == 0)
            Save_Load_Display().Set_Busy_Pointer(false);
    }
    TBusy(const TBusy&) = delete;
    TBusy& operator=(const TBusy&) = delete;
};

// The progress dialog, closed on every way out.
class TProgress {
  public:
    explicit TProgress(const std::string& text) { Save_Load_Display().Open_Progress(text); }
    ~TProgress() { Save_Load_Display().Close_Progress(); }
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;
    void Set(int32_t percent) { Save_Load_Display().Set_Progress(percent); }
};

// "Savegames\slot03\" becomes "Savegames\slot03" + suffix + "\": a folder beside it.
std::string sibling_folder(const std::string& folder, const std::string& suffix) {
    return Without_Trailing_Separators(folder) + suffix + "\\";
}

// A swap that was cut short (the program stopped between its two renames) left the
// folder only under its ".old" name: it comes back before anything else is done.
void recover_folder(const std::string& folder, const std::string& old) {
    if (!Folder_Exists(folder) && Folder_Exists(old))
        Rename_File(old, folder);
}

bool copy_files(const std::string& from, const std::string& to) {
    bool ok = Folder_Exists(from) && Create_Folder(to);
    if (ok)
        for (const std::string& name : List_Files(from))
            ok = ok && Copy_File(from + name, to + name);
    return ok;
}

// Copies from into a new folder built beside to and swaps it in only when whole. The
// folder it replaced is kept as the ".old" sibling, for the caller to drop or put back;
// on failure to is as it was and the copy message names it.
bool replace_folder(const std::string& from, const std::string& to, bool& had_to) {
    const std::string staging = sibling_folder(to, ".new");
    const std::string old = sibling_folder(to, ".old");
    Delete_Folder(staging);
    had_to = Folder_Exists(to);
    bool ok = copy_files(from, staging);
    Delete_Folder(old);
    ok = ok && (!had_to || Rename_File(to, old));
    if (ok && !Rename_File(staging, to)) {
        if (had_to)
            Rename_File(old, to);
        ok = false;
    }
    Delete_Folder(staging);
    if (!ok)
        show_error("Unable to copy files from \"" + from + "\" to \"" + to + "\".");
    return ok;
}

// Outside 1..200 only when the save is damaged; the creature then goes nowhere.
void place_on_map(TWriteable_Map& map, TMonster& creature, int32_t x, int32_t y) {
    // A creature already standing there keeps its square: the newcomer takes the
    // nearest free one.
    const TMap_Square* square = map.Get_Square(x, y);
    int32_t free_x = x, free_y = y;
    if (square && square->Monster != 0 && map.Find_Empty_Square_Near(x, y, free_x, free_y)) {
        x = free_x;
        y = free_y;
    }
    creature.X = static_cast<uint8_t>(x);
    creature.Y = static_cast<uint8_t>(y);
    creature.Home_X = creature.X;
    creature.Home_Y = creature.Y;
}

TMonster make_test_hero() {
    TMonster hero;
    hero.Name = "John Hero";
    hero.Description = "A hero of incredible presence.";
    hero.Picture_Filename = hero.Attack_Picture_Filename = "HumanFighter5.bmp";
    hero.Level = 1;
    hero.Base_Strength = hero.Base_Dexterity = hero.Base_Intelligence = hero.Base_Constitution = 20;
    hero.Gold = 1000;
    return hero;
}

// Adds the creature to the map as its player at (x, y) and recomputes it there.
void add_player(TWriteable_Map& map, const TMonster& creature, int32_t x, int32_t y) {
    TMonster player = creature;
    // Item numbers of another map's list name nothing here.
    player.Inventory.Clear();
    place_on_map(map, player, x, y);
    const uint16_t number = map.Monster_List.Add(player);
    map.Player_Number = number;
    map.Make_Current();
    if (TMonster* added = map.Monster_List.Get(number)) {
        added->Recalculate();
        map.Place_Monster_At_Its_Position(*added);
    }
}

// A game read aside: nothing of the running game is touched until it is whole.
struct TRead_Game {
    TGame_Header Header;
    TWriteable_Module Module;
    std::unique_ptr<TWriteable_Map> Map = std::make_unique<TWriteable_Map>();
};

bool read_game(const std::string& folder, TRead_Game& game) {
    if (!Read_Game_Header(folder, game.Header))
        return false;
    // The module must be one of the installed modules.
    TPath_Settings paths;
    if (!paths.Set_Module(game.Header.Module_Name) ||
        !Folder_Exists(paths.Get_Modules_Folder() + paths.Get_Module_Name()))
        return false;
    if (!Read_Module_File(folder + game.Header.Module_File, game.Module))
        return false;
    if (!Read_Map_File(folder + game.Header.Map_File, *game.Map, paths.Get_Tiles_Folder()))
        return false;
    // The player must be a creature of the map.
    return game.Map->Monster_List.Get(game.Header.Player_Number) != nullptr;
}

bool write_game_header(const std::string& path, const TGame_Header& header) {
    try {
        TValue_Writer writer;
        writer.Write_String(header.Game_Name);
        writer.Write_String(header.Version);
        writer.Write_String(header.Map_File);
        writer.Write_String(header.Module_File);
        writer.Write_Word(header.Player_Number);
        writer.Write_String(header.Module_Name);
        header.Options.Save(writer);
        return writer.Save_To_File(path);
    } catch (const TStream_Error&) {
        return false;
    }
}

} // namespace

TSave_Load_Display& Save_Load_Display() {
    static TSave_Load_Display headless;
    TSave_Load_Display* installed = Services().Save_Load;
    return installed ? *installed : headless;
}

// ---- Map files ----

bool Write_Map_File(const TMap& map, const std::string& path) {
    // One writer for the levels of a new game and of a running one.
    return Save_Created_Map(map, path);
}

bool Read_Map_File(const std::string& path, TWriteable_Map& map, const std::string& tiles_folder) {
    TValue_Reader reader;
    if (!reader.Load_From_File(path))
        return false;
    auto read = std::make_unique<TWriteable_Map>();
    try {
        reader.Read_Version();
        TWriteable_Map::TTerrain_File_Resolver resolver;
        if (!tiles_folder.empty())
            resolver = [&tiles_folder](const std::string& name) {
                return Is_Plain_Name(name) ? tiles_folder + name : std::string();
            };
        read->Load(reader, resolver);
    } catch (const TStream_Error&) {
        return false;
    }
    // A level without its terrain cannot be walked or drawn.
    if (read->Terrains.Count() == 0)
        return false;
    map.Assign(*read);
    map.Map_File_Name = File_Name_Part(path);
    map.Player_Number = 0;
    return true;
}

bool Save_Map(const TMap& map, const std::string& file) {
    TBusy busy;
    if (Write_Map_File(map, file))
        return true;
    show_error(quoted("Unable to save module file", file));
    return false;
}

bool Load_Map(TWriteable_Map& map, const std::string& file, bool test_character) {
    TBusy busy;
    if (!Read_Map_File(file, map)) {
        show_error(quoted("Unable to load map file", file));
        return false;
    }
    if (test_character)
        add_player(map, make_test_hero(), 12, 12);
    return true;
}

bool Load_Module_File(const std::string& folder, const std::string& file, TWriteable_Module& module,
                      bool load_start_map, TWriteable_Map& map, const TMonster* character) {
    TBusy busy;
    TWriteable_Module read;
    read.Folder = module.Folder;
    if (!Read_Module_File(folder + file, read)) {
        show_error(quoted("Unable to load module file", folder + file));
        return false;
    }
    if (load_start_map) {
        const std::string map_file = folder + std::to_string(read.Start_Map) + ".map";
        auto start = std::make_unique<TWriteable_Map>();
        if (!Read_Map_File(map_file, *start)) {
            show_error(quoted("Unable to load map file", map_file));
            return false;
        }
        map.Assign(*start);
        add_player(map, character ? *character : make_test_hero(), read.Start_X, read.Start_Y);
    }
    static_cast<TModule&>(module) = std::move(read);
    module.Set_Folder(folder);
    return true;
}

// ---- Games ----

bool Read_Game_Header(const std::string& folder, TGame_Header& header) {
    TValue_Reader reader;
    if (!reader.Load_From_File(folder + Game_Id_File))
        return false;
    TGame_Header read;
    try {
        read.Game_Name = reader.Read_String();
        read.Version = reader.Read_Version();
        read.Map_File = reader.Read_String();
        read.Module_File = reader.Read_String();
        read.Player_Number = reader.Read_Word();
        read.Module_Name = reader.Read_String();
        read.Options.Load(reader);
    } catch (const TStream_Error&) {
        return false;
    }
    // Names from the file become file and folder names: they must stay in their folder.
    if (!Is_Plain_Name(read.Map_File) || !Is_Plain_Name(read.Module_File) ||
        !Is_Plain_Folder_Name(read.Module_Name) || read.Player_Number == 0)
        return false;
    header = std::move(read);
    return true;
}

std::string Read_Game_Name(const std::string& folder) {
    TValue_Reader reader;
    if (!reader.Load_From_File(folder + Game_Id_File))
        return {};
    try {
        return reader.Read_String();
    } catch (const TStream_Error&) {
        return {};
    }
}

bool Save_Game(const std::string& name, const TGame_Objects& game, const std::string& module_file,
               const std::string& map_file) {
    TBusy busy;
    TProgress progress("Saving Game...");
    const TMonster* player = game.Map.Monster_List.Get(game.Map.Player_Number);
    TGame_Header header;
    header.Game_Name = name;
    header.Version = Current_Save_Version;
    header.Map_File = File_Name_Part(map_file);
    header.Module_File = File_Name_Part(module_file);
    header.Player_Number = game.Map.Player_Number;
    header.Module_Name = Path_Settings ? Path_Settings->Get_Module_Name() : std::string();
    header.Options = game.Options;
    // The level and the module first: the header is replaced last, so until then the
    // old header still names whole files.
    // A header that the loader would refuse is no save.
    bool ok = player != nullptr && Is_Plain_Name(header.Map_File) &&
              Is_Plain_Name(header.Module_File) && Is_Plain_Folder_Name(header.Module_Name);
    ok = ok && Write_Map_File(game.Map, map_file);
    progress.Set(50);
    ok = ok && Write_Module_File(game.Module, module_file);
    progress.Set(90);
    ok = ok && write_game_header(Folder_Part(map_file) + Game_Id_File, header);
    if (!ok)
        show_error(quoted("Unable to save game file", module_file));
    return ok;
}

bool Load_Game(const std::string& folder, const TGame_Objects& game) {
    TBusy busy;
    TProgress progress("Loading Game...");
    TRead_Game read;
    if (!read_game(folder, read)) {
        show_error(quoted("Unable to load game file", folder + Game_Id_File));
        return false;
    }
    progress.Set(10);
    if (Path_Settings)
        Path_Settings->Set_Module(read.Header.Module_Name);
    Save_Load_Display().Reload_Global_Structs();
    progress.Set(30);
    static_cast<TModule&>(game.Module) = std::move(read.Module);
    game.Module.Set_Folder(folder);
    game.Map.Assign(*read.Map);
    game.Map.Player_Number = read.Header.Player_Number;
    game.Map.Make_Current();
    game.Options = read.Header.Options;
    progress.Set(50);
    Save_Load_Display().Show_Map();
    return true;
}

bool Save_Game_To_Slot(int32_t slot, const std::string& name, const TGame_Objects& game) {
    TBusy busy;
    if (slot < 1 || slot > Save_Slot_Count || !Path_Settings)
        return false;
    const std::string current = Path_Settings->Get_Current_Game_Folder();
    const std::string slot_folder = Path_Settings->Get_Save_Slot_Folder(slot);
    recover_folder(current, sibling_folder(current, ".old"));
    Create_Folder(current);
    if (!Save_Game(name, game, current + "\\" + game.Module.File_Name,
                   current + "\\" + game.Map.Map_File_Name))
        return false;

    // The new copy is built beside the slot and swapped in only when whole.
    const std::string old = sibling_folder(slot_folder, ".old");
    recover_folder(slot_folder, old);
    bool had_slot = false;
    if (!replace_folder(current, slot_folder, had_slot))
        return false;
    Delete_Folder(old);
    Save_Load_Display().Remember_Saved_Slot(slot);
    return true;
}

bool Load_Game_From_Slot(int32_t slot, const TGame_Objects& game) {
    TBusy busy;
    if (slot < 1 || slot > Save_Slot_Count || !Path_Settings)
        return false;
    const std::string slot_folder = Path_Settings->Get_Save_Slot_Folder(slot);
    const std::string current = Path_Settings->Get_Current_Game_Folder();
    recover_folder(slot_folder, sibling_folder(slot_folder, ".old"));
    recover_folder(current, sibling_folder(current, ".old"));
    {
        // The slot is read whole before anything of the running game is touched.
        TRead_Game check;
        if (!read_game(slot_folder, check)) {
            show_error(quoted("Unable to load game file", slot_folder + Game_Id_File));
            return false;
        }
    }
    const std::string old = sibling_folder(current, ".old");
    bool had_current = false;
    if (!replace_folder(slot_folder, current, had_current))
        return false;
    if (!Load_Game(current, game)) {
        // The running game's files come back.
        Delete_Folder(current);
        if (had_current)
            Rename_File(old, current);
        return false;
    }
    Delete_Folder(old);
    return true;
}

bool Resume_Game(const TGame_Objects& game) {
    const int32_t slot = Machine_Options.Last_Saved_Game_Slot;
    const bool in_range = slot >= 1 && slot <= Save_Slot_Count && Path_Settings;
    const std::string slot_folder = in_range ? Path_Settings->Get_Save_Slot_Folder(slot) : "";
    // A save whose swap was cut short is still the last save.
    if (in_range)
        recover_folder(slot_folder, sibling_folder(slot_folder, ".old"));
    if (!in_range || !File_Exists(slot_folder + Game_Id_File)) {
        Save_Load_Display().Show_Message("Resume",
                                         "There is no saved game to resume. Please use Load Game.");
        return false;
    }
    return Load_Game_From_Slot(slot, game);
}

// ---- Characters ----

bool Save_Character(const TMonster& creature, const TItem_List& items, const std::string& file) {
    TBusy busy;
    try {
        TValue_Writer writer;
        writer.Write_String(Current_Save_Version);
        creature.Save(writer);
        std::vector<std::pair<uint16_t, const TItem*>> carried;
        for (int32_t slot = 1; slot <= Last_Backpack_Slot; ++slot)
            if (const TItem* item = creature.Inventory.Get_In_Slot(slot, items))
                carried.emplace_back(static_cast<uint16_t>(slot), item);
        writer.Write_Word(static_cast<uint16_t>(carried.size()));
        for (const auto& [slot, item] : carried) {
            writer.Write_Word(slot);
            item->Save(writer);
        }
        if (writer.Save_To_File(file))
            return true;
    } catch (const TStream_Error&) {
    }
    show_error(quoted("Unable to save character file", file));
    return false;
}

bool Load_Character(TMonster& creature, TItem_List& items, const std::string& file) {
    TBusy busy;
    TMonster read;
    std::vector<std::pair<uint16_t, TItem>> carried;
    bool ok = false;
    TValue_Reader reader;
    if (reader.Load_From_File(file)) {
        try {
            reader.Read_Version();
            read.Load(reader);
            const uint16_t count = reader.Read_Word();
            if (count > Last_Backpack_Slot)
                throw TStream_Error("more items than inventory slots");
            std::array<bool, Last_Backpack_Slot + 1> taken{};
            for (uint16_t i = 0; i < count; ++i) {
                const uint16_t slot = reader.Read_Word();
                if (slot < 1 || slot > Last_Backpack_Slot || taken[slot])
                    throw TStream_Error("inventory slot out of range");
                taken[slot] = true;
                TItem item;
                item.Load(reader);
                carried.emplace_back(slot, std::move(item));
            }
            ok = true;
        } catch (const TStream_Error&) {
        }
    }
    // The items join the list only once the whole file has read; if they do not all
    // fit, those already added leave again.
    std::vector<uint16_t> added;
    read.Inventory.Clear();
    for (const auto& [slot, item] : carried) {
        if (!ok)
            break;
        const uint16_t number = items.Add(item);
        if (number != 0)
            added.push_back(number);
        ok = number != 0 && read.Inventory.Put_In_Slot(number, slot, items);
    }
    if (!ok) {
        for (uint16_t number : added)
            items.Delete_Item(number);
        show_error(quoted("Unable to load character file", file));
        return false;
    }
    creature = read;
    return true;
}

bool Export_Character(const TMonster& creature, const TItem_List& items, bool show_success) {
    const std::string folder = Path_Settings ? Path_Settings->Get_Characters_Folder() : "";
    const std::string file_name = creature.Name + ".dat";
    // The name becomes a file name: it must be one, and one the system can make.
    if (folder.empty() || !Is_Plain_Name(creature.Name) || Trim(creature.Name).empty() ||
        file_name.size() > 255) {
        show_error(quoted("Unable to save character file", folder + file_name));
        return false;
    }
    Create_Folder(folder);
    TMonster exported = creature;
    exported.Character_State = 0;
    if (!Save_Character(exported, items, folder + file_name))
        return false;
    if (show_success)
        Save_Load_Display().Show_Message("Character Exported",
                                         "Your character has been exported successfully.");
    return true;
}

void Stow_Held_Item(THeld_Item& held, TMap& map, TMonster& player) {
    const uint16_t number = held.Peek_Held();
    if (number == 0)
        return;
    held.Clear_Hold();
    if (!map.Item_List.Get(number))
        return;
    if (!player.Add_To_Backpack(number))
        map.Drop_Item(player.X, player.Y, number);
}

// ---- Folders ----

bool Copy_Folder_Files(const std::string& from, const std::string& to) {
    TBusy busy;
    const bool ok = copy_files(from, to);
    if (!ok)
        show_error("Unable to copy files from \"" + from + "\" to \"" + to + "\".");
    return ok;
}

bool Delete_Folder_Files(const std::string& folder) {
    TBusy busy;
    bool ok = true;
    for (const std::string& name : List_Files(folder))
        ok = Delete_File(folder + name) && ok;
    if (!ok)
        show_error(quoted("Unable to delete files from", folder));
    return ok;
}
