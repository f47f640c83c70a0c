#include "presentation/ui_hooks.h"

#include <array>

#include "shell/services.h"

namespace {

constexpr std::array<std::array<int, 2>, Button_Image_Sets + 1> cell_sizes{{{0, 0},
                                                                            {23, 23},
                                                                            {51, 51},
                                                                            {18, 28},
                                                                            {38, 38},
                                                                            {38, 38},
                                                                            {200, 38},
                                                                            {200, 51},
                                                                            {51, 23},
                                                                            {224, 23},
                                                                            {38, 38}}};
std::array<int, Button_Image_Sets + 1> strips = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

} // namespace

void Button_Cell_Size(int image_set, int& width, int& height) {
    const bool known = image_set >= 1 && image_set <= Button_Image_Sets;
    width = known ? cell_sizes[size_t(image_set)][0] : 0;
    height = known ? cell_sizes[size_t(image_set)][1] : 0;
}

void Set_Button_Strip(int image_set, int buffer) {
    if (image_set >= 1 && image_set <= Button_Image_Sets)
        strips[size_t(image_set)] = buffer;
}

int Button_Strip(int image_set) {
    return image_set >= 1 && image_set <= Button_Image_Sets ? strips[size_t(image_set)] : -1;
}

void TDescription_Panel::Set_Subject_Item(const TItem_Ref& item) {
    subject_ = {};
    subject_.Kind = TSubject_Kind::Item;
    subject_.Item = item;
}

void TDescription_Panel::Set_Subject_Creature(const TCreature_Ref& creature) {
    subject_ = {};
    subject_.Kind = TSubject_Kind::Creature;
    subject_.Creature = creature;
}

void TDescription_Panel::Set_Subject_Square(int32_t x, int32_t y) {
    subject_ = {};
    subject_.Kind = TSubject_Kind::Square;
    subject_.X = x;
    subject_.Y = y;
}

void TDescription_Panel::Set_Subject_Spell(int32_t spell) {
    subject_ = {};
    subject_.Kind = TSubject_Kind::Spell;
    subject_.Spell = spell;
}

void TDescription_Panel::Set_Subject_Topic(int32_t topic) {
    subject_ = {};
    subject_.Kind = TSubject_Kind::Topic;
    subject_.Topic = topic;
}

void TDescription_Panel::Set_Price_Display(bool buying, bool selling, int32_t buy_percent,
                                           int32_t sell_percent) {
    prices_ = {true, buying, selling, buy_percent, sell_percent};
}

TDescription_Panel& Description_Panel() {
    static TDescription_Panel none;
    TDescription_Panel* installed = Services().Description;
    return installed ? *installed : none;
}
