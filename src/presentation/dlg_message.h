#pragma once
// The message box: a title, a word-wrapped text and a close button on the
// "Dlg_Message.bmp" background. Escape or the button closes it.

#include <string>

#include "presentation/buttons.h"

class TDC_Dlg_Message : public TDisplay_Class {
  public:
    TDC_Dlg_Message();
    ~TDC_Dlg_Message() override;

    void Set_Message(const std::string& Title, const std::string& Text);
    int Get_Width() override { return 309; }
    int Get_Height() override { return 213; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::string f_Title;
    std::string f_Text;
    TDC_Button* f_Close_Button = nullptr;
    int f_Background = -1; // the dialog's own buffer
};

// Opens a message box centred on the parent's screen, modal, with the given name; the
// parent owns it.
TDC_Dlg_Message& Show_Message_Dialog(TDisplay_Class& Parent, const std::string& Name,
                                     const std::string& Title, const std::string& Text);
