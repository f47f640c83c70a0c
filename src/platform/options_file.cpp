#include "platform/options_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/files.h"
#include "platform/names.h"

namespace {

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') {
        ++b;
    }
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') {
        --e;
    }
    return s.substr(b, e - b);
}

// Strings are quoted; inside them \" and \\ stand for " and \.
std::string quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
        out += c;
    }
    return out + "\"";
}

bool unquote(const std::string& text, std::string& out) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return false;
    }
    out.clear();
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 2 < text.size()) {
            c = text[++i];
        }
        out += c;
    }
    return true;
}

bool parse_integer(const std::string& text, int32_t& out) {
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < INT32_MIN || v > INT32_MAX) {
        return false;
    }
    out = static_cast<int32_t>(v);
    return true;
}

} // namespace

bool TOptions_File::TName_Less::operator()(const std::string& a, const std::string& b) const {
    return Name_Less(a, b);
}

TOptions_File::TOptions_File(std::string path) : path_(std::move(path)) {}

std::string TOptions_File::Default_Path() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr && home[0] != '\0' ? home : ".") + "/.config";
    }
    return With_Trailing_Separator(base, Native_Separator) + "krelvane/options.ini";
}

bool TOptions_File::Load() {
    values_.clear();
    std::string bytes;
    if (!Read_Whole_File(path_, bytes)) {
        return false;
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string line = trim(bytes.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            continue;
        }
        std::string name = trim(line.substr(0, eq));
        std::string raw = trim(line.substr(eq + 1));
        TValue value;
        if (unquote(raw, value.text)) {
            value.is_integer = false;
        } else if (parse_integer(raw, value.number)) {
            value.is_integer = true;
        } else {
            continue;
        }
        if (!name.empty()) {
            values_[name] = value;
        }
    }
    return true;
}

bool TOptions_File::Save() const {
    std::string out = "# Krelvane options: the player's own choices.\n";
    for (const auto& [name, value] : values_) {
        out += name + " = " +
               (value.is_integer ? std::to_string(value.number) : quote(value.text)) + "\n";
    }
    const std::string folder = Folder_Part(path_, Native_Separator);
    if (!folder.empty() && !Create_Folder(folder)) {
        return false;
    }
    return Write_File_Atomic(path_, out);
}

bool TOptions_File::Has_Value(const std::string& name) const {
    return values_.count(name) != 0;
}

bool TOptions_File::Read_String(const std::string& name, std::string& value) const {
    auto it = values_.find(name);
    if (it == values_.end() || it->second.is_integer) {
        return false;
    }
    value = it->second.text;
    return true;
}

bool TOptions_File::Read_Integer(const std::string& name, int32_t& value) const {
    auto it = values_.find(name);
    if (it == values_.end() || !it->second.is_integer) {
        return false;
    }
    value = it->second.number;
    return true;
}

void TOptions_File::Write_String(const std::string& name, const std::string& value) {
    TValue v;
    v.text = value;
    values_[name] = v;
}

void TOptions_File::Write_Integer(const std::string& name, int32_t value) {
    TValue v;
    v.is_integer = true;
    v.number = value;
    values_[name] = v;
}
