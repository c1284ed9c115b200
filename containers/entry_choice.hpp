#pragma once
// Which entry of a container a selector names, and the one walk that finds
// it, the same for every format: by its place in listing order ("#N") or by
// the first name that matches. Opening the entry, listing the entries and a
// disk's NAME@ and #N@ go through here.

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

#include "cli/message.hpp"
#include "containers/disk_name_pattern.hpp"
#include "containers/listed_entry.hpp"
#include "files/block_source.hpp"

namespace nuk {
class Container;
}  // namespace nuk

namespace nuk::disk {

class EntryChoice {
public:
    // The entry at this place in listing order, counting from 1: every
    // entry the listing shows counts, DEL entries included.
    static EntryChoice numbered(std::size_t number) { return EntryChoice(number, NamePattern("")); }
    // The first entry in listing order that can be loaded by a name that
    // matches: DEL entries are listed but never loaded by name.
    static EntryChoice named(const NamePattern& pattern) { return EntryChoice(0, pattern); }

    // Whether the entry, the `place`-th the walk handed out, is the one.
    bool chooses(const ListedEntry& entry, std::size_t place) const;

private:
    EntryChoice(std::size_t number, NamePattern pattern) : number_(number), pattern_(std::move(pattern)) {}

    std::size_t number_;  // 0: chosen by name
    NamePattern pattern_;
};

// Walks until the walk has handed out the chosen entry, which it can then
// open. Nothing comes back when it has; otherwise what nothingFound() says.
std::optional<cli::Msg> walkTo(EntryReader& walk, const EntryChoice& choice, const Container& container);

// Why a walk that has ended after `entriesSeen` entries holds nothing it was
// asked for: the fault that ended it, or the container's word that no entry
// is the one (a note at the end of the entries breaks nothing).
cli::Msg nothingFound(const EntryReader& walk, std::size_t entriesSeen, const Container& container);

// The chosen entry as an input of its own.
std::optional<cli::Msg> openChosen(Container& container, const EntryChoice& choice,
                                   std::unique_ptr<BlockSource>& source);

// The listing of every entry, or of those whose names match.
std::optional<cli::Msg> openListing(Container& container, std::optional<NamePattern> pattern,
                                    std::unique_ptr<BlockSource>& source);

}  // namespace nuk::disk
