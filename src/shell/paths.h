#pragma once
// The game folder and the override rule: a module may replace any common picture,
// sound, music or "Data\" file by a file of the same name in the same sub-folder of
// its own folder.

#include <cstdint>
#include <string>

// The game folder, ending in "/" on Linux (the folder names below it are joined with
// "\" as the data files write them; the file functions accept both). Never upper- or
// lower-cased.
extern std::string App_Dir;
// Sets App_Dir to the folder as given, adding the trailing "/" when it is missing. The
// game sets it before the start-up banner is logged (nothing is logged without it).
void Set_App_Dir(const std::string& folder);

class TPath_Settings {
  public:
    // App_Dir + folder + file, or the module's own copy when it exists. A file name
    // that is not a plain name resolves to nothing (an empty string).
    std::string Resolve_Path(const std::string& folder, const std::string& file) const;

    // name ends in "\", for example "Crypt\". False (and nothing set) when the name is
    // not a plain folder name. An empty name clears the module.
    bool Set_Module(const std::string& name);
    const std::string& Get_Module_Name() const { return module_name_; }
    const std::string& Get_Module_Folder() const { return module_folder_; }

    // The interface bitmaps of "Pictures\SysPics\", each resolved by the override rule.
    std::string Get_Misc_Bitmap() const;
    std::string Get_Gen_Bitmap() const;
    std::string Get_Tilegen_Bitmap() const;
    std::string Get_Damage_FX_Bitmap() const;
    std::string Get_Spells_Bitmap() const;
    std::string Get_Spell_Containers_Bitmap() const;
    std::string Get_Buttons_Small_Square_Bitmap() const;
    std::string Get_Buttons_Main_Round_Bitmap() const;
    std::string Get_Buttons_Arrows_Bitmap() const;
    std::string Get_Buttons_Square_Icons_Bitmap() const;
    std::string Get_Buttons_Square_Frames_Bitmap() const;
    std::string Get_Buttons_Long_Rounded_Text_Bitmap() const;
    std::string Get_Buttons_Long_Square_Text_Bitmap() const;
    std::string Get_Buttons_Square_Named_Bitmap() const;
    std::string Get_Buttons_Square_Named_Blank_Bitmap() const;
    std::string Get_Dlg_Quests_Bitmap() const;
    std::string Get_Dlg_Overview_Map_Bitmap() const;
    std::string Get_Dlg_Game_Menu_Bitmap() const;
    std::string Get_Dlg_Load_Save_Bitmap() const;
    std::string Get_Dlg_Message_Bitmap() const;
    std::string Get_Dlg_Talk_Bitmap() const;
    std::string Get_Win_Inventory_Bitmap() const;
    std::string Get_Win_Inventory_Tabs_Bitmap() const;
    std::string Get_Win_Stats_Bitmap() const;
    std::string Get_Dlg_MM_Bitmap() const;
    std::string Get_Dlg_Intro_Bitmap() const;
    std::string Get_Dlg_Select_Module_Bitmap() const;
    std::string Get_Dlg_Select_Character_Bitmap() const;
    std::string Get_Win_Char_Bitmap() const;
    std::string Get_Dlg_Dead_Bitmap() const;
    std::string Get_Dlg_High_Scores_Bitmap() const;
    std::string Get_Dlg_Statistics_Bitmap() const;
    std::string Get_Dlg_Spell_List_Bitmap() const;
    std::string Get_Dlg_Spell_Selection_Bitmap() const;
    std::string Get_Dlg_Map_Gen_Bitmap() const;
    std::string Get_Dlg_Error_List_Bitmap() const;
    std::string Get_Dlg_Progress_Bitmap() const;
    std::string Get_Dlg_Module_Text_Bitmap() const;
    std::string Get_Dlg_Store_Bitmap() const;
    std::string Get_Dlg_Container_Bitmap() const;
    std::string Get_Dlg_Conversation_Bitmap() const;
    std::string Get_Dlg_Give_Item_Bitmap() const;
    std::string Get_Dlg_Difficulty_Bitmap() const;
    std::string Get_Main_UI_Bitmap() const;

    // Pictures, sounds and music named by the data files (override rule). A name that
    // is not a plain file name gives an empty string.
    std::string Get_Terrain_Picture(const std::string& name) const;
    std::string Get_Item_Picture(const std::string& name) const;
    std::string Get_Monster_Picture(const std::string& name) const;
    std::string Get_System_Picture(const std::string& name) const;
    std::string Get_Sound_File(const std::string& name) const;
    std::string Get_Music_File(const std::string& name) const;

    // The common data files of "Data\" (override rule).
    std::string Get_Settings_File() const;
    std::string Get_Class_Portraits_File() const;
    std::string Get_Spells_File() const;
    std::string Get_Effects_File() const;
    std::string Get_Summon_Monster_Classes_File() const;
    std::string Get_Class_Item_Classes_File() const;
    // Always the common one, whatever module is chosen.
    std::string Get_High_Score_File() const;

    // The module's own data files, looked for only in its "Data\" folder. Empty while
    // no module is chosen, so that nothing is read from the working folder.
    std::string Get_Module_Data_File() const;
    std::string Get_Quests_File() const;
    std::string Get_Events_File() const;
    std::string Get_Chance_Groups_File() const;
    std::string Get_Trap_Groups_File() const;
    std::string Get_Item_Modifiers_File() const;
    std::string Get_Monster_Modifiers_File() const;
    std::string Get_Unique_Item_Names_File() const;
    // A class file the module definition names (terrain, items, monsters, groups...).
    std::string Get_Module_Data_File_By_Name(const std::string& name) const;
    std::string Get_Tiles_Folder() const;
    std::string Get_Tile_File(const std::string& name) const;

    std::string Get_Modules_Folder() const;
    std::string Get_Characters_Folder() const;
    std::string Get_Character_File(const std::string& name) const;
    std::string Get_Current_Game_Folder() const;
    std::string Get_Savegames_Folder() const;
    // "Savegames\slot03\" for slot 3. Slots outside 0..99 give an empty string.
    std::string Get_Save_Slot_Folder(int32_t slot) const;
    // The font files of "Fonts\" (never overridden).
    std::string Get_Font_File(const std::string& name) const;

  private:
    std::string module_file(const std::string& folder, const std::string& name) const;
    std::string module_name_;
    std::string module_folder_;
};
