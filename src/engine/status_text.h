#pragma once

#include <cstdint>
#include <string>

namespace vorlane {

// "Vorlane  总时长:<total>  已过:<elapsed>" between prefix and suffix, from
// the work box's text and the seconds counted.
std::string statusText(const std::string& prefix, const std::string& workBoxText,
                       std::int32_t elapsedSeconds, const std::string& suffix);

}  // namespace vorlane
