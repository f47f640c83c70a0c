#include "game/tool_dialogs.h"

#include <memory>

#include "game/dlg_mapgen.h"
#include "game/dlg_tilegen.h"
#include "game/main_screen.h"

void Register_Tool_Dialogs() {
    Register_Game_Dialog("Dlg MapGen", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_MapGen>(main);
    });
    Register_Game_Dialog("Dlg TileGen", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        const TMain_Screen_Start& start = main.Start_Options();
        return std::make_unique<TDC_Dlg_TileGen>(main, start.Tile_Width2, start.Tile_Height2);
    });
}
