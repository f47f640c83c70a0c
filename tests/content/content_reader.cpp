#include "content/content_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "datafiles/data_file.h"

namespace {

class TKeeping_Loader : public TData_File_Loader {
  public:
    using TData_File_Loader::TData_File_Loader;
    std::vector<TContent_Record> records;

  protected:
    void Process_Record(int32_t record_number) override {
        TContent_Record record;
        record.number = record_number;
        for (const TField& field : Record_Fields()) {
            if (field.name != "//") {
                record.fields.emplace(field.name, field.value); // the first of duplicates wins
            }
        }
        records.push_back(std::move(record));
    }
};

} // namespace

std::string TContent_Record::Get(const std::string& key) const {
    auto found = fields.find(key);
    if (found == fields.end()) {
        ADD_FAILURE() << "record " << number << " has no field \"" << key << "\"";
        return {};
    }
    return found->second;
}

long TContent_Record::Num(const std::string& key) const {
    const std::string text = Get(key);
    try {
        return std::stol(text);
    } catch (...) {
        ADD_FAILURE() << "record " << number << ": \"" << key << "\" is not a number: " << text;
        return 0;
    }
}

std::vector<std::string> TContent_Record::List(const std::string& count_key,
                                               const std::string& pattern) const {
    std::vector<std::string> values;
    const long count = Num(count_key);
    for (long i = 1; i <= count; ++i) {
        std::string key = pattern;
        key.replace(key.find('#'), 1, std::to_string(i));
        values.push_back(Get(key));
    }
    return values;
}

std::string Content_Dir() {
    return std::filesystem::weakly_canonical(std::string(KV_FIXTURES_DIR) + "/../../content")
               .string() +
           "/";
}

TContent_File Read_Content(const std::string& relative) {
    TContent_File file;
    file.path = Content_Dir() + relative;
    TKeeping_Loader loader(file.path);
    loader.Execute_Load();
    file.records = std::move(loader.records);
    file.errors = loader.Get_Error_List();
    return file;
}

std::vector<std::string> All_Content_Files() {
    std::vector<std::string> files;
    const std::filesystem::path root = Content_Dir();
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::set<std::string> Split_Categories(const std::string& text) {
    std::set<std::string> categories;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            comma = text.size();
        }
        std::string piece = text.substr(start, comma - start);
        piece.erase(0, piece.find_first_not_of(' '));
        if (!piece.empty()) {
            categories.insert(Lower_Case(piece));
        }
        start = comma + 1;
    }
    return categories;
}
