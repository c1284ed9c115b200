// The messages of the file layer.

#include "files/file_messages.hpp"

#include <ostream>
#include <utility>

#include "console/console_string.hpp"

namespace nuk {

cli::Msg pathMessage(const std::string& path, const std::string& suffix, std::int32_t severity) {
    cli::Msg message;
    message.severity = severity;
    message.writer = [path, suffix](std::ostream& out) {
        out << '\'' << con::ConsoleString(cli::oneLine(path)) << suffix;
    };
    return message;
}

cli::Msg pathMessageWithCode(const std::string& path, const std::string& suffix, std::int64_t code) {
    return pathMessage(path, suffix + std::to_string(code));
}

cli::Msg openFailed(const std::string& path, int errorNumber) {
    return pathMessageWithCode(path, "': unknown error while opening for read: ", errorNumber);
}

cli::Msg readFailed(const std::string& path, int errorNumber) {
    return pathMessageWithCode(path, "': unknown error during read: ", errorNumber);
}

}  // namespace nuk
