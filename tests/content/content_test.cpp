// The shipped content as a whole: every file reads without error, and every name or
// number one file uses to reach another resolves, so the loaders and module creation
// find what the content promises.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "content/content_reader.h"

namespace {

const std::string module_dir = "Modules/Hollowmere/";

using TNames = std::set<std::string, TNo_Case_Less>;

TNames names_of(const TContent_File& file, const std::string& key, size_t first = 0) {
    TNames names;
    for (size_t i = first; i < file.records.size(); ++i) {
        names.insert(file.records[i].Get(key));
    }
    return names;
}

struct TMap {
    int number = 0;
    std::map<std::string, std::string> files; // "Tiles", "Terrain", ... -> file name
    std::string item_grouping, monster_grouping;
};

class Content : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        module = Read_Content(module_dir + "Data/ModuleData.txt");
        spells = Read_Content("Data/Spells.txt");
        effects = Read_Content("Data/Effects.txt");
    }
    static TContent_File module, spells, effects;

    std::vector<TMap> maps() const {
        std::vector<TMap> result;
        const TContent_Record& m = module.records.at(0);
        for (long n = 1; n <= m.Num("Number Of Maps"); ++n) {
            TMap map;
            map.number = static_cast<int>(n);
            const std::string k = "Map " + std::to_string(n) + " ";
            for (const char* kind : {"Tiles", "Terrain", "Item Classes", "Monster Classes",
                                     "Monster Groups", "Monster Random Items Carried", "Stores"}) {
                map.files[kind] = m.Get(k + kind + " Filename");
            }
            map.item_grouping = m.Get(k + "Item Grouping Type");
            map.monster_grouping = m.Get(k + "Monster Grouping Type");
            result.push_back(map);
        }
        return result;
    }
    static TContent_File tiles_file(const std::string& name) {
        return Read_Content(module_dir + "Tiles/" + name);
    }
    // Effect names a damage block may give in "Damage Firing FX".
    TNames effect_names() const {
        TNames names = names_of(effects, "Name", 1);
        names.insert("None");
        return names;
    }
};

TContent_File Content::module, Content::spells, Content::effects;

// Monster grouping matches when either text contains the other; empty, "any", "all"
// and "none" match everything.
bool monster_group_matches(const std::string& class_group, const std::string& wanted) {
    const std::string c = Lower_Case(class_group), w = Lower_Case(wanted);
    if (c.empty() || c == "any" || w.empty() || w == "all" || w == "none") {
        return true;
    }
    return c.find(w) != std::string::npos || w.find(c) != std::string::npos;
}

TEST_F(Content, EveryDataFileReadsWithoutErrors) {
    const std::vector<std::string> files = All_Content_Files();
    ASSERT_GE(files.size(), 20u);
    for (const std::string& relative : files) {
        const TContent_File file = Read_Content(relative);
        EXPECT_TRUE(file.errors.empty()) << relative << ": " << file.errors.front();
        // Only the stores file of the levels below ground is meant to be empty.
        if (relative.find("Dungeon_Stores") == std::string::npos) {
            EXPECT_FALSE(file.records.empty()) << relative;
        }
        std::ifstream in(Content_Dir() + relative, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        size_t lone = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            lone += bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
        }
        EXPECT_EQ(lone, 0u) << relative << " has lines not ended by CR LF";
        EXPECT_NE(bytes.find("*END*"), std::string::npos) << relative;
    }
}

TEST_F(Content, CharacterClassesReachTheirItemsSpellsAndPortraits) {
    const TContent_File classes = Read_Content("Data/Classes.txt");
    const TNames starting = names_of(Read_Content("Data/Classes_ItemClasses.txt"), "Class Name", 1);
    const TNames spell_names = names_of(spells, "Name");
    ASSERT_GE(classes.records.size(), 3u);
    for (const TContent_Record& c : classes.records) {
        EXPECT_GE(c.Num("Number of Portaits"), 1);
        EXPECT_GT(c.Num("Base Maximum Hunger"), 0);
        for (const std::string& item : c.List("Num Items Carried", "Item # Class")) {
            EXPECT_TRUE(starting.count(item)) << c.Get("Class Name") << " starts with " << item;
        }
        const auto levels = c.List("Number Of Experience Levels", "Experience For Level #");
        EXPECT_GE(levels.size(), 30u);
        for (size_t i = 1; i < levels.size(); ++i) {
            EXPECT_LT(std::stol(levels[i - 1]), std::stol(levels[i])) << "level " << i + 1;
        }
        for (long i = 1; i <= c.Num("Number of Spell/Skills"); ++i) {
            const std::string k = "Spell/Skill " + std::to_string(i);
            EXPECT_TRUE(spell_names.count(c.Get(k + " Name"))) << c.Get(k + " Name");
            const long group = c.Num(k + " Group");
            ASSERT_TRUE(group >= 1 && group <= 6) << k;
            EXPECT_FALSE(c.Get("Spell/Skill Group " + std::to_string(group) + " Name").empty())
                << c.Get(k + " Name") << " sits in an unnamed group";
        }
    }
}

TEST_F(Content, SpellsReachEffectsSummonsAndEachOther) {
    const TNames fx = effect_names();
    const TNames spell_names = names_of(spells, "Name");
    const TNames summoned = names_of(Read_Content("Data/Summon_MonsterClasses.txt"), "Name", 1);
    std::map<std::string, std::string> effect_types;
    for (size_t i = 1; i < effects.records.size(); ++i) {
        effect_types[effects.records[i].Get("Name")] = effects.records[i].Get("Type");
    }
    std::set<std::string> targets;
    for (const TContent_Record& s : spells.records) {
        const std::string name = s.Get("Name"), fire = s.Get("Damage Firing FX");
        const std::string target = s.Get("Target Type");
        targets.insert(target);
        ASSERT_TRUE(fx.count(fire)) << name << " fires " << fire;
        // Missile spells need a flying effect, area spells a burst, or nothing is seen or hit.
        if (target == "Monster" || target == "Location") {
            EXPECT_EQ(effect_types[fire], "Directional") << name;
        }
        if (target == "Monster Area") {
            EXPECT_EQ(effect_types[fire], "Frames") << name;
        }
        const std::string needs = s.Get("Requirement Other Spell Name");
        EXPECT_TRUE(needs.empty() || spell_names.count(needs)) << name << " needs " << needs;
        const std::string summon = s.Get("Monster Summoned Name");
        if (!summon.empty() && Lower_Case(summon) != "none") {
            EXPECT_TRUE(summoned.count(summon)) << name << " summons " << summon;
        }
    }
    EXPECT_EQ(targets, (std::set<std::string>{"None", "Monster", "Self", "Location", "Always On",
                                              "Monster Area"}));
    const TContent_Record& bitmaps = effects.records.at(0);
    EXPECT_EQ(bitmaps.List("Number Of Effect Bitmaps", "Bitmap # Name").size(), 2u);
}

TEST_F(Content, ItemAndCreatureFilesReachOneAnother) {
    const TNames fx = effect_names();
    const TNames spell_names = names_of(spells, "Name");
    for (const TMap& map : maps()) {
        const TContent_File items = tiles_file(map.files.at("Item Classes"));
        const TContent_File monsters = tiles_file(map.files.at("Monster Classes"));
        const TNames item_classes = names_of(items, "Class Name", 1);
        for (const char* gold : {"Small Gold Stack", "Medium Gold Stack", "Large Gold Stack"}) {
            EXPECT_TRUE(item_classes.count(gold)) << gold;
        }
        std::set<std::string> key_groups;
        for (size_t i = 1; i < items.records.size(); ++i) {
            const TContent_Record& it = items.records[i];
            EXPECT_TRUE(fx.count(it.Get("Damage Firing FX"))) << it.Get("Name");
            for (const std::string& s : it.List("Number of Spells", "Spell # Name")) {
                EXPECT_TRUE(spell_names.count(s)) << it.Get("Name") << " casts " << s;
            }
            if (it.Get("Type") == "Key") {
                key_groups.insert(it.Get("Key Group"));
            }
        }
        const TContent_Record& general = monsters.records.at(0);
        const auto speeds = general.List("Number Of Movement Speeds", "Movement Speed # Name");
        const auto chances =
            general.List("Number Of Spell Cast Chances", "Spell Cast Chance # Name");
        for (size_t i = 1; i < monsters.records.size(); ++i) {
            const TContent_Record& m = monsters.records[i];
            const std::string name = m.Get("Name");
            EXPECT_NE(std::find(speeds.begin(), speeds.end(), m.Get("Movement Speed")),
                      speeds.end())
                << name;
            for (const std::string& c : m.List("Num Items Carried", "Item # Class")) {
                EXPECT_TRUE(item_classes.count(c)) << name << " carries " << c;
            }
            for (long s = 1; s <= m.Num("Number of Spells For Use"); ++s) {
                const std::string k = "Spell " + std::to_string(s);
                EXPECT_TRUE(spell_names.count(m.Get(k + " Name"))) << name;
                EXPECT_NE(std::find(chances.begin(), chances.end(), m.Get(k + " Chance To Use")),
                          chances.end())
                    << name;
            }
            if (m.Num("Number of Natural Attacks") > 0) {
                EXPECT_TRUE(fx.count(m.Get("Natural Attack 1 Damage Firing FX"))) << name;
            }
        }
        for (const TContent_Record& r :
             tiles_file(map.files.at("Monster Random Items Carried")).records) {
            for (const std::string& c :
                 r.List("Number Of Possible Item Classes", "Item Class # Name")) {
                EXPECT_TRUE(item_classes.count(c)) << c;
            }
        }
        const TContent_File stores = tiles_file(map.files.at("Stores"));
        for (const TContent_Record& s : stores.records) {
            EXPECT_EQ(s.Num("Store ID"), s.number) << s.Get("Store Name");
            std::set<std::string> categories;
            for (long g = 1; g <= s.Num("Number of Item Groups"); ++g) {
                const std::string k = "Item Group " + std::to_string(g);
                categories.insert(s.Get(k + " Name"));
                for (const std::string& c :
                     s.List(k + " Number of Item Classes", k + " Item Class # Name")) {
                    EXPECT_TRUE(item_classes.count(c)) << s.Get("Store Name") << " sells " << c;
                }
            }
            EXPECT_LE(categories.size(), 7u);
        }
        // A lock whose key group no key carries can never be opened by a key.
        for (const TContent_Record& t : tiles_file(map.files.at("Terrain")).records) {
            for (const std::string& k :
                 t.List("Number of Locked Key Groups", "Locked Key Group # Name")) {
                EXPECT_TRUE(key_groups.count(k)) << t.Get("Name") << " locks with " << k;
            }
        }
    }
}

TEST_F(Content, GroupsNameRealCreaturesAndModifiers) {
    const TNames modifiers =
        names_of(Read_Content(module_dir + "Data/MonsterModifiers.txt"), "Name", 1);
    for (const TMap& map : maps()) {
        const TNames monsters = names_of(tiles_file(map.files.at("Monster Classes")), "Name", 1);
        for (const TContent_Record& g : tiles_file(map.files.at("Monster Groups")).records) {
            EXPECT_EQ(g.Get("Group Monster 1 Is Leader"), "TRUE") << g.Get("Group Name");
            for (long n = 1; n <= g.Num("Number In Group"); ++n) {
                const std::string k = "Group Monster " + std::to_string(n);
                EXPECT_TRUE(monsters.count(g.Get(k + " Class Name"))) << g.Get(k + " Class Name");
                for (const std::string& m :
                     g.List(k + " Number of Modifiers", k + " Modifier # Type")) {
                    EXPECT_TRUE(modifiers.count(m)) << m;
                }
            }
        }
    }
}

TEST_F(Content, TilesPaintWithTheirMapsTerrainAndPlaceRealThings) {
    for (const TMap& map : maps()) {
        const TContent_File tiles = tiles_file(map.files.at("Tiles"));
        const TContent_File terrain = tiles_file(map.files.at("Terrain"));
        const TContent_File monster_file = tiles_file(map.files.at("Monster Classes"));
        std::vector<std::set<std::string>> style0;
        for (const TContent_Record& t : terrain.records) {
            if (t.Num("Style") == 0) {
                style0.push_back(Split_Categories(t.Get("Terrain Category")));
            }
        }
        auto resolves = [&](const std::string& wanted) {
            const auto want = Split_Categories(wanted);
            return std::any_of(style0.begin(), style0.end(), [&](const auto& have) {
                return std::includes(have.begin(), have.end(), want.begin(), want.end());
            });
        };
        const TContent_Record& head = tiles.records.at(0);
        const std::string where = map.files.at("Tiles");
        EXPECT_EQ(head.Num("Tile Square Width"), 17);
        EXPECT_EQ(head.Num("Tile Square Height"), 17);
        EXPECT_TRUE(resolves(head.Get("Fill Level With Terrain Category"))) << where;
        EXPECT_TRUE(resolves(head.Get("Fill Level Border With Terrain Category"))) << where;
        if (head.Get("Add Black Border to Walls") == "TRUE") {
            EXPECT_TRUE(resolves(head.Get("Black Border Ceiling Terrain Category"))) << where;
            EXPECT_TRUE(resolves(head.Get("Black Border Wall Terrain Category"))) << where;
        }
        // The wall pass swaps a generic wall for the piece its neighbours call for, the
        // door pass turns doors to lie between their walls: every piece must exist.
        if (head.Get("Change Generic Walls to Specific") == "TRUE") {
            for (const char* suffix : {"nesw", "new", "esw", "nsw", "nes", "ns", "ew", "es", "sw",
                                       "ne", "nw", "n", "e", "s", "w", "ceiling"}) {
                EXPECT_TRUE(resolves(std::string("wall, ") + suffix)) << where << ": " << suffix;
            }
        }
        if (head.Get("Change Door Directions") == "TRUE") {
            EXPECT_TRUE(resolves("door, ns")) << where;
            EXPECT_TRUE(resolves("door, ew")) << where;
        }
        std::map<char, std::string> global;
        for (long i = 1; i <= head.Num("Number of Global Tile Identifiers"); ++i) {
            const std::string k = "Global Identifier " + std::to_string(i);
            global[head.Get(k + " Symbol").at(0)] = head.Get(k + " Terrain Category");
        }
        TNames tile_names;
        std::map<std::string, TNames> monsters_by_group;
        std::map<std::string, long, TNo_Case_Less> store_of;
        for (size_t i = 1; i < monster_file.records.size(); ++i) {
            const TContent_Record& m = monster_file.records[i];
            if (monster_group_matches(m.Get("Monster Group"), map.monster_grouping)) {
                monsters_by_group[""].insert(m.Get("Name"));
            }
            store_of[m.Get("Name")] = m.Num("Store ID");
        }
        const long stores = static_cast<long>(tiles_file(map.files.at("Stores")).records.size());
        const TNames item_classes =
            names_of(tiles_file(map.files.at("Item Classes")), "Class Name", 1);
        for (size_t i = 1; i < tiles.records.size(); ++i) {
            const TContent_Record& t = tiles.records[i];
            const std::string name = t.Get("Tile Name");
            tile_names.insert(name);
            EXPECT_TRUE(resolves(t.Get("Monster Placement Terrain Category"))) << name;
            EXPECT_TRUE(resolves(t.Get("Item Placement Terrain Category"))) << name;
            std::map<char, std::string> symbols = global;
            for (long s = 1; s <= t.Num("Number of Tile Specific Identifiers"); ++s) {
                const std::string k = "Identifier " + std::to_string(s);
                symbols[t.Get(k + " Symbol").at(0)] = t.Get(k + " Terrain Category");
            }
            std::vector<std::string> rows;
            for (int r = 1; r <= 17; ++r) {
                rows.push_back(t.Get("Tile Row " + std::to_string(r)));
                ASSERT_EQ(rows.back().size(), 17u) << name << " row " << r;
                for (char ch : rows.back()) {
                    ASSERT_TRUE(symbols.count(ch)) << name << " uses '" << ch << "'";
                    EXPECT_TRUE(resolves(symbols[ch])) << where << ": " << symbols[ch];
                }
            }
            // Placed creatures and items must exist for this map and stand on open floor.
            auto on_floor = [&](const std::string& k) {
                const long x = t.Num(k + " Xpos"), y = t.Num(k + " Ypos");
                return x >= 1 && x <= 17 && y >= 1 && y <= 17 &&
                       resolves(symbols[rows[y - 1][x - 1]] + ", floor");
            };
            for (long n = 1; n <= t.Num("Number of Specific Monsters"); ++n) {
                const std::string k = "Monster " + std::to_string(n);
                EXPECT_TRUE(monsters_by_group[""].count(t.Get(k + " Class Name")))
                    << name << ": " << t.Get(k + " Class Name");
                EXPECT_TRUE(on_floor(k)) << name << ": " << t.Get(k + " Class Name");
                // A keeper's store is found by its position among this map's stores.
                EXPECT_LE(store_of[t.Get(k + " Class Name")], stores) << name;
            }
            for (long n = 1; n <= t.Num("Number of Specific Items"); ++n) {
                const std::string k = "Item " + std::to_string(n);
                EXPECT_TRUE(item_classes.count(t.Get(k + " Class Name"))) << name;
                EXPECT_TRUE(on_floor(k)) << name << ": " << t.Get(k + " Class Name");
            }
        }
        for (const std::string& n :
             head.List("Number of specific tile locations", "Tile Location # Name")) {
            EXPECT_TRUE(tile_names.count(n)) << where << ": " << n;
        }
        for (const std::string& n : head.List("Number of Tile Entrances", "Tile Entrance # Name")) {
            EXPECT_TRUE(tile_names.count(n)) << where << ": " << n;
        }
    }
}

TEST_F(Content, ModuleConnectsEveryMapByExistingEntrances) {
    const TContent_Record& m = module.records.at(0);
    const auto all = maps();
    std::map<int, long> entrances;
    for (const TMap& map : all) {
        entrances[map.number] =
            tiles_file(map.files.at("Tiles")).records.at(0).Num("Number of Tile Entrances");
    }
    const long start = m.Num("Starting Map Number");
    ASSERT_TRUE(entrances.count(static_cast<int>(start)));
    EXPECT_GE(m.Num("Starting Map Entrance ID"), 1);
    EXPECT_LE(m.Num("Starting Map Entrance ID"), entrances[static_cast<int>(start)]);
    const TNames chance_ids =
        names_of(Read_Content(module_dir + "Data/ChanceGroups.txt"), "Chance Group ID");
    const TNames trap_groups =
        names_of(Read_Content(module_dir + "Data/TrapGroups.txt"), "Trap Group Name");
    std::set<int> reached = {static_cast<int>(start)};
    for (const TMap& map : all) {
        const std::string k = "Map " + std::to_string(map.number) + " ";
        EXPECT_TRUE(chance_ids.count(m.Get(k + "Chance Group"))) << k;
        EXPECT_TRUE(trap_groups.count(m.Get(k + "Trap Group Name"))) << k;
        for (long c = 1; c <= m.Num(k + "Number of Connections"); ++c) {
            const std::string kc = k + "Conn " + std::to_string(c) + " ";
            const int dest = static_cast<int>(m.Num(kc + "Destination Map Number"));
            ASSERT_TRUE(entrances.count(dest)) << kc;
            EXPECT_LE(m.Num(kc + "Entrance ID"), entrances[map.number]) << kc;
            EXPECT_LE(m.Num(kc + "Dest Entrance ID"), entrances[dest]) << kc;
            EXPECT_EQ(m.Get(kc + "Connection Type"), "Two Way - Always") << kc;
            reached.insert(dest);
        }
    }
    EXPECT_EQ(reached.size(), all.size()) << "a map no connection leads to";
}

TEST_F(Content, EventsAndQuestsPointAtRealQuestsCreaturesTopicsAndItems) {
    const TContent_File quests = Read_Content(module_dir + "Data/Quests.txt");
    const TContent_File events = Read_Content(module_dir + "Data/Events.txt");
    for (const TContent_Record& q : quests.records) {
        EXPECT_EQ(q.Num("Quest ID"), q.number) << q.Get("Name");
    }
    std::map<long, long> topics_of_monster; // event ID -> number of topics
    std::set<long> takes_items;
    std::set<long> item_events;
    for (const TMap& map : maps()) {
        const TContent_File monsters = tiles_file(map.files.at("Monster Classes"));
        for (size_t i = 1; i < monsters.records.size(); ++i) {
            const TContent_Record& mo = monsters.records[i];
            if (mo.Num("Event ID") != 0) {
                topics_of_monster[mo.Num("Event ID")] = mo.Num("Number of Talk Topics");
                if (mo.Get("Can Be Given Items") == "TRUE") {
                    takes_items.insert(mo.Num("Event ID"));
                }
            }
        }
        const TContent_File items = tiles_file(map.files.at("Item Classes"));
        for (size_t i = 1; i < items.records.size(); ++i) {
            item_events.insert(items.records[i].Num("Event ID"));
        }
    }
    std::set<std::string> triggers, results;
    const long quest_count = static_cast<long>(quests.records.size());
    for (const TContent_Record& e : events.records) {
        for (long n = 1; n <= e.Num("Number of Triggers"); ++n) {
            const std::string k = "Trigger " + std::to_string(n) + " ";
            const std::string kind = e.Get(k + "Type");
            triggers.insert(kind);
            if (kind == "Monster Killed" || kind == "Item Given To Monster" ||
                kind == "Monster Talked To About Topic") {
                EXPECT_TRUE(topics_of_monster.count(e.Num(k + "Monster Event ID"))) << k;
            }
            if (kind == "Item Given To Monster") {
                EXPECT_TRUE(item_events.count(e.Num(k + "Item Event ID"))) << k;
                EXPECT_TRUE(takes_items.count(e.Num(k + "Monster Event ID")))
                    << "event " << e.number << ": nobody can hand that creature an item";
            }
            if (kind == "Monster Talked To About Topic") {
                const long topic = e.Num(k + "Topic ID");
                EXPECT_TRUE(topic >= 1 && topic <= topics_of_monster[e.Num(k + "Monster Event ID")])
                    << "event " << e.number << " asks about topic " << topic;
            }
            if (kind == "Quest Completed") {
                EXPECT_TRUE(e.Num(k + "Quest ID") >= 1 && e.Num(k + "Quest ID") <= quest_count);
            }
        }
        for (long n = 1; n <= e.Num("Number of Results"); ++n) {
            const std::string k = "Result " + std::to_string(n) + " ";
            const std::string kind = e.Get(k + "Type");
            results.insert(kind);
            if (kind.rfind("Quest", 0) == 0) {
                EXPECT_TRUE(e.Num(k + "Quest ID") >= 1 && e.Num(k + "Quest ID") <= quest_count)
                    << "event " << e.number;
            }
            if (kind == "Display Text") {
                EXPECT_GE(e.Num(k + "Number of Text Paragraphs"), 1) << "event " << e.number;
            }
        }
    }
    EXPECT_EQ(triggers,
              (std::set<std::string>{"Item Given To Monster", "Monster Killed",
                                     "Monster Talked To About Topic", "Quest Completed"}));
    EXPECT_EQ(results, (std::set<std::string>{"Quest Completed", "Quest Failed",
                                              "Quest Visible True", "Quest Visible False",
                                              "Display Text", "End Game", "Play Music"}));
}

// A unique item gets its number of distinct modifiers or none at all, so at every level of
// a unique band each item type that can be magic must find that many modifiers.
TEST_F(Content, UniqueNamesFindEnoughModifiersForEveryMagicItem) {
    const TContent_File modifiers = Read_Content(module_dir + "Data/ItemModifiers.txt");
    const TContent_File uniques = Read_Content(module_dir + "Data/UniqueItemNames.txt");
    std::set<std::string> magic_types;
    for (const TMap& map : maps()) {
        const TContent_File items = tiles_file(map.files.at("Item Classes"));
        for (size_t i = 1; i < items.records.size(); ++i) {
            if (items.records[i].Get("Can Have Additional Effects") == "TRUE") {
                magic_types.insert(items.records[i].Get("Type"));
            }
        }
    }
    ASSERT_FALSE(magic_types.empty());
    for (const TContent_Record& u : uniques.records) {
        EXPECT_GE(u.List("Number of Names", "Name #").size(), 1u);
        const long wanted = u.Num("Number of Modifiers");
        for (long level = u.Num("Level Min"); level <= std::min(u.Num("Level Max"), 40L); ++level) {
            for (const std::string& type : magic_types) {
                long eligible = 0;
                for (size_t i = 1; i < modifiers.records.size(); ++i) {
                    const TContent_Record& m = modifiers.records[i];
                    eligible += m.Get("Item Types").find(type) != std::string::npos &&
                                m.Num("Item Level Min") <= level &&
                                level <= m.Num("Item Level Max");
                }
                EXPECT_GE(eligible, wanted) << type << " at level " << level;
            }
        }
    }
}

// Every picture, sound and music file the content names, as "kind<TAB>file".
std::set<std::string> named_assets() {
    std::set<std::string> names;
    auto add = [&](const std::string& kind, const std::string& file) {
        if (!file.empty() && Lower_Case(file) != "none") {
            names.insert(kind + "\t" + file);
        }
    };
    for (const std::string& relative : All_Content_Files()) {
        const TContent_File file = Read_Content(relative);
        const bool items = relative.find("ItemClasses") != std::string::npos;
        const bool creatures = relative.find("MonsterClasses") != std::string::npos;
        for (const TContent_Record& r : file.records) {
            for (const auto& [key, value] : r.fields) {
                const std::string k = Lower_Case(key);
                if (k.find("sound file") != std::string::npos) {
                    add("sound", value);
                } else if (k.rfind("music song", 0) == 0 ||
                           k.find("music filename") != std::string::npos) {
                    add("music", value);
                } else if (k.rfind("picture filename l", 0) == 0 ||
                           k.rfind("duplicate terrain", 0) == 0) {
                    add("terrain", value);
                } else if (k.rfind("portrait", 0) == 0 ||
                           (creatures && k.find("picture filename") != std::string::npos)) {
                    add("monster", value);
                } else if (items && k == "picture filename") {
                    add("item", value);
                } else if (k.rfind("bitmap", 0) == 0 && k.size() > 5 &&
                           k.substr(k.size() - 5) == " name") {
                    add("effect", value);
                }
            }
        }
    }
    return names;
}

TEST_F(Content, AssetListHoldsExactlyTheFilesTheContentNames) {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/../../tools/forge/asset_names.txt");
    ASSERT_TRUE(in) << "tools/forge/asset_names.txt is missing";
    const std::map<std::string, std::string> folders = {{"terrain", "Pictures\\Terrain\\"},
                                                        {"item", "Pictures\\Items\\"},
                                                        {"monster", "Pictures\\Monsters\\"},
                                                        {"effect", "Pictures\\SysPics\\"},
                                                        {"sound", "Sounds\\"},
                                                        {"music", "Music\\"}};
    std::set<std::string> listed;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string kind, folder, file;
        std::getline(fields, kind, '\t');
        std::getline(fields, folder, '\t');
        std::getline(fields, file, '\t');
        ASSERT_TRUE(folders.count(kind)) << line;
        EXPECT_EQ(folder, folders.at(kind)) << line;
        EXPECT_EQ(file.find_first_of("/\\ "), std::string::npos)
            << "not a plain file name: " << line;
        listed.insert(kind + "\t" + file);
    }
    const std::set<std::string> named = named_assets();
    for (const std::string& n : named) {
        EXPECT_TRUE(listed.count(n)) << "named by the content but not listed: " << n;
    }
    for (const std::string& l : listed) {
        EXPECT_TRUE(named.count(l)) << "listed but named by no content file: " << l;
    }
}

} // namespace
