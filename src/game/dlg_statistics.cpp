#include "game/dlg_statistics.h"

#include <algorithm>
#include <cmath>

#include "presentation/dialog_background.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "world/map.h"

namespace {

TMonster* player() {
    return Current_Map ? Current_Map->Player() : nullptr;
}

struct TPool {
    double Current, Maximum;
};

std::array<TPool, 4> pools(const TMonster& c) {
    return {{{std::trunc(c.Health), double(c.Maximum_Health)},
             {std::trunc(c.Mana), double(c.Maximum_Mana)},
             {double(c.Hunger), double(c.Maximum_Hunger)},
             {double(c.Weight_Carried), double(c.Maximum_Weight)}}};
}

} // namespace

TDC_Dlg_Statistics::TDC_Dlg_Statistics() {
    f_Background = Load_Dialog_Background("Dlg_Statistics.bmp", 338, 410);
    for (int32_t n = 1; n <= 4; ++n) {
        auto& button = Make_Child<TDC_Button>();
        button.Set_Image_Set(1);
        button.f_Image_Index = 2;
        button.f_Description_Id = 11 + n; // the attribute's help topic
        button.OnClick = [this, n](const std::string&) { Spend_Point(n); };
        f_Plus_Buttons[size_t(n - 1)] = &button;
    }
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
    update_buttons();
}

TDC_Dlg_Statistics::~TDC_Dlg_Statistics() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Statistics::Spend_Point(int32_t n) {
    TMonster* c = player();
    // Two clicks before the buttons are hidden spend only the points there are.
    if (!c || c->Characteristic_Points == 0 || n < 1 || n > 4)
        return;
    uint16_t* const base[4] = {&c->Base_Strength, &c->Base_Intelligence, &c->Base_Dexterity,
                               &c->Base_Constitution};
    if (*base[n - 1] == UINT16_MAX)
        return;
    --c->Characteristic_Points;
    ++*base[n - 1];
    c->Recalculate();
    update_buttons();
}

std::array<std::string, 4> TDC_Dlg_Statistics::Attribute_Texts() const {
    const TMonster* c = player();
    if (!c)
        return {};
    return {std::to_string(c->Strength), std::to_string(c->Intelligence),
            std::to_string(c->Dexterity), std::to_string(c->Constitution)};
}

std::array<std::string, 4> TDC_Dlg_Statistics::Pool_Texts() const {
    std::array<std::string, 4> texts;
    if (const TMonster* c = player()) {
        const auto p = pools(*c);
        for (size_t k = 0; k < 4; ++k)
            texts[k] = std::to_string(static_cast<int64_t>(p[k].Current)) + " / " +
                       std::to_string(static_cast<int64_t>(p[k].Maximum));
    }
    return texts;
}

std::array<std::string, 4> TDC_Dlg_Statistics::Percent_Texts() const {
    std::array<std::string, 4> texts;
    if (const TMonster* c = player()) {
        const auto p = pools(*c);
        for (size_t k = 0; k < 4; ++k) {
            // A maximum of 0 is 0 %, not a division by zero.
            const double share = p[k].Maximum > 0 && p[k].Current > 0
                                     ? std::min(p[k].Current / p[k].Maximum, 1.0)
                                     : 0.0;
            texts[k] = std::to_string(static_cast<int>(100 * share)) + "%";
        }
    }
    return texts;
}

std::string TDC_Dlg_Statistics::Points_Text() const {
    const TMonster* c = player();
    if (!c || c->Characteristic_Points == 0)
        return {};
    return "You have " + std::to_string(c->Characteristic_Points) + " stat points remaining.";
}

void TDC_Dlg_Statistics::update_buttons() {
    const TMonster* c = player();
    const bool points = c && c->Characteristic_Points > 0;
    for (TDC_Button* b : f_Plus_Buttons)
        b->Set_Visible(points);
}

void TDC_Dlg_Statistics::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_Statistics::Handle_Draw(int Buffer) {
    update_buttons();
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 337, 0, 409, f_X, f_Y + 409, f_Background, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    Print_At(f_X + 167, f_Y + 34, "Statistics");
    Set_Font(2);
    Set_Text_Colour(255, 203, 151);
    Set_Justify(3, 4);
    const auto attributes = Attribute_Texts();
    for (size_t k = 0; k < 4; ++k)
        Print_At(f_X + 209, f_Y + 76 + 25 * int(k), attributes[k]);
    Set_Justify(1, 4);
    const auto pool_texts = Pool_Texts();
    const auto percents = Percent_Texts();
    for (size_t k = 0; k < 4; ++k) {
        Print_At(f_X + 148, f_Y + 192 + 25 * int(k), pool_texts[k]);
        Print_At(f_X + 250, f_Y + 192 + 25 * int(k), percents[k]);
    }
    if (const std::string points = Points_Text(); !points.empty()) {
        Set_Justify(2, 2);
        Print_At(f_X + 152, f_Y + 370, points);
    }
    Text_End();
}

void TDC_Dlg_Statistics::Reposition() {
    for (int32_t n = 1; n <= 4; ++n)
        f_Plus_Buttons[size_t(n - 1)]->Set_Position("Plus Button " + std::to_string(n), f_X + 220,
                                                    f_Y + 55 + 25 * (n - 1), false);
    f_Close_Button->Set_Position("Close Button", f_X + 285, f_Y + 357, false);
}
