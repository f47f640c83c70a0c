#pragma once
// The dialogs of saving and loading and of the player's options, made known to the
// main screen by their names: "Save Game Dlg", "Game Menu" and "Options Dlg".

void Register_Save_Dialogs();
