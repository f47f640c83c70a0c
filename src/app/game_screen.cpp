#include "app/game_screen.h"

#include "game/global_structs.h"
#include "presentation/graphics.h"
#include "shell/globals.h"
#include "world/map.h"
#include "world/sprites.h"

TMain_Screen_Hooks Make_Main_Screen_Hooks(TDC_Main*& screen) {
    TMain_Screen_Hooks hooks;
    hooks.Reload_Global_Structs = [] { return Reload_Global_Structs(); };
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

int Run_Main_Screen(const TMain_Screen_Start& start, const TWindow_Options& window) {
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
    callbacks.Can_Draw = [] { return App_Active && App_Ready; };
    callbacks.On_Activate = [](bool active) { App_Active = active; };
    return Run_Game_Window(main, window, callbacks);
}
