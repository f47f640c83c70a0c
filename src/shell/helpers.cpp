#include "shell/helpers.h"

#include <cmath>
#include <cstdlib>

int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}

int32_t Min(int32_t a, int32_t b) {
    return a < b ? a : b;
}

double Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    return std::sqrt(dx * dx + dy * dy);
}

bool Bit_Is_Set(uint16_t mask, int32_t n) {
    if (n < 0 || n > 15)
        return false;
    return (mask & (1u << n)) != 0;
}

void Set_Bit(uint16_t& mask, int32_t n, bool on) {
    if (n < 0 || n > 15)
        return;
    if (on)
        mask = static_cast<uint16_t>(mask | (1u << n));
    else
        mask = static_cast<uint16_t>(mask & ~(1u << n));
}

namespace {
bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

std::string Trim_Left(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && is_blank(text[first]))
        ++first;
    return text.substr(first);
}

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && is_blank(text[first]))
        ++first;
    while (last > first && is_blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

void Split_List(const std::string& text, std::vector<std::string>& list, bool lower) {
    auto add = [&](const std::string& piece) { list.push_back(lower ? Lower_Case(piece) : piece); };
    std::string rest = text;
    for (size_t comma = rest.find(','); comma != std::string::npos; comma = rest.find(',')) {
        add(rest.substr(0, comma));
        rest = Trim(rest.substr(comma + 1));
    }
    // Without any comma the text is added as written, blanks included.
    if (!Trim(rest).empty())
        add(rest);
}

int32_t Direction_To(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int sx = (x1 > x0) - (x1 < x0);
    const int sy = (y1 > y0) - (y1 < y0);
    // Indexed by [sy + 1][sx + 1].
    static constexpr int32_t directions[3][3] = {{8, 1, 2}, {7, 0, 3}, {6, 5, 4}};
    return directions[sy + 1][sx + 1];
}

int32_t Opposite_Direction(int32_t direction) {
    if (direction < 1 || direction > 8)
        return 0;
    return direction <= 4 ? direction + 4 : direction - 4;
}

int32_t Bearing(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const int64_t dx = static_cast<int64_t>(x1) - x0;
    const int64_t dy = static_cast<int64_t>(y1) - y0;
    if (dy == 0) {
        if (dx > 0)
            return 90;
        if (dx < 0)
            return 270;
        return 0;
    }
    const double degrees =
        std::atan(static_cast<double>(std::llabs(dx)) / static_cast<double>(std::llabs(dy))) *
        180.0 / M_PI;
    const int32_t a = static_cast<int32_t>(std::lround(degrees));
    int32_t bearing;
    if (dy < 0)
        bearing = dx >= 0 ? a : 360 - a;
    else
        bearing = dx >= 0 ? 180 - a : 180 + a;
    return bearing == 360 ? 0 : bearing;
}

std::string Format_Thousands(int64_t n) {
    // Digits of the magnitude, built without negating n (INT64_MIN has no positive).
    std::string digits = std::to_string(n);
    std::string sign;
    if (!digits.empty() && digits[0] == '-') {
        sign = "-";
        digits.erase(0, 1);
    }
    std::string result;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    return sign + result;
}

std::string Spaces(int32_t n) {
    return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string();
}

uint8_t Equip_Slot_Of_Type(TItem_Type item_type) {
    switch (item_type) {
    case TItem_Type::Helm:
        return 1;
    case TItem_Type::Amulet:
        return 2;
    case TItem_Type::Armor:
        return 3;
    case TItem_Type::Belt:
        return 4;
    case TItem_Type::Boots:
        return 5;
    case TItem_Type::Bow:
    case TItem_Type::Misc:
    case TItem_Type::Scepter:
    case TItem_Type::Shield:
    case TItem_Type::Staff:
    case TItem_Type::Wand:
    case TItem_Type::Weapon:
        return 6;
    case TItem_Type::Ring:
        return 8;
    case TItem_Type::Glyph:
    case TItem_Type::Orb:
        return 9;
    case TItem_Type::Gloves:
        return 10;
    default:
        return 0;
    }
}

bool Fits_Slot(uint8_t slot_kind, int32_t slot) {
    switch (slot_kind) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 10:
        return slot == slot_kind;
    case 6:
        return slot == 6 || slot == 7;
    case 8:
        return slot == 8 || slot == 9;
    case 9:
        return slot >= 11;
    default:
        return false;
    }
}

bool Fits_Inventory_Slot(uint8_t slot_kind, int32_t slot) {
    return (slot >= 11 && slot <= 90) || Fits_Slot(slot_kind, slot);
}
