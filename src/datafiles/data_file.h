#pragma once
// The keyword/value text format shared by every data file, and the loader framework.
//
//   (anything)             lines before the start marker are ignored
//   *BEGIN*                the first line containing it; the next two lines are skipped
//   Name := Value          a field; records are runs of field and "//" comment lines
//                          ended by any other line (normally a blank one)
//   *END*                  stops the reading; so do two separator lines in a row
//
// A loader subclass turns one record into one entity in Process_Record, asking for its
// fields by name (case-insensitive; the first of duplicates wins). Errors are collected
// per file, never fatal.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TData_File_Parser;

class TData_File_Loader {
  public:
    explicit TData_File_Loader(std::string file_name);
    virtual ~TData_File_Loader();
    TData_File_Loader(const TData_File_Loader&) = delete;
    TData_File_Loader& operator=(const TData_File_Loader&) = delete;

    // Reads the whole file record by record. Never throws; every failure ends up in
    // the error list. Returns true when the error list is empty.
    bool Execute_Load();
    const std::vector<std::string>& Get_Error_List() const { return error_list_; }
    const std::string& File_Name() const { return file_name_; }

  protected:
    virtual void Before_Load() {}
    virtual void Process_Record(int32_t record_number) = 0;
    virtual void After_Load() {}

    // Looks a field up in the current record. When it is missing and required is
    // true, the missing-field message is added.
    bool Get_Field_Value(const std::string& field_name, std::string& value, bool required = true);
    void Set_Record_Name(const std::string& name);
    const std::string& Record_Name() const { return record_name_; }
    int32_t Record_Number() const { return record_number_; }
    void Report_Unknown_Value(const std::string& value, const std::string& field_name);
    void Add_Error(const std::string& message);

    // The current record's fields in file order, duplicates included (for tools).
    struct TField {
        std::string name;
        std::string value;
    };
    const std::vector<TField>& Record_Fields() const;

  private:
    friend class TData_File_Parser;
    // One field of the current record as it stands in the file's text, which the
    // parser keeps in memory for the whole load; no copy is made unless asked for.
    struct TField_View {
        std::string_view name;
        std::string_view value;
    };
    std::string file_name_;
    int32_t record_number_ = 0;
    std::vector<std::string> error_list_;
    std::vector<TField_View> field_views_;
    // Built from field_views_ only when a tool asks for the whole record.
    mutable std::vector<TField> fields_;
    mutable bool fields_built_ = false;
    std::string record_name_;
};

// Value conversions. None reports an error: a bad number silently becomes 0.
bool Str_To_Bool(const std::string& text);       // "TRUE" or "YES" in any case
uint16_t Str_To_Word(const std::string& text);   // 0..65535, else 0
uint8_t Str_To_Byte(const std::string& text);    // 0..255, else 0
int32_t Str_To_Longint(const std::string& text); // -2147483647..2147483647, else 0
double Str_To_Float(const std::string& text);    // decimal number, else 0.0
std::string Str_To_String(const std::string& text);
