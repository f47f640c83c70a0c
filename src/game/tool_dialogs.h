#pragma once
// The module authors' tools the program opens instead of the main menu when started
// with "mapgen" or "tilegen": the map generator and the tile editor.

void Register_Tool_Dialogs();
