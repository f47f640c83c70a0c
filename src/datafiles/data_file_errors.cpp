#include "datafiles/data_file_errors.h"

#include "shell/services.h"

void Report_Error_List(const std::string& heading, const std::string& file,
                       const std::vector<std::string>& messages) {
    if (!messages.empty())
        Message_Service().Show_Error_List(heading, file, messages);
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
