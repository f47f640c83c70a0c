#include "presentation/text.h"

#include <array>
#include <memory>

#include "platform/files.h"
#include "presentation/font.h"
#include "shell/debug_log.h"
#include "shell/paths.h"

namespace {

struct TFont_Spec {
    bool bold;
    int points;
};
constexpr std::array<TFont_Spec, Font_Count> font_specs{
    {{false, 10}, {false, 9}, {false, 12}, {true, 18}, {true, 16}, {true, 12}}};

std::array<std::unique_ptr<TText_Font>, Font_Count> fonts;
int current_font = 0;

TText_Font& font_slot(int n) {
    auto& slot = fonts[size_t(n - 1)];
    if (!slot)
        slot = std::make_unique<TText_Font>();
    return *slot;
}

std::string trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return std::string();
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

// The next word from position i: up to and including the next space.
std::string next_word(const std::string& text, size_t i) {
    const size_t space = text.find(' ', i);
    return text.substr(i, space == std::string::npos ? std::string::npos : space - i + 1);
}

void print_at_baseline(int x, int baseline, const std::string& s) {
    Move_To(x, baseline);
    Print_Text(s);
}

} // namespace

std::vector<std::string> Font_Candidates(bool bold) {
    std::vector<std::string> out;
    out.push_back(Native_Path(App_Dir + "Fonts\\" + (bold ? "goudosb.ttf" : "goudos.ttf")));
    const char* const system_faces[][2] = {
        {"/usr/share/fonts/opentype/linux-libertine/LinLibertine_R.otf",
         "/usr/share/fonts/opentype/linux-libertine/LinLibertine_RB.otf"},
        {"/usr/share/fonts/truetype/linux-libertine/LinLibertine_R.ttf",
         "/usr/share/fonts/truetype/linux-libertine/LinLibertine_RB.ttf"},
        {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
         "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"},
    };
    for (const auto& pair : system_faces)
        out.emplace_back(pair[bold ? 1 : 0]);
    return out;
}

bool Load_Fonts(std::string& report) {
    report.clear();
    bool all = true;
    for (int n = 1; n <= Font_Count; ++n) {
        const TFont_Spec spec = font_specs[size_t(n - 1)];
        bool opened = false;
        for (const std::string& path : Font_Candidates(spec.bold)) {
            if (!File_Exists(path))
                continue;
            std::string error;
            if (font_slot(n).Open(path, spec.points, error)) {
                opened = true;
                break;
            }
            Debug_Log("General", error);
        }
        if (!opened) {
            all = false;
            report += "Font " + std::to_string(n) + ": no usable face (\"" +
                      std::string(spec.bold ? "goudosb.ttf" : "goudos.ttf") +
                      "\" in \"Fonts\\\" or a system serif); its text will not be shown.\n";
        }
    }
    return all;
}

void Free_Fonts() {
    for (auto& f : fonts)
        f.reset();
    current_font = 0;
    Select_Font(nullptr);
}

const TText_Font* Font(int N) {
    if (N < 1 || N > Font_Count)
        return nullptr;
    return &font_slot(N);
}

void Text_Begin(int Buffer) {
    fg_vbopen(Buffer);
    Get_DC();
}

void Text_End() {
    Release_DC();
}

void Set_Font(int N) {
    if (!Font(N))
        return;
    current_font = N;
    Select_Font(Font(N));
}

int Current_Font() {
    return current_font;
}

void Set_Text_Colour(int R, int G, int B) {
    Set_Text_Colour_Value(Colour_From_RGB(R, G, B));
}
void Set_Text_Colour(TColour Colour) {
    Set_Text_Colour_Value(Colour);
}

void Set_Justify(int H, int V) {
    const int h = H == 2 ? 0 : H == 3 ? 1 : -1;
    const int v = V == 2 ? 0 : V == 5 ? 1 : -1;
    Justify(h, v);
}

void Print_At(int X, int Y, const std::string& Text) {
    Move_To(X, Y);
    Print_Text(Text);
}

int Text_Width(const std::string& Text) {
    const TText_Font* f = Selected_Font();
    return f ? f->Text_Width(Text) : 0;
}

int Text_Height() {
    const TText_Font* f = Selected_Font();
    return f ? f->Height() : 0;
}

int Print_Wrapped(int X, int Y, int Width, const std::string& Text, int Max_Height) {
    Justify(-1, -1);
    const int line_height = Text_Height();
    const int right = X + Width;
    int x = X;
    int baseline = Y + line_height;
    auto visible = [&] { return baseline - line_height - 4 <= Y + Max_Height; };
    // False when the next line would pass the bottom of the box.
    auto new_line = [&] {
        if (baseline + line_height > Y + Max_Height)
            return false;
        baseline += line_height;
        x = X;
        return true;
    };
    size_t i = 0;
    while (i < Text.size()) {
        const std::string word = next_word(Text, i);
        const int w = Text_Width(word);
        if (x + w > right && x > X) {
            if (!new_line())
                break;
            continue;
        }
        if (x + w > right) {
            // Wider than the whole line: keep what fits (never less than one character)
            // and carry the rest of the word to the next line.
            size_t keep = 0;
            while (keep < word.size() && Text_Width(word.substr(0, keep + 1)) + 8 < right - x)
                ++keep;
            keep = std::max<size_t>(keep, 1);
            if (visible())
                print_at_baseline(x, baseline, word.substr(0, keep));
            i += keep;
            if (i < Text.size() && !new_line())
                break;
            continue;
        }
        if (visible())
            print_at_baseline(x, baseline, word);
        x += w;
        i += word.size();
    }
    return baseline - Y;
}

bool Print_Paragraphs(int X, int Y, int Width, int Scroll, const std::vector<std::string>& Lines,
                      int Height) {
    if (Lines.empty())
        return true;
    Justify(-1, -1);
    std::string text;
    for (const std::string& line : Lines)
        text += "  " + line + " ***BREAK*** ";
    const int line_height = std::max(1, Text_Height() - 2);
    const int top = Y + Scroll + line_height + 4;
    const int bottom = Y + Scroll + Height + line_height + 4;
    int x = X;
    int baseline = Y + line_height + 4;
    size_t i = 0;
    while (i < text.size()) {
        const std::string word = next_word(text, i);
        i += word.size();
        const std::string bare = trimmed(word);
        if (bare == "***BREAK***") {
            baseline += 2 * line_height;
            x = X;
            continue;
        }
        const int w = Text_Width(word);
        // An over-wide word is printed on the line it starts rather than moved on.
        if (x + w > X + Width && x > X) {
            baseline += line_height;
            x = X;
        }
        if (!bare.empty() && baseline >= top && baseline <= bottom)
            print_at_baseline(x, baseline - Scroll, word);
        x += w;
    }
    // The end marker follows the last word; the text is used up once it is in the box.
    return baseline - 2 * line_height <= bottom;
}
