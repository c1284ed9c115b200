// Writing the bytes of a dump as source code.

#include "dump/dump_2_source.hpp"

#include <algorithm>
#include <cctype>

namespace {

// How each format writes its data: the origin's line, the text in front of
// a data line's first byte, the separator between bytes, and a byte's
// number (hexadecimal behind a prefix, or decimal).
struct SourceSyntax {
    const char* originLine;  // before the origin's digits; empty: no such line
    const char* lineStart;
    const char* separator;
    const char* bytePrefix;  // nullptr: decimal
};

const SourceSyntax& syntaxOf(SourceFormat format) {
    static constexpr SourceSyntax acme{"* = $", "!byte ", ",", "$"};
    static constexpr SourceSyntax ca65{".org $", ".byte ", ",", "$"};
    static constexpr SourceSyntax tass64{"* = $", ".byte ", ",", "$"};
    static constexpr SourceSyntax xa{"* = $", ".byt ", ",", "$"};
    static constexpr SourceSyntax c{"", "  ", ", ", "0x"};
    static constexpr SourceSyntax basic{"", " DATA ", ",", nullptr};
    switch (format) {
    case SourceFormat::ca65: return ca65;
    case SourceFormat::tass64: return tass64;
    case SourceFormat::xa: return xa;
    case SourceFormat::c: return c;
    case SourceFormat::basic: return basic;
    case SourceFormat::acme: break;
    }
    return acme;
}

bool isNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

std::optional<SourceFormat> sourceFormatNamed(const std::string& name) {
    for (const SourceFormatName& entry : sourceFormatNames) {
        if (name == entry.name) return entry.format;
    }
    return std::nullopt;
}

// Assembler lines of 16 bytes stay within 80 characters, as do C's 12 (the
// width of xxd -i).
std::uint64_t defaultSourceWidth(SourceFormat format) {
    switch (format) {
    case SourceFormat::c: return 12;
    default: return 16;
    }
}

std::string cArrayName(const std::string& inputName) {
    std::string name;
    for (const char c : inputName) name += isNameCharacter(c) && static_cast<unsigned char>(c) < 0x80 ? c : '_';
    const auto first = name.find_first_not_of('_');
    if (first == std::string::npos) return "data";
    name = name.substr(first, name.find_last_not_of('_') - first + 1);
    if (std::isdigit(static_cast<unsigned char>(name.front()))) name.insert(0, "data_");
    return name;
}

SourceText::SourceText(SourceFormat format, const LineFormat& look, std::optional<std::uint64_t> origin,
                       const std::string& inputName, std::uint64_t* nextBasicLine, std::ostream& out)
    : format_(format),
      width_(static_cast<std::size_t>(look.width)),
      digits_(look.upperCaseHex ? "0123456789ABCDEF" : "0123456789abcdef"),
      origin_(origin),
      name_(cArrayName(inputName)),
      basicLine_(nextBasicLine ? *nextBasicLine : ownBasicLine_),
      out_(out) {
    line_.reserve(width_);
}

// A line is written once a byte after it has arrived: C's last line has no
// comma after it.
void SourceText::add(const std::uint8_t* bytes, std::size_t n) {
    while (n > 0 && !failed()) {
        if (line_.size() == width_) writeLine(false);
        if (failed()) return;
        const std::size_t taken = std::min(width_ - line_.size(), n);
        line_.insert(line_.end(), bytes, bytes + taken);
        bytes += taken;
        n -= taken;
    }
}

// No byte, no source: nothing is written for an input that shows none.
void SourceText::endAt(std::uint64_t) {
    if (line_.empty() || failed()) return;
    writeLine(true);
    if (failed()) return;
    const std::string count = std::to_string(written_);
    if (format_ == SourceFormat::c) {
        out_ << "};\nunsigned int " << name_ << "_len = " << count << ";\n";
        if (origin_) out_ << "unsigned int " << name_ << "_origin = 0x" << number(*origin_, 4) << ";\n";
    } else if (format_ == SourceFormat::basic && origin_ && takeBasicLine()) {
        // The bytes go to their address; a loader after its DATA lines
        // still reads them first, and each input's loader reads its own.
        const std::uint64_t last = *origin_ + written_ - 1;
        out_ << basicLine_ - basicLineStep << " FOR A=" << *origin_ << " TO " << last << ":READ B:POKE A,B:NEXT\n";
    }
}

void SourceText::flush() {
    if (out_) out_.flush();
}

std::optional<std::string> SourceText::fault() const {
    if (!full_) return std::nullopt;
    return "too many bytes for BASIC lines up to " + std::to_string(lastBasicLine);
}

void SourceText::begin() {
    begun_ = true;
    if (format_ == SourceFormat::c) {
        out_ << "unsigned char " << name_ << "[] = {\n";
        return;
    }
    const SourceSyntax& syntax = syntaxOf(format_);
    if (origin_ && *syntax.originLine != '\0') out_ << syntax.originLine << number(*origin_, 4) << '\n';
}

// Takes the next BASIC line number; false once they have run out.
bool SourceText::takeBasicLine() {
    if (basicLine_ > lastBasicLine) {
        full_ = true;
        return false;
    }
    basicLine_ += basicLineStep;
    return true;
}

void SourceText::writeLine(bool last) {
    if (!begun_) begin();
    const SourceSyntax& syntax = syntaxOf(format_);
    std::string text;
    if (format_ == SourceFormat::basic) {
        if (!takeBasicLine()) return;
        text = std::to_string(basicLine_ - basicLineStep);
    }
    text += syntax.lineStart;
    for (std::size_t i = 0; i < line_.size(); ++i) {
        if (i > 0) text += syntax.separator;
        if (syntax.bytePrefix) {
            text += syntax.bytePrefix;
            text += number(line_[i], 2);
        } else {
            text += std::to_string(line_[i]);
        }
    }
    if (format_ == SourceFormat::c && !last) text += ',';
    text += '\n';
    out_ << text;
    written_ += line_.size();
    line_.clear();
}

// Hexadecimal, at least `digits` digits.
std::string SourceText::number(std::uint64_t value, std::size_t digits) const {
    std::string text;
    do {
        text.insert(text.begin(), digits_[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    return text;
}
