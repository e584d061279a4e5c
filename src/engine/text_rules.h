// How the program reads numbers out of texts, and how it floors doubles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlane {

// Full-width forms U+FF01..U+FF5E become U+0021..U+007E and the ideographic
// space U+3000 a plain space; everything else is kept. Invalid UTF-8 passes
// through byte by byte.
std::string toSingleByteForms(std::string_view utf8);

// Leading white space skipped, one optional sign, decimal digits up to the
// first other character, wrapping in 32 bits. No digits give 0.
std::int32_t parseInteger(std::string_view text);

// parseInteger after toSingleByteForms: the rule every box and setting uses.
std::int32_t textToInt(std::string_view text);

// Largest integer not above x, after moving x away from zero to the next
// integer when its fractional part is within 1e-12 of it. Wraps to 32 bits.
std::int32_t floorRule(double x);

// Truncation toward zero, wrapping to 32 bits.
std::int32_t truncToInt(double x);

std::string decimal(std::int64_t value);

// Decodes one UTF-8 character at `pos` and advances it; an invalid byte
// is returned as itself.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);

}  // namespace vorlane
