#include "datafiles/data_file_errors.h"

#include <cstdio>

namespace {

void print_to_stderr(const std::string& heading, const std::string& file,
                     const std::vector<std::string>& messages) {
    for (const std::string& line : Error_List_Lines(heading, file, messages)) {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

TError_List_Sink& sink() {
    static TError_List_Sink current = print_to_stderr;
    return current;
}

} // namespace

void Report_Error_List(const std::string& heading, const std::string& file,
                       const std::vector<std::string>& messages) {
    if (!messages.empty()) {
        sink()(heading, file, messages);
    }
}

TError_List_Sink Set_Error_List_Sink(TError_List_Sink next) {
    TError_List_Sink previous = sink();
    sink() = next ? std::move(next) : TError_List_Sink(print_to_stderr);
    return previous;
}

std::vector<std::string> Error_List_Lines(const std::string& heading, const std::string& file,
                                          const std::vector<std::string>& messages) {
    std::vector<std::string> lines;
    lines.reserve(messages.size() + 2);
    lines.push_back(heading);
    lines.push_back(file);
    lines.insert(lines.end(), messages.begin(), messages.end());
    return lines;
}
