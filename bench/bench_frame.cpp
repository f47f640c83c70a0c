// One typical game frame composed by the software renderer: the main screen's
// background, the 465 terrain cells of the map view, 60 item and creature pictures
// and four dialogs with text.

#include <benchmark/benchmark.h>

#include <memory>

#include "presentation/dlg_message.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/widget_sample.h"

namespace {

// A sheet of pictures w x h each, with black (transparent) corners like real sprites.
int picture_sheet(int w, int h, int count) {
    const int sheet = fg_vballoc(w * count, h);
    fg_vbopen(sheet);
    for (int i = 0; i < count; ++i) {
        Set_Colour(Colour_RGB(40 + i * 7 % 200, 90, 140 - i * 3 % 120));
        Fill_Rect(i * w + 4, i * w + w - 5, 0, h - 1);
        Fill_Rect(i * w, i * w + w - 1, 6, h - 7);
    }
    return sheet;
}

struct TRoot : TDisplay_Class {
    TRoot() {
        Set_Bounds("Main Window", 0, 0, 800, 600, false);
        Set_Visible(true);
    }
};

void BM_Compose_Frame(benchmark::State& state) {
    fg_vbinit();
    fg_vballoc(Screen_Width, Screen_Height);
    std::string report;
    Load_Fonts(report);
    Load_Sample_Button_Strips();
    const int background = fg_vballoc(Screen_Width, Screen_Height);
    fg_vbopen(background);
    for (int y = 0; y < Screen_Height; y += 8) {
        Set_Colour(Colour_RGB(30 + y % 50, 28, 24));
        Fill_Rect(0, Screen_Width - 1, y, y + 7);
    }
    const int terrain = picture_sheet(54, 54, 20);
    const int items = picture_sheet(32, 32, 20);
    const int monsters = picture_sheet(54, 54, 10);

    auto root_holder = std::make_unique<TRoot>();
    TRoot& root = *root_holder;
    for (int d = 0; d < 4; ++d) {
        auto* box = &root.Make_Child<TDC_Dlg_Message>();
        box->Set_Message("Dialog " + std::to_string(d + 1),
                         "The door is locked. A heavy iron lock holds it shut; perhaps a key "
                         "lies somewhere on this level, or a skilled hand could pick it.");
        box->Set_Position("Dlg " + std::to_string(d), 20 + 160 * d, 40 + 110 * d, false);
        box->Set_Visible(true);
    }

    for (auto _ : state) {
        Copy_Whole_Buffer(background, Workspace_Buffer);
        // The map view: 15 x 15 floor diamonds and their walls, 465 cells in all.
        for (int cell = 0; cell < 465; ++cell) {
            const int gx = cell % 31, gy = cell / 31;
            const int x = 9 + gx * 25, y = 154 + gy * 27 + (gx % 2) * 13;
            const int pic = cell % 20;
            Copy_Rect_Transparent(pic * 54, pic * 54 + 53, 0, 53, x, y + 53, terrain,
                                  Workspace_Buffer);
        }
        for (int i = 0; i < 30; ++i) {
            Copy_Rect_Transparent((i % 20) * 32, (i % 20) * 32 + 31, 0, 31, 40 + i * 24,
                                  200 + (i * 37) % 350, items, Workspace_Buffer);
            Copy_Rect_Transparent((i % 10) * 54, (i % 10) * 54 + 53, 0, 53, 30 + i * 25,
                                  220 + (i * 53) % 330, monsters, Workspace_Buffer);
        }
        root.Dispatch_Draw(Workspace_Buffer);
        benchmark::DoNotOptimize(Buffer_Of(Workspace_Buffer)->pixels.data());
        benchmark::ClobberMemory();
    }
    root_holder.reset(); // the dialogs give their buffers back first
    Free_Sample_Button_Strips();
    Free_Fonts();
    Graphics_Shutdown();
}
BENCHMARK(BM_Compose_Frame)->Unit(benchmark::kMillisecond);

} // namespace
