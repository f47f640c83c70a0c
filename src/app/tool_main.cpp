// krelvane-tool: commands for module authors.

#include <cstdio>
#include <string>
#include <vector>

#include "app/autoplay.h"
#include "app/program_services.h"
#include "app/render_view.h"
#include "app/soak.h"
#include "app/tool_commands.h"
#include "app/window_host.h"

int main(int argc, char** argv) {
    const TProgram_Services services;
    if (argc >= 2 && std::string(argv[1]) == "render-widgets") {
        return Tool_Render_Widgets(argc - 1, argv + 1);
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "soak")
        return Tool_Soak({args.begin() + 1, args.end()}, stdout, stderr);
    if (!args.empty() && args[0] == "autoplay")
        return Tool_Autoplay({args.begin() + 1, args.end()}, stdout, stderr);
    if (!args.empty() && args[0] == "render-view")
        return Tool_Render_View({args.begin() + 1, args.end()}, stdout, stderr);
    return Run_Tool(args, stdout, stderr);
}
