#include "rules/record_fields.h"

uint16_t TRecord_Fields::Get_Word(const std::string& field_name, bool required) {
    std::string value;
    return Get_Field_Value(field_name, value, required) ? Str_To_Word(value) : 0;
}

uint8_t TRecord_Fields::Get_Byte(const std::string& field_name, bool required) {
    std::string value;
    return Get_Field_Value(field_name, value, required) ? Str_To_Byte(value) : 0;
}

bool TRecord_Fields::Get_Bool(const std::string& field_name, bool required) {
    std::string value;
    return Get_Field_Value(field_name, value, required) && Str_To_Bool(value);
}

double TRecord_Fields::Get_Float(const std::string& field_name, bool required) {
    std::string value;
    return Get_Field_Value(field_name, value, required) ? Str_To_Float(value) : 0.0;
}

std::string TRecord_Fields::Get_String(const std::string& field_name, bool required) {
    std::string value;
    Get_Field_Value(field_name, value, required);
    return Str_To_String(value);
}
