#include "dump/hex_fields.hpp"

#include <cstring>

namespace {

Field fieldWithDigits(const Notation& notation, char high, char low) {
    Field field;
    field.fill(' ');
    const std::size_t prefixLength = notation.prefixLength;
    field[0] = notation.separator;
    std::memcpy(&field[1], notation.prefix, prefixLength);
    field[1 + prefixLength] = high;
    field[2 + prefixLength] = low;
    return field;
}

}  // namespace

HexFields::HexFields(const Notation& notation, bool upperCase)
    : missing_(fieldWithDigits(notation, '-', '-')), length_(notation.fieldLength()) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    for (int value = 0; value < 256; ++value) {
        fields_[value] = fieldWithDigits(notation, digits[value >> 4], digits[value & 15]);
    }
}


namespace {

template <const Notation& notation, bool upperCase>
const HexFields& fieldsFor() {
    static const HexFields fields(notation, upperCase);
    return fields;
}

}  // namespace

const HexFields& hexFields(const Notation& notation, bool upperCase) {
    if (&notation == &turboNotation) return upperCase ? fieldsFor<turboNotation, true>() : fieldsFor<turboNotation, false>();
    if (&notation == &cNotation) return upperCase ? fieldsFor<cNotation, true>() : fieldsFor<cNotation, false>();
    return upperCase ? fieldsFor<plainNotation, true>() : fieldsFor<plainNotation, false>();
}
