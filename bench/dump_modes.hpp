#pragma once
// Output modes of the formatter as the benchmarks set them up: the same
// switches the command line would set, applied to the process-wide option and
// console objects for the duration of one benchmark and then put back.

#include <cstdint>
#include <string>
#include <vector>

#include "app/options.hpp"

namespace bench {

struct DumpMode {
    nuk::con::TextMode textMode = nuk::con::unicode;
    bool hex0x = false;
    bool turbo = false;
    bool hexUpper = false;
    bool lowercase = false;
    bool color = false;
    std::uint64_t width = 16;
};

// Sets the options and the console as the command line would; restores them
// when it goes out of scope.
class ModeScope {
public:
    explicit ModeScope(const DumpMode& mode);
    ~ModeScope();
    ModeScope(const ModeScope&) = delete;
    ModeScope& operator=(const ModeScope&) = delete;

private:
    struct SavedFlag {
        nuk::cli::Option* option;
        std::string nameAsGiven;
    };
    std::vector<SavedFlag> saved_;
    nuk::con::TextMode savedTextMode_;
    bool savedColor_;

    void setFlag(nuk::cli::Option& option, bool on);
};

// Reproducible pseudo-random bytes (the same generator as the input files).
std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint64_t seed);

}  // namespace bench
