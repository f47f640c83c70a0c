#include "shell/options.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "shell/helpers.h"
#include "shell/paths.h"
#include "shell/value_stream.h"

TMachine_Options Machine_Options;
std::unique_ptr<TGame_Options> Game_Options;

namespace {
// The names of the values in the options file, as the registry held them.
const char* const game_path_value = "Game Path";
const char* const last_slot_value = "Last Saved Game Slot";
const char* const play_sounds_value = "Play Sounds";
const char* const play_music_value = "Play Music";
const char* const show_drawing_speed_value = "Show Drawing Speed";
const char* const dont_autosave_value = "Dont Autosave";
const char* const autosave_minute_value = "Autosave Every Minute";
const char* const autosave_5_minutes_value = "Autosave Every 5 Minutes";
const char* const autosave_20_minutes_value = "Autosave Every 20 Minutes";
const char* const game_speed_value = "Game Speed Modified Percent";

TMachine_Options default_options() {
    TMachine_Options options;
    options.Game_Path = App_Dir;
    return options;
}

// A missing string reads as empty, as the registry did; a value of the other type is
// a read failure.
bool read_string(const TOptions_File& file, const char* name, std::string& value) {
    value.clear();
    if (!file.Has_Value(name))
        return true;
    return file.Read_String(name, value);
}

const char* bool_text(bool value) {
    return value ? "true" : "false";
}

// Truncated toward zero; a result beyond 32 bits is held at the nearest end.
int32_t truncate_to_int32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t speed_percent() {
    // The reader keeps the percent within 10..200; this guards a value set in code.
    const int32_t p = Machine_Options.Game_Speed_Modified_Percent;
    return p > 0 ? p : 100;
}
} // namespace

bool Read_Machine_Options(const std::string& options_path) {
    TOptions_File file(options_path);
    if (!file.Load() || !file.Has_Value(last_slot_value)) {
        Machine_Options = default_options();
        return false;
    }
    TMachine_Options options = default_options();
    std::string text;
    bool ok = read_string(file, game_path_value, options.Game_Path);
    ok = ok && file.Read_Integer(last_slot_value, options.Last_Saved_Game_Slot);

    ok = ok && read_string(file, play_sounds_value, text);
    options.Play_Sounds = Lower_Case(text) != "false";
    ok = ok && read_string(file, play_music_value, text);
    options.Play_Music = Lower_Case(text) != "false";

    ok = ok && read_string(file, show_drawing_speed_value, text);
    options.Show_Drawing_Speed = Lower_Case(text) == "true";
    ok = ok && read_string(file, autosave_minute_value, text);
    options.Autosave_Every_Minute = Lower_Case(text) == "true";
    ok = ok && read_string(file, autosave_5_minutes_value, text);
    options.Autosave_Every_5_Minutes = Lower_Case(text) == "true";
    ok = ok && read_string(file, autosave_20_minutes_value, text);
    options.Autosave_Every_20_Minutes = Lower_Case(text) == "true";
    ok = ok && read_string(file, dont_autosave_value, text);
    options.Dont_Autosave = Lower_Case(text) == "true";
    if (!options.Autosave_Every_Minute && !options.Autosave_Every_5_Minutes &&
        !options.Autosave_Every_20_Minutes)
        options.Dont_Autosave = true;

    ok = ok && file.Read_Integer(game_speed_value, options.Game_Speed_Modified_Percent);
    if (!ok) {
        Machine_Options = default_options();
        return false;
    }
    // A hand-edited slot must not name a folder outside the ten slots, and the speed
    // is a divisor: keep both within what the Options dialog can set.
    if (options.Last_Saved_Game_Slot < 1 || options.Last_Saved_Game_Slot > 10)
        options.Last_Saved_Game_Slot = 0;
    if (options.Game_Speed_Modified_Percent < 10 || options.Game_Speed_Modified_Percent > 200)
        options.Game_Speed_Modified_Percent = 100;
    Machine_Options = options;
    return true;
}

bool Write_Machine_Options(const std::string& options_path) {
    TOptions_File file(options_path);
    file.Load(); // keeps any value we do not own
    const TMachine_Options& options = Machine_Options;
    file.Write_String(game_path_value, options.Game_Path);
    file.Write_Integer(last_slot_value, options.Last_Saved_Game_Slot);
    file.Write_String(play_sounds_value, bool_text(options.Play_Sounds));
    file.Write_String(play_music_value, bool_text(options.Play_Music));
    file.Write_String(show_drawing_speed_value, bool_text(options.Show_Drawing_Speed));
    file.Write_String(dont_autosave_value, bool_text(options.Dont_Autosave));
    file.Write_String(autosave_minute_value, bool_text(options.Autosave_Every_Minute));
    file.Write_String(autosave_5_minutes_value, bool_text(options.Autosave_Every_5_Minutes));
    file.Write_String(autosave_20_minutes_value, bool_text(options.Autosave_Every_20_Minutes));
    file.Write_Integer(game_speed_value, options.Game_Speed_Modified_Percent);
    return file.Save();
}

bool Write_Game_Path(const std::string& path, const std::string& options_path) {
    Machine_Options.Game_Path = path;
    TOptions_File file(options_path);
    file.Load();
    file.Write_String(game_path_value, path);
    return file.Save();
}

int32_t Speed_Scaled_Time(int32_t n) {
    return truncate_to_int32(static_cast<double>(n) / (speed_percent() / 100.0));
}

int32_t Speed_Scaled_Amount(int32_t n) {
    return truncate_to_int32(static_cast<double>(n) * (speed_percent() / 100.0));
}

double Speed_Scaled_Time_F(double x) {
    return x / (speed_percent() / 100.0);
}

void TGame_Options::Save(TValue_Writer& writer) const {
    writer.Write_Boolean(Flag_1);
    writer.Write_Boolean(Flag_2);
    writer.Write_Boolean(Flag_3);
    writer.Write_Boolean(Flag_4);
    writer.Write_Boolean(Flag_5);
    writer.Write_Byte(Difficulty);
    writer.Write_Word(Start_Level);
    writer.Write_Word(Map_Entry_Level);
    for (const TEquipment_Set& set : Equipment_Sets) {
        writer.Write_String(set.First_Hand_Name);
        writer.Write_Word(set.First_Hand_Id);
        writer.Write_String(set.Second_Hand_Name);
        writer.Write_Word(set.Second_Hand_Id);
        writer.Write_Word(set.Spell_Slot);
    }
}

void TGame_Options::Load(TValue_Reader& reader) {
    // Read into a copy so that a damaged record leaves the options as they were.
    TGame_Options loaded = *this;
    loaded.load_fields(reader);
    *this = std::move(loaded);
}

void TGame_Options::load_fields(TValue_Reader& reader) {
    Flag_1 = reader.Read_Boolean();
    Flag_2 = reader.Read_Boolean();
    Flag_3 = reader.Read_Boolean();
    Flag_4 = reader.Read_Boolean();
    Flag_5 = reader.Read_Boolean();
    Difficulty = reader.Read_Byte();
    // The game only ever sets 1..4; anything else is a damaged file, and the difficulty
    // multiplies monster numbers and strengths.
    if (Difficulty < 1 || Difficulty > 4)
        throw TStream_Error("difficulty " + std::to_string(Difficulty) + " outside 1..4");
    Start_Level = reader.Read_Word();
    Map_Entry_Level = reader.Read_Word();
    for (TEquipment_Set& set : Equipment_Sets) {
        set.First_Hand_Name = reader.Read_String();
        set.First_Hand_Id = reader.Read_Word();
        set.Second_Hand_Name = reader.Read_String();
        set.Second_Hand_Id = reader.Read_Word();
        set.Spell_Slot = reader.Read_Word();
    }
}

void TGame_Options::Remap_Item_Ids(const std::vector<uint16_t>& old_ids,
                                   const std::vector<uint16_t>& new_ids) {
    const size_t count = std::min(old_ids.size(), new_ids.size());
    auto remap = [&](uint16_t& id) {
        if (id == 0)
            return;
        for (size_t i = 0; i < count; ++i) {
            if (old_ids[i] == id) {
                id = new_ids[i];
                return;
            }
        }
    };
    for (TEquipment_Set& set : Equipment_Sets) {
        remap(set.First_Hand_Id);
        remap(set.Second_Hand_Id);
    }
}
