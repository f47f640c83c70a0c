#pragma once
// The fields of one data-file record, as the shared blocks (damage, effects,
// requirements, natural attacks) read them. Each owning loader passes itself, so the
// same blocks can stand in several files under different key prefixes.

#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/data_file.h"

class TRecord_Fields {
  public:
    virtual ~TRecord_Fields() = default;
    virtual bool Get_Field_Value(const std::string& field_name, std::string& value,
                                 bool required = true) = 0;
    virtual void Report_Unknown_Value(const std::string& value, const std::string& field_name) = 0;
    virtual void Add_Error(const std::string& message) = 0;

    // Convenience readers: the value converted, or 0 / false / "" when absent (the
    // absence reported when required).
    uint16_t Get_Word(const std::string& field_name, bool required = true);
    uint8_t Get_Byte(const std::string& field_name, bool required = true);
    bool Get_Bool(const std::string& field_name, bool required = true);
    double Get_Float(const std::string& field_name, bool required = true);
    std::string Get_String(const std::string& field_name, bool required = true);
};

// A file loader whose records the shared blocks can read.
class TRecord_Loader : public TData_File_Loader, public TRecord_Fields {
  public:
    using TData_File_Loader::TData_File_Loader;
    bool Get_Field_Value(const std::string& field_name, std::string& value,
                         bool required = true) override {
        return TData_File_Loader::Get_Field_Value(field_name, value, required);
    }
    void Report_Unknown_Value(const std::string& value, const std::string& field_name) override {
        TData_File_Loader::Report_Unknown_Value(value, field_name);
    }
    void Add_Error(const std::string& message) override { TData_File_Loader::Add_Error(message); }
};

// What one load of a data file produced, for the validator and the error list dialog:
// the heading of its error list and the messages (empty when the file is sound).
struct TData_File_Report {
    std::string Heading;
    std::string File_Name;
    std::vector<std::string> Errors;
    bool Ok() const { return Errors.empty(); }
};
