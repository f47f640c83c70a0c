#pragma once
// The services the rules, the world and the screens reach without knowing who gives
// them: sound, messages to the player, sprites on the map, the main screen's callbacks,
// the classes of summoned monsters, what saving and loading show, and the description
// panel. They are gathered in one set of pointers that the program installs once at
// start-up; a test installs its fakes the same way, for its own length, with
// TScoped_Services.
//
// An empty pointer means the silent default: no sound, messages to stderr, no sprites,
// callbacks that do nothing, summoned monsters read from their data file. Every
// accessor below (and its counterpart in the layer that defines the interface) hands
// back a usable object, never nothing.

#include <cstdint>
#include <string>
#include <vector>

// Defined by the layers that use them; the set only points at them.
class TMain_Callbacks;    // rules/main_callbacks.h: Main_Callbacks()
class TSummon_Service;    // world/casting.h: Summon_Service()
class TSave_Load_Display; // game/save_load.h: Save_Load_Display()
class TDescription_Panel; // presentation/ui_hooks.h: Description_Panel()

// Sound effects of the "Sounds\" folder, by file name.
class TSound_Service {
  public:
    virtual ~TSound_Service() = default;
    // (x, y) is the map square the sound comes from; (0, 0) plays it without a place
    // (a click, a terrain changing).
    virtual void Play_Sound(const std::string& /*wave_file*/, int32_t /*x*/, int32_t /*y*/) {}
    // Music from the music folder, looped; an empty name or a missing file is silence.
    virtual void Play_Music(const std::string& /*music_file*/) {}
    virtual void Stop_Music() {}
};

// What the player is told. The game screen shows both in its own dialogs and must
// queue error lists that arrive while one is open, never drop them. The default
// prints to stderr: "CAPTION: TEXT", and an error list as the dialog shows it (the
// heading line, the file name line, then one message per line).
class TMessage_Service {
  public:
    virtual ~TMessage_Service() = default;
    virtual void Show_Message_Box(const std::string& caption, const std::string& text);
    // Only called with at least one message.
    virtual void Show_Error_List(const std::string& heading, const std::string& file,
                                 const std::vector<std::string>& messages);
};

// The sprites moving over the map, as the movers see them.
class TSprite_Service {
  public:
    virtual ~TSprite_Service() = default;
    // A moving missile stands on the square: movers go round it as round a wall.
    virtual bool Is_Missile_On_Square(int32_t /*x*/, int32_t /*y*/) const { return false; }
};

struct TServices {
    TSound_Service* Sound = nullptr;
    TMessage_Service* Messages = nullptr;
    TSprite_Service* Sprites = nullptr;
    TMain_Callbacks* Callbacks = nullptr;
    TSummon_Service* Summons = nullptr;
    TSave_Load_Display* Save_Load = nullptr;
    TDescription_Panel* Description = nullptr;
};

// The installed set (empty pointers stand for the defaults).
const TServices& Services();
// Installs the whole set, replacing every pointer; returns the set it replaced. The
// objects must outlive their installation.
TServices Install_Services(const TServices& services);

// Installs, for its own lifetime, the current set with the given pointers replaced
// (the empty ones keep what is installed), and puts the previous set back after.
//   TSound_Recorder sound;
//   TScoped_Services use({.Sound = &sound});
class TScoped_Services {
  public:
    explicit TScoped_Services(const TServices& replaced);
    ~TScoped_Services();
    TScoped_Services(const TScoped_Services&) = delete;
    TScoped_Services& operator=(const TScoped_Services&) = delete;

  private:
    TServices previous_;
};

TSound_Service& Sound_Service();
TMessage_Service& Message_Service();
TSprite_Service& Sprite_Service();

// A sound without a place; an empty name plays nothing.
void Play_Sound(const std::string& wave_file);
// A standard message box (errors the player must see before going on).
void Show_Message_Box(const std::string& caption, const std::string& text);
