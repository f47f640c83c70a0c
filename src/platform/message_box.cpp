#include "platform/message_box.h"

#include <cstdio>

namespace {

void print_to_stderr(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

TMessage_Box_Handler& handler() {
    static TMessage_Box_Handler current = print_to_stderr;
    return current;
}

} // namespace

void Show_Message_Box(const std::string& caption, const std::string& text) {
    handler()(caption, text);
}

TMessage_Box_Handler Set_Message_Box_Handler(TMessage_Box_Handler next) {
    TMessage_Box_Handler previous = handler();
    handler() = next ? std::move(next) : TMessage_Box_Handler(print_to_stderr);
    return previous;
}
