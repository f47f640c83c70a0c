#include "presentation/dlg_intro.h"

#include "platform/clock.h"
#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/services.h"

TDC_Dlg_Intro::TDC_Dlg_Intro(std::function<bool()> Load_Pictures)
    : f_Load_Pictures(std::move(Load_Pictures)), f_Created(Tick_Count()) {
    f_Background = Load_Dialog_Background("Dlg_MM.bmp", 266, 200);
}

TDC_Dlg_Intro::~TDC_Dlg_Intro() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_Intro::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect(0, 265, 0, 199, f_X, f_Y + 199, f_Background, Buffer);
    if (!f_Drawn_Once) {
        f_Drawn_Once = true;
        return;
    }
    if (Intro_Music_Pending) {
        Debug_Log("TDC_Dlg_Intro", "TDC_Dlg_Intro.Handle_DrawPage - Music Init");
        if (Game_Settings)
            Sound_Service().Play_Music(Game_Settings->Music_Song_Intro);
        Intro_Music_Pending = false;
    }
    // The intro music plays once per program; an intro shown again goes on without it.
    f_Music_Started = true;
    const uint32_t elapsed = Tick_Count() - f_Created;
    if (elapsed >= 2000 && f_Music_Started && !f_Pictures_Loaded && !f_Pictures_Failed) {
        Debug_Log("TDC_Dlg_Intro", "TDC_Dlg_Intro.Handle_DrawPage - Create_Game_Bitmaps");
        if (!f_Load_Pictures || f_Load_Pictures())
            f_Pictures_Loaded = true;
        else
            f_Pictures_Failed = true;
    }
    if ((elapsed >= 5000 && f_Pictures_Loaded) || f_Pictures_Failed) {
        Debug_Log("TDC_Dlg_Intro", "TDC_Dlg_Intro.Handle_DrawPage - Set_Kill_Object");
        Set_Kill_Object(true);
    }
}
