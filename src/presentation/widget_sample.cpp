#include "presentation/widget_sample.h"

#include <array>

#include "platform/clock.h"
#include "presentation/bmp_file.h"
#include "presentation/dlg_message.h"
#include "presentation/edit_text.h"
#include "presentation/graphics.h"
#include "presentation/list_control.h"
#include "presentation/text.h"
#include "presentation/ui_hooks.h"
#include "shell/globals.h"

namespace {

const std::array<const char*, Button_Image_Sets + 1> strip_files = {"",
                                                                    "ButtonsSmallSquare.bmp",
                                                                    "ButtonsMainRound.bmp",
                                                                    "ButtonsArrows.bmp",
                                                                    "ButtonsSquareIcons.bmp",
                                                                    "ButtonsSquareFrames.bmp",
                                                                    "ButtonsLongSquareText.bmp",
                                                                    "ButtonsLongRoundedText.bmp",
                                                                    "ButtonsSquareNamed.bmp",
                                                                    "ButtonsSquareNamedBlank.bmp",
                                                                    "SpellContainers.bmp"};

std::array<int, Button_Image_Sets + 1> sample_strips = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// A stand-in strip: ten columns of bevelled plates, one shade per state row, with a
// cross (close), arrows and a toggle mark where the sample needs them.
int drawn_strip(int set) {
    int w = 0, h = 0;
    Button_Cell_Size(set, w, h);
    const int handle = fg_vballoc(w * 10, h * 4);
    if (handle < 0)
        return -1;
    fg_vbopen(handle);
    const TColour shades[4] = {Colour_RGB(92, 80, 60), Colour_RGB(140, 120, 80),
                               Colour_RGB(60, 50, 38), Colour_RGB(72, 72, 72)};
    for (int col = 0; col < 10; ++col) {
        for (int row = 0; row < 4; ++row) {
            const int x = col * w, y = row * h;
            Set_Colour(Colour_RGB(200, 180, 140));
            Fill_Rect(x, x + w - 1, y, y + h - 1);
            Set_Colour(shades[row]);
            Fill_Rect(x + 1, x + w - 2, y + 1, y + h - 2);
            Set_Colour(row == 3 ? Colour_RGB(120, 120, 120) : Colour_RGB(240, 230, 200));
            const int cx = x + w / 2, cy = y + h / 2;
            if (set == 1 && col == 0) {
                for (int d = -5; d <= 5; ++d) {
                    Set_Pixel(cx + d, cy + d);
                    Set_Pixel(cx + d, cy - d);
                }
            } else if (set == 3 && col <= 1) {
                for (int d = 0; d < 6; ++d) {
                    const int yy = col == 0 ? cy - 3 + d : cy + 3 - d;
                    Fill_Rect(cx - 5 + d, cx + 5 - d, yy, yy);
                }
            } else if (set == 1 && col == 8) {
                Fill_Rect(cx - 5, cx + 5, cy - 5, cy + 5);
            }
            Set_Colour(0); // transparent corners
            Set_Pixel(x, y);
            Set_Pixel(x + w - 1, y);
            Set_Pixel(x, y + h - 1);
            Set_Pixel(x + w - 1, y + h - 1);
        }
    }
    return handle;
}

// Draws a control in a fixed state whatever the pointer does.
template <class TBase> class TPinned : public TBase {
  public:
    TPinned(bool hover, bool down) : hover_(hover), down_(down) {}
    void Handle_Draw(int Buffer) override {
        this->f_Mouse_Over = this->f_Mouse_Over || hover_;
        this->f_Mouse_Down = this->f_Mouse_Down || down_;
        TBase::Handle_Draw(Buffer);
    }

  private:
    bool hover_, down_;
};

const char* const state_names[4] = {"Normal", "Hover", "Pressed", "Disabled"};

template <class TButton> TButton* pinned(TDisplay_Class& parent, int state) {
    auto& b = parent.Make_Child<TPinned<TButton>>(state == 1, state == 2);
    b.f_Enabled = state != 3;
    b.Set_Visible(true);
    return &b;
}

class TSample_Plate : public TDisplay_Class {
  public:
    void Handle_Draw(int Buffer) override {
        fg_vbopen(Buffer);
        Set_Colour(Colour_RGB(150, 130, 95));
        Fill_Rect(f_X, f_X + f_Width, f_Y, f_Y + f_Height);
        Set_Colour(Colour_RGB(58, 48, 36));
        Fill_Rect(f_X + 3, f_X + f_Width - 3, f_Y + 3, f_Y + f_Height - 3);
        static const char* const faces[Font_Count] = {"10 pt",      "9 pt",       "12 pt",
                                                      "Bold 18 pt", "Bold 16 pt", "Bold 12 pt"};
        Text_Begin(Buffer);
        Set_Justify(1, 4);
        for (int n = 1; n <= Font_Count; ++n) {
            Set_Font(n);
            Set_Text_Colour(n % 2 ? Colour_RGB(255, 255, 255) : Colour_RGB(255, 203, 151));
            Print_At(f_X + 20, f_Y + 10 + 30 * n,
                     "Font " + std::to_string(n) + ", " + faces[n - 1] +
                         ": Quick fox, 1,234 \xe9\xe0\xfc");
        }
        Set_Font(3);
        Set_Text_Colour(155, 155, 155);
        Set_Justify(1, 4);
        Print_At(f_X + 20, f_Y + 225, "Left");
        Set_Justify(2, 4);
        Print_At(f_X + 230, f_Y + 225, "Centred");
        Set_Justify(3, 4);
        Print_At(f_X + 440, f_Y + 225, "Right");
        Text_End();
    }
};

} // namespace

int Load_Sample_Button_Strips() {
    int loaded = 0;
    for (int set = 1; set <= Button_Image_Sets; ++set) {
        fg_vbfree(sample_strips[size_t(set)]);
        const std::string folder = "Pictures\\SysPics\\";
        const std::string path = Path_Settings
                                     ? Path_Settings->Resolve_Path(folder, strip_files[size_t(set)])
                                     : App_Dir + folder + strip_files[size_t(set)];
        int handle = -1;
        TVirtual_Buffer* picture = nullptr;
        TVirtual_Buffer probe;
        std::string error;
        if (!path.empty() && Load_BMP_File(path, probe, error)) {
            handle = fg_vballoc(probe.width, probe.height);
            picture = Buffer_Of(handle);
        }
        if (picture) {
            picture->pixels = std::move(probe.pixels);
            Pink_To_Black(handle);
            ++loaded;
        } else {
            handle = drawn_strip(set);
        }
        sample_strips[size_t(set)] = handle;
        Set_Button_Strip(set, handle);
    }
    return loaded;
}

void Free_Sample_Button_Strips() {
    for (int set = 1; set <= Button_Image_Sets; ++set) {
        fg_vbfree(sample_strips[size_t(set)]);
        sample_strips[size_t(set)] = -1;
        Set_Button_Strip(set, -1);
    }
}

TDC_Widget_Sample::TDC_Widget_Sample() {
    Set_Bounds("Main Window", 0, 0, 800, 600, false);
    Set_Visible(true);

    auto* plate = &Make_Child<TSample_Plate>();
    plate->Set_Bounds("Sample Dialog", 10, 10, 780, 580, false);
    plate->Set_Visible(true);

    for (int state = 0; state < 4; ++state) {
        auto* close = pinned<TDC_Button>(*plate, state);
        close->Set_Image_Set(1);
        close->f_Image_Index = 0;
        close->Set_Position(std::string("Image ") + state_names[state], 30 + 40 * state, 250,
                            false);

        auto* text = pinned<TDC_Text_Button>(*plate, state);
        text->Set_Image_Set(6);
        text->f_Caption = state_names[state];
        text->Set_Position(std::string("Text ") + state_names[state], 30 + 210 * (state % 2),
                           290 + 46 * (state / 2), false);

        auto* round = pinned<TDC_Button>(*plate, state);
        round->Set_Image_Set(2);
        round->f_Image_Index = 0;
        round->Set_Position(std::string("Round ") + state_names[state], 30 + 56 * state, 390,
                            false);
    }
    for (int on = 0; on < 2; ++on) {
        auto* toggle = &plate->Make_Child<TDC_Button_Toggle>();
        toggle->Set_Image_Set(1);
        toggle->Set_Toggle_Images(8, 9);
        toggle->Set_On(on == 1);
        toggle->Set_Position(on ? "Toggle On" : "Toggle Off", 200 + 30 * on, 250, false);
        toggle->Set_Visible(true);
    }

    f_Click_Button = &plate->Make_Child<TDC_Text_Button>();
    f_Click_Button->Set_Image_Set(9);
    f_Click_Button->f_Font = 1;
    f_Click_Button->f_Text_Offset_Y = 2;
    f_Click_Button->f_Caption = "Click me";
    f_Click_Button->Set_Position("Click Button", 30, 460, false);
    f_Click_Button->Set_Visible(true);
    f_Click_Button->OnClick = [this](const std::string&) {
        ++f_Clicks;
        f_Click_Button->f_Caption = "Clicked " + std::to_string(f_Clicks);
    };

    auto* list = &plate->Make_Child<TPinned<TDC_List>>(true, false);
    list->Set_Bounds("Sample List", 480, 40, 280, 130, false);
    list->Set_Back_Colour(55, 55, 55);
    for (const char* item :
         {"Short sword", "Leather armour", "Potion of healing", "Scroll of light", "Iron key",
          "Ring of warmth", "Torch", "Bread", "Rope", "Lantern"})
        list->Add_Item(item);
    list->Set_Selected_Index(2);
    list->f_Hover_Index = 4;
    list->Set_Visible(true);

    auto* wrapped = &plate->Make_Child<TDC_List>();
    wrapped->Set_Bounds("Wrapped List", 480, 178, 280, 116, false);
    wrapped->Set_Back_Colour(20, 20, 20);
    wrapped->f_Wrap = true;
    wrapped->f_Line_Height = 54;
    wrapped->Add_Item("A long entry that the list wraps over more than one line of its row.");
    wrapped->Add_Item("Ananextraordinarilylongwordwithoutanyspaces that is cut.");
    wrapped->Set_Visible(true);

    for (int enabled = 0; enabled < 2; ++enabled) {
        auto* edit = &plate->Make_Child<TDC_EditText>();
        edit->Set_Bounds(enabled ? "Edit Field" : "Edit Disabled", 480, 300 + 30 * enabled, 280, 24,
                         false);
        edit->f_Text = enabled ? "Edit me" : "Disabled field";
        edit->f_Enabled = enabled == 1;
        edit->f_Caret_On = true;
        edit->f_Blink_Tick = Tick_Count(); // shown with its caret for the first half second
        edit->Set_Visible(true);
    }

    auto* message = &Make_Child<TDC_Dlg_Message>();
    message->Set_Message("Message", "A message box with a word-wrapped text, a shadow and a "
                                    "close button. Escape closes it as well.");
    message->Set_Position("Message Dlg", 470, 370, false);
    message->Set_Visible(true);
}

void TDC_Widget_Sample::Kill_Child_Control(const std::string& Name) {
    f_Closed += f_Closed.empty() ? Name : ", " + Name;
}

void TDC_Widget_Sample::Handle_Draw(int Buffer) {
    fg_vbopen(Buffer);
    Set_Colour(Colour_RGB(24, 24, 28));
    Fill_Rect(0, 799, 0, 599);
}
