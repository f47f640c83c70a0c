#include "game/dlg_conversation.h"

#include "presentation/dialog_background.h"
#include "presentation/display_object.h"
#include "presentation/graphics.h"
#include "presentation/text.h"
#include "presentation/virtual_keys.h"
#include "rules/monster.h"
#include "world/map.h"
#include "world/module.h"

TDC_Dlg_Conversation::TDC_Dlg_Conversation() {
    f_Modal = true;
    f_Background = Load_Dialog_Background("Dlg_Conversation.bmp", 507, 307);
    f_Topic_List = &Make_Child<TDC_List>();
    f_Topic_List->Set_Back_Colour(55, 55, 55);
    f_Topic_List->Set_Visible(true);
    f_Topic_List->OnSelect = [this](const std::string&, int index) { Choose_Topic(index); };
    f_Close_Button = &Make_Child<TDC_Button>();
    f_Close_Button->Set_Image_Set(1);
    f_Close_Button->Set_Visible(true);
    f_Close_Button->OnClick = [this](const std::string&) { Set_Kill_Object(true); };
}

TDC_Dlg_Conversation::~TDC_Dlg_Conversation() {
    if (f_Background >= 0)
        fg_vbfree(f_Background);
}

void TDC_Dlg_Conversation::Set_Creature(const TCreature_Ref& Creature) {
    f_Creature = Creature;
    f_Topic_List->Clear();
    f_Heading.clear();
    f_Answer.clear();
    const TMonster* creature = Current_Map ? Creature.Resolve(Current_Map->Monster_List) : nullptr;
    if (!creature)
        return;
    f_Heading = "Conversation with " + creature->Name;
    for (const std::string& topic : creature->Talk_Topic_Names)
        f_Topic_List->Add_Item(topic);
}

void TDC_Dlg_Conversation::Choose_Topic(int32_t n) {
    const TMonster* creature =
        Current_Map ? f_Creature.Resolve(Current_Map->Monster_List) : nullptr;
    if (!creature || n < 1 || n > static_cast<int32_t>(creature->Talk_Topic_Names.size()))
        return;
    f_Topic_List->Set_Selected_Index(n);
    // The names and the answers are separate lists: a topic may have no answer.
    const std::vector<std::string>& texts = creature->Talk_Topic_Texts;
    f_Answer = n <= static_cast<int32_t>(texts.size()) ? texts[size_t(n - 1)] : std::string();
    if (creature->Event_ID != 0)
        Module_Raise_Talked_About(creature->Event_ID, static_cast<uint16_t>(n));
}

void TDC_Dlg_Conversation::Handle_KeyDown(uint16_t& Key, TShift_State) {
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        f_Key_Handled = true;
        Set_Kill_Object(true);
    }
}

void TDC_Dlg_Conversation::Handle_Draw(int Buffer) {
    if (f_Background >= 0)
        Copy_Rect_Transparent(0, 506, 0, 306, f_X, f_Y + 306, f_Background, Buffer);
    if (Current_Map)
        if (const TMonster* creature = f_Creature.Resolve(Current_Map->Monster_List))
            Draw_Creature(*creature, f_X + 12, f_Y + 22, Buffer);
    Text_Begin(Buffer);
    Set_Font(6);
    Set_Text_Colour(0, 0, 0);
    Set_Justify(2, 2);
    // Centred on the background's title plate, which a long name would pass at x 255.
    Print_At(f_X + 285, f_Y + 29, f_Heading);
    Set_Font(1);
    Set_Text_Colour(255, 255, 255);
    Print_Wrapped(f_X + 232, f_Y + 60, 242, f_Answer, 188);
    Text_End();
}

void TDC_Dlg_Conversation::Reposition() {
    f_Topic_List->Set_Bounds("Topic List", f_X + 21, f_Y + 87, 195, 163, false);
    f_Close_Button->Set_Position("Close Button", f_X + 455, f_Y + 255, false);
}
