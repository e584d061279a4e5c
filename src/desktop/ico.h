// Reading the stored .ico data and turning it into a menu bitmap.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "seam/ports.h"

namespace vorlane {

struct IcoImage {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

// The image of an .ico file to use for a small icon: the first directory
// entry 16 pixels wide, else the first entry. Nothing when the header,
// the directory or the image does not fit inside the bytes.
std::optional<IcoImage> selectIcoImage(std::span<const std::uint8_t> bytes);

// CreateIconFromResource of the selected image; 0 when there is none.
Handle iconFromIcoBytes(GdiPort& gdi, std::span<const std::uint8_t> bytes);

// The icon drawn into a new small-icon-sized 32-bit DIB section (0 when the
// bitmap could not be made). The caller owns the bitmap.
Handle iconToMenuBitmap(GdiPort& gdi, std::span<const std::uint8_t> bytes);

}  // namespace vorlane
