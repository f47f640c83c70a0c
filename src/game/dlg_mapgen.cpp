#include "game/dlg_mapgen.h"

#include <algorithm>

#include "game/dlg_select_module.h"
#include "game/main_screen.h"
#include "generation/module_creation.h"
#include "platform/files.h"
#include "platform/names.h"
#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "shell/globals.h"
#include "world/map.h"
#include "world/module_definition.h"

namespace {

void pixel(TVirtual_Buffer& buffer, int x, int y, TColour colour) {
    if (x >= 0 && y >= 0 && x < buffer.width && y < buffer.height)
        buffer.pixels[size_t(y) * size_t(buffer.width) + size_t(x)] = colour;
}

} // namespace

TDC_Dlg_MapGen::TDC_Dlg_MapGen(TDC_Main& Main) : f_Main(Main) {
    f_Background = Load_Dialog_Background("Dlg_MapGen.bmp", 800, 600);
    f_File_List = &Make_Child<TDC_List>();
    f_File_List->Set_Back_Colour(20, 20, 20);
    f_File_List->Set_Visible(true);
    f_Choose_Module = &Make_Child<TDC_Text_Button>();
    f_Generate = &Make_Child<TDC_Text_Button>();
    f_Choose_Module->f_Caption = "Choose Module";
    f_Generate->f_Caption = "Generate Map";
    for (TDC_Text_Button* button : {f_Choose_Module, f_Generate}) {
        button->Set_Image_Set(6);
        button->Set_Visible(true);
    }
    f_Choose_Module->OnClick = [this](const std::string&) {
        if (!Find_Child("Dlg Select Module"))
            Open_Dialog<TDC_Dlg_Select_Module>("Dlg Select Module", true, f_Main);
    };
    f_Generate->OnClick = [this](const std::string&) { Generate(); };
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    f_View.Show_Everything = true;
    Set_Origin(93, 93);
    Fill_File_List();
}

TDC_Dlg_MapGen::~TDC_Dlg_MapGen() {
    fg_vbfree(f_Background);
}

void TDC_Dlg_MapGen::Fill_File_List() {
    f_File_List->Clear();
    if (!Path_Settings || !Current_Module_Class)
        return;
    for (const std::string& name : List_Files(Path_Settings->Get_Tiles_Folder()))
        if (Lower_Case(name).find("tiles") != std::string::npos)
            f_File_List->Add_Item(name);
}

void TDC_Dlg_MapGen::Kill_Child_Control(const std::string& Name) {
    if (Name != "Dlg Select Module")
        return;
    const TDisplay_Class* closing = Closing_Child<TDisplay_Class>();
    if (!closing || closing->f_Result != 1 || !Path_Settings)
        return;
    if (!Load_Module_Class_File(Path_Settings->Get_Module_Data_File()))
        f_Status = "The module's definition has errors.";
    else
        f_Status = "Module " + f_Main.Module_Folder + ": choose a tile file.";
    Fill_File_List();
}

bool TDC_Dlg_MapGen::Generate() {
    const std::string file = f_File_List->Get_Selected_Text();
    // Nothing to dig from until a module and one of its tile files are chosen.
    if (!Current_Module_Class || Current_Module_Class->Maps.empty() || file.empty() ||
        !Current_Map || !Path_Settings) {
        f_Status = "Choose a module and a tile file first.";
        return false;
    }
    // The map that names the tile file gives its terrain, classes and population; a
    // tile file no map names is dug with the first map's.
    const TMap_Class_Files named = Find_Map_Class_By_Tiles_File(file);
    const uint32_t number = named.Map_Number ? named.Map_Number : 1;
    TModule_Map_Class map_class = *Current_Module_Class->Get_Map(number);
    map_class.Tiles_Filename = file;

    Current_Map->Clear(true);
    Current_Map->Make_Current();
    Current_Map->Set_Display_Name(map_class.Display_Name);
    Current_Map->Set_Universal_Light(map_class.Universal_Light);
    TModule_Creation_Options options;
    options.Difficulty = Game_Options ? Game_Options->Difficulty : 2;
    TCreation_Classes classes;
    std::vector<std::string> errors;
    const TDig_Result dug = Generate_Map(map_class, number, *Current_Map, options, classes, errors);
    f_Entrances = dug.Entrances;
    if (Display_Object)
        Display_Object->Load_Map_Pictures(*Current_Map, true);
    for (int32_t x = 1; x <= Map_Size; ++x)
        for (int32_t y = 1; y <= Map_Size; ++y)
            Current_Map->Get_Square(x, y)->Set_Explored(true);
    if (!errors.empty()) {
        f_Main.Show_Error_List("Errors generating map: ", file, errors);
        f_Status = file + ": " + std::to_string(errors.size()) + " errors.";
        return false;
    }
    f_Status = file +
               (named.Map_Number ? " (map " + std::to_string(number) + ")"
                                 : " (no map names it: map 1's files)") +
               ": " + std::to_string(dug.Counts.Monsters) + " creatures, " +
               std::to_string(dug.Counts.Items) + " items, " +
               std::to_string(dug.Entrances.Count()) + " entrances.";
    // The view starts on the first entrance, where a level is entered.
    if (dug.Entrances.Count() > 0)
        Set_Origin(dug.Entrances.Xs[0] - 7, dug.Entrances.Ys[0] - 7);
    return true;
}

void TDC_Dlg_MapGen::Set_Origin(int32_t X, int32_t Y) {
    f_Origin_X = std::clamp(X, 1, MapGen_Origin_Max);
    f_Origin_Y = std::clamp(Y, 1, MapGen_Origin_Max);
}

bool TDC_Dlg_MapGen::Press_Overview(int X, int Y) {
    const int left = f_X + MapGen_Overview_X, top = f_Y + MapGen_Overview_Y;
    if (X < left || Y < top || X >= left + Map_Size || Y >= top + Map_Size)
        return false;
    Set_Origin(X - left + 1 - 7, Y - top + 1 - 7);
    return true;
}

void TDC_Dlg_MapGen::Handle_MouseDown(TMouse_Button Button, TShift_State, int X, int Y) {
    if (Button == mbLeft)
        Press_Overview(X, Y);
}

void TDC_Dlg_MapGen::Handle_MouseMove(TShift_State Shift, int X, int Y) {
    if (Shift & ssLeft)
        Press_Overview(X, Y);
}

void TDC_Dlg_MapGen::Handle_KeyDown(uint16_t& Key, TShift_State) {
    switch (Key) {
    case VK_LEFT:
        Set_Origin(f_Origin_X - 1, f_Origin_Y);
        break;
    case VK_UP:
        Set_Origin(f_Origin_X, f_Origin_Y - 1);
        break;
    case VK_RIGHT:
        Set_Origin(f_Origin_X + 1, f_Origin_Y);
        break;
    case VK_DOWN:
        Set_Origin(f_Origin_X, f_Origin_Y + 1);
        break;
    case VK_ESCAPE:
        Set_Kill_Object(true);
        break;
    default:
        return;
    }
    f_Key_Handled = true;
}

void Draw_Tool_Frame(const TDisplay_Class& Tool, int Background, TMap_View& View, int32_t Origin_X,
                     int32_t Origin_Y, const std::string& Title, const std::string& Status,
                     int Buffer) {
    if (Background >= 0)
        Copy_Rect_Transparent(0, 799, 0, 599, Tool.f_X, Tool.f_Y + 599, Background, Buffer);
    if (Current_Map) {
        View.Origin_X = Origin_X;
        View.Origin_Y = Origin_Y;
        View.Draw(*Current_Map, Buffer);
    }
    Text_Begin(Buffer);
    Set_Font(3);
    Set_Text_Colour(255, 255, 255);
    Set_Justify(2, 2);
    Print_At(Tool.f_X + 400, Tool.f_Y + 33, Title);
    Set_Font(1);
    Set_Text_Colour(200, 200, 200);
    Print_Wrapped(Tool.f_X + 230, Tool.f_Y + 60, 340, Status, 50);
    Text_End();
}

void TDC_Dlg_MapGen::Handle_Draw(int Buffer) {
    Draw_Tool_Frame(*this, f_Background, f_View, f_Origin_X, f_Origin_Y, "Map Generator", f_Status,
                    Buffer);
    TVirtual_Buffer* buffer = Buffer_Of(Buffer);
    if (!buffer || !Current_Map)
        return;
    const int left = f_X + MapGen_Overview_X, top = f_Y + MapGen_Overview_Y;
    for (int32_t mx = 1; mx <= Map_Size; ++mx)
        for (int32_t my = 1; my <= Map_Size; ++my) {
            const TMap_Square& square = *Current_Map->Get_Square(mx, my);
            pixel(*buffer, left + mx - 1, top + my - 1,
                  square.Terrain
                      ? TDisplay_Object::Colour_From_Packed(square.Get_Overview_Color(*Current_Map))
                      : Colour_RGB(0, 0, 0));
        }
    // The 15 x 15 squares the view shows.
    const int x0 = left + f_Origin_X - 1, y0 = top + f_Origin_Y - 1, side = View_Size - 1;
    for (int k = 0; k <= side; ++k) {
        pixel(*buffer, x0 + k, y0, TDisplay_Object::Red);
        pixel(*buffer, x0 + k, y0 + side, TDisplay_Object::Red);
        pixel(*buffer, x0, y0 + k, TDisplay_Object::Red);
        pixel(*buffer, x0 + side, y0 + k, TDisplay_Object::Red);
    }
}

void TDC_Dlg_MapGen::Reposition() {
    f_File_List->Set_Bounds("File List", f_X + 10, f_Y + 10, 200, 200, false);
    f_Choose_Module->Set_Position("Button Choose Module", f_X + 10, f_Y + Get_Height() - 91, false);
    f_Generate->Set_Position("Button Generate", f_X + 10, f_Y + Get_Height() - 48, false);
    f_Close_Button->Set_Position("Close Button", f_X + 770, f_Y + 570, false);
}
