#pragma once
// The tile editor's files: a painted grid of terrains written as tile records that a
// module author pastes into a tile class file, one record per 15 x 15 section, and
// such a record (or the first tile of a module's tile file) read back into the grid.
// Terrains travel as their categories: a symbol per distinct terrain of a section,
// and an identifier line naming the categories the symbol stands for.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr int32_t Tile_Section_Size = 15;

// W x H terrain slots of the editing map's terrain list; 0 is an empty square.
struct TTile_Editor_Grid {
    int32_t Width = Tile_Section_Size;
    int32_t Height = Tile_Section_Size;
    std::vector<uint16_t> Slots = std::vector<uint16_t>(Tile_Section_Size * Tile_Section_Size);

    TTile_Editor_Grid() = default;
    TTile_Editor_Grid(int32_t width, int32_t height)
        : Width(width), Height(height), Slots(size_t(width) * size_t(height)) {}
    // Square (i, j) from 1; nothing outside the grid.
    bool In_Grid(int32_t i, int32_t j) const {
        return i >= 1 && i <= Width && j >= 1 && j <= Height;
    }
    uint16_t At(int32_t i, int32_t j) const {
        return In_Grid(i, j) ? Slots[size_t(j - 1) * size_t(Width) + size_t(i - 1)] : 0;
    }
    void Set(int32_t i, int32_t j, uint16_t slot) {
        if (In_Grid(i, j))
            Slots[size_t(j - 1) * size_t(Width) + size_t(i - 1)] = slot;
    }
    void Clear() { std::fill(Slots.begin(), Slots.end(), uint16_t(0)); }
};

// The symbol an empty square always gets.
inline constexpr char Empty_Tile_Symbol = 'N';
// How many distinct terrains one section can name: "a".."z", "A".."Z" without "N",
// "!".."@" and "{".."~". Beyond "~" come a control character and bytes whose reading
// depends on the encoding, which would not read back.
inline constexpr int32_t Tile_Symbol_Count = 87;
// The symbol of a section's n-th distinct terrain (0-based, in order of first
// appearance); '\0' past the last.
char Tile_Symbol(int32_t index);

// The terrain's categories for the identifier lines, by slot.
using TTerrain_Categories = std::function<std::vector<std::string>(uint16_t slot)>;
// The terrain slot that categories name, 0 for none.
using TTerrain_By_Categories = std::function<uint16_t(const std::vector<std::string>&)>;

// The record text of each 15 x 15 section of the grid, sections left to right, then
// top to bottom. A grid of one section is a single tile (position 0, 0, group 0); a
// larger one is a multi-section tile of group 1 whose sections sit at positions from
// (1, 1). False, with a message naming the section, when a section holds more distinct
// terrains than there are symbols.
bool Tile_Section_Texts(const TTile_Editor_Grid& grid, const TTerrain_Categories& categories,
                        std::vector<std::string>& texts, std::string& error);

// Writes the sections as "Tile_<n>.txt" into the folder (ends in a separator),
// numbered on from the first number at which no earlier export would be overwritten.
// The names written are appended to written. False with a message when a section
// could not be made or a file not written; no file is written for a grid that cannot
// be exported.
bool Save_Tile_Files(const TTile_Editor_Grid& grid, const TTerrain_Categories& categories,
                     const std::string& folder, std::vector<std::string>& written,
                     std::string& error);

// Reads the first tile record of a tile file (an exported tile, or a module's tile
// class file, whose global identifiers count too) into the grid, which is cleared
// first. Squares beyond the grid are left out; symbols that name no terrain leave the
// square empty. False with a message when the file cannot be read or holds no tile rows.
bool Load_Tile_File(const std::string& path, TTile_Editor_Grid& grid,
                    const TTerrain_By_Categories& terrain, std::string& error);
