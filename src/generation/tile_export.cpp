#include "generation/tile_export.h"

#include <algorithm>
#include <map>

#include "platform/files.h"
#include "platform/names.h"
#include "shell/helpers.h"

namespace {

// Key names are padded so that every ":=" of a record lines up.
constexpr size_t key_width = 44;

std::string line(const std::string& key, const std::string& value) {
    std::string text = key;
    if (text.size() < key_width)
        text.append(key_width - text.size(), ' ');
    return text + ":= " + value + "\n";
}

std::string join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

struct TSection {
    int32_t Left = 1, Top = 1; // the grid square of its top-left corner
    int32_t Width = 0, Height = 0;
    int32_t Column = 1, Row = 1; // its place among the sections
};

std::vector<TSection> sections_of(const TTile_Editor_Grid& grid) {
    std::vector<TSection> sections;
    for (int32_t top = 1, row = 1; top <= grid.Height; top += Tile_Section_Size, ++row)
        for (int32_t left = 1, column = 1; left <= grid.Width; left += Tile_Section_Size, ++column)
            sections.push_back({left, top, std::min(Tile_Section_Size, grid.Width - left + 1),
                                std::min(Tile_Section_Size, grid.Height - top + 1), column, row});
    return sections;
}

bool section_text(const TTile_Editor_Grid& grid, const TSection& section, bool single,
                  const TTerrain_Categories& categories, std::string& text, std::string& error) {
    // Symbols in order of first appearance, rows top to bottom, squares left to right.
    std::map<uint16_t, char> symbols;
    std::vector<uint16_t> order;
    std::vector<std::string> rows;
    for (int32_t j = 0; j < section.Height; ++j) {
        std::string row;
        for (int32_t i = 0; i < section.Width; ++i) {
            const uint16_t slot = grid.At(section.Left + i, section.Top + j);
            if (slot == 0) {
                row += Empty_Tile_Symbol;
                continue;
            }
            auto found = symbols.find(slot);
            if (found == symbols.end()) {
                const char symbol = Tile_Symbol(int32_t(order.size()));
                if (symbol == '\0') {
                    error = "The tile section at column " + std::to_string(section.Column) +
                            ", row " + std::to_string(section.Row) + " holds more than " +
                            std::to_string(Tile_Symbol_Count) +
                            " different terrains, more than a tile file has symbols for. "
                            "Nothing was saved.";
                    return false;
                }
                found = symbols.emplace(slot, symbol).first;
                order.push_back(slot);
            }
            row += found->second;
        }
        rows.push_back(row);
    }

    text = line("Tile Name", "");
    for (const char* side : {"N", "E", "S", "W"})
        text += line(std::string("Connection Type ") + side, "0");
    text += line("Maximum Number Per Dungeon Level", "100");
    text += line("Maximum Number Per Module", "100");
    text += line("Allow Random Monster Placement in this Tile", "TRUE");
    text += line("Allow Wandering Monster Placement", "TRUE");
    text += line("Monster Placement Terrain Category", "floor, gravel, plain");
    text += line("Allow Random Item Placement in this Tile", "TRUE");
    text += line("Item Placement Terrain Category", "floor, gravel, plain");
    text += line("Tile Can Be Rotated", "FALSE");
    text += line("Tile Percent Chance Per Dungeon Level", "10");
    text += line("Tile Section Width", std::to_string(section.Width));
    text += line("Tile Section Height", std::to_string(section.Height));
    text += line("Tile Section Position X", single ? "0" : std::to_string(section.Column));
    text += line("Tile Section Position Y", single ? "0" : std::to_string(section.Row));
    text += line("Tile Section Group ID", single ? "0" : "1");
    for (size_t n = 0; n < rows.size(); ++n)
        text += line("Tile Row " + std::to_string(n + 1), rows[n]);
    text += line("Number of Tile Specific Identifiers", std::to_string(order.size()));
    for (size_t n = 0; n < order.size(); ++n) {
        const std::string key = "Identifier " + std::to_string(n + 1);
        text += line(key + " Symbol", std::string(1, symbols[order[n]]));
        text += line(key + " Terrain Category", categories ? join(categories(order[n])) : "");
    }
    text += line("Number of Specific Monsters", "0");
    text += line("Number of Specific Items", "0");
    text += line("Locked Terrain Groups", "");
    // The tile loader asks for this key too; without it the tile would not load.
    text += line("Trapped Terrain Groups", "");
    return true;
}

// "Key := value" of one line, both trimmed; false for a line without ":=".
bool split_line(const std::string& text, std::string& key, std::string& value) {
    const size_t mark = text.find(":=");
    if (mark == std::string::npos)
        return false;
    key = Lower_Case(Trim(text.substr(0, mark)));
    value = Trim(text.substr(mark + 2));
    return true;
}

// The number after a prefix and before a suffix ("identifier 12 symbol"); 0 if none.
int32_t numbered(const std::string& key, const std::string& prefix, const std::string& suffix) {
    if (key.size() <= prefix.size() + suffix.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string digits =
        key.substr(prefix.size(), key.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::stoi(digits);
}

} // namespace

char Tile_Symbol(int32_t index) {
    if (index < 0)
        return '\0';
    if (index < 26)
        return char('a' + index);
    index -= 26;
    if (index < 25) // "A".."Z" without the empty square's "N"
        return char('A' + index + (index >= 'N' - 'A' ? 1 : 0));
    index -= 25;
    if (index < '@' - '!' + 1)
        return char('!' + index);
    index -= '@' - '!' + 1;
    if (index < '~' - '{' + 1)
        return char('{' + index);
    return '\0';
}

bool Tile_Section_Texts(const TTile_Editor_Grid& grid, const TTerrain_Categories& categories,
                        std::vector<std::string>& texts, std::string& error) {
    const std::vector<TSection> sections = sections_of(grid);
    std::vector<std::string> made;
    for (const TSection& section : sections) {
        std::string text;
        if (!section_text(grid, section, sections.size() == 1, categories, text, error))
            return false;
        made.push_back(std::move(text));
    }
    texts.insert(texts.end(), made.begin(), made.end());
    return true;
}

bool Save_Tile_Files(const TTile_Editor_Grid& grid, const TTerrain_Categories& categories,
                     const std::string& folder, std::vector<std::string>& written,
                     std::string& error) {
    std::vector<std::string> texts;
    if (!Tile_Section_Texts(grid, categories, texts, error))
        return false;
    auto name = [](int32_t n) { return "Tile_" + std::to_string(n) + ".txt"; };
    // The first number from which every file to write is new: no export is lost.
    int32_t first = 1;
    for (int32_t k = 0; k < int32_t(texts.size()); ++k)
        if (File_Exists(folder + name(first + k))) {
            first += k + 1;
            k = -1;
        }
    for (size_t k = 0; k < texts.size(); ++k) {
        const std::string file = name(first + int32_t(k));
        if (!Write_File_Atomic(folder + file, texts[k])) {
            error = "Unable to write the tile file \"" + folder + file + "\".";
            return false;
        }
        written.push_back(file);
    }
    return true;
}

bool Load_Tile_File(const std::string& path, TTile_Editor_Grid& grid,
                    const TTerrain_By_Categories& terrain, std::string& error) {
    std::string bytes;
    if (!Read_Whole_File(path, bytes)) {
        error = "Unable to read the tile file \"" + path + "\".";
        return false;
    }
    // Rows and identifiers of the first tile record (the one holding "Tile Row 1"),
    // and the global identifiers a tile class file's header gives every tile.
    std::map<int32_t, std::string> rows;
    std::map<int32_t, std::string> own_symbols, global_symbols;
    std::map<int32_t, std::vector<std::string>> own_categories, global_categories;
    bool in_tile = false, tile_done = false;
    size_t start = 0;
    while (start <= bytes.size() && !tile_done) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string text = bytes.substr(start, end - start);
        start = end + 1;
        std::string key, value;
        if (text.find("*END*") != std::string::npos)
            break;
        if (!split_line(text, key, value))
            continue;
        if (key == "tile name") {
            tile_done = in_tile && !rows.empty();
            in_tile = true;
            continue;
        }
        std::vector<std::string> list;
        if (int32_t n = numbered(key, "global identifier ", " symbol"))
            global_symbols[n] = value;
        else if (int32_t g = numbered(key, "global identifier ", " terrain category")) {
            Split_List(value, list, true);
            global_categories[g] = list;
        } else if (!in_tile && key.rfind("tile row ", 0) == 0)
            in_tile = true, rows[numbered(key, "tile row ", "")] = value;
        else if (!in_tile)
            continue;
        else if (int32_t r = numbered(key, "tile row ", ""))
            rows[r] = value;
        else if (int32_t s = numbered(key, "identifier ", " symbol"))
            own_symbols[s] = value;
        else if (int32_t c = numbered(key, "identifier ", " terrain category")) {
            Split_List(value, list, true);
            own_categories[c] = list;
        }
    }
    if (rows.empty() || rows.begin()->first < 1) {
        error = "\"" + path + "\" holds no tile rows.";
        return false;
    }
    // A symbol is the first character of its identifier; the tile's own come before
    // the global ones.
    std::map<char, uint16_t> slots;
    auto learn = [&](const std::map<int32_t, std::string>& symbols,
                     std::map<int32_t, std::vector<std::string>>& categories) {
        for (const auto& [n, symbol] : symbols)
            if (!symbol.empty() && !slots.count(symbol.front()))
                slots[symbol.front()] = terrain ? terrain(categories[n]) : 0;
    };
    learn(own_symbols, own_categories);
    learn(global_symbols, global_categories);

    grid.Clear();
    for (const auto& [j, row] : rows)
        for (size_t i = 0; i < row.size(); ++i) {
            const auto found = slots.find(row[i]);
            if (found != slots.end())
                grid.Set(int32_t(i) + 1, j, found->second); // squares past the grid fall away
        }
    return true;
}
