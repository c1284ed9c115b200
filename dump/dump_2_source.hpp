#pragma once
// The bytes a dump shows written as source code that an assembler or a C
// compiler turns back into exactly these bytes: the origin first, when the
// bytes have an address (the load address or the start address), then
// data lines of `width` bytes. Positions past the end of the input are
// not written: the source holds the bytes that are there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dump/dump_2_output.hpp"
#include "dump/dump_settings.hpp"

// The formats by the names the command line gives them, in the order of
// the help screen.
struct SourceFormatName {
    const char* name;
    SourceFormat format;
};
inline constexpr std::array<SourceFormatName, 6> sourceFormatNames{{{"acme", SourceFormat::acme},
                                                                    {"ca65", SourceFormat::ca65},
                                                                    {"64tass", SourceFormat::tass64},
                                                                    {"xa", SourceFormat::xa},
                                                                    {"c", SourceFormat::c},
                                                                    {"basic", SourceFormat::basic}}};

std::optional<SourceFormat> sourceFormatNamed(const std::string& name);

// Bytes a data line holds unless the width is given, and the most a BASIC
// DATA line can hold within the 80 characters of the machine's line, with
// the longest line number and every byte three digits.
std::uint64_t defaultSourceWidth(SourceFormat format);
constexpr std::uint64_t widestBasicData = 17;

// The BASIC line numbers: DATA lines count up in tens, as far as the
// machine's largest line number.
constexpr std::uint64_t firstBasicLine = 10;
constexpr std::uint64_t basicLineStep = 10;
constexpr std::uint64_t lastBasicLine = 63999;

// The C array's name for an input's name: every character that cannot
// stand in a C name becomes "_", as xxd -i makes it, without the ones at
// either end ("[data_from_stdin]" names "data_from_stdin"); a name that
// would begin with a digit begins with "data_".
std::string cArrayName(const std::string& inputName);

class SourceText final : public DumpOutput {
public:
    // origin: the address of the first byte, when the bytes have one;
    // inputName: for the name of C's array; nextBasicLine: see DumpSettings.
    SourceText(SourceFormat format, const LineFormat& look, std::optional<std::uint64_t> origin,
               const std::string& inputName, std::uint64_t* nextBasicLine, std::ostream& out);

    void add(const std::uint8_t* bytes, std::size_t n) override;
    // Source code, like raw bytes, holds only the bytes that were read: an
    // unreadable sector's missing positions and the sector lines of -v are
    // no bytes.
    void addMissing(std::uint64_t) override {}
    void placeLine(const std::string&) override {}
    void endAt(std::uint64_t count) override;
    void flush() override;
    bool failed() const override { return !out_ || full_; }
    std::optional<std::string> fault() const override;

private:
    void begin();
    void writeLine(bool last);
    std::string number(std::uint64_t value, std::size_t digits) const;
    bool takeBasicLine();

    const SourceFormat format_;
    const std::size_t width_;
    const char* const digits_;  // of hexadecimal numbers
    const std::optional<std::uint64_t> origin_;
    const std::string name_;
    std::uint64_t ownBasicLine_ = firstBasicLine;
    std::uint64_t& basicLine_;
    std::ostream& out_;
    std::vector<std::uint8_t> line_;  // the bytes of the line not written yet
    std::uint64_t written_ = 0;       // bytes on the lines written
    bool begun_ = false;
    bool full_ = false;  // the BASIC line numbers have run out
};
