#pragma once
// The statistics window: the character's abilities, attack, defence, status and
// resistances over the map, beside the character panel. Its labels are in its picture;
// hovering over one makes its help topic the description panel's subject.

#include <cstdint>

#include "presentation/display_class.h"

class TDC_Main;

class TDC_Win_Stats : public TDisplay_Class {
  public:
    explicit TDC_Win_Stats(TDC_Main& main);
    ~TDC_Win_Stats() override;

    // The help topic (12..23) of the labelled area under the point, 0 elsewhere.
    int32_t Topic_At(int x, int y) const;

    int Get_Width() override { return 304; }
    int Get_Height() override { return 172; }
    // The window keeps its place beside the character panel.
    void Set_Bounds(const std::string& Name, int X, int Y, int Width, int Height,
                    bool Modal) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_Draw(int Buffer) override;

  private:
    TDC_Main& f_Main;
    int f_Background = -1;
};
