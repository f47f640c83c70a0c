// The game screen as the player sees it: the real program started on a new game of the
// default module, headless against a reviewed picture, and in a real window under Xvfb.
//
// The reference picture is tests/fixtures/game_screen/hollowmere_seed5.png. When the
// game screen changes on purpose, write a new one with
//   KV_REFRESH_REFERENCE=1 build/test/bin/test_app --gtest_filter='Game_Screen*'
// look at it, and commit it with the change.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace {

const std::string game = KV_GAME_EXE;

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// The pixels of one of our own PNG pictures (8-bit RGB, filter 0 rows, one IDAT run).
std::string png_pixels(const std::string& png) {
    std::string data;
    size_t at = 8;
    while (at + 8 <= png.size()) {
        const uint32_t length = (uint32_t(uint8_t(png[at])) << 24) |
                                (uint32_t(uint8_t(png[at + 1])) << 16) |
                                (uint32_t(uint8_t(png[at + 2])) << 8) | uint8_t(png[at + 3]);
        const std::string type = png.substr(at + 4, 4);
        if (type == "IDAT")
            data += png.substr(at + 8, length);
        at += 12 + length;
    }
    std::string pixels(800 * 600 * 4 + 600, '\0');
    uLongf size = pixels.size();
    if (uncompress(reinterpret_cast<Bytef*>(pixels.data()), &size,
                   reinterpret_cast<const Bytef*>(data.data()), data.size()) != Z_OK)
        return {};
    pixels.resize(size);
    return pixels;
}

// The share of bytes in the map area (y 200..520) that differ between two frames.
double map_area_change(const std::string& a, const std::string& b) {
    if (a.empty() || a.size() != b.size())
        return 0;
    const size_t row = a.size() / 600;
    size_t changed = 0, total = 0;
    for (size_t y = 200; y < 520; ++y)
        for (size_t x = 0; x < row; ++x, ++total)
            changed += a[y * row + x] != b[y * row + x];
    return double(changed) / double(total);
}

TEST(Game_Screen, ASeededNewGameLooksAsReviewed) {
    TTemp_Dir dir;
    const std::string script = dir.Write("look.txt", "key Escape\nwait 10\nmove 470 380\nwait 2\n");
    const std::string shot = dir.Path() + "screen.png";
    ASSERT_EQ(
        run("SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted(dir.Path()) +
            " " + quoted(game) + " --headless --new-game Hollowmere --seed 5 --script " +
            quoted(script) + " --screenshot " + quoted(shot) + " >/dev/null"),
        0);
    const std::string picture = read_file(shot);
    ASSERT_FALSE(picture.empty());
    const std::string reference =
        std::string(KV_FIXTURES_DIR) + "/game_screen/hollowmere_seed5.png";
    if (std::getenv("KV_REFRESH_REFERENCE")) {
        std::filesystem::create_directories(std::filesystem::path(reference).parent_path());
        std::ofstream(reference, std::ios::binary) << picture;
        GTEST_SKIP() << "wrote " << reference << ": look at it before committing it";
    }
    const std::string expected = read_file(reference);
    ASSERT_FALSE(expected.empty()) << reference;
    if (picture != expected) {
        const std::string kept =
            (std::filesystem::temp_directory_path() / "game_screen_hollowmere.png").string();
        std::ofstream(kept, std::ios::binary) << picture;
        FAIL() << "the game screen differs from " << reference << "; this run's picture is "
               << kept;
    }
}

// Under Xvfb: the real window opens on a new game, a press on the map walks the player,
// and the view follows it.
TEST(Game_Screen, XvfbTheRealWindowWalksThePlayerOnAClick) {
    if (run("command -v xvfb-run >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xvfb-run is not installed";
    TTemp_Dir dir;
    const std::string before = dir.Path() + "before.png", after = dir.Path() + "after.png";
    const std::string script =
        dir.Write("walk.txt", "key Escape\nwait 10\nmove 480 380\nscreenshot " + before +
                                  "\ndown 480 380\nwait 30\nup 480 380\nwait 5\nscreenshot " +
                                  after + "\nquit\n");
    // The X libraries keep a few blocks to the end of the process.
    const int status =
        run("env -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "
            "XDG_CONFIG_HOME=" +
            quoted(dir.Path()) + " xvfb-run -a -s '-screen 0 1024x768x24' " + quoted(game) +
            " --windowed --new-game Hollowmere --seed 5 --script " + quoted(script) +
            " >/dev/null 2>&1");
    ASSERT_EQ(status, 0);
    const std::string a = png_pixels(read_file(before)), b = png_pixels(read_file(after));
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    // The view is centred on the player: a walk moves the whole dungeon.
    EXPECT_GT(map_area_change(a, b), 0.2);
}

} // namespace
