#include "app/window_host.h"

#include <cstdio>
#include <cstdlib>

#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/widget_sample.h"
#include "shell/services.h"

void Read_Window_Options_File(TWindow_Options& options, const std::string& options_path) {
    TOptions_File file(options_path);
    if (!file.Load())
        return;
    int32_t scale = 0;
    if (file.Read_Integer("Window Scale", scale) && scale >= 1 && scale <= 3)
        options.scale = scale;
    std::string flag;
    if (file.Read_String("Fullscreen", flag) && (flag == "true" || flag == "false"))
        options.fullscreen = flag == "true";
    if (file.Read_String("Smooth Scaling", flag) && (flag == "true" || flag == "false"))
        options.smooth = flag == "true";
}

int Parse_Window_Option(int argc, char** argv, int& i, TWindow_Options& options,
                        std::string& error) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
        if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
            error = arg + " needs a value";
            return false;
        }
        out = argv[++i];
        return true;
    };
    if (arg == "--headless") {
        options.headless = true;
    } else if (arg == "--fullscreen") {
        options.fullscreen = true;
    } else if (arg == "--windowed") {
        options.fullscreen = false;
    } else if (arg == "--smooth") {
        options.smooth = true;
    } else if (arg == "--sharp") {
        options.smooth = false;
    } else if (arg == "--screenshot") {
        if (!value(options.screenshot))
            return -1;
    } else if (arg == "--script") {
        if (!value(options.script))
            return -1;
    } else if (arg == "--scale") {
        std::string text;
        if (!value(text))
            return -1;
        if (text != "1" && text != "2" && text != "3") {
            error = "--scale takes 1, 2 or 3, not \"" + text + "\"";
            return -1;
        }
        options.scale = text[0] - '0';
        options.fullscreen = false;
    } else {
        return 0;
    }
    return 1;
}

const char* Window_Options_Help() {
    return "  --fullscreen     fill the screen (Alt+Enter switches while playing)\n"
           "  --windowed       play in a window\n"
           "  --scale N        window size: N times 800 x 600 (N is 1, 2 or 3)\n"
           "  --smooth         scale the picture smoothly (default: sharp pixels)\n"
           "  --sharp          scale with sharp pixels\n"
           "  --headless       run without a window (for scripts and screenshots)\n"
           "  --script FILE    drive the game with an input script: lines \"wait TICKS\",\n"
           "                   \"move X Y\", \"click X Y\", \"rclick X Y\", \"key NAME\",\n"
           "                   \"screenshot FILE\", \"quit\"\n"
           "  --screenshot FILE  save the last frame as a PNG picture when the run ends\n";
}

bool Load_External_Resources() {
    std::string report;
    if (Load_Fonts(report))
        return true;
    Show_Message_Box("Error", report);
    return false;
}

void Free_External_Resources() {
    Free_Fonts();
}

int Run_Game_Window(TDisplay_Class& root, const TWindow_Options& options,
                    const THost_Callbacks& callbacks) {
    THost host(root, callbacks);
    THost_Settings settings;
    settings.headless = options.headless;
    settings.scale = options.scale;
    settings.fullscreen = options.fullscreen;
    settings.smooth = options.smooth;
    settings.screenshot = options.screenshot;
    settings.script = options.script;
    settings.record = options.record;
    settings.record_header = options.record_header;
    return options.headless ? host.Run_Headless(settings) : host.Run_Window(settings);
}

int Tool_Render_Widgets(int argc, char** argv) {
    TWindow_Options options;
    options.headless = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string error;
        if (arg == "--png") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "render-widgets: --png needs a file name\n");
                return 2;
            }
            options.screenshot = argv[++i];
        } else if (arg == "--window") {
            options.headless = false;
        } else if (arg == "--help" || arg == "-h") {
            std::printf("Usage: krelvane-tool render-widgets --png OUT.png [--window] "
                        "[--script FILE]\n"
                        "Draws a sample dialog with every control in each of its states and "
                        "the six fonts,\nand saves it as a PNG picture.\n");
            return 0;
        } else {
            const int taken = Parse_Window_Option(argc, argv, i, options, error);
            if (taken <= 0) {
                std::fprintf(stderr, "render-widgets: %s\n",
                             taken < 0 ? error.c_str()
                                       : ("unknown option \"" + arg + "\"").c_str());
                return 2;
            }
        }
    }
    if (options.screenshot.empty() && options.headless) {
        std::fprintf(stderr, "render-widgets: say where the picture goes with --png OUT.png\n");
        return 2;
    }
    fg_vbinit();
    fg_vballoc(Screen_Width, Screen_Height);
    Load_External_Resources();
    Load_Sample_Button_Strips();
    int code = 0;
    {
        TDC_Widget_Sample sample;
        code = Run_Game_Window(sample, options);
    }
    Free_Sample_Button_Strips();
    Free_External_Resources();
    Graphics_Shutdown();
    if (code == 0 && !options.screenshot.empty())
        std::printf("%s\n", options.screenshot.c_str());
    return code;
}
