#pragma once
// The map generator, a module author's tool: digs one level of a module from a tile
// file of the module's choosing into the current map and shows it whole, with every
// square seen and an overview of the 200 x 200 squares on which the view is moved.

#include <string>
#include <vector>

#include "generation/map_digging.h"
#include "presentation/buttons.h"
#include "presentation/list_control.h"
#include "presentation/map_view.h"

class TDC_Main;

class TDC_Dlg_MapGen : public TDisplay_Class {
  public:
    explicit TDC_Dlg_MapGen(TDC_Main& Main);
    ~TDC_Dlg_MapGen() override;
    int Get_Width() override { return 800; }
    int Get_Height() override { return 600; }
    void Kill_Child_Control(const std::string& Name) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    // The tile files of the current module ("Tiles" in their names).
    void Fill_File_List();
    // Digs a level from the chosen tile file; false (and nothing dug) without a module
    // or a chosen file, or when the module's files could not be loaded.
    bool Generate();
    // The view origin, kept within 1..185.
    void Set_Origin(int32_t X, int32_t Y);
    // A press on the overview at screen (X, Y) centres the view there.
    bool Press_Overview(int X, int Y);

    TDC_List* f_File_List = nullptr;
    TDC_Text_Button* f_Choose_Module = nullptr;
    TDC_Text_Button* f_Generate = nullptr;
    TDC_Button* f_Close_Button = nullptr;
    TMap_View f_View;
    int32_t f_Origin_X = 1, f_Origin_Y = 1;
    // The entrances the last dig found.
    TEntrance_Lists f_Entrances;
    // What the last dig reported, shown under the title.
    std::string f_Status;

  private:
    TDC_Main& f_Main;
    int f_Background = -1;
};

// The frame both authoring tools draw: their background, the map view of the current
// map from the origin, the title and the status line under it.
void Draw_Tool_Frame(const TDisplay_Class& Tool, int Background, TMap_View& View, int32_t Origin_X,
                     int32_t Origin_Y, const std::string& Title, const std::string& Status,
                     int Buffer);

// The overview's place in the dialog and its size (one pixel a square).
inline constexpr int MapGen_Overview_X = 590, MapGen_Overview_Y = 10;
// The view origin's range: the 15 x 15 window stays on the map.
inline constexpr int32_t MapGen_Origin_Max = 185;
