#pragma once
// Saved games, level files, the module file and character files.
//
// A running game lives in the current-game folder: "module.mod", one N.map per level
// and, once saved, "game.id". Saving writes the level in memory, the module and
// "game.id" there (each file through a temporary file renamed over the old one, the
// header last) and then copies the folder into a save slot; loading copies a slot back
// and reads it. Nothing is replaced before its new copy is whole, and a load that
// fails leaves the running game, its objects and its files as they were.
//
// Every operation answers false on failure after showing the message titled "Error"
// that names the file.

#include <cstdint>
#include <string>

#include "shell/options.h"

class TWriteable_Map;
class TWriteable_Module;
class TMonster;
class TItem_List;
class THeld_Item;
class TMap;

// What saving and loading show on the screen (the Save_Load service, shell/services.h).
// The default does nothing but report errors with a standard message box and remember
// the saved slot in the machine options; the game screen installs its own.
class TSave_Load_Display {
  public:
    virtual ~TSave_Load_Display() = default;
    virtual void Open_Progress(const std::string& /*text*/) {}
    virtual void Set_Progress(int32_t /*percent*/) {}
    virtual void Close_Progress() {}
    virtual void Set_Busy_Pointer(bool /*busy*/) {}
    virtual void Show_Message(const std::string& title, const std::string& text);
    // After a game was loaded: the module's data files again, with its own copies.
    virtual void Reload_Global_Structs() {}
    // After a game or a level was loaded: show the map.
    virtual void Show_Map() {}
    // After a successful save into a slot: remember it as the slot to resume from.
    virtual void Remember_Saved_Slot(int32_t slot);
};

// The installed display, or the default.
TSave_Load_Display& Save_Load_Display();

// The objects a game is made of: the level in memory (whose Player_Number names the
// player), the runtime module and the game's options.
struct TGame_Objects {
    TWriteable_Map& Map;
    TWriteable_Module& Module;
    TGame_Options& Options;
};

inline constexpr const char* Game_Id_File = "game.id";
inline constexpr int32_t Save_Slot_Count = 10;

// What "game.id" holds.
struct TGame_Header {
    std::string Game_Name;
    std::string Version;
    std::string Map_File;    // a plain file name in the same folder
    std::string Module_File; // likewise
    uint16_t Player_Number = 0;
    std::string Module_Name; // the module folder name with its trailing "\"
    TGame_Options Options;
};

// ---- Map and module files (no messages) ----

// "1.06" and the map record, written whole or not at all.
bool Write_Map_File(const TMap& map, const std::string& path);
// Reads a map file with its terrain file (from the module's "Tiles\" folder, or
// through tiles_folder when given); the map's file name becomes the name read. False,
// with the map unchanged, when the file is missing or damaged or its terrain file
// cannot be read.
bool Read_Map_File(const std::string& path, TWriteable_Map& map,
                   const std::string& tiles_folder = {});

// ---- The operations of the game ----

bool Save_Map(const TMap& map, const std::string& file);
// With test_character a test hero is put on the map at (12, 12) as its player.
bool Load_Map(TWriteable_Map& map, const std::string& file, bool test_character);

// Reads folder + file into module. With load_start_map the start map (its number +
// ".map" in the same folder) is loaded into map and character becomes its player on
// the start square (the nearest free square when a creature stands there); without a
// character a test hero is made. The module then remembers the folder. Nothing is
// changed unless everything could be read.
bool Load_Module_File(const std::string& folder, const std::string& file, TWriteable_Module& module,
                      bool load_start_map, TWriteable_Map& map, const TMonster* character);

// Writes "game.id" into the folder of map_file, the map to map_file and the module to
// module_file. Header last: a failure part-way leaves the old header naming whole
// files.
bool Save_Game(const std::string& name, const TGame_Objects& game, const std::string& module_file,
               const std::string& map_file);
// Reads the game in folder (ending in a separator). Every file is read and checked
// before anything of the running game changes: then the module name is set, the data
// files reloaded and the objects replaced.
bool Load_Game(const std::string& folder, const TGame_Objects& game);
// Reads only the header; false (no message) when missing or damaged. Names and numbers
// are checked: plain file names, a plain module folder name.
bool Read_Game_Header(const std::string& folder, TGame_Header& header);
// The game's name in folder + "game.id", empty when there is none.
std::string Read_Game_Name(const std::string& folder);

// The whole save into slot 1..10 of the save-game folder: the game into the
// current-game folder, then a copy of that folder built beside the slot and swapped in
// only when complete. The slot keeps its previous save on any failure.
bool Save_Game_To_Slot(int32_t slot, const std::string& name, const TGame_Objects& game);
// Loads slot 1..10: the slot is read and checked first; then its copy replaces the
// current-game folder, whose old files are kept until the load succeeded and put back
// otherwise.
bool Load_Game_From_Slot(int32_t slot, const TGame_Objects& game);
// Loads the slot last saved into (Last_Saved_Game_Slot). When it is not 1..10 or holds
// no "game.id", the "Resume" message says so and nothing is touched.
bool Resume_Game(const TGame_Objects& game);

// ---- Characters ----

// "1.06", the creature record, then its occupied inventory slots 1..90 with their
// items (taken from items).
bool Save_Character(const TMonster& creature, const TItem_List& items, const std::string& file);
// Reads a character; its items join items with new numbers. Nothing changes unless
// the whole file reads and every item fits.
bool Load_Character(TMonster& creature, TItem_List& items, const std::string& file);
// Writes the character into the characters folder as its name + ".dat", as available
// again (state 0). A name that cannot be a file name fails. With show_success the
// "Character Exported" message follows a successful write.
bool Export_Character(const TMonster& creature, const TItem_List& items, bool show_success);

// Before a save or an export: the item on the pointer goes into the first free
// backpack slot, or onto the player's square, so that it is saved with the game.
void Stow_Held_Item(THeld_Item& held, TMap& map, TMonster& player);

// ---- Folders ----

// Both folders end with a separator. Existing files in to are replaced.
bool Copy_Folder_Files(const std::string& from, const std::string& to);
bool Delete_Folder_Files(const std::string& folder);
