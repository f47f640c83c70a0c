#pragma once
// A sample screen holding every reusable control in each of its states and a line in
// each of the six fonts, for looking over the widgets ("krelvane-tool
// render-widgets") and for driving a real window in tests.

#include <string>

#include "presentation/buttons.h"
#include "presentation/display_class.h"

// Makes the ten button strips available: each from its picture in
// "Pictures\SysPics\" when that loads, else a plain drawn stand-in. Returns the
// number of strips that came from pictures.
int Load_Sample_Button_Strips();
void Free_Sample_Button_Strips();

class TDC_Widget_Sample : public TDisplay_Class {
  public:
    TDC_Widget_Sample();
    void Kill_Child_Control(const std::string& Name) override;
    void Handle_Draw(int Buffer) override;

    // The text button that counts clicks, and how often it was clicked.
    TDC_Text_Button* f_Click_Button = nullptr;
    int f_Clicks = 0;
    // Names of the dialogs closed so far.
    std::string f_Closed;
};
