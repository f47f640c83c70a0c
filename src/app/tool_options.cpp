#include "app/tool_options.h"

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"

bool TTool_Options::Read_Number(const std::string& text, uint64_t low, uint64_t high,
                                uint64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return errno != ERANGE && value >= low && value <= high;
}

void TTool_Options::add(const std::string& name, TRead read, bool takes_value) {
    options_.push_back({name, takes_value, std::move(read)});
}

void TTool_Options::Flag(const std::string& name, bool& value) {
    add(
        name,
        [&value](const std::string&) {
            value = true;
            return TComplaint{};
        },
        false);
}

void TTool_Options::Text(const std::string& name, std::string& value) {
    add(name, [&value](const std::string& text) {
        value = text;
        return TComplaint{};
    });
}

void TTool_Options::Module(const std::string& name, std::string& value, bool* given) {
    add(name, [&value, given](const std::string& text) {
        if (!Is_Plain_Name(text))
            return TComplaint{"a module folder name"};
        value = text;
        if (given)
            *given = true;
        return TComplaint{};
    });
}

void TTool_Options::Game_Dir(const std::string& name, std::string& value) {
    add(name, [&value](const std::string& text) {
        if (!Folder_Exists(text))
            return TComplaint{"the game folder \"" + text + "\" does not exist", true};
        value = text;
        return TComplaint{};
    });
}

int TTool_Options::Parse(const std::vector<std::string>& args, std::FILE* err) const {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const TOption* option = nullptr;
        for (const TOption& o : options_)
            if (o.Name == arg)
                option = &o;
        if (!option) {
            std::fprintf(err, "%s: unknown argument \"%s\"%s\n", program_.c_str(), arg.c_str(),
                         unknown_tail_.c_str());
            return 2;
        }
        if (!option->Takes_Value) {
            option->Read({});
            continue;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(err, "%s: %s needs a value\n", program_.c_str(), arg.c_str());
            return 2;
        }
        const std::string& value = args[++i];
        const TComplaint complaint = option->Read(value);
        if (complaint.Text.empty())
            continue;
        if (complaint.Whole)
            std::fprintf(err, "%s: %s\n", program_.c_str(), complaint.Text.c_str());
        else
            std::fprintf(err, "%s: %s \"%s\" is not %s\n", program_.c_str(), arg.c_str(),
                         value.c_str(), complaint.Text.c_str());
        return 2;
    }
    return 0;
}
