#include "shell/services.h"

#include <cstdio>

namespace {

TServices installed;

template <typename T> T& or_default(T* service) {
    static T silent;
    return service ? *service : silent;
}

} // namespace

void TMessage_Service::Show_Message_Box(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

void TMessage_Service::Show_Error_List(const std::string& heading, const std::string& file,
                                       const std::vector<std::string>& messages) {
    std::fprintf(stderr, "%s\n%s\n", heading.c_str(), file.c_str());
    for (const std::string& message : messages)
        std::fprintf(stderr, "%s\n", message.c_str());
}

const TServices& Services() {
    return installed;
}

TServices Install_Services(const TServices& services) {
    const TServices previous = installed;
    installed = services;
    return previous;
}

TScoped_Services::TScoped_Services(const TServices& replaced) : previous_(installed) {
    auto take = [](auto*& field, auto* given) {
        if (given)
            field = given;
    };
    take(installed.Sound, replaced.Sound);
    take(installed.Messages, replaced.Messages);
    take(installed.Sprites, replaced.Sprites);
    take(installed.Callbacks, replaced.Callbacks);
    take(installed.Summons, replaced.Summons);
    take(installed.Save_Load, replaced.Save_Load);
    take(installed.Description, replaced.Description);
}

TScoped_Services::~TScoped_Services() {
    installed = previous_;
}

TSound_Service& Sound_Service() {
    return or_default(installed.Sound);
}

TMessage_Service& Message_Service() {
    return or_default(installed.Messages);
}

TSprite_Service& Sprite_Service() {
    return or_default(installed.Sprites);
}

void Play_Sound(const std::string& wave_file) {
    if (!wave_file.empty())
        Sound_Service().Play_Sound(wave_file, 0, 0);
}

void Show_Message_Box(const std::string& caption, const std::string& text) {
    Message_Service().Show_Message_Box(caption, text);
}
