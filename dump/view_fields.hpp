#pragma once
// The byte column of the views other than hexadecimal: a byte's eight bits
// as binary digits ("01111110", a space in front of every field but the
// first), or drawn as the cells of a picture, the fields side by side so
// that the bytes of a line make one row of pixels. Every field is looked
// up, as the hex fields are.

#include <array>
#include <cstddef>
#include <cstdint>

#include "dump/dump_settings.hpp"
#include "console/text_mode.hpp"

// Eight cells of three bytes each (UTF-8) fit, with room for a fixed-size copy.
constexpr std::size_t viewFieldStorage = 32;

struct ViewField {
    std::array<char, viewFieldStorage> text;
    std::size_t length;  // bytes of text, separator included
};

class ViewFields {
public:
    ViewFields(ByteView view, nuk::con::TextMode textMode);

    const ViewField& of(std::uint8_t byte) const { return fields_[byte]; }
    // A position past the end of the input: eight "-".
    const ViewField& missing() const { return missing_; }
    // The characters in front of a field: none between the cells of a picture.
    std::size_t separatorLength() const { return separatorLength_; }
    // Characters a field takes on the screen, its separator included.
    std::size_t columns() const { return columns_; }
    // Bytes of the longest field.
    std::size_t longest() const { return longest_; }

private:
    std::array<ViewField, 256> fields_;
    ViewField missing_;
    std::size_t separatorLength_;
    std::size_t columns_;
    std::size_t longest_ = 0;
};

// The fields of a view other than hex in a text mode, built on first use.
const ViewFields& viewFields(ByteView view, nuk::con::TextMode textMode);
