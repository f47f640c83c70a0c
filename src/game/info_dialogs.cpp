#include "game/info_dialogs.h"

#include "game/dlg_conversation.h"
#include "game/dlg_dead.h"
#include "game/dlg_high_scores.h"
#include "game/dlg_module_text.h"
#include "game/dlg_quests.h"
#include "game/dlg_statistics.h"
#include "game/dlg_talk.h"
#include "game/main_screen.h"
#include "rules/class_info.h"

void Register_Info_Dialogs() {
    Register_Game_Dialog("Dlg Module Text", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        auto dialog = std::make_unique<TDC_Dlg_Module_Text>();
        dialog->Set_Text(main.Module_Text_Title, main.Module_Text_Paragraphs);
        return dialog;
    });
    Register_Game_Dialog("Dlg Talk", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        auto dialog = std::make_unique<TDC_Dlg_Talk>();
        dialog->Set_Creature(main.Talk_Partner);
        return dialog;
    });
    Register_Game_Dialog("Dlg Conversation", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        auto dialog = std::make_unique<TDC_Dlg_Conversation>();
        dialog->Set_Creature(main.Talk_Partner);
        return dialog;
    });
    Register_Game_Dialog("Quests Dlg", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Quests>();
    });
    Register_Game_Dialog("Statistics Dlg", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_Statistics>();
    });
    Register_Game_Dialog("Dlg Dead", [](TDC_Main& main) -> std::unique_ptr<TDisplay_Class> {
        const TDeath_Report& death = main.Death_Report;
        const TClass_Info* info = Class_Infos.Get(death.Class_Number);
        auto dialog = std::make_unique<TDC_Dlg_Dead>();
        // Without a killer the cause (starving, a trap) names what killed the character.
        dialog->Set_Death(death.Name, info ? info->Class_Name : std::string(), death.Level,
                          death.Experience, death.Killer_Name, death.Killer_Level,
                          death.Killer_Name.empty() ? death.Cause : std::string());
        return dialog;
    });
    Register_Game_Dialog("High Scores Dlg", [](TDC_Main&) -> std::unique_ptr<TDisplay_Class> {
        return std::make_unique<TDC_Dlg_HighScores>();
    });
}
