#include "app/game_screen.h"

#include "game/global_structs.h"
#include "game/info_dialogs.h"
#include "game/item_dialogs.h"
#include "game/menu_dialogs.h"
#include "game/save_dialogs.h"
#include "game/tool_dialogs.h"
#include "presentation/description_panel.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/map_view.h"
#include "presentation/overview_map.h"
#include "presentation/sprite_view.h"
#include "rules/item.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/globals.h"
#include "world/map.h"
#include "world/sprites.h"

namespace {

// The game's one view of the map.
TMap_View& game_view() {
    static TMap_View view;
    return view;
}

// A 32 x 32 cell of the general picture.
void draw_general_cell(int sx, int sy, int x, int y, int buffer) {
    if (!Display_Object || Display_Object->f_Display_General_VB < 0 ||
        Display_Object->f_Actions_Disabled)
        return;
    Copy_Rect_Transparent(sx, sx + 31, sy, sy + 31, x, y + 31, Display_Object->f_Display_General_VB,
                          buffer);
}

void draw_quick_slot(const TMonster& player, int32_t slot, int x, int y, bool pressed, int buffer) {
    if (!Display_Object || !Current_Map)
        return;
    const TQuick_Slot quick = player.Spells.Get_Quick_Slot(slot);
    if (quick.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Spell)) {
        if (const TSpell* spell = Master_Spells.Get(quick.Value))
            Display_Object->Draw_Spell_Icon(spell->Picture_ID, pressed, x, y, buffer);
    } else if (quick.Kind == static_cast<uint8_t>(TQuick_Slot_Kind::Scroll)) {
        if (const TItem* scroll = player.Inventory.Get_In_Slot(quick.Value, Current_Map->Item_List))
            Draw_Item(*scroll, buffer, x + 3 + (pressed ? 1 : 0), y + 3 + (pressed ? 1 : 0), false);
    }
}

} // namespace

void Register_Game_Dialogs() {
    Register_Info_Dialogs();
    Register_Item_Dialogs();
    Register_Menu_Dialogs();
    Register_Save_Dialogs();
    Register_Tool_Dialogs();
    Register_Game_Dialog("Overview Map", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        if (!Current_Map)
            return nullptr;
        auto dialog = std::make_unique<TDC_Dlg_Overview_Map>(*Current_Map);
        dialog->f_Modal = true;
        return dialog;
    });
}

TMain_Screen_Hooks Make_Main_Screen_Hooks(TDC_Main*& screen) {
    TMain_Screen_Hooks hooks;
    hooks.Reload_Global_Structs = [] {
        const bool ok = Reload_Global_Structs();
        // The module may name other effect pictures.
        if (Display_Object)
            Display_Object->Load_Effect_Bitmaps();
        return ok;
    };
    hooks.Load_System_Pictures = [] {
        return Display_Object && Display_Object->Create_Game_Bitmaps();
    };
    hooks.Load_Map_Pictures = [] {
        return Display_Object && Current_Map &&
               Display_Object->Load_Map_Pictures(*Current_Map, true);
    };
    game_view().Sprite_Drawer = [](int32_t mx, int32_t my, int x, int y, int buffer) {
        if (Current_Map)
            Draw_Sprites_On_Square(*Current_Map, mx, my, x, y, buffer);
    };
    hooks.Draw_Map_View = [](int buffer) {
        if (Current_Map)
            game_view().Draw(*Current_Map, buffer);
    };
    hooks.Map_Square_At = [](int x, int y, int32_t& mx, int32_t& my) {
        return game_view().Map_Square_At(x, y, mx, my);
    };
    hooks.Draw_Creature = [](const TMonster& creature, int x, int y, int buffer) {
        Draw_Creature(creature, x, y, buffer);
    };
    // Faces 0..3 on the general picture's first row, 4..7 on the second.
    hooks.Draw_Face = [](int32_t face, int x, int y, int buffer) {
        if (face >= 0 && face <= 7)
            draw_general_cell(32 * (face % 4), 32 * (face / 4), x, y, buffer);
    };
    hooks.Draw_Slot_Background = [](int x, int y, bool highlight, int buffer) {
        draw_general_cell(320, 64, x, y, buffer);
        if (highlight) {
            fg_vbopen(buffer);
            Set_Colour(TDisplay_Object::Highlight_Colour);
            Fill_Rect(x + 1, x + 30, y + 1, y + 30);
        }
    };
    hooks.Draw_Item = [](const TItem& item, int x, int y, int buffer) {
        Draw_Item(item, buffer, x, y, false);
    };
    hooks.Draw_Quick_Slot = draw_quick_slot;
    hooks.Draw_Description = [&screen](int buffer) {
        Draw_Description_Panel(buffer, screen ? screen->Background_Buffer() : -1);
    };
    hooks.Redraw_Now = [&screen] {
        if (!screen || fg_vbopen(Workspace_Buffer) != 0)
            return;
        Set_Colour(0);
        Clear_Buffer();
        screen->Dispatch_Draw(Workspace_Buffer);
        Present();
    };
    hooks.Show_Attack = [](const TAttack_Show& attack) {
        if (Current_Map)
            Sprites.Show_Attack(attack, *Current_Map);
    };
    hooks.Show_Spell = [](const TSpell_Show& spell) {
        if (Current_Map)
            Sprites.Show_Spell(spell, *Current_Map);
    };
    hooks.Tick_Sprites = [&screen] {
        if (Current_Map && screen)
            Sprites.Update(*Current_Map, *screen);
    };
    hooks.Clear_Sprites = [] { Sprites.Clear(); };
    return hooks;
}

void Draw_Game_Pointer(const TDC_Main& main, int x, int y, int buffer) {
    if (!Display_Object || Display_Object->f_Hide_Pointer || x < 0 || y < 0 || x > 799 || y > 599)
        return;
    const TItem* held = main.Cursor_Item.Is_Holding() && Current_Map
                            ? Current_Map->Item_List.Get(main.Cursor_Item.Peek_Held())
                            : nullptr;
    if (held && x >= 16 && x <= 783 && y >= 16 && y <= 583)
        Draw_Item(*held, buffer, x - 16, y - 16, false);
    else
        Display_Object->Draw_Pointer(x, y, buffer);
}

void Draw_Game_Frame(TDC_Main& main) {
    Set_Colour(0);
    Clear_Buffer();
    main.Dispatch_Draw(Workspace_Buffer);
    // The game draws its own pointer, with the item it carries under it.
    int x = -1, y = -1;
    Mouse_Position(x, y);
    if (!main.Shown("Dlg Progress"))
        Draw_Game_Pointer(main, x, y, Workspace_Buffer);
}

std::string Quick_Start_Command(const TQuick_Start& quick) {
    std::string text = "krelvane --new-game " + quick.Module + " --class " +
                       std::to_string(quick.Class) + " --name " + quick.Name + " --difficulty " +
                       std::to_string(quick.Difficulty);
    if (quick.Seed)
        text += " --seed " + std::to_string(*quick.Seed);
    return text;
}

int Run_Main_Screen(const TMain_Screen_Start& start, const TWindow_Options& window) {
    Register_Game_Dialogs();
    TDC_Main* screen = nullptr;
    TDC_Main main(Make_Main_Screen_Hooks(screen), start);
    screen = &main;
    if (main.Close_Requested())
        return 1;
    int32_t counter = 0;
    THost_Callbacks callbacks;
    callbacks.On_Timer = [&] {
        // The tick index runs 1, 2, ..., 20, 0, 1, ...
        counter = counter >= 20 ? 0 : counter + 1;
        main.Tick(counter, 20.0);
    };
    callbacks.Close_Requested = [&] { return main.Close_Requested(); };
    callbacks.Draw_Frame = [&main] { Draw_Game_Frame(main); };
    callbacks.Can_Draw = [] { return App_Active && App_Ready; };
    callbacks.On_Activate = [](bool active) { App_Active = active; };
    return Run_Game_Window(main, window, callbacks);
}
