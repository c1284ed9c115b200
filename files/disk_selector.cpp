// Serving a selector from a disk image.

#include "files/disk_selector.hpp"

#include <cerrno>
#include <utility>

#include "files/directory_listing.hpp"
#include "files/disk_directory.hpp"
#include "files/disk_faults.hpp"
#include "files/disk_file_source.hpp"
#include "files/file_messages.hpp"
#include "files/image_file.hpp"

namespace nuk {

namespace {

using namespace disk;

bool isDirectoryRequest(const std::string& selector) { return selector == "$" || selector.rfind("$:", 0) == 0; }

// Entries of type DEL are listed but never loaded by name.
std::optional<DirectoryEntry> firstMatch(DirectoryReader& directory, const NamePattern& pattern) {
    while (auto entry = directory.next()) {
        if (entry->fileType() != 0 && pattern.matches(entry->name)) return entry;
    }
    return std::nullopt;
}

std::optional<cli::Msg> openSelected(DiskImage image, const std::string& selector, const std::string& argument,
                                     file_t& file) {
    if (isDirectoryRequest(selector)) {
        DiskHeader header;
        if (auto problem = readHeader(image, argument, header)) return problem;
        std::optional<NamePattern> pattern;
        if (selector.size() > 2) pattern.emplace(selector.substr(2));
        file.source = openDirectoryListing(std::move(image), header, std::move(pattern), argument);
        return std::nullopt;
    }
    DirectoryReader directory(image, argument);
    const std::optional<DirectoryEntry> entry = firstMatch(directory, NamePattern(selector));
    if (directory.failure()) return directory.failure();
    if (!entry) return pathMessage(argument, "': no such file in the disk image");
    file.source = openChainedFile(std::move(image), entry->start, argument);
    return std::nullopt;
}

}  // namespace

bool namedAsDiskImage(const std::string& path) {
    if (path.size() < 4) return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".d64" || extension == ".d71" || extension == ".d81";
}

cli::Msg selectorRefused(const std::string& argument) {
    return pathMessage(argument, "': CBM $electors are not supported");
}

std::optional<cli::Msg> processDiskSelector(const std::string& imagePath, const std::string& selector,
                                            const FileHandler& handler) {
    const std::string argument = imagePath + ":" + selector;
    const std::optional<std::uint64_t> size = regularFileSize(imagePath);
    const std::optional<Layout> layout = size ? layoutForSize(*size) : std::nullopt;
    if (!layout) {
        if (size && namedAsDiskImage(imagePath))
            return pathMessage(argument, "': not a disk image of a known size (" + std::to_string(*size) + " bytes)");
        return selectorRefused(argument);
    }
    if (auto problem = checkFileExistsReadable(imagePath)) return problem;
    std::unique_ptr<ImageFile> imageFile = openImageFile(imagePath, *size);
    if (!imageFile) return pathMessageWithCode(imagePath, "': unknown error while opening for read: ", errno);
    file_t file;
    if (auto problem = openSelected(DiskImage(*layout, std::move(imageFile)), selector, argument, file)) return problem;
    file.directory = dirName(imagePath);
    file.name = baseName(imagePath) + ":" + selector;
    return handler(file);
}

}  // namespace nuk
