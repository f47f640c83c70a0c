#include "shell/paths.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/names.h"

std::string App_Dir;

void Set_App_Dir(const std::string& folder) {
    App_Dir = With_Trailing_Separator(folder);
}

namespace {
const char* const sys_pics = "Pictures\\SysPics\\";
const char* const data_folder = "Data\\";
} // namespace

std::string TPath_Settings::Resolve_Path(const std::string& folder, const std::string& file) const {
    // A name that climbs out of its folder is treated as a file that does not exist.
    if (!Is_Plain_Name(file))
        return std::string();
    if (!module_name_.empty()) {
        const std::string own = module_folder_ + folder + file;
        if (File_Exists(own))
            return own;
    }
    return App_Dir + folder + file;
}

bool TPath_Settings::Set_Module(const std::string& name) {
    if (name.empty()) {
        module_name_.clear();
        module_folder_.clear();
        return true;
    }
    if (!Is_Plain_Folder_Name(name))
        return false;
    // Saved games keep the name with its "\\", whichever separator it was given with.
    module_name_ = name.substr(0, name.size() - 1) + "\\";
    module_folder_ = App_Dir + "Modules\\" + module_name_;
    return true;
}

std::string TPath_Settings::Get_Misc_Bitmap() const {
    return Resolve_Path(sys_pics, "misc.bmp");
}
std::string TPath_Settings::Get_Gen_Bitmap() const {
    return Resolve_Path(sys_pics, "gen.bmp");
}
std::string TPath_Settings::Get_Tilegen_Bitmap() const {
    return Resolve_Path(sys_pics, "tilegen.bmp");
}
std::string TPath_Settings::Get_Damage_FX_Bitmap() const {
    return Resolve_Path(sys_pics, "DamageFX.bmp");
}
std::string TPath_Settings::Get_Spells_Bitmap() const {
    return Resolve_Path(sys_pics, "Spells.bmp");
}
std::string TPath_Settings::Get_Spell_Containers_Bitmap() const {
    return Resolve_Path(sys_pics, "SpellContainers.bmp");
}
std::string TPath_Settings::Get_Buttons_Small_Square_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsSmallSquare.bmp");
}
std::string TPath_Settings::Get_Buttons_Main_Round_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsMainRound.bmp");
}
std::string TPath_Settings::Get_Buttons_Arrows_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsArrows.bmp");
}
std::string TPath_Settings::Get_Buttons_Square_Icons_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsSquareIcons.bmp");
}
std::string TPath_Settings::Get_Buttons_Square_Frames_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsSquareFrames.bmp");
}
std::string TPath_Settings::Get_Buttons_Long_Rounded_Text_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsLongRoundedText.bmp");
}
std::string TPath_Settings::Get_Buttons_Long_Square_Text_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsLongSquareText.bmp");
}
std::string TPath_Settings::Get_Buttons_Square_Named_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsSquareNamed.bmp");
}
std::string TPath_Settings::Get_Buttons_Square_Named_Blank_Bitmap() const {
    return Resolve_Path(sys_pics, "ButtonsSquareNamedBlank.bmp");
}
std::string TPath_Settings::Get_Dlg_Quests_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Quests.bmp");
}
std::string TPath_Settings::Get_Dlg_Overview_Map_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_OverviewMap.bmp");
}
std::string TPath_Settings::Get_Dlg_Game_Menu_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_GameMenu.bmp");
}
std::string TPath_Settings::Get_Dlg_Load_Save_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_LoadSave.bmp");
}
std::string TPath_Settings::Get_Dlg_Message_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Message.bmp");
}
std::string TPath_Settings::Get_Dlg_Talk_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Talk.bmp");
}
std::string TPath_Settings::Get_Win_Inventory_Bitmap() const {
    return Resolve_Path(sys_pics, "Win_Inventory.bmp");
}
std::string TPath_Settings::Get_Win_Inventory_Tabs_Bitmap() const {
    return Resolve_Path(sys_pics, "Win_Inventory_Tabs.bmp");
}
std::string TPath_Settings::Get_Win_Stats_Bitmap() const {
    return Resolve_Path(sys_pics, "Win_Stats.bmp");
}
std::string TPath_Settings::Get_Dlg_MM_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_MM.bmp");
}
std::string TPath_Settings::Get_Dlg_Intro_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Intro.bmp");
}
std::string TPath_Settings::Get_Dlg_Select_Module_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_SelectModule.bmp");
}
std::string TPath_Settings::Get_Dlg_Select_Character_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_SelectCharacter.bmp");
}
std::string TPath_Settings::Get_Win_Char_Bitmap() const {
    return Resolve_Path(sys_pics, "Win_Char.bmp");
}
std::string TPath_Settings::Get_Dlg_Dead_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Dead.bmp");
}
std::string TPath_Settings::Get_Dlg_High_Scores_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_HighScores.bmp");
}
std::string TPath_Settings::Get_Dlg_Statistics_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Statistics.bmp");
}
std::string TPath_Settings::Get_Dlg_Spell_List_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_SpellList.bmp");
}
std::string TPath_Settings::Get_Dlg_Spell_Selection_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_SpellSelection.bmp");
}
std::string TPath_Settings::Get_Dlg_Map_Gen_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_MapGen.bmp");
}
std::string TPath_Settings::Get_Dlg_Error_List_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_ErrorList.bmp");
}
std::string TPath_Settings::Get_Dlg_Progress_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Progress.bmp");
}
std::string TPath_Settings::Get_Dlg_Module_Text_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_ModuleText.bmp");
}
std::string TPath_Settings::Get_Dlg_Store_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Store.bmp");
}
std::string TPath_Settings::Get_Dlg_Container_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Container.bmp");
}
std::string TPath_Settings::Get_Dlg_Conversation_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Conversation.bmp");
}
std::string TPath_Settings::Get_Dlg_Give_Item_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_GiveItem.bmp");
}
std::string TPath_Settings::Get_Dlg_Difficulty_Bitmap() const {
    return Resolve_Path(sys_pics, "Dlg_Difficulty.bmp");
}
std::string TPath_Settings::Get_Main_UI_Bitmap() const {
    return Resolve_Path(sys_pics, "MainUI.bmp");
}

std::string TPath_Settings::Get_Terrain_Picture(const std::string& name) const {
    return Resolve_Path("Pictures\\Terrain\\", name);
}
std::string TPath_Settings::Get_Item_Picture(const std::string& name) const {
    return Resolve_Path("Pictures\\Items\\", name);
}
std::string TPath_Settings::Get_Monster_Picture(const std::string& name) const {
    return Resolve_Path("Pictures\\Monsters\\", name);
}
std::string TPath_Settings::Get_System_Picture(const std::string& name) const {
    return Resolve_Path(sys_pics, name);
}
std::string TPath_Settings::Get_Sound_File(const std::string& name) const {
    return Resolve_Path("Sounds\\", name);
}
std::string TPath_Settings::Get_Music_File(const std::string& name) const {
    return Resolve_Path("Music\\", name);
}

std::string TPath_Settings::Get_Settings_File() const {
    return Resolve_Path(data_folder, "Settings.txt");
}
std::string TPath_Settings::Get_Class_Portraits_File() const {
    return Resolve_Path(data_folder, "Classes.txt");
}
std::string TPath_Settings::Get_Spells_File() const {
    return Resolve_Path(data_folder, "Spells.txt");
}
std::string TPath_Settings::Get_Effects_File() const {
    return Resolve_Path(data_folder, "Effects.txt");
}
std::string TPath_Settings::Get_Summon_Monster_Classes_File() const {
    return Resolve_Path(data_folder, "Summon_MonsterClasses.txt");
}
std::string TPath_Settings::Get_Class_Item_Classes_File() const {
    return Resolve_Path(data_folder, "Classes_ItemClasses.txt");
}
std::string TPath_Settings::Get_High_Score_File() const {
    return App_Dir + data_folder + "HighScores.dat";
}

std::string TPath_Settings::module_file(const std::string& folder, const std::string& name) const {
    if (module_name_.empty() || !Is_Plain_Name(name))
        return std::string();
    return module_folder_ + folder + name;
}

std::string TPath_Settings::Get_Module_Data_File() const {
    return module_file(data_folder, "ModuleData.txt");
}
std::string TPath_Settings::Get_Quests_File() const {
    return module_file(data_folder, "Quests.txt");
}
std::string TPath_Settings::Get_Events_File() const {
    return module_file(data_folder, "Events.txt");
}
std::string TPath_Settings::Get_Chance_Groups_File() const {
    return module_file(data_folder, "ChanceGroups.txt");
}
std::string TPath_Settings::Get_Trap_Groups_File() const {
    return module_file(data_folder, "TrapGroups.txt");
}
std::string TPath_Settings::Get_Item_Modifiers_File() const {
    return module_file(data_folder, "ItemModifiers.txt");
}
std::string TPath_Settings::Get_Monster_Modifiers_File() const {
    return module_file(data_folder, "MonsterModifiers.txt");
}
std::string TPath_Settings::Get_Unique_Item_Names_File() const {
    return module_file(data_folder, "UniqueItemNames.txt");
}
std::string TPath_Settings::Get_Module_Data_File_By_Name(const std::string& name) const {
    return module_file(data_folder, name);
}

std::string TPath_Settings::Get_Tiles_Folder() const {
    if (module_name_.empty())
        return std::string();
    return module_folder_ + "Tiles\\";
}

std::string TPath_Settings::Get_Tile_File(const std::string& name) const {
    return module_file("Tiles\\", name);
}

std::string TPath_Settings::Get_Modules_Folder() const {
    return App_Dir + "Modules\\";
}
std::string TPath_Settings::Get_Characters_Folder() const {
    return App_Dir + "Characters\\";
}

std::string TPath_Settings::Get_Character_File(const std::string& name) const {
    if (!Is_Plain_Name(name))
        return std::string();
    return Get_Characters_Folder() + name;
}

std::string TPath_Settings::Get_Current_Game_Folder() const {
    return App_Dir + "CurrGame\\";
}
std::string TPath_Settings::Get_Savegames_Folder() const {
    return App_Dir + "Savegames\\";
}

std::string TPath_Settings::Get_Save_Slot_Folder(int32_t slot) const {
    // "%.2d" would give "slot-3" or a three-digit name: neither is a slot folder.
    if (slot < 0 || slot > 99)
        return std::string();
    char name[16];
    std::snprintf(name, sizeof name, "slot%.2d", static_cast<int>(slot));
    return Get_Savegames_Folder() + name + "\\";
}

std::string TPath_Settings::Get_Font_File(const std::string& name) const {
    if (!Is_Plain_Name(name))
        return std::string();
    return App_Dir + "Fonts\\" + name;
}
