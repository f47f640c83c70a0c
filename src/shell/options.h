#pragma once
// The player's own choices, kept in the per-user options file (the registry's
// stand-in), and the choices that belong to one game, saved with it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/options_file.h"

class TValue_Writer;
class TValue_Reader;

struct TMachine_Options {
    std::string Game_Path;
    int32_t Last_Saved_Game_Slot = 0; // 1..10; 0 when no game was saved
    bool Play_Sounds = true;
    bool Play_Music = true;
    bool Show_Drawing_Speed = false;
    // Exactly one of the four autosave choices is meant to be on.
    bool Dont_Autosave = true;
    bool Autosave_Every_Minute = false;
    bool Autosave_Every_5_Minutes = false;
    bool Autosave_Every_20_Minutes = false;
    int32_t Game_Speed_Modified_Percent = 100; // 10..200
};

extern TMachine_Options Machine_Options;

// Reads the options file into Machine_Options. A missing file, a missing
// "Last Saved Game Slot", or a value of the wrong type gives the defaults for every
// field (Game_Path then keeps App_Dir). False when the defaults were taken.
bool Read_Machine_Options(const std::string& options_path = TOptions_File::Default_Path());
// Writes every value of Machine_Options. False when the file could not be written
// (it is then left as it was).
bool Write_Machine_Options(const std::string& options_path = TOptions_File::Default_Path());
// Sets Game_Path and writes only "Game Path".
bool Write_Game_Path(const std::string& path,
                     const std::string& options_path = TOptions_File::Default_Path());

// Game time scaled by the game-speed percent p: Trunc(n / (p / 100)), Trunc(n * (p /
// 100)) and x / (p / 100).
int32_t Speed_Scaled_Time(int32_t n);
int32_t Speed_Scaled_Amount(int32_t n);
double Speed_Scaled_Time_F(double x);

// What the keys Ctrl + 1 to 5 store: the items in the two hands and the selected spell.
struct TEquipment_Set {
    std::string First_Hand_Name;
    uint16_t First_Hand_Id = 0;
    std::string Second_Hand_Name;
    uint16_t Second_Hand_Id = 0;
    uint16_t Spell_Slot = 0;
};

class TGame_Options {
  public:
    // Flags 2, 3 and 5 switch parts of the map drawing, flag 4 lets path finding and
    // movement respect walls; flag 1 is kept (and saved) though nothing reads it.
    bool Flag_1 = true;
    bool Flag_2 = true;
    bool Flag_3 = false;
    bool Flag_4 = true;
    bool Flag_5 = true;
    uint8_t Difficulty = 2;                       // 1..4
    uint16_t Start_Level = 0;                     // the character's level when the game began
    uint16_t Map_Entry_Level = 0;                 // the character's level when this map was entered
    std::string Module_Label;                     // not saved
    std::array<TEquipment_Set, 5> Equipment_Sets; // sets 1..5 at 0..4

    void Save(TValue_Writer& writer) const;
    // Throws TStream_Error on a damaged record (a difficulty outside 1..4 included),
    // leaving the options as they were.
    void Load(TValue_Reader& reader);
    // Item identifiers renumbered: an identifier equal to old_ids[i] becomes new_ids[i]
    // (the first match wins; 0 means no item and is never remapped).
    void Remap_Item_Ids(const std::vector<uint16_t>& old_ids, const std::vector<uint16_t>& new_ids);

  private:
    void load_fields(TValue_Reader& reader);
};

extern std::unique_ptr<TGame_Options> Game_Options;
