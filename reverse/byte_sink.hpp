#pragma once
// Bytes gathered into blocks before they reach the stream, so that a line's
// few bytes do not each make a write.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>

namespace undump {

class ByteSink {
public:
    explicit ByteSink(std::ostream& out);
    ~ByteSink() { flush(); }
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    void put(const std::uint8_t* bytes, std::size_t n);
    void flush();

    // Once the stream has failed nothing more can reach it; the failure
    // itself is reported when the program ends.
    bool failed() const { return !out_; }

private:
    std::ostream& out_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

}  // namespace undump
