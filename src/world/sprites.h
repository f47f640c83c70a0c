#pragma once
// The sprites of the current map: missiles in flight, spell effects and damage flashes
// drawn over the squares, and the hits they carry. A sprite may wait for another (by
// number) and starts when that one ends, so a melee hit lands when its flash ends and a
// missile's hit when its impact does. Creatures are held by reference: a hit whose
// target has gone is dropped, never delivered to whatever took the number since.
//
// Only the logic lives here; the map view asks For_Each_On_Square what to draw.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "rules/damage.h"
#include "rules/main_callbacks.h"
#include "rules/references.h"
#include "shell/services.h"
#include "world/map.h"

enum class TSprite_Placement : uint8_t {
    Fixed = 1,    // on a square
    Moving = 2,   // flies to its target square, hits nothing
    Hit = 3,      // no picture: delivers a hit when its turn comes
    Missile = 4,  // flies until it strikes a creature or a wall
    Attached = 5, // follows a creature
};

enum class TSprite_Picture : uint8_t {
    None = 0,
    Damage_Frame = 1,   // row and frame of the damage pictures
    Display_Effect = 2, // frame of a display effect
};

class TSprite {
  public:
    bool Active = true;
    TSprite_Placement Placement = TSprite_Placement::Fixed;
    int32_t X = 0, Y = 0;             // the square of a fixed sprite
    double Pos_X = 0, Pos_Y = 0;      // moving sprites, in 28ths of a square
    double Dx = 0, Dy = 0;            // added to the position every tick
    int32_t Start_X = 0, Start_Y = 0; // where a moving sprite set out
    int32_t Target_X = 0, Target_Y = 0;
    TCreature_Ref Creature; // the one an attached sprite follows

    TSprite_Picture Picture_Kind = TSprite_Picture::None;
    int32_t Picture = 0; // damage row, or display effect number
    int32_t Frame = 0;   // damage frame (0..2), or display effect frame (1-based)
    uint32_t Start_Time = 0;
    int32_t Duration = 0;          // milliseconds at normal speed; 0 for none
    bool Ends_With_Frames = false; // animated: a frame per 100 ms, ends after the last

    std::string Sound;
    bool Sound_Placed = false; // played from where the sprite is

    uint16_t Number = 0;
    uint16_t Waits_For = 0; // while inactive: the sprite whose end starts this one
    bool Ended = false;     // gone; freed at the end of the tick's pass

    // The hit of a hit sprite, or the one a missile carries (Hit_Carried says whether it
    // hit at all); the impact picture and sound a missile leaves where it strikes.
    TCreature_Ref Attacker, Target;
    TDamage Damage;
    std::string Cause;
    bool Hit_Carried = false;
    int32_t Impact_Row = 0, Impact_Frame = 0;
    std::string Impact_Sound;

    // The square a missile is over: its position plus half a square.
    int32_t Flight_Square_X() const;
    int32_t Flight_Square_Y() const;
};

// What the map view draws for one sprite on one square.
struct TSprite_Drawing {
    const TSprite* Sprite = nullptr;
    // From the cell's corner; moving sprites are placed within the cell by their position.
    int32_t Offset_X = 0, Offset_Y = 0;
    TSprite_Picture Picture_Kind = TSprite_Picture::None;
    int32_t Picture = 0; // damage row, or display effect number
    int32_t Frame = 0;   // damage frame, or display effect frame (1-based)
};

// The damage picture of a hit: row by its main damage type (1 for a miss), frame by its
// size.
struct TDamage_Picture {
    int32_t Row = 0, Frame = 0;
};
TDamage_Picture Damage_Picture(const TDamage& damage, bool hit);

// The frame of a "Directional" effect for a velocity: 1 north-east clockwise to 8 north
// (y grows southwards); 8 when standing still.
int32_t Sprite_Direction(double dx, double dy);

class TSprites_List {
  public:
    TSprites_List() = default;
    TSprites_List(const TSprites_List&) = delete;
    TSprites_List& operator=(const TSprites_List&) = delete;

    // Every sprite goes, hits in flight included: they belong to the map being left.
    void Clear();
    int32_t Count() const { return static_cast<int32_t>(sprites_.size()); }
    // 1-based; nothing outside 1..Count.
    TSprite* Get(int32_t index);
    const TSprite* Get(int32_t index) const;
    // The live sprite of that number, or nothing.
    TSprite* Find(uint16_t number);

    // Takes the sprite, gives it a number no live sprite has and returns it. An active
    // sprite starts now and plays its sound; one made inactive waits for Waits_For.
    uint16_t Add(TSprite sprite, const TMap& map);
    // A sprite moving from square (sx, sy) to (tx, ty), starting now, not yet added.
    static TSprite Make_Moving(TSprite_Placement placement, int32_t sx, int32_t sy, int32_t tx,
                               int32_t ty);

    // The sprites of an attack and of a spell, with the hits they carry.
    void Show_Attack(const TAttack_Show& attack, TMap& map);
    void Show_Spell(const TSpell_Show& spell, TMap& map);

    // One move-timer tick: sprites end, move, strike and animate; those waiting for an
    // ended one start (hits arrive through the callbacks); ended ones are freed.
    void Update(TMap& map, TMain_Callbacks& callbacks);

    // Whether a missile in flight is over the square.
    bool Is_Missile_On_Square(int32_t x, int32_t y) const;

    // Hands fn(const TSprite_Drawing&) each active sprite drawn on square (mx, my), in
    // list order.
    template <typename F>
    void For_Each_On_Square(int32_t mx, int32_t my, const TMap& map, F fn) const {
        for (const auto& sprite : sprites_) {
            TSprite_Drawing drawing;
            if (drawn_on(*sprite, mx, my, map, drawing))
                fn(std::as_const(drawing));
        }
    }

  private:
    bool drawn_on(const TSprite& sprite, int32_t mx, int32_t my, const TMap& map,
                  TSprite_Drawing& drawing) const;
    uint16_t free_number();
    void play_sound(const TSprite& sprite, const TMap& map) const;
    bool strike(TSprite& missile, TMap& map);
    void start_waiting(uint16_t ended, TMap& map, TMain_Callbacks& callbacks);
    void drop_with_waiters(uint16_t number);

    std::vector<std::unique_ptr<TSprite>> sprites_;
    uint16_t last_number_ = 0;
    uint32_t generation_ = 0; // changes with every Clear, so a pass cut short knows it
};

// The sprites of the current map.
extern TSprites_List Sprites;

// The sprite service over Sprites: movers price squares with missiles in flight.
class TMap_Sprite_Service : public TSprite_Service {
  public:
    bool Is_Missile_On_Square(int32_t x, int32_t y) const override;
};
