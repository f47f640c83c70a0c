#pragma once
// The default module's map pictures, sounds and music (the names its data files use).

#include <vector>

#include "forge.h"

std::vector<TPicture_Entry> Terrain_Pictures();
std::vector<TPicture_Entry> Monster_Pictures();
std::vector<TPicture_Entry> Item_Pictures();
std::vector<TPicture_Entry> Effect_Pictures();
std::vector<TSound_Entry> Content_Sounds();
std::vector<TSound_Entry> Music_Pieces();
