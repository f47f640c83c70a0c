#include "generation/terrain_category_cache.h"

#include <algorithm>

#include "shell/helpers.h"
#include "shell/random.h"

void TTerrain_Category_Cache::Add_Terrain(uint16_t slot, uint8_t style,
                                          const std::vector<std::string>& categories) {
    if (style != 0)
        return;
    TCached_Terrain terrain{slot, {}};
    terrain.categories.reserve(categories.size());
    for (const std::string& category : categories)
        terrain.categories.push_back(Lower_Case(category));
    terrains_.push_back(std::move(terrain));
}

TTerrain_Choice TTerrain_Category_Cache::Find_Terrain_By_Categories(
    const std::vector<std::string>& requested) const {
    std::vector<std::string> wanted;
    wanted.reserve(requested.size());
    for (const std::string& category : requested)
        wanted.push_back(Lower_Case(category));

    std::vector<uint16_t> candidates;
    for (const TCached_Terrain& terrain : terrains_) {
        const bool has_all =
            std::all_of(wanted.begin(), wanted.end(), [&](const std::string& category) {
                return std::find(terrain.categories.begin(), terrain.categories.end(), category) !=
                       terrain.categories.end();
            });
        if (has_all)
            candidates.push_back(terrain.slot);
    }
    if (candidates.empty())
        return {};
    const int32_t pick = Random_Range(1, static_cast<int32_t>(candidates.size()));
    return {candidates[static_cast<size_t>(pick - 1)], candidates.size() == 1};
}
