#include "game/value_dump.h"

#include <cinttypes>
#include <memory>

#include "game/high_scores.h"
#include "game/save_load.h"
#include "platform/files.h"
#include "platform/names.h"
#include "rules/item.h"
#include "rules/monster.h"
#include "shell/services.h"
#include "shell/value_stream.h"
#include "world/map.h"
#include "world/module.h"

namespace {

// Error lists are not shown while it lives; message boxes are.
class TNo_Error_Lists : public TMessage_Service {
  public:
    TNo_Error_Lists() : boxes_(Message_Service()), use_({.Messages = this}) {}
    void Show_Message_Box(const std::string& caption, const std::string& text) override {
        boxes_.Show_Message_Box(caption, text);
    }
    void Show_Error_List(const std::string&, const std::string&,
                         const std::vector<std::string>&) override {}

  private:
    TMessage_Service& boxes_;
    TScoped_Services use_;
};

// Control characters and quotes escaped, so that every value stays on one line.
std::string text(const std::string& value) {
    std::string out = "\"";
    for (unsigned char c : value) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c == 127) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool ends_with(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

void print_item(std::FILE* out, const char* indent, const TItem& item) {
    std::fprintf(out, "%sitem %u %s class %s type %u level %u quantity %u value %d\n", indent,
                 item.Number, text(item.Name).c_str(), text(item.Class_Name).c_str(),
                 item.Item_Type, item.Level, item.Quantity, item.Gold_Value);
}

void print_creature(std::FILE* out, const TMonster& c) {
    std::fprintf(out,
                 "creature %u %s class %u %s level %u at (%u, %u) health %.1f/%u mana %.1f/%d "
                 "experience %d gold %d state %u\n",
                 c.Number, text(c.Name).c_str(), c.Class_Number, text(c.Class_Name).c_str(),
                 c.Level, c.X, c.Y, c.Health, c.Maximum_Health, c.Mana, c.Maximum_Mana,
                 c.Experience, c.Gold, c.Character_State);
    for (int32_t k = 1; k <= c.Inventory.Count(); ++k)
        std::fprintf(out, "  slot %u: item %u\n", c.Inventory.Get_Slot(k),
                     c.Inventory.Items.Get_Number(k));
}

void print_options(std::FILE* out, const TGame_Options& o) {
    std::fprintf(out,
                 "options: flags %d %d %d %d %d, difficulty %u, start level %u, "
                 "map entry level %u\n",
                 o.Flag_1, o.Flag_2, o.Flag_3, o.Flag_4, o.Flag_5, o.Difficulty, o.Start_Level,
                 o.Map_Entry_Level);
    for (size_t i = 0; i < o.Equipment_Sets.size(); ++i) {
        const TEquipment_Set& set = o.Equipment_Sets[i];
        std::fprintf(out, "  set %zu: %s (%u), %s (%u), spell slot %u\n", i + 1,
                     text(set.First_Hand_Name).c_str(), set.First_Hand_Id,
                     text(set.Second_Hand_Name).c_str(), set.Second_Hand_Id, set.Spell_Slot);
    }
}

void dump_game_id(TValue_Reader& r, std::FILE* out) {
    std::fprintf(out, "game name: %s\n", text(r.Read_String()).c_str());
    std::fprintf(out, "version: %s\n", text(r.Read_Version()).c_str());
    std::fprintf(out, "map file: %s\n", text(r.Read_String()).c_str());
    std::fprintf(out, "module file: %s\n", text(r.Read_String()).c_str());
    std::fprintf(out, "player: creature %u\n", r.Read_Word());
    std::fprintf(out, "module: %s\n", text(r.Read_String()).c_str());
    TGame_Options options;
    options.Load(r);
    print_options(out, options);
}

void dump_high_scores(TValue_Reader& r, std::FILE* out) {
    THigh_Scores_List table;
    table.Load(r);
    std::fprintf(out, "version: %s\n", text(r.Version()).c_str());
    for (int32_t p = 1; p <= High_Score_Count; ++p) {
        const THigh_Score& e = *table.Get(p);
        std::fprintf(out, "%2d. %s %s level %u experience %d\n", p, text(e.Name).c_str(),
                     text(e.Class_Name).c_str(), e.Level, e.Experience);
    }
}

void dump_character(TValue_Reader& r, std::FILE* out) {
    std::fprintf(out, "version: %s\n", text(r.Read_Version()).c_str());
    TMonster character;
    character.Load(r);
    print_creature(out, character);
    const uint16_t count = r.Read_Word();
    std::fprintf(out, "carried items: %u\n", count);
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t slot = r.Read_Word();
        TItem item;
        item.Load(r);
        std::fprintf(out, "  slot %u: ", slot);
        print_item(out, "", item);
    }
}

void dump_module(TValue_Reader& r, std::FILE* out) {
    std::fprintf(out, "version: %s\n", text(r.Read_Version()).c_str());
    TWriteable_Module m;
    m.Load(r);
    std::fprintf(out, "name: %s\ndescription: %s\n", text(m.Name).c_str(),
                 text(m.Description).c_str());
    for (const std::string& paragraph : m.Intro_Paragraphs)
        std::fprintf(out, "intro: %s\n", text(paragraph).c_str());
    std::fprintf(out, "data set: %s\n", text(m.Character_Data_Set_Identifier).c_str());
    std::fprintf(out, "start: map %u at (%u, %u)\ncurrent: map %u at (%u, %u)\n", m.Start_Map,
                 m.Start_X, m.Start_Y, m.Current_Map, m.Current_X, m.Current_Y);
    std::fprintf(out, "file name: %s\n", text(m.File_Name).c_str());
    for (const TModule_Map& map : m.Maps) {
        std::fprintf(out,
                     "map %u %s music %s items %u-%u monsters %u-%u chances %u/%u/%u "
                     "groups %s %s\n",
                     map.Map_Number, text(map.Display_Name).c_str(),
                     text(map.Music_Filename).c_str(), map.Item_Level_Min, map.Item_Level_Max,
                     map.Monster_Level_Min, map.Monster_Level_Max, map.Chance_Magic_Item,
                     map.Chance_Unique_Item, map.Chance_Monster_Modifier,
                     text(map.Item_Grouping_Type).c_str(), text(map.Monster_Grouping_Type).c_str());
        for (const TModule_Map_Connection& c : map.Connections)
            std::fprintf(out, "  connection %u to map %u: (%u, %u) -> (%u, %u) type %u%s\n",
                         c.Number, c.Destination_Map, c.Source_X, c.Source_Y, c.Dest_X, c.Dest_Y,
                         c.Connection_Type, c.Used ? " used" : "");
    }
    for (const TModule_Quest& q : m.Quests.Quests)
        std::fprintf(out, "quest %u %s%s%s%s experience %d\n", q.Quest_ID, text(q.Name).c_str(),
                     q.Visible ? " visible" : "", q.Completed ? " completed" : "",
                     q.Failed ? " failed" : "", q.Experience);
    for (const TModule_Event& e : m.Events.Events)
        std::fprintf(out, "event %u%s%s: %zu triggers, %zu results\n", e.Event_ID,
                     e.Enabled ? " enabled" : "", e.Permanent ? " permanent" : "",
                     e.Triggers.size(), e.Results.size());
}

void dump_map(TValue_Reader& r, std::FILE* out) {
    std::fprintf(out, "file version: %s\n", text(r.Read_Version()).c_str());
    auto map = std::make_unique<TWriteable_Map>();
    // The terrain file is not needed to list the level, and its absence is no error.
    {
        TNo_Error_Lists quiet;
        map->Load(r, [](const std::string&) { return std::string(); });
    }
    std::fprintf(out, "map version: %s\nname: %s\nterrain file: %s\nuniversal light: %s\n",
                 text(map->Version).c_str(), text(map->Display_Name).c_str(),
                 text(map->Terrains.File_Name).c_str(), map->Universal_Light ? "yes" : "no");
    int32_t entrances = 0, locked = 0, trapped = 0, explored = 0, piles = 0;
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y) {
            const TMap_Square& s = *map->Get_Square(x, y);
            entrances += s.Is_Entrance();
            locked += s.Is_Locked();
            trapped += s.Is_Trapped();
            explored += s.Is_Explored();
            piles += s.Is_Pile();
            if (s.Is_Entrance())
                std::fprintf(out, "entrance at (%d, %d)\n", x, y);
        }
    std::fprintf(out, "squares: %d entrances, %d locked, %d trapped, %d explored, %d piles\n",
                 entrances, locked, trapped, explored, piles);
    std::fprintf(out, "items: %d slots\n", map->Item_List.Count());
    for (int32_t n = 1; n <= map->Item_List.Count(); ++n)
        if (const TItem* item = map->Item_List.Get(n))
            print_item(out, "  ", *item);
    std::fprintf(out, "creatures: %d slots\n", map->Monster_List.Count());
    for (int32_t n = 1; n <= map->Monster_List.Count(); ++n)
        if (const TMonster* c = map->Monster_List.Get(n))
            print_creature(out, *c);
    for (size_t i = 0; i < map->Stores.size(); ++i)
        std::fprintf(out, "store %zu %s: %zu items\n", i + 1,
                     text(map->Stores[i].Store_Name).c_str(), map->Stores[i].Stock_Items.size());
    for (const TLocation_List& list : map->Location_Lists())
        std::fprintf(out, "location list at (%u, %u): %zu values\n", list.X, list.Y,
                     list.Values.size());
    for (size_t i = 0; i < map->Locks().Names.size(); ++i)
        std::fprintf(out, "lock %s at (%u, %u)\n", text(map->Locks().Names[i]).c_str(),
                     map->Locks().X[i], map->Locks().Y[i]);
    for (size_t i = 0; i < map->Traps().Names.size(); ++i)
        std::fprintf(out, "trap %s at (%u, %u)\n", text(map->Traps().Names[i]).c_str(),
                     map->Traps().X[i], map->Traps().Y[i]);
}

uint64_t little_endian(const std::string& bytes, size_t at, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint64_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

} // namespace

bool Dump_Raw_Values(const std::string& bytes, std::FILE* out, std::string& error) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t start = pos;
        const uint8_t tag = static_cast<uint8_t>(bytes[pos++]);
        const size_t left = bytes.size() - pos;
        auto need = [&](size_t n) {
            if (left >= n)
                return true;
            error = "value cut short at byte " + std::to_string(start);
            return false;
        };
        switch (tag) {
        case 2:
        case 3:
        case 4: {
            const int size = tag == 2 ? 1 : tag == 3 ? 2 : 4;
            if (!need(static_cast<size_t>(size)))
                return false;
            const uint64_t raw = little_endian(bytes, pos, size);
            const int64_t value = size == 1   ? static_cast<int8_t>(raw)
                                  : size == 2 ? static_cast<int16_t>(raw)
                                              : static_cast<int32_t>(static_cast<uint32_t>(raw));
            std::fprintf(out, "%8zu integer %" PRId64 "\n", start, value);
            pos += static_cast<size_t>(size);
            break;
        }
        case 5: {
            if (!need(10))
                return false;
            const double value = Decode_Extended(reinterpret_cast<const uint8_t*>(&bytes[pos]));
            std::fprintf(out, "%8zu float %.17g\n", start, value);
            pos += 10;
            break;
        }
        case 6:
        case 12: {
            const int size = tag == 6 ? 1 : 4;
            if (!need(static_cast<size_t>(size)))
                return false;
            const uint64_t length = little_endian(bytes, pos, size);
            pos += static_cast<size_t>(size);
            if (length > bytes.size() - pos) {
                error = "text longer than the file at byte " + std::to_string(start);
                return false;
            }
            std::fprintf(out, "%8zu string %s\n", start, text(bytes.substr(pos, length)).c_str());
            pos += length;
            break;
        }
        case 8:
        case 9:
            std::fprintf(out, "%8zu boolean %s\n", start, tag == 9 ? "true" : "false");
            break;
        default:
            error = "unknown tag " + std::to_string(tag) + " at byte " + std::to_string(start);
            return false;
        }
    }
    return true;
}

int Tool_Dump(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    bool raw = false;
    std::string file;
    for (const std::string& arg : args) {
        if (arg == "--raw")
            raw = true;
        else if (file.empty() && !arg.empty() && arg[0] != '-')
            file = arg;
        else {
            std::fprintf(err,
                         "krelvane-tool dump: unexpected \"%s\"\n"
                         "Usage: krelvane-tool dump [--raw] FILE\n",
                         arg.c_str());
            return 2;
        }
    }
    if (file.empty()) {
        std::fprintf(err, "krelvane-tool dump: FILE is required\n"
                          "Usage: krelvane-tool dump [--raw] FILE\n");
        return 2;
    }
    std::string bytes;
    if (!Read_Whole_File(file, bytes)) {
        std::fprintf(err, "krelvane-tool dump: cannot read \"%s\"\n", file.c_str());
        return 2;
    }
    const std::string name = Lower_Case(File_Name_Part(file));
    void (*dump)(TValue_Reader&, std::FILE*) = nullptr;
    if (!raw) {
        if (name == "game.id")
            dump = dump_game_id;
        else if (name == "highscores.dat")
            dump = dump_high_scores;
        else if (ends_with(name, ".map"))
            dump = dump_map;
        else if (ends_with(name, ".mod"))
            dump = dump_module;
        else if (ends_with(name, ".dat"))
            dump = dump_character;
    }
    if (dump) {
        TValue_Reader reader(bytes);
        try {
            dump(reader, out);
            if (!reader.At_End())
                std::fprintf(out, "(%zu bytes after the end of the record)\n", reader.Remaining());
            return 0;
        } catch (const TStream_Error& e) {
            std::fprintf(err, "krelvane-tool dump: \"%s\" is damaged: %s; its values follow\n",
                         file.c_str(), e.what());
        }
    }
    std::string error;
    if (!Dump_Raw_Values(bytes, out, error)) {
        std::fprintf(err, "krelvane-tool dump: \"%s\": %s\n", file.c_str(), error.c_str());
        return 1;
    }
    return dump ? 1 : 0;
}
