#pragma once
// Standard message boxes. Headless runs (tests, the tool, no window yet) print them to
// stderr as "CAPTION: TEXT"; the window replaces the handler with a real dialog.

#include <functional>
#include <string>

using TMessage_Box_Handler =
    std::function<void(const std::string& caption, const std::string& text)>;

void Show_Message_Box(const std::string& caption, const std::string& text);
// Installs a handler; an empty handler restores the stderr one. Returns the previous.
TMessage_Box_Handler Set_Message_Box_Handler(TMessage_Box_Handler handler);
