// Splits fuzzer bytes into the texts and numbers a target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace vorlane::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    // A text up to the next 0x00 byte (or the end).
    std::string text() {
        std::string out;
        while (pos_ < size_ && data_[pos_] != 0) out += static_cast<char>(data_[pos_++]);
        if (pos_ < size_) ++pos_;
        return out;
    }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::int32_t int32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | byte();
        return static_cast<std::int32_t>(v);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace vorlane::fuzz
