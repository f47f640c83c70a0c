#include "app/tool_commands.h"

#include <string>
#include <string_view>
#include <unordered_set>

#include "app/data_validators.h"
#include "app/game_startup.h"
#include "datafiles/data_file.h"
#include "datafiles/data_file_errors.h"
#include "game/value_dump.h"
#include "generation/generation_tools.h"
#include "platform/files.h"
#include "platform/names.h"
#include "shell/globals.h"

namespace {

constexpr const char* usage_text =
    "Usage: krelvane-tool COMMAND [ARGUMENT]...\n"
    "Commands for module authors.\n"
    "\n"
    "Commands:\n"
    "  parse FILE         print every record of a data file as the game reads it,\n"
    "                     then its error list (exit status 1 when it has errors)\n"
    "  validate [--game-dir DIR] [--module NAME]\n"
    "                     load every data file the game loads, as the game would\n"
    "                     (with --module, the module's own copies win), and print\n"
    "                     each file's error list (exit status 1 when any has errors)\n"
    "  create-module --module NAME [--game-dir DIR] [--seed N] [--difficulty D]\n"
    "                [--start-level L]\n"
    "                     dig, populate and write every level and the module file into\n"
    "                     the current-game folder; one line per map (exit status 1 when\n"
    "                     creation fails or a data file had errors, with their lists)\n"
    "  render-map FILE.map --png OUT.png [--game-dir DIR] [--module NAME]\n"
    "                     draw a level from above in its terrains' overview colours with\n"
    "                     entrances, creatures, items, chests and store keepers marked\n"
    "  dump [--raw] FILE  print a saved game's map, module, \"game.id\", character or\n"
    "                     high-score file as readable text\n"
    "  render-widgets --png OUT.png [--window] [--script FILE]\n"
    "                     draw every control in each of its states with the six\n"
    "                     fonts, for looking over the widgets\n"
    "  render-view --module NAME [--game-dir DIR] --seed N --map K [--at X,Y]\n"
    "              --png OUT.png\n"
    "                     create the module with the seed and draw what a new\n"
    "                     character standing on (X, Y) of map K sees (by default\n"
    "                     the start square, or the map's first entrance)\n"
    "  soak [--ticks N] [--seed S] [--game-dir DIR] [--module NAME]\n"
    "                     play the module headless with seeded random input for N\n"
    "                     ticks (default 20000, 20 a second) in a scratch copy of\n"
    "                     the game folder, checking every creature, item and square\n"
    "                     as it goes (exit status 1 on the first fault)\n"
    "  autoplay --module NAME [--game-dir DIR] [--class N] [--seed N]\n"
    "           [--difficulty D] [--max-ticks T] [--runs R] [--report FILE.json]\n"
    "           [--stop-at-map K] [--trace] [--record FILE] [--screenshot FILE.png]\n"
    "                     play the module headless from a new character to its end\n"
    "                     (or death) through the player's own commands; a line per\n"
    "                     level entered and a summary per run (won, died, stalled),\n"
    "                     each class in turn unless --class is given, seeds S to\n"
    "                     S+R-1, a table of win rate, median game time and median\n"
    "                     level per class, the runs as JSON with --report; T ticks\n"
    "                     of game time at most (default 216000, three hours);\n"
    "                     --stop-at-map ends a run when map K is entered, --trace\n"
    "                     prints a line a second (where, health, supplies, plan);\n"
    "                     for one run (--class, --runs 1) --record writes every\n"
    "                     key and click as an input script that the game plays\n"
    "                     back (its command is the script's first line; add\n"
    "                     --script FILE) and --screenshot saves the last frame\n"
    "  help, --help       print this help\n";

// Accepts every record and prints it as the loader sees it.
class TRecord_Printer : public TData_File_Loader {
  public:
    TRecord_Printer(const std::string& file, std::FILE* out) : TData_File_Loader(file), out_(out) {}

  protected:
    void Process_Record(int32_t record_number) override {
        std::fprintf(out_, "record %d\n", record_number);
        // The first of each name counts, as the loaders read it; a set keeps a record of
        // many keys quick to print.
        std::unordered_set<std::string> seen;
        for (const TField& field : Record_Fields())
            if (seen.insert(Lower_Case(field.name)).second)
                std::fprintf(out_, "  %s := %s\n", field.name.c_str(), field.value.c_str());
    }

  private:
    std::FILE* out_;
};

int usage_error(std::FILE* err, const std::string& message) {
    std::fprintf(err, "krelvane-tool: %s\n\n%s", message.c_str(), usage_text);
    return 2;
}

// The game's globals for one validation, put back as they were found at the end.
struct TValidation_Globals {
    TValidation_Globals() {
        Path_Settings = std::make_unique<TPath_Settings>();
        Game_Settings = std::make_unique<TGame_Settings>();
        // The checks load files as the game does, but the game's log is not theirs.
        Game_Settings->Generate_Debug_Log = false;
    }
    ~TValidation_Globals() {
        Path_Settings.reset();
        Game_Settings.reset();
    }
};

} // namespace

int Tool_Parse(const std::string& file, std::FILE* out) {
    TRecord_Printer printer(file, out);
    printer.Execute_Load();
    const std::vector<std::string>& errors = printer.Get_Error_List();
    std::fprintf(out, "errors %zu\n", errors.size());
    for (const std::string& message : errors) {
        std::fprintf(out, "  %s\n", message.c_str());
    }
    return errors.empty() ? 0 : 1;
}

int Tool_Validate(const TValidate_Options& options, std::FILE* out, std::FILE* err) {
    std::string game_dir = options.game_dir.empty() ? Default_Game_Dir() : options.game_dir;
    if (!Folder_Exists(game_dir)) {
        std::fprintf(err, "krelvane-tool: the game folder \"%s\" does not exist\n",
                     game_dir.c_str());
        return 2;
    }
    App_Dir = With_Trailing_Separator(game_dir);
    TValidation_Globals globals;
    if (!options.module.empty()) {
        if (!Is_Plain_Name(options.module) || !Path_Settings->Set_Module(options.module + "\\") ||
            !Folder_Exists(Path_Settings->Get_Module_Folder())) {
            std::fprintf(err, "krelvane-tool: there is no module \"%s\" in %sModules\n",
                         options.module.c_str(), App_Dir.c_str());
            return 2;
        }
    }

    std::vector<TData_File_Check> checks;
    for (const TData_Validator& validator : Data_Validators()) {
        validator.run(checks);
    }
    size_t with_errors = 0;
    for (const TData_File_Check& check : checks) {
        if (check.messages.empty()) {
            continue;
        }
        ++with_errors;
        for (const std::string& line :
             Error_List_Lines(check.heading, check.file, check.messages)) {
            std::fprintf(out, "%s\n", line.c_str());
        }
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "game folder: %s\n", App_Dir.c_str());
    if (!options.module.empty()) {
        std::fprintf(out, "module: %s\n", options.module.c_str());
    }
    std::fprintf(out, "checked:");
    for (size_t i = 0; i < Data_Validators().size(); ++i) {
        std::fprintf(out, "%s %s", i == 0 ? "" : ",", Data_Validators()[i].what);
    }
    std::fprintf(out, "\n%zu file%s read, %zu with errors\n", checks.size(),
                 checks.size() == 1 ? "" : "s", with_errors);
    return with_errors == 0 ? 0 : 1;
}

int Run_Tool(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    if (args.empty()) {
        return usage_error(err, "no command given");
    }
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        std::fprintf(out, "%s", usage_text);
        return 0;
    }
    if (command == "parse") {
        if (args.size() != 2) {
            return usage_error(err, "parse takes one data file");
        }
        return Tool_Parse(args[1], out);
    }
    if (command == "validate") {
        TValidate_Options options;
        for (size_t i = 1; i < args.size(); ++i) {
            const std::string& arg = args[i];
            std::string* target = arg == "--game-dir" ? &options.game_dir
                                  : arg == "--module" ? &options.module
                                                      : nullptr;
            if (target == nullptr) {
                return usage_error(err, "validate does not know \"" + arg + "\"");
            }
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return usage_error(err, arg + " needs a value");
            }
            *target = args[++i];
        }
        // "Crypt/" and "Crypt\" name the module "Crypt" as well.
        const bool module_given = !options.module.empty();
        options.module = Without_Trailing_Separators(options.module);
        if (module_given && options.module.empty()) {
            return usage_error(err, "--module needs a module folder name");
        }
        return Tool_Validate(options, out, err);
    }
    if (command == "create-module") {
        return Tool_Create_Module({args.begin() + 1, args.end()}, out, err);
    }
    if (command == "dump") {
        return Tool_Dump({args.begin() + 1, args.end()}, out, err);
    }
    if (command == "render-map") {
        return Tool_Render_Map({args.begin() + 1, args.end()}, out, err);
    }
    return usage_error(err, "unknown command \"" + command + "\"");
}
