#include "world/sprites.h"

#include <algorithm>
#include <cmath>

#include "platform/clock.h"
#include "rules/combat.h"
#include "rules/display_effects.h"
#include "rules/spells.h"
#include "shell/enums.h"
#include "shell/options.h"

TSprites_List Sprites;

namespace {

constexpr int32_t flash_ms = 200;
constexpr int32_t flight_ms = 5000;
constexpr uint32_t frame_ms = 100;
// Frames counted for an effect number the table lacks.
constexpr int32_t unknown_effect_frames = 8;

// Damage type to damage picture row; a hit of no listed type shows row 0.
struct TDamage_Row {
    uint8_t Type;
    int32_t Row;
};
constexpr TDamage_Row damage_rows[] = {{4, 2}, {13, 6}, {22, 5}, {24, 9}, {42, 7}, {67, 8}};

// Positions stay far inside int32 range whatever a sprite's velocity did.
int32_t trunc_position(double x) {
    return static_cast<int32_t>(std::clamp(std::trunc(x), -1.0e9, 1.0e9));
}

int32_t flight_square(double position) {
    return trunc_position(position + 14) / 28;
}

const TDisplay_Effect* firing_effect(const TDamage& damage) {
    return Display_Effects.Get(damage.Firing_FX);
}

bool is_kind(const TDisplay_Effect* effect, TAnimation_Kind kind) {
    return effect && effect->Type == kind;
}

TSprite flash(int32_t x, int32_t y, const TDamage_Picture& picture, const std::string& sound) {
    TSprite s;
    s.Placement = TSprite_Placement::Fixed;
    s.X = x;
    s.Y = y;
    s.Picture_Kind = TSprite_Picture::Damage_Frame;
    s.Picture = picture.Row;
    s.Frame = picture.Frame;
    s.Duration = flash_ms;
    s.Sound = sound;
    s.Sound_Placed = true;
    return s;
}

TSprite effect_frames(int32_t x, int32_t y, uint8_t effect) {
    TSprite s;
    s.Placement = TSprite_Placement::Fixed;
    s.X = x;
    s.Y = y;
    s.Picture_Kind = TSprite_Picture::Display_Effect;
    s.Picture = effect;
    s.Frame = 1;
    s.Ends_With_Frames = true;
    return s;
}

TSprite attached(TSprite sprite, const TCreature_Ref& creature) {
    sprite.Placement = TSprite_Placement::Attached;
    sprite.Creature = creature;
    return sprite;
}

TSprite waiting(TSprite sprite, uint16_t for_number) {
    sprite.Active = false;
    sprite.Waits_For = for_number;
    return sprite;
}

TSprite hit_sprite(const TCreature_Ref& attacker, const TCreature_Ref& target,
                   const TDamage& damage, const std::string& cause, uint16_t for_number) {
    TSprite s;
    s.Placement = TSprite_Placement::Hit;
    s.Attacker = attacker;
    s.Target = target;
    s.Damage = damage;
    s.Cause = cause;
    return waiting(s, for_number);
}

} // namespace

int32_t TSprite::Flight_Square_X() const {
    return flight_square(Pos_X);
}

int32_t TSprite::Flight_Square_Y() const {
    return flight_square(Pos_Y);
}

TDamage_Picture Damage_Picture(const TDamage& damage, bool hit) {
    const int32_t amount = std::max(damage.Amount, damage.Effects.Get_Largest_Damage());
    TDamage_Picture picture;
    picture.Frame = amount >= 30 ? 2 : amount < 10 ? 0 : 1;
    if (!hit) {
        picture.Row = 1;
        return picture;
    }
    const uint8_t type = damage.Effects.Get_Main_Damage_Type();
    for (const TDamage_Row& r : damage_rows)
        if (r.Type == type)
            picture.Row = r.Row;
    return picture;
}

int32_t Sprite_Direction(double dx, double dy) {
    if (dx == 0)
        return dy > 0 ? 4 : 8;
    if (dy == 0)
        return dx > 0 ? 2 : 6;
    const double ax = std::fabs(dx), ay = std::fabs(dy);
    if (ay >= ax / 2 && ax >= ay / 2) {
        if (dx > 0)
            return dy < 0 ? 1 : 3;
        return dy > 0 ? 5 : 7;
    }
    if (ay < ax / 2)
        return dx > 0 ? 2 : 6;
    return dy > 0 ? 4 : 8;
}

void TSprites_List::Clear() {
    sprites_.clear();
    ++generation_;
}

TSprite* TSprites_List::Get(int32_t index) {
    return index >= 1 && index <= Count() ? sprites_[static_cast<size_t>(index - 1)].get()
                                          : nullptr;
}

const TSprite* TSprites_List::Get(int32_t index) const {
    return index >= 1 && index <= Count() ? sprites_[static_cast<size_t>(index - 1)].get()
                                          : nullptr;
}

TSprite* TSprites_List::Find(uint16_t number) {
    for (const auto& sprite : sprites_)
        if (sprite->Number == number && !sprite->Ended)
            return sprite.get();
    return nullptr;
}

uint16_t TSprites_List::free_number() {
    // At most 65,535 sprites live at once; past that the list is taken as full.
    for (int32_t tries = 0; tries < 65535; ++tries) {
        last_number_ = static_cast<uint16_t>(last_number_ == 65535 ? 1 : last_number_ + 1);
        const bool taken = std::any_of(sprites_.begin(), sprites_.end(),
                                       [&](const auto& s) { return s->Number == last_number_; });
        if (!taken)
            return last_number_;
    }
    return 0;
}

uint16_t TSprites_List::Add(TSprite sprite, const TMap& map) {
    const uint16_t number = free_number();
    if (number == 0)
        return 0;
    sprite.Number = number;
    sprite.Ended = false;
    sprite.Start_Time = Tick_Count();
    sprites_.push_back(std::make_unique<TSprite>(std::move(sprite)));
    const TSprite& added = *sprites_.back();
    if (added.Active)
        play_sound(added, map);
    return number;
}

TSprite TSprites_List::Make_Moving(TSprite_Placement placement, int32_t sx, int32_t sy, int32_t tx,
                                   int32_t ty) {
    TSprite s;
    s.Placement = placement;
    s.Pos_X = 28.0 * sx;
    s.Pos_Y = 28.0 * sy;
    s.Start_X = sx;
    s.Start_Y = sy;
    s.Target_X = tx;
    s.Target_Y = ty;
    const double ex = tx - sx, ey = ty - sy;
    const double d = 28 * std::sqrt(ex * ex + ey * ey);
    double n = Speed_Scaled_Time_F(std::trunc(d / 15));
    if (n == 0)
        n = 1;
    s.Dx = 28 * std::fabs(ex) / n;
    s.Dy = 28 * std::fabs(ey) / n;
    if (tx < sx)
        s.Dx = -s.Dx;
    if (ty < sy)
        s.Dy = -s.Dy;
    s.Duration = flight_ms;
    s.Start_Time = Tick_Count();
    return s;
}

namespace {

// A missile carrying a hit (or a miss) from one square to another, showing the effect in
// the frame of its direction.
TSprite missile(int32_t sx, int32_t sy, int32_t tx, int32_t ty, uint8_t effect,
                const TCreature_Ref& shooter, const TDamage& damage, const std::string& cause,
                bool hit, const std::string& impact_sound) {
    TSprite s = TSprites_List::Make_Moving(TSprite_Placement::Missile, sx, sy, tx, ty);
    s.Picture_Kind = TSprite_Picture::Display_Effect;
    s.Picture = effect;
    s.Frame = Sprite_Direction(s.Dx, s.Dy);
    s.Attacker = shooter;
    s.Damage = damage;
    s.Cause = cause;
    s.Hit_Carried = hit;
    const TDamage_Picture impact = Damage_Picture(damage, hit);
    s.Impact_Row = impact.Row;
    s.Impact_Frame = impact.Frame;
    s.Impact_Sound = impact_sound;
    return s;
}

} // namespace

void TSprites_List::Show_Attack(const TAttack_Show& attack, TMap& map) {
    const TCreature_Ref attacker = Creature_Ref(map.Monster_List, attack.Attacker);
    const TCreature_Ref target = Creature_Ref(map.Monster_List, attack.Target);
    const TDisplay_Effect* effect = firing_effect(attack.Damage);
    if (is_kind(effect, TAnimation_Kind::Directional)) {
        // The flight decides what it strikes, whatever it was aimed at.
        Add(missile(attack.From_X, attack.From_Y, attack.X, attack.Y, attack.Damage.Firing_FX,
                    attacker, attack.Damage, attack.Cause, attack.Hit, attack.Impact_Sound),
            map);
        return;
    }
    const uint16_t shown =
        is_kind(effect, TAnimation_Kind::Frames)
            ? Add(effect_frames(attack.X, attack.Y, attack.Damage.Firing_FX), map)
            : Add(flash(attack.X, attack.Y, Damage_Picture(attack.Damage, attack.Hit),
                        attack.Impact_Sound),
                  map);
    if (shown != 0 && attack.Hit && target.Number != 0)
        Add(hit_sprite(attacker, target, attack.Damage, attack.Cause, shown), map);
}

void TSprites_List::Show_Spell(const TSpell_Show& show, TMap& map) {
    const TSpell* spell = Master_Spells.Get(show.Spell);
    const auto target_type = static_cast<TEffect_Target>(spell ? spell->Target_Type : 0);
    const TCreature_Ref caster = Creature_Ref(map.Monster_List, show.Caster);
    const TCreature_Ref target = Creature_Ref(map.Monster_List, show.Target);
    const TDisplay_Effect* effect = firing_effect(show.Damage);
    const uint8_t fx = show.Damage.Firing_FX;
    const TDamage_Picture picture = Damage_Picture(show.Damage, show.Hit);
    const bool frames = is_kind(effect, TAnimation_Kind::Frames);
    const bool has_sound = !show.Impact_Sound.empty();
    auto hit_after = [&](uint16_t last) {
        if (last != 0 && show.Hit && target.Number != 0)
            Add(hit_sprite(caster, target, show.Damage, show.Cause, last), map);
    };

    if (target_type == TEffect_Target::Location) {
        Add(missile(show.From_X, show.From_Y, show.X, show.Y, fx, caster, show.Damage, show.Cause,
                    show.Hit, show.Impact_Sound),
            map);
    } else if (target_type == TEffect_Target::Monster_Area) {
        // Only a frames effect shows on each creature of the area; a directional one
        // shows nothing and no hit follows.
        if (!frames || target.Number == 0)
            return;
        uint16_t last = Add(attached(effect_frames(0, 0, fx), target), map);
        if (has_sound && last != 0)
            last =
                Add(waiting(attached(flash(0, 0, picture, show.Impact_Sound), target), last), map);
        hit_after(last);
    } else if (is_kind(effect, TAnimation_Kind::Directional)) {
        TSprite moving =
            Make_Moving(TSprite_Placement::Moving, show.From_X, show.From_Y, show.X, show.Y);
        moving.Picture_Kind = TSprite_Picture::Display_Effect;
        moving.Picture = fx;
        moving.Frame = Sprite_Direction(moving.Dx, moving.Dy);
        const uint16_t flying = Add(std::move(moving), map);
        if (flying == 0)
            return;
        Add(waiting(flash(show.X, show.Y, picture, show.Impact_Sound), flying), map);
        hit_after(flying);
    } else if (frames) {
        uint16_t last = Add(effect_frames(show.X, show.Y, fx), map);
        if (has_sound && last != 0)
            last = Add(waiting(flash(show.X, show.Y, picture, show.Impact_Sound), last), map);
        hit_after(last);
    }
}

void TSprites_List::play_sound(const TSprite& sprite, const TMap& map) const {
    if (sprite.Sound.empty())
        return;
    int32_t x = 0, y = 0;
    bool placed = sprite.Sound_Placed;
    switch (sprite.Placement) {
    case TSprite_Placement::Moving:
    case TSprite_Placement::Missile:
        x = sprite.Flight_Square_X();
        y = sprite.Flight_Square_Y();
        break;
    case TSprite_Placement::Attached:
        if (const TMonster* creature = sprite.Creature.Resolve(map.Monster_List)) {
            x = creature->X;
            y = creature->Y;
        } else {
            placed = false;
        }
        break;
    default:
        x = sprite.X;
        y = sprite.Y;
        break;
    }
    // Without a character there is nobody to hear it from somewhere.
    if (!placed || !TMap::In_Map(x, y) || !map.Monster_List.Get(map.Player_Number))
        x = y = 0;
    Sound_Service().Play_Sound(sprite.Sound, x, y);
}

bool TSprites_List::strike(TSprite& missile, TMap& map) {
    const int32_t x = missile.Flight_Square_X(), y = missile.Flight_Square_Y();
    TMap_Square* square = map.Get_Square(x, y);
    if (!square)
        return false;
    TMonster* creature = square->Get_Monster(map);
    if (creature) {
        if (creature == missile.Attacker.Resolve(map.Monster_List))
            return false;
    } else if (square->Has_Movement_Flag(map, Movement_Air) ||
               (x == missile.Start_X && y == missile.Start_Y)) {
        return false;
    }
    TSprite impact = flash(x, y, {missile.Impact_Row, missile.Impact_Frame}, missile.Impact_Sound);
    const uint16_t shown = Add(std::move(impact), map);
    if (creature && missile.Hit_Carried && shown != 0)
        Add(hit_sprite(missile.Attacker, TCreature_Ref(*creature), missile.Damage, missile.Cause,
                       shown),
            map);
    return true;
}

void TSprites_List::drop_with_waiters(uint16_t number) {
    for (const auto& sprite : sprites_) {
        if (sprite->Ended)
            continue;
        if (sprite->Number == number) {
            sprite->Ended = true;
        } else if (!sprite->Active && sprite->Waits_For == number) {
            sprite->Ended = true;
            drop_with_waiters(sprite->Number);
        }
    }
}

void TSprites_List::start_waiting(uint16_t ended, TMap& map, TMain_Callbacks& callbacks) {
    const uint32_t generation = generation_;
    // Sprites added by a hit arriving come after the end: they wait for nothing here.
    const size_t count = sprites_.size();
    for (size_t j = 0; j < count && generation == generation_; ++j) {
        TSprite& waiter = *sprites_[j];
        if (waiter.Ended || waiter.Active || waiter.Waits_For != ended)
            continue;
        if (waiter.Placement == TSprite_Placement::Hit) {
            waiter.Ended = true;
            // Copies: the hit may clear the list (a new map after the player's death).
            const TCreature_Ref attacker = waiter.Attacker, target = waiter.Target;
            const TDamage damage = waiter.Damage;
            const std::string cause = waiter.Cause;
            Hit_Arrives(attacker, target, damage, cause, callbacks);
        } else {
            waiter.Active = true;
            waiter.Waits_For = 0;
            waiter.Start_Time = Tick_Count();
            play_sound(waiter, map);
        }
    }
}

void TSprites_List::Update(TMap& map, TMain_Callbacks& callbacks) {
    const uint32_t generation = generation_;
    for (size_t i = 0; i < sprites_.size() && generation == generation_; ++i) {
        TSprite& s = *sprites_[i];
        if (s.Ended || !s.Active)
            continue;
        const uint32_t now = Tick_Count();
        // A creature that has gone takes its pictures and their hits along.
        if (s.Placement == TSprite_Placement::Attached && !s.Creature.Resolve(map.Monster_List)) {
            drop_with_waiters(s.Number);
            continue;
        }
        bool ended = false;
        if (s.Ends_With_Frames) {
            const TDisplay_Effect* effect = Display_Effects.Get(s.Picture);
            const int32_t total = effect ? effect->Total_Frames : unknown_effect_frames;
            ended = total <= s.Frame;
        } else if (s.Duration >= 1) {
            const int64_t limit = Speed_Scaled_Time(s.Duration);
            ended = static_cast<int64_t>(now - s.Start_Time) > limit;
        }
        if (!ended && (s.Placement == TSprite_Placement::Moving ||
                       s.Placement == TSprite_Placement::Missile)) {
            s.Pos_X += s.Dx;
            s.Pos_Y += s.Dy;
            if (s.Placement == TSprite_Placement::Moving) {
                const double reach = std::max({std::fabs(s.Dx), std::fabs(s.Dy), 7.0});
                ended = std::fabs(s.Pos_X + 14 - (28.0 * s.Target_X + 14)) < reach &&
                        std::fabs(s.Pos_Y + 14 - (28.0 * s.Target_Y + 14)) < reach;
            } else {
                ended = strike(s, map);
            }
        }
        if (!ended && s.Ends_With_Frames && now - s.Start_Time > frame_ms) {
            ++s.Frame;
            s.Start_Time = now;
        }
        if (ended) {
            s.Ended = true;
            start_waiting(s.Number, map, callbacks);
        }
    }
    if (generation == generation_)
        std::erase_if(sprites_, [](const auto& s) { return s->Ended; });
}

bool TSprites_List::Is_Missile_On_Square(int32_t x, int32_t y) const {
    return std::any_of(sprites_.begin(), sprites_.end(), [&](const auto& s) {
        return s->Active && !s->Ended && s->Placement == TSprite_Placement::Missile &&
               s->Flight_Square_X() == x && s->Flight_Square_Y() == y;
    });
}

bool TSprites_List::drawn_on(const TSprite& s, int32_t mx, int32_t my, const TMap& map,
                             TSprite_Drawing& drawing) const {
    if (!s.Active || s.Ended || s.Picture_Kind == TSprite_Picture::None)
        return false;
    switch (s.Placement) {
    case TSprite_Placement::Fixed:
        if (s.X != mx || s.Y != my)
            return false;
        break;
    case TSprite_Placement::Moving:
    case TSprite_Placement::Missile: {
        const int32_t px = trunc_position(s.Pos_X), py = trunc_position(s.Pos_Y);
        if (px < 0 || py < 0 || px / 28 != mx || py / 28 != my)
            return false;
        const int32_t rx = px % 28, ry = py % 28;
        drawing.Offset_X = rx + ry + ry % 2;
        drawing.Offset_Y = 13 - rx / 2 + ry / 2 - 18;
        break;
    }
    case TSprite_Placement::Attached: {
        const TMonster* creature = s.Creature.Resolve(map.Monster_List);
        if (!creature || creature->X != mx || creature->Y != my)
            return false;
        break;
    }
    default:
        return false;
    }
    drawing.Sprite = &s;
    drawing.Picture_Kind = s.Picture_Kind;
    drawing.Picture = s.Picture;
    drawing.Frame = s.Frame;
    return true;
}

bool TMap_Sprite_Service::Is_Missile_On_Square(int32_t x, int32_t y) const {
    return Sprites.Is_Missile_On_Square(x, y);
}
