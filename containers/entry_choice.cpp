// Choosing an entry of any container, and opening it or the listing.

#include "containers/entry_choice.hpp"

#include <utility>

#include "containers/container.hpp"
#include "containers/directory_listing.hpp"

namespace nuk::disk {

bool EntryChoice::chooses(const ListedEntry& entry, std::size_t place) const {
    if (number_ > 0) return place == number_;
    return entry.fileType() != fileType::del && pattern_.matches(entry.name);
}

std::optional<cli::Msg> walkTo(EntryReader& walk, const EntryChoice& choice, const Container& container) {
    std::size_t seen = 0;
    while (const std::optional<ListedEntry> entry = walk.nextListed()) {
        if (choice.chooses(*entry, ++seen)) return std::nullopt;
    }
    return nothingFound(walk, seen, container);
}

cli::Msg nothingFound(const EntryReader& walk, std::size_t entriesSeen, const Container& container) {
    const std::optional<cli::Msg>& failure = walk.failure();
    if (failure && failure->severity != cli::severityNote) return *failure;
    return container.noSuchEntry(entriesSeen);
}

std::optional<cli::Msg> openChosen(Container& container, const EntryChoice& choice,
                                   std::unique_ptr<BlockSource>& source) {
    std::unique_ptr<EntryReader> walk;
    if (auto refusal = container.entries(walk)) return refusal;
    if (auto problem = walkTo(*walk, choice, container)) return problem;
    source = walk->openLast();
    return std::nullopt;
}

std::optional<cli::Msg> openListing(Container& container, std::optional<NamePattern> pattern,
                                    std::unique_ptr<BlockSource>& source) {
    DiskHeader header;
    if (auto problem = container.readHeader(header)) return problem;
    std::unique_ptr<EntryReader> walk;
    if (auto refusal = container.entries(walk)) return refusal;
    source = openDirectoryListing(header, std::move(walk), std::move(pattern));
    return std::nullopt;
}

}  // namespace nuk::disk
