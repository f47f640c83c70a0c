#include "presentation/overview_map.h"

#include "platform/clock.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "world/map.h"

namespace {

std::string overview_picture() {
    if (Path_Settings)
        return Path_Settings->Get_Dlg_Overview_Map_Bitmap();
    return App_Dir + "Pictures\\SysPics\\Dlg_OverviewMap.bmp";
}

// A filled block, clipped to the buffer.
void block(TVirtual_Buffer& buffer, int x, int y, int size, TColour colour) {
    for (int py = y; py < y + size; ++py)
        for (int px = x; px < x + size; ++px)
            if (px >= 0 && py >= 0 && px < buffer.width && py < buffer.height)
                buffer.pixels[size_t(py) * size_t(buffer.width) + size_t(px)] = colour;
}

} // namespace

TDC_Dlg_Overview_Map::TDC_Dlg_Overview_Map(TMap& Map) : f_Map(Map) {
    if (Display_Object)
        Display_Object->Alloc_Virtual_Buffer("TDC_Dlg_Overview_Map", f_Background, true, true, 515,
                                             459);
    else
        f_Background = fg_vballoc(459, 515);
    if (f_Background >= 0) {
        const int previous = Active_Buffer();
        fg_vbopen(f_Background);
        if (fg_showbmp(overview_picture()) != 0) {
            // Without its picture the map still shows, on a plain plate.
            Debug_Log("General", Last_Graphics_Error());
            Set_Colour(Colour_RGB(130, 112, 84));
            Clear_Buffer();
        }
        Pink_To_Black(f_Background);
        fg_vbopen(previous);
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->f_Image_Index = 0;
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    f_Blink_Time = Tick_Count();
}

TDC_Dlg_Overview_Map::~TDC_Dlg_Overview_Map() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Overview_Map::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == 77 || Key == 27)
        Set_Kill_Object(true);
}

void TDC_Dlg_Overview_Map::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 458, 0, 514, f_X, f_Y + 514, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 459 / 2, f_Y + 33, f_Map.Display_Name);
    Text_End();

    TVirtual_Buffer* buffer = Buffer_Of(Buffer);
    if (!buffer)
        return;
    const int left = f_X + 24, top = f_Y + 54;
    for (int32_t mx = 1; mx <= Map_Size; ++mx)
        for (int32_t my = 1; my <= Map_Size; ++my) {
            const TMap_Square& square = *f_Map.Get_Square(mx, my);
            if (square.Is_Explored())
                block(*buffer, left + 2 * (mx - 1), top + 2 * (my - 1), 2,
                      TDisplay_Object::Colour_From_Packed(square.Get_Overview_Color(f_Map)));
        }
    const uint32_t now = Tick_Count();
    if (now - f_Blink_Time > 500) {
        f_Blink_On = !f_Blink_On;
        f_Blink_Time = now;
    }
    if (const TMonster* player = f_Map.Player(); player && f_Blink_On)
        block(*buffer, left + 2 * (player->X - 1), top + 2 * (player->Y - 1), 4,
              TDisplay_Object::Red);
}

void TDC_Dlg_Overview_Map::Reposition() {
    f_Close_Button->Set_Position("Close Button", f_X + 406, f_Y + 462, false);
}

TDC_Dlg_Overview_Map& Show_Overview_Map(TDisplay_Class& Parent, TMap& Map) {
    return Parent.Open_Dialog<TDC_Dlg_Overview_Map>("Overview Map", true, Map);
}
