#include "engine/text_rules.h"

#include <cmath>

namespace vorlane {

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        ++pos;
        return lead;
    }
    if (pos + length > text.size()) {
        ++pos;
        return lead;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    pos += length;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string toSingleByteForms(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t c = nextCodePoint(utf8, pos);
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += static_cast<char>(c - 0xFF01 + 0x21);
        } else if (c == 0x3000) {
            out += ' ';
        } else {
            out.append(utf8.substr(start, pos - start));
        }
    }
    return out;
}

std::int32_t parseInteger(std::string_view text) {
    std::size_t i = 0;
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t textToInt(std::string_view text) { return parseInteger(toSingleByteForms(text)); }

std::int32_t truncToInt(double x) {
    if (std::isnan(x)) return 0;
    const double t = std::trunc(x);
    // Out-of-range values wrap like the 32-bit integer they are stored in.
    const double wrapped = std::fmod(t, 4294967296.0);
    const auto bits = static_cast<std::int64_t>(wrapped);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
}

std::int32_t floorRule(double x) {
    if (std::isnan(x)) return 0;
    const double fraction = x - std::trunc(x);
    if (std::fabs(fraction) > 0.999999999999) x = x > 0 ? std::ceil(x) : std::floor(x);
    return truncToInt(std::floor(x));
}

std::string decimal(std::int64_t value) {
    // By hand rather than std::to_string, which drags the C library's whole
    // formatted-output machinery into the program file.
    const bool negative = value < 0;
    auto magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) *--at = '-';
    return std::string(at, end);
}

}  // namespace vorlane
