#pragma once
// The typed value encoding of every save file, character file and the high-score file.
// Each value is a one-byte tag and its payload, little-endian:
//   2/3/4 integer of 1/2/4 bytes (the smallest form that holds the value),
//   5 an 80-bit extended float, 6 a short string (1-byte length), 12 a long string
//   (4-byte length), 8 false, 9 true.
// A read error (a wrong tag, a length past the end of the data, the end of the data)
// throws TStream_Error, which the code that opened the file catches to abort that load.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class TStream_Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The version string every file we write begins with.
inline const char* const Current_Save_Version = "1.06";

class TValue_Writer {
  public:
    void Write_Boolean(bool value);
    void Write_Byte(uint8_t value);
    void Write_Word(uint16_t value);
    void Write_Longint(int32_t value);
    // The smallest of tags 2, 3, 4. A value outside 32 bits throws TStream_Error, as do
    // lists longer than 65535 entries: a save fails rather than write what reads back wrong.
    void Write_Integer(int64_t value);
    void Write_Float(double value);
    void Write_String(const std::string& value);
    void Write_String_List(const std::vector<std::string>& values);
    void Write_Word_List(const std::vector<uint16_t>& values);
    void Write_Byte_List(const std::vector<uint8_t>& values);
    void Write_Longint_List(const std::vector<int32_t>& values);

    const std::string& Bytes() const { return bytes_; }
    // Writes the bytes to the file through a temporary file renamed over it when complete.
    bool Save_To_File(const std::string& path) const;

  private:
    std::string bytes_;
};

class TValue_Reader {
  public:
    TValue_Reader() = default;
    explicit TValue_Reader(std::string bytes);
    // False when the file cannot be read.
    bool Load_From_File(const std::string& path);

    bool Read_Boolean();
    uint8_t Read_Byte();
    uint16_t Read_Word();
    int32_t Read_Longint();
    double Read_Float();
    std::string Read_String();
    void Read_String_List(std::vector<std::string>& values);
    void Read_Word_List(std::vector<uint16_t>& values);
    void Read_Byte_List(std::vector<uint8_t>& values);
    void Read_Longint_List(std::vector<int32_t>& values);

    // The version string a file begins with, kept as the version of what follows.
    std::string Read_Version();
    // The version of the file being read, compared as a string by records whose layout
    // changed. A reader that has read none reads the current layout.
    const std::string& Version() const { return version_; }
    void Set_Version(std::string version) { version_ = std::move(version); }

    size_t Position() const { return pos_; }
    size_t Remaining() const { return bytes_.size() - pos_; }
    bool At_End() const { return pos_ >= bytes_.size(); }

  private:
    int32_t read_integer();
    std::string bytes_;
    size_t pos_ = 0;
    std::string version_ = Current_Save_Version;
};

// 80-bit extended-precision encoding, portable (no reliance on long double's layout).
void Encode_Extended(double value, uint8_t out[10]);
double Decode_Extended(const uint8_t in[10]);
