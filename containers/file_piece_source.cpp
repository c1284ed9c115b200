// Reading a file from its place in its container's file.

#include "containers/file_piece_source.hpp"

#include <algorithm>
#include <cerrno>
#include <utility>


namespace nuk {

namespace {

class FilePieceSource final : public BlockSource {
public:
    FilePieceSource(std::shared_ptr<disk::ImageFile> file, const FilePiece& piece, std::string argument,
                    PieceCutShort cutShort)
        : file_(std::move(file)),
          argument_(std::move(argument)),
          cutShort_(std::move(cutShort)),
          loadAddress_(piece.loadAddress.value_or(0)),
          headSize_(piece.loadAddress ? 2 : 0),
          offset_(piece.offset),
          expected_(headSize_ + piece.length) {
        const std::uint64_t fileSize = file_->size();
        const std::uint64_t there = offset_ >= fileSize ? 0 : std::min(piece.length, fileSize - offset_);
        end_ = headSize_ + there;
    }

    std::optional<std::uint64_t> size() const override {
        if (cut()) return std::nullopt;
        return end_;
    }

    // Known as a FILE's is, so a seek from the end passes over the bytes
    // before it instead of holding them back.
    std::optional<std::uint64_t> remaining() const override {
        if (cut()) return std::nullopt;
        return end_ - position_;
    }

protected:
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        std::size_t done = 0;
        for (; done < n && position_ < headSize_; ++done, ++position_)
            into[done] = static_cast<std::uint8_t>(loadAddress_ >> (8 * position_));
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n - done, end_ - position_));
        if (take > 0) {
            if (!file_->readAt(offset_ + position_ - headSize_, into + done, take)) {
                failure_ = disk::imageReadFailed(argument_, errno);
                return done;
            }
            done += take;
            position_ += take;
        }
        if (done == 0 && cut()) failure_ = cutShort_(end_, expected_);
        return done;
    }

    std::uint64_t skipBytes(std::uint64_t n) override {
        const std::uint64_t passed = std::min(n, end_ - position_);
        position_ += passed;
        if (passed < n && cut()) failure_ = cutShort_(end_, expected_);
        return passed;
    }

private:
    bool cut() const { return end_ < expected_; }

    const std::shared_ptr<disk::ImageFile> file_;
    const std::string argument_;
    const PieceCutShort cutShort_;
    const std::uint16_t loadAddress_;
    const std::uint64_t headSize_;  // 2 with a load address kept apart, else 0
    const std::uint64_t offset_;
    const std::uint64_t expected_;  // bytes the piece should deliver
    std::uint64_t end_;             // just past the last byte the file holds
    std::uint64_t position_ = 0;    // in what the piece delivers
};

}  // namespace

std::unique_ptr<BlockSource> openFilePiece(std::shared_ptr<disk::ImageFile> file, const FilePiece& piece,
                                           std::string argument, PieceCutShort cutShort) {
    return std::make_unique<FilePieceSource>(std::move(file), piece, std::move(argument), std::move(cutShort));
}

}  // namespace nuk
