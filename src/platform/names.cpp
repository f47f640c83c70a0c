#include "platform/names.h"

#include <algorithm>

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

std::string Lower_Case(std::string_view Text) {
    std::string result(Text);
    for (char& c : result)
        c = lower(c);
    return result;
}

bool Name_Less(std::string_view A, std::string_view B) {
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(lower(A[i]));
        const unsigned char y = static_cast<unsigned char>(lower(B[i]));
        if (x != y)
            return x < y;
    }
    return A.size() < B.size();
}

bool Is_Separator(char C, std::string_view Separators) {
    return Separators.find(C) != std::string_view::npos;
}

std::string File_Name_Part(std::string_view Path, std::string_view Separators) {
    const size_t cut = Path.find_last_of(Separators);
    return std::string(cut == std::string_view::npos ? Path : Path.substr(cut + 1));
}

std::string Folder_Part(std::string_view Path, std::string_view Separators) {
    const size_t cut = Path.find_last_of(Separators);
    return cut == std::string_view::npos ? std::string() : std::string(Path.substr(0, cut + 1));
}

std::string With_Trailing_Separator(std::string Folder, std::string_view Separators) {
    if (!Folder.empty() && !Is_Separator(Folder.back(), Separators))
        Folder += '/';
    return Folder;
}

std::string Without_Trailing_Separators(std::string Folder) {
    while (!Folder.empty() && Is_Separator(Folder.back()))
        Folder.pop_back();
    return Folder;
}
