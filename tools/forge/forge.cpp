#include "forge.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "file_writers.h"
#include "lettering.h"
#include "map_pictures.h"
#include "platform/names.h"

namespace {

std::string join(const std::string& dir, const std::string& folder, const std::string& name) {
    return With_Trailing_Separator(dir, Native_Separator) + folder + "/" + name;
}

// The picture at 2x with pink shown as a grey checker, so holes are visible.
TCanvas doubled(const TCanvas& src) {
    TCanvas out(src.Width() * 2, src.Height() * 2);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            TRGB c = src.Get(x / 2, y / 2);
            if (c == Pink)
                c = ((x / 8 + y / 8) % 2) ? Rgb(120, 120, 120) : Rgb(150, 150, 150);
            out.Set(x, y, c);
        }
    return out;
}

// Makes the entry's folder once; a folder that cannot be made is reported once and its
// entries are skipped rather than generated for nothing.
bool folder_ready(const std::string& out_dir, const std::string& folder,
                  std::map<std::string, bool>& ready, std::vector<std::string>& log) {
    const auto it = ready.find(folder);
    if (it != ready.end())
        return it->second;
    std::error_code ec;
    const std::string path = join(out_dir, folder, "");
    std::filesystem::create_directories(path, ec);
    const bool ok = std::filesystem::is_directory(path);
    if (!ok)
        log.push_back("Unable to make the folder \"" + path + "\"");
    return ready[folder] = ok;
}

} // namespace

std::vector<TPicture_Entry> All_Pictures() {
    std::vector<TPicture_Entry> all = System_Pictures();
    for (auto* more : {Terrain_Pictures, Monster_Pictures, Item_Pictures, Effect_Pictures})
        for (TPicture_Entry& e : more())
            all.push_back(std::move(e));
    return all;
}

std::vector<TSound_Entry> All_Sounds() {
    std::vector<TSound_Entry> all = Engine_Sounds();
    for (auto* more : {Content_Sounds, Music_Pieces})
        for (TSound_Entry& e : more())
            all.push_back(std::move(e));
    return all;
}

bool Forge_All(const std::string& out_dir, std::vector<std::string>& log) {
    bool ok = true;
    int pictures = 0, sounds = 0;
    std::map<std::string, bool> ready;
    for (const TPicture_Entry& e : All_Pictures()) {
        if (!folder_ready(out_dir, e.folder, ready, log)) {
            ok = false;
            continue;
        }
        std::string error;
        if (!Write_File_Atomic(join(out_dir, e.folder, e.name), Encode_BMP(e.make()), error)) {
            log.push_back(error);
            ok = false;
        } else {
            ++pictures;
        }
    }
    for (const TSound_Entry& e : All_Sounds()) {
        if (!folder_ready(out_dir, e.folder, ready, log)) {
            ok = false;
            continue;
        }
        std::string error;
        if (!Write_File_Atomic(join(out_dir, e.folder, e.name), Encode_WAV(e.make()), error)) {
            log.push_back(error);
            ok = false;
        } else {
            ++sounds;
        }
    }
    log.push_back("Wrote " + std::to_string(pictures) + " pictures and " + std::to_string(sounds) +
                  " sounds below " + out_dir);
    return ok;
}

namespace {

// A small walled room of one terrain set laid out as the map view lays squares, so wall
// joins, doors and props can be judged together. Walls on the near (south and west)
// sides show only their base, as they do while the character stands inside.
TCanvas room_scene(const std::map<std::string, TCanvas>& pics, const std::string& theme) {
    constexpr int size = 9;
    auto wall_at = [](int x, int y) {
        return x == 0 || y == 0 || x == size - 1 || y == size - 1 || (x == 4 && y <= 3);
    };
    TCanvas scene(26 * 2 * size + 60, 13 * 2 * size + 120, Rgb(16, 16, 16));
    const int ox = 10, oy = 13 * size + 40;
    auto put = [&](const std::string& name, int mx, int my) {
        const auto it = pics.find(name);
        if (it != pics.end())
            scene.Blit(it->second, ox + 26 * (mx + my), oy + 13 * (my - mx));
    };
    // Back to front: screen rows first (my - mx), then left to right.
    for (int row = -(size - 1); row <= size - 1; ++row)
        for (int mx = size - 1; mx >= 0; --mx) {
            const int my = row + mx;
            if (my < 0 || my >= size)
                continue;
            const std::string p = "Pictures/Terrain/" + theme + "_";
            const bool door = mx == 4 && my == size - 1;
            if (door) {
                put(p + "floor.bmp", mx, my);
                put(p + "door_closed_ns.bmp", mx, my);
                continue;
            }
            if (!wall_at(mx, my)) {
                put(p + "floor.bmp", mx, my);
                if ((mx * 7 + my * 3) % 5 == 0)
                    put(p + "floor_crack.bmp", mx, my);
                if ((mx * 5 + my) % 7 == 0)
                    put(p + "floor_moss.bmp", mx, my);
                if (mx == 2 && my == 2)
                    put(p + "chest_closed.bmp", mx, my);
                if (mx == 6 && my == 5) {
                    put(p + "pillar.bmp", mx, my);
                    put(p + "pillar_top.bmp", mx, my);
                }
                if (mx == 2 && my == 6)
                    put(p + "bones.bmp", mx, my);
                if (mx == 6 && my == 2)
                    put(p + "brazier.bmp", mx, my);
                if (mx == 4 && my == 5)
                    put("Pictures/Monsters/HumanFighter1.bmp", mx, my);
                if (mx == 5 && my == 6)
                    put("Pictures/Monsters/restless_bones.bmp", mx, my);
                continue;
            }
            std::string suffix;
            const bool n = my > 0 && wall_at(mx, my - 1), e = mx < size - 1 && wall_at(mx + 1, my),
                       s = (my < size - 1 && wall_at(mx, my + 1)) || (mx == 4 && my == size - 2),
                       w = mx > 0 && wall_at(mx - 1, my);
            const int count = n + e + s + w;
            if (count >= 2)
                suffix =
                    std::string(n ? "n" : "") + (e ? "e" : "") + (s ? "s" : "") + (w ? "w" : "");
            else
                suffix = s ? "n" : w ? "e" : n ? "s" : e ? "w" : "nesw";
            put(p + "wall_" + suffix + ".bmp", mx, my);
            if (my != size - 1 && mx != 0)
                put(p + "wall_" + suffix + "_top.bmp", mx, my);
        }
    return scene;
}

} // namespace

bool Forge_Contact_Sheets(const std::string& out_dir, std::vector<std::string>& log) {
    std::map<std::string, std::vector<std::pair<std::string, TCanvas>>> groups;
    std::map<std::string, TCanvas> made;
    for (const TPicture_Entry& e : All_Pictures()) {
        made[e.folder + "/" + e.name] = e.make();
        groups[e.group].emplace_back(e.name, doubled(made[e.folder + "/" + e.name]));
    }
    for (const char* theme : {"town", "cave", "crypt"})
        groups["scenes"].emplace_back(std::string(theme) + " room",
                                      doubled(room_scene(made, theme)));

    bool ok = true;
    constexpr int max_width = 2400, gap = 12, label_h = 12;
    for (auto& [group, pictures] : groups) {
        // Shelf packing: left to right, a new shelf when the row is full.
        std::vector<std::pair<int, int>> at;
        int x = gap, y = gap, shelf = 0, width = 0;
        for (const auto& [name, pic] : pictures) {
            if (x > gap && x + pic.Width() + gap > max_width) {
                x = gap;
                y += shelf + label_h + gap;
                shelf = 0;
            }
            at.emplace_back(x, y);
            x += std::max(pic.Width(), Text_Width(name)) + gap;
            width = std::max(width, x);
            shelf = std::max(shelf, pic.Height());
        }
        TCanvas sheet(width, y + shelf + label_h + gap, Rgb(60, 56, 52));
        for (size_t i = 0; i < pictures.size(); ++i) {
            sheet.Blit(pictures[i].second, at[i].first, at[i].second);
            Draw_Text(sheet, at[i].first, at[i].second + pictures[i].second.Height() + 3,
                      pictures[i].first, Rgb(240, 240, 240));
        }
        std::string error;
        const std::string path = join(out_dir, ".", "contact_" + group + ".png");
        if (!Write_File_Atomic(path, Encode_PNG(sheet), error)) {
            log.push_back(error);
            ok = false;
        } else {
            log.push_back("Wrote " + path);
        }
    }
    return ok;
}
