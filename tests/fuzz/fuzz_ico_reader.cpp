// The stored-icon reader never reads outside the bytes it is given.
#include <cstdlib>
#include <vector>

#include "desktop/ico.h"
#include "fake_os.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so AddressSanitizer sees any read past the end.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto image = vorlane::selectIcoImage(bytes);
    if (image && static_cast<std::uint64_t>(image->offset) + image->size > size) std::abort();
    vorlane::testing::FakeOs os;
    os.icoBase = bytes.data();
    const vorlane::Handle bitmap = vorlane::iconToMenuBitmap(os, bytes);
    if (bitmap == 0) std::abort();  // the bitmap is made even without an icon
    if (!os.liveIcons.empty()) std::abort();
    for (const auto& [offset, length] : os.iconsCreatedFrom)
        if (static_cast<std::uint64_t>(offset) + length > size) std::abort();
    return 0;
}
