#pragma once
// What the controls need from layers that are set up later: the button strips the
// display object loads, and the description panel whose subject a hovered control
// becomes (a service, shell/services.h). Until they are there, buttons draw no picture
// and hovering changes nothing anyone sees. Click sounds go to the sound service.

#include <cstdint>
#include <string>

#include "rules/references.h"

constexpr int Button_Image_Sets = 10;

// The cell size of a button strip (image set 1..10); 0 x 0 for other sets.
void Button_Cell_Size(int image_set, int& width, int& height);
// The buffer holding the strip of an image set, or -1 when none is loaded.
void Set_Button_Strip(int image_set, int buffer);
int Button_Strip(int image_set);

// What the description panel describes: the one subject of the whole program.
enum class TSubject_Kind {
    None = 0,
    Item = 1,
    Creature = 2,
    Square = 3,
    Reserved = 4,
    Spell = 5,
    Topic = 6
};

struct TDescription_Subject {
    TSubject_Kind Kind = TSubject_Kind::None;
    TItem_Ref Item;         // an item of the current map's item list
    TCreature_Ref Creature; // a creature of the current map's creature list
    int32_t X = 0, Y = 0;   // a map square
    int32_t Spell = 0;      // a spell's number in the master spell list
    int32_t Topic = 0;      // a help topic, 1..32
};

// While a store is open the panel shows prices: the character's purchase over a store
// item, the store's payment anywhere else.
struct TPrice_Display {
    bool On = false;
    bool Buying = false;  // show what the character pays
    bool Selling = false; // show what the store pays
    int32_t Buy_Percent = 0, Sell_Percent = 0;
};

// The panel that describes what the pointer is over. Controls set the subject on hover;
// every setter first clears the subject, the price display setters leave it alone. Items
// and creatures are held by reference, so a subject that has gone resolves to nothing.
class TDescription_Panel {
  public:
    virtual ~TDescription_Panel() = default;
    // A button's description number is a help topic.
    virtual void Set_Subject(int id) { Set_Subject_Topic(id); }

    void Clear_Subject() { subject_ = {}; }
    void Set_Subject_Item(const TItem_Ref& item);
    void Set_Subject_Creature(const TCreature_Ref& creature);
    void Set_Subject_Square(int32_t x, int32_t y);
    void Set_Subject_Spell(int32_t spell);
    void Set_Subject_Topic(int32_t topic);
    void Set_Price_Display(bool buying, bool selling, int32_t buy_percent, int32_t sell_percent);
    void Clear_Price_Display() { prices_ = {}; }

    const TDescription_Subject& Subject() const { return subject_; }
    const TPrice_Display& Prices() const { return prices_; }

  private:
    TDescription_Subject subject_;
    TPrice_Display prices_;
};

// The installed panel, or one that shows nothing.
TDescription_Panel& Description_Panel();
