#pragma once
// Names as text: the case-blind comparison the data files' names get, and the parts of
// a path. The game's paths take "\" (as data and save files write them) and "/" as
// folder separators; a native Linux path (the program's own location, the options
// file) takes only "/", since "\" is an ordinary character in a Linux file name.

#include <string>
#include <string_view>

// ASCII lower case; other bytes (accented letters in any encoding) are kept.
std::string Lower_Case(std::string_view Text);
// Equal, or less, ignoring ASCII case (on a common prefix the shorter comes first).
// Inline: data-file loaders compare every field name of every record with it.
inline bool Same_Name(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i) {
        char x = A[i], y = B[i];
        if (x == y)
            continue;
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}
bool Name_Less(std::string_view A, std::string_view B);

constexpr std::string_view Any_Separator = "/\\";
constexpr std::string_view Native_Separator = "/";

bool Is_Separator(char C, std::string_view Separators = Any_Separator);
// After the last separator ("Maps\level1.map" gives "level1.map"); the whole path
// when it has none; empty when it ends in one.
std::string File_Name_Part(std::string_view Path, std::string_view Separators = Any_Separator);
// Up to and including the last separator ("Maps\level1.map" gives "Maps\"); empty when
// there is none.
std::string Folder_Part(std::string_view Path, std::string_view Separators = Any_Separator);
// Adds "/" unless the folder already ends in a separator. An empty folder stays empty
// rather than becoming the root folder.
std::string With_Trailing_Separator(std::string Folder,
                                    std::string_view Separators = Any_Separator);
// Every trailing "/" and "\" removed: "Crypt\" and "Crypt/" both give "Crypt".
std::string Without_Trailing_Separators(std::string Folder);
