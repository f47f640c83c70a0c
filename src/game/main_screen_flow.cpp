// The main screen's flow: which dialog follows which, starting and resuming a game,
// exporting the character and taking a map connection.

#include <filesystem>

#include "game/level_change.h"
#include "game/main_screen.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "platform/names.h"
#include "presentation/dlg_intro.h"
#include "presentation/dlg_progress.h"
#include "rules/class_info.h"
#include "rules/item_classes.h"
#include "rules/item_modifiers.h"
#include "rules/monster.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/random.h"
#include "world/map.h"
#include "world/module.h"
#include "world/module_definition.h"

TDisplay_Class* TDC_Main::Open_Game_Dialog(const std::string& name, bool disable_actions) {
    if (TDisplay_Class* open = Shown(name))
        return open; // each dialog at most once
    std::unique_ptr<TDisplay_Class> dialog;
    if (const TGame_Dialog_Factory* factory = Find_Game_Dialog(name))
        dialog = (*factory)(*this);
    if (!dialog) {
        // Not built yet: the flow goes on as if it had closed at once; within the
        // creatures' pass (the player's death), once the pass is over.
        Debug_Log("General", "TDC_Main: there is no dialog \"" + name + "\" to open");
        if (f_In_Pass)
            f_Closed_After_Pass.push_back(name);
        else
            Dialog_Closed(name, 0);
        return nullptr;
    }
    if (disable_actions)
        Set_Actions_Disabled(true);
    TDisplay_Class* child = Add_Child(std::move(dialog));
    child->Set_Position_Centred(name, child->f_Modal);
    child->Set_Visible(true);
    return child;
}

void TDC_Main::Kill_Child_Control(const std::string& Name) {
    TDisplay_Class* closing = Closing_Child<TDisplay_Class>();
    if (auto* intro = Closing_Child<TDC_Dlg_Intro>(); intro && intro->Pictures_Failed()) {
        Request_Close();
        return;
    }
    if (closing && closing == f_Progress)
        f_Progress = nullptr;
    Dialog_Closed(Name, closing ? closing->f_Result : 0);
}

void TDC_Main::Dialog_Closed(const std::string& Name, int32_t Result) {
    if (Name == "Dlg Intro") {
        Make_Game_Controls();
        if (f_Start.Map_Generator || f_Start.Tile_Generator) {
            Tools_Mode = true;
            Sound_Service().Stop_Music();
            Open_Game_Dialog(f_Start.Map_Generator ? "Dlg MapGen" : "Dlg TileGen", false);
        } else if (f_Start.Quick_Start) {
            f_Quick_Starting = true;
            const TQuick_Start start = *f_Start.Quick_Start;
            Quick_Start(start);
            f_Quick_Starting = false;
        } else {
            Open_Main_Menu();
        }
    } else if (Name == "Dlg Menu") {
        switch (Result) {
        case 1:
            Open_Game_Dialog("Dlg Select Module", false);
            break;
        case 2:
            Resume_Game();
            break;
        case 3:
        case 4:
            From_Main_Menu = true;
            Load_Save_Mode = true;
            Open_Game_Dialog(Result == 3 ? "Save Game Dlg" : "High Scores Dlg", false);
            break;
        case 6:
            Request_Close();
            break;
        default:
            break;
        }
    } else if (Name == "Dlg Select Module") {
        if (Result == 1) {
            Open_Game_Dialog("Dlg Difficulty", false);
        } else if (Result == 2) {
            Back_To_Main_Menu();
        }
    } else if (Name == "Dlg Difficulty") {
        if (Result == 5) {
            Back_To_Main_Menu();
        } else if (Result != 0) {
            Open_Game_Dialog("Dlg Select Character", false);
        }
    } else if (Name == "Dlg Select Character") {
        if (Result == 1 || Result == 2) {
            if (!Start_New_Game(Result))
                Open_Main_Menu();
        } else if (Result == 3) {
            Back_To_Main_Menu();
        }
    } else if (Name == "Dlg MapGen" || Name == "Dlg TileGen") {
        Request_Close();
    } else if (Name == "Game Menu") {
        Enable_Actions();
        switch (Result) {
        case 1:
        case 2:
            Load_Save_Mode = Result == 1;
            Open_Game_Dialog("Save Game Dlg", true);
            break;
        case 3:
            Export_Character(true);
            break;
        case 4:
            Open_Game_Dialog("Options Dlg", true);
            break;
        case 5:
            Open_Game_Dialog("High Scores Dlg", true);
            break;
        case 6:
            Request_Close();
            break;
        default:
            break;
        }
    } else if (Name == "Save Game Dlg") {
        // A loaded game's items are not the ones the pointer held, and its music plays.
        if (Result == 1 && Load_Save_Mode) {
            Cursor_Item.Clear_Hold();
            Play_Current_Music();
        }
        Enable_Actions();
        if (From_Main_Menu) {
            From_Main_Menu = false;
            if (Result == 1) {
                Show_Game_Controls(true);
            } else {
                Open_Main_Menu();
            }
        }
    } else if (Name == "Options Dlg" || Name == "High Scores Dlg") {
        Enable_Actions();
        if (From_Main_Menu) {
            From_Main_Menu = false;
            Open_Main_Menu();
        }
    } else if (Name == "Dlg Dead") {
        Show_Game_Controls(false);
        Open_Main_Menu();
    } else if (Name == "Dlg Talk") {
        switch (Result) {
        case 1:
            Open_Game_Dialog("Dlg Store", true);
            break;
        case 2:
            Open_Game_Dialog("Dlg Conversation", true);
            break;
        case 3:
            Open_Game_Dialog("Dlg GiveItem", true);
            break;
        default:
            Enable_Actions();
            Process_Event_Results();
            break;
        }
    } else if (Name == "Dlg Store" || Name == "Dlg Chest") {
        if (TDisplay_Class* w = Shown("Win Inventory"))
            w->Set_Visible(false);
        Enable_Actions();
        Refresh_Spell_Buttons();
        Process_Event_Results();
    } else if (Name == "Dlg Conversation" || Name == "Dlg GiveItem") {
        if (Name == "Dlg GiveItem")
            if (TDisplay_Class* w = Shown("Win Inventory"))
                w->Set_Visible(false);
        Enable_Actions();
        Process_Event_Results();
    } else if (Name == "Dlg Module Text") {
        Show_Game_Controls(true);
        Enable_Actions();
        Process_Event_Results();
    } else if (Name == "Spells Add Dlg" || Name == "Spells Select Dlg") {
        // Opened over a running game like the other in-game dialogs, which goes on when
        // they close.
        Enable_Actions();
        Refresh_Spell_Buttons();
    } else if (Name == "Error List Dlg") {
        Error_List_Shown = false;
        Show_Next_Error_List();
    } else if (Name == "Help Dlg" || Name == "Quests Dlg" || Name == "Statistics Dlg" ||
               Name == "Overview Map") {
        // Opened over a running game, which goes on when they close.
        Enable_Actions();
    }
}

void TDC_Main::Back_To_Main_Menu() {
    if (Path_Settings)
        Path_Settings->Set_Module("");
    Open_Main_Menu();
}

void TDC_Main::Open_Main_Menu() {
    Game_Running = false;
    if (!Find_Game_Dialog("Dlg Menu") && f_Start.Quick_Start && !f_Quick_Starting) {
        // Without a menu to go back to, the quick start's adventure begins again.
        Debug_Log("General", "TDC_Main: there is no main menu; a new game begins");
        f_Quick_Starting = true;
        const TQuick_Start start = *f_Start.Quick_Start;
        Quick_Start(start);
        f_Quick_Starting = false;
        return;
    }
    Open_Game_Dialog("Dlg Menu", false);
}

void TDC_Main::Show_Game_Controls(bool show) {
    auto set = [show](TDisplay_Class* control) {
        if (control)
            control->Set_Visible(show);
    };
    for (TDC_Button* b : f_Main_Control_Buttons)
        set(b);
    set(f_Spell_Select_Button);
    for (TDC_Button* b : f_Spell_Buttons)
        set(b);
    set(f_Drink_Health_Button);
    set(f_Drink_Mana_Button);
    set(f_Drop_Inventory);
    set(f_Drop_Stats);
    // The inventory and statistics windows reopen with their keys, not with the game.
    if (!show)
        for (const char* window : {"Win Inventory", "Win Stats"})
            if (TDisplay_Class* w = Shown(window))
                w->Set_Visible(false);
    Refresh_Spell_Buttons();
    if (show)
        Game_Running = true;
}

void TDC_Main::Refresh_Spell_Buttons() {
    TMonster* player = Player();
    for (int32_t k = 0; k < 10; ++k) {
        TDC_Button* button = f_Spell_Buttons[size_t(k)];
        if (!button)
            continue;
        const bool selected = player && player->Spells.Get_Selected_Slot() == k + 1;
        const bool filled = player && player->Spells.Get_Quick_Slot(k + 1).Kind != 0;
        // Set 10: an empty slot, a filled one, the selected one in green.
        button->f_Image_Index = selected ? 2 : filled ? 1 : 0;
    }
}

// ---------------------------------------------------------------------------
// Starting and resuming

namespace {

// One item of each starting class of the character's class, without modifier.
void give_starting_items(TMap& map, TMonster& character) {
    const TClass_Info* info = character.Get_Class();
    if (!info || info->Item_Classes.empty() || !Path_Settings)
        return;
    TItem_Class_List classes;
    Load_Item_Modifiers(Path_Settings->Get_Item_Modifiers_File());
    Load_Unique_Names(Path_Settings->Get_Unique_Item_Names_File());
    classes.Load_Item_Classes(Path_Settings->Get_Class_Item_Classes_File());
    for (const std::string& wanted : info->Item_Classes) {
        for (int32_t i = 1; i <= classes.Count(); ++i) {
            const TItem_Class* item_class = classes.Get(i);
            if (!item_class || !Same_Name(Trim(item_class->Class_Name), Trim(wanted)))
                continue;
            TItem item = classes.Make_Item(*item_class, 1);
            // A stack (a quiver of arrows) comes as full as one found would be: a
            // quantity of 0 is no arrow at all.
            if (item_class->Random_Min_Stacked > 0 && item_class->Random_Max_Stacked > 0)
                item.Quantity = Clamp_Word(
                    Random_Range(item_class->Random_Min_Stacked, item_class->Random_Max_Stacked));
            const uint16_t number = map.Item_List.Add(item);
            if (number == 0)
                break;
            // What the character can wear or hold is worn or held from the start.
            bool worn = false;
            for (int32_t slot = 1; slot < First_Backpack_Slot && !worn; ++slot)
                worn = character.Inventory.Get_Number_In_Slot(slot, map.Item_List) == 0 &&
                       character.Inventory.Can_Place_In_Slot(
                           number, slot, map.Item_List, &character, character.Has_Two_Weapons()) &&
                       character.Inventory.Put_In_Slot(number, slot, map.Item_List);
            if (!worn && !character.Add_To_Backpack(number))
                map.Item_List.Delete_Item(number);
            break;
        }
    }
    Item_Modifier_Tables = TItem_Modifier_Tables();
    character.Recalculate();
}

} // namespace

bool TDC_Main::Start_New_Game(int32_t result) {
    if (!Path_Settings || !Current_Map || !Current_Module || !Game_Options)
        return false;
    Open_Progress("Module creation in progress...");
    const std::string folder = Path_Settings->Get_Current_Game_Folder();
    Delete_Folder_Files(folder);
    Create_Folder(folder);
    // Module selection (or the quick start) has read the module's data already; a
    // different module, or one chosen without them, is read here.
    const bool chosen = Same_Name(Path_Settings->Get_Module_Name(), Module_Folder + "\\");
    bool ok = chosen || Path_Settings->Set_Module(Module_Folder + "\\");
    if (ok && !chosen)
        Reload_Global_Structs();
    TModule_Class module_class;
    if (ok) {
        const TData_File_Report report =
            Read_Module_Class(Path_Settings->Get_Module_Data_File(), module_class);
        if (!report.Ok()) {
            Show_Error_List("Module Class Data File Errors: ",
                            Path_Settings->Get_Module_Data_File(), report.Errors);
            ok = false;
        }
    }
    if (ok) {
        TModule_Creation_Options options;
        options.Current_Game_Folder = folder;
        options.Difficulty = Game_Options->Difficulty;
        options.Start_Level = New_Character ? New_Character->Level : 0;
        options.Seed = f_Creation_Seed;
        TModule_Creation_Result created;
        ok = Create_Module(module_class, *Current_Module, *Current_Map, options, created,
                           [this](int32_t percent, const std::string& text) {
                               if (f_Progress && !text.empty())
                                   f_Progress->Set_Caption(text);
                               Set_Progress(percent);
                           });
    }
    TMonster character = New_Character ? *New_Character : TMonster();
    if (ok)
        ok =
            Load_Module_File(folder, "Module.mod", *Current_Module, true, *Current_Map, &character);
    TMonster* player = ok ? Player() : nullptr;
    if (ok && !player)
        ok = false;
    if (ok) {
        player->Module_Text = Current_Module->Character_Data_Set_Identifier;
        if (result == 1) {
            give_starting_items(*Current_Map, *player);
        } else {
            const uint16_t number = player->Number;
            const uint8_t x = player->X, y = player->Y;
            TMonster reloaded;
            if (Load_Character(reloaded, Current_Map->Item_List,
                               Path_Settings->Get_Character_File(player->Name + ".dat"))) {
                reloaded.X = x;
                reloaded.Y = y;
                *player = reloaded;
                player->Number = number;
            } else {
                // The file could not be read again (its message was shown): the game does
                // not start with a character that is not the one chosen.
                ok = false;
            }
        }
    }
    if (ok) {
        Game_Options->Map_Entry_Level = player->Level;
        Show_Map();
        Refresh_Spell_Buttons();
        Play_Current_Music();
    }
    Close_Progress();
    if (!ok) {
        Debug_Log("General", "TDC_Main: the new game could not be started");
        return false;
    }
    Set_Actions_Disabled(true);
    Module_Text_Title = Current_Module->Name;
    Module_Text_Paragraphs = Current_Module->Intro_Paragraphs;
    Open_Game_Dialog("Dlg Module Text", true);
    return true;
}

bool TDC_Main::Quick_Start(const TQuick_Start& start) {
    if (!Path_Settings || !Game_Options)
        return false;
    Module_Folder = start.Module;
    Game_Options->Difficulty = static_cast<uint8_t>(start.Difficulty);
    if (start.Seed)
        Set_Random_Seed(*start.Seed);
    f_Creation_Seed = start.Seed;
    // The class table is the module's own when it has one.
    if (!Path_Settings->Set_Module(Module_Folder + "\\"))
        return false;
    Reload_Global_Structs();
    const TClass_Info* info = Class_Infos.Get(start.Class);
    if (!info) {
        Show_Message("Character Class", "There is no character class " +
                                            std::to_string(start.Class) + " in this module.");
        return false;
    }
    const std::string portrait = info->Portraits.empty() ? std::string() : info->Portraits.front();
    *New_Character = Make_Character(static_cast<uint8_t>(start.Class), start.Name, portrait);
    Game_Options->Start_Level = New_Character->Level;
    return Start_New_Game(1);
}

void TDC_Main::Resume_Game() {
    if (::Resume_Game(Game())) {
        Play_Current_Music();
        Show_Game_Controls(true);
    } else {
        Open_Main_Menu();
    }
}

bool TDC_Main::Export_Character(bool show_message) {
    TMonster* player = Player();
    if (!player)
        return false;
    Stow_Held_Item(Cursor_Item, *Current_Map, *player);
    return ::Export_Character(*player, Current_Map->Item_List, show_message);
}

bool TDC_Main::Take_Connection(int32_t x, int32_t y) {
    if (!Path_Settings)
        return false;
    const bool changed =
        Change_Level(Game(), Path_Settings->Get_Current_Game_Folder(), Cursor_Item, x, y);
    if (changed) {
        Play_Current_Music();
        if (TMonster* player = Player())
            player->Recalculate();
        Refresh_Spell_Buttons();
    }
    Close_Progress();
    return changed;
}
