#pragma once
// The table of data-file checks run by "krelvane-tool validate". Each layer adds one
// entry per kind of file it loads (item classes, monsters, terrain, module files...),
// loading it the way the game does, with the game's globals already set up.

#include <string>
#include <vector>

// One file read by a check, and its error list (empty when the file is sound).
struct TData_File_Check {
    std::string heading;
    std::string file;
    std::vector<std::string> messages;
};

struct TData_Validator {
    // What is checked, for the summary ("game settings").
    const char* what;
    // Loads its file or files and appends one entry per file read.
    void (*run)(std::vector<TData_File_Check>& checks);
};

const std::vector<TData_Validator>& Data_Validators();
