#include "forge_test_util.h"

#include <map>

#include <gtest/gtest.h>

const TCanvas& Make_System_Picture(const std::string& name) {
    static std::map<std::string, TCanvas> made;
    if (const auto it = made.find(name); it != made.end())
        return it->second;
    for (const TPicture_Entry& e : System_Pictures())
        if (e.name == name)
            return made[name] = e.make();
    ADD_FAILURE() << "no system picture " << name;
    static const TCanvas none(1, 1);
    return none;
}
