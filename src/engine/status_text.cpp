#include "engine/status_text.h"

#include <cmath>

#include "engine/text_rules.h"

namespace vorlane {
namespace {

std::string totalPart(const std::string& workBoxText) {
    const std::int32_t minutes = textToInt(workBoxText);
    // Below an hour the box's text is shown as typed ("07分").
    if (minutes < 60) return workBoxText + "分";
    std::string total = decimal(floorRule(minutes / 60.0)) + "时";
    const double rest = std::fmod(static_cast<double>(minutes), 60.0);
    if (rest > 0.0000001) total += decimal(floorRule(rest)) + "分";
    return total;
}

std::string elapsedPart(std::int32_t seconds) {
    std::string out;
    double c = seconds;
    if (c >= 3600) {
        out += decimal(truncToInt(c / 3600.0)) + "时";
        c = truncToInt(std::fmod(c, 3600.0));
    }
    if (c >= 60) {
        out += decimal(truncToInt(c / 60.0)) + "分";
        c = truncToInt(std::fmod(c, 60.0));
    }
    if (c >= 0) out += decimal(truncToInt(c)) + "秒";
    return out;
}

}  // namespace

std::string statusText(const std::string& prefix, const std::string& workBoxText,
                       std::int32_t elapsedSeconds, const std::string& suffix) {
    return prefix + "Vorlane  总时长:" + totalPart(workBoxText) + "  已过:" +
           elapsedPart(elapsedSeconds) + suffix;
}

}  // namespace vorlane
