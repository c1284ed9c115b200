#pragma once
// Containers of Commodore files: an image or an archive whose entries are
// files of their own. A FILE argument "PATH:SELECTOR" names one entry of the
// container at PATH, or its listing:
//   PATH:NAME        the first entry, in listing order, whose name matches
//   PATH:$           the listing, as the drive delivers the directory
//   PATH:$:PATTERN   the listing of the matching entries only
//   PATH:@T/S ...    a disk's sectors below its files (sector_selection.hpp)
//   PATH:NAME@       the sectors of an entry's own chain, whole
// container_kinds.hpp lists the kinds; a container is known by its content
// or its size, never by its extension.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "cli/message.hpp"
#include "containers/disk_name_pattern.hpp"
#include "containers/entry_choice.hpp"
#include "containers/listed_entry.hpp"
#include "containers/sector_selection.hpp"
#include "files/block_source.hpp"
#include "files/file.hpp"

namespace nuk {

// What a format knows of a container: the header line of its listing, its
// entries in listing order, and, for a disk, the sectors below them. Which
// entry a selector names is chosen in one place for every format
// (entry_choice.hpp); the walk that reaches it opens it.
class Container {
public:
    virtual ~Container() = default;

    // The listing's header line, or why the container cannot be listed.
    virtual std::optional<cli::Msg> readHeader(disk::DiskHeader& header) = 0;
    // A walk through the entries from the first, or why the container
    // cannot be walked at all; each walk reads on its own.
    virtual std::optional<cli::Msg> entries(std::unique_ptr<disk::EntryReader>& walk) = 0;
    // Why no entry is the one asked for, after a walk that saw this many
    // entries and ended without a fault.
    virtual cli::Msg noSuchEntry(std::size_t entriesSeen) const = 0;

    // The sectors below the entries, and the chosen entry's own sectors:
    // only disks have them, every other container refuses.
    virtual std::optional<cli::Msg> openSectors(const disk::SectorSelection& selection, const std::string& argument,
                                                std::unique_ptr<BlockSource>& source);
    virtual std::optional<cli::Msg> openEntrySectors(const disk::EntryChoice& choice, const std::string& argument,
                                                     std::unique_ptr<BlockSource>& source);
};

// The argument split at the colon that starts its selector: ("game.d64",
// "$"); an argument without one, or whose only colon ends it, has an empty
// selector. A colon right after a drive letter and before a backslash is
// part of a Windows path.
std::pair<std::string, std::string> splitSelector(const std::string& argument);

// The refusal of a selector on anything that is no container.
cli::Msg selectorRefused(const std::string& argument);

// The path's name says it was meant as a container (a .d64, .t64, .p00 and
// the other extensions of the known kinds, in any case), whatever it turns
// out to be: one that names nothing is then missing as a FILE would be,
// rather than refused.
bool namedAsContainer(const std::string& path);

// The container at the path, or the message why there is none; `argument`
// ("path:selector") names it in the messages.
std::optional<cli::Msg> openContainer(const std::string& path, const std::string& argument,
                                      std::unique_ptr<Container>& container);

// Opens the container, finds what the selector names and hands it to the
// handler as an input of its own, named "path:selector". Nothing reaches
// the handler when the path is no container, cannot be read or nothing
// matches: the message comes back.
std::optional<cli::Msg> processSelector(const std::string& path, const std::string& selector,
                                        const FileHandler& handler);

}  // namespace nuk
