#pragma once
// A loader for tests: keeps every record it is given and can ask for fields.

#include <functional>
#include <string>
#include <vector>

#include "datafiles/data_file.h"

class TRecording_Loader : public TData_File_Loader {
  public:
    struct TRecord {
        int32_t number = 0;
        std::vector<TField> fields;
    };
    using TData_File_Loader::TData_File_Loader;

    std::vector<TRecord> records;
    std::vector<std::string> calls;
    // Runs inside Process_Record, with the loader's protected operations at hand.
    std::function<void(TRecording_Loader&, int32_t)> on_record;

    using TData_File_Loader::Add_Error;
    using TData_File_Loader::Get_Field_Value;
    using TData_File_Loader::Report_Unknown_Value;
    using TData_File_Loader::Set_Record_Name;

    std::string Field(const std::string& name) {
        std::string value;
        Get_Field_Value(name, value, false);
        return value;
    }

  protected:
    void Before_Load() override { calls.push_back("before"); }
    void Process_Record(int32_t record_number) override {
        calls.push_back("record");
        records.push_back({record_number, Record_Fields()});
        if (on_record) {
            on_record(*this, record_number);
        }
    }
    void After_Load() override { calls.push_back("after"); }
};
