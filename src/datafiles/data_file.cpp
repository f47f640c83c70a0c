#include "datafiles/data_file.h"

#include <charconv>
#include <exception>
#include <memory>

#include "datafiles/data_file_parser.h"
#include "platform/names.h"

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign and decimal digits, nothing else. Values beyond the 64-bit range
// are out of every conversion's range, so they read as "not a number".
bool read_integer(const std::string& text, int64_t& result) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last) {
        return false;
    }
    uint64_t magnitude = 0;
    for (const char* p = first; p != last; ++p) {
        if (!is_digit(*p)) {
            return false;
        }
        magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
        if (magnitude > (uint64_t{1} << 40)) {
            return false;
        }
    }
    result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

} // namespace

TData_File_Loader::TData_File_Loader(std::string file_name) : file_name_(std::move(file_name)) {}

TData_File_Loader::~TData_File_Loader() = default;

bool TData_File_Loader::Execute_Load() {
    error_list_.clear();
    try {
        std::unique_ptr<TData_File_Parser> parser;
        // The views of a record point into the parser's text: forget them whatever
        // way the load ends.
        struct TForget_Record {
            TData_File_Loader& loader;
            ~TForget_Record() {
                loader.field_views_.clear();
                loader.fields_.clear();
                loader.fields_built_ = false;
            }
        } forget{*this};
        parser = std::make_unique<TData_File_Parser>(file_name_, error_list_);
        Before_Load();
        record_number_ = 0;
        bool has_fields = false;
        do {
            ++record_number_;
            fields_built_ = false;
            has_fields = parser->Read_Record(field_views_);
            if (has_fields) {
                Process_Record(record_number_);
            }
        } while (!parser->End_Of_Data() && has_fields);
        After_Load();
    } catch (...) {
        // A failed load keeps the entities of the records already processed.
        try {
            error_list_.push_back("Unable to load data file: \"" + file_name_ + "\".");
        } catch (...) {
        }
    }
    return error_list_.empty();
}

const std::vector<TData_File_Loader::TField>& TData_File_Loader::Record_Fields() const {
    if (!fields_built_) {
        fields_.clear();
        fields_.reserve(field_views_.size());
        for (const TField_View& field : field_views_) {
            fields_.push_back({std::string(field.name), std::string(field.value)});
        }
        fields_built_ = true;
    }
    return fields_;
}

bool TData_File_Loader::Get_Field_Value(const std::string& field_name, std::string& value,
                                        bool required) {
    value.clear();
    // Records are short: a straight search keeps the first of duplicate names.
    for (const TField_View& field : field_views_) {
        if (Same_Name(field.name, field_name)) {
            value.assign(field.value);
            return true;
        }
    }
    if (required) {
        if (record_name_.empty()) {
            Add_Error("Could not find field \"" + field_name + "\" in record " +
                      std::to_string(record_number_) + ".");
        } else {
            Add_Error("Could not find field \"" + field_name + "\" in record \"" + record_name_ +
                      "\".");
        }
    }
    return false;
}

void TData_File_Loader::Set_Record_Name(const std::string& name) {
    record_name_ = name;
}

void TData_File_Loader::Report_Unknown_Value(const std::string& value,
                                             const std::string& field_name) {
    const std::string record = record_name_.empty() ? std::to_string(record_number_) : record_name_;
    Add_Error("Unknown value \"" + value + "\" for " + field_name + " in record \"" + record +
              "\".");
}

void TData_File_Loader::Add_Error(const std::string& message) {
    error_list_.push_back(message);
}

bool Str_To_Bool(const std::string& text) {
    return Same_Name(text, "TRUE") || Same_Name(text, "YES");
}

uint16_t Str_To_Word(const std::string& text) {
    int64_t n = 0;
    return read_integer(text, n) && n >= 0 && n <= 65535 ? static_cast<uint16_t>(n) : 0;
}

uint8_t Str_To_Byte(const std::string& text) {
    int64_t n = 0;
    return read_integer(text, n) && n >= 0 && n <= 255 ? static_cast<uint8_t>(n) : 0;
}

int32_t Str_To_Longint(const std::string& text) {
    int64_t n = 0;
    return read_integer(text, n) && n >= -2147483647 && n <= 2147483647 ? static_cast<int32_t>(n)
                                                                        : 0;
}

double Str_To_Float(const std::string& text) {
    // Checked by hand first: from_chars alone would accept "inf", "nan" and hex forms,
    // and would stop quietly at trailing junk.
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < n && is_digit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && is_digit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        size_t exponent_digits = 0;
        while (i < n && is_digit(text[i])) {
            ++i;
            ++exponent_digits;
        }
        if (exponent_digits == 0) {
            return 0.0;
        }
    }
    if (i != n) {
        return 0.0;
    }
    // from_chars takes no "+" sign.
    const char* first = text.data();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    double result = 0.0;
    auto [end, error] = std::from_chars(first, text.data() + n, result);
    if (error != std::errc() || end != text.data() + n) {
        return 0.0;
    }
    return negative ? -result : result;
}

std::string Str_To_String(const std::string& text) {
    return text;
}
