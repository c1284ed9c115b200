// Writing the bytes of a dump unformatted.

#include "dump/dump_2_raw.hpp"

// The bytes come in blocks already, so they go straight to the stream.
void RawBytes::add(const std::uint8_t* bytes, std::size_t n) {
    if (n == 0 || failed()) return;
    out_.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(n));
}

void RawBytes::flush() {
    if (!failed()) out_.flush();
}
