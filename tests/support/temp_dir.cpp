#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

#include "platform/files.h"

TTemp_Dir::TTemp_Dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvtest-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern + "/";
}

TTemp_Dir::~TTemp_Dir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TTemp_Dir::Write(const std::string& relative, const std::string& bytes) const {
    std::string native = relative;
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    std::filesystem::path full = std::filesystem::path(path_) / native;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << bytes;
    return full.string();
}

std::string TTemp_Dir::Read(const std::string& relative) const {
    std::string bytes;
    Read_Whole_File(path_ + relative, bytes);
    return bytes;
}
