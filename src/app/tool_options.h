#pragma once
// The "--name value" options of krelvane-tool's long-running commands (the soak and
// the automatic player), read in turn and each value checked as it comes, with one
// wording for every complaint (exit status 2):
//   PROGRAM: --name needs a value
//   PROGRAM: --name "VALUE" is not WHAT
//   PROGRAM: the game folder "DIR" does not exist
//   PROGRAM: unknown argument "ARG"  followed by the command's own tail (its usage)

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TTool_Options {
  public:
    TTool_Options(std::string program, std::string unknown_tail)
        : program_(std::move(program)), unknown_tail_(std::move(unknown_tail)) {}

    // A switch without a value.
    void Flag(const std::string& name, bool& value);
    // A whole number from low to high, digits only; what names it in the complaint
    // ("a number of ticks").
    template <typename T>
    void Number(const std::string& name, uint64_t low, uint64_t high, const std::string& what,
                T& value) {
        add(name, [&value, low, high, what](const std::string& text) {
            uint64_t n = 0;
            if (!Read_Number(text, low, high, n))
                return TComplaint{what};
            value = T(n);
            return TComplaint{};
        });
    }
    // Any text (a file to write).
    void Text(const std::string& name, std::string& value);
    // A module's folder name (no separators); given is set when the option appears.
    void Module(const std::string& name, std::string& value, bool* given = nullptr);
    // A game folder that exists.
    void Game_Dir(const std::string& name, std::string& value);

    // Reads every argument into the values: 0, or 2 after the complaint went to err.
    int Parse(const std::vector<std::string>& args, std::FILE* err) const;

    // Digits only (no sign, no spaces), within low..high.
    static bool Read_Number(const std::string& text, uint64_t low, uint64_t high, uint64_t& value);

  private:
    // Reads an option's value: empty when it is good, else the complaint, either what
    // the value is not ("a number of ticks") or, when Whole, the whole sentence.
    struct TComplaint {
        std::string Text;
        bool Whole = false;
    };
    using TRead = std::function<TComplaint(const std::string& value)>;
    struct TOption {
        std::string Name;
        bool Takes_Value = true;
        TRead Read;
    };
    void add(const std::string& name, TRead read, bool takes_value = true);

    std::string program_;
    std::string unknown_tail_;
    std::vector<TOption> options_;
};
