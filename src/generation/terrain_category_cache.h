#pragma once
// The generator's view of a level's terrain list: the categories of every style-0
// terrain, cached once per level, and the choice of a terrain by categories that tile
// painting and the wall and door passes use. Every category of a terrain is kept and
// a request may be as long as it likes.

#include <cstdint>
#include <string>
#include <vector>

struct TTerrain_Choice {
    // Slot in the map's terrain list; 0 when no terrain has every requested category.
    uint16_t Slot = 0;
    // The chosen terrain was the only candidate (so the choice can be remembered).
    bool Only = false;
};

class TTerrain_Category_Cache {
  public:
    void Clear() { terrains_.clear(); }
    // Terrains of any other style are never chosen by the generator, so they are
    // left out. Categories are compared in lower case.
    void Add_Terrain(uint16_t slot, uint8_t style, const std::vector<std::string>& categories);
    bool Empty() const { return terrains_.empty(); }

    // The candidates are the cached terrains that have every requested category; one
    // is chosen with a uniform random integer from 1 to their number.
    TTerrain_Choice Find_Terrain_By_Categories(const std::vector<std::string>& requested) const;

  private:
    struct TCached_Terrain {
        uint16_t slot;
        std::vector<std::string> categories;
    };
    std::vector<TCached_Terrain> terrains_;
};
