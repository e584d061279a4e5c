// Text rules of the tray and the autostart entry.
#pragma once

#include <string>
#include <utility>

namespace vorlane {

// The tray tip cut to what NOTIFYICONDATAW's tip field holds: at most 63
// UTF-16 units, never inside a character.
std::string trayTip(const std::string& tip);

// Splits at the last backslash: {"a\b", "c"} for "a\b\c"; no backslash gives
// an empty key path.
std::pair<std::string, std::string> splitAtLastBackslash(const std::string& path);

// The registry data of the Run value: the program's folder, a backslash and
// the executable's file name, in double quotes.
std::string quotedProgramPath(const std::string& directory, const std::string& modulePath);

// Mouse message of the tray callback → tray kind (0: no event).
int trayKind(unsigned mouseMessage);

}  // namespace vorlane
