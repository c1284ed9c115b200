// The dump of one input: which positions it shows and at which addresses,
// with the bytes read from the input's source only as far as they are shown.

#include "dump/dump.hpp"

#include <algorithm>
#include <deque>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "dump/dump_2_lines.hpp"
#include "dump/dump_2_raw.hpp"
#include "dump/dump_2_source.hpp"
#include "files/file_messages.hpp"
#include "files/block_source.hpp"
#include "files/stream_tail.hpp"

namespace {

constexpr std::uint64_t unlimited = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > unlimited - b ? unlimited : a + b;
}

// Addresses grow to five digits once the dump reaches past $FFFF (the
// skipped bytes count as well); longer addresses show their low digits only.
std::size_t addressDigits(std::uint64_t start, std::uint64_t count, std::uint64_t first) {
    return saturatingSum(saturatingSum(start, count), first) <= 0xFFFF ? 4 : 5;
}

std::uint64_t linesFor(std::uint64_t count, std::uint64_t width) { return count == 0 ? 0 : (count - 1) / width + 1; }

// What the settings ask of one input. The number of positions shown depends
// on the input's size, which a stream reveals only at its end.
struct DumpRequest {
    std::uint64_t first = 0;  // index of the first byte shown
    std::uint64_t start = 0;  // address shown for it
    std::optional<std::uint64_t> len;

    // The length is capped by the whole size, not by what is left after the
    // skipped bytes: positions past the end show as missing. Without a
    // length, a first position past the end wraps and shows size positions.
    std::uint64_t countFor(std::uint64_t size) const {
        return len ? std::min(size, *len) : std::min(size, size - first);
    }

    // The address digits of the whole input of `size` bytes.
    std::size_t digitsFor(std::uint64_t size) const { return addressDigits(start, countFor(size), first); }

    // The address digits, if the `arrived` bytes of an input that has not
    // ended yet decide them. Only the bounds of the count are known: it is
    // at least what has arrived past the first position (or up to the
    // length), at most the length.
    std::optional<std::size_t> digitsSoFar(std::uint64_t arrived) const {
        const std::uint64_t least = len ? std::min(arrived, *len) : arrived >= first ? arrived - first : 0;
        if (addressDigits(start, least, first) == 5) return 5;
        if (len && addressDigits(start, *len, first) == 4) return 4;
        return std::nullopt;
    }
};

// The first byte shown, its address and the length, from the settings, the
// seek counted from the start, and, with `load`, the load address read
// little-endian from the first two bytes (a file of one byte has no high
// byte, which counts as 0).
DumpRequest requestFor(const DumpSettings& settings, std::uint64_t seek, const std::uint8_t* head,
                       std::size_t headSize) {
    DumpRequest request;
    request.first = settings.load ? seek + 2 : seek;
    request.start = seek;
    if (settings.load && headSize > 0) request.start += head[0] + 256 * std::uint64_t{headSize > 1 ? head[1] : 0u};
    // Only an explicit start address is reduced to 16 bits; seek and load
    // still decide which byte it belongs to.
    if (settings.start) request.start = *settings.start & 0xFFFF;
    request.len = settings.length;
    return request;
}

// What the source tells about its bytes, kept in order until the bytes it
// is about are shown. The notes of a source are few (a disk's sectors), and
// an input that has them is as long as a disk at most.
class NoteQueue final : public nuk::ByteNotes {
public:
    struct Note {
        std::uint64_t position;
        std::uint64_t missing;  // 0: a place begins
        std::string place;
    };

    void placeBegins(std::uint64_t position, const std::string& place) override {
        notes_.push_back({position, 0, place});
    }
    void missing(std::uint64_t position, std::uint64_t n) override {
        if (n > 0) notes_.push_back({position, n, {}});
    }

    std::deque<Note>& notes() { return notes_; }

private:
    std::deque<Note> notes_;
};

// One input dumped as its bytes are read. A stream's lines are held back only
// while the address width is open, which is at most the first $10000 bytes.
class SourceDump {
public:
    // name: the input's, which C source names its array after.
    SourceDump(nuk::BlockSource& source, const std::string& name, const DumpSettings& settings, std::ostream& out,
               const std::optional<std::string>& placeLinePrefix)
        : input_(source), source_(&source), name_(name), settings_(settings), out_(out),
          width_(settings.format.width), placeLinePrefix_(placeLinePrefix) {
        input_.tellNotesTo(&notes_);
    }
    ~SourceDump() { input_.tellNotesTo(nullptr); }
    SourceDump(const SourceDump&) = delete;
    SourceDump& operator=(const SourceDump&) = delete;

    void run() {
        if (settings_.showsNothing()) return;  // nothing to show, nothing to read
        std::uint8_t head[2] = {0, 0};
        const std::size_t headSize = settings_.load ? nuk::readUpTo(*source_, head, 2) : 0;
        consumed_ = headSize;
        request_ = requestFor(settings_, seekFromStart(), head, headSize);
        passed_ = request_.first;
        // Raw bytes and source code have no address column to wait for.
        if (settings_.raw) {
            lines_ = std::make_unique<RawBytes>(out_);
        } else if (settings_.source) {
            lines_ = std::make_unique<SourceText>(*settings_.source, settings_.format, origin(), name_,
                                                  settings_.nextBasicLine, out_);
        }
        if (const auto size = source_->size()) {
            // The size is known: so is everything else, before reading.
            if (request_.countFor(*size) == 0) return;
            startLines(request_.digitsFor(*size), request_.countFor(*size));
        }
        if (consumed_ < request_.first) consumed_ += source_->skip(request_.first - consumed_);
        readShownBytes();
        if (source_->failure()) {
            showWhatArrived();
            return;
        }
        const std::uint64_t count = request_.countFor(consumed_);
        if (!lines_) {
            if (count == 0) return;
            startLines(request_.digitsFor(consumed_), count);
        }
        lines_->endAt(count);
    }

    // Why the output stopped before the end, when the input is not to blame.
    std::optional<std::string> fault() const { return lines_ ? lines_->fault() : std::nullopt; }

private:
    // Source code starts at the address of its first byte when the bytes
    // have one: their load address or the start address given.
    std::optional<std::uint64_t> origin() const {
        if (settings_.load || settings_.start) return request_.start;
        return std::nullopt;
    }

    // A seek from the end is the seek from the start that reaches the same
    // byte, so every byte keeps the address it has in the whole input. An
    // input that does not tell how much is left is read to its end first,
    // keeping only the bytes that are shown.
    std::uint64_t seekFromStart() {
        if (!settings_.seekFromEnd) return settings_.seek;
        std::optional<std::uint64_t> left = source_->remaining();
        if (!left) {
            tail_ = nuk::keepLastBytes(*source_, consumed_, settings_.seek);
            source_ = tail_.get();
            left = tail_->remaining();
        }
        return *left > settings_.seek ? *left - settings_.seek : 0;
    }

    // A failing read ends the dump where the input broke off: every byte that
    // arrived is shown, the bytes still held back included, and the message
    // that follows says why no more came. No position is shown as missing.
    void showWhatArrived() {
        const std::uint64_t arrived = consumed_ > request_.first ? consumed_ - request_.first : 0;
        if (!lines_) {
            if (arrived == 0) return;
            startLines(addressDigits(request_.start, arrived, request_.first), arrived);
        }
        lines_->endAt(arrived);
    }

    // From the first byte shown to the last, or to the end of the input.
    void readShownBytes() {
        std::uint64_t wanted = request_.len.value_or(unlimited);
        const std::optional<std::uint64_t> size = source_->size();
        if (size) wanted = std::min(wanted, *size > request_.first ? *size - request_.first : 0);
        if (wanted == 0) return;
        const bool stream = !size;
        std::uint64_t shown = 0;
        const auto bufferSize = static_cast<std::size_t>(std::min<std::uint64_t>(nuk::blockSize, wanted));
        const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[bufferSize]);
        while (shown < wanted && !(lines_ && lines_->failed())) {
            const auto ask = static_cast<std::size_t>(std::min<std::uint64_t>(bufferSize, wanted - shown));
            const std::size_t got = source_->read(buffer.get(), ask);
            if (got == 0) return;
            consumed_ += got;
            shown += got;
            add(buffer.get(), got);
            // What has arrived is shown before waiting for more.
            if (stream && lines_) lines_->flush();
        }
    }

    void add(const std::uint8_t* bytes, std::size_t n) {
        if (lines_) {
            pass(bytes, n);
            return;
        }
        held_.insert(held_.end(), bytes, bytes + n);
        if (const auto digits = request_.digitsSoFar(consumed_)) startLines(*digits, request_.len.value_or(unlimited));
    }

    // Starts the lines and passes them the bytes held back until then.
    // mostPositions: the most positions the dump can show, for the size of
    // its output buffer.
    void startLines(std::size_t digits, std::uint64_t mostPositions) {
        if (lines_) return;  // raw bytes or source code, started at once
        lines_ = std::make_unique<DumpLines>(settings_.format, out_, digits, request_.start,
                                             linesFor(mostPositions, width_));
        if (!held_.empty()) pass(held_.data(), held_.size());
        held_ = {};
    }

    // Hands the next bytes shown to the lines, split where the source's
    // notes say: a place begins (its line comes before its first byte
    // shown, also when the bytes before it were skipped), or positions hold
    // no byte.
    void pass(const std::uint8_t* bytes, std::size_t n) {
        std::deque<NoteQueue::Note>& notes = notes_.notes();
        while (n > 0) {
            while (!notes.empty() && notes.front().position <= passed_) {
                NoteQueue::Note& note = notes.front();
                if (note.missing == 0) {
                    pendingPlace_ = std::move(note.place);
                } else if (note.position + note.missing > passed_) {
                    missingUntil_ = note.position + note.missing;
                }
                notes.pop_front();
            }
            std::uint64_t piece = n;
            if (!notes.empty()) piece = std::min(piece, notes.front().position - passed_);
            const bool missing = missingUntil_ > passed_;
            if (missing) piece = std::min(piece, missingUntil_ - passed_);
            if (pendingPlace_) {
                if (placeLinePrefix_) lines_->placeLine(*placeLinePrefix_ + *pendingPlace_);
                pendingPlace_.reset();
            }
            const auto take = static_cast<std::size_t>(piece);
            if (missing)
                lines_->addMissing(take);
            else
                lines_->add(bytes, take);
            bytes += take;
            n -= take;
            passed_ += take;
        }
    }

    nuk::BlockSource& input_;   // tells its notes also while tail_ reads it
    nuk::BlockSource* source_;  // the input, or the end of it that tail_ kept
    const std::string& name_;
    std::unique_ptr<nuk::BlockSource> tail_;
    const DumpSettings& settings_;
    std::ostream& out_;
    const std::uint64_t width_;
    DumpRequest request_;
    std::uint64_t consumed_ = 0;  // bytes taken from the input so far
    std::vector<std::uint8_t> held_;
    std::unique_ptr<DumpOutput> lines_;
    const std::optional<std::string>& placeLinePrefix_;
    NoteQueue notes_;
    std::uint64_t passed_ = 0;        // the position of the next byte handed to the lines
    std::uint64_t missingUntil_ = 0;  // the end of the positions without bytes passed now
    std::optional<std::string> pendingPlace_;
};

}  // namespace

// The input comes as a source to read from rather than as bytes held whole;
// a failing read ends the dump after the bytes that arrived, and its message
// is what this handler returns.
std::optional<nuk::cli::Msg> dumpFile(nuk::BlockSource& source, const InputName& input, const DumpSettings& settings,
                                      std::ostream& out, const std::optional<std::string>& placeLinePrefix) {
    if (settings.format.width == 0) return std::nullopt;  // refused on the command line
    SourceDump dump(source, input.name, settings, out, placeLinePrefix);
    dump.run();
    if (source.failure()) return source.failure();
    if (const auto fault = dump.fault()) {
        return nuk::pathMessage(input.directory + input.name, "': " + *fault, nuk::cli::severityFatal);
    }
    return std::nullopt;
}

void dumpBytes(const std::vector<std::uint8_t>& data, std::uint64_t count, std::uint64_t start, std::uint64_t first,
               const LineFormat& format, std::ostream& out) {
    // Nothing to show prints nothing, like an empty input. Width 0 is refused
    // on the command line; here it would divide the dump into no lines.
    const std::uint64_t width = format.width;
    if (count == 0 || width == 0) return;
    DumpLines lines(format, out, addressDigits(start, count, first), start, linesFor(count, width));
    const std::uint64_t present = first >= data.size() ? 0 : std::min<std::uint64_t>(count, data.size() - first);
    if (present > 0) lines.add(data.data() + static_cast<std::size_t>(first), static_cast<std::size_t>(present));
    lines.endAt(count);
}
