#pragma once
// Test helpers: a scratch directory removed after the test, the text a file
// message prints, and standard input redirected for the length of a test.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "cli/message.hpp"
#include "tests/unit/read_all.hpp"

namespace scratch {

class Directory {
public:
    Directory() {
        char pattern[] = "/tmp/hexloom-files-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~Directory() {
        // A directory left behind in /tmp is no reason to fail a test.
        [[maybe_unused]] int status = std::system(("rm -rf '" + path_ + "'").c_str());
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(*this / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return *this / name;
    }

private:
    std::string path_;
};

// Bytes 0, 1, ..., 255, 0, 1, ...
inline std::vector<std::uint8_t> pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}

// What the message prints after the program name and severity.
inline std::string body(const std::optional<nuk::cli::Msg>& message) {
    if (!message) return "(no message)";
    if (!message->writer) return message->text;
    std::ostringstream out;
    message->writer(out);
    return out.str();
}

// Puts a descriptor (or nothing, for -1) in place of standard input and
// puts the real one back at the end of the scope.
class StdinReplaced {
public:
    explicit StdinReplaced(int descriptor) : saved_(::dup(STDIN_FILENO)) {
        if (descriptor < 0)
            ::close(STDIN_FILENO);
        else
            ::dup2(descriptor, STDIN_FILENO);
    }
    ~StdinReplaced() {
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    StdinReplaced(const StdinReplaced&) = delete;
    StdinReplaced& operator=(const StdinReplaced&) = delete;

private:
    int saved_;
};

}  // namespace scratch
