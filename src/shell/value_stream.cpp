#include "shell/value_stream.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/files.h"

namespace {
enum : uint8_t {
    tag_int8 = 2,
    tag_int16 = 3,
    tag_int32 = 4,
    tag_extended = 5,
    tag_short_string = 6,
    tag_false = 8,
    tag_true = 9,
    tag_long_string = 12,
};

void put_le(std::string& bytes, uint64_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t get_le(const uint8_t* in, int count) {
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<uint64_t>(in[i]) << (8 * i);
    return value;
}
} // namespace

// ---- 80-bit extended floats ----

void Encode_Extended(double value, uint8_t out[10]) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & 0xFFFFFFFFFFFFFull;

    uint64_t mantissa = 0;
    int ext_exponent = 0;
    if (exponent == 0x7FF) {
        // Infinity keeps only the integer bit; a NaN also sets the quiet bit.
        ext_exponent = 0x7FFF;
        mantissa = 0x8000000000000000ull;
        if (fraction != 0)
            mantissa |= 0x4000000000000000ull | (fraction << 11);
    } else if (exponent == 0) {
        if (fraction != 0) {
            // A subnormal double is a normal extended number: shift its highest bit
            // into the explicit integer bit.
            int top = 63;
            while (((fraction >> top) & 1u) == 0)
                --top;
            mantissa = fraction << (63 - top);
            ext_exponent = top - 1074 + 16383;
        }
    } else {
        mantissa = 0x8000000000000000ull | (fraction << 11);
        ext_exponent = exponent - 1023 + 16383;
    }
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    const uint16_t sign_exponent = static_cast<uint16_t>((negative ? 0x8000 : 0) | ext_exponent);
    out[8] = static_cast<uint8_t>(sign_exponent & 0xFF);
    out[9] = static_cast<uint8_t>(sign_exponent >> 8);
}

double Decode_Extended(const uint8_t in[10]) {
    const uint64_t mantissa = get_le(in, 8);
    const uint16_t sign_exponent = static_cast<uint16_t>(in[8] | (in[9] << 8));
    const bool negative = (sign_exponent & 0x8000) != 0;
    const int exponent = sign_exponent & 0x7FFF;
    double value;
    if (exponent == 0x7FFF) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        value = 0.0;
    } else {
        // mantissa * 2^(exponent - 16383 - 63); ldexp gives infinity above the double
        // range and 0 (or a subnormal) below it.
        const int scale = (exponent == 0 ? 1 : exponent) - 16383 - 63;
        value = std::ldexp(static_cast<double>(mantissa), scale);
    }
    return negative ? -value : value;
}

// ---- Writer ----

void TValue_Writer::Write_Boolean(bool value) {
    bytes_ += static_cast<char>(value ? tag_true : tag_false);
}

void TValue_Writer::Write_Byte(uint8_t value) {
    Write_Integer(value);
}

void TValue_Writer::Write_Word(uint16_t value) {
    Write_Integer(value);
}

void TValue_Writer::Write_Longint(int32_t value) {
    Write_Integer(value);
}

void TValue_Writer::Write_Integer(int64_t value) {
    if (value >= -128 && value <= 127) {
        bytes_ += static_cast<char>(tag_int8);
        put_le(bytes_, static_cast<uint64_t>(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        bytes_ += static_cast<char>(tag_int16);
        put_le(bytes_, static_cast<uint64_t>(value), 2);
    } else {
        // Wider values cannot be written: they would read back as something else.
        if (value < std::numeric_limits<int32_t>::min() ||
            value > std::numeric_limits<int32_t>::max())
            throw TStream_Error("integer " + std::to_string(value) + " does not fit 32 bits");
        bytes_ += static_cast<char>(tag_int32);
        put_le(bytes_, static_cast<uint64_t>(value), 4);
    }
}

void TValue_Writer::Write_Float(double value) {
    uint8_t extended[10];
    Encode_Extended(value, extended);
    bytes_ += static_cast<char>(tag_extended);
    bytes_.append(reinterpret_cast<const char*>(extended), sizeof extended);
}

void TValue_Writer::Write_String(const std::string& value) {
    if (value.size() <= 255) {
        bytes_ += static_cast<char>(tag_short_string);
        put_le(bytes_, value.size(), 1);
    } else {
        if (value.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            throw TStream_Error("string too long to write");
        bytes_ += static_cast<char>(tag_long_string);
        put_le(bytes_, value.size(), 4);
    }
    bytes_ += value;
}

namespace {
// A list count is a Word: a longer list cannot be written whole, so the save fails
// instead of writing a file that reads back wrong.
uint16_t list_count(size_t size) {
    if (size > 65535)
        throw TStream_Error("list of " + std::to_string(size) + " entries is too long to write");
    return static_cast<uint16_t>(size);
}
} // namespace

void TValue_Writer::Write_String_List(const std::vector<std::string>& values) {
    Write_Word(list_count(values.size()));
    for (const std::string& value : values)
        Write_String(value);
}

void TValue_Writer::Write_Word_List(const std::vector<uint16_t>& values) {
    Write_Word(list_count(values.size()));
    for (uint16_t value : values)
        Write_Word(value);
}

void TValue_Writer::Write_Byte_List(const std::vector<uint8_t>& values) {
    Write_Word(list_count(values.size()));
    for (uint8_t value : values)
        Write_Byte(value);
}

void TValue_Writer::Write_Longint_List(const std::vector<int32_t>& values) {
    Write_Word(list_count(values.size()));
    for (int32_t value : values)
        Write_Longint(value);
}

bool TValue_Writer::Save_To_File(const std::string& path) const {
    return Write_File_Atomic(path, bytes_);
}

// ---- Reader ----

TValue_Reader::TValue_Reader(std::string bytes) : bytes_(std::move(bytes)) {}

bool TValue_Reader::Load_From_File(const std::string& path) {
    std::string bytes;
    if (!Read_Whole_File(path, bytes))
        return false;
    bytes_ = std::move(bytes);
    pos_ = 0;
    return true;
}

namespace {
[[noreturn]] void read_error(const std::string& what, size_t position) {
    throw TStream_Error(what + " at byte " + std::to_string(position));
}
} // namespace

int32_t TValue_Reader::read_integer() {
    if (At_End())
        read_error("end of data where an integer was expected", pos_);
    const uint8_t tag = static_cast<uint8_t>(bytes_[pos_]);
    int size;
    switch (tag) {
    case tag_int8:
        size = 1;
        break;
    case tag_int16:
        size = 2;
        break;
    case tag_int32:
        size = 4;
        break;
    default:
        read_error("integer expected, found tag " + std::to_string(tag), pos_);
    }
    if (Remaining() < static_cast<size_t>(1 + size))
        read_error("integer cut short", pos_);
    const uint64_t raw = get_le(reinterpret_cast<const uint8_t*>(bytes_.data() + pos_ + 1), size);
    pos_ += 1 + size;
    switch (size) {
    case 1:
        return static_cast<int8_t>(raw);
    case 2:
        return static_cast<int16_t>(raw);
    default:
        return static_cast<int32_t>(static_cast<uint32_t>(raw));
    }
}

bool TValue_Reader::Read_Boolean() {
    if (At_End())
        read_error("end of data where a boolean was expected", pos_);
    return static_cast<uint8_t>(bytes_[pos_++]) == tag_true;
}

uint8_t TValue_Reader::Read_Byte() {
    return static_cast<uint8_t>(read_integer() & 0xFF);
}

uint16_t TValue_Reader::Read_Word() {
    return static_cast<uint16_t>(read_integer() & 0xFFFF);
}

int32_t TValue_Reader::Read_Longint() {
    return read_integer();
}

double TValue_Reader::Read_Float() {
    if (At_End())
        read_error("end of data where a number was expected", pos_);
    if (static_cast<uint8_t>(bytes_[pos_]) != tag_extended)
        return static_cast<double>(read_integer());
    if (Remaining() < 11)
        read_error("number cut short", pos_);
    const double value =
        Decode_Extended(reinterpret_cast<const uint8_t*>(bytes_.data() + pos_ + 1));
    pos_ += 11;
    return value;
}

std::string TValue_Reader::Read_Version() {
    version_ = Read_String();
    return version_;
}

std::string TValue_Reader::Read_String() {
    if (At_End())
        read_error("end of data where a text was expected", pos_);
    const size_t start = pos_;
    const uint8_t tag = static_cast<uint8_t>(bytes_[pos_]);
    size_t length;
    if (tag == tag_short_string) {
        if (Remaining() < 2)
            read_error("text cut short", start);
        length = static_cast<uint8_t>(bytes_[pos_ + 1]);
        pos_ += 2;
    } else if (tag == tag_long_string) {
        if (Remaining() < 5)
            read_error("text cut short", start);
        const int32_t stored = static_cast<int32_t>(static_cast<uint32_t>(
            get_le(reinterpret_cast<const uint8_t*>(bytes_.data() + pos_ + 1), 4)));
        if (stored < 0)
            read_error("negative text length", start);
        length = static_cast<size_t>(stored);
        pos_ += 5;
    } else {
        read_error("text expected, found tag " + std::to_string(tag), start);
    }
    // The length is checked against the data before anything is allocated: a damaged
    // file must not ask for gigabytes.
    if (length > Remaining()) {
        pos_ = start;
        read_error("text longer than the data left", start);
    }
    std::string value = bytes_.substr(pos_, length);
    pos_ += length;
    return value;
}

namespace {
// Every element takes at least one byte, so a count above the bytes left is damage.
template <typename T, typename Read>
void read_list(TValue_Reader& reader, std::vector<T>& values, Read read_one) {
    values.clear();
    const uint16_t count = reader.Read_Word();
    if (count > reader.Remaining())
        read_error("list longer than the data left", reader.Position());
    values.reserve(count);
    for (uint16_t i = 0; i < count; ++i)
        values.push_back(read_one());
}
} // namespace

void TValue_Reader::Read_String_List(std::vector<std::string>& values) {
    read_list(*this, values, [this] { return Read_String(); });
}

void TValue_Reader::Read_Word_List(std::vector<uint16_t>& values) {
    read_list(*this, values, [this] { return Read_Word(); });
}

void TValue_Reader::Read_Byte_List(std::vector<uint8_t>& values) {
    read_list(*this, values, [this] { return Read_Byte(); });
}

void TValue_Reader::Read_Longint_List(std::vector<int32_t>& values) {
    read_list(*this, values, [this] { return Read_Longint(); });
}
