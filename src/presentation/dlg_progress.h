#pragma once
// The progress dialog: a caption and a bar while a module is built, a level loaded or
// a game saved. Setting the percent redraws the screen at once, because the work runs
// without returning to the window's message loop.

#include <functional>
#include <string>

#include "presentation/display_class.h"

class TDC_Dlg_Progress : public TDisplay_Class {
  public:
    // Redraw draws and presents the whole screen (null: the bar waits for the next frame).
    explicit TDC_Dlg_Progress(std::function<void()> Redraw = {});
    ~TDC_Dlg_Progress() override;

    int Get_Width() override { return 333; }
    int Get_Height() override { return 134; }
    void Handle_Draw(int Buffer) override;

    // Clamped to 0..100.
    void Set_Percent(int Percent);
    int Get_Percent() const { return f_Percent; }
    void Set_Caption(const std::string& Caption) { f_Caption = Caption; }
    const std::string& Get_Caption() const { return f_Caption; }
    // The bar's length in pixels for a percent: Trunc(percent / 100 x 286).
    static int Bar_Length(int Percent);

    // While set, the main screen clears the screen behind the dialog.
    bool f_Clear = false;

  private:
    std::function<void()> f_Redraw;
    std::string f_Caption = "Progress";
    int f_Percent = 0;
    int f_Background = -1;
};
