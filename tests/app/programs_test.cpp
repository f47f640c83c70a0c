// The two programs as a player or module author runs them.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "support/temp_dir.h"

namespace {

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a command line through the shell; stderr is collected through a file.
TRun run(const std::string& command, const TTemp_Dir& scratch) {
    TRun result;
    const std::string err_file = scratch.Path() + "stderr.txt";
    std::FILE* pipe = popen((command + " 2>'" + err_file + "'").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.err = scratch.Read("stderr.txt");
    return result;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string settings_file(bool with_allow_sound) {
    return std::string("Settings\r\n*BEGIN*\r\n// Game settings\r\n\r\nAllow Music := Yes\r\n") +
           (with_allow_sound ? "Allow Sound := Yes\r\n" : "") +
           "Use DirectSound := no\r\nMusic Song Intro := intro.ogg\r\nMusic Song Death := "
           "death.ogg\r\n"
           "Generate Debug Log := TRUE\r\n\r\n*END*\r\n";
}

const std::string tool = KV_TOOL_EXE;
const std::string game = KV_GAME_EXE;

TEST(Tool_Parse, PrintsEachRecordsDistinctFieldsAndNoErrors) {
    TTemp_Dir scratch;
    TRun r = run(quoted(tool) + " parse " +
                     quoted(std::string(KV_FIXTURES_DIR) + "/data_files/tool_parse.txt"),
                 scratch);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "record 1\n"
                     "  Name := Short Sword\n"
                     "  Type := Weapon\n"
                     "  // := \n"
                     "  Damage Min := 2\n"
                     "record 2\n"
                     "  Name := Torch // lit\n"
                     "  A := B := C\n"
                     "errors 0\n");
}

TEST(Tool_Parse, ListsTheErrorsAndFailsOnABrokenOrMissingFile) {
    TTemp_Dir scratch;
    const std::string broken = scratch.Write("Broken.txt", "Name := A\r\n\r\n");
    TRun r = run(quoted(tool) + " parse " + quoted(broken), scratch);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "errors 1\n  Cannot find *BEGIN*\n");

    const std::string missing = scratch.Path() + "Missing.txt";
    r = run(quoted(tool) + " parse " + quoted(missing), scratch);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "errors 1\n  Unable to load data file: \"" + missing + "\".\n");
}

TEST(Tool_Commands, BadCommandLinesShowTheUsageAndExitTwo) {
    TTemp_Dir scratch;
    for (const std::string args : {"", "frobnicate", "parse", "parse a b", "validate --colour",
                                   "validate --game-dir", "validate --module /"}) {
        TRun r = run(quoted(tool) + " " + args, scratch);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("Usage: krelvane-tool"), std::string::npos) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    TRun help = run(quoted(tool) + " --help", scratch);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("parse FILE"), std::string::npos);
    EXPECT_NE(help.out.find("validate"), std::string::npos);
}

// The other files validate checks, present and empty (no records, no errors).
void write_empty_data_files(const TTemp_Dir& game_dir, const std::string& module = "") {
    const std::string empty = "*BEGIN*\r\n\r\n\r\n*END*\r\n";
    game_dir.Write("Data/Effects.txt", empty);
    for (const char* file :
         {"Classes_ItemClasses.txt", "Classes.txt", "Spells.txt", "Summon_MonsterClasses.txt"}) {
        game_dir.Write(std::string("Data/") + file, empty);
    }
    if (!module.empty()) {
        for (const char* file :
             {"ItemModifiers.txt", "UniqueItemNames.txt", "ModuleData.txt", "MonsterModifiers.txt",
              "ChanceGroups.txt", "TrapGroups.txt", "Events.txt", "Quests.txt"}) {
            game_dir.Write("Modules/" + module + "/Data/" + file, empty);
        }
    }
}

TEST(Tool_Validate, AGoodGameFolderPasses) {
    TTemp_Dir game_dir;
    game_dir.Write("Data/Settings.txt", settings_file(true));
    write_empty_data_files(game_dir);
    TRun r = run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()), game_dir);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out.find("Data File Errors"), std::string::npos);
    EXPECT_NE(
        r.out.find(
            "checked: game settings, display effects, starting equipment, classes and spells, "
            "module\n6 files read, 0 with errors\n"),
        std::string::npos)
        << r.out;
}

TEST(Tool_Validate, ABrokenSettingsFileIsListedAsTheDialogShowsIt) {
    TTemp_Dir game_dir;
    game_dir.Write("log/placeholder", "");
    const std::string file = game_dir.Write("Data/Settings.txt", settings_file(false));
    write_empty_data_files(game_dir);
    TRun r = run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()), game_dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.out.rfind("Game Settings Data File Errors: \n" + file +
                        "\nCould not find field \"Allow Sound\" in record \"Main Record\".\n\n",
                    0),
        0u)
        << r.out;
    EXPECT_NE(r.out.find("6 files read, 1 with errors"), std::string::npos);
    // The tool does not write into the game's log.
    EXPECT_FALSE(std::ifstream(game_dir.Path() + "log/kv_log.txt").good());
}

TEST(Tool_Validate, AModulesOwnCopyWinsWhenTheModuleIsGiven) {
    TTemp_Dir game_dir;
    game_dir.Write("Data/Settings.txt", settings_file(true));
    const std::string own = game_dir.Write("Modules/Crypt/Data/Settings.txt", settings_file(false));
    write_empty_data_files(game_dir, "Crypt");
    write_empty_data_files(game_dir, "Plain");
    TRun r =
        run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()) + " --module Crypt",
            game_dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(own + "\nCould not find field \"Allow Sound\""), std::string::npos)
        << r.out;

    r = run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()), game_dir);
    EXPECT_EQ(r.status, 0);

    // A module folder without its own copy uses the common file (its empty definition
    // is the only complaint).
    game_dir.Write("Modules/Plain/Data/Other.txt", "");
    r = run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()) + " --module Plain",
            game_dir);
    EXPECT_EQ(r.out.find("Game Settings Data File Errors"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Cannot find module starting position."), std::string::npos) << r.out;
}

TEST(Tool_Validate, AMissingGameFolderOrModuleIsRefused) {
    TTemp_Dir game_dir;
    game_dir.Write("Data/Settings.txt", settings_file(true));
    TRun r =
        run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path() + "nowhere"), game_dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos);
    for (const std::string module : {"Nowhere", "../..", "a/b"}) {
        r = run(quoted(tool) + " validate --game-dir " + quoted(game_dir.Path()) + " --module " +
                    quoted(module),
                game_dir);
        EXPECT_EQ(r.status, 2) << module;
        EXPECT_NE(r.err.find("there is no module"), std::string::npos) << module;
    }
}

TEST(Game_Program, HelpListsEveryOption) {
    TTemp_Dir scratch;
    TRun r = run(quoted(game) + " --help", scratch);
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--game-dir DIR", "--version", "--help", "--headless",
                               "--screenshot FILE", "--script FILE", "--fullscreen"}) {
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
    r = run(quoted(game) + " --colour", scratch);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown option"), std::string::npos);
    r = run(quoted(game) + " --game-dir", scratch);
    EXPECT_EQ(r.status, 2);
    r = run(quoted(game) + " --headless --game-dir " + quoted(scratch.Path() + "nowhere"), scratch);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("does not exist"), std::string::npos);
}

TEST(Game_Program, StartsAndShutsDownOnAGameFolder) {
    TTemp_Dir game_dir;
    TTemp_Dir config;
    const std::string settings = game_dir.Write("Data/Settings.txt", settings_file(true));
    game_dir.Write("log/placeholder", "");
    TRun r = run("XDG_CONFIG_HOME=" + quoted(config.Path()) + " " + quoted(game) +
                     " --headless --game-dir " + quoted(game_dir.Path()),
                 game_dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("game folder:  " + game_dir.Path()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(settings + " (read)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(config.Path() + "krelvane/options.ini"), std::string::npos) << r.out;

    const std::string log = game_dir.Read("log/kv_log.txt");
    const size_t banner = log.find("New Execution");
    const size_t created = log.find("TDlg_Main.FormCreate - End");
    const size_t destroyed = log.find("TDlg_Main.FormDestroy - End");
    EXPECT_NE(banner, std::string::npos);
    EXPECT_LT(banner, created);
    EXPECT_LT(created, destroyed);
    EXPECT_NE(destroyed, std::string::npos);
    EXPECT_NE(config.Read("krelvane/options.ini").find(game_dir.Path()), std::string::npos);
}

TEST(Game_Program, SettingsErrorsAreShownAndStartUpGoesOn) {
    TTemp_Dir game_dir;
    TTemp_Dir config;
    TRun r = run("XDG_CONFIG_HOME=" + quoted(config.Path()) + " " + quoted(game) +
                     " --headless --game-dir " + quoted(game_dir.Path()),
                 game_dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Data File Error: Errors reading file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Data File Error: Unable to load data file"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("(had errors)"), std::string::npos) << r.out;
}

TEST(Game_Program, WithoutADisplayItSaysSoAndStops) {
    TTemp_Dir game_dir;
    TTemp_Dir config;
    game_dir.Write("Data/Settings.txt", settings_file(true));
    // No desktop and no driver asked for by name: SDL's invisible fallbacks do not count.
    TRun r = run("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" +
                     quoted(config.Path()) + " timeout 60 " + quoted(game) + " --game-dir " +
                     quoted(game_dir.Path()),
                 game_dir);
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.err.find("No display is available"), std::string::npos) << r.err;
}

TEST(Game_Program, AQuickStartRefusesWrongValuesWithOneLine) {
    TTemp_Dir config;
    const std::string env = "SDL_VIDEODRIVER=dummy XDG_CONFIG_HOME=" + quoted(config.Path()) + " ";
    const std::string start = env + quoted(game) + " --headless ";
    for (const std::string wrong :
         {"--new-game Nowhere", "--new-game ../Data", "--new-game Hollowmere --class 0",
          "--new-game Hollowmere --class 99", "--new-game Hollowmere --difficulty 5",
          "--new-game Hollowmere --seed -1", "--new-game Hollowmere --seed x", "--class 2",
          "--new-game Hollowmere --name a/b", "--new-game"}) {
        TRun r = run(start + wrong, config);
        EXPECT_EQ(r.status, 2) << wrong << "\n" << r.err;
        EXPECT_NE(r.err.find("krelvane: "), std::string::npos) << wrong;
    }
}

TEST(Game_Program, AQuickStartPlaysTheDefaultModuleHeadless) {
    TTemp_Dir config;
    const std::string script = config.Write("play.txt", "wait 20\nkey I\nwait 5\nquit\n");
    const std::string shot = config.Path() + "game.png";
    TRun r = run("SDL_VIDEODRIVER=dummy XDG_CONFIG_HOME=" + quoted(config.Path()) + " " +
                     quoted(game) + " --headless --new-game Hollowmere --class 2 --name Ilse " +
                     "--seed 9 --script " + quoted(script) + " --screenshot " + quoted(shot),
                 config);
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream png(shot, std::ios::binary);
    EXPECT_TRUE(png.good());
}

TEST(Tool_Files, ADeviceThatNeverEndsIsRefusedNotRead) {
    TTemp_Dir scratch;
    TRun r = run("timeout 20 " + quoted(tool) + " parse /dev/zero", scratch);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Unable to load data file: \"/dev/zero\"."), std::string::npos) << r.out;
    r = run("timeout 20 " + quoted(tool) + " dump /dev/zero", scratch);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;
}

// A record of 200,000 distinct keys: printed in well under the limit (a printer that
// compares every key with every earlier one needs minutes).
TEST(Tool_Parse, ARecordOfManyKeysIsPrintedInTime) {
    TTemp_Dir scratch;
    std::string text = "Test\r\n*BEGIN*\r\n";
    for (int i = 0; i < 200000; ++i)
        text += "Key " + std::to_string(i) + " := v\r\n";
    text += "*END*\r\n";
    const std::string file = scratch.Write("Many.txt", text);
    TRun r = run("timeout 20 " + quoted(tool) + " parse " + quoted(file) + " | tail -2", scratch);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "  Key 199999 := v\nerrors 0\n");
}

TEST(Game_Program, TheToolSwitchesWorkWithOrWithoutDashes) {
    TTemp_Dir config;
    const std::string start =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted(config.Path()) +
        " " + quoted(game) + " --headless ";
    for (const std::string wrong : {"mapgen tilegen", "--new-game Hollowmere --mapgen"}) {
        TRun r = run(start + wrong, config);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_NE(r.err.find("krelvane: "), std::string::npos) << wrong;
    }
    // Past the opening picture, the tool opens; the tile editor names its grid's size.
    const std::string script = config.Write("open.txt", "wait 110\nquit\n");
    std::map<std::string, std::string> shots;
    for (const std::string switches : {"mapgen", "tilegen", "--tilegen", "tilegen --width2"}) {
        const std::string shot = config.Path() + "shot.png";
        TRun r =
            run(start + switches + " --script " + quoted(script) + " --screenshot " + quoted(shot),
                config);
        EXPECT_EQ(r.status, 0) << switches << "\n" << r.err;
        shots[switches] = config.Read("shot.png");
    }
    EXPECT_TRUE(shots["mapgen"] != shots["tilegen"]);
    EXPECT_TRUE(shots["tilegen"] == shots["--tilegen"]);
    EXPECT_TRUE(shots["tilegen"] != shots["tilegen --width2"]);
}

TEST(Tool_Soak, TwentyThousandTicksOfRandomPlayKeepEveryLevelSound) {
    TTemp_Dir scratch;
    const std::string start =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted(scratch.Path()) +
        " " + quoted(tool) + " soak ";
    TRun r = run(start + "--ticks 20000 --seed 7 --game-dir " + quoted(KV_GAME_DIR), scratch);
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("20000 ticks"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no fault"), std::string::npos) << r.out;
    // It played: saved, changed levels and opened dialogs on the way.
    int games = 0, saves = 0, loads = 0, changes = 0, dialogs = 0;
    const size_t at = r.out.find(": ", r.out.find("seed 7"));
    ASSERT_NE(at, std::string::npos) << r.out;
    ASSERT_EQ(std::sscanf(r.out.c_str() + at,
                          ": %d games, %d saves, %d loads, %d level changes, %d dialogs", &games,
                          &saves, &loads, &changes, &dialogs),
              5)
        << r.out;
    EXPECT_GT(saves, 0);
    EXPECT_GT(changes, 0);
    EXPECT_GT(dialogs, 0);

    for (const std::string wrong :
         {"--ticks 0", "--ticks x", "--seed -1", "--module ../x", "--colour", "--game-dir"}) {
        r = run(start + wrong, scratch);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_NE(r.err.find("soak: "), std::string::npos) << wrong;
    }
}

// A new character of the first class walks out of the town and down two levels through
// the player's own commands, alive; the report says the same as the lines.
TEST(Tool_Autoplay, ANewCharacterReachesTheThirdLevelAlive) {
    TTemp_Dir scratch;
    const std::string start =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted(scratch.Path()) +
        " " + quoted(tool) + " autoplay ";
    const std::string report = scratch.Path() + "report.json";
    TRun r = run(start +
                     "--module Hollowmere --class 1 --seed 3 --max-ticks 40000 "
                     "--stop-at-map 3 --trace --report " +
                     quoted(report) + " --game-dir " + quoted(KV_GAME_DIR),
                 scratch);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const std::string map : {"map 1 ", "map 2 ", "map 3 "})
        EXPECT_NE(r.out.find("autoplay: " + map), std::string::npos) << map << r.out;
    EXPECT_NE(r.out.find("seed 3: stopped after"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" map 2 ("), std::string::npos) << "a traced line a second";
    // Every press on a dialog's control (talk, conversation, store, inventory pages,
    // statistics, spells) landed where the dialog draws it.
    EXPECT_EQ(r.out.find("did nothing"), std::string::npos) << r.out;
    const std::string json = scratch.Read("report.json");
    EXPECT_NE(json.find("\"outcome\": \"stopped\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"deepest_map\": 3"), std::string::npos) << json;
    EXPECT_NE(json.find("\"death_cause\": \"\""), std::string::npos) << json;

    for (const std::string wrong :
         {"", "--module Hollowmere --class 0", "--module Hollowmere --runs 0",
          "--module Hollowmere --seed", "--module ../x", "--module Hollowmere --colour",
          "--module Hollowmere --record r.txt",
          "--module Hollowmere --class 1 --runs 2 --screenshot r.png"}) {
        r = run(start + wrong, scratch);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_NE(r.err.find("autoplay: "), std::string::npos) << wrong;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << wrong << r.err;
    }
    // The classes are the game's own: a fourth is not among the default three.
    r = run(start + "--module Hollowmere --class 4 --game-dir " + quoted(KV_GAME_DIR), scratch);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("there is no class 4 (the game has 3)"), std::string::npos) << r.err;
}

// A recorded run played back in the game ends on the same frame: the same square,
// health, experience, gold and backpack, after talking to the townsfolk and shopping
// through the screen's controls.
TEST(Tool_Autoplay, ARecordedRunPlaysBackInTheGameToTheSameEnd) {
    TTemp_Dir scratch;
    const std::string env =
        "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=" + quoted(scratch.Path()) +
        " ";
    TRun r = run(env + quoted(tool) +
                     " autoplay --module Hollowmere --class 1 --seed 3 "
                     "--max-ticks 2400 --trace --record " +
                     quoted(scratch.Path() + "run.txt") + " --screenshot " +
                     quoted(scratch.Path() + "autoplay.png") + " --game-dir " + quoted(KV_GAME_DIR),
                 scratch);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    // Two minutes in the town: the townsfolk talked to (a quest done by talk) and food
    // bought from the first store keeper met.
    EXPECT_NE(r.out.find("talking to"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("going to buy from"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("quests done: none"), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
    const std::string script = scratch.Read("run.txt");
    const std::string first = script.substr(0, script.find('\n'));
    ASSERT_EQ(first.rfind("# krelvane --new-game Hollowmere --class 1 --name Autoplay "
                          "--difficulty 2 --seed 3",
                          0),
              0u)
        << first;
    // Played back by the command on its first line.
    r = run(env + quoted(game) + " --headless --game-dir " + quoted(KV_GAME_DIR) + " " +
                first.substr(first.find("--new-game")) + " --script " +
                quoted(scratch.Path() + "run.txt") + " --screenshot " +
                quoted(scratch.Path() + "game.png"),
            scratch);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string autoplay = scratch.Read("autoplay.png"), played = scratch.Read("game.png");
    EXPECT_FALSE(autoplay.empty());
    EXPECT_TRUE(autoplay == played) << "the playback went another way";
}

} // namespace
