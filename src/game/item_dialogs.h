#pragma once
// The inventory and statistics windows, the store, chest and give-item dialogs and the
// two spell dialogs, registered with the main screen by their control names.

void Register_Item_Dialogs();
