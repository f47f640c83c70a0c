#include "presentation/virtual_keys.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/names.h"
#include "presentation/display_class.h"

namespace {

const std::map<std::string, uint16_t>& named_keys() {
    static const std::map<std::string, uint16_t> keys = {
        {"backspace", VK_BACK},
        {"tab", VK_TAB},
        {"enter", VK_RETURN},
        {"return", VK_RETURN},
        {"escape", VK_ESCAPE},
        {"esc", VK_ESCAPE},
        {"space", VK_SPACE},
        {"pageup", 33},
        {"pagedown", 34},
        {"end", 35},
        {"home", 36},
        {"left", VK_LEFT},
        {"up", VK_UP},
        {"right", VK_RIGHT},
        {"down", VK_DOWN},
        {"insert", 45},
        {"delete", 46},
        {"pause", 19},
        {"comma", VK_OEM_COMMA},
        {"period", VK_OEM_PERIOD},
        {"minus", 189},
        {"equals", 187},
        {"plus", 107},
    };
    return keys;
}

} // namespace

bool Parse_Key_Name(const std::string& text, uint16_t& key, uint16_t& shift) {
    shift = 0;
    std::string rest = text;
    for (;;) {
        const std::string l = Lower_Case(rest);
        if (l.rfind("shift+", 0) == 0) {
            shift |= ssShift;
            rest = rest.substr(6);
        } else if (l.rfind("ctrl+", 0) == 0) {
            shift |= ssCtrl;
            rest = rest.substr(5);
        } else if (l.rfind("alt+", 0) == 0) {
            shift |= ssAlt;
            rest = rest.substr(4);
        } else {
            break;
        }
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        key = uint16_t(std::toupper(static_cast<unsigned char>(rest[0])));
        return true;
    }
    const std::string l = Lower_Case(rest);
    if (l.size() >= 2 && l[0] == 'f' && std::all_of(l.begin() + 1, l.end(), ::isdigit)) {
        const int n = std::stoi(l.substr(1));
        if (n >= 1 && n <= 12) {
            key = uint16_t(VK_F1 + n - 1);
            return true;
        }
    }
    if (l.size() > 2 && l.rfind("vk", 0) == 0 && l.size() <= 5 &&
        std::all_of(l.begin() + 2, l.end(), ::isdigit)) {
        const int n = std::stoi(l.substr(2));
        if (n >= 1 && n <= 255) {
            key = uint16_t(n);
            return true;
        }
    }
    const auto found = named_keys().find(l);
    if (found == named_keys().end())
        return false;
    key = found->second;
    return true;
}

std::string Key_Name(uint16_t key, uint16_t shift) {
    std::string name;
    if (shift & ssCtrl)
        name += "Ctrl+";
    if (shift & ssAlt)
        name += "Alt+";
    if (shift & ssShift)
        name += "Shift+";
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return name + char(key);
    if (key >= VK_F1 && key < VK_F1 + 12)
        return name + "F" + std::to_string(key - VK_F1 + 1);
    for (const auto& [word, code] : named_keys())
        if (code == key && word != "return" && word != "esc")
            return name + word;
    return name + "VK" + std::to_string(key);
}
