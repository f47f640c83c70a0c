#pragma once
// The module authors' commands of krelvane-tool.

#include <cstdio>
#include <string>
#include <vector>

// Prints every record of a data file as the engine reads it:
//   record N
//     NAME := VALUE      one line per distinct name (case-insensitive), in the order
//                        the names first appear, with the value of the first one
//   errors K
//     MESSAGE            each message of the error list
// Returns 0 without errors, 1 otherwise.
int Tool_Parse(const std::string& file, std::FILE* out);

struct TValidate_Options {
    std::string game_dir;
    // The module folder name, without the trailing separator; empty for none.
    std::string module;
};

// Loads every data file the engine loads, as the game would, and prints each
// non-empty error list as the error list dialog shows it, then a summary. Returns 0
// when no file had errors, 1 otherwise, 2 when the game folder or module is missing.
int Tool_Validate(const TValidate_Options& options, std::FILE* out, std::FILE* err);

// The whole command line of krelvane-tool (arguments after the program name).
int Run_Tool(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);
