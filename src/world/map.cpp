#include "world/map.h"

#include <algorithm>
#include <cmath>

#include "shell/random.h"
#include "shell/services.h"
#include "shell/value_stream.h"
#include "world/behaviour.h"
#include "world/module.h"

namespace {

// Names the callbacks of a per-tick pass for the length of the pass.
class TPass_Callbacks {
  public:
    TPass_Callbacks(TMain_Callbacks*& slot, TMain_Callbacks& callbacks)
        : slot_(slot), outer_(slot) {
        slot_ = &callbacks;
    }
    ~TPass_Callbacks() { slot_ = outer_; }
    TPass_Callbacks(const TPass_Callbacks&) = delete;
    TPass_Callbacks& operator=(const TPass_Callbacks&) = delete;

  private:
    TMain_Callbacks*& slot_;
    TMain_Callbacks* outer_;
};

} // namespace

// Squares.

const TTerrain* TMap_Square::Get_Terrain(const TMap& map) const {
    return map.Terrains.Get_Terrain(Terrain);
}

TMonster* TMap_Square::Get_Monster(TMap& map) const {
    return Monster == 0 ? nullptr : map.Monster_List.Get(Monster);
}

TItem* TMap_Square::Get_Top_Item(TMap& map) const {
    if (Item == 0)
        return nullptr;
    if (!Is_Pile())
        return map.Item_List.Get(Item);
    const TItem_Collection* pile = map.Get_Collection(Item);
    return pile ? pile->Get(1, map.Item_List) : nullptr;
}

bool TMap_Square::Has_Vision_Flag(const TMap& map, uint8_t mask) const {
    const TTerrain* terrain = Get_Terrain(map);
    return terrain && terrain->Has_Vision_Flag(mask);
}

bool TMap_Square::Has_Movement_Flag(const TMap& map, uint8_t mask) const {
    if (Monster != 0)
        return false;
    const TTerrain* terrain = Get_Terrain(map);
    return terrain && terrain->Has_Movement_Flag(mask);
}

int32_t TMap_Square::Get_Light_Radius(const TMap& map) const {
    const TTerrain* terrain = Get_Terrain(map);
    int32_t radius = terrain ? terrain->Light_Radius_Generated : 0;
    if (Monster != 0)
        if (const TMonster* creature = map.Monster_List.Get(Monster))
            radius = std::max<int32_t>(radius, creature->Light_Radius);
    return radius;
}

uint32_t TMap_Square::Get_Overview_Color(const TMap& map) const {
    const TTerrain* terrain = Get_Terrain(map);
    return terrain ? terrain->Overview_Color : 0;
}

std::string TMap_Square::Get_Look_Description(const TMap& map) const {
    const TTerrain* terrain = Get_Terrain(map);
    if (terrain && terrain->Next_Terrain_Action == static_cast<uint8_t>(TTerrain_Action::Look))
        return terrain->Description;
    return {};
}

std::vector<std::string> TMap_Square::Get_Categories(const TMap& map) const {
    const TTerrain* terrain = Get_Terrain(map);
    return terrain ? terrain->Categories : std::vector<std::string>{};
}

bool TMap_Square::Get_Display_Chest_Window(const TMap& map) const {
    const TTerrain* terrain = Get_Terrain(map);
    return terrain && terrain->Display_Chest_Window;
}

bool TMap_Square::Add_Item(TMap& map, uint16_t item_number) {
    if (Is_Pile()) {
        if (TItem_Collection* pile = map.Get_Collection(Item)) {
            pile->Add(item_number);
            return true;
        }
        // The pile's collection is gone: the item lies here alone rather than vanish.
        Set_Flag(Square_Pile, false);
        Item = item_number;
        return true;
    }
    if (Item != 0) {
        const uint16_t index = map.New_Collection();
        if (index == 0)
            return false;
        TItem_Collection* pile = map.Get_Collection(index);
        pile->Add(Item);
        pile->Add(item_number);
        Set_Flag(Square_Pile, true);
        Item = index;
        return true;
    }
    Item = item_number;
    return true;
}

bool TMap_Square::Take_Top_Item(TMap& map, TMonster& creature) {
    if (Item == 0)
        return false;
    uint16_t taken = 0;
    if (Is_Pile()) {
        TItem_Collection* pile = map.Get_Collection(Item);
        if (!pile)
            return false;
        // Numbers naming no item (a damaged file) would bury the pile under them.
        while (pile->Count() > 0 && !map.Item_List.Get(pile->Get_Number(pile->Count())))
            pile->Delete(pile->Count());
        if (pile->Count() == 0) {
            map.Delete_Collection(Item);
            Set_Flag(Square_Pile, false);
            Item = 0;
            return false;
        }
        taken = pile->Get_Number(pile->Count());
        pile->Delete(pile->Count());
        // One item left lies alone; none left (a pile of one from a file) leaves the
        // square empty rather than pointing at an empty collection.
        if (pile->Count() <= 1) {
            const uint16_t remaining = pile->Count() == 1 ? pile->Get_Number(1) : 0;
            map.Delete_Collection(Item);
            Set_Flag(Square_Pile, false);
            Item = remaining;
        }
    } else {
        if (!map.Item_List.Get(Item))
            return false;
        taken = Item;
        Item = 0;
    }
    if (!creature.Add_To_Backpack(taken)) {
        Add_Item(map, taken);
        return false;
    }
    return true;
}

int32_t TMap_Square::Hidden_Layer(const TMap& map, int32_t dx, int32_t dy, bool in_sight) const {
    const TTerrain* terrain = Get_Terrain(map);
    if (!terrain)
        return 0;
    if (!in_sight)
        return terrain->Sight_Hidden_Layer;
    bool hide = false;
    switch (terrain->Sight_Side_Hidden) {
    case 1:
        hide = dy < 0;
        break;
    case 2:
        hide = dx >= 1;
        break;
    case 3:
        hide = dy >= 1;
        break;
    case 4:
        hide = dx < 0;
        break;
    default:
        break;
    }
    return hide ? terrain->Sight_Hidden_Layer : 0;
}

bool TMap_Square::Detect_Secret_Door(const TMap& map, const TMonster* player) {
    const TTerrain* terrain = Get_Terrain(map);
    if (!terrain ||
        terrain->Next_Terrain_Action != static_cast<uint8_t>(TTerrain_Action::Open_Secret))
        return false;
    if (!Is_Secret_Checked()) {
        Set_Flag(Square_Secret_Checked, true);
        bool found = false;
        if (player)
            found = Random_Range(1, 100) <= player->Get_Detect_Secret_Doors();
        Set_Flag(Square_Secret_Found, found);
    }
    return Is_Secret_Found();
}

void TMap_Square::Save(TValue_Writer& writer) const {
    writer.Write_Word(Terrain);
    writer.Write_Word(Item);
    writer.Write_Word(Monster);
    writer.Write_Word(Flags);
    writer.Write_Byte(Overlay);
}

void TMap_Square::Load(TValue_Reader& reader) {
    Terrain = reader.Read_Word();
    Item = reader.Read_Word();
    Monster = reader.Read_Word();
    Flags = reader.Read_Word();
    Overlay = reader.Read_Byte();
}

// The map.

TMap::TMap() : squares_(Map_Size * Map_Size) {}

TMap::~TMap() {
    if (Creature_World() == this)
        Set_Creature_World(nullptr);
}

TMap_Square* TMap::Get_Square(int32_t x, int32_t y) {
    return In_Map(x, y) ? &squares_[(x - 1) * Map_Size + (y - 1)] : nullptr;
}

const TMap_Square* TMap::Get_Square(int32_t x, int32_t y) const {
    return In_Map(x, y) ? &squares_[(x - 1) * Map_Size + (y - 1)] : nullptr;
}

void TMap::Clear(bool clear_terrains) {
    for (TMap_Square& square : squares_)
        square.Clear();
    Monster_List.Clear();
    Item_List.Clear();
    if (clear_terrains)
        Terrains.Clear();
    locks_.Clear();
    traps_.Clear();
    collections_.clear();
    location_lists_.clear();
    Stores.clear();
    Player_Number = 0;
}

void TMap::Assign(const TMap& source) {
    if (this == &source)
        return;
    Version = source.Version;
    Map_File_Name = source.Map_File_Name;
    Display_Name = source.Display_Name;
    squares_ = source.squares_;
    Universal_Light = source.Universal_Light;
    Terrains = source.Terrains;
    Item_List = source.Item_List;
    Monster_List = source.Monster_List;
    collections_.clear();
    for (const auto& collection : source.collections_)
        collections_.push_back(collection ? std::make_unique<TItem_Collection>(*collection)
                                          : nullptr);
    location_lists_ = source.location_lists_;
    Stores = source.Stores;
    locks_ = source.locks_;
    traps_ = source.traps_;
}

void TMap::Place_Monster_At_Its_Position(const TMonster& creature) {
    if (TMap_Square* square = Get_Square(creature.X, creature.Y))
        square->Place_Monster(creature);
}

bool TMap::Change_Terrain(int32_t x, int32_t y, uint16_t terrain_id) {
    TMap_Square* square = Get_Square(x, y);
    const uint16_t slot = Terrains.Find_Terrain_Slot_By_ID(terrain_id);
    if (!square || slot == 0)
        return false;
    square->Terrain = slot;
    return true;
}

void TMap::Tick_Monsters(TMain_Callbacks& callbacks, int32_t ticks_per_second) {
    const TPass_Callbacks pass(pass_callbacks_, callbacks);
    TCreature_World* previous = Creature_World();
    Set_Creature_World(this);
    // Count is read again each time: a creature summoned during the pass gets its tick.
    for (int32_t number = 1; number <= Monster_List.Count(); ++number)
        if (TMonster* creature = Monster_List.Get(number))
            creature->Tick(ticks_per_second);
    // Creatures that died in the pass, or since the last one, are freed now that no
    // tick holds them; their numbers are free again.
    Monster_List.Remove_Dead();
    Set_Creature_World(previous);
}

bool TMap::Find_Empty_Square_Near(int32_t x, int32_t y, int32_t& found_x, int32_t& found_y) const {
    std::vector<std::pair<int32_t, int32_t>> free;
    for (int32_t r = 1; r <= 10; ++r) {
        free.clear();
        for (int32_t yy = y - r; yy <= y + r; ++yy)
            for (int32_t xx = x - r; xx <= x + r; ++xx) {
                const TMap_Square* square = Get_Square(xx, yy);
                if (square && square->Has_Movement_Flag(*this, Movement_Land))
                    free.emplace_back(xx, yy);
            }
        if (!free.empty()) {
            const auto& chosen = free[Random_Range(1, static_cast<int32_t>(free.size())) - 1];
            found_x = chosen.first;
            found_y = chosen.second;
            return true;
        }
    }
    return false;
}

int32_t TMap::Round_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = x1 - x2, dy = y1 - y2;
    // The default rounding mode rounds halves to even.
    return static_cast<int32_t>(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
}

int32_t TMap::Square_Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return std::max(std::abs(x1 - x2), std::abs(y1 - y2));
}

int32_t TMap::Clamp_X(int32_t v) {
    return std::clamp(v, 1, Map_Size);
}

int32_t TMap::Clamp_Y(int32_t v) {
    return std::clamp(v, 1, Map_Size);
}

TItem_Collection* TMap::Get_Collection(int32_t index) {
    if (index < 1 || index >= static_cast<int32_t>(collections_.size()))
        return nullptr;
    return collections_[index].get();
}

const TItem_Collection* TMap::Get_Collection(int32_t index) const {
    return const_cast<TMap*>(this)->Get_Collection(index);
}

uint16_t TMap::New_Collection() {
    if (collections_.empty())
        collections_.resize(1);
    for (size_t i = collections_.size() - 1; i >= 1; --i)
        if (!collections_[i]) {
            collections_[i] = std::make_unique<TItem_Collection>();
            return static_cast<uint16_t>(i);
        }
    // The saved table length counts entry 0 and must fit in a word.
    if (collections_.size() >= 65535)
        return 0;
    collections_.push_back(std::make_unique<TItem_Collection>());
    return static_cast<uint16_t>(collections_.size() - 1);
}

bool TMap::Delete_Collection(int32_t index) {
    if (index < 1 || index >= static_cast<int32_t>(collections_.size()))
        return false;
    collections_[index].reset();
    return true;
}

void TMap::Add_Location_List(const std::vector<uint16_t>& list, int32_t x, int32_t y) {
    location_lists_.push_back({list, static_cast<uint16_t>(x), static_cast<uint16_t>(y)});
}

const std::vector<uint16_t>* TMap::Get_Location_List(int32_t x, int32_t y) const {
    for (auto it = location_lists_.rbegin(); it != location_lists_.rend(); ++it)
        if (it->X == x && it->Y == y)
            return &it->Values;
    return nullptr;
}

std::vector<uint16_t>* TMap::Get_Location_List(int32_t x, int32_t y) {
    for (auto it = location_lists_.rbegin(); it != location_lists_.rend(); ++it)
        if (it->X == x && it->Y == y)
            return &it->Values;
    return nullptr;
}

namespace {

void set_mark(TSquare_Names& marks, const std::string& name, int32_t x, int32_t y, bool on) {
    if (on) {
        marks.Names.push_back(name);
        marks.X.push_back(static_cast<uint16_t>(x));
        marks.Y.push_back(static_cast<uint16_t>(y));
        return;
    }
    for (size_t i = marks.Names.size(); i > 0; --i)
        if (marks.X[i - 1] == x && marks.Y[i - 1] == y) {
            marks.Names.erase(marks.Names.begin() + static_cast<std::ptrdiff_t>(i - 1));
            marks.X.erase(marks.X.begin() + static_cast<std::ptrdiff_t>(i - 1));
            marks.Y.erase(marks.Y.begin() + static_cast<std::ptrdiff_t>(i - 1));
            return;
        }
}

bool get_mark(const TSquare_Names& marks, int32_t x, int32_t y, std::string& name) {
    for (size_t i = marks.Names.size(); i > 0; --i)
        if (marks.X[i - 1] == x && marks.Y[i - 1] == y) {
            name = marks.Names[i - 1];
            return true;
        }
    return false;
}

} // namespace

void TMap::Set_Lock(const std::string& name, int32_t x, int32_t y, bool locked) {
    TMap_Square* square = Get_Square(x, y);
    if (!square)
        return;
    square->Set_Flag(Square_Locked, locked);
    set_mark(locks_, name, x, y, locked);
}

bool TMap::Get_Lock_Name(int32_t x, int32_t y, std::string& name) const {
    return get_mark(locks_, x, y, name);
}

void TMap::Set_Trap(const std::string& name, int32_t x, int32_t y, bool trapped) {
    TMap_Square* square = Get_Square(x, y);
    if (!square)
        return;
    square->Set_Flag(Square_Trapped, trapped);
    set_mark(traps_, name, x, y, trapped);
}

bool TMap::Get_Trap_Name(int32_t x, int32_t y, std::string& name) const {
    return get_mark(traps_, x, y, name);
}

bool TMap::Is_Vision_Clear(int32_t x, int32_t y, uint8_t mask) const {
    const TMap_Square* square = Get_Square(x, y);
    return square && square->Has_Vision_Flag(*this, mask);
}

uint8_t TMap::Get_Sight(int32_t i, int32_t j) const {
    if (i < 0 || j < 0 || i >= View_Size || j >= View_Size)
        return 0;
    return sight_[i][j];
}

uint8_t TMap::Get_Light(int32_t i, int32_t j) const {
    if (i < 0 || j < 0 || i >= View_Size || j >= View_Size)
        return 0;
    return light_[i][j];
}

namespace {

// Walks from the first point toward the second in unit steps, handing every square
// strictly between them to visit until it answers false.
template <typename Visit>
void walk_line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Visit visit) {
    const double len =
        std::sqrt(static_cast<double>((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2)));
    if (len == 0)
        return;
    const double ux = (x2 - x1) / len, uy = (y2 - y1) / len;
    double px = x1, py = y1;
    for (int32_t step = 0; step < 101; ++step) {
        px += ux;
        py += uy;
        if (px >= 1 && px < Map_Size + 1 && py >= 1 && py < Map_Size + 1) {
            const int32_t sx = static_cast<int32_t>(px), sy = static_cast<int32_t>(py);
            if (!(sx == x1 && sy == y1) && !(sx == x2 && sy == y2) && !visit(sx, sy))
                return;
        }
        if (std::fabs(px - x2) < 1 && std::fabs(py - y2) < 1)
            return;
    }
}

} // namespace

int32_t TMap::Count_Sight_Blockers(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    int32_t count = 0;
    walk_line(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        if (!Is_Vision_Clear(x, y, Vision_Normal))
            ++count;
        return true;
    });
    return count;
}

bool TMap::Is_Line_Clear(int32_t x1, int32_t y1, int32_t x2, int32_t y2) const {
    bool clear = true;
    walk_line(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        const TMap_Square* square = Get_Square(x, y);
        if (!Is_Vision_Clear(x, y, Vision_Normal) ||
            !square->Has_Movement_Flag(*this, Movement_Air))
            clear = false;
        return clear;
    });
    return clear;
}

namespace {

uint16_t picture_number(std::vector<std::string>& pictures, const std::string& name) {
    const auto it = std::find(pictures.begin(), pictures.end(), name);
    if (it != pictures.end())
        return static_cast<uint16_t>(it - pictures.begin() + 1);
    pictures.push_back(name);
    return static_cast<uint16_t>(pictures.size());
}

} // namespace

void TMap::Prepare_Terrain_Pictures(std::vector<std::string>& pictures) {
    pictures.clear();
    for (int32_t slot = 1; slot <= Terrains.Count(); ++slot)
        if (TTerrain* terrain = Terrains.Get_Terrain(slot))
            for (int32_t layer = 1; layer <= 3; ++layer)
                if (!terrain->Get_Picture_Filename(layer).empty())
                    terrain->Set_Picture_Index(
                        layer, picture_number(pictures, terrain->Get_Picture_Filename(layer)));
}

void TMap::Prepare_Monster_Pictures(std::vector<std::string>& pictures) {
    pictures.clear();
    for (int32_t number = 1; number <= Monster_List.Count(); ++number)
        if (TMonster* creature = Monster_List.Get(number)) {
            creature->Picture_Index = picture_number(pictures, creature->Picture_Filename);
            creature->Attack_Picture_Index =
                picture_number(pictures, creature->Attack_Picture_Filename);
        }
}

void TMap::Prepare_Item_Pictures(std::vector<std::string>& pictures) {
    pictures.clear();
    for (int32_t number = 1; number <= Item_List.Count(); ++number)
        if (TItem* item = Item_List.Get(number))
            item->Picture_Index = picture_number(pictures, item->Picture_Filename);
}

// The map as the creatures' world.

void TMap::Set_Square_Creature(int32_t x, int32_t y, uint16_t number) {
    if (TMap_Square* square = Get_Square(x, y))
        square->Monster = number;
}

void TMap::Drop_Item(int32_t x, int32_t y, uint16_t item_number) {
    if (TMap_Square* square = Get_Square(x, y))
        square->Add_Item(*this, item_number);
}

void TMap::Play_Sound(const std::string& wave_file, int32_t x, int32_t y) {
    if (!wave_file.empty())
        Sound_Service().Play_Sound(wave_file, x, y);
}

void TMap::Player_Died(const TDeath_Report& report) {
    Main_Callbacks().Player_Died(report);
}

void TMap::Raise_Monster_Killed(uint16_t event_id) {
    Module_Raise_Monster_Killed(event_id);
}

bool TMap::Behaviour_Step(TMonster& monster) {
    const TMonster* player = Player();
    if (player && Square_Distance(player->X, player->Y, monster.X, monster.Y) > 30)
        return true;
    return Think(*this, monster, pass_callbacks_ ? *pass_callbacks_ : Main_Callbacks());
}
