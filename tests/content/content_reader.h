#pragma once
// Reads a shipped data file through the engine's own parser and keeps every record
// as a case-insensitive field table, so the content tests can follow references.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/names.h"

struct TNo_Case_Less {
    bool operator()(const std::string& a, const std::string& b) const { return Name_Less(a, b); }
};

class TContent_Record {
  public:
    int number = 0;
    std::map<std::string, std::string, TNo_Case_Less> fields;

    bool Has(const std::string& key) const { return fields.count(key) > 0; }
    // The value of a key the content must give; a missing key fails the calling test.
    std::string Get(const std::string& key) const;
    long Num(const std::string& key) const;
    // The values of a numbered list: count key, then pattern with "#" for 1..count.
    std::vector<std::string> List(const std::string& count_key, const std::string& pattern) const;
};

struct TContent_File {
    std::string path;
    std::vector<TContent_Record> records;
    std::vector<std::string> errors;
};

// The repository's content folder, ending in "/".
std::string Content_Dir();
TContent_File Read_Content(const std::string& relative);
std::vector<std::string> All_Content_Files();

// Terrain categories as the generator splits them: comma-separated, lower case.
std::set<std::string> Split_Categories(const std::string& text);
