// Window options from the options file and the command line, and render-widgets.

#include <gtest/gtest.h>

#include "app/window_host.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

int parse(std::vector<std::string> args, TWindow_Options& options, std::string& error) {
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    for (int i = 0; i < int(argv.size()); ++i) {
        const int taken = Parse_Window_Option(int(argv.size()), argv.data(), i, options, error);
        if (taken <= 0)
            return taken;
    }
    return 1;
}

TEST(Window_Options, CommandLineOverridesTheOptionsFile) {
    TTemp_Dir dir;
    const std::string path = dir.Write("options.ini", "Window Scale = 3\n"
                                                      "Fullscreen = \"true\"\n"
                                                      "Smooth Scaling = \"true\"\n");
    TWindow_Options options;
    Read_Window_Options_File(options, path);
    EXPECT_EQ(options.scale, 3);
    EXPECT_TRUE(options.fullscreen);
    EXPECT_TRUE(options.smooth);

    std::string error;
    EXPECT_EQ(parse({"--scale", "2", "--sharp", "--headless", "--script", "s.txt", "--screenshot",
                     "out.png"},
                    options, error),
              1);
    EXPECT_EQ(options.scale, 2);
    EXPECT_FALSE(options.fullscreen); // a window scale means a window
    EXPECT_FALSE(options.smooth);
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.script, "s.txt");
    EXPECT_EQ(options.screenshot, "out.png");

    EXPECT_EQ(parse({"--game-dir"}, options, error), 0);
    EXPECT_EQ(parse({"--scale", "4"}, options, error), -1);
    EXPECT_NE(error.find("1, 2 or 3"), std::string::npos);
    EXPECT_EQ(parse({"--script"}, options, error), -1);

    // Values out of range or of the wrong kind leave the defaults.
    TWindow_Options plain;
    Read_Window_Options_File(plain, dir.Write("bad.ini", "Window Scale = 9\nFullscreen = 1\n"));
    EXPECT_EQ(plain.scale, 1);
    EXPECT_FALSE(plain.fullscreen);
    Read_Window_Options_File(plain, dir.Path() + "missing.ini");
    EXPECT_EQ(plain.scale, 1);
}

TEST(Render_Widgets, WritesTheSampleSheetAsAPicture) {
    TTemp_Dir dir;
    const std::string out = dir.Path() + "widgets.png";
    std::string a0 = "render-widgets", a1 = "--png", a2 = out;
    char* argv[] = {a0.data(), a1.data(), a2.data()};
    ASSERT_EQ(Tool_Render_Widgets(3, argv), 0);
    std::string png;
    ASSERT_TRUE(Read_Whole_File(out, png));
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\x20\0\0\x02\x58", 8)); // 800 x 600

    char* missing[] = {a0.data()};
    EXPECT_EQ(Tool_Render_Widgets(1, missing), 2);
    std::string bad = "--bogus";
    char* wrong[] = {a0.data(), bad.data()};
    EXPECT_EQ(Tool_Render_Widgets(2, wrong), 2);
}

} // namespace
