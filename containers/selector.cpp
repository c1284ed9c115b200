// The selector of a FILE argument: where it starts, what it asks of a
// container, and its refusal.

#include "containers/container.hpp"

#include <cstdint>

#include "containers/container_kinds.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

bool isListingRequest(const std::string& selector) { return selector == "$" || selector.rfind("$:", 0) == 0; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

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

// What each extension of a container names, in the words of the message
// about a file so named that is no such container.
struct NamedKind {
    const char* extension;
    const char* whatItIsNot;
};

constexpr NamedKind namedKinds[] = {
    {".d64", "a disk image of a known size"}, {".d71", "a disk image of a known size"},
    {".d81", "a disk image of a known size"}, {".d80", "a disk image of a known size"},
    {".d82", "a disk image of a known size"}, {".g64", "a GCR disk image"},
    {".g71", "a GCR disk image"},             {".t64", "a T64 tape archive"},
    {".lnx", "a Lynx archive"},               {".crt", "a cartridge image"},
    {".tap", "a TAP file"},
};

// The kind the path's extension names, if any: PC64 files are .P00, .S00,
// .U00, .R00, .D00 and the other two-digit numbers.
const char* namedKindOf(const std::string& path) {
    if (path.size() < 4) return nullptr;
    const std::string extension = lowerCase(path.substr(path.size() - 4));
    for (const NamedKind& kind : namedKinds) {
        if (extension == kind.extension) return kind.whatItIsNot;
    }
    const bool pc64 = extension[0] == '.' && std::string("psurd").find(extension[1]) != std::string::npos &&
                      isDigit(extension[2]) && isDigit(extension[3]);
    return pc64 ? "a PC64 file" : nullptr;
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

bool namedAsContainer(const std::string& path) { return namedKindOf(path) != nullptr; }

std::optional<cli::Msg> notAsNamed(const std::string& path, const std::string& argument, std::uint64_t size) {
    const char* kind = namedKindOf(path);
    if (!kind) return std::nullopt;
    return pathMessage(argument, "': not " + std::string(kind) + " (" + std::to_string(size) + " bytes)");
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
