#pragma once
// krelvane-tool render-view: what a character would see standing on a square of a
// module's level, drawn as the game draws its map view, into a PNG file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class TWriteable_Map;

// render-view --module M [--game-dir DIR] --seed N --map K [--at X,Y] --png OUT.png
// Creates the module with the seed (in a folder of its own, which is removed after),
// stands a new character on (X, Y) of map K (by default the module's start on the
// start map, else the map's first entrance) and draws its view into an 800 x 600
// picture. Returns 0, 1 when the module, the map or the pictures fail, 2 for wrong
// arguments.
int Tool_Render_View(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// A level of a freshly created module with a new character standing on it, as
// render-view draws it (the benchmarks use it too). App_Dir and the module must be set
// (Path_Settings). at_x, at_y 0 choose the start square on the start map, else the
// first entrance. Returns 0, or 1 or 2 as render-view does, with the message.
struct TView_Level {
    std::unique_ptr<TWriteable_Map> Map;
    int32_t X = 0, Y = 0;
};
int Make_View_Level(uint32_t seed, int32_t map_number, int32_t at_x, int32_t at_y,
                    TView_Level& level, std::string& message);
