// The small check-box picture drawn beside the autostart menu item: a complete .ico file (one 16 x 16
// image, 32 bpp with alpha) kept inside the program so the mark needs no file next to the executable.
#pragma once

#include <array>
#include <cstdint>

namespace vorlane {

extern const std::array<std::uint8_t, 1150> markIcon;

}  // namespace vorlane
