// Events and quests: the two data files, every trigger and result kind, nested raises
// and their bound, and the quest rewards.

#include <gtest/gtest.h>

#include "shell/enums.h"
#include "support/fake_services.h"
#include "support/temp_dir.h"
#include "world/module.h"
#include "world/world_support.h"

namespace {

using TA = TQuest_Action;
using TT = TQuest_Trigger;

TModule_Event_Trigger trigger(TT type, uint16_t monster = 0, uint16_t item = 0, uint16_t topic = 0,
                              uint16_t quest = 0) {
    TModule_Event_Trigger t;
    t.Trigger_Type = static_cast<uint8_t>(type);
    t.Monster_Event_ID = monster;
    t.Item_Event_ID = item;
    t.Topic_ID = topic;
    t.Quest_ID = quest;
    return t;
}

TModule_Event_Result result(TA type, uint16_t quest = 0, const std::string& text = "") {
    TModule_Event_Result r;
    r.Result_Type = static_cast<uint8_t>(type);
    r.Quest_ID = quest;
    r.Text_Title = text;
    r.Music_Filename = text;
    r.Text_Paragraphs = {text + " 1", text + " 2"};
    return r;
}

// A module with three quests worth 100, 200 and 300, and a map whose player gains
// their rewards and hears their sounds.
struct Story : ::testing::Test {
    void SetUp() override {
        for (int32_t i = 1; i <= 3; ++i) {
            TModule_Quest quest;
            quest.Quest_ID = static_cast<uint16_t>(i);
            quest.Name = "Quest " + std::to_string(i);
            quest.Experience = 100 * i;
            module.Quests.Quests.push_back(quest);
        }
        map.Player_Number = map.Put_Creature(50, 50, "Hero");
    }
    void add(bool permanent, std::vector<TModule_Event_Trigger> triggers,
             std::vector<TModule_Event_Result> results) {
        TModule_Event event;
        event.Event_ID = static_cast<uint16_t>(module.Events.Count() + 1);
        event.Enabled = true;
        event.Permanent = permanent;
        event.Triggers = std::move(triggers);
        event.Results = std::move(results);
        module.Events.Events.push_back(std::move(event));
    }
    std::vector<std::string> titles() {
        std::vector<std::string> out;
        TEvent_Return_Result popped;
        while (module.Pop_Return_Result(popped))
            out.push_back(std::to_string(popped.Kind) + ":" + popped.Title + popped.Music_Filename);
        return out;
    }
    TMonster& player() { return *map.Player(); }

    TTest_Map map;
    TModule module;
    TSound_Recorder sound;
    TScoped_Services use{{.Sound = &sound}};
};

} // namespace

TEST_F(Story, EachTriggerKindMatchesOnlyItsOwnIds) {
    add(true, {trigger(TT::Item_Given_To_Monster, 4, 7)}, {result(TA::Display_Text, 0, "given")});
    add(true, {trigger(TT::Monster_Killed, 5)}, {result(TA::Display_Text, 0, "killed")});
    add(true, {trigger(TT::Monster_Talked_To_About_Topic, 6, 0, 2)},
        {result(TA::Display_Text, 0, "talked")});
    add(true, {trigger(TT::Quest_Completed, 0, 0, 0, 3)}, {result(TA::Display_Text, 0, "done")});

    EXPECT_FALSE(module.Raise_Item_Given(7, 5));
    EXPECT_FALSE(module.Raise_Item_Given(8, 4));
    EXPECT_TRUE(module.Raise_Item_Given(7, 4));
    EXPECT_FALSE(module.Raise_Monster_Killed(4));
    EXPECT_TRUE(module.Raise_Monster_Killed(5));
    EXPECT_FALSE(module.Raise_Talked_About(6, 1));
    EXPECT_FALSE(module.Raise_Talked_About(5, 2));
    EXPECT_TRUE(module.Raise_Talked_About(6, 2));
    EXPECT_FALSE(module.Raise_Quest_Completed(2));
    EXPECT_TRUE(module.Raise_Quest_Completed(3));
    EXPECT_EQ(titles(), (std::vector<std::string>{"2:given", "2:killed", "2:talked", "2:done"}));
}

TEST_F(Story, AllTriggersOfTheRaisedTypeMustMatchAndOthersDoNotCount) {
    add(true, {trigger(TT::Monster_Killed, 1), trigger(TT::Monster_Killed, 2)},
        {result(TA::Display_Text, 0, "both")});
    add(true, {trigger(TT::None)}, {result(TA::Display_Text, 0, "none")});
    add(true, {trigger(TT::Monster_Talked_To_About_Topic, 9, 0, 9), trigger(TT::Monster_Killed, 3)},
        {result(TA::Display_Text, 0, "mixed")});
    EXPECT_FALSE(module.Raise_Monster_Killed(1));
    EXPECT_FALSE(module.Raise_Monster_Killed(2));
    EXPECT_FALSE(module.Raise(TRaised_Trigger{})); // "None" is never raised to effect
    EXPECT_TRUE(module.Raise_Monster_Killed(3));
    EXPECT_EQ(titles(), (std::vector<std::string>{"2:mixed"}));
}

TEST_F(Story, ANonPermanentEventFiresOnceAndAPermanentOneEveryTime) {
    add(false, {trigger(TT::Monster_Killed, 1)}, {result(TA::Display_Text, 0, "once")});
    add(true, {trigger(TT::Monster_Killed, 1)}, {result(TA::Display_Text, 0, "always")});
    EXPECT_TRUE(module.Raise_Monster_Killed(1));
    EXPECT_TRUE(module.Raise_Monster_Killed(1));
    EXPECT_EQ(titles(), (std::vector<std::string>{"2:once", "2:always", "2:always"}));
}

TEST_F(Story, ResultsQueueForTheScreenInOrder) {
    add(false, {trigger(TT::Monster_Killed, 1)},
        {result(TA::Display_Text, 0, "Victory"), result(TA::Play_Music, 0, "win.mid"),
         result(TA::None), result(TA::End_Game)});
    module.Raise_Monster_Killed(1);
    ASSERT_EQ(module.Return_Result_Count(), 3);
    TEvent_Return_Result popped;
    ASSERT_TRUE(module.Pop_Return_Result(popped));
    EXPECT_EQ(popped.Kind, Return_Display_Text);
    EXPECT_EQ(popped.Title, "Victory");
    EXPECT_EQ(popped.Paragraphs, (std::vector<std::string>{"Victory 1", "Victory 2"}));
    ASSERT_TRUE(module.Pop_Return_Result(popped));
    EXPECT_EQ(popped.Kind, Return_Play_Music);
    EXPECT_EQ(popped.Music_Filename, "win.mid");
    ASSERT_TRUE(module.Pop_Return_Result(popped));
    EXPECT_EQ(popped.Kind, Return_End_Game);
    EXPECT_EQ(popped.End_Flag, 1);
    EXPECT_FALSE(module.Pop_Return_Result(popped));
}

TEST_F(Story, QuestResultsChangeTheQuestsAndTellThePlayer) {
    add(false, {trigger(TT::Monster_Talked_To_About_Topic, 1, 0, 1)},
        {result(TA::Quest_Visible_True, 1), result(TA::Quest_Visible_True, 2),
         result(TA::Quest_Visible_False, 2), result(TA::Quest_Failed, 3),
         result(TA::Quest_Completed, 1)});
    EXPECT_TRUE(module.Raise_Talked_About(1, 1));
    EXPECT_TRUE(module.Get_Quest(1)->Visible);
    EXPECT_FALSE(module.Get_Quest(2)->Visible);
    EXPECT_TRUE(module.Get_Quest(3)->Failed);
    EXPECT_TRUE(module.Get_Quest(1)->Completed);
    EXPECT_EQ(player().Experience, 100);
    EXPECT_EQ(player().Quest_Value, 1);
    EXPECT_EQ(sound.Waves(),
              (std::vector<std::string>{"new_q.wav", "new_q.wav", "q_fail.wav", "q_comp.wav"}));
}

TEST_F(Story, CompletionRaisesNestedEventsBeforeLaterEventsSeeTheFirstRaise) {
    add(false, {trigger(TT::Monster_Killed, 1)}, {result(TA::Quest_Completed, 2)});
    add(false, {trigger(TT::Quest_Completed, 0, 0, 0, 2)}, {result(TA::Display_Text, 0, "nested")});
    add(false, {trigger(TT::Monster_Killed, 1)}, {result(TA::Display_Text, 0, "after")});
    EXPECT_TRUE(module.Raise_Monster_Killed(1));
    EXPECT_EQ(titles(), (std::vector<std::string>{"2:nested", "2:after"}));
}

TEST_F(Story, CompletingIsRewardedOnceAndIdsOutsideTheListDoNothing) {
    EXPECT_TRUE(module.Complete_Quest(2));
    EXPECT_FALSE(module.Complete_Quest(2));
    EXPECT_EQ(player().Experience, 200);
    add(true, {trigger(TT::Monster_Killed, 1)},
        {result(TA::Quest_Completed, 0), result(TA::Quest_Completed, 99),
         result(TA::Quest_Failed, 4), result(TA::Quest_Visible_True, 0)});
    EXPECT_TRUE(module.Raise_Monster_Killed(1));
    EXPECT_EQ(player().Experience, 200);
    EXPECT_EQ(sound.Waves(), (std::vector<std::string>{"q_comp.wav"}));
    for (int32_t i = 1; i <= 3; ++i)
        EXPECT_FALSE(module.Get_Quest(i)->Failed);
}

TEST_F(Story, EventsCompletingEachOthersQuestsEndAndWithoutAPlayerNothingIsGranted) {
    // Two permanent events each completing the quest the other waits for.
    add(true, {trigger(TT::Quest_Completed, 0, 0, 0, 1)}, {result(TA::Quest_Completed, 2)});
    add(true, {trigger(TT::Quest_Completed, 0, 0, 0, 2)}, {result(TA::Quest_Completed, 1)});
    add(true, {trigger(TT::Quest_Completed, 0, 0, 0, 2)}, {result(TA::Quest_Completed, 3)});
    map.Player_Number = 0;
    EXPECT_TRUE(module.Complete_Quest(1));
    for (int32_t i = 1; i <= 3; ++i)
        EXPECT_TRUE(module.Get_Quest(i)->Completed) << i;
    EXPECT_EQ(sound.Played.size(), 3u);
    for (const TModule_Event& event : module.Events.Events)
        EXPECT_FALSE(event.Firing);
}

TEST_F(Story, TheMapsKilledMonstersReachTheCurrentModule) {
    EXPECT_FALSE(Module_Raise_Monster_Killed(5)); // no module yet
    add(false, {trigger(TT::Monster_Killed, 5)}, {result(TA::Quest_Completed, 1)});
    Current_Module = std::make_unique<TWriteable_Module>();
    static_cast<TModule&>(*Current_Module) = module;
    // A monster of the event dying on the map raises it.
    TMonster& wolf = *map.Monster_List.Get(map.Put_Creature(52, 50, "Wolf"));
    wolf.Event_ID = 5;
    wolf.Die(nullptr, "");
    EXPECT_TRUE(Current_Module->Get_Quest(1)->Completed);
    EXPECT_EQ(player().Experience, 100);
    EXPECT_FALSE(Module_Raise_Talked_About(1, 1));
    EXPECT_FALSE(Module_Raise_Item_Given(1, 1));
    Current_Module.reset();
}

// ---- The data files ----

namespace {
const std::string Hollowmere_Data = KV_FIXTURES_DIR "/../../content/Modules/Hollowmere/Data/";
}

TEST(Story_Files, TheDefaultModulesEventsAndQuestsLoadWithoutErrors) {
    TModule_Events_List events;
    const TData_File_Report event_report = Read_Events(Hollowmere_Data + "Events.txt", events);
    EXPECT_TRUE(event_report.Ok()) << event_report.Errors.front();
    EXPECT_EQ(event_report.Heading, "Event Class Data File Errors: ");
    ASSERT_GE(events.Count(), 1);
    ASSERT_FALSE(events.Events[0].Triggers.empty());
    EXPECT_EQ(events.Events[0].Triggers[0].Trigger_Type,
              static_cast<uint8_t>(TT::Monster_Talked_To_About_Topic));

    TModule_Quests_List quests;
    const TData_File_Report quest_report = Read_Quests(Hollowmere_Data + "Quests.txt", quests);
    EXPECT_TRUE(quest_report.Ok()) << quest_report.Errors.front();
    EXPECT_EQ(quest_report.Heading, "Quest Class Data File Errors: ");
    ASSERT_GE(quests.Count(), 4);
    EXPECT_TRUE(quests.Get_Quest(1)->Game_Over);
    EXPECT_FALSE(quests.Get_Quest(0));
    EXPECT_FALSE(quests.Get_Quest(quests.Count() + 1));
    // Every quest result of the module names one of its quests.
    for (const TModule_Event& event : events.Events)
        for (const TModule_Event_Result& r : event.Results)
            if (r.Result_Type >= 1 && r.Result_Type <= 4) {
                EXPECT_TRUE(quests.Get_Quest(r.Quest_ID)) << "event " << event.Event_ID;
            }
}

TEST(Story_Files, UnknownNamesAndMissingKeysAreReportedAndReadAsNone) {
    TTemp_Dir dir;
    // Written with DOS line ends, as module editors save them.
    std::string text = Read_Fixture("Bad_Events.txt");
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    const std::string path = dir.Write("Events.txt", text);
    TModule_Events_List events;
    const TData_File_Report report = Read_Events(path, events);
    ASSERT_EQ(events.Count(), 1);
    const TModule_Event& event = events.Events[0];
    EXPECT_TRUE(event.Enabled);
    EXPECT_EQ(event.Triggers[0].Trigger_Type, 0);
    EXPECT_EQ(event.Triggers[0].X, 3);
    EXPECT_EQ(event.Triggers[0].Action_Type, 0);
    EXPECT_EQ(event.Results[0].Result_Type, static_cast<uint8_t>(TA::End_Game));
    const std::vector<std::string>& e = report.Errors;
    const auto has = [&](const std::string& text) {
        return std::find(e.begin(), e.end(), text) != e.end();
    };
    EXPECT_TRUE(has("Unknown value \"Monster killed\" for Trigger 1 Type in record \"12\"."));
    EXPECT_TRUE(has("Unknown value \"Dance\" for Trigger 1 Action Type in record \"12\"."));
    EXPECT_TRUE(has("Could not find field \"Trigger 1 Quest ID\" in record \"12\"."));
    EXPECT_TRUE(has("Could not find field \"Result 1 Text Title\" in record \"12\"."));
    EXPECT_EQ(e.size(), 17u); // the two names, the trigger's quest ID, 14 result keys

    EXPECT_FALSE(Check_Quest_File(dir.Path() + "Missing.txt").Ok());
}
