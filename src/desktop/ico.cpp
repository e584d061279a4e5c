#include "desktop/ico.h"

namespace vorlane {
namespace {

std::uint32_t read16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t read32(std::span<const std::uint8_t> b, std::size_t at) {
    return read16(b, at) | (read16(b, at + 2) << 16);
}

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

}  // namespace

std::optional<IcoImage> selectIcoImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize + kEntrySize) return std::nullopt;
    const auto count = static_cast<std::int16_t>(read16(bytes, 4));
    std::size_t chosen = kHeaderSize;
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + kEntrySize * static_cast<std::size_t>(i);
        if (entry + kEntrySize > bytes.size()) break;
        if (bytes[entry] == 16) {
            chosen = entry;
            break;
        }
    }
    const IcoImage image{read32(bytes, chosen + 12), read32(bytes, chosen + 8)};
    if (static_cast<std::uint64_t>(image.offset) + image.size > bytes.size()) return std::nullopt;
    return image;
}

Handle iconFromIcoBytes(GdiPort& gdi, std::span<const std::uint8_t> bytes) {
    const auto image = selectIcoImage(bytes);
    if (!image || image->size == 0) return 0;
    return gdi.createIconFromResource(bytes.data() + image->offset, image->size);
}

Handle iconToMenuBitmap(GdiPort& gdi, std::span<const std::uint8_t> bytes) {
    const Handle icon = iconFromIcoBytes(gdi, bytes);
    const int w = gdi.smallIconWidth();
    const int h = gdi.smallIconHeight();
    const Handle dc = gdi.createCompatibleDC();
    const Handle bitmap = gdi.createDibSection32(dc, w, h);
    if (bitmap != 0) {
        const Handle previous = gdi.selectObject(dc, bitmap);
        if (icon != 0) gdi.drawIcon(dc, icon, w, h);
        gdi.selectObject(dc, previous);
    }
    gdi.deleteDC(dc);
    if (icon != 0) gdi.destroyIcon(icon);
    return bitmap;
}

}  // namespace vorlane
