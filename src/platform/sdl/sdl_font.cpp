#include "platform/sdl/sdl_font.h"

#include <SDL.h>
#include <SDL_ttf.h>

namespace {

int open_faces = 0;

bool start_ttf() {
    if (TTF_WasInit() > 0)
        return true;
    return TTF_Init() == 0;
}

bool is_valid_utf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = uint8_t(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2) || (extra > 0 && i + size_t(extra) >= s.size()))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((uint8_t(s[i + size_t(k)]) & 0xC0) != 0x80)
                return false;
        i += size_t(extra) + 1;
    }
    return true;
}

} // namespace

std::string To_UTF8(const std::string& text) {
    if (is_valid_utf8(text))
        return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) {
        const auto c = uint8_t(ch);
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TSDL_Font::~TSDL_Font() {
    Close();
}

void TSDL_Font::Close() {
    if (!font_)
        return;
    TTF_CloseFont(static_cast<TTF_Font*>(font_));
    font_ = nullptr;
    if (--open_faces == 0)
        TTF_Quit();
}

bool TSDL_Font::Open(const std::string& path, int points, std::string& error) {
    Close();
    if (!start_ttf()) {
        error = std::string("cannot start the font renderer: ") + TTF_GetError();
        return false;
    }
    TTF_Font* font = TTF_OpenFontDPI(path.c_str(), points, 96, 96);
    if (!font) {
        error = std::string("cannot open font \"") + path + "\": " + TTF_GetError();
        if (open_faces == 0)
            TTF_Quit();
        return false;
    }
    TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
    font_ = font;
    ++open_faces;
    return true;
}

int TSDL_Font::Height() const {
    return font_ ? TTF_FontHeight(static_cast<TTF_Font*>(font_)) : 0;
}

int TSDL_Font::Ascent() const {
    return font_ ? TTF_FontAscent(static_cast<TTF_Font*>(font_)) : 0;
}

int TSDL_Font::Text_Width(const std::string& text) const {
    if (!font_ || text.empty())
        return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(static_cast<TTF_Font*>(font_), To_UTF8(text).c_str(), &w, &h) != 0)
        return 0;
    return w;
}

bool TSDL_Font::Render(const std::string& text, std::vector<uint8_t>& coverage, int& width,
                       int& height) const {
    width = 0;
    height = Height();
    coverage.clear();
    if (!font_ || text.empty())
        return font_ != nullptr;
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(static_cast<TTF_Font*>(font_), To_UTF8(text).c_str(), white);
    if (!rendered)
        return false;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb)
        return false;
    width = argb->w;
    height = argb->h;
    coverage.resize(size_t(width) * size_t(height));
    SDL_LockSurface(argb);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(argb->pixels) + size_t(y) * size_t(argb->pitch));
        for (int x = 0; x < width; ++x)
            coverage[size_t(y) * size_t(width) + size_t(x)] = uint8_t(row[x] >> 24);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return true;
}
