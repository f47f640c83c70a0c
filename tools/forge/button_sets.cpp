// The button strips of image sets 1 to 9.

#include "buttons.h"
#include "icons.h"
#include "lettering.h"
#include "system_pictures.h"
#include "ui_parts.h"

TCanvas Make_Buttons_Small_Square() {
    // 0 close, 1 minus, 2 plus, 3 up, 4 down, 5 small left, 6 small right, 7 spare,
    // 8 toggle on, 9 toggle off.
    static constexpr TMotif motifs[] = {
        TMotif::Close, TMotif::Minus, TMotif::Plus,  TMotif::Up,     TMotif::Down,
        TMotif::Left,  TMotif::Right, TMotif::Blank, TMotif::Gem_On, TMotif::Gem_Off};
    return Button_Strip(23, 23, 10, TButton_Shape::Square, 101,
                        [](TCanvas& cell, int col, int x, int y) {
                            Draw_Motif(cell, motifs[col], 3 + x, 3 + y, 17, uint32_t(col));
                        });
}

TCanvas Make_Buttons_Main_Round() {
    // 0 game menu, 1 quests, 2 map, 3 statistics, 4 spell list, 5 statistics with points
    // to spend, 6 spell list with points to spend, 7 quests with news, 8 spell book.
    static constexpr TMotif motifs[] = {TMotif::Cog,    TMotif::Quill, TMotif::Map,
                                        TMotif::Figure, TMotif::Book,  TMotif::Figure,
                                        TMotif::Book,   TMotif::Quill, TMotif::Book_Star};
    return Button_Strip(
        51, 51, 9, TButton_Shape::Round, 201, [](TCanvas& cell, int col, int x, int y) {
            if (col == 5 || col == 6) {
                // Unspent points: a red glow inside the rim.
                for (int j = 0; j < 51; ++j)
                    for (int i = 0; i < 51; ++i) {
                        const double dx = i - 25, dy = j - 25, d = dx * dx + dy * dy;
                        if (d < 19.5 * 19.5 && cell.Get(i, j) != Pink)
                            cell.Set(i, j,
                                     Mix(cell.Get(i, j), Rgb(200, 30, 24), 0.55 - d / 1500.0));
                    }
            }
            Draw_Motif(cell, motifs[col], 10 + x, 10 + y, 31, uint32_t(col));
            if (col == 7)
                Draw_Motif(cell, TMotif::Exclamation, 30 + x, 6 + y, 16, 7);
        });
}

TCanvas Make_Buttons_Arrows() {
    static constexpr TMotif motifs[] = {TMotif::Down, TMotif::Up, TMotif::Left, TMotif::Right};
    return Button_Strip(18, 28, 4, TButton_Shape::Square, 311,
                        [](TCanvas& cell, int col, int x, int y) {
                            Draw_Motif(cell, motifs[col], 2 + x, 6 + y, 14, uint32_t(col));
                        });
}

TCanvas Make_Buttons_Square_Icons() {
    // 0 high scores, 1 options, 2 load, 3 save, 4 quit, 5 spare, 6 export character.
    return Button_Strip(38, 38, 7, TButton_Shape::Square, 401,
                        [](TCanvas& cell, int col, int x, int y) {
                            switch (col) {
                            case 0:
                                Draw_Motif(cell, TMotif::Trophy, 5 + x, 5 + y, 28);
                                break;
                            case 1:
                                Draw_Motif(cell, TMotif::Cog, 5 + x, 5 + y, 28);
                                break;
                            case 2:
                                Draw_Motif(cell, TMotif::Chest, 5 + x, 7 + y, 28);
                                Draw_Motif(cell, TMotif::Arrow_Up, 16 + x, 2 + y, 18);
                                break;
                            case 3:
                                Draw_Motif(cell, TMotif::Book, 5 + x, 5 + y, 28);
                                Draw_Motif(cell, TMotif::Feather, 14 + x, 2 + y, 22);
                                break;
                            case 4:
                                Draw_Motif(cell, TMotif::Door, 5 + x, 5 + y, 28);
                                break;
                            case 6:
                                Draw_Motif(cell, TMotif::Scroll_Out, 5 + x, 5 + y, 28);
                                break;
                            default:
                                break;
                            }
                        });
}

TCanvas Make_Buttons_Square_Frames() {
    // 0 portrait frame, 1 selected portrait frame, 2 item frame of the description panel.
    return Button_Strip(
        38, 38, 3, TButton_Shape::Square, 501, [](TCanvas& cell, int col, int x, int y) {
            Well(cell, 4 + x, 4 + y, 30, 30, col == 2 ? Rgb(40, 34, 30) : Rgb(34, 30, 28));
            if (col == 1) {
                cell.Rect_Outline(1, 1, 36, 36, Rgb(90, 230, 100));
                cell.Rect_Outline(2, 2, 34, 34, Rgb(50, 170, 60));
            }
        });
}

TCanvas Make_Buttons_Long_Rounded_Text() {
    return Button_Strip(200, 51, 1, TButton_Shape::Rounded, 701,
                        [](TCanvas& cell, int, int x, int y) {
                            // A recessed band for the caption with gold finials at its ends.
                            Well(cell, 22 + x, 9 + y, 156, 33, Rgb(44, 34, 28));
                            Stud(cell, 11 + x, 25 + y);
                            Stud(cell, 188 + x, 25 + y);
                        });
}

TCanvas Make_Buttons_Long_Square_Text() {
    return Button_Strip(200, 38, 1, TButton_Shape::Square, 601,
                        [](TCanvas& cell, int, int x, int y) {
                            Well(cell, 16 + x, 6 + y, 168, 26, Rgb(44, 34, 28));
                            Stud(cell, 7 + x, 19 + y);
                            Stud(cell, 192 + x, 19 + y);
                        });
}

TCanvas Make_Buttons_Square_Named() {
    static const char* words[] = {"OK", "Cancel"};
    return Button_Strip(
        51, 23, 2, TButton_Shape::Square, 801, [](TCanvas& cell, int col, int x, int y) {
            Draw_Text_Centred(cell, 25 + x, 8 + y, words[col], pal::Label, pal::Shadow);
        });
}

TCanvas Make_Buttons_Square_Named_Blank() {
    return Button_Strip(224, 23, 1, TButton_Shape::Square, 901,
                        [](TCanvas& cell, int, int x, int y) {
                            Well(cell, 5 + x, 4 + y, 214, 15, Rgb(48, 38, 30));
                        });
}
