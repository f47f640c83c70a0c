#pragma once
// A game folder for the picture tests: the default content's system pictures copied
// into a temporary folder, and small map pictures made by the test itself; the display
// object loaded from it, with the messages recorded.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "shell/paths.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"

// A 24-bit BMP of w x h pixels coloured by colour(x, y) (0xRRGGBB).
inline std::string Make_BMP(int w, int h, const std::function<TColour(int, int)>& colour) {
    const int row = (w * 3 + 3) / 4 * 4;
    std::string b(size_t(54 + row * h), '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + size_t(i)] = char((v >> (8 * i)) & 255);
    };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    b[26] = 1, b[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColour c = colour(x, y);
            const size_t at = 54 + size_t(h - 1 - y) * size_t(row) + size_t(x) * 3;
            b[at] = char(Blue_Of(c)), b[at + 1] = char(Green_Of(c)), b[at + 2] = char(Red_Of(c));
        }
    return b;
}

inline std::string Solid_BMP(int w, int h, TColour c) {
    return Make_BMP(w, h, [c](int, int) { return c; });
}

class Display_Test : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef KV_GAME_DIR
        GTEST_SKIP() << "this build makes no game folder: the content generator is not built";
#else
        namespace fs = std::filesystem;
        const fs::path sys = fs::path(KV_GAME_DIR) / "Pictures" / "SysPics";
        ASSERT_TRUE(fs::is_directory(sys)) << sys;
        fs::create_directories(fs::path(dir.Path()) / "Pictures" / "SysPics");
        fs::copy(sys, fs::path(dir.Path()) / "Pictures" / "SysPics",
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        saved_app_dir = App_Dir;
        App_Dir = dir.Path();
        Path_Settings = std::make_unique<TPath_Settings>();
        Game_Options = std::make_unique<TGame_Options>();
        ASSERT_EQ(fg_vbinit(), 0);
        Display_Object = std::make_unique<TDisplay_Object>();
        ASSERT_TRUE(Display_Object->Create_Game_Bitmaps()) << Joined_Boxes();
        for (int n = 1; n <= Border_Count; ++n)
            Write_Terrain(Display_Object->f_Border_Images[size_t(n - 1)],
                          Solid_BMP(2, 2, 0xFF00FF));
#endif
    }
    void TearDown() override {
        Display_Object.reset();
        Graphics_Shutdown();
        Game_Options.reset();
        Path_Settings.reset();
        if (!saved_app_dir.empty())
            App_Dir = saved_app_dir;
    }

    std::string Write_Terrain(const std::string& name, const std::string& bytes) {
        return dir.Write("Pictures/Terrain/" + name, bytes);
    }
    std::string Write_Monster(const std::string& name, const std::string& bytes) {
        return dir.Write("Pictures/Monsters/" + name, bytes);
    }
    std::string Write_Item(const std::string& name, const std::string& bytes) {
        return dir.Write("Pictures/Items/" + name, bytes);
    }
    std::string Joined_Boxes() const {
        std::string all;
        for (const std::string& box : messages.Boxes)
            all += box + "\n";
        return all;
    }
    static TColour Pixel(int buffer, int x, int y) {
        const TVirtual_Buffer* b = Buffer_Of(buffer);
        if (!b || x < 0 || y < 0 || x >= b->width || y >= b->height)
            return 0xFFFFFFFF;
        return b->pixels[size_t(y) * size_t(b->width) + size_t(x)];
    }
    static int Screen() {
        const int screen = fg_vballoc(Screen_Width, Screen_Height);
        EXPECT_GE(screen, 0);
        return screen;
    }

    TTemp_Dir dir;
    TMessages_Recorder messages;
    TScoped_Services use{{.Messages = &messages}};
    std::string saved_app_dir;
};
