// krelvane-forge: makes the default content's pictures, sounds and music.

#include <cstdio>
#include <string>
#include <vector>

#include "forge.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "Usage: krelvane-forge OUTDIR\n"
                 "       krelvane-forge --contact-sheet OUTDIR\n"
                 "Writes every generated picture and sound below OUTDIR (the game folder),\n"
                 "or PNG sheets of every picture at 2x, grouped by kind, for review.\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        usage();
        return 0;
    }
    const bool sheets = args.size() == 2 && args[0] == "--contact-sheet";
    if (!sheets && (args.size() != 1 || args[0].starts_with("-")))
        return usage();
    std::vector<std::string> log;
    const bool ok = sheets ? Forge_Contact_Sheets(args[1], log) : Forge_All(args[0], log);
    for (const std::string& line : log)
        std::fprintf(ok ? stdout : stderr, "%s\n", line.c_str());
    return ok ? 0 : 1;
}
