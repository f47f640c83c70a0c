#pragma once
// The display object owns every picture the game draws: the system pictures loaded once
// at start-up, and the terrain, monster and item pictures of the current map, each set
// in one buffer so that drawing a square is one rectangle copy. Its small drawing
// operations (a terrain picture, a creature, an item, an icon, a marker) are what the
// map view, the sprites and the dialogs draw with.
//
// Every operation takes the top-left corner of what it draws and copies transparently
// (black shows what is below), clipped to both buffers. While f_Actions_Disabled is
// set, nothing is drawn.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "presentation/graphics.h"

class TItem;
class TMap;
class TMap_Square;
class TMonster;
struct TDisplay_Effect;

inline constexpr int Square_Pixels = 54;
inline constexpr int Item_Pixels = 32;
inline constexpr int Border_Count = 15;

// One of the three picture buffers of a map: a grid of equal cells, each holding one
// picture file, filled from slot 0.
struct TPicture_Sheet {
    std::string Kind; // "terrain", "monster" or "item", as the messages name it
    int Buffer = -1;
    int Width = 0, Height = 0, Cell = 0, Per_Row = 0, Capacity = 0;
    std::vector<std::string> Names; // the file loaded in each slot, in slot order
    std::unordered_map<std::string, int> Slots;

    // The slot holding that file, -1 when it is not loaded.
    int Slot_Of(const std::string& name) const;
    // The cell's top-left corner in the buffer; false for a slot never loaded.
    bool Cell_Of(int slot, int& x, int& y) const;
};

class TDisplay_Object {
  public:
    TDisplay_Object();
    ~TDisplay_Object();
    TDisplay_Object(const TDisplay_Object&) = delete;
    TDisplay_Object& operator=(const TDisplay_Object&) = delete;

    bool f_Actions_Disabled = false;
    bool f_Hide_Pointer = false;
    bool f_Pointer_Enabled = false;
    bool f_Video_Memory_Failed = false;

    // System buffers (-1 until loaded).
    int f_Tile_Hit_Workarea_VB = -1;
    int f_Display_Misc_VB = -1;
    int f_Display_General_VB = -1;
    int f_Display_Gen_Tiles_VB = -1;
    int f_Display_Damage_FX_VB = -1;
    int f_Display_Spells_VB = -1;
    int f_Display_Spells_Containers_VB = -1;
    int f_Display_Window_Buttons_VB = -1;
    int f_Display_Main_Round_Buttons_VB = -1;
    int f_Display_Small_Arrow_Buttons_VB = -1;
    int f_Display_Square_Icon_Buttons_VB = -1;
    int f_Display_Square_Frames_Buttons_VB = -1;
    int f_Display_Long_Square_Text_Buttons_VB = -1;
    int f_Display_Long_Rounded_Text_Buttons_VB = -1;
    int f_Display_Named_Square_Buttons_VB = -1;
    int f_Display_Blank_Named_Square_Buttons_VB = -1;

    // The map picture buffers.
    TPicture_Sheet f_Terrain;
    TPicture_Sheet f_Monster;
    TPicture_Sheet f_Item;
    // The 15 border file names (1..15 at 0..14) and the terrain slot each was loaded
    // into (-1 until the borders are loaded).
    std::array<std::string, Border_Count> f_Border_Images;
    std::array<int, Border_Count> f_Border_Slots;
    // One buffer per effect bitmap, 1-based by the display effects' "Bitmap Index".
    std::vector<int> f_Effect_Buffers;

    // ---- buffers ----
    // Logs every step; shows "Error allocating virtual buffer: NAME" when asked.
    bool Alloc_Virtual_Buffer(const std::string& Name, int& Handle, bool Show_Error, bool Try_Video,
                              int Height, int Width);
    void Change_All_Pink_To_Black(int Buffer);

    // Loads every system picture, registers the button strips, makes the square mask and
    // allocates the map buffers. False, after "Unable to load Display_Object bitmaps.",
    // when any of it failed.
    bool Create_Game_Bitmaps();
    void Free_Game_Bitmaps();
    // The effect pictures named by the display effects table (Display_Effects), from the
    // system pictures folder. False when one could not be loaded (the others still are).
    bool Load_Effect_Bitmaps();

    // Fill a map buffer: with Reload_All from slot 0 with Names, else only the names not
    // yet loaded are appended. False, with the message, when they would not fit (nothing
    // loaded) or a picture is missing (the buffer keeps what it held).
    bool Load_Terrain_Images(const std::vector<std::string>& Names, const std::string& Map_Name,
                             bool Reload_All);
    bool Load_Monster_Images(const std::vector<std::string>& Names, const std::string& Map_Name,
                             bool Reload_All);
    bool Load_Item_Images(const std::vector<std::string>& Names, const std::string& Map_Name,
                          bool Reload_All);
    // Every picture the map's terrains (three layers), creatures and items use, with the
    // borders, into the three buffers; then their Picture_Index fields name their slots
    // (slot + 1; 0 is no picture). False with the map's indexes left as they were.
    bool Load_Map_Pictures(TMap& Map, bool Reload_All);

    // ---- the square's shape ----
    bool Square_Mask(int X, int Y) const;
    // Draws the square's terrain and items into the scratch square and tells whether
    // pixel (X, Y) of it is not black.
    bool Square_Content_Hit(int X, int Y, TMap& Map, const TMap_Square& Square);

    // ---- drawing ----
    void Draw_Terrain(int Slot, int X, int Y, int Buffer) const;
    void Draw_Border(int Border, int X, int Y, int Buffer) const; // 1..15
    void Draw_Monster(int Slot, int X, int Y, int Buffer) const;
    void Draw_Item(int Slot, int X, int Y, bool Centred, int Buffer) const;
    void Draw_Damage(int Row, int Frame, int X, int Y, bool Centred, int Buffer) const;
    void Draw_Darkness(int Level, int X, int Y, int Buffer) const; // 1..3
    void Draw_Grid(int X, int Y, int Buffer) const;
    void Draw_Pointer(int X, int Y, int Buffer) const;
    void Draw_Small_Icon(int K, int X, int Y, int Buffer) const;
    void Draw_Icon_32(int X, int Y, int Buffer) const;
    void Draw_Secret_Door(int X, int Y, bool Centred, int Buffer) const;
    void Draw_Sensed_Creature(int X, int Y, bool Centred, int Buffer) const;
    // Bar 1..3; with Shown_Width 0 or more only that many pixels of it from the left
    // (the filled part of a bar), never more than the bar.
    void Draw_Bar(int Bar, int X, int Y, int Buffer, int Shown_Width = -1) const;
    void Draw_Small_Icon_Row_1(int Index, int X, int Y, int Buffer) const;
    void Draw_Small_Icon_Row_2(int Index, int X, int Y, int Buffer) const;
    void Draw_Spell_Icon(int N, bool Pressed, int X, int Y, int Buffer) const;
    void Draw_Spell_Slot_Frame(int Row, int Column, int X, int Y, int Buffer) const;
    // Frame F (1-based) of a display effect, centred in the square whose corner is (X, Y).
    // An effect without frames per line or whose bitmap is not loaded draws nothing.
    void Draw_Effect_Frame(const TDisplay_Effect& Effect, int Frame, int X, int Y,
                           int Buffer) const;

    // ---- colours ----
    static constexpr TColour Highlight_Colour = Colour_RGB(11, 31, 183);
    static constexpr TColour Selected_Colour = Colour_RGB(0, 255, 0);
    static constexpr TColour White = Colour_RGB(255, 255, 255);
    static constexpr TColour Black = Colour_RGB(0, 0, 0);
    static constexpr TColour Pink = Colour_RGB(255, 0, 255);
    static constexpr TColour Light_Flesh = Colour_RGB(255, 203, 151);
    static constexpr TColour Red = Colour_RGB(255, 0, 0);
    // Red in the low byte, then green, then blue (terrain map colours).
    static TColour Colour_From_Packed(uint32_t Packed);

  private:
    bool load_system_picture(const std::string& Name, const std::string& Path, int& Handle);
    bool alloc_sheet(TPicture_Sheet& Sheet, const std::string& Name);
    // Pictures read and checked for a sheet, not yet in its buffer.
    struct TStaged_Pictures {
        bool Reload_All = false;
        std::vector<std::string> Names;
        std::unordered_map<std::string, int> Slots;
        size_t First_New = 0;
        std::vector<TVirtual_Buffer> Images;
    };
    bool stage_images(const TPicture_Sheet& Sheet, const std::vector<std::string>& Names,
                      const std::string& Map_Name, bool Reload_All, TStaged_Pictures& Staged) const;
    void commit_images(TPicture_Sheet& Sheet, TStaged_Pictures& Staged);
    bool load_images(TPicture_Sheet& Sheet, const std::vector<std::string>& Names,
                     const std::string& Map_Name, bool Reload_All);
    void copy(int Source, int Min_X, int Min_Y, int Width, int Height, int X, int Y,
              int Buffer) const;
    void make_square_mask();

    std::array<bool, Square_Pixels * Square_Pixels> mask_{};
};

// The one display object, made at start-up.
extern std::unique_ptr<TDisplay_Object> Display_Object;

// An item's picture at (X, Y) with its quantity when above 1 (a shadowed number at
// (X + 33, Y + 37), or (X + 42, Y + 51) when large).
void Draw_Item(const TItem& Item, int Buffer, int X, int Y, bool Large);
// A creature's picture at the square's corner.
void Draw_Creature(const TMonster& Creature, int X, int Y, int Buffer);
// A terrain with its overlay: layer 1, then the border picture of the overlay number,
// then layers 2 and 3 unless hidden.
void Draw_Terrain_Layers(const TMap& Map, const TMap_Square& Square, int X, int Y, int Hidden_Layer,
                         int Buffer);
// The square as the map view draws it: its terrain (hiding the layer the side toward
// the viewer hides), and when in sight its items, its creature and a found secret
// door. dx, dy are the square's position minus the viewer's.
void Draw_In_Sight(TMap& Map, TMap_Square& Square, int X, int Y, int32_t Dy, int32_t Dx,
                   bool In_Sight, const TMonster* Player, int Buffer);
// Every layer, the items and the creature, with no hiding and no roll.
void Draw_Plain(TMap& Map, const TMap_Square& Square, int X, int Y, int Buffer);
