#pragma once
// A private folder for one test, with its own settings file, and the program's resources registered, so
// settings of one test never reach another.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/settings.h"
#include "framework/profile.h"
#include "framework/restypes.h"
#include "res/resources.h"

namespace testenv {

// Makes /tmp/<prefix>-XXXXXX with a config folder in it and points the settings there; returns the folder,
// or an empty text when it could not be made.
inline std::string MakePrivateProfile(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    std::filesystem::create_directories(pattern + "/config");
    ::setenv("XDG_CONFIG_HOME", (pattern + "/config").c_str(), 1);
    CProfile::Instance().SetLocation(settings::kRegistryKey, "Quorrel");
    fw::SetResourceSet(&QuorrelResources());
    return pattern;
}

}  // namespace testenv
