#include "game/dlg_tilegen.h"

#include <algorithm>

#include "game/dlg_mapgen.h"
#include "game/dlg_select_module.h"
#include "game/main_screen.h"
#include "generation/map_digging.h"
#include "platform/files.h"
#include "platform/names.h"
#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/dlg_select_file.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "world/map.h"
#include "world/module_definition.h"

TDC_Dlg_TileGen::TDC_Dlg_TileGen(TDC_Main& Main, bool Wide, bool High)
    : f_Main(Main), f_Width(Wide ? 2 * Tile_Section_Size : Tile_Section_Size),
      f_Height(High ? 2 * Tile_Section_Size : Tile_Section_Size) {
    for (std::vector<uint16_t>& slot : f_Memory)
        slot.assign(size_t(f_Width) * size_t(f_Height), 0);
    f_Background = Load_Dialog_Background("Dlg_MapGen.bmp", 800, 600);
    f_File_List = &Make_Child<TDC_List>();
    f_Terrain_List = &Make_Child<TDC_List>();
    for (TDC_List* list : {f_File_List, f_Terrain_List}) {
        list->Set_Back_Colour(20, 20, 20);
        list->Set_Visible(true);
    }
    f_Load_Terrain = &Make_Child<TDC_Text_Button>();
    f_Choose_Module = &Make_Child<TDC_Text_Button>();
    f_Load_Tile = &Make_Child<TDC_Text_Button>();
    f_Save_Tile = &Make_Child<TDC_Text_Button>();
    f_Load_Terrain->f_Caption = "Load Terrain File";
    f_Load_Terrain->f_Font = 3; // the long caption fits the plate in the smaller font
    f_Choose_Module->f_Caption = "Choose Module";
    f_Load_Tile->f_Caption = "Load Tile";
    f_Save_Tile->f_Caption = "Save Tile";
    for (TDC_Text_Button* button : {f_Load_Terrain, f_Choose_Module, f_Load_Tile, f_Save_Tile}) {
        button->Set_Image_Set(6);
        button->Set_Visible(true);
    }
    f_Load_Terrain->OnClick = [this](const std::string&) { Load_Terrain_File(); };
    f_Choose_Module->OnClick = [this](const std::string&) {
        if (!Find_Child("Dlg Select Module"))
            Open_Dialog<TDC_Dlg_Select_Module>("Dlg Select Module", true, f_Main);
    };
    f_Load_Tile->OnClick = [this](const std::string&) {
        if (!Find_Child("Dlg Select File"))
            Open_Dialog<TDC_Dlg_SelectFile>("Dlg Select File", true,
                                            Files_With_Extension(App_Dir, ".txt"));
    };
    f_Save_Tile->OnClick = [this](const std::string&) {
        std::vector<std::string> written;
        std::string error;
        if (Save_Tile(written, error)) {
            std::string names;
            for (const std::string& name : written)
                names += (names.empty() ? "" : ", ") + name;
            f_Main.Show_Message("Save Tile",
                                "The tile was saved as " + names + " in " + App_Dir + ".");
        } else {
            f_Main.Show_Message("Save Tile", error);
        }
    };
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    f_View.Show_Everything = true;
    f_View.Grid_Filter = [this](int32_t mx, int32_t my) {
        return mx > Tile_Grid_Offset && mx <= Tile_Grid_Offset + f_Width && my > Tile_Grid_Offset &&
               my <= Tile_Grid_Offset + f_Height;
    };
    if (Current_Map) {
        Current_Map->Clear(true);
        Current_Map->Make_Current();
        Current_Map->Set_Universal_Light(true);
    }
    Fill_File_List();
    f_Status = "A grid of " + std::to_string(f_Width) + " x " + std::to_string(f_Height) +
               " squares: choose a module and one of its terrain files.";
}

TDC_Dlg_TileGen::~TDC_Dlg_TileGen() {
    fg_vbfree(f_Background);
}

uint16_t TDC_Dlg_TileGen::Grid_At(int32_t I, int32_t J) const {
    if (!Current_Map || I < 1 || I > f_Width || J < 1 || J > f_Height)
        return 0;
    return Current_Map->Get_Square(Tile_Grid_Offset + I, Tile_Grid_Offset + J)->Terrain;
}

void TDC_Dlg_TileGen::Set_Grid(int32_t I, int32_t J, uint16_t Slot) {
    if (!Current_Map || I < 1 || I > f_Width || J < 1 || J > f_Height)
        return;
    Current_Map->Get_Square(Tile_Grid_Offset + I, Tile_Grid_Offset + J)->Terrain = Slot;
}

TTile_Editor_Grid TDC_Dlg_TileGen::Grid() const {
    TTile_Editor_Grid grid(f_Width, f_Height);
    for (int32_t j = 1; j <= f_Height; ++j)
        for (int32_t i = 1; i <= f_Width; ++i)
            grid.Set(i, j, Grid_At(i, j));
    return grid;
}

void TDC_Dlg_TileGen::Put_Grid(const TTile_Editor_Grid& Grid) {
    for (int32_t j = 1; j <= f_Height; ++j)
        for (int32_t i = 1; i <= f_Width; ++i)
            Set_Grid(i, j, Grid.At(i, j));
}

void TDC_Dlg_TileGen::Fill_File_List() {
    f_File_List->Clear();
    if (!Path_Settings)
        return;
    const std::string folder = Path_Settings->Get_Tiles_Folder();
    if (folder.empty())
        return;
    for (const std::string& name : List_Files(folder))
        if (Lower_Case(name).find("_terrain") != std::string::npos)
            f_File_List->Add_Item(name);
}

bool TDC_Dlg_TileGen::Load_Terrain_File() {
    const std::string name = f_File_List->Get_Selected_Text();
    if (name.empty() || !Path_Settings || !Current_Map)
        return false;
    const std::string path = Path_Settings->Get_Tile_File(name);
    if (path.empty())
        return false;
    // The loader shows its own errors; what loaded is kept.
    Current_Map->Terrains.Load_Terrain_File(path);
    if (Display_Object)
        Display_Object->Load_Map_Pictures(*Current_Map, true);
    f_Terrain_List->Clear();
    f_Terrain_Slots.clear();
    for (uint16_t slot = 1; slot <= Current_Map->Terrains.Count(); ++slot)
        if (const TTerrain* terrain = Current_Map->Terrains.Get_Terrain(slot)) {
            f_Terrain_List->Add_Item(terrain->Name);
            f_Terrain_Slots.push_back(slot);
        }
    // Squares painted with a terrain the new list lacks are emptied.
    for (int32_t j = 1; j <= f_Height; ++j)
        for (int32_t i = 1; i <= f_Width; ++i)
            if (!Current_Map->Terrains.Get_Terrain(Grid_At(i, j)))
                Set_Grid(i, j, 0);
    f_Status = name + ": " + std::to_string(f_Terrain_Slots.size()) + " terrains.";
    return !f_Terrain_Slots.empty();
}

uint16_t TDC_Dlg_TileGen::Selected_Terrain() const {
    const int index = f_Terrain_List->Get_Selected_Index();
    return index >= 1 && index <= int(f_Terrain_Slots.size()) ? f_Terrain_Slots[size_t(index - 1)]
                                                              : 0;
}

void TDC_Dlg_TileGen::Select_Terrain(uint16_t Slot) {
    const auto found = std::find(f_Terrain_Slots.begin(), f_Terrain_Slots.end(), Slot);
    if (found == f_Terrain_Slots.end())
        return;
    const int index = int(found - f_Terrain_Slots.begin()) + 1;
    f_Terrain_List->Set_Selected_Index(index);
    f_Terrain_List->Set_Top_Index(index);
}

bool TDC_Dlg_TileGen::Stroke(TMouse_Button Button, TShift_State Shift, int X, int Y) {
    int32_t mx = 0, my = 0;
    if (!Current_Map || !f_View.Map_Square_At(X, Y, mx, my))
        return false;
    const int32_t i = mx - Tile_Grid_Offset, j = my - Tile_Grid_Offset;
    if (i < 1 || i > f_Width || j < 1 || j > f_Height)
        return false;
    if (Button == mbRight)
        Set_Grid(i, j, 0);
    else if (Shift & ssCtrl)
        Select_Terrain(Grid_At(i, j));
    else if (const uint16_t slot = Selected_Terrain())
        Set_Grid(i, j, slot);
    else
        return false;
    return true;
}

void TDC_Dlg_TileGen::Store_Memory(int N) {
    if (N < 1 || N > 10)
        return;
    std::vector<uint16_t>& slot = f_Memory[size_t(N - 1)];
    for (int32_t j = 1; j <= f_Height; ++j)
        for (int32_t i = 1; i <= f_Width; ++i)
            slot[size_t(j - 1) * size_t(f_Width) + size_t(i - 1)] = Grid_At(i, j);
}

void TDC_Dlg_TileGen::Recall_Memory(int N) {
    if (N < 1 || N > 10)
        return;
    const std::vector<uint16_t>& slot = f_Memory[size_t(N - 1)];
    for (int32_t j = 1; j <= f_Height; ++j)
        for (int32_t i = 1; i <= f_Width; ++i)
            Set_Grid(i, j, slot[size_t(j - 1) * size_t(f_Width) + size_t(i - 1)]);
}

void TDC_Dlg_TileGen::Scroll(int Dx, int Dy) {
    if ((Dx < 0 && f_Origin_X > 12) || (Dx > 0 && f_Origin_X < f_Width - 3))
        f_Origin_X += Dx;
    if ((Dy < 0 && f_Origin_Y > 12) || (Dy > 0 && f_Origin_Y < f_Height - 3))
        f_Origin_Y += Dy;
}

bool TDC_Dlg_TileGen::Save_Tile(std::vector<std::string>& Written, std::string& Error) {
    const TTerrain_List* terrains = Current_Map ? &Current_Map->Terrains : nullptr;
    return Save_Tile_Files(
        Grid(),
        [terrains](uint16_t slot) {
            const TTerrain* terrain = terrains ? terrains->Get_Terrain(slot) : nullptr;
            return terrain ? terrain->Categories : std::vector<std::string>();
        },
        App_Dir, Written, Error);
}

bool TDC_Dlg_TileGen::Load_Tile(const std::string& Name, std::string& Error) {
    if (!Current_Map || !Is_Plain_Name(Name)) {
        Error = "\"" + Name + "\" is not a file of the game folder.";
        return false;
    }
    TTerrain_Category_Cache cache;
    Cache_Terrain_Categories(*Current_Map, cache);
    const TTerrain_List& terrains = Current_Map->Terrains;
    // The terrain with exactly these categories; else one that has them all, as the
    // level digger chooses.
    auto terrain_of = [&](const std::vector<std::string>& categories) -> uint16_t {
        std::vector<std::string> wanted = categories;
        std::sort(wanted.begin(), wanted.end());
        for (uint16_t slot = 1; slot <= terrains.Count(); ++slot)
            if (const TTerrain* terrain = terrains.Get_Terrain(slot)) {
                std::vector<std::string> has = terrain->Categories;
                std::sort(has.begin(), has.end());
                if (has == wanted)
                    return slot;
            }
        return categories.empty() ? 0 : cache.Find_Terrain_By_Categories(categories).Slot;
    };
    TTile_Editor_Grid grid(f_Width, f_Height);
    if (!Load_Tile_File(App_Dir + Name, grid, terrain_of, Error))
        return false;
    Put_Grid(grid);
    f_Status = Name + " loaded.";
    return true;
}

void TDC_Dlg_TileGen::Kill_Child_Control(const std::string& Name) {
    const TDisplay_Class* closing = Closing_Child<TDisplay_Class>();
    if (!closing || closing->f_Result != 1)
        return;
    if (Name == "Dlg Select Module") {
        if (Path_Settings)
            Load_Module_Class_File(Path_Settings->Get_Module_Data_File());
        Fill_File_List();
        f_Status = "Module " + f_Main.Module_Folder + ": choose a terrain file.";
    } else if (Name == "Dlg Select File") {
        const auto* chooser = Closing_Child<TDC_Dlg_SelectFile>();
        std::string error;
        if (chooser && !Load_Tile(chooser->f_Chosen, error))
            f_Main.Show_Message("Load Tile", error);
    }
}

void TDC_Dlg_TileGen::Handle_MouseDown(TMouse_Button Button, TShift_State Shift, int X, int Y) {
    if (Button == mbLeft)
        f_Left_Held = true;
    else if (Button == mbRight)
        f_Right_Held = true;
    Stroke(Button, Shift, X, Y);
}

void TDC_Dlg_TileGen::Handle_MouseMove(TShift_State Shift, int X, int Y) {
    if (f_Left_Held && !(Shift & ssCtrl))
        Stroke(mbLeft, Shift, X, Y);
    else if (f_Right_Held)
        Stroke(mbRight, Shift, X, Y);
}

void TDC_Dlg_TileGen::Handle_MouseUp(TMouse_Button Button, TShift_State, int, int, bool) {
    if (Button == mbLeft)
        f_Left_Held = false;
    else if (Button == mbRight)
        f_Right_Held = false;
}

void TDC_Dlg_TileGen::Handle_KeyDown(uint16_t& Key, TShift_State Shift) {
    if (Key >= VK_F1 && Key < VK_F1 + 10) {
        const int n = Key - VK_F1 + 1;
        if (Shift & ssCtrl)
            Store_Memory(n);
        else
            Recall_Memory(n);
    } else if (Key == VK_LEFT) {
        Scroll(-1, 0);
    } else if (Key == VK_RIGHT) {
        Scroll(1, 0);
    } else if (Key == VK_UP) {
        Scroll(0, -1);
    } else if (Key == VK_DOWN) {
        Scroll(0, 1);
    } else if (Key == VK_ESCAPE) {
        Set_Kill_Object(true);
    } else {
        return;
    }
    f_Key_Handled = true;
}

void TDC_Dlg_TileGen::Handle_Draw(int Buffer) {
    Draw_Tool_Frame(*this, f_Background, f_View, f_Origin_X, f_Origin_Y, "Tile Generator", f_Status,
                    Buffer);
}

void TDC_Dlg_TileGen::Reposition() {
    const int w = Get_Width(), h = Get_Height();
    f_File_List->Set_Bounds("File List", f_X + 10, f_Y + 10, 200, 220, false);
    f_Terrain_List->Set_Bounds("Terrain List", f_X + w - 210, f_Y + 10, 200, 220, false);
    f_Load_Terrain->Set_Position("Button Load Terrain", f_X + 10, f_Y + h - 48, false);
    f_Choose_Module->Set_Position("Button Choose Module", f_X + 10, f_Y + h - 91, false);
    f_Load_Tile->Set_Position("Button Load Tile", f_X + w - 234, f_Y + h - 91, false);
    f_Save_Tile->Set_Position("Button Save Tile", f_X + w - 234, f_Y + h - 48, false);
    f_Close_Button->Set_Position("Close Button", f_X + 770, f_Y + 566, false);
}
