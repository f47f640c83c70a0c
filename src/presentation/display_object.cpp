#include "presentation/display_object.h"

#include <algorithm>

#include "presentation/bmp_file.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "rules/display_effects.h"
#include "rules/item.h"
#include "rules/monster.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/services.h"
#include "world/map.h"

std::unique_ptr<TDisplay_Object> Display_Object;

namespace {

constexpr const char* sys_pics = "Pictures\\SysPics\\";

std::string system_picture(const std::string& name) {
    if (Path_Settings)
        return Path_Settings->Get_System_Picture(name);
    return App_Dir + sys_pics + name;
}

std::string sheet_picture(const TPicture_Sheet& sheet, const std::string& name) {
    const std::string folder = sheet.Kind == "terrain"   ? "Pictures\\Terrain\\"
                               : sheet.Kind == "monster" ? "Pictures\\Monsters\\"
                                                         : "Pictures\\Items\\";
    if (!Path_Settings)
        return App_Dir + folder + name;
    if (sheet.Kind == "terrain")
        return Path_Settings->Get_Terrain_Picture(name);
    if (sheet.Kind == "monster")
        return Path_Settings->Get_Monster_Picture(name);
    return Path_Settings->Get_Item_Picture(name);
}

void log(const std::string& text) {
    Debug_Log("General", text);
}

const std::array<const char*, Border_Count> border_names = {
    "Border_N.bmp",   "Border_E.bmp",    "Border_S.bmp",   "Border_W.bmp",   "Border_ES.bmp",
    "Border_ESW.bmp", "Border_EW.bmp",   "Border_NE.bmp",  "Border_NES.bmp", "Border_NEW.bmp",
    "Border_NS.bmp",  "Border_NSEW.bmp", "Border_NSW.bmp", "Border_NW.bmp",  "Border_SW.bmp"};

// The items lying on a square, bottom first.
template <class F> void for_each_item(TMap& map, const TMap_Square& square, F&& f) {
    if (square.Item == 0)
        return;
    if (square.Is_Pile()) {
        if (const TItem_Collection* pile = map.Get_Collection(square.Item))
            for (int32_t i = 1; i <= pile->Count(); ++i)
                if (const TItem* item = pile->Get(i, map.Item_List))
                    f(*item);
    } else if (const TItem* item = map.Item_List.Get(square.Item)) {
        f(*item);
    }
}

} // namespace

int TPicture_Sheet::Slot_Of(const std::string& name) const {
    const auto found = Slots.find(name);
    return found == Slots.end() ? -1 : found->second;
}

bool TPicture_Sheet::Cell_Of(int slot, int& x, int& y) const {
    if (slot < 0 || slot >= static_cast<int>(Names.size()) || Per_Row <= 0)
        return false;
    x = (slot % Per_Row) * Cell;
    y = (slot / Per_Row) * Cell;
    return true;
}

TDisplay_Object::TDisplay_Object() {
    f_Terrain = {"terrain", -1, 1080, 1080, Square_Pixels, 20, 400, {}, {}};
    f_Monster = {"monster", -1, 1080, 540, Square_Pixels, 20, 200, {}, {}};
    f_Item = {"item", -1, 960, 960, Item_Pixels, 30, 900, {}, {}};
    for (int n = 0; n < Border_Count; ++n)
        f_Border_Images[size_t(n)] = border_names[size_t(n)];
    f_Border_Slots.fill(-1);
}

TDisplay_Object::~TDisplay_Object() {
    Free_Game_Bitmaps();
}

bool TDisplay_Object::Alloc_Virtual_Buffer(const std::string& Name, int& Handle, bool Show_Error,
                                           bool Try_Video, int Height, int Width) {
    log("TDisplay_Object.Alloc_Virtual_Buffer - Start");
    log("  Buffer Name:   " + Name);
    log("  Buffer Width:  " + std::to_string(Width));
    log("  Buffer Height: " + std::to_string(Height));
    Handle = -1;
    if (Try_Video && !f_Video_Memory_Failed) {
        log("  fg_ddmemory(1)");
        fg_ddmemory(1);
        Handle = fg_vballoc(Width, Height);
        if (Handle < 0) {
            f_Video_Memory_Failed = true;
            log("  VIDMEM - Error allocating virtual buffer: " + Name);
            log("  fg_vballoc = " + std::to_string(Handle));
        }
    }
    if (Handle < 0) {
        log("  fg_ddmemory(0)");
        fg_ddmemory(0);
        Handle = fg_vballoc(Width, Height);
        if (Handle < 0) {
            log("  SYSMEM - Error allocating virtual buffer: " + std::to_string(Handle));
            if (Show_Error)
                Show_Message_Box("Error", "Error allocating virtual buffer: " + Name);
        }
    }
    return Handle >= 0;
}

void TDisplay_Object::Change_All_Pink_To_Black(int Buffer) {
    log("TDisplay_Object.Change_All_Pink_To_Black - Begin");
    Pink_To_Black(Buffer);
    log("TDisplay_Object.Change_All_Pink_To_Black - End");
}

bool TDisplay_Object::load_system_picture(const std::string& Name, const std::string& Path,
                                          int& Handle) {
    TVirtual_Buffer image;
    std::string error;
    if (Path.empty() || !Load_BMP_File(Path, image, error)) {
        log(error);
        Show_Message_Box("Error", "Unable to load bitmap " + Path + ".");
        return false;
    }
    if (!Alloc_Virtual_Buffer(Name, Handle, true, true, image.height, image.width))
        return false;
    Buffer_Of(Handle)->pixels = std::move(image.pixels);
    Change_All_Pink_To_Black(Handle);
    return true;
}

bool TDisplay_Object::alloc_sheet(TPicture_Sheet& Sheet, const std::string& Name) {
    Sheet.Names.clear();
    Sheet.Slots.clear();
    return Alloc_Virtual_Buffer(Name, Sheet.Buffer, true, true, Sheet.Height, Sheet.Width);
}

bool TDisplay_Object::Create_Game_Bitmaps() {
    Free_Game_Bitmaps();
    struct TSystem_Picture {
        int* handle;
        const char* name;
        const char* file;
        int image_set;
    };
    const TSystem_Picture pictures[] = {
        {&f_Display_Misc_VB, "f_Display_Misc_VB", "misc.bmp", 0},
        {&f_Display_General_VB, "f_Display_General_VB", "gen.bmp", 0},
        {&f_Display_Gen_Tiles_VB, "f_Display_Gen_Tiles_VB", "tilegen.bmp", 0},
        {&f_Display_Damage_FX_VB, "f_Display_Damage_FX_VB", "DamageFX.bmp", 0},
        {&f_Display_Spells_VB, "f_Display_Spells_VB", "Spells.bmp", 0},
        {&f_Display_Spells_Containers_VB, "f_Display_Spells_Containers_VB", "SpellContainers.bmp",
         10},
        {&f_Display_Window_Buttons_VB, "f_Display_Window_Buttons_VB", "ButtonsSmallSquare.bmp", 1},
        {&f_Display_Main_Round_Buttons_VB, "f_Display_Main_Round_Buttons_VB",
         "ButtonsMainRound.bmp", 2},
        {&f_Display_Small_Arrow_Buttons_VB, "f_Display_Small_Arrow_Buttons_VB", "ButtonsArrows.bmp",
         3},
        {&f_Display_Square_Icon_Buttons_VB, "f_Display_Square_Icon_Buttons_VB",
         "ButtonsSquareIcons.bmp", 4},
        {&f_Display_Square_Frames_Buttons_VB, "f_Display_Square_Frames_Buttons_VB",
         "ButtonsSquareFrames.bmp", 5},
        {&f_Display_Long_Square_Text_Buttons_VB, "f_Display_Long_Square_Text_Buttons_VB",
         "ButtonsLongSquareText.bmp", 6},
        {&f_Display_Long_Rounded_Text_Buttons_VB, "f_Display_Long_Rounded_Text_Buttons_VB",
         "ButtonsLongRoundedText.bmp", 7},
        {&f_Display_Named_Square_Buttons_VB, "f_Display_Named_Square_Buttons_VB",
         "ButtonsSquareNamed.bmp", 8},
        {&f_Display_Blank_Named_Square_Buttons_VB, "f_Display_Blank_Named_Square_Buttons_VB",
         "ButtonsSquareNamedBlank.bmp", 9},
    };
    bool ok = Alloc_Virtual_Buffer("f_Tile_Hit_Workarea_VB", f_Tile_Hit_Workarea_VB, true, true,
                                   Square_Pixels, Square_Pixels);
    for (const TSystem_Picture& picture : pictures) {
        if (!ok)
            break;
        ok = load_system_picture(picture.name, system_picture(picture.file), *picture.handle);
        if (ok && picture.image_set != 0)
            Set_Button_Strip(picture.image_set, *picture.handle);
    }
    ok = ok && alloc_sheet(f_Terrain, "f_Display_Terrain_VB") &&
         alloc_sheet(f_Monster, "f_Display_Monster_VB") && alloc_sheet(f_Item, "f_Display_Item_VB");
    if (!ok) {
        Show_Message_Box("Error", "Unable to load Display_Object bitmaps.");
        Free_Game_Bitmaps();
        return false;
    }
    make_square_mask();
    f_Pointer_Enabled = true;
    // A missing effect picture only leaves its effects undrawn.
    Load_Effect_Bitmaps();
    return true;
}

void TDisplay_Object::Free_Game_Bitmaps() {
    for (int* handle :
         {&f_Tile_Hit_Workarea_VB, &f_Display_Misc_VB, &f_Display_General_VB,
          &f_Display_Gen_Tiles_VB, &f_Display_Damage_FX_VB, &f_Display_Spells_VB,
          &f_Display_Spells_Containers_VB, &f_Display_Window_Buttons_VB,
          &f_Display_Main_Round_Buttons_VB, &f_Display_Small_Arrow_Buttons_VB,
          &f_Display_Square_Icon_Buttons_VB, &f_Display_Square_Frames_Buttons_VB,
          &f_Display_Long_Square_Text_Buttons_VB, &f_Display_Long_Rounded_Text_Buttons_VB,
          &f_Display_Named_Square_Buttons_VB, &f_Display_Blank_Named_Square_Buttons_VB,
          &f_Terrain.Buffer, &f_Monster.Buffer, &f_Item.Buffer}) {
        if (*handle >= 0)
            fg_vbfree(*handle);
        *handle = -1;
    }
    for (int handle : f_Effect_Buffers)
        if (handle >= 0)
            fg_vbfree(handle);
    f_Effect_Buffers.clear();
    for (TPicture_Sheet* sheet : {&f_Terrain, &f_Monster, &f_Item}) {
        sheet->Names.clear();
        sheet->Slots.clear();
    }
    f_Border_Slots.fill(-1);
    for (int set = 1; set <= Button_Image_Sets; ++set)
        Set_Button_Strip(set, -1);
    f_Pointer_Enabled = false;
    mask_.fill(false);
}

bool TDisplay_Object::Load_Effect_Bitmaps() {
    for (int handle : f_Effect_Buffers)
        if (handle >= 0)
            fg_vbfree(handle);
    f_Effect_Buffers.clear();
    bool ok = true;
    for (const std::string& name : Display_Effects.Bitmap_Names) {
        int handle = -1;
        if (!load_system_picture("Effect Bitmap " + name, system_picture(name), handle)) {
            ok = false;
            handle = -1;
        }
        f_Effect_Buffers.push_back(handle);
    }
    return ok;
}

void TDisplay_Object::make_square_mask() {
    mask_.fill(false);
    const TVirtual_Buffer* gen = Buffer_Of(f_Display_General_VB);
    if (!gen)
        return;
    for (int y = 0; y < Square_Pixels && y < gen->height; ++y)
        for (int x = 0; x < Square_Pixels && 216 + x < gen->width; ++x)
            mask_[size_t(y * Square_Pixels + x)] =
                gen->pixels[size_t(y) * size_t(gen->width) + size_t(216 + x)] != 0;
}

bool TDisplay_Object::stage_images(const TPicture_Sheet& Sheet,
                                   const std::vector<std::string>& Names,
                                   const std::string& Map_Name, bool Reload_All,
                                   TStaged_Pictures& Staged) const {
    Staged.Reload_All = Reload_All;
    Staged.Names = Reload_All ? std::vector<std::string>() : Sheet.Names;
    Staged.Slots = Reload_All ? std::unordered_map<std::string, int>() : Sheet.Slots;
    Staged.First_New = Staged.Names.size();
    for (const std::string& name : Names)
        if (Staged.Slots.emplace(name, static_cast<int>(Staged.Names.size())).second)
            Staged.Names.push_back(name);
    if (static_cast<int>(Staged.Names.size()) > Sheet.Capacity) {
        Show_Message_Box("Error", "Too many " + Sheet.Kind + " images used in map \"" + Map_Name +
                                      "\". " + std::to_string(Staged.Names.size()) +
                                      " of a possible " + std::to_string(Sheet.Capacity) +
                                      " are required for this map.");
        return false;
    }
    // Every picture is read before the buffer changes, so a missing one leaves the
    // pictures of the map being played as they were.
    Staged.Images.assign(Staged.Names.size() - Staged.First_New, TVirtual_Buffer());
    for (size_t i = Staged.First_New; i < Staged.Names.size(); ++i) {
        const std::string path = sheet_picture(Sheet, Staged.Names[i]);
        std::string error;
        if (path.empty() || !Load_BMP_File(path, Staged.Images[i - Staged.First_New], error)) {
            log(error);
            Show_Message_Box("Error", "Unable to load bitmap \"" +
                                          (path.empty() ? Staged.Names[i] : path) + "\".");
            return false;
        }
    }
    return Buffer_Of(Sheet.Buffer) != nullptr;
}

void TDisplay_Object::commit_images(TPicture_Sheet& Sheet, TStaged_Pictures& Staged) {
    TVirtual_Buffer* buffer = Buffer_Of(Sheet.Buffer);
    if (!buffer)
        return;
    if (Staged.Reload_All)
        std::fill(buffer->pixels.begin(), buffer->pixels.end(), 0);
    Sheet.Names = std::move(Staged.Names);
    Sheet.Slots = std::move(Staged.Slots);
    for (size_t i = 0; i < Staged.Images.size(); ++i) {
        int cell_x = 0, cell_y = 0;
        Sheet.Cell_Of(static_cast<int>(Staged.First_New + i), cell_x, cell_y);
        const TVirtual_Buffer& image = Staged.Images[i];
        // A picture larger than its cell is cut at the cell's edge.
        for (int y = 0; y < Sheet.Cell && y < image.height && cell_y + y < buffer->height; ++y)
            for (int x = 0; x < Sheet.Cell && x < image.width && cell_x + x < buffer->width; ++x)
                buffer->pixels[size_t(cell_y + y) * size_t(buffer->width) + size_t(cell_x + x)] =
                    image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
    }
    Change_All_Pink_To_Black(Sheet.Buffer);
}

bool TDisplay_Object::load_images(TPicture_Sheet& Sheet, const std::vector<std::string>& Names,
                                  const std::string& Map_Name, bool Reload_All) {
    TStaged_Pictures staged;
    if (!stage_images(Sheet, Names, Map_Name, Reload_All, staged))
        return false;
    commit_images(Sheet, staged);
    return true;
}

bool TDisplay_Object::Load_Terrain_Images(const std::vector<std::string>& Names,
                                          const std::string& Map_Name, bool Reload_All) {
    return load_images(f_Terrain, Names, Map_Name, Reload_All);
}

bool TDisplay_Object::Load_Monster_Images(const std::vector<std::string>& Names,
                                          const std::string& Map_Name, bool Reload_All) {
    return load_images(f_Monster, Names, Map_Name, Reload_All);
}

bool TDisplay_Object::Load_Item_Images(const std::vector<std::string>& Names,
                                       const std::string& Map_Name, bool Reload_All) {
    return load_images(f_Item, Names, Map_Name, Reload_All);
}

bool TDisplay_Object::Load_Map_Pictures(TMap& Map, bool Reload_All) {
    std::vector<std::string> terrain, monster, item;
    auto add = [](std::vector<std::string>& names, const std::string& name) {
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    };
    for (int32_t slot = 1; slot <= Map.Terrains.Count(); ++slot)
        if (const TTerrain* t = Map.Terrains.Get_Terrain(slot))
            for (int32_t layer = 1; layer <= 3; ++layer)
                add(terrain, t->Get_Picture_Filename(layer));
    for (const std::string& border : f_Border_Images)
        add(terrain, border);
    for (int32_t n = 1; n <= Map.Monster_List.Count(); ++n)
        if (const TMonster* m = Map.Monster_List.Get(n)) {
            add(monster, m->Picture_Filename);
            add(monster, m->Attack_Picture_Filename);
        }
    for (int32_t n = 1; n <= Map.Item_List.Count(); ++n)
        if (const TItem* i = Map.Item_List.Get(n))
            add(item, i->Picture_Filename);

    const std::string map_name = Map.Display_Name;
    // The three buffers change together or not at all.
    TStaged_Pictures staged_terrain, staged_monster, staged_item;
    if (!stage_images(f_Terrain, terrain, map_name, Reload_All, staged_terrain) ||
        !stage_images(f_Monster, monster, map_name, Reload_All, staged_monster) ||
        !stage_images(f_Item, item, map_name, Reload_All, staged_item))
        return false;
    commit_images(f_Terrain, staged_terrain);
    commit_images(f_Monster, staged_monster);
    commit_images(f_Item, staged_item);
    for (int n = 0; n < Border_Count; ++n)
        f_Border_Slots[size_t(n)] = f_Terrain.Slot_Of(f_Border_Images[size_t(n)]);
    auto index = [](const TPicture_Sheet& sheet, const std::string& name) {
        return name.empty() ? 0 : sheet.Slot_Of(name) + 1;
    };
    for (int32_t slot = 1; slot <= Map.Terrains.Count(); ++slot)
        if (TTerrain* t = Map.Terrains.Get_Terrain(slot))
            for (int32_t layer = 1; layer <= 3; ++layer)
                t->Set_Picture_Index(
                    layer, static_cast<uint16_t>(index(f_Terrain, t->Get_Picture_Filename(layer))));
    for (int32_t n = 1; n <= Map.Monster_List.Count(); ++n)
        if (TMonster* m = Map.Monster_List.Get(n)) {
            m->Picture_Index = static_cast<uint16_t>(index(f_Monster, m->Picture_Filename));
            m->Attack_Picture_Index =
                static_cast<uint16_t>(index(f_Monster, m->Attack_Picture_Filename));
        }
    for (int32_t n = 1; n <= Map.Item_List.Count(); ++n)
        if (TItem* i = Map.Item_List.Get(n))
            i->Picture_Index = index(f_Item, i->Picture_Filename);
    return true;
}

bool TDisplay_Object::Square_Mask(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= Square_Pixels || Y >= Square_Pixels)
        return false;
    return mask_[size_t(Y * Square_Pixels + X)];
}

bool TDisplay_Object::Square_Content_Hit(int X, int Y, TMap& Map, const TMap_Square& Square) {
    const int previous = Active_Buffer();
    if (fg_vbopen(f_Tile_Hit_Workarea_VB) < 0)
        return false;
    Set_Colour(0);
    Clear_Buffer();
    Draw_Terrain_Layers(Map, Square, 0, 0, 0, f_Tile_Hit_Workarea_VB);
    for_each_item(Map, Square, [&](const TItem& item) {
        Draw_Item(item.Picture_Index - 1, 0, 0, true, f_Tile_Hit_Workarea_VB);
    });
    const bool hit =
        X >= 0 && Y >= 0 && X < Square_Pixels && Y < Square_Pixels && Read_Pixel(X, Y) != 0;
    fg_vbopen(previous);
    return hit;
}

// ---- drawing ----

void TDisplay_Object::copy(int Source, int Min_X, int Min_Y, int Width, int Height, int X, int Y,
                           int Buffer) const {
    if (f_Actions_Disabled || Source < 0 || Width <= 0 || Height <= 0)
        return;
    Copy_Rect_Transparent(Min_X, Min_X + Width - 1, Min_Y, Min_Y + Height - 1, X, Y + Height - 1,
                          Source, Buffer);
}

void TDisplay_Object::Draw_Terrain(int Slot, int X, int Y, int Buffer) const {
    int sx = 0, sy = 0;
    if (f_Terrain.Cell_Of(Slot, sx, sy))
        copy(f_Terrain.Buffer, sx, sy, Square_Pixels, Square_Pixels, X, Y, Buffer);
}

void TDisplay_Object::Draw_Border(int Border, int X, int Y, int Buffer) const {
    if (Border >= 1 && Border <= Border_Count)
        Draw_Terrain(f_Border_Slots[size_t(Border - 1)], X, Y, Buffer);
}

void TDisplay_Object::Draw_Monster(int Slot, int X, int Y, int Buffer) const {
    int sx = 0, sy = 0;
    if (f_Monster.Cell_Of(Slot, sx, sy))
        copy(f_Monster.Buffer, sx, sy, Square_Pixels, Square_Pixels, X, Y, Buffer);
}

void TDisplay_Object::Draw_Item(int Slot, int X, int Y, bool Centred, int Buffer) const {
    int sx = 0, sy = 0;
    if (f_Item.Cell_Of(Slot, sx, sy))
        copy(f_Item.Buffer, sx, sy, Item_Pixels, Item_Pixels, X + (Centred ? 11 : 0),
             Y + (Centred ? 16 : 0), Buffer);
}

void TDisplay_Object::Draw_Damage(int Row, int Frame, int X, int Y, bool Centred,
                                  int Buffer) const {
    if (Row < 0 || Frame < 0 || Frame > 2)
        return;
    const int cell = Row * 3 + Frame;
    copy(f_Display_Damage_FX_VB, (cell % 3) * 32, (cell / 3) * 32, 32, 32, X + (Centred ? 11 : 0),
         Y + (Centred ? 9 : 0), Buffer);
}

void TDisplay_Object::Draw_Darkness(int Level, int X, int Y, int Buffer) const {
    if (Level >= 1 && Level <= 3)
        copy(f_Display_Gen_Tiles_VB, (Level - 1) * Square_Pixels, 0, Square_Pixels, Square_Pixels,
             X, Y, Buffer);
}

void TDisplay_Object::Draw_Grid(int X, int Y, int Buffer) const {
    copy(f_Display_Gen_Tiles_VB, 5 * Square_Pixels, 0, Square_Pixels, Square_Pixels, X, Y, Buffer);
}

void TDisplay_Object::Draw_Pointer(int X, int Y, int Buffer) const {
    if (!f_Hide_Pointer && f_Pointer_Enabled)
        copy(f_Display_General_VB, 128, 0, 32, 32, X, Y, Buffer);
}

void TDisplay_Object::Draw_Small_Icon(int K, int X, int Y, int Buffer) const {
    if (K >= 0)
        copy(f_Display_General_VB, 160 + 32 * K, 0, 17, 17, X, Y, Buffer);
}

// The 32 x 32 pictures lie in the row from y 64, below the square's shape (x 216..269 of
// the top row).
constexpr int marker_top = 64;

void TDisplay_Object::Draw_Icon_32(int X, int Y, int Buffer) const {
    copy(f_Display_General_VB, 224, marker_top, 32, 32, X, Y, Buffer);
}

void TDisplay_Object::Draw_Secret_Door(int X, int Y, bool Centred, int Buffer) const {
    copy(f_Display_General_VB, 256, marker_top, 32, 32, X + (Centred ? 11 : 0),
         Y + (Centred ? 16 : 0), Buffer);
}

void TDisplay_Object::Draw_Sensed_Creature(int X, int Y, bool Centred, int Buffer) const {
    copy(f_Display_General_VB, 288, marker_top, 32, 32, X + (Centred ? 11 : 0),
         Y + (Centred ? 13 : 0), Buffer);
}

void TDisplay_Object::Draw_Bar(int Bar, int X, int Y, int Buffer, int Shown_Width) const {
    static constexpr int widths[] = {134, 111, 134}, heights[] = {20, 23, 28}, tops[] = {0, 20, 43};
    if (Bar < 1 || Bar > 3)
        return;
    const int full = widths[Bar - 1];
    const int width = Shown_Width < 0 ? full : std::min(Shown_Width, full);
    copy(f_Display_Misc_VB, 0, tops[Bar - 1], width, heights[Bar - 1], X, Y, Buffer);
}

void TDisplay_Object::Draw_Small_Icon_Row_1(int Index, int X, int Y, int Buffer) const {
    if (Index >= 0)
        copy(f_Display_Misc_VB, Index * 23, 71, 23, 23, X, Y, Buffer);
}

void TDisplay_Object::Draw_Small_Icon_Row_2(int Index, int X, int Y, int Buffer) const {
    if (Index >= 0)
        copy(f_Display_Misc_VB, (Index % 8) * 23, 94 + (Index / 8) * 23, 23, 23, X, Y, Buffer);
}

void TDisplay_Object::Draw_Spell_Icon(int N, bool Pressed, int X, int Y, int Buffer) const {
    if (N >= 0)
        copy(f_Display_Spells_VB, (N % 18) * 38, (N / 18) * 38, 38, 38, X + (Pressed ? 2 : 0),
             Y + (Pressed ? 2 : 0), Buffer);
}

void TDisplay_Object::Draw_Spell_Slot_Frame(int Row, int Column, int X, int Y, int Buffer) const {
    if (Row >= 0 && Column >= 0)
        copy(f_Display_Spells_Containers_VB, Column * 38, Row * 38, 38, 38, X, Y, Buffer);
}

void TDisplay_Object::Draw_Effect_Frame(const TDisplay_Effect& Effect, int Frame, int X, int Y,
                                        int Buffer) const {
    // No frames per line names no frame at all.
    if (Effect.Frames_Per_Line == 0 || Frame < 1)
        return;
    if (Effect.Bitmap_Index < 1 || Effect.Bitmap_Index > f_Effect_Buffers.size())
        return;
    const int column = (Frame - 1) % Effect.Frames_Per_Line;
    const int row = (Frame - 1) / Effect.Frames_Per_Line;
    const int width = Effect.Picture_Width, height = Effect.Picture_Height;
    const int left = Effect.Start_X * Effect.Square_X_Offset + width * column;
    const int top = Effect.Start_Y * Effect.Square_Y_Offset + height * row;
    copy(f_Effect_Buffers[Effect.Bitmap_Index - 1], left, top, width, height,
         X + (Square_Pixels - width) / 2, Y + (Square_Pixels - height) / 2 - 2, Buffer);
}

TColour TDisplay_Object::Colour_From_Packed(uint32_t Packed) {
    return Colour_RGB(int(Packed & 255), int((Packed >> 8) & 255), int((Packed >> 16) & 255));
}

// ---- the world's things ----

void Draw_Item(const TItem& Item, int Buffer, int X, int Y, bool Large) {
    if (!Display_Object || Display_Object->f_Actions_Disabled)
        return;
    Display_Object->Draw_Item(Item.Picture_Index - 1, X, Y, false, Buffer);
    if (Item.Quantity <= 1)
        return;
    const std::string count = std::to_string(Item.Quantity);
    const int tx = X + (Large ? 42 : 33), ty = Y + (Large ? 51 : 37);
    Text_Begin(Buffer);
    Set_Font(1);
    Set_Justify(1, 4);
    Set_Text_Colour(10, 10, 10);
    Print_At(tx, ty, count);
    Set_Text_Colour(255, 255, 255);
    Print_At(tx - 1, ty - 1, count);
    Text_End();
}

void Draw_Creature(const TMonster& Creature, int X, int Y, int Buffer) {
    if (Display_Object)
        Display_Object->Draw_Monster(Creature.Picture_Index - 1, X, Y, Buffer);
}

void Draw_Terrain_Layers(const TMap& Map, const TMap_Square& Square, int X, int Y, int Hidden_Layer,
                         int Buffer) {
    const TTerrain* terrain = Square.Get_Terrain(Map);
    if (!terrain || !Display_Object)
        return;
    const TDisplay_Object& display = *Display_Object;
    if (!terrain->Get_Picture_Filename(1).empty())
        display.Draw_Terrain(terrain->Picture_Index[0] - 1, X, Y, Buffer);
    if (Square.Overlay != 0)
        display.Draw_Border(Square.Overlay, X, Y, Buffer);
    for (int layer = 2; layer <= 3; ++layer)
        if (!terrain->Get_Picture_Filename(layer).empty() && Hidden_Layer != layer)
            display.Draw_Terrain(terrain->Picture_Index[size_t(layer - 1)] - 1, X, Y, Buffer);
}

void Draw_In_Sight(TMap& Map, TMap_Square& Square, int X, int Y, int32_t Dy, int32_t Dx,
                   bool In_Sight, const TMonster* Player, int Buffer) {
    const int hidden = Square.Hidden_Layer(Map, Dx, Dy, In_Sight);
    Draw_Terrain_Layers(Map, Square, X, Y, hidden, Buffer);
    if (!In_Sight || !Display_Object)
        return;
    for_each_item(Map, Square, [&](const TItem& item) {
        Display_Object->Draw_Item(item.Picture_Index - 1, X, Y, true, Buffer);
    });
    if (const TMonster* creature = Square.Get_Monster(Map))
        Draw_Creature(*creature, X, Y, Buffer);
    if (hidden != 3 && Square.Detect_Secret_Door(Map, Player))
        Display_Object->Draw_Secret_Door(X, Y, true, Buffer);
}

void Draw_Plain(TMap& Map, const TMap_Square& Square, int X, int Y, int Buffer) {
    Draw_Terrain_Layers(Map, Square, X, Y, 0, Buffer);
    if (!Display_Object)
        return;
    for_each_item(Map, Square, [&](const TItem& item) {
        Display_Object->Draw_Item(item.Picture_Index - 1, X, Y, true, Buffer);
    });
    if (const TMonster* creature = Square.Get_Monster(Map))
        Draw_Creature(*creature, X, Y, Buffer);
}
