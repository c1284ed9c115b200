// Opening one input and handing it to the handler, which reads what it needs
// through the record's source. The input stays open only while the handler
// runs, so at most one is open at a time.

#include "files/file.hpp"

namespace nuk {

std::optional<cli::Msg> processFile(const std::string& path, const FileHandler& handler) {
    file_t file;
    if (auto problem = checkFileExistsReadable(path)) return problem;
    if (auto problem = openFile(path, file)) return problem;
    return handler(file);
}

std::optional<cli::Msg> processStdin(const FileHandler& handler, ReadAhead readAhead) {
    file_t file;
    if (auto problem = openStdin(file, readAhead)) return problem;
    return handler(file);
}

}  // namespace nuk
