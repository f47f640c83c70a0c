// The running game's frame on the default module's start level with ten sprites in the
// air around the character, lighting and sight on: the map view alone (arg 0), and the
// whole game screen: background, map view, character panel, equipment, buttons (arg 1).
// The game folder is KV_GAME_DIR, else "game/" beside the program.

#include <benchmark/benchmark.h>

#include "bench_game_folder.h"

#include <cstdlib>
#include <memory>

#include "app/game_screen.h"
#include "game/global_structs.h"
#include "platform/files.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "rules/display_effects.h"
#include "rules/monster.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/services.h"
#include "world/map.h"
#include "world/sprites.h"

namespace {

// Five damage flashes and five missiles showing the first display effects.
void ten_sprites(const TMonster& player) {
    for (int32_t k = 0; k < 5; ++k) {
        TSprite flash;
        flash.X = player.X + k - 2;
        flash.Y = player.Y + 1;
        flash.Picture_Kind = TSprite_Picture::Damage_Frame;
        flash.Picture = 1 + k;
        flash.Frame = k % 3;
        flash.Duration = 1000000;
        Sprites.Add(flash, *Current_Map);
        TSprite missile = TSprites_List::Make_Moving(TSprite_Placement::Moving, player.X - 4,
                                                     player.Y - 3 + k, player.X + 5, player.Y + k);
        missile.Picture_Kind = TSprite_Picture::Display_Effect;
        missile.Picture = 1 + k % std::max(1, Display_Effects.Count());
        missile.Frame = 1;
        missile.Duration = 1000000;
        Sprites.Add(missile, *Current_Map);
    }
}

void BM_Draw_Game_Frame(benchmark::State& state) {
    Enter_Bench_Game_Folder();
    TSilent_Messages silent;
    const TScoped_Services quiet({.Messages = &silent});
    fg_vbinit();
    fg_vballoc(Screen_Width, Screen_Height);
    Create_Global_Structs();
    Load_Global_Structs();
    Display_Object = std::make_unique<TDisplay_Object>();
    Load_External_Resources(); // the fonts
    Register_Game_Dialogs();
    TDC_Main* screen = nullptr;
    TMain_Screen_Hooks hooks = Make_Main_Screen_Hooks(screen);
    TMain_Screen_Start start;
    start.Skip_Intro = true;
    start.Quick_Start = TQuick_Start{.Module = "Hollowmere", .Seed = 1};
    {
        TDC_Main main(hooks, start);
        screen = &main;
        {
            // The adventure's opening text is read and closed, as a player would.
            TDispatch_Guard guard;
            uint16_t escape = 27;
            main.Dispatch_KeyDown(escape, 0);
        }
        if (!Current_Map->Player()) {
            state.SkipWithError("the default module was not found (set KV_GAME_DIR)");
        } else {
            Game_Options->Flag_2 = Game_Options->Flag_5 = true;
            ten_sprites(*Current_Map->Player());
            state.counters["sprites"] = Sprites.Count();
            for (auto _ : state) {
                TDispatch_Guard guard;
                if (state.range(0) == 0) {
                    hooks.Draw_Map_View(Workspace_Buffer);
                } else {
                    fg_vbopen(Workspace_Buffer);
                    Set_Colour(0);
                    Clear_Buffer();
                    main.Dispatch_Draw(Workspace_Buffer);
                }
            }
        }
    }
    Sprites.Clear();
    Display_Object.reset();
    Free_External_Resources();
    Free_Global_Structs();
    Graphics_Shutdown();
    Leave_Bench_Game_Folder();
}
BENCHMARK(BM_Draw_Game_Frame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
