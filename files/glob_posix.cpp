// Sending one FILE argument to the handler for what it names. No wildcard
// matching: the shell has already expanded the patterns.

#include <cerrno>

#include <sys/stat.h>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/path_errors_posix.hpp"

namespace nuk {

namespace {

cli::Msg namesNothing(const std::string& path, int errorNumber) {
    // A component that is not a directory ("a.prg/x") means the path names
    // nothing; a dangling link already fails with ENOENT.
    if (errorNumber == ENOTDIR) errorNumber = ENOENT;
    return pathErrorMessage(path, errorNumber);
}

}  // namespace

// The shell has expanded the patterns: an argument is one path, with no
// matches to tell about.
std::optional<cli::Msg> glob(const std::string& argument, PathHandler onFile, DirectoryHandler onDirectory,
                             MatchMessageHandler) {
    struct stat info;
    if (::stat(argument.c_str(), &info) != 0) return namesNothing(argument, errno);
    if (S_ISDIR(info.st_mode)) return onDirectory(argument, onFile);
    // A pipe is read to its end like standard input and dumped under its path.
    if (S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode)) return onFile(argument);
    return pathMessage(argument, "': not a regular file");
}

}  // namespace nuk
