#include "system_pictures.h"

#include "forge.h"

namespace {

TPicture_Entry sys(const char* name, const char* group, bool opaque, TCanvas (*make)()) {
    return TPicture_Entry{"Pictures/SysPics", name, group, opaque, [make] {
                              TCanvas c = make();
                              c.Make_Safe();
                              return c;
                          }};
}

TPicture_Entry dlg(const char* name) {
    return TPicture_Entry{"Pictures/SysPics", name, "dialogs", true,
                          [name] { return Make_Dialog(name); }};
}

} // namespace

std::vector<TPicture_Entry> System_Pictures() {
    return {
        sys("misc.bmp", "sheets", false, Make_Misc),
        sys("gen.bmp", "sheets", false, Make_Gen),
        sys("tilegen.bmp", "sheets", false, Make_Tilegen),
        sys("DamageFX.bmp", "sheets", false, Make_Damage_FX),
        sys("Spells.bmp", "sheets", true, Make_Spells),
        sys("SpellContainers.bmp", "buttons", false, Make_Spell_Containers),
        sys("ButtonsSmallSquare.bmp", "buttons", true, Make_Buttons_Small_Square),
        sys("ButtonsMainRound.bmp", "buttons", false, Make_Buttons_Main_Round),
        sys("ButtonsArrows.bmp", "buttons", true, Make_Buttons_Arrows),
        sys("ButtonsSquareIcons.bmp", "buttons", true, Make_Buttons_Square_Icons),
        sys("ButtonsSquareFrames.bmp", "buttons", true, Make_Buttons_Square_Frames),
        sys("ButtonsLongRoundedText.bmp", "buttons", false, Make_Buttons_Long_Rounded_Text),
        sys("ButtonsLongSquareText.bmp", "buttons", true, Make_Buttons_Long_Square_Text),
        sys("ButtonsSquareNamed.bmp", "buttons", true, Make_Buttons_Square_Named),
        sys("ButtonsSquareNamedBlank.bmp", "buttons", true, Make_Buttons_Square_Named_Blank),
        dlg("Dlg_Quests.bmp"),
        dlg("Dlg_OverviewMap.bmp"),
        dlg("Dlg_GameMenu.bmp"),
        dlg("Dlg_LoadSave.bmp"),
        dlg("Dlg_Message.bmp"),
        dlg("Dlg_Talk.bmp"),
        dlg("Win_Inventory.bmp"),
        dlg("Win_Inventory_Tabs.bmp"),
        dlg("Win_Stats.bmp"),
        dlg("Dlg_MM.bmp"),
        dlg("Dlg_Intro.bmp"),
        dlg("Dlg_SelectModule.bmp"),
        dlg("Dlg_SelectCharacter.bmp"),
        dlg("Win_Char.bmp"),
        dlg("Dlg_Dead.bmp"),
        dlg("Dlg_HighScores.bmp"),
        dlg("Dlg_Statistics.bmp"),
        dlg("Dlg_SpellList.bmp"),
        dlg("Dlg_SpellSelection.bmp"),
        dlg("Dlg_MapGen.bmp"),
        dlg("Dlg_ErrorList.bmp"),
        dlg("Dlg_Progress.bmp"),
        dlg("Dlg_ModuleText.bmp"),
        dlg("Dlg_Store.bmp"),
        dlg("Dlg_Container.bmp"),
        dlg("Dlg_Conversation.bmp"),
        dlg("Dlg_GiveItem.bmp"),
        dlg("Dlg_Difficulty.bmp"),
        sys("MainUI.bmp", "main", true, Make_Main_UI),
    };
}
