#pragma once
// What every fuzz target shares: a property check that stops the run where a
// libFuzzer build keeps the input that broke it, and a reader that turns the
// fuzzer's bytes into the arguments of the function under test.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// A violated property is a crash as far as the fuzzer is concerned.
[[noreturn]] inline void fail(const char* property, const std::string& detail) {
    std::fprintf(stderr, "property violated: %s\n  %s\n", property, detail.c_str());
    std::abort();
}

inline void check(bool holds, const char* property, const std::string& detail = std::string()) {
    if (!holds) fail(property, detail);
}

// Takes numbers from the front of the input; what is left is the payload.
// Running out of bytes yields zeros, so every input is a valid case.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

    std::uint64_t number(int bytes) {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value = value << 8 | byte();
        return value;
    }

    // A value from low to high, both included.
    std::uint64_t inRange(std::uint64_t low, std::uint64_t high, int bytes) {
        return low + number(bytes) % (high - low + 1);
    }

    const std::uint8_t* rest() const { return data_ + position_; }
    std::size_t restSize() const { return size_ - position_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Printable form of bytes for a failure report.
inline std::string shown(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
            text += escape;
        }
    }
    return text;
}

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
