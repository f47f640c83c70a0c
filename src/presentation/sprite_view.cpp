#include "presentation/sprite_view.h"

#include "presentation/display_object.h"
#include "rules/display_effects.h"
#include "world/sprites.h"

void Draw_Sprites_On_Square(const TMap& map, int32_t mx, int32_t my, int x, int y, int buffer) {
    if (!Display_Object)
        return;
    Sprites.For_Each_On_Square(mx, my, map, [&](const TSprite_Drawing& d) {
        const int px = x + d.Offset_X, py = y + d.Offset_Y;
        if (d.Picture_Kind == TSprite_Picture::Damage_Frame) {
            Display_Object->Draw_Damage(d.Picture, d.Frame, px, py, true, buffer);
        } else if (d.Picture_Kind == TSprite_Picture::Display_Effect) {
            // An effect the table no longer holds draws nothing.
            if (const TDisplay_Effect* effect = Display_Effects.Get(d.Picture))
                Display_Object->Draw_Effect_Frame(*effect, d.Frame, px, py, buffer);
        }
    });
}
