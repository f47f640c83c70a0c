#pragma once
// Choosing one file from a list: the tile editor's "Load Tile" offers the ".txt" files
// of the game folder. OK with a file chosen closes it with that name; Cancel or Escape
// closes it with none.

#include <string>
#include <vector>

#include "presentation/buttons.h"
#include "presentation/list_control.h"

class TDC_Dlg_SelectFile : public TDisplay_Class {
  public:
    explicit TDC_Dlg_SelectFile(std::vector<std::string> Names);
    ~TDC_Dlg_SelectFile() override;
    int Get_Width() override { return 427; }
    int Get_Height() override { return 515; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // OK: closes with the chosen name (result 1); nothing happens without a choice.
    bool Accept();
    void Cancel();
    // The chosen name once closed with OK; empty otherwise.
    std::string f_Chosen;

    TDC_List* f_List = nullptr;
    TDC_Button* f_OK = nullptr;
    TDC_Button* f_Cancel = nullptr;

  private:
    int f_Background = -1;
};

// The plain files of a folder whose names end in the extension (".txt"), ignoring case.
std::vector<std::string> Files_With_Extension(const std::string& folder,
                                              const std::string& extension);
