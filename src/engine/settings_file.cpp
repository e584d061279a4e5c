#include "engine/settings_file.h"

namespace vorlane {
namespace {

std::string skipLeadingBlanks(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
    return text.substr(i);
}

}  // namespace

std::string settingsPathIn(const std::optional<std::string>& appDataFolder) {
    std::string folder = appDataFolder.value_or("");
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder + "\\tavolu.ini";
}

std::string readProfileString(ProfilePort& profile, const std::string& section,
                              const std::string& key, const std::string& fallback,
                              const std::string& path) {
    const std::string p = skipLeadingBlanks(path);
    const std::string s = skipLeadingBlanks(section);
    const std::string k = skipLeadingBlanks(key);
    if (p.empty() || s.empty() || k.empty()) return {};
    std::optional<std::string> def;
    if (!fallback.empty()) def = fallback;
    return profile.readString(s, k, def, p);
}

}  // namespace vorlane
