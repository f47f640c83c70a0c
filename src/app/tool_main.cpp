// krelvane-tool: commands for module authors.

#include <cstdio>
#include <string>
#include <vector>

#include "app/tool_commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return Run_Tool(args, stdout, stderr);
}
