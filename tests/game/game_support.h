#pragma once
// A small game on disk for the save and load tests: a game folder with one module
// ("Test") whose terrain file has a floor and a wall, a two-level adventure, and a
// level in memory with a player carrying items, a monster and an item on the floor.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/save_load.h"
#include "platform/files.h"
#include "shell/globals.h"
#include "shell/paths.h"
#include "shell/services.h"
#include "support/temp_dir.h"
#include "world/map.h"
#include "world/module.h"

// Records what saving and loading would show.
struct TRecording_Display : TSave_Load_Display {
    std::vector<std::string> Messages;
    int32_t Remembered_Slot = 0;
    int32_t Reloads = 0;
    void Show_Message(const std::string& title, const std::string& text) override {
        Messages.push_back(title + ": " + text);
    }
    void Reload_Global_Structs() override { ++Reloads; }
    void Set_Busy_Pointer(bool busy) override { Busy_Changes.push_back(busy); }
    std::vector<bool> Busy_Changes;
    void Remember_Saved_Slot(int32_t slot) override { Remembered_Slot = slot; }
};

class TTest_Game {
  public:
    TTemp_Dir Dir;
    TRecording_Display Display;
    TScoped_Services Shown_On{{.Save_Load = &Display}};
    std::unique_ptr<TWriteable_Map> Map = std::make_unique<TWriteable_Map>();
    TWriteable_Module Module;
    TGame_Options Options;
    TGame_Objects Objects{*Map, Module, Options};

    std::string Old_App_Dir = App_Dir;

    TTest_Game() {
        Set_App_Dir(Dir.Path());
        Path_Settings = std::make_unique<TPath_Settings>();
        Path_Settings->Set_Module("Test\\");
        // A passable "Floor" (ID 1) and a solid "Wall" (ID 2).
        std::string terrain;
        EXPECT_TRUE(Read_Whole_File(KV_FIXTURES_DIR "/game/Terrain.txt", terrain));
        Dir.Write("Modules/Test/Tiles/Terrain.txt", terrain);
        Make_Level(*Map, "Level One");
        Map->Map_File_Name = "1.map";
        Player = Add_Creature(*Map, "Aldric", 20, 20, 3);
        Map->Player_Number = Player;
        Sword = Give(*Map, Player, "Sword", 6);
        Potion = Give(*Map, Player, "Potion", 12);
        Rat = Add_Creature(*Map, "Rat", 30, 31, 0);
        Floor_Item = Map->Item_List.Add(Named_Item("Coin"));
        Map->Get_Square(25, 25)->Add_Item(*Map, Floor_Item);
        Map->Make_Current();

        Module.Name = "Test Adventure";
        Module.File_Name = "module.mod";
        Module.Maps.resize(2);
        for (int n = 1; n <= 2; ++n) {
            Module.Maps[n - 1].Map_Number = static_cast<uint16_t>(n);
            Module.Maps[n - 1].Display_Name = "Level " + std::to_string(n);
        }
        TModule_Map_Connection down;
        down.Number = 1;
        down.Destination_Map = 2;
        down.Source_X = 21;
        down.Source_Y = 20;
        down.Dest_X = 50;
        down.Dest_Y = 50;
        down.Connection_Type = 1; // "Two Way - Always"
        Module.Maps[0].Connections.push_back(down);
        Module.Start_Map = Module.Current_Map = 1;
        Module.Start_X = Module.Current_X = 20;
        Module.Start_Y = Module.Current_Y = 20;
        Options.Difficulty = 3;
        Options.Equipment_Sets[0].First_Hand_Name = "Sword";
        Options.Equipment_Sets[0].First_Hand_Id = Sword;
    }
    ~TTest_Game() {
        Set_Creature_World(nullptr);
        Path_Settings.reset();
        App_Dir = Old_App_Dir;
    }

    std::string Current_Folder() const { return Path_Settings->Get_Current_Game_Folder(); }
    std::string Slot_Folder(int slot) const { return Path_Settings->Get_Save_Slot_Folder(slot); }

    // Floor everywhere inside a wall border, with the test terrain file.
    void Make_Level(TWriteable_Map& map, const std::string& name) {
        map.Terrains.Load_Terrain_File(Dir.Path() + "Modules/Test/Tiles/Terrain.txt");
        map.Display_Name = name;
        for (int32_t x = 1; x <= Map_Size; ++x)
            for (int32_t y = 1; y <= Map_Size; ++y)
                map.Get_Square(x, y)->Terrain =
                    (x == 1 || y == 1 || x == Map_Size || y == Map_Size) ? 2 : 1;
    }
    static TItem Named_Item(const std::string& name) {
        TItem item;
        item.Name = name;
        item.Gold_Value = 7;
        return item;
    }
    static uint16_t Add_Creature(TMap& map, const std::string& name, int x, int y,
                                 uint8_t class_number) {
        TMonster c;
        c.Name = name;
        c.X = c.Home_X = static_cast<uint8_t>(x);
        c.Y = c.Home_Y = static_cast<uint8_t>(y);
        c.Level = 4;
        c.Class_Number = class_number;
        c.Health = c.Maximum_Health = 12;
        c.Experience = 1234;
        const uint16_t n = map.Monster_List.Add(c);
        map.Place_Monster_At_Its_Position(*map.Monster_List.Get(n));
        return n;
    }
    static uint16_t Give(TMap& map, uint16_t creature, const std::string& name, int slot) {
        const uint16_t n = map.Item_List.Add(Named_Item(name));
        map.Monster_List.Get(creature)->Inventory.Put_In_Slot(n, slot, map.Item_List);
        return n;
    }
    // Writes both levels and the module into the current-game folder, as a new game has.
    void Write_New_Game() {
        Create_Folder(Current_Folder());
        ASSERT_TRUE(Write_Map_File(*Map, Current_Folder() + "1.map"));
        auto second = std::make_unique<TWriteable_Map>();
        Make_Level(*second, "Level Two");
        Add_Creature(*second, "Bat", 50, 50, 0); // on the arrival square
        ASSERT_TRUE(Write_Map_File(*second, Current_Folder() + "2.map"));
        ASSERT_TRUE(Write_Module_File(Module, Current_Folder() + "module.mod"));
    }
    TMonster& Player_Creature() { return *Map->Monster_List.Get(Map->Player_Number); }

    uint16_t Player = 0, Sword = 0, Potion = 0, Rat = 0, Floor_Item = 0;
};
