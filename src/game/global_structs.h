#pragma once
// The global structures of a run: created, loaded and freed in a fixed order by the
// start-up and shut-down of the game (and by the tool, which loads what the game
// loads). Each function logs its start and end under "Struct".

// Create_Primary_Global_Structs and Free_Primary_Global_Structs (Path_Settings and
// Game_Settings) live with those globals in shell/globals.h.

// The game settings file. False when it had errors (they have been shown).
bool Load_Primary_Global_Structs();
// The per-game structures: current map, current module, game options, sprites.
void Create_Global_Structs();
// The common data files: display effects, class portraits, master spells. False when
// any had errors.
bool Load_Global_Structs();
// After a module is chosen or a game loaded: the loads above again, then the game
// settings file, so that the module's own copies take effect.
bool Reload_Global_Structs();
void Free_Global_Structs();
