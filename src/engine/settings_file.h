// The settings file: where it lives and how its values are read.
#pragma once

#include <optional>
#include <string>

#include "seam/ports.h"

namespace vorlane {

inline constexpr const char* kSettingsSection = "kov";

// The application-data folder with a backslash appended when it lacks one,
// then "\tavolu.ini"; without a folder, "\tavolu.ini" at the drive's root.
std::string settingsPathIn(const std::optional<std::string>& appDataFolder);

// GetPrivateProfileString with the program's conventions: leading characters
// of code 32 or below are skipped in path, section and key, and nothing is
// read when one of them is then empty; an empty default goes in as NULL.
std::string readProfileString(ProfilePort& profile, const std::string& section,
                              const std::string& key, const std::string& fallback,
                              const std::string& path);

}  // namespace vorlane
