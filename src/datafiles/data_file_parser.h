#pragma once
// The line syntax of data files. Lives only inside TData_File_Loader::Execute_Load.
//
// The whole file is read into memory once; lines, names and values are views into
// that text, so reading a record allocates nothing beyond its field list.

#include <string>
#include <string_view>
#include <vector>

#include "datafiles/data_file.h"

class TData_File_Parser {
  public:
    // Opens the file and searches for the start marker. Throws when the file cannot
    // be read; a missing marker is reported as "Cannot find *BEGIN*" in error_list.
    TData_File_Parser(const std::string& file_name, std::vector<std::string>& error_list);
    TData_File_Parser(const TData_File_Parser&) = delete;
    TData_File_Parser& operator=(const TData_File_Parser&) = delete;

    // Reads and classifies the next line: end (sets the end flag), field (name and
    // value), comment (name "//", empty value) or separator (both empty).
    void Read_Line();
    // Reads lines until a separator or the end; true when the record has a field.
    bool Read_Record(std::vector<TData_File_Loader::TField_View>& fields);
    bool End_Of_Data() const { return end_; }

  private:
    // The next raw line, without its line end; exhausted_ tells whether it was the
    // file's last.
    std::string_view next_line();

    std::string file_name_;
    std::string text_;
    size_t position_ = 0;
    bool exhausted_ = false;
    bool end_ = false;
    std::string_view line_;
    std::string_view field_name_;
    std::string_view field_value_;
    std::vector<std::string>& error_list_;
};

// Leading and trailing blanks and control characters (every byte up to 32) removed.
std::string_view Trim_Data_Text(std::string_view text);
