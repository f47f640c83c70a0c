#pragma once
// The graphics layer: a software renderer over virtual buffers addressed by handles.
//
// Every frame is composed into the workspace (handle 0, 800 x 600) and presented by
// the host. Pixels are 32-bit 0x00RRGGBB whatever colour depth the settings ask for;
// black (0) is the transparent colour of the transparent copy. Rectangles are given by
// inclusive minimum and maximum x and y, and every operation clips to the buffers it
// touches, so a picture near an edge is drawn partly and nothing is written outside.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using TColour = uint32_t;

constexpr int Screen_Width = 800;
constexpr int Screen_Height = 600;
constexpr int Max_Virtual_Buffers = 256;
constexpr int Workspace_Buffer = 0;

constexpr TColour Colour_RGB(int r, int g, int b) {
    return (TColour(r & 255) << 16) | (TColour(g & 255) << 8) | TColour(b & 255);
}
constexpr int Red_Of(TColour c) {
    return int((c >> 16) & 255);
}
constexpr int Green_Of(TColour c) {
    return int((c >> 8) & 255);
}
constexpr int Blue_Of(TColour c) {
    return int(c & 255);
}

struct TVirtual_Buffer {
    int width = 0;
    int height = 0;
    std::vector<TColour> pixels; // row-major, width * height
};

class TText_Font;

// Display mode test: 0 when 800 x 600 can be shown at that depth. The host always
// composes in 32 bits and scales to the window, so 16, 24 and 32 all work.
int fg_modetest(int width, int height, int depth);

// Starts (or restarts) the buffer system: frees every buffer and resets the colour,
// text state and active buffer. 0 on success.
int fg_vbinit();
// Frees every buffer (at shut-down).
void Graphics_Shutdown();
// Buffers are kept in memory either way; the choice is accepted for the callers' sake.
void fg_ddmemory(int video);
void fg_vbdepth(int depth);

// A new black buffer: its handle (the lowest free one), or -1 when the size is not
// positive or all handles are in use.
int fg_vballoc(int width, int height);
void fg_vbfree(int handle);
// Makes the buffer active; -1 when there is no such buffer (the active one stays).
int fg_vbopen(int handle);
int Active_Buffer();
// The buffer of a handle, or null. This is the direct access the overview map and
// the pink-to-black conversion use between Begin/End_Direct_Access.
TVirtual_Buffer* Buffer_Of(int handle);
bool Buffer_Size(int handle, int& width, int& height);

// Draws a Windows BMP file into the active buffer with its top-left at (0, 0), at its
// own size, clipped to the buffer. 0 on success; otherwise nothing is drawn and the
// reason is in Last_Graphics_Error().
int fg_showbmp(const std::string& file);
const std::string& Last_Graphics_Error();

// Copies the rectangle so that its lower-left corner lands on (dest_x, dest_y): the
// destination point's y is the bottom row.
void Copy_Rect(int min_x, int max_x, int min_y, int max_y, int dest_x, int dest_y, int source,
               int destination);
// As Copy_Rect, but black source pixels leave the destination untouched.
void Copy_Rect_Transparent(int min_x, int max_x, int min_y, int max_y, int dest_x, int dest_y,
                           int source, int destination);
// The whole source to the destination's top-left.
void Copy_Whole_Buffer(int source, int destination);

// Every pink (255, 0, 255) pixel of the buffer becomes black (transparent).
void Pink_To_Black(int handle);

TColour Colour_From_RGB(int red, int green, int blue);
void Set_Colour(TColour colour);
TColour Current_Colour();
void Clear_Buffer();
void Fill_Rect(int min_x, int max_x, int min_y, int max_y);
// 0 outside the buffer.
TColour Read_Pixel(int x, int y);
void Set_Pixel(int x, int y);
void Begin_Direct_Access();
void End_Direct_Access();

// Text on the active buffer. Get/Release_DC bracket text output; they only count, so
// an unmatched get shows up in tests.
void Get_DC();
void Release_DC();
int Open_DC_Count();
void Select_Font(const TText_Font* font);
const TText_Font* Selected_Font();
// horizontal -1 left, 0 centre, 1 right; vertical -1 bottom (y is the line's bottom
// row), 0 centre, 1 top.
void Justify(int horizontal, int vertical);
void Move_To(int x, int y);
void Set_Text_Colour_Value(TColour colour);
TColour Text_Colour();
// Prints at the current position with the current justification, blending the
// font's coverage in the text colour; the x position advances by the text's width.
void Print_Text(const std::string& text);
int Get_X_Position();

// Presenting: the host installs the function that shows the workspace; without one
// (tests, headless) presenting does nothing.
using TPresenter = std::function<void(const TVirtual_Buffer& workspace)>;
void Set_Presenter(TPresenter presenter);
void Present();
// After the application is activated again: the next Present shows the whole frame.
void Restore_Surfaces();

// Mouse position in workspace pixels, (-1, -1) outside the window; set by the host.
void Set_Mouse_Position(int x, int y);
void Mouse_Position(int& x, int& y);
