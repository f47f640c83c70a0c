#pragma once
// The opening picture: shown for five seconds while the intro music starts and the
// game's pictures load, then it closes itself. It takes no input.

#include <cstdint>
#include <functional>

#include "presentation/display_class.h"

class TDC_Dlg_Intro : public TDisplay_Class {
  public:
    // Load_Pictures loads every system picture (false when one is missing).
    explicit TDC_Dlg_Intro(std::function<bool()> Load_Pictures);
    ~TDC_Dlg_Intro() override;

    int Get_Width() override { return 266; }
    int Get_Height() override { return 200; }
    void Handle_Draw(int Buffer) override;

    bool Pictures_Loaded() const { return f_Pictures_Loaded; }
    // The pictures could not be loaded: the program cannot go on.
    bool Pictures_Failed() const { return f_Pictures_Failed; }

  private:
    std::function<bool()> f_Load_Pictures;
    int f_Background = -1;
    uint32_t f_Created = 0;
    bool f_Drawn_Once = false;
    bool f_Music_Started = false;
    bool f_Pictures_Loaded = false;
    bool f_Pictures_Failed = false;
};
