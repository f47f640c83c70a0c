#pragma once
// Key codes the controls receive: the Windows virtual-key numbers the game was
// written against (letters 'A'..'Z', digits '0'..'9', 8 backspace, 27 escape, ...).

#include <cstdint>
#include <string>

constexpr uint16_t VK_BACK = 8;
constexpr uint16_t VK_TAB = 9;
constexpr uint16_t VK_RETURN = 13;
constexpr uint16_t VK_ESCAPE = 27;
constexpr uint16_t VK_SPACE = 32;
constexpr uint16_t VK_LEFT = 37;
constexpr uint16_t VK_UP = 38;
constexpr uint16_t VK_RIGHT = 39;
constexpr uint16_t VK_DOWN = 40;
constexpr uint16_t VK_F1 = 112;
constexpr uint16_t VK_OEM_COMMA = 188;
constexpr uint16_t VK_OEM_PERIOD = 190;

// A key named as a script writes it: "A", "7", "Escape", "Enter", "Backspace",
// "Space", "Tab", "Left", "F1".."F12", "Comma", "Period", "PageUp", ... (any case),
// optionally after "Shift+", "Ctrl+" and "Alt+". False when the name is unknown.
// "VK<n>" names any key by its code.
bool Parse_Key_Name(const std::string& text, uint16_t& key, uint16_t& shift);
// The name Parse_Key_Name reads back as the same key and modifiers.
std::string Key_Name(uint16_t key, uint16_t shift);
