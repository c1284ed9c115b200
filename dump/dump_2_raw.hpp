#pragma once
// The bytes a dump shows, written as they are: no address, no text column,
// and nothing for the positions that hold no byte (past the end, or a part
// of a sector the drive could not read), so that a piece of a file or a file
// out of a disk image comes out as a file, and no byte is made up.

#include <ostream>

#include "dump/dump_2_output.hpp"

class RawBytes final : public DumpOutput {
public:
    explicit RawBytes(std::ostream& out) : out_(out) {}

    void add(const std::uint8_t* bytes, std::size_t n) override;
    void addMissing(std::uint64_t) override {}
    void placeLine(const std::string&) override {}
    void endAt(std::uint64_t) override {}
    void flush() override;
    bool failed() const override { return !out_; }

private:
    std::ostream& out_;
};
