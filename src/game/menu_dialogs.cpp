#include "game/menu_dialogs.h"

#include "game/dlg_difficulty.h"
#include "game/dlg_menu.h"
#include "game/dlg_select_character.h"
#include "game/dlg_select_module.h"
#include "game/main_screen.h"

void Register_Menu_Dialogs() {
    Register_Game_Dialog("Dlg Menu", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Menu>();
    });
    Register_Game_Dialog("Dlg Select Module",
                         [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
                             return std::make_unique<TDC_Dlg_Select_Module>(main);
                         });
    Register_Game_Dialog("Dlg Difficulty", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Difficulty>();
    });
    Register_Game_Dialog("Dlg Select Character",
                         [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
                             return std::make_unique<TDC_Dlg_Select_Character>(main);
                         });
}
