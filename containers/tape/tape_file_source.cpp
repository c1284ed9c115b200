// Reading a file from a tape: a program is held whole (at most 64 KiB), a
// data file is decoded a block at a time.

#include "containers/tape/tape_file_source.hpp"

#include <utility>
#include <vector>

#include "containers/refilled_source.hpp"
#include "containers/tape/rom_tape_format.hpp"
#include "containers/tape/tape_faults.hpp"

namespace nuk::tape {

namespace {

// Hands out the bytes of one piece after another; a piece that cannot come
// ends the file with its message.
class TapeFileSource : public RefilledSource {
protected:
    // The next bytes, false at the end of the file (failure_ set when it is
    // damaged there).
    virtual bool nextPiece(std::vector<std::uint8_t>& piece) = 0;

private:
    bool refill() final {
        piece_.clear();
        if (!nextPiece(piece_)) return false;
        handOut(piece_.data(), piece_.size());
        return true;
    }

    std::vector<std::uint8_t> piece_;
};

class ProgramSource final : public TapeFileSource {
public:
    ProgramSource(const TapHeader& header, const TapeFile& file, const std::string& argument) : file_(file) {
        if (!file.program) {
            problem_ = noDataBlock(argument, header, file.headerEnd);
        } else if (file.program->damage) {
            problem_ = tapeDamaged(argument, header, *file.program->damage, BlockRole::data);
        }
    }

    std::optional<std::uint64_t> size() const override {
        if (problem_) return std::nullopt;
        return 2 + std::uint64_t{file_.length};
    }

    std::optional<std::uint64_t> remaining() const override {
        if (problem_) return std::nullopt;
        return *size() - handedOut();
    }

private:
    bool nextPiece(std::vector<std::uint8_t>& piece) override {
        if (delivered_) {
            failure_ = problem_;
            return false;
        }
        delivered_ = true;
        piece = {static_cast<std::uint8_t>(file_.start & 0xFF), static_cast<std::uint8_t>(file_.start >> 8)};
        if (file_.program) piece.insert(piece.end(), file_.program->data.begin(), file_.program->data.end());
        return true;
    }

    const TapeFile file_;
    std::optional<cli::Msg> problem_;
    bool delivered_ = false;
};

class DataFileSource final : public TapeFileSource {
public:
    DataFileSource(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, const TapeFile& tapeFile,
                   std::string argument)
        : header_(header), argument_(std::move(argument)), reader_(std::move(file), header, tapeFile.dataFrom) {}

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

private:
    // A damaged block's bytes come out before its message.
    bool nextPiece(std::vector<std::uint8_t>& piece) override {
        if (problem_) {
            failure_ = problem_;
            return false;
        }
        std::optional<RecordCopies> record = reader_.nextRecord();
        if (!record || !isDataFileBlock(*record)) return false;
        const Record block = mend(*record, dataFileBlockLength);
        if (block.data.size() > 1) piece.assign(block.data.begin() + 1, block.data.end());
        if (block.damage) {
            problem_ = tapeDamaged(argument_, header_, *block.damage, BlockRole::data);
            if (piece.empty()) return nextPiece(piece);
        }
        return true;
    }

    const TapHeader header_;
    std::optional<cli::Msg> problem_;
    const std::string argument_;
    RomTapeReader reader_;
};

}  // namespace

std::unique_ptr<BlockSource> openTapeFile(std::shared_ptr<disk::ImageFile> file, const TapHeader& header,
                                          const TapeFile& tapeFile, std::string argument) {
    if (tapeFile.dataFile)
        return std::make_unique<DataFileSource>(std::move(file), header, tapeFile, std::move(argument));
    return std::make_unique<ProgramSource>(header, tapeFile, argument);
}

}  // namespace nuk::tape
