#include "presentation/dlg_progress.h"

#include <algorithm>

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"

TDC_Dlg_Progress::TDC_Dlg_Progress(std::function<void()> Redraw) : f_Redraw(std::move(Redraw)) {
    f_Background = Load_Dialog_Background("Dlg_Progress.bmp", 333, 134);
}

TDC_Dlg_Progress::~TDC_Dlg_Progress() {
    fg_vbfree(f_Background);
}

int TDC_Dlg_Progress::Bar_Length(int Percent) {
    return std::clamp(Percent, 0, 100) * 286 / 100;
}

void TDC_Dlg_Progress::Set_Percent(int Percent) {
    f_Percent = std::clamp(Percent, 0, 100);
    if (f_Redraw)
        f_Redraw();
}

void TDC_Dlg_Progress::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect(0, 332, 0, 133, f_X, f_Y + 133, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(3);
    Set_Text_Colour(10, 10, 10);
    Set_Justify(2, 2);
    Print_At(f_X + 168, f_Y + 48, f_Caption);
    Text_End();
    const int length = Bar_Length(f_Percent);
    if (length > 0) {
        fg_vbopen(Buffer);
        Set_Colour(Colour_RGB(0, 0, 200));
        Fill_Rect(f_X + 24, f_X + 24 + length - 1, f_Y + 87, f_Y + 106);
    }
}
