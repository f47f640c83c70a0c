#include "presentation/description_panel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "presentation/display_object.h"
#include "presentation/text.h"
#include "rules/class_info.h"
#include "rules/item.h"
#include "rules/monster.h"
#include "rules/spells.h"
#include "shell/enums.h"
#include "shell/globals.h"
#include "shell/helpers.h"
#include "world/map.h"
#include "world/terrain.h"

namespace {

constexpr TColour White = Colour_RGB(255, 255, 255);
constexpr TColour Grey = Colour_RGB(150, 150, 150);
constexpr TColour Red = Colour_RGB(255, 0, 0);
constexpr TColour Pink = Colour_RGB(255, 0, 255);
constexpr int Panel_Left = 520;
constexpr int Panel_Top = 12;
constexpr int Value_X = 680;
constexpr int Line_Step = 16;
constexpr int Extend_From_Y = 170;

struct TTopic {
    const char* Title;
    const char* Text;
    const char* Hotkey;
};

// The texts are shown as written, trailing blanks included.
constexpr std::array<TTopic, Topic_Count> topics{{
    {"Menu", "Pressing this button will display the game menu.", "(Hotkey G)"},
    {"Quests", "Pressing this button will display your Quest log.", "(Hotkey Q)"},
    {"Map",
     "Pressing this button will display your map of the area. Only areas that you have seen "
     "will be filled in.",
     "(Hotkey M)"},
    {"Statistics",
     "Pressing this button will display your Character's Statistics. If this button is a red "
     "color, then you have statistics points to spend in this window.",
     "(Hotkey C)"},
    {"Spell\\Skill List",
     "Pressing this button will display your Spell\\Skill List. If this button is a red "
     "color, then you have spell points to spend in this window.",
     "(Hotkey S)"},
    {"Spell\\Skill Selection",
     "Pressing this button will display your Spell\\Skill Selection book. Selecting spells or "
     "scrolls will make them ready for use.",
     "(Hotkey B)"},
    {"Drink Health Potion",
     "Pressing this button will make your character drink a health potion from inventory. ",
     "(Hotkey F11)"},
    {"Drink Mana Potion",
     "Pressing this button will make your character drink a mana potion from inventory. ",
     "(Hotkey F12)"},
    {"Ready Spell",
     "Pressing this button will select this spell for casting. Right-clicking in the main "
     "display will cast the currently selected spell (green button) at the specific target.",
     "(Hotkeys F1 - F10)"},
    {"Show\\Hide Inventory", "Pressing this button will show or hide your character's inventory. ",
     "(Hotkey I)"},
    {"Show\\Hide Statistics",
     "Pressing this button will show or hide your character's statistics. ", "(Hotkey R)"},
    {"Strength",
     "The raw physical strength of your character. This stat influences your damage and "
     "weight allowance.",
     ""},
    {"Intelligence",
     "The mental ability of your character. This stat influences your total mana amount.", ""},
    {"Dexterity",
     "The dodging ability and physical speed of your character. This stat influences your "
     "attack and defense abilities.",
     ""},
    {"Constitution",
     "Your character's raw physical resistance. This stat determines your total health "
     "amount.",
     ""},
    {"Attack Ability",
     "A rating of how well you attack with weapons. The higher the number, the better your "
     "chance to hit an enemy.",
     ""},
    {"Defense Ability",
     "A rating of how well you defend against physical attacks. The higher the value, the "
     "less chance you will be hit with a weapon.",
     ""},
    {"Damage",
     "The amount of damage you will inflict on an enemy when you hit them with your currently "
     "held weapon.",
     ""},
    {"Fire Resistance",
     "Your physical resistance to fire attacks. This value is the percentage of fire damage "
     "that your body will resist.",
     ""},
    {"Cold Resistance",
     "Your physical resistance to cold attacks. This value is the percentage of cold damage "
     "that your body will resist.",
     ""},
    {"Lightning Resistance",
     "Your physical resistance to lightning attacks. This value is the percentage of "
     "lightning damage that your body will resist.",
     ""},
    {"Magic Resistance",
     "Your physical resistance to magic attacks. This value is the percentage of magic "
     "damage that your body will resist.",
     ""},
    {"Poison Resistance",
     "Your physical resistance to poison attacks. This value is the percentage of poison "
     "damage that your body will resist.",
     ""},
    {"Character Level",
     "Your Character's current level. At each new level, you gain statistic and spell points "
     "to spend.",
     ""},
    {"Experience Points",
     "The total number of experience points your character has accumulated. Experience is "
     "gained by killing monsters.",
     ""},
    {"Experience To Next Level",
     "The amount of experience required for your character to gain a new level.", ""},
    {"Gold", "The total amount of gold your character has collected.", ""},
    {"Health", "Your character's total health. When this reaches zero, you are dead.", ""},
    {"Mana", "Your character's total mana. Mana is spent to cast spells.", ""},
    {"Hunger",
     "Your character's current hunger level. When your hunger reaches zero you will start to "
     "lose health.",
     ""},
    {"Encumberance",
     "The total weight of all of the items you are carrying. If this goes above your maximum, "
     "then your character will move slower.",
     ""},
    {"Status",
     "Your character's current status. This can be things such as Paralyzed, Panic, Poison, "
     "etc.",
     ""},
}};

// The small icon of the misc picture's grid shown for topics 12..31.
constexpr std::array<int, 20> topic_icons{0,  1, 2,  3,  21, 4,  22, 11, 9,  10,
                                          12, 5, 18, 19, 20, 17, 13, 14, 15, 16};

const TTopic* topic_of(int32_t n) {
    return n >= 1 && n <= Topic_Count ? &topics[size_t(n - 1)] : nullptr;
}

int line_height(int font) {
    const int saved = Current_Font();
    Set_Font(font);
    const int h = Text_Height();
    Set_Font(saved);
    return std::max(1, h);
}

} // namespace

std::vector<std::string> Wrap_Lines(const std::string& text, int font, int width) {
    const int saved = Current_Font();
    Set_Font(font);
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        const size_t blank = text.find(' ', i);
        const std::string word = text.substr(i, blank == std::string::npos ? blank : blank - i);
        i = blank == std::string::npos ? text.size() : blank + 1;
        if (word.empty())
            continue;
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && Text_Width(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    Set_Font(saved);
    return lines;
}

namespace {

// Lays the lines out from the top of the panel down.
class TLayout {
  public:
    TLayout(TDescription& d, int text_x) : d_(d), x_(text_x) {}

    int X() const { return x_; }
    int Width() const { return 266 - (x_ - Panel_Left); }
    int Y() const { return y_; }
    void Move_To(int y) { y_ = y; }

    // Wrapped text from the current y, at most max_height pixels of it.
    void Paragraph(const std::string& text, int font, TColour colour, int max_height = 80) {
        if (text.empty())
            return;
        const int h = line_height(font);
        const int top = y_;
        for (const std::string& line : Wrap_Lines(text, font, Width())) {
            if (y_ + h > top + max_height)
                break;
            start_line();
            y_ += h;
            d_.Lines.push_back({line, colour, font, x_, y_, false});
        }
    }
    // The gap under the title and text.
    void Gap() { y_ += 5; }
    // One line of 16 pixels: a label with its value, or a line without label.
    void Value(const std::string& label, const std::string& value, TColour colour = White) {
        start_line();
        y_ += Line_Step;
        d_.Lines.push_back({label, colour, 1, x_, y_, false});
        if (!value.empty())
            d_.Lines.push_back({value, colour, 1, Value_X, y_, false});
    }
    void Line(const std::string& text, TColour colour, int font = 1, int x = -1) {
        start_line();
        y_ += Line_Step;
        d_.Lines.push_back({text, colour, font, x < 0 ? x_ : x, y_, false});
    }
    void Title_And_Text(const std::string& title, const std::string& text,
                        TColour title_colour = White) {
        Paragraph(title, 3, title_colour);
        Paragraph(text, 1, Grey);
        Gap();
    }

  private:
    void start_line() {
        if (y_ >= Extend_From_Y)
            d_.Extended = true;
    }
    TDescription& d_;
    int x_;
    int y_ = Panel_Top;
};

std::string number(int64_t n) {
    return Format_Thousands(n);
}

std::string class_name(int32_t n) {
    const TClass_Info* info = Class_Infos.Get(n);
    return info ? info->Class_Name : std::string();
}

// The lines of a spell known at the level: target, duration, area, summons, effects.
void spell_lines(TLayout& out, const TSpell& spell, int32_t level) {
    out.Value("Target", std::string(Effect_Target_Name(static_cast<TEffect_Target>(
                            spell.Target_Type <= Effect_Target_Last ? spell.Target_Type : 0))));
    if (const int32_t duration = spell.Get_Duration(level); duration > 0)
        out.Value("Duration", std::to_string(duration) + " seconds");
    if (const int32_t radius = spell.Get_Area_Radius(level); radius > 0)
        out.Value("Area Effect", std::to_string(radius) + " yards");
    if (const int32_t count = spell.Get_Summon_Count(level);
        count > 0 && !spell.Summoned_Monster.empty())
        out.Value("Monsters Summoned", std::to_string(count));
    for (int32_t i = 1; i <= spell.Effects.Count(); ++i)
        if (const std::string text = spell.Get_Effect_Text(i, level, true); !text.empty())
            out.Value(text, "");
}

// The phrase after "+" and the amount of a use, by use kind.
const char* use_phrase(uint8_t kind) {
    switch (kind) {
    case 1:
        return " to Hunger";
    case 2:
        return " to Health";
    case 3:
        return " to Mana";
    case 7:
        return " permanently to Health";
    case 8:
        return " permanently to Mana";
    case 9:
        return " permanently to Strength";
    case 10:
        return " permanently to Intelligence";
    case 11:
        return " permanently to Dexterity";
    case 12:
        return " permanently to Constitution";
    default:
        return nullptr;
    }
}

void describe_item(TDescription& d, const TItem& item, const TPrice_Display& prices,
                   const TMonster* player) {
    d.Picture = TDescription_Picture::Item;
    TLayout out(d, 565);
    const TSpell* scroll_spell = nullptr;
    int32_t scroll_level = 0;
    if (item.Get_Type() == TItem_Type::Scroll && !item.Spell_Names.empty()) {
        scroll_spell = Master_Spells.Get(Master_Spells.Find_Named(item.Spell_Names.front()));
        scroll_level =
            item.Spell_Levels.empty() ? 1 : std::max<int32_t>(1, item.Spell_Levels.front());
    }
    if (scroll_spell)
        out.Title_And_Text("Scroll of " + scroll_spell->Name, scroll_spell->Description);
    else
        out.Title_And_Text(item.Name, item.Description);

    const int64_t value = item.Get_Gold_Value();
    if (prices.On && prices.Buying)
        out.Value("Cost", number(value * prices.Buy_Percent / 100));
    else if (prices.On && prices.Selling)
        out.Value("Sell Value", number(value * prices.Sell_Percent / 100));
    else
        out.Value("Value", number(value));
    if (item.Damage.Max > 0)
        out.Value("Damage", item.Damage.Get_Text());
    if (item.Defense > 0)
        out.Value("Defense Ability", std::to_string(item.Defense));
    out.Value("Weight", std::to_string(item.Get_Weight()));
    if (item.Hands_Required >= 2)
        out.Value("Requirement", "Two Handed");
    for (int32_t i = 1; i <= item.Requirements.Count(); ++i) {
        // Each requirement on its own, so only the unmet ones are red.
        TRequirements one;
        const TRequirements::TEntry& e = item.Requirements.Entries()[size_t(i - 1)];
        one.Add_Requirement(e.Type, e.Amount, e.Modifier_Type, e.Amount_Per_Level);
        const bool met = !player || one.Requirements_Met(player, item.Level);
        out.Value("Requirement", item.Requirements.Get_Requirement_Text(i, item.Level, class_name),
                  met ? White : Red);
    }
    if (const char* phrase = use_phrase(item.Consumption_Type))
        out.Value("+" + std::to_string(item.Consumption_Value) + phrase, "", Pink);
    else if (item.Consumption_Type == static_cast<uint8_t>(TConsumption_Type::Cure_Poison))
        out.Value("Cure Poison", "", Pink);
    for (int32_t i = 1; i <= item.Effects.Count(); ++i)
        if (const std::string text = item.Effects.Get_Effect_Text(i, true); !text.empty())
            out.Value(text, "");
    if (scroll_spell) {
        out.Value("Spell Level", std::to_string(scroll_level));
        spell_lines(out, *scroll_spell, scroll_level);
    }
}

void describe_creature(TDescription& d, const TMonster& creature) {
    d.Picture = TDescription_Picture::Creature;
    TLayout out(d, 575);
    out.Title_And_Text(creature.Name, creature.Description);
    out.Line("Level " + std::to_string(creature.Level), White, 2, 607);
    d.Has_Bar = true;
    d.Bar_X = 575;
    d.Bar_Y = out.Y() + 2;
    d.Bar_Width = Description_Bar_Width(std::trunc(creature.Health), creature.Maximum_Health);
    const int64_t health = static_cast<int64_t>(std::max(0.0, std::trunc(creature.Health)));
    d.Lines.push_back({std::to_string(health) + " / " + std::to_string(creature.Maximum_Health),
                       White, 1, 625, d.Bar_Y + 16, true});
    out.Move_To(d.Bar_Y + 21);
    static constexpr std::array<const char*, 7> status{"",          "Panicked", "Poisoned", "Blind",
                                                       "Paralyzed", "Asleep",   "Converted"};
    if (creature.Condition >= 1 && creature.Condition <= 6)
        out.Line(status[creature.Condition], Pink, 1, 575);
}

// Whether the player can make the square out: in sight and lit, or remembered.
bool square_seen(const TMap& map, const TMap_Square& square, int32_t x, int32_t y) {
    if (map.Universal_Light || square.Is_Explored())
        return true;
    const int32_t i = x - map.Sight_Left(), j = y - map.Sight_Top();
    const int32_t li = x - map.Light_Left(), lj = y - map.Light_Top();
    return map.Get_Sight(i, j) == 1 && map.Get_Light(li, lj) < 4;
}

void describe_square(TDescription& d, const TMap& map, int32_t x, int32_t y) {
    const TMap_Square* square = map.Get_Square(x, y);
    if (!square || !square_seen(map, *square, x, y))
        return;
    const TTerrain* terrain = square->Get_Terrain(map);
    d.Picture = TDescription_Picture::Square;
    TLayout out(d, 580);
    out.Title_And_Text(terrain ? terrain->Name : std::string(), "", Grey);
    std::string key;
    if (square->Is_Locked() && map.Get_Lock_Name(x, y, key))
        out.Value("Locked (Requires " + key + " Key)", "");
}

void describe_spell(TDescription& d, const TSpell& spell, const TMonster* player) {
    d.Picture = TDescription_Picture::Spell;
    TLayout out(d, 565);
    out.Title_And_Text(spell.Name, spell.Description);
    if (!player)
        return;
    if (const TClass_Info* info = player->Get_Class())
        if (const TClass_Spell* entry = info->Find_Spell(spell.Name))
            if (player->Level < entry->Available_At_Level)
                out.Value("Minimum Character Level", std::to_string(entry->Available_At_Level),
                          Red);
    const int32_t level = player->Spells.Get_Level(spell.Number);
    if (level <= 0)
        return;
    out.Value("Spell Level", std::to_string(level));
    if (spell.Is_Passive())
        out.Value("Mana To Cast", "Always On");
    else
        out.Value("Mana To Cast", std::to_string(spell.Get_Mana_Cost(level)));
    spell_lines(out, spell, level);
}

void describe_topic(TDescription& d, int32_t n) {
    const TTopic* topic = topic_of(n);
    if (!topic)
        return;
    d.Picture = TDescription_Picture::Topic;
    d.Picture_X = n <= 9 ? 520 : n <= 11 ? 540 : 538;
    const int x = n <= 6 ? 580 : 565;
    d.Lines.push_back({topic->Title, White, 3, x, 32, false});
    const int h = line_height(1);
    int y = 32;
    for (const std::string& line : Wrap_Lines(topic->Text, 1, 206)) {
        if (y + h > 32 + 112)
            break;
        y += h;
        d.Lines.push_back({line, Grey, 1, x, y, false});
    }
    if (*topic->Hotkey)
        d.Lines.push_back({topic->Hotkey, Grey, 3, x, 160, false});
}

void draw_picture(const TDescription& d, const TDescription_Subject& subject, TMap& map,
                  int buffer) {
    if (!Display_Object)
        return;
    const int x = d.Picture_X, y = d.Picture_Y;
    switch (d.Picture) {
    case TDescription_Picture::Item:
        if (const TItem* item = subject.Item.Resolve(map.Item_List)) {
            Copy_Rect_Transparent(2 * 38, 2 * 38 + 37, 0, 37, x, y + 37, Button_Strip(5), buffer);
            Draw_Item(*item, buffer, x + 3, y + 3, false);
        }
        break;
    case TDescription_Picture::Creature:
        if (const TMonster* creature = subject.Creature.Resolve(map.Monster_List))
            Draw_Creature(*creature, x, y, buffer);
        break;
    case TDescription_Picture::Square:
        if (const TMap_Square* square = map.Get_Square(subject.X, subject.Y))
            Draw_Plain(map, *square, x, y, buffer);
        break;
    case TDescription_Picture::Spell:
        if (const TSpell* spell = Master_Spells.Get(subject.Spell))
            Display_Object->Draw_Spell_Icon(spell->Picture_ID, false, x, y, buffer);
        break;
    case TDescription_Picture::Topic: {
        const int n = subject.Topic;
        auto cell = [&](int set, int column, int row) {
            int w = 0, h = 0;
            Button_Cell_Size(set, w, h);
            Copy_Rect_Transparent(column * w, column * w + w - 1, row * h, row * h + h - 1, x,
                                  y + h - 1, Button_Strip(set), buffer);
        };
        static constexpr std::array<int, 6> round_columns{0, 1, 2, 3, 4, 8};
        if (n >= 1 && n <= 6)
            cell(2, round_columns[size_t(n - 1)], 1);
        else if (n == 7 || n == 8)
            cell(10, n - 4, 1);
        else if (n == 9)
            cell(10, 1, 1);
        else if (n == 10 || n == 11)
            cell(3, 0, 1);
        else if (n >= 12 && n <= 31)
            Display_Object->Draw_Small_Icon_Row_2(topic_icons[size_t(n - 12)], x, y, buffer);
        else if (n == 32)
            Display_Object->Draw_Small_Icon_Row_1(0, x, y, buffer);
        break;
    }
    case TDescription_Picture::None:
        break;
    }
}

} // namespace

std::string Topic_Title(int32_t topic) {
    const TTopic* t = topic_of(topic);
    return t ? t->Title : "";
}

std::string Topic_Text(int32_t topic) {
    const TTopic* t = topic_of(topic);
    return t ? t->Text : "";
}

std::string Topic_Hotkey(int32_t topic) {
    const TTopic* t = topic_of(topic);
    return t ? t->Hotkey : "";
}

int32_t Description_Bar_Width(double current, double maximum) {
    if (!(maximum > 0) || !(current > 0))
        return 0;
    return static_cast<int32_t>(101 * std::min(current / maximum, 1.0));
}

TDescription Describe_Subject(const TDescription_Subject& subject, const TPrice_Display& prices,
                              TMap* map, const TMonster* player) {
    TDescription d;
    if (!map)
        map = Current_Map.get();
    switch (subject.Kind) {
    case TSubject_Kind::Item:
        if (map)
            if (const TItem* item = subject.Item.Resolve(map->Item_List))
                describe_item(d, *item, prices, player);
        break;
    case TSubject_Kind::Creature:
        if (map)
            if (const TMonster* creature = subject.Creature.Resolve(map->Monster_List))
                describe_creature(d, *creature);
        break;
    case TSubject_Kind::Square:
        if (map)
            describe_square(d, *map, subject.X, subject.Y);
        break;
    case TSubject_Kind::Spell:
        if (const TSpell* spell = Master_Spells.Get(subject.Spell))
            describe_spell(d, *spell, player);
        break;
    case TSubject_Kind::Topic:
        describe_topic(d, subject.Topic);
        break;
    case TSubject_Kind::None:
    case TSubject_Kind::Reserved:
        break;
    }
    return d;
}

void Draw_Description_Panel(int Buffer, int Background) {
    TDescription_Panel& panel = Description_Panel();
    TMap* map = Current_Map.get();
    if (!map)
        return;
    const TDescription d = Describe_Subject(panel.Subject(), panel.Prices(), map, map->Player());
    const TSubject_Kind kind = panel.Subject().Kind;
    if (d.Empty()) {
        // An item or creature that has gone is forgotten, never looked up again.
        if (kind == TSubject_Kind::Item || kind == TSubject_Kind::Creature)
            panel.Clear_Subject();
        return;
    }
    if (d.Extended && Background >= 0)
        Copy_Rect(508, 799, 114, 193, 508, 249, Background, Buffer);
    draw_picture(d, panel.Subject(), *map, Buffer);
    if (d.Has_Bar && Display_Object) {
        Copy_Rect_Transparent(371, 503, 10, 30, d.Bar_X, d.Bar_Y + 20,
                              Display_Object->f_Display_General_VB, Buffer);
        if (d.Bar_Width > 0) {
            fg_vbopen(Buffer);
            Set_Colour(Red);
            Fill_Rect(604, 604 + d.Bar_Width - 1, d.Bar_Y + 6, d.Bar_Y + 14);
        }
    }
    Text_Begin(Buffer);
    for (const TDescription_Line& line : d.Lines) {
        Set_Font(line.Font);
        Set_Text_Colour(line.Colour);
        Set_Justify(line.Centred ? 2 : 1, 4);
        Print_At(line.X, line.Y, line.Text);
    }
    Text_End();
}
