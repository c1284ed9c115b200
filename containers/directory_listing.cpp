// The listing of a container as a BASIC program, as a drive gives a disk's directory.

#include "containers/directory_listing.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "containers/refilled_source.hpp"

namespace nuk::disk {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t loadAddress = 0x0401;
constexpr std::size_t entryTextLength = 27;  // so that an entry line is 32 bytes
constexpr std::uint8_t reverseOn = 0x12;
constexpr char typeNames[][4] = {"DEL", "SEQ", "PRG", "USR", "REL", "CBM"};

std::uint8_t shownAsSpace(std::uint8_t byte) { return byte == namePadding ? ' ' : byte; }

void appendText(Bytes& text, const char* ascii) {
    for (; *ascii; ++ascii) text.push_back(static_cast<std::uint8_t>(*ascii));
}

Bytes headerText(const DiskHeader& header) {
    Bytes text{reverseOn, '"'};
    for (std::uint8_t byte : header.name) text.push_back(shownAsSpace(byte));
    text.push_back('"');
    text.push_back(' ');
    for (std::uint8_t byte : header.idAndDosType) text.push_back(shownAsSpace(byte));
    return text;
}

// The drive puts the opening quote in the same column for 0 to 999 blocks,
// and the closing quote where the name's first padding byte was.
Bytes entryText(const ListedEntry& entry) {
    Bytes text(1 + (entry.blocks < 100) + (entry.blocks < 10), ' ');
    const std::size_t length = nameLength(entry.name);
    text.push_back('"');
    text.insert(text.end(), entry.name.begin(), entry.name.begin() + length);
    text.push_back('"');
    for (std::size_t i = length + 1; i < entry.name.size(); ++i) text.push_back(shownAsSpace(entry.name[i]));
    if (length < entry.name.size()) text.push_back(' ');  // where the quote stands after a full name
    text.push_back(entry.closed() ? ' ' : '*');
    appendText(text, entry.fileType() < std::size(typeNames) ? typeNames[entry.fileType()] : "???");
    text.push_back(entry.locked() ? '<' : ' ');
    text.resize(std::max(text.size(), entryTextLength), ' ');
    return text;
}

class DirectoryListing final : public RefilledSource {
public:
    DirectoryListing(const DiskHeader& header, std::unique_ptr<EntryReader> entries, std::optional<NamePattern> pattern)
        : header_(header), pattern_(std::move(pattern)), entries_(std::move(entries)) {
        pending_ = {loadAddress & 0xFF, loadAddress >> 8};
        appendLine(0, headerText(header_));
    }

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

private:
    // The load address and the header line first, made with the listing.
    bool refill() override {
        if (!startHandedOut_) {
            startHandedOut_ = true;
            tellPlace(entries_->placeOfHeader());
            handOut(pending_.data(), pending_.size());
            return true;
        }
        return makeMoreLines();
    }

    // The next entry's line, or the closing lines at the end of the
    // directory; false when everything has been made or the directory broke.
    bool makeMoreLines() {
        if (finished_) return false;
        pending_.clear();
        while (auto entry = entries_->nextListed()) {
            if (pattern_ && !pattern_->matches(entry->name)) continue;
            tellPlace(entries_->placeOfLastEntry());
            appendLine(entry->blocks, entryText(*entry));
            handOut(pending_.data(), pending_.size());
            return true;
        }
        finished_ = true;
        // A directory that comes back to a sector has listed every entry
        // once by then, so the listing closes as the drive's would; a chain
        // that breaks leaves the listing cut off where it broke. A note
        // about the end of the entries breaks nothing.
        failure_ = entries_->failure();
        if (failure_ && failure_->severity != cli::severityNote && !entries_->looped()) return false;
        Bytes text;
        appendText(text, "BLOCKS FREE.             ");
        appendLine(static_cast<std::uint16_t>(header_.freeBlocks), text);
        pending_.insert(pending_.end(), {0, 0});
        handOut(pending_.data(), pending_.size());
        return true;
    }

    // The lines from here on come from another place of the container
    // (another directory sector).
    void tellPlace(const std::string& place) {
        if (place.empty() || place == lastPlace_) return;
        lastPlace_ = place;
        if (notes_) notes_->placeBegins(handedOut(), place);
    }

    void appendLine(std::uint16_t number, const Bytes& text) {
        const std::size_t length = 2 + 2 + text.size() + 1;
        nextLineAddress_ = static_cast<std::uint16_t>(nextLineAddress_ + length);
        pending_.insert(pending_.end(), {static_cast<std::uint8_t>(nextLineAddress_ & 0xFF),
                                         static_cast<std::uint8_t>(nextLineAddress_ >> 8),
                                         static_cast<std::uint8_t>(number & 0xFF), static_cast<std::uint8_t>(number >> 8)});
        pending_.insert(pending_.end(), text.begin(), text.end());
        pending_.push_back(0);
    }

    const DiskHeader header_;
    const std::optional<NamePattern> pattern_;
    const std::unique_ptr<EntryReader> entries_;
    Bytes pending_;  // the lines being handed out
    bool startHandedOut_ = false;
    std::uint16_t nextLineAddress_ = loadAddress;
    bool finished_ = false;
    std::string lastPlace_;
};

}  // namespace

std::unique_ptr<BlockSource> openDirectoryListing(const DiskHeader& header, std::unique_ptr<EntryReader> entries,
                                                  std::optional<NamePattern> pattern) {
    return std::make_unique<DirectoryListing>(header, std::move(entries), std::move(pattern));
}

}  // namespace nuk::disk
