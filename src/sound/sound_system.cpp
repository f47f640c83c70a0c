#include "sound/sound_system.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/files.h"
#include "platform/names.h"
#include "rules/monster.h"
#include "shell/debug_log.h"
#include "shell/globals.h"
#include "shell/options.h"
#include "world/map.h"

namespace {

constexpr const char* log_category = "Sounds";
constexpr int32_t silent = -10000;
constexpr int32_t ring_size = 10;

} // namespace

int32_t Positional_Volume(int32_t master, int32_t d, int32_t blockers) {
    int32_t volume = d > 0 ? master - 100 * (d - 1) : master;
    volume -= 1500 * std::max(blockers, 0);
    return std::max(volume, silent);
}

int32_t Sound_Bearing(int32_t dx, int32_t dy) {
    if (dy == 0)
        return dx > 0 ? 90 : dx < 0 ? 270 : 0;
    const int32_t a = static_cast<int32_t>(
        std::lround(std::atan(double(std::abs(dx)) / double(std::abs(dy))) * 180.0 / M_PI));
    if (dy < 0)
        return dx >= 0 ? a : (360 - a) % 360;
    return dx >= 0 ? 180 - a : 180 + a;
}

int32_t Pan_For_Bearing(int32_t a, bool same_square) {
    if (same_square)
        return 0;
    if (a <= 45)
        return -50 * (45 - a);
    if (a < 225)
        return 50 * (90 - std::abs(135 - a));
    return -50 * (90 - std::abs(315 - a));
}

double Volume_To_Gain(int32_t volume) {
    if (volume <= silent)
        return 0;
    return std::pow(10.0, std::min(volume, 0) / 2000.0);
}

void Pan_To_Gains(int32_t pan, double& left, double& right) {
    pan = std::clamp(pan, -10000, 10000);
    left = pan > 0 ? Volume_To_Gain(-pan) : 1.0;
    right = pan < 0 ? Volume_To_Gain(pan) : 1.0;
}

TSound_System::TSound_System(TAudio_Device& device) : device_(device) {}

TSound_System::~TSound_System() {
    Free();
}

bool TSound_System::sounds_on() const {
    return Machine_Options.Play_Sounds && Game_Settings && Game_Settings->Allow_Sound;
}

bool TSound_System::music_on() const {
    return Machine_Options.Play_Music && Game_Settings && Game_Settings->Allow_Music;
}

bool TSound_System::use_mixer() const {
    return Game_Settings && Game_Settings->Use_DirectSound;
}

void TSound_System::Initialize() {
    Debug_Log(log_category, "Sound_Intialize_Sound_System - Start");
    if (use_mixer()) {
        ring_index_ = 0;
        master_volume_ = 0;
        Debug_Log(log_category, "  SoundBase_Initialize_DirectSound");
    }
    // The plain player and the music play through the same device here.
    std::string error;
    device_open_ = device_.Open(error);
    if (!device_open_)
        Debug_Log("General", "No sound: " + error);
    current_music_.clear();
    busy_ = false;
    initialized_ = true;
    Debug_Log(log_category, "Sound_Intialize_Sound_System - End");
}

void TSound_System::Free() {
    if (!initialized_)
        return;
    Debug_Log(log_category, "Sound_Free_Sound_System - Start");
    if (use_mixer())
        Debug_Log(log_category, "  SoundBase_Free_DirectSound");
    if (music_on() && !current_music_.empty())
        Debug_Log(log_category, "  MCISendCommand(MCI_CLOSE)");
    if (device_open_)
        device_.Close();
    device_open_ = false;
    current_music_.clear();
    initialized_ = false;
}

void TSound_System::mixer_play(const std::string& wave_file, int32_t volume, int32_t pan) {
    if (!sounds_on() || !device_open_ || wave_file.empty() || !Path_Settings)
        return;
    // The eleventh sound takes the oldest one's slot.
    ring_index_ = ring_index_ % ring_size + 1;
    double left = 1, right = 1;
    Pan_To_Gains(pan, left, right);
    std::string error;
    const std::string path = Native_Path(Path_Settings->Get_Sound_File(File_Name_Part(wave_file)));
    if (!device_.Play_Effect(ring_index_ - 1, path, Volume_To_Gain(volume), left, right, error))
        report("sound", wave_file, error);
}

void TSound_System::report(const std::string& kind, const std::string& name,
                           const std::string& error) {
    if (reported_.insert(kind + "/" + name).second)
        Debug_Log("General", "Cannot play the " + kind + " \"" + name + "\": " + error);
}

void TSound_System::Play_Plain_Sound(const std::string& wave_file) {
    if (use_mixer()) {
        mixer_play(wave_file, master_volume_, 0);
        return;
    }
    if (!sounds_on() || !device_open_ || wave_file.empty() || !Path_Settings)
        return;
    std::string error;
    if (!device_.Play_Plain(Native_Path(Path_Settings->Get_Sound_File(File_Name_Part(wave_file))),
                            error))
        report("sound", wave_file, error);
}

void TSound_System::Play_Sound_At(const std::string& wave_file, int32_t x, int32_t y, int32_t lx,
                                  int32_t ly) {
    if (!use_mixer()) {
        Play_Plain_Sound(wave_file);
        return;
    }
    const int32_t dx = x - lx, dy = y - ly;
    const int32_t d = std::max(std::abs(dx), std::abs(dy));
    const int32_t blockers = Current_Map ? Current_Map->Count_Sight_Blockers(x, y, lx, ly) : 0;
    const int32_t volume = Positional_Volume(master_volume_, d, blockers);
    mixer_play(wave_file, volume, Pan_For_Bearing(Sound_Bearing(dx, dy), d == 0));
}

void TSound_System::Play_Sound_From_Square(const std::string& wave_file, int32_t x, int32_t y) {
    const TMonster* player = Current_Map ? Current_Map->Player() : nullptr;
    if (!player) {
        Play_Plain_Sound(wave_file);
        return;
    }
    Play_Sound_At(wave_file, x, y, player->X, player->Y);
}

void TSound_System::Play_Sound(const std::string& wave_file, int32_t x, int32_t y) {
    if (x == 0 && y == 0)
        Play_Plain_Sound(wave_file);
    else
        Play_Sound_From_Square(wave_file, x, y);
}

void TSound_System::Start_Music(const std::string& music_file) {
    Debug_Log(log_category, "Sound_Start_Music(" + music_file + ") - Start");
    if (music_on() && device_open_ && Path_Settings) {
        // A name from a data file names a file in the music folder, nothing else.
        const std::string path =
            Native_Path(Path_Settings->Get_Music_File(File_Name_Part(music_file)));
        busy_ = true;
        if (!current_music_.empty()) {
            Debug_Log(log_category, "  MCISendCommand(MCI_CLOSE)");
            device_.Stop_Music();
            current_music_.clear();
        }
        if (!music_file.empty() && File_Exists(path)) {
            Debug_Log(log_category, "  MCISendCommand(MCI_OPEN)");
            Debug_Log(log_category, "  MCISendCommand(MCI_SET)");
            Debug_Log(log_category, "  MCISendCommand(MCI_PLAY)");
            std::string error;
            if (device_.Play_Music(path, error))
                current_music_ = music_file;
            else
                report("music", music_file, error);
        }
        busy_ = false;
    }
    Debug_Log(log_category, "Sound_Start_Music - End");
}

void TSound_System::Stop_Music() {
    Debug_Log(log_category, "Sound_Stop_Music - Start");
    busy_ = true;
    if (device_open_)
        device_.Stop_Music();
    current_music_.clear();
    busy_ = false;
}
