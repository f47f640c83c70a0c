#pragma once
// TrueType and OpenType faces through SDL2_ttf. Text may be UTF-8 or, as the data files
// of the original platform are written, Latin-1: bytes that are not valid UTF-8 are
// read as Latin-1.

#include <cstdint>
#include <string>
#include <vector>

class TSDL_Font {
  public:
    TSDL_Font() = default;
    ~TSDL_Font();
    TSDL_Font(const TSDL_Font&) = delete;
    TSDL_Font& operator=(const TSDL_Font&) = delete;

    // Opens a face at a size in points, measured at 96 dots per inch as the game's
    // screen fonts were. False with a reason when the file cannot be used.
    bool Open(const std::string& path, int points, std::string& error);
    bool Is_Open() const { return font_ != nullptr; }
    void Close();

    // Line height and ascent in pixels.
    int Height() const;
    int Ascent() const;
    int Text_Width(const std::string& text) const;
    // The text's coverage (0..255 per pixel), width x height, row-major. An empty text
    // gives width 0.
    bool Render(const std::string& text, std::vector<uint8_t>& coverage, int& width,
                int& height) const;

  private:
    void* font_ = nullptr;
};

// Valid UTF-8 is kept; any other byte string is taken as Latin-1 and converted.
std::string To_UTF8(const std::string& text);
