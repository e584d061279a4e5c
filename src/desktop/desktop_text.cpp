#include "desktop/desktop_text.h"

#include "engine/text_rules.h"

namespace vorlane {

std::string trayTip(const std::string& tip) {
    constexpr std::size_t kMaxUnits = 63;
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < tip.size()) {
        std::size_t next = pos;
        const char32_t c = nextCodePoint(tip, next);
        const std::size_t width = c >= 0x10000 ? 2 : 1;
        if (units + width > kMaxUnits) break;
        units += width;
        pos = next;
    }
    return tip.substr(0, pos);
}

std::pair<std::string, std::string> splitAtLastBackslash(const std::string& path) {
    // UTF-8 continuation bytes are never 0x5C, so a byte search cannot land
    // inside a character.
    const auto at = path.rfind('\\');
    if (at == std::string::npos) return {"", path};
    return {path.substr(0, at), path.substr(at + 1)};
}

std::string quotedProgramPath(const std::string& directory, const std::string& modulePath) {
    return "\"" + directory + "\\" + splitAtLastBackslash(modulePath).second + "\"";
}

int trayKind(unsigned mouseMessage) {
    switch (mouseMessage) {
        case 0x0202: return 1;  // WM_LBUTTONUP
        case 0x0203: return 2;  // WM_LBUTTONDBLCLK
        case 0x0205: return 3;  // WM_RBUTTONUP
        case 0x007B: return 3;  // WM_CONTEXTMENU
        default: return 0;
    }
}

}  // namespace vorlane
