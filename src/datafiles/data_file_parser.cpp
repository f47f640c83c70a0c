#include "datafiles/data_file_parser.h"

#include <cstring>
#include <stdexcept>

#include "platform/files.h"

namespace {

constexpr std::string_view begin_marker = "*BEGIN*";
constexpr std::string_view end_marker = "*END*";
constexpr std::string_view field_mark = ":=";
constexpr std::string_view comment_mark = "//";

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

} // namespace

std::string_view Trim_Data_Text(std::string_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') {
        --last;
    }
    return text.substr(first, last - first);
}

TData_File_Parser::TData_File_Parser(const std::string& file_name,
                                     std::vector<std::string>& error_list)
    : file_name_(file_name), error_list_(error_list) {
    if (!Read_Whole_File(file_name_, text_)) {
        throw std::runtime_error("cannot read " + file_name_);
    }
    bool found = false;
    for (;;) {
        std::string_view line = next_line();
        if (contains(line, end_marker)) {
            end_ = true;
            break;
        }
        if (contains(line, begin_marker)) {
            // A marker on the file's last line is still found: the file simply holds
            // no records, which is not worth a "Cannot find" message.
            found = true;
            end_ = exhausted_;
            break;
        }
        if (exhausted_) {
            end_ = true;
            break;
        }
    }
    if (found) {
        // The two lines after the marker hold a title and a blank line by habit.
        next_line();
        next_line();
    } else {
        error_list_.emplace_back("Cannot find *BEGIN*");
    }
}

std::string_view TData_File_Parser::next_line() {
    if (position_ >= text_.size()) {
        exhausted_ = true;
        return {};
    }
    const char* start = text_.data() + position_;
    size_t left = text_.size() - position_;
    const void* newline = std::memchr(start, '\n', left);
    size_t length =
        newline != nullptr ? static_cast<size_t>(static_cast<const char*>(newline) - start) : left;
    position_ += newline != nullptr ? length + 1 : length;
    exhausted_ = position_ >= text_.size();
    std::string_view line(start, length);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

void TData_File_Parser::Read_Line() {
    line_ = next_line();
    field_name_ = {};
    field_value_ = {};
    if (exhausted_ || contains(line_, end_marker)) {
        end_ = true;
        return;
    }
    size_t split = line_.find(field_mark);
    if (split != std::string_view::npos) {
        field_name_ = Trim_Data_Text(line_.substr(0, split));
        field_value_ = Trim_Data_Text(line_.substr(split + field_mark.size()));
    } else if (contains(line_, comment_mark)) {
        field_name_ = comment_mark;
    }
}

bool TData_File_Parser::Read_Record(std::vector<TData_File_Loader::TField_View>& fields) {
    fields.clear();
    while (!end_) {
        Read_Line();
        if (end_) {
            break;
        }
        if (field_name_.empty()) {
            // A field line with nothing before ":=" also lands here; it has no name to
            // be asked for, and a blank line must end the record.
            if (line_.find(field_mark) == std::string_view::npos) {
                break;
            }
            continue;
        }
        fields.push_back({field_name_, field_value_});
    }
    return !fields.empty();
}
