#pragma once
// The game as the player sees it: the main screen built with the pictures, the map
// view and the sprites, run in the window (or headless) with the 50 ms move timer.

#include <string>

#include "app/window_host.h"
#include "game/main_screen.h"

// The hooks that join the main screen to the display object, map view and sprites.
TMain_Screen_Hooks Make_Main_Screen_Hooks(TDC_Main*& screen);

// The dialogs the main screen opens by name that exist so far.
void Register_Game_Dialogs();

// The game's own pointer at (x, y): the item carried on it, centred on the mouse, while
// the mouse is far enough from the edges for the whole picture; otherwise the pointer.
void Draw_Game_Pointer(const TDC_Main& main, int x, int y, int buffer);

// A whole frame into the workspace as the player sees it: the screen, and the game's
// pointer at the mouse unless a level is loading.
void Draw_Game_Frame(TDC_Main& main);

// The command that starts the same game again: "krelvane --new-game MODULE --class N
// --name NAME --difficulty D [--seed S]" (a recording's first line).
std::string Quick_Start_Command(const TQuick_Start& quick);

// Runs the main screen until the player quits; the program's exit code.
int Run_Main_Screen(const TMain_Screen_Start& start, const TWindow_Options& window);
