#pragma once
// The main screen: the root of the control tree over the whole 800 x 600 frame. It
// opens every full-screen dialog and in-game window and decides which follows which,
// turns the 50 ms move timer into game time, turns keys and clicks into the player's
// commands, takes the player through map connections, autosaves, and answers the
// rules' callbacks (attacks, spells, talk, chests, death).
//
// Dialogs that are built elsewhere plug into the screen by name
// (Register_Game_Dialog); a name nobody registered opens nothing and says so in the
// debug log.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/save_load.h"
#include "presentation/buttons.h"
#include "presentation/display_class.h"
#include "rules/inventory.h"
#include "rules/main_callbacks.h"
#include "rules/monster.h"
#include "rules/references.h"
#include "shell/services.h"

class TDC_Dlg_Progress;

// What the program hands the main screen from outside the tree.
struct TMain_Screen_Hooks {
    // Loads every system picture (the opening picture asks after two seconds); false
    // when one is missing and the game cannot go on.
    std::function<bool()> Load_System_Pictures;
    // Fills the picture buffers for the level now in memory; false when they could not
    // be loaded (the level is shown without them).
    std::function<bool()> Load_Map_Pictures;
    // Draws the map view of the current level into the buffer (the character's window).
    std::function<void(int buffer)> Draw_Map_View;
    // The map square under a screen point; false off the map.
    std::function<bool(int x, int y, int32_t& mx, int32_t& my)> Map_Square_At;
    // The pictures of the character panel: the character in its frame, face picture
    // 0..7, an equipment slot's background (highlighted under the mouse) and an item.
    std::function<void(const TMonster&, int x, int y, int buffer)> Draw_Creature;
    std::function<void(int32_t face, int x, int y, int buffer)> Draw_Face;
    std::function<void(int x, int y, bool highlight, int buffer)> Draw_Slot_Background;
    std::function<void(const TItem&, int x, int y, int buffer)> Draw_Item;
    // What quick slot 1..10 of the character holds, drawn on its spell button.
    std::function<void(const TMonster&, int32_t slot, int x, int y, bool pressed, int buffer)>
        Draw_Quick_Slot;
    // The description area of the game screen (drawn after the panel).
    std::function<void(int buffer)> Draw_Description;
    // Draws and presents the whole screen at once (the progress bar while a level loads).
    std::function<void()> Redraw_Now;
    // The sprites' per-tick update, and their list emptied (a new level or game).
    std::function<void()> Tick_Sprites;
    std::function<void()> Clear_Sprites;
    // The rules' attacks and spells shown as sprites.
    std::function<void(const TAttack_Show&)> Show_Attack;
    std::function<void(const TSpell_Show&)> Show_Spell;
    // The common data files read again for the module now chosen.
    std::function<bool()> Reload_Global_Structs;
    // The music of the game (the sound service when unset).
    std::function<void(const std::string&)> Play_Music;
};

// Skips the menus: a new game of a module with a character made on the spot.
struct TQuick_Start {
    std::string Module; // the module's folder name in "Modules\"
    int32_t Class = 1;  // the character class, 1..count
    std::string Name = "Wanderer";
    int32_t Difficulty = 2; // 1..4
    std::optional<uint32_t> Seed;
};

// How the program was started: the generator switches, a quick start.
struct TMain_Screen_Start {
    bool Map_Generator = false;
    bool Tile_Generator = false;
    // The tile editor's grid 30 squares wide ("width2") or high ("height2"), not 15.
    bool Tile_Width2 = false;
    bool Tile_Height2 = false;
    std::optional<TQuick_Start> Quick_Start;
    // Without the opening picture (tests and the quick start): the system pictures are
    // loaded at once.
    bool Skip_Intro = false;
};

// A dialog made by another part of the game, opened by the main screen by its name.
using TGame_Dialog_Factory = std::function<std::unique_ptr<TDisplay_Class>(class TDC_Main&)>;
void Register_Game_Dialog(const std::string& name, TGame_Dialog_Factory factory);
// The factory registered for the name, or null.
const TGame_Dialog_Factory* Find_Game_Dialog(const std::string& name);

class TDC_Main : public TDisplay_Class,
                 public TMain_Callbacks,
                 public TSave_Load_Display,
                 public TMessage_Service {
  public:
    TDC_Main(TMain_Screen_Hooks hooks, TMain_Screen_Start start);
    ~TDC_Main() override;

    // ---- the game loop ----
    // The move timer's tick: tick_index runs 1..20, 0, 1, ...; ticks_per_second is 20.
    void Tick(int32_t tick_index, double ticks_per_second);
    void Set_Actions_Disabled(bool flag);
    bool Get_Actions_Disabled() const { return Actions_Disabled; }
    // Space: the game stops, and Actions_Disabled with it.
    void Set_Paused(bool flag);
    void Show_Game_Controls(bool show);
    void Process_Event_Results();

    // ---- the screen flow ----
    void Kill_Child_Control(const std::string& Name) override;
    // The steps of the flow, also used directly by the quick start and by tests.
    // result 1: a new character (New_Character), 2: an existing one reloaded.
    bool Start_New_Game(int32_t result);
    bool Quick_Start(const TQuick_Start& start);
    void Resume_Game();
    // Writes the character to the characters folder; the message only on success.
    bool Export_Character(bool show_message);
    // The player stepped onto a connection square: the level change.
    bool Take_Connection(int32_t x, int32_t y);
    // Opens a dialog by its name (at most one of each); null when none is registered.
    TDisplay_Class* Open_Game_Dialog(const std::string& name, bool disable_actions);
    // How the program was started.
    const TMain_Screen_Start& Start_Options() const { return f_Start; }
    // The program should end (the window closes on its next frame).
    bool Close_Requested() const { return f_Close_Requested; }
    void Request_Close() { f_Close_Requested = true; }

    // ---- input and drawing ----
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    // What a key does in the running game (the buttons give the same commands); false
    // when the key means nothing here.
    bool Key_Command(uint16_t Key, TShift_State Shift);
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;
    int Get_Width() override { return 800; }
    int Get_Height() override { return 600; }
    // The equipment slot (1..10) whose box holds the point, or 0.
    static int32_t Slot_At(int x, int y);
    // The help topic of the character panel's figure under the point (level,
    // experience, gold, the bars, the status), or 0.
    static int32_t Panel_Topic_At(int x, int y);
    // The game screen's picture (-1 before it is loaded).
    int Background_Buffer() const { return f_Background; }
    // The face picture 0..7 for the character's condition and health.
    static int32_t Face_Picture(const TMonster& character);
    // A bar's width in pixels: Trunc(101 * current / maximum), at most 101, 0 for a
    // maximum of 0 or less.
    static int32_t Bar_Width(double current, double maximum);

    // ---- messages to the player ----
    // Only one of each kind is open at a time: an error list waits for the one shown
    // to close, a second message is dropped.
    void Show_Error_List(const std::string& heading, const std::string& file,
                         const std::vector<std::string>& errors) override;
    void Show_Message_Box(const std::string& caption, const std::string& text) override;
    void Show_Message(const std::string& title, const std::string& text) override;

    // ---- TMain_Callbacks ----
    void Show_Attack(const TAttack_Show& attack) override;
    void Show_Spell(const TSpell_Show& spell) override;
    void Open_Talk(TMonster& monster) override;
    void Open_Chest(int32_t x, int32_t y) override;
    void Player_Died(const TDeath_Report& report) override;
    void Refresh_Spell_Buttons() override;

    // ---- TSave_Load_Display ----
    void Open_Progress(const std::string& text) override;
    void Set_Progress(int32_t percent) override;
    void Close_Progress() override;
    void Reload_Global_Structs() override;
    void Show_Map() override;

    // The child of that name that is shown and not closing, or null.
    TDisplay_Class* Shown(const std::string& name) const;

    // The game objects of the running game.
    TGame_Objects Game() const;
    TMonster* Player() const;

    // ---- the fields of the main screen ----
    std::array<TDC_Button*, 5> f_Main_Control_Buttons{};
    TDC_Button* f_Spell_Select_Button = nullptr;
    std::array<TDC_Button*, 10> f_Spell_Buttons{};
    TDC_Button* f_Drink_Health_Button = nullptr;
    TDC_Button* f_Drink_Mana_Button = nullptr;
    TDC_Button* f_Drop_Inventory = nullptr;
    TDC_Button* f_Drop_Stats = nullptr;

    bool Actions_Disabled = false;
    bool Paused = false;
    bool Game_Running = false;
    bool Tools_Mode = false;
    bool Moving = false;
    uint8_t Pending_Command = 0; // 0 none, 1 walk or act toward the target, 11 cast there
    int32_t Target_X = 0, Target_Y = 0;
    bool Left_Button_Down = false, Right_Button_Down = false;
    bool From_Main_Menu = false;
    bool Error_List_Shown = false;
    int32_t Autosave_Elapsed = 0; // ms of enabled game time since the last autosave
    double Blink_Accumulator = 0;
    bool Blink_On = false;
    std::string Module_Folder;
    std::unique_ptr<TMonster> New_Character;
    // The item carried on the pointer.
    THeld_Item Cursor_Item;
    // The equipment slot under the mouse, for its highlight.
    int32_t Hover_Slot = 0;
    // Autosaves made (for tests and the log).
    int32_t Autosaves_Made = 0;
    // What the dialogs opened by name read when they are made: the module text shown
    // next, the creature talked to, the chest opened, the death reported.
    std::string Module_Text_Title;
    std::vector<std::string> Module_Text_Paragraphs;
    TCreature_Ref Talk_Partner;
    int32_t Chest_X = 0, Chest_Y = 0;
    TDeath_Report Death_Report;
    // The load/save dialog opens in load mode (true) or save mode.
    bool Load_Save_Mode = true;

    // Pending_Command values.
    static constexpr uint8_t Command_None = 0;
    static constexpr uint8_t Command_Walk = 1;
    static constexpr uint8_t Command_Cast = 11;

  private:
    // Carries out one step toward the target; true when walking is over.
    bool Move_Player_Step(int32_t x, int32_t y);
    // kind 1: a step toward the neighbouring square; 11: the selected spell at it.
    // True when the step succeeded (the player moved on).
    bool Player_Step_Action(int32_t kind, int32_t x, int32_t y);
    // The player's move is due (its move timer reached its interval); restarts it.
    bool Player_Ready_To_Move();
    void Autosave_Check(double ticks_per_second);
    void Make_Game_Controls();
    void Draw_Character_Panel(int Buffer);
    void Draw_Equipment_Slots(int Buffer);
    void Select_Spell_Slot(int32_t slot);
    void Store_Equipment_Set(int32_t n);
    void Restore_Equipment_Set(int32_t n);
    void Use_Cursor_Item_On_Character();
    // The description panel's subject for what the pointer rests on.
    void Describe_Point(int x, int y);
    void Drop_Cursor_Item();
    void Open_Main_Menu();
    // A cancelled choice: no module is chosen any more, and the main menu opens.
    void Back_To_Main_Menu();
    // Clears Actions_Disabled when a dialog closes, unless the game is paused.
    void Enable_Actions();
    bool Show_Next_Error_List();
    void Play_Music(const std::string& name);
    void Play_Current_Music();
    bool Wants_Black_Screen() const;
    // The children of a name closed are treated per the screen-flow table.
    void Dialog_Closed(const std::string& Name, int32_t Result);

    TMain_Screen_Hooks f_Hooks;
    TMain_Screen_Start f_Start;
    int f_Background = -1;
    bool f_Controls_Made = false;
    bool f_Close_Requested = false;
    TDC_Dlg_Progress* f_Progress = nullptr;
    std::optional<uint32_t> f_Creation_Seed; // a quick start's fixed module
    bool f_Quick_Starting = false;
    // While the creatures and sprites tick, the level must stay as it is: the flow of a
    // dialog that cannot open waits for the pass to end.
    bool f_In_Pass = false;
    std::vector<std::string> f_Closed_After_Pass;
    std::set<std::string> f_Visited; // "x,y" of the squares walked over in this walk
    struct TQueued_Errors {
        std::string heading, file;
        std::vector<std::string> errors;
    };
    std::deque<TQueued_Errors> f_Queued_Errors;
    std::unique_ptr<TScoped_Services> f_Services;
    TMessage_Service* f_Previous_Messages = nullptr;
};
