#pragma once
// Fakes of the shell's services that remember what they were given. A test installs
// them for its own length:
//   TSound_Recorder sound;
//   TScoped_Services use({.Sound = &sound});

#include <string>
#include <vector>

#include "shell/services.h"

struct TSound_Recorder : TSound_Service {
    struct TPlayed {
        std::string Wave;
        int32_t X = 0, Y = 0;
    };
    std::vector<TPlayed> Played;

    std::vector<std::string> Music; // every piece started; "" for a stop
    void Play_Sound(const std::string& wave_file, int32_t x, int32_t y) override {
        Played.push_back({wave_file, x, y});
    }
    void Play_Music(const std::string& music_file) override { Music.push_back(music_file); }
    void Stop_Music() override { Music.push_back(""); }
    std::vector<std::string> Waves() const {
        std::vector<std::string> waves;
        for (const TPlayed& p : Played)
            waves.push_back(p.Wave);
        return waves;
    }
};

struct TMessages_Recorder : TMessage_Service {
    struct TError_List {
        std::string Heading, File;
        std::vector<std::string> Messages;
    };
    std::vector<std::string> Boxes; // "CAPTION|TEXT"
    std::vector<TError_List> Error_Lists;

    void Show_Message_Box(const std::string& caption, const std::string& text) override {
        Boxes.push_back(caption + "|" + text);
    }
    void Show_Error_List(const std::string& heading, const std::string& file,
                         const std::vector<std::string>& messages) override {
        Error_Lists.push_back({heading, file, messages});
    }
};

// Shows nothing at all, for tests that load broken files on purpose.
struct TQuiet_Messages : TMessage_Service {
    void Show_Message_Box(const std::string&, const std::string&) override {}
    void Show_Error_List(const std::string&, const std::string&,
                         const std::vector<std::string>&) override {}
};
