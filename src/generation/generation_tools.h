#pragma once
// The module authors' commands for generated levels:
//   create-module --module NAME [--game-dir DIR] [--seed N] [--difficulty D]
//                 [--start-level L]
//       creates the module into the game folder's current-game folder and prints one
//       line per map; exits 1 with the error lists when creation fails.
//   render-map FILE.map --png OUT.png [--game-dir DIR] [--module NAME]
//       draws the level from above in its terrains' overview colours, with marks for
//       entrances, creatures, items, chests and store keepers.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class TMap;

// args are the words after the command name. 0 on success, 1 when creation failed,
// 2 for a usage error or a missing game folder or module.
int Tool_Create_Module(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
int Tool_Render_Map(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The picture render-map draws: 3 x 3 pixels per square, 8-bit RGB rows top to bottom.
struct TMap_Picture {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Rgb;
    uint32_t Pixel(int32_t x, int32_t y) const; // 0xRRGGBB
};
TMap_Picture Render_Map_Picture(TMap& map);

// The PNG bytes of an RGB picture (stored deflate blocks: no compression library).
std::string Encode_Map_PNG(const TMap_Picture& picture);
