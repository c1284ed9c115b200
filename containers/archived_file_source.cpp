// Reading an entry of an archive from its place in the archive file.

#include "containers/archived_file_source.hpp"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "containers/archive_faults.hpp"
#include "containers/disk_faults.hpp"

namespace nuk::archive {

namespace {

class ArchivedFileSource final : public BlockSource {
public:
    ArchivedFileSource(std::shared_ptr<disk::ImageFile> file, const ArchivedFile& entry, std::string argument)
        : file_(std::move(file)), argument_(std::move(argument)), position_(entry.offset) {
        if (entry.loadAddress) {
            head_[0] = static_cast<std::uint8_t>(*entry.loadAddress & 0xFF);
            head_[1] = static_cast<std::uint8_t>(*entry.loadAddress >> 8);
            headLeft_ = 2;
        }
        const std::uint64_t fileSize = file_->size();
        const std::uint64_t there = entry.offset >= fileSize ? 0 : std::min(entry.length, fileSize - entry.offset);
        end_ = entry.offset + there;
        if (there < entry.length) missing_ = entry.length - there;
        expected_ = headLeft_ + entry.length;
    }

    std::optional<std::uint64_t> size() const override {
        if (missing_ != 0) return std::nullopt;
        return expected_;
    }

    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        std::size_t done = 0;
        for (; headLeft_ > 0 && done < n; --headLeft_) into[done++] = head_[2 - headLeft_];
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n - done, end_ - position_));
        if (take > 0) {
            if (!file_->readAt(position_, into + done, take)) {
                failure_ = disk::imageReadFailed(argument_, errno);
                return done;
            }
            position_ += take;
            done += take;
        }
        if (done == 0 && missing_ != 0) failure_ = endsInsideEntry(argument_, expected_ - missing_, expected_);
        return done;
    }

private:
    const std::shared_ptr<disk::ImageFile> file_;
    const std::string argument_;
    std::uint8_t head_[2] = {0, 0};
    std::size_t headLeft_ = 0;  // load address bytes still to hand out
    std::uint64_t position_;    // in the archive file
    std::uint64_t end_;         // just past the entry's last byte the file holds
    std::uint64_t missing_ = 0;
    std::uint64_t expected_;
};

}  // namespace

std::unique_ptr<BlockSource> openArchivedFile(std::shared_ptr<disk::ImageFile> file, const ArchivedFile& entry,
                                              const std::string& argument) {
    return std::make_unique<ArchivedFileSource>(std::move(file), entry, argument);
}

}  // namespace nuk::archive
