// The text-to-integer rule against a straightforward reference on 64 bits.
#include <cstdlib>
#include <cstring>

#include "engine/text_rules.h"

namespace {

std::int32_t reference(const std::string& ascii) {
    std::size_t i = 0;
    while (i < ascii.size() && std::strchr(" \t\n\v\f\r", ascii[i]) && ascii[i] != '\0') ++i;
    std::int64_t sign = 1;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) sign = ascii[i++] == '-' ? -1 : 1;
    std::uint64_t value = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i)
        value = (value * 10 + static_cast<std::uint64_t>(ascii[i] - '0')) & 0xFFFFFFFFu;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(sign < 0 ? 0 - value : value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int32_t value = vorlane::textToInt(text);
    const std::string single = vorlane::toSingleByteForms(text);
    if (single.size() > text.size()) std::abort();  // full-width forms only ever shrink
    if (value != reference(single)) std::abort();
    if (vorlane::parseInteger(text) != reference(text)) std::abort();
    return 0;
}
