#include "reverse/byte_sink.hpp"

#include <cstring>

#include "files/block_source.hpp"

namespace undump {

ByteSink::ByteSink(std::ostream& out) : out_(out), block_(new char[nuk::blockSize]) {}

void ByteSink::put(const std::uint8_t* bytes, std::size_t n) {
    while (n > 0) {
        if (used_ == nuk::blockSize) flush();
        const std::size_t room = nuk::blockSize - used_;
        const std::size_t part = n < room ? n : room;
        std::memcpy(block_.get() + used_, bytes, part);
        used_ += part;
        bytes += part;
        n -= part;
    }
}

void ByteSink::flush() {
    if (used_ > 0 && out_) out_.write(block_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

}  // namespace undump
