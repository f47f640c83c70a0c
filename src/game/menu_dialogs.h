#pragma once
// The dialogs that lead from the main menu to a new adventure: the main menu with its
// credits page, module selection, difficulty, and character selection and creation.

// Registers them with the main screen under their control names.
void Register_Menu_Dialogs();
