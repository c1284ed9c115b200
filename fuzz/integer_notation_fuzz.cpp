// isInteger and toInteger must agree on every text, and every valid text must
// give its value in 0..2147483647 (saturated), computed here independently
// with the C library's conversion.

#include <cerrno>
#include <cstdlib>
#include <string>

#include "cli/value.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

constexpr long long largest = 2147483647;

// The notation of a valid text: its digits and their base; base 0 = invalid.
struct Notation {
    std::string digits;
    int base = 0;
};

bool allOf(const std::string& digits, const char* allowed) {
    return !digits.empty() && digits.find_first_not_of(allowed) == std::string::npos;
}

Notation notationOf(const std::string& text) {
    static const char* const hex = "0123456789abcdefABCDEF";
    if (text.size() > 2 && text.compare(0, 2, "0x") == 0 && allOf(text.substr(2), hex)) return {text.substr(2), 16};
    if (text.size() >= 2 && text[0] == '$' && allOf(text.substr(1), hex)) return {text.substr(1), 16};
    if (text.size() >= 2 && text[0] == '%' && allOf(text.substr(1), "01")) return {text.substr(1), 2};
    if (allOf(text, "0123456789")) return {text, 10};
    return {};
}

long long referenceValue(const Notation& notation) {
    errno = 0;
    const unsigned long long value = std::strtoull(notation.digits.c_str(), nullptr, notation.base);
    if (errno == ERANGE || value > static_cast<unsigned long long>(largest)) return largest;
    return static_cast<long long>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::int64_t value = nuk::cli::toInteger(text);
    const bool valid = nuk::cli::isInteger(text);
    const std::string shownText = "text '" + fuzz::shown(text) + "' gives " + std::to_string(value);

    fuzz::check(value >= -1 && value <= largest, "toInteger stays within -1..2147483647", shownText);
    if (text.empty()) {
        fuzz::check(!valid && value == 0, "the empty text is no integer but converts to 0", shownText);
        return 0;
    }
    fuzz::check(valid == (value >= 0), "isInteger and toInteger agree", shownText);
    const Notation notation = notationOf(text);
    fuzz::check(valid == (notation.base != 0), "isInteger accepts exactly the four notations", shownText);
    if (valid) fuzz::check(value == referenceValue(notation), "toInteger converts like strtoul, saturated", shownText);
    return 0;
}
