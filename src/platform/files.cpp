#include "platform/files.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/names.h"

namespace fs = std::filesystem;

namespace {

bool exists(const std::string& native) {
    struct stat st;
    return ::stat(native.c_str(), &st) == 0;
}

// The real name of `part` inside the folder `dir` (native, ending in "/"): the exact
// name when it exists, else the first entry (in sorted order, so the choice is stable)
// that matches ignoring case, else the part as written.
std::string find_part(const std::string& dir, const std::string& part) {
    if (part == "." || part == ".." || exists(dir + part)) {
        return part;
    }
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) {
        return part;
    }
    std::string best;
    while (dirent* e = ::readdir(d)) {
        if (Same_Name(part, e->d_name) && (best.empty() || best > e->d_name)) {
            best = e->d_name;
        }
    }
    ::closedir(d);
    return best.empty() ? part : best;
}

std::vector<std::string> list_entries(const std::string& folder, bool want_folders) {
    std::vector<std::string> names;
    std::string dir = Native_Path(folder);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        bool is_folder = it->is_directory(type_ec);
        bool is_file = it->is_regular_file(type_ec);
        if ((want_folders && is_folder) || (!want_folders && is_file)) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::string Native_Path(const std::string& path) {
    std::string result;
    result.reserve(path.size());
    size_t start = 0;
    if (!path.empty() && Is_Separator(path[0])) {
        result.push_back('/');
        start = 1;
    }
    bool lookup = true; // once a part is missing, nothing below it can exist
    while (start <= path.size()) {
        size_t end = path.find_first_of(Any_Separator, start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string part = path.substr(start, end - start);
        if (!part.empty()) {
            std::string real = lookup ? find_part(result, part) : part;
            if (lookup && !exists(result + real)) {
                lookup = false;
            }
            result += real;
            if (end < path.size()) {
                result += '/';
            }
        }
        start = end + 1;
    }
    return result;
}

bool File_Exists(const std::string& path) {
    struct stat st;
    return ::stat(Native_Path(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool Folder_Exists(const std::string& path) {
    struct stat st;
    return ::stat(Native_Path(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Is_Plain_Name(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    if (name.find("..") != std::string::npos) {
        return false;
    }
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c < 32 || c == 127) {
            return false;
        }
    }
    return true;
}

bool Is_Plain_Folder_Name(const std::string& name) {
    if (name.size() < 2 || !Is_Separator(name.back())) {
        return false;
    }
    return Is_Plain_Name(name.substr(0, name.size() - 1));
}

namespace {

// The test seam's count of file changes, and the one to fail (0: none).
int64_t file_changes = 0;
int64_t failing_change = 0;

// Counts one file change; true when it is the one to fail, as a full disk would.
bool change_fails() {
    ++file_changes;
    return failing_change != 0 && file_changes == failing_change;
}

bool write_whole_file(const std::string& path, const std::string& bytes) {
    std::string native = Native_Path(path);
    if (native.empty() || native.back() == '/') {
        return false;
    }
    std::string temp = native + ".tmp-" + std::to_string(::getpid());
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (ok && std::rename(temp.c_str(), native.c_str()) == 0) {
        return true;
    }
    std::remove(temp.c_str());
    return false;
}

} // namespace

void Fail_File_Change(int64_t n) {
    file_changes = 0;
    failing_change = n;
}

int64_t File_Changes_Counted() {
    return file_changes;
}

bool Create_Folder(const std::string& path) {
    if (change_fails()) {
        return false;
    }
    std::error_code ec;
    std::string native = Native_Path(path);
    fs::create_directories(native, ec);
    return fs::is_directory(native, ec);
}

std::vector<std::string> List_Files(const std::string& folder) {
    return list_entries(folder, false);
}

std::vector<std::string> List_Folders(const std::string& folder) {
    return list_entries(folder, true);
}

bool Copy_File(const std::string& from, const std::string& to) {
    std::string bytes;
    if (!Read_Whole_File(from, bytes) || change_fails()) {
        return false;
    }
    return write_whole_file(to, bytes);
}

bool Delete_File(const std::string& path) {
    std::error_code ec;
    return fs::remove(Native_Path(path), ec) && !ec;
}

bool Delete_Folder(const std::string& path) {
    std::error_code ec;
    std::string native = Native_Path(path);
    fs::remove_all(native, ec);
    return !fs::exists(native, ec);
}

bool Rename_File(const std::string& from, const std::string& to) {
    if (change_fails()) {
        return false;
    }
    return std::rename(Native_Path(from).c_str(), Native_Path(to).c_str()) == 0;
}

bool Read_Whole_File(const std::string& path, std::string& bytes, size_t max_bytes) {
    bytes.clear();
    std::FILE* f = Open_File(path, "rb");
    if (f == nullptr) {
        return false;
    }
    bool ok = true;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        long size = std::ftell(f);
        if (size > 0 && static_cast<size_t>(size) > max_bytes) {
            std::fclose(f);
            return false;
        }
        if (size > 0) {
            bytes.reserve(static_cast<size_t>(size));
        }
        std::rewind(f);
    }
    char buffer[65536];
    size_t n;
    // A file that grows while it is read (or claims no size) stops at the limit too.
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        if (bytes.size() + n > max_bytes) {
            ok = false;
            break;
        }
        bytes.append(buffer, n);
    }
    if (!ok || std::ferror(f)) {
        ok = false;
        bytes.clear();
    }
    std::fclose(f);
    return ok;
}

bool Write_File_Atomic(const std::string& path, const std::string& bytes) {
    return !change_fails() && write_whole_file(path, bytes);
}

std::FILE* Open_File(const std::string& path, const char* mode) {
    std::string native = Native_Path(path);
    if (native.empty()) {
        return nullptr;
    }
    // Only regular files are read: a folder, a device that never ends or a pipe that
    // blocks forever is no game file.
    struct stat st;
    if (mode[0] == 'r' && ::stat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return nullptr;
    }
    return std::fopen(native.c_str(), mode);
}

std::string Executable_Path() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string Executable_Dir() {
    std::string exe = Executable_Path();
    const std::string folder = Folder_Part(exe, Native_Separator);
    return folder.empty() ? std::string("./") : folder;
}
