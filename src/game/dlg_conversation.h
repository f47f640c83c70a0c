#pragma once
// The conversation with a creature: its picture, the heading "Conversation with"
// and its name, its topics in a list, and the answer to the topic chosen. Choosing a
// topic raises the creature's event for it, so talk can give a quest or complete one.

#include <string>

#include "presentation/buttons.h"
#include "presentation/list_control.h"
#include "rules/references.h"

class TDC_Dlg_Conversation : public TDisplay_Class {
  public:
    TDC_Dlg_Conversation();
    ~TDC_Dlg_Conversation() override;

    // The creature of the current map; one that has gone gives no heading and no topics.
    void Set_Creature(const TCreature_Ref& Creature);
    // Topic n (1-based) chosen: its answer (empty when the creature has none for it).
    void Choose_Topic(int32_t n);

    int Get_Width() override { return 507; }
    int Get_Height() override { return 307; }
    void Handle_KeyDown(uint16_t& Key, TShift_State Shift) override;
    void Handle_Draw(int Buffer) override;
    void Reposition() override;

    std::string f_Heading;
    std::string f_Answer;
    TDC_List* f_Topic_List = nullptr;
    TDC_Button* f_Close_Button = nullptr;

  private:
    TCreature_Ref f_Creature;
    int f_Background = -1;
};
