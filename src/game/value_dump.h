#pragma once
// krelvane-tool dump [--raw] FILE: prints a file written in the value encoding as
// readable text. The kind is told by the name: "game.id", "HighScores.dat", a level
// (".map"), a module file (".mod") or a character (".dat"); any other file, and every
// file with --raw, is listed value by value (byte offset, kind, value).

#include <cstdio>
#include <string>
#include <vector>

// args are the words after the command name. 0 when the file was printed whole, 1
// when it is damaged (the values before the damage are listed), 2 for a usage error or
// a file that cannot be read.
int Tool_Dump(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The value-by-value listing of the bytes; false (after listing what could be read)
// at the first byte that is no value.
bool Dump_Raw_Values(const std::string& bytes, std::FILE* out, std::string& error);
