#include "game/save_dialogs.h"

#include <memory>

#include "game/dlg_game_menu.h"
#include "game/dlg_load_save.h"
#include "game/dlg_options.h"
#include "game/main_screen.h"

void Register_Save_Dialogs() {
    Register_Game_Dialog("Save Game Dlg", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        // Saving needs a game in play.
        if (!main.Load_Save_Mode && !main.Player())
            return nullptr;
        auto dialog = std::make_unique<TDC_Dlg_Load_Save>(main);
        if (main.Load_Save_Mode)
            dialog->Set_Mode_Load();
        else
            dialog->Set_Mode_Save();
        return dialog;
    });
    Register_Game_Dialog("Game Menu", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Game_Menu>();
    });
    Register_Game_Dialog("Options Dlg", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Options>();
    });
}
