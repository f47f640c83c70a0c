#pragma once
// The dialogs that tell the player something during play: the module's text pages,
// the talk menu and the conversation, the quest log, the statistics page, the death
// report and the high-score table.

// Registers them with the main screen under their control names.
void Register_Info_Dialogs();
