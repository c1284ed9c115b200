// The selector of a FILE argument: where it starts, what it asks of a
// container, and its refusal.

#include "containers/container.hpp"

#include "files/file_messages.hpp"

namespace nuk {

namespace {

bool isListingRequest(const std::string& selector) { return selector == "$" || selector.rfind("$:", 0) == 0; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

std::optional<cli::Msg> openSelected(Container& container, const std::string& selector,
                                     std::unique_ptr<BlockSource>& source) {
    if (!isListingRequest(selector)) return container.openFirstMatch(disk::NamePattern(selector), source);
    std::optional<disk::NamePattern> pattern;
    if (selector.size() > 2) pattern.emplace(selector.substr(2));
    return container.list(std::move(pattern), source);
}

}  // namespace

std::pair<std::string, std::string> splitSelector(const std::string& argument) {
    // Only a backslash after a drive letter's colon protects that colon.
    const bool drivePath = argument.size() > 2 && argument[1] == ':' && argument[2] == '\\';
    const auto colon = argument.find(':', drivePath ? 2 : 0);
    if (colon == std::string::npos) return {argument, ""};
    return {argument.substr(0, colon), argument.substr(colon + 1)};
}

cli::Msg selectorRefused(const std::string& argument) {
    return pathMessage(argument, "': CBM $electors are not supported");
}

bool namedAsContainer(const std::string& path) {
    if (path.size() < 4) return false;
    const std::string extension = lowerCase(path.substr(path.size() - 4));
    return extension == ".d64" || extension == ".d71" || extension == ".d81";
}

std::optional<cli::Msg> processSelector(const std::string& path, const std::string& selector,
                                        const FileHandler& handler) {
    const std::string argument = path + ":" + selector;
    std::unique_ptr<Container> container;
    if (auto problem = openContainer(path, argument, container)) return problem;
    file_t file;
    if (auto problem = openSelected(*container, selector, file.source)) return problem;
    file.directory = dirName(path);
    file.name = baseName(path) + ":" + selector;
    return handler(file);
}

}  // namespace nuk
