#pragma once
// Files and folders as the game names them.
//
// Paths inside the engine are built the way the data and save files write them:
// App_Dir + "Data\" + "Settings.txt". Every function here accepts such a path: "\" is
// taken as a folder separator, and each part of the path is found without regard to
// case when the exact name does not exist. A whole path is never upper- or
// lower-cased; only the parts that are looked up are compared that way.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The Linux form of a game path: separators turned to "/", and each existing part
// replaced by the name it really has on disk (matched case-insensitively). Parts
// that do not exist yet are kept as written, so the result can be created.
std::string Native_Path(const std::string& path);

bool File_Exists(const std::string& path);
bool Folder_Exists(const std::string& path);

// A name read from a data file, a save file or typed by the player must be a plain
// file name: not empty, no "\" or "/", no ":", no "..", no control characters, not
// "." alone. Anything else is treated as a file that does not exist.
bool Is_Plain_Name(const std::string& name);
// A module's folder name: a plain name followed by one trailing "\" (or "/").
bool Is_Plain_Folder_Name(const std::string& name);

// Creates the folder and any missing parents. True when it exists afterwards.
bool Create_Folder(const std::string& path);
// Sorted names (without folder) of the plain files, or of the sub-folders, of a folder;
// "." and ".." are never listed. Empty when the folder does not exist.
std::vector<std::string> List_Files(const std::string& folder);
std::vector<std::string> List_Folders(const std::string& folder);
// Copies one file, replacing the target; the target is written whole or not at all.
bool Copy_File(const std::string& from, const std::string& to);
bool Delete_File(const std::string& path);
// Deletes a folder and everything in it. True when it no longer exists.
bool Delete_Folder(const std::string& path);
bool Rename_File(const std::string& from, const std::string& to);

// Whole-file reading and writing. Writing goes to a temporary file beside the target
// that is renamed over it only once complete, so a failed write leaves the old file.
// No game file comes near this size; anything larger is refused rather than read.
inline constexpr size_t Max_Game_File_Bytes = size_t(64) << 20;
bool Read_Whole_File(const std::string& path, std::string& bytes,
                     size_t max_bytes = Max_Game_File_Bytes);
bool Write_File_Atomic(const std::string& path, const std::string& bytes);

// A test seam: from now on the Nth file change (a whole-file write, a file copy, a
// rename or a folder made) fails as it would on a full disk; 0 lets every change
// succeed. File_Changes_Counted tells how many changes were asked for since.
void Fail_File_Change(int64_t n);
int64_t File_Changes_Counted();

// std::fopen on the native path (for streams written piece by piece).
std::FILE* Open_File(const std::string& path, const char* mode);

// The folder of the running program, ending in "/".
std::string Executable_Dir();
// The full path of the running program.
std::string Executable_Path();
