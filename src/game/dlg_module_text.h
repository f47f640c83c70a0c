#pragma once
// The module's text pages: a title over paragraphs on parchment, paged up and down by
// the height of the page. Shown when an adventure starts and when an event displays
// text; its close button, Enter or Escape closes it.

#include <string>
#include <vector>

#include "presentation/buttons.h"

class TDC_Dlg_Module_Text : public TDisplay_Class {
  public:
    TDC_Dlg_Module_Text();
    ~TDC_Dlg_Module_Text() override;

    void Set_Text(const std::string& Title, const std::vector<std::string>& Lines);
    // Scroll by one page (340 pixels); Down only while the end is not reached.
    void Page_Up();
    void Page_Down();

    int Get_Width() override { return 448; }
    int Get_Height() override { return 504; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::string f_Title;
    std::vector<std::string> f_Lines;
    int f_Scroll = 0;
    // The last drawing showed the end of the text.
    bool f_End_Reached = true;
    TDC_Button* f_Close_Button = nullptr;
    TDC_Button* f_Up_Button = nullptr;
    TDC_Button* f_Down_Button = nullptr;

  private:
    void update_buttons();
    int f_Background = -1;
};
