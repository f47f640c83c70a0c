// The default module's pictures: every name its data files use is made, at the size
// its sheet cells have, on pink, and the pictures that must differ do.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "forge_test_util.h"
#include "ui_parts.h"

namespace {

struct TAsset_List {
    std::vector<std::pair<std::string, std::string>> files; // folder, name
    int spell_cells = 0;
    std::map<std::string, int> effect_rows; // sheet name -> rows listed
};

// Reads the content's list of names: "kind<TAB>folder<TAB>file" lines, and the comment
// lines that give the spell cells and the rows of the effect sheets.
TAsset_List read_asset_list() {
    TAsset_List list;
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/../../tools/forge/asset_names.txt");
    EXPECT_TRUE(in.good()) << "the content's asset list is missing";
    std::string line, sheet;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.starts_with("#")) {
            if (line.find("Spells.bmp cell ") != std::string::npos)
                ++list.spell_cells;
            if (const size_t at = line.find("fx_");
                at != std::string::npos && line.find(".bmp:") != std::string::npos)
                sheet = line.substr(at, line.find(".bmp:") + 4 - at);
            if (line.find("#   row ") == 0 && !sheet.empty())
                ++list.effect_rows[sheet];
            continue;
        }
        std::istringstream fields(line);
        std::string kind, folder, name;
        if (!std::getline(fields, kind, '\t') || !std::getline(fields, folder, '\t') ||
            !std::getline(fields, name, '\t'))
            continue;
        for (char& ch : folder)
            if (ch == '\\')
                ch = '/';
        while (!folder.empty() && folder.back() == '/')
            folder.pop_back();
        list.files.emplace_back(folder, name);
    }
    return list;
}

const std::map<std::string, TCanvas>& map_pictures() {
    static const std::map<std::string, TCanvas> made = [] {
        std::map<std::string, TCanvas> m;
        for (const TPicture_Entry& e : All_Pictures())
            if (e.folder != "Pictures/SysPics" || e.name.starts_with("fx_"))
                m[e.folder + "/" + e.name] = e.make();
        return m;
    }();
    return made;
}

bool differ(const TCanvas& a, const TCanvas& b) {
    return a.Pixels() != b.Pixels();
}

} // namespace

TEST(Forge_Content_Names, NothingTheContentNamesIsMissing) {
    const TAsset_List list = read_asset_list();
    ASSERT_GT(list.files.size(), 300u);
    std::set<std::string> made;
    for (const TPicture_Entry& e : All_Pictures())
        made.insert(e.folder + "/" + e.name);
    for (const TSound_Entry& e : All_Sounds())
        made.insert(e.folder + "/" + e.name);
    for (const auto& [folder, name] : list.files)
        EXPECT_TRUE(made.count(folder + "/" + name)) << "missing: " << folder << "/" << name;
    // The sheets hold every spell cell and effect row the data addresses.
    EXPECT_GE((Make_System_Picture("Spells.bmp").Height() / 38) * 18, list.spell_cells);
    EXPECT_GT(list.spell_cells, 0);
    const auto& pics = map_pictures();
    for (const auto& [sheet, rows] : list.effect_rows) {
        const auto it = pics.find("Pictures/SysPics/" + sheet);
        ASSERT_NE(it, pics.end()) << sheet;
        const int cell = sheet == "fx_missiles.bmp" ? 32 : 54;
        EXPECT_GE(it->second.Height(), rows * cell) << sheet;
    }
}

TEST(Forge_Map_Pictures, CellsHaveTheirSheetSizesOnPink) {
    for (const auto& [path, c] : map_pictures()) {
        SCOPED_TRACE(path);
        const bool items = path.starts_with("Pictures/Items/");
        if (items) {
            EXPECT_EQ(c.Width(), 32);
            EXPECT_EQ(c.Height(), 32);
        } else if (!path.starts_with("Pictures/SysPics/")) {
            EXPECT_EQ(c.Width(), 54);
            EXPECT_EQ(c.Height(), 54);
        }
        EXPECT_EQ(c.Get(0, 0), Pink); // drawn transparently over the map
        int drawn = 0, unsafe = 0;
        for (TRGB p : c.Pixels()) {
            if (p == Pink)
                continue;
            ++drawn;
            const int r = Red_Of(p), g = Green_Of(p), b = Blue_Of(p);
            unsafe += (r < 8 && g < 4 && b < 8) || (r >= 248 && g <= 3 && b >= 248);
        }
        EXPECT_GT(drawn, 20) << "empty picture";
        EXPECT_EQ(unsafe, 0);
    }
}

TEST(Forge_Map_Pictures, GroundStaysInsideTheFloorDiamond) {
    // Floors tile the view: nothing may spill outside the square's diamond.
    for (const char* name :
         {"crypt_floor.bmp", "cave_floor.bmp", "town_floor.bmp", "cave_water.bmp", "town_grass.bmp",
          "crypt_floor_moss.bmp", "crypt_floor_crack.bmp"}) {
        const TCanvas& c = map_pictures().at(std::string("Pictures/Terrain/") + name);
        int outside = 0, inside = 0;
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x) {
                const bool drawn = c.Get(x, y) != Pink;
                (In_Floor_Diamond(x, y) ? inside : outside) += drawn;
            }
        EXPECT_EQ(outside, 0) << name;
        EXPECT_GT(inside, 0) << name;
    }
    EXPECT_EQ(map_pictures().at("Pictures/Terrain/crypt_floor.bmp").Get(26, 40) == Pink, false);
}

TEST(Forge_Map_Pictures, WallsDoorsAndCreaturesTellApart) {
    const auto& pics = map_pictures();
    auto at = [&pics](const std::string& name) -> const TCanvas& { return pics.at(name); };
    // Every join of a wall is its own shape, in every theme.
    for (const char* theme : {"town_", "cave_", "crypt_"}) {
        std::set<std::vector<TRGB>> shapes;
        for (const char* s : {"ceiling", "e", "es", "esw", "ew", "n", "ne", "nes", "nesw", "new",
                              "ns", "nsw", "nw", "s", "sw", "w"})
            shapes.insert(
                at(std::string("Pictures/Terrain/") + theme + "wall_" + s + "_top.bmp").Pixels());
        EXPECT_EQ(shapes.size(), 16u) << theme;
        // A wall's upper part rises above its base: the top picture reaches row 0..5.
        const TCanvas& top = at(std::string("Pictures/Terrain/") + theme + "wall_ceiling_top.bmp");
        bool high = false;
        for (int x = 0; x < 54; ++x)
            high |= top.Get(x, 2) != Pink;
        EXPECT_TRUE(high) << theme;
        EXPECT_TRUE(differ(at(std::string("Pictures/Terrain/") + theme + "door_closed_ns.bmp"),
                           at(std::string("Pictures/Terrain/") + theme + "door_closed_ew.bmp")));
        EXPECT_TRUE(differ(at(std::string("Pictures/Terrain/") + theme + "door_closed_ns.bmp"),
                           at(std::string("Pictures/Terrain/") + theme + "door_open_ns.bmp")));
        EXPECT_TRUE(differ(at(std::string("Pictures/Terrain/") + theme + "chest_closed.bmp"),
                           at(std::string("Pictures/Terrain/") + theme + "chest_open.bmp")));
    }
    // Each creature attacks with a picture of its own; no two classes look the same.
    std::set<std::vector<TRGB>> creatures;
    int classes = 0;
    for (const auto& [path, c] : pics) {
        if (!path.starts_with("Pictures/Monsters/") || path.ends_with("_attack.bmp"))
            continue;
        ++classes;
        creatures.insert(c.Pixels());
        const std::string attack = path.substr(0, path.size() - 4) + "_attack.bmp";
        if (pics.count(attack)) {
            EXPECT_TRUE(differ(c, pics.at(attack))) << path;
        }
    }
    EXPECT_EQ(creatures.size(), size_t(classes));
}

TEST(Forge_Map_Pictures, BordersAreThinDarkBandsOnTheRaisedDiamond) {
    const auto& pics = map_pictures();
    std::set<std::vector<TRGB>> distinct;
    for (const char* b : {"N", "E", "S", "W", "ES", "ESW", "EW", "NE", "NES", "NEW", "NS", "NSEW",
                          "NSW", "NW", "SW"}) {
        const TCanvas& c = pics.at(std::string("Pictures/Terrain/Border_") + b + ".bmp");
        distinct.insert(c.Pixels());
        int dark = 0;
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 54; ++x) {
                if (c.Get(x, y) == Pink)
                    continue;
                EXPECT_EQ(c.Get(x, y), Near_Black) << b;
                EXPECT_TRUE(In_Floor_Diamond(x, y + 27)) << b << " " << x << "," << y;
                ++dark;
            }
        EXPECT_GT(dark, 3) << b;
    }
    EXPECT_EQ(distinct.size(), 15u);
    // The full border is the union of its edges.
    const TCanvas& all = pics.at("Pictures/Terrain/Border_NSEW.bmp");
    for (const char* edge : {"NE", "ES", "SW", "NW"}) {
        const TCanvas& e = pics.at(std::string("Pictures/Terrain/Border_") + edge + ".bmp");
        for (int i = 0; i < 54 * 54; ++i)
            if (e.Pixels()[size_t(i)] != Pink) {
                EXPECT_NE(all.Pixels()[size_t(i)], Pink) << edge;
            }
    }
}
