#include "presentation/dialog_background.h"

#include "presentation/graphics.h"
#include "shell/debug_log.h"
#include "shell/globals.h"

void Draw_Plain_Plate(int buffer, int width, int height) {
    const int previous = Active_Buffer();
    fg_vbopen(buffer);
    Set_Colour(Colour_RGB(130, 112, 84));
    Clear_Buffer();
    Set_Colour(Colour_RGB(220, 200, 160));
    Fill_Rect(0, width - 1, 0, 1);
    Fill_Rect(0, width - 1, height - 2, height - 1);
    Fill_Rect(0, 1, 0, height - 1);
    Fill_Rect(width - 2, width - 1, 0, height - 1);
    fg_vbopen(previous);
}

int Load_Dialog_Background(const std::string& picture, int width, int height) {
    const int buffer = fg_vballoc(width, height);
    if (buffer < 0) {
        Debug_Log("General", "Error allocating virtual buffer: " + picture);
        return -1;
    }
    const std::string folder = "Pictures\\SysPics\\";
    const std::string path =
        Path_Settings ? Path_Settings->Resolve_Path(folder, picture) : App_Dir + folder + picture;
    const int previous = Active_Buffer();
    fg_vbopen(buffer);
    const bool shown = fg_showbmp(path) == 0;
    fg_vbopen(previous);
    if (!shown) {
        Debug_Log("General", Last_Graphics_Error());
        Draw_Plain_Plate(buffer, width, height);
    }
    Pink_To_Black(buffer);
    return buffer;
}
