// The selector of a FILE argument: where it starts, what it asks of a
// container, and its refusal.

#include "containers/container.hpp"

#include <cstdint>

#include "files/file_messages.hpp"

namespace nuk {

namespace {

bool isListingRequest(const std::string& selector) { return selector == "$" || selector.rfind("$:", 0) == 0; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "#N" names the N-th entry in listing order; a number too large for any
// container names none.
std::optional<std::size_t> entryNumber(const std::string& selector) {
    if (selector.size() < 2 || selector[0] != '#') return std::nullopt;
    std::size_t number = 0;
    for (std::size_t i = 1; i < selector.size(); ++i) {
        if (!isDigit(selector[i])) return std::nullopt;
        const std::size_t digit = static_cast<std::size_t>(selector[i] - '0');
        number = number > (SIZE_MAX - digit) / 10 ? SIZE_MAX : number * 10 + digit;
    }
    return number;
}

// "#N" or a name; a "#" that starts no entry number is refused.
std::optional<cli::Msg> choiceOf(const std::string& entry, const std::string& argument,
                                 std::optional<disk::EntryChoice>& choice) {
    if (entry[0] != '#') {
        choice = disk::EntryChoice::named(disk::NamePattern(entry));
        return std::nullopt;
    }
    const std::optional<std::size_t> number = entryNumber(entry);
    if (!number || *number == 0) return pathMessage(argument, "': not an entry number (the first entry is #1)");
    choice = disk::EntryChoice::numbered(*number);
    return std::nullopt;
}

// A selector that starts with "#" is an entry number: a name that starts
// with the character is written "\x23". "NAME@" and "#N@" ask for the
// entry's own sectors.
std::optional<cli::Msg> openSelected(Container& container, const std::string& selector, const std::string& argument,
                                     std::unique_ptr<BlockSource>& source) {
    if (disk::selectsSectors(selector)) {
        const std::optional<disk::SectorSelection> selection = disk::parseSectorSelection(selector);
        if (!selection) return pathMessage(argument, "': not a track and sector (@T/S, @T, @T/S-T/S or %T)");
        return container.openSectors(*selection, argument, source);
    }
    if (isListingRequest(selector)) {
        std::optional<disk::NamePattern> pattern;
        if (selector.size() > 2) pattern.emplace(selector.substr(2));
        return disk::openListing(container, std::move(pattern), source);
    }
    const bool entrySectors = disk::selectsEntrySectors(selector);
    std::optional<disk::EntryChoice> choice;
    if (auto refusal = choiceOf(entrySectors ? selector.substr(0, selector.size() - 1) : selector, argument, choice))
        return refusal;
    if (entrySectors) return container.openEntrySectors(*choice, argument, source);
    return disk::openChosen(container, *choice, source);
}

}  // namespace

std::pair<std::string, std::string> splitSelector(const std::string& argument) {
    // Only a backslash after a drive letter's colon protects that colon.
    const bool drivePath = argument.size() > 2 && argument[1] == ':' && argument[2] == '\\';
    const auto colon = argument.find(':', drivePath ? 2 : 0);
    if (colon == std::string::npos) return {argument, ""};
    return {argument.substr(0, colon), argument.substr(colon + 1)};
}

std::optional<cli::Msg> Container::openSectors(const disk::SectorSelection&, const std::string& argument,
                                               std::unique_ptr<BlockSource>&) {
    return pathMessage(argument, "': no tracks and sectors: not a disk image");
}

std::optional<cli::Msg> Container::openEntrySectors(const disk::EntryChoice&, const std::string& argument,
                                                    std::unique_ptr<BlockSource>&) {
    return pathMessage(argument, "': no tracks and sectors: not a disk image");
}

cli::Msg selectorRefused(const std::string& argument) {
    return pathMessage(argument, "': CBM $electors are not supported");
}

std::optional<cli::Msg> processSelector(const std::string& path, const std::string& selector,
                                        const FileHandler& handler) {
    const std::string argument = path + ":" + selector;
    std::unique_ptr<Container> container;
    if (auto problem = openContainer(path, argument, container)) return problem;
    file_t file;
    if (auto problem = openSelected(*container, selector, argument, file.source)) return problem;
    file.directory = dirName(path);
    file.name = baseName(path) + ":" + selector;
    return handler(file);
}

}  // namespace nuk
