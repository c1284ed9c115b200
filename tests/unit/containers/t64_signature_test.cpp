#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "containers/container_kinds.hpp"

namespace {

// An image file held in memory.
class BytesFile final : public nuk::disk::ImageFile {
public:
    explicit BytesFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) override {
        if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
        std::memcpy(into, bytes_.data() + offset, n);
        return true;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// A T64 of no entries whose 32-byte signature field holds `signature`, padded.
std::shared_ptr<nuk::disk::ImageFile> archiveSigned(const std::string& signature, std::uint8_t padding) {
    std::vector<std::uint8_t> bytes(0x40, 0);
    std::fill_n(bytes.begin(), 32, padding);
    std::memcpy(bytes.data(), signature.data(), signature.size());
    return std::make_shared<BytesFile>(std::move(bytes));
}

struct SignatureCase {
    const char* signature;
    std::uint8_t padding;
    bool isT64;
};

TEST(T64Archive, KnownByTheSignaturesArchivesStartWith) {
    const SignatureCase cases[] = {
        {"C64 tape image file", 0x00, true},
        {"C64 tape image file", ' ', true},
        {"C64S tape file", 0x00, true},
        {"C64S tape file", ' ', true},
        {"C64S tape image file", 0x00, true},
        {"C64S tape image file", ' ', true},
        {"C64-TAPE-RAW", 0x00, false},  // a TAP file: recorded pulses, no archive
        {"C64File", 0x00, false},        // a PC64 file
        {"C64 CARTRIDGE   ", 0x00, false},
        {"C64 tape", 0x00, false},
    };
    for (const SignatureCase& c : cases) {
        const auto container = nuk::recognizeT64Archive(archiveSigned(c.signature, c.padding), "x.t64:$");
        EXPECT_EQ(container != nullptr, c.isT64) << "signature '" << c.signature << "', padding " << int{c.padding};
    }
}

}  // namespace
