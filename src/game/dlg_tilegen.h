#pragma once
// The tile editor, a module author's tool: a grid of W x H squares of the current map
// (square (i, j) of the grid is map square (11 + i, 11 + j)) painted with the terrains
// of a module's terrain file, kept in ten memory slots, and written as tile records
// that the module's tile files take, or read back from one.

#include <array>
#include <string>
#include <vector>

#include "generation/tile_export.h"
#include "presentation/buttons.h"
#include "presentation/list_control.h"
#include "presentation/map_view.h"

class TDC_Main;

class TDC_Dlg_TileGen : public TDisplay_Class {
  public:
    // A grid of 15 x 15 squares, or 30 wide or high with the switches.
    TDC_Dlg_TileGen(TDC_Main& Main, bool Wide, bool High);
    ~TDC_Dlg_TileGen() override;
    int Get_Width() override { return 800; }
    int Get_Height() override { return 600; }
    void Kill_Child_Control(const std::string& Name) override;
    void Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) override;
    void Handle_MouseMove(TShift_State Shift, int X, int Y) override;
    void Handle_MouseUp(TMouse_Button Button, TShift_State Shift, int X, int Y,
                        bool Released_Outside) override;
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    int32_t Grid_Width() const { return f_Width; }
    int32_t Grid_Height() const { return f_Height; }
    // The terrain slot of grid square (i, j) from 1; 0 outside the grid.
    uint16_t Grid_At(int32_t I, int32_t J) const;
    void Set_Grid(int32_t I, int32_t J, uint16_t Slot);
    // The grid as the tile files see it, and back onto the map.
    TTile_Editor_Grid Grid() const;
    void Put_Grid(const TTile_Editor_Grid& Grid);

    // The module's terrain files ("_Terrain" in their names).
    void Fill_File_List();
    // Loads the terrain file chosen in the file list into the map with its pictures.
    bool Load_Terrain_File();
    // The terrain chosen in the terrain list, 0 for none.
    uint16_t Selected_Terrain() const;
    void Select_Terrain(uint16_t Slot);
    // One stroke at a screen point: paint (left), erase (right) or pick (Ctrl+left).
    bool Stroke(TMouse_Button Button, TShift_State Shift, int X, int Y);
    // Memory slots 1..10: store the grid, or copy it back (an empty slot clears it).
    void Store_Memory(int N);
    void Recall_Memory(int N);
    // Arrow-key scrolling of the view origin within the grid.
    void Scroll(int Dx, int Dy);
    // "Save Tile": the files written, or a message.
    bool Save_Tile(std::vector<std::string>& Written, std::string& Error);
    // "Load Tile" once a file was chosen.
    bool Load_Tile(const std::string& Name, std::string& Error);

    TDC_List* f_File_List = nullptr;
    TDC_List* f_Terrain_List = nullptr;
    TDC_Text_Button* f_Load_Terrain = nullptr;
    TDC_Text_Button* f_Choose_Module = nullptr;
    TDC_Text_Button* f_Load_Tile = nullptr;
    TDC_Text_Button* f_Save_Tile = nullptr;
    TDC_Button* f_Close_Button = nullptr;
    TMap_View f_View;
    int32_t f_Origin_X = 12, f_Origin_Y = 12;
    std::string f_Status;

  private:
    TDC_Main& f_Main;
    int f_Background = -1;
    int32_t f_Width = Tile_Section_Size, f_Height = Tile_Section_Size;
    std::array<std::vector<uint16_t>, 10> f_Memory;
    std::vector<uint16_t> f_Terrain_Slots; // list entry n is slot f_Terrain_Slots[n - 1]
    bool f_Left_Held = false, f_Right_Held = false;
};

// The map square of grid square (1, 1) is (Tile_Grid_Offset + 1, Tile_Grid_Offset + 1).
inline constexpr int32_t Tile_Grid_Offset = 11;
