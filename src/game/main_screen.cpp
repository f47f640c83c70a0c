// The main screen's game loop: the player's due move, the creatures' and sprites'
// ticks, autosave and the blinking "PAUSED"; and what the rules and the save code ask
// of the screen.

#include "game/main_screen.h"

#include <cmath>
#include <cstdio>

#include "game/level_change.h"
#include "platform/clock.h"
#include "presentation/dlg_error_list.h"
#include "presentation/dlg_intro.h"
#include "presentation/dlg_message.h"
#include "presentation/dlg_progress.h"
#include "presentation/ui_hooks.h"
#include "rules/combat.h"
#include "rules/monster.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "shell/options.h"
#include "shell/random.h"
#include "world/actions.h"
#include "world/casting.h"
#include "world/map.h"
#include "world/module.h"
#include "world/path_finding.h"
#include "world/store.h"

namespace {

std::map<std::string, TGame_Dialog_Factory>& dialog_factories() {
    static std::map<std::string, TGame_Dialog_Factory> factories;
    return factories;
}

std::string square_key(int32_t x, int32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
}

// The system's short date-time form, as the autosave names its game.
std::string short_date_time() {
    const TDate_Time t = Local_Date_Time();
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", t.month, t.day, t.year, t.hour,
                  t.minute);
    return text;
}

} // namespace

void Register_Game_Dialog(const std::string& name, TGame_Dialog_Factory factory) {
    dialog_factories()[name] = std::move(factory);
}

const TGame_Dialog_Factory* Find_Game_Dialog(const std::string& name) {
    auto found = dialog_factories().find(name);
    return found != dialog_factories().end() && found->second ? &found->second : nullptr;
}

TDC_Main::TDC_Main(TMain_Screen_Hooks hooks, TMain_Screen_Start start)
    : f_Hooks(std::move(hooks)), f_Start(std::move(start)) {
    f_Name = "TDC_Main";
    f_X = 0;
    f_Y = 0;
    f_Width = 800;
    f_Height = 600;
    f_Visible = true;
    f_Previous_Messages = &Message_Service();
    f_Services = std::make_unique<TScoped_Services>(
        TServices{.Messages = this, .Callbacks = this, .Save_Load = this});
    New_Character = std::make_unique<TMonster>();
    Debug_Log("DCMain", "TDC_Main.Create");
    if (f_Start.Skip_Intro) {
        const bool loaded = !f_Hooks.Load_System_Pictures || f_Hooks.Load_System_Pictures();
        if (!loaded) {
            Request_Close();
            return;
        }
        Dialog_Closed("Dlg Intro", 0);
    } else {
        Open_Dialog<TDC_Dlg_Intro>("Dlg Intro", false, f_Hooks.Load_System_Pictures)
            .Set_Position("Dlg Intro", 267, 133, false);
    }
}

TDC_Main::~TDC_Main() = default;

TGame_Objects TDC_Main::Game() const {
    return TGame_Objects{*Current_Map, *Current_Module, *Game_Options};
}

TDisplay_Class* TDC_Main::Shown(const std::string& name) const {
    for (int i = 1; i <= Child_Count(); ++i) {
        TDisplay_Class* child = Child(i);
        if (child->f_Name == name && !child->f_Kill)
            return child;
    }
    return nullptr;
}

TMonster* TDC_Main::Player() const {
    return Current_Map ? Current_Map->Player() : nullptr;
}

// ---------------------------------------------------------------------------
// The loop

void TDC_Main::Set_Actions_Disabled(bool flag) {
    Actions_Disabled = flag;
}

void TDC_Main::Set_Paused(bool flag) {
    Paused = flag;
    Set_Actions_Disabled(flag);
}

void TDC_Main::Enable_Actions() {
    // A dialog closing over a paused game leaves it paused.
    Set_Actions_Disabled(Paused);
}

bool TDC_Main::Player_Ready_To_Move() {
    TMonster* player = Player();
    if (!player)
        return false;
    if (player->Move_Timer < Speed_Scaled_Time(player->Get_Movement_Interval()))
        return false;
    player->Move_Timer = 0;
    return true;
}

void TDC_Main::Tick(int32_t, double ticks_per_second) {
    if (f_Controls_Made && !Actions_Disabled && Current_Map) {
        if (Player() && Player_Ready_To_Move()) {
            if (Pending_Command == Command_Cast) {
                Player_Step_Action(Command_Cast, Target_X, Target_Y);
                Pending_Command = Command_None;
            }
            int32_t mx = 0, my = 0;
            if (Pending_Command == Command_None && Left_Button_Down && !Moving &&
                f_Hooks.Map_Square_At) {
                int x = 0, y = 0;
                Mouse_Position(x, y);
                if (f_Hooks.Map_Square_At(x, y, mx, my)) {
                    Pending_Command = Command_Walk;
                    Target_X = mx;
                    Target_Y = my;
                    f_Visited.clear();
                }
            }
            if (Pending_Command == Command_Walk && Move_Player_Step(Target_X, Target_Y))
                Pending_Command = Command_None;
        }
        // The step may have changed the level or ended the game.
        if (!Actions_Disabled && Current_Map) {
            f_In_Pass = true;
            Current_Map->Tick_Monsters(*this, static_cast<int32_t>(ticks_per_second));
            if (f_Hooks.Tick_Sprites)
                f_Hooks.Tick_Sprites();
            f_In_Pass = false;
            std::vector<std::string> closed;
            closed.swap(f_Closed_After_Pass);
            for (const std::string& name : closed)
                Dialog_Closed(name, 0);
            Autosave_Check(ticks_per_second);
        }
    }
    Blink_Accumulator += ticks_per_second;
    if (Blink_Accumulator >= 250) {
        Blink_On = !Blink_On;
        Blink_Accumulator = 0;
    }
}

bool TDC_Main::Move_Player_Step(int32_t x, int32_t y) {
    TMonster* player = Player();
    if (!player)
        return true;
    // A character with a bow (a weapon that reaches past the next square) shoots at a
    // creature it clicks on within the bow's reach rather than walking up to it; one
    // further off is walked toward, and townsfolk and its own followers are walked to as
    // ever.
    const int32_t distance = Map_Distance(player->X, player->Y, x, y);
    TAttack_Damage attack;
    if (distance > 1 && Get_Attack_Damage(*player, attack) &&
        attack.Damage.Maximum_Range >= distance) {
        const TMap_Square* square = Current_Map->Get_Square(x, y);
        const TMonster* other = square ? square->Get_Monster(*Current_Map) : nullptr;
        if (other && other != player && other->Leader != player->Number &&
            other->Talk_Topic_Names.empty() && other->Store_Number == 0) {
            Act_On_Square(*Current_Map, *player, x, y, 0, *this);
            Process_Event_Results();
            return true;
        }
    }
    Moving = true;
    f_Visited.insert(square_key(player->X, player->Y));
    bool over = true;
    int32_t nx = 0, ny = 0;
    if (Find_Next_Step(*Current_Map, player->X, player->Y, x, y, Movement_Mask_Of(*player), nx,
                       ny)) {
        const bool stepped = Player_Step_Action(Command_Walk, nx, ny);
        player = Player();
        over = !stepped || !player || f_Visited.count(square_key(player->X, player->Y)) > 0 ||
               (player->X == x && player->Y == y);
    }
    // No next square ends the walk, or the held button would never take a new target.
    Moving = false;
    return over;
}

bool TDC_Main::Player_Step_Action(int32_t kind, int32_t x, int32_t y) {
    TMonster* player = Player();
    if (!player)
        return false;
    bool success = false;
    if (kind == Command_Walk) {
        const int32_t direction = Direction_To(player->X, player->Y, x, y);
        const int32_t outcome = Player_Step(*Current_Map, *player, direction, *this);
        if (outcome == Step_Entrance) {
            if (TMonster* p = Player())
                Take_Connection(p->X, p->Y);
        }
        success = outcome == Step_Moved;
    } else if (kind == Command_Cast) {
        Cast_From_Quick_Slot(*Current_Map, *player, player->Spells.Get_Selected_Slot(), x, y,
                             *this);
        Refresh_Spell_Buttons();
    }
    Process_Event_Results();
    return success;
}

void TDC_Main::Autosave_Check(double ticks_per_second) {
    if (Tools_Mode || !Game_Running)
        return;
    Autosave_Elapsed += static_cast<int32_t>(1000 / ticks_per_second);
    if (Machine_Options.Dont_Autosave) {
        Autosave_Elapsed = 0;
        return;
    }
    int32_t limit = 0;
    if (Machine_Options.Autosave_Every_Minute)
        limit = 60000;
    else if (Machine_Options.Autosave_Every_5_Minutes)
        limit = 300000;
    else if (Machine_Options.Autosave_Every_20_Minutes)
        limit = 1200000;
    if (limit == 0 || Autosave_Elapsed <= limit)
        return;
    Autosave_Elapsed = 0;
    TMonster* player = Player();
    if (!player)
        return;
    // The item on the pointer is saved with the game, not lost from it.
    Stow_Held_Item(Cursor_Item, *Current_Map, *player);
    if (Save_Game_To_Slot(10, "Autosave " + short_date_time(), Game()))
        ++Autosaves_Made;
}

// ---------------------------------------------------------------------------
// Event results

void TDC_Main::Process_Event_Results() {
    if (!Current_Module)
        return;
    TEvent_Return_Result result;
    while (Current_Module->Pop_Return_Result(result)) {
        switch (result.Kind) {
        case Return_End_Game:
            Export_Character(false);
            Show_Game_Controls(false);
            Open_Main_Menu();
            return;
        case Return_Display_Text:
            Show_Game_Controls(false);
            Set_Actions_Disabled(true);
            Module_Text_Title = result.Title;
            Module_Text_Paragraphs = result.Paragraphs;
            Open_Game_Dialog("Dlg Module Text", true);
            return;
        case Return_Play_Music:
            Play_Music(result.Music_Filename);
            break; // and the next result at once
        default:
            break;
        }
    }
}

// ---------------------------------------------------------------------------
// Messages

bool TDC_Main::Show_Next_Error_List() {
    if (Error_List_Shown || Shown("Error List Dlg") || f_Queued_Errors.empty())
        return false;
    TQueued_Errors next = std::move(f_Queued_Errors.front());
    f_Queued_Errors.pop_front();
    auto& dialog = Open_Dialog<TDC_Dlg_ErrorList>("Error List Dlg", true);
    dialog.Set_Errors(next.heading, next.file, next.errors);
    Error_List_Shown = true;
    return true;
}

void TDC_Main::Show_Error_List(const std::string& heading, const std::string& file,
                               const std::vector<std::string>& errors) {
    // Also kept in the log, where a module author finds every list of a run.
    Debug_Log("General", heading + file);
    for (const std::string& e : errors)
        Debug_Log("General", "  " + e);
    f_Queued_Errors.push_back({heading, file, errors});
    Show_Next_Error_List();
}

void TDC_Main::Show_Message_Box(const std::string& caption, const std::string& text) {
    // A message box is the system's, not a dialog of the tree.
    f_Previous_Messages->Show_Message_Box(caption, text);
}

void TDC_Main::Show_Message(const std::string& title, const std::string& text) {
    Debug_Log("General", title + ": " + text);
    if (Shown("Message Dlg"))
        return;
    Show_Message_Dialog(*this, "Message Dlg", title, text);
}

// ---------------------------------------------------------------------------
// Progress

void TDC_Main::Open_Progress(const std::string& text) {
    if (!f_Progress) {
        f_Progress = &Open_Dialog<TDC_Dlg_Progress>("Dlg Progress", true, f_Hooks.Redraw_Now);
    }
    f_Progress->Set_Caption(text);
    f_Progress->Set_Percent(0);
}

void TDC_Main::Set_Progress(int32_t percent) {
    if (f_Progress)
        f_Progress->Set_Percent(percent);
}

void TDC_Main::Close_Progress() {
    if (f_Progress) {
        Free_Child(f_Progress);
        f_Progress = nullptr;
    }
}

// ---------------------------------------------------------------------------
// The rules' callbacks

void TDC_Main::Show_Attack(const TAttack_Show& attack) {
    if (f_Hooks.Show_Attack)
        f_Hooks.Show_Attack(attack);
}

void TDC_Main::Show_Spell(const TSpell_Show& spell) {
    if (f_Hooks.Show_Spell)
        f_Hooks.Show_Spell(spell);
}

void TDC_Main::Open_Talk(TMonster& monster) {
    Talk_Partner = Creature_Ref(Current_Map->Monster_List, monster.Number);
    Open_Game_Dialog("Dlg Talk", true);
}

void TDC_Main::Open_Chest(int32_t x, int32_t y) {
    Chest_X = x;
    Chest_Y = y;
    Open_Game_Dialog("Dlg Chest", true);
}

void TDC_Main::Player_Died(const TDeath_Report& report) {
    Death_Report = report;
    Pending_Command = Command_None;
    if (TDisplay_Class* w = Shown("Win Inventory"))
        w->Set_Visible(false);
    if (TDisplay_Class* w = Shown("Win Stats"))
        w->Set_Visible(false);
    Play_Music(Game_Settings ? Game_Settings->Music_Song_Death : std::string());
    Open_Game_Dialog("Dlg Dead", true);
}

void TDC_Main::Reload_Global_Structs() {
    if (f_Hooks.Reload_Global_Structs)
        f_Hooks.Reload_Global_Structs();
}

void TDC_Main::Show_Map() {
    // Every load of a level restocks its stores, so their stock and prices change each
    // time the character comes back; their items' pictures are loaded with the level's.
    // The rolls of play after the load stay the ones the sequence gives without stores,
    // so a seeded game or a recording plays the same however many stores a level has.
    if (const TMonster* player = Player()) {
        const uint32_t seed = Get_Random_Seed();
        Restock_Stores(Current_Map->Stores, Current_Map->Item_List, player->Level);
        Set_Random_Seed(seed);
    }
    // A new level: its pictures, and nothing in flight from the old one nor described.
    Description_Panel().Clear_Subject();
    if (f_Hooks.Clear_Sprites)
        f_Hooks.Clear_Sprites();
    if (f_Hooks.Load_Map_Pictures)
        f_Hooks.Load_Map_Pictures();
    Pending_Command = Command_None;
    f_Visited.clear();
}

void TDC_Main::Play_Music(const std::string& name) {
    if (f_Hooks.Play_Music)
        f_Hooks.Play_Music(name);
    else
        Sound_Service().Play_Music(name);
}

void TDC_Main::Play_Current_Music() {
    std::string music;
    if (Current_Module && Current_Module->Get_Current_Music(music))
        Play_Music(music);
}
