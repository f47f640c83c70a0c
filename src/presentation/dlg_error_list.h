#pragma once
// The error list: what was wrong in a data file, one message a line under the file's
// heading and name, in a scrolling list with a close button.

#include <string>
#include <vector>

#include "presentation/buttons.h"
#include "presentation/list_control.h"

class TDC_Dlg_ErrorList : public TDisplay_Class {
  public:
    TDC_Dlg_ErrorList();
    ~TDC_Dlg_ErrorList() override;

    void Set_Errors(const std::string& Heading, const std::string& File,
                    const std::vector<std::string>& Errors);
    int Get_Width() override { return 427; }
    int Get_Height() override { return 515; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // The lines shown: the heading, the file name, then one per message.
    const std::vector<std::string>& Lines() const { return f_List->f_Items; }

    TDC_List* f_List = nullptr;
    TDC_Button* f_Close_Button = nullptr;

  private:
    int f_Background = -1;
};
