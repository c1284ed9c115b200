// Which kind of container a file is: the kinds with a signature are asked
// first, then the sector images, which only their size tells apart.

#include "containers/container.hpp"

#include <cerrno>

#include "containers/container_kinds.hpp"
#include "containers/disk_image.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

constexpr Recognizer recognizers[] = {
    // by signature
    recognizeCartridgeImage,
    recognizeTapFile,
    recognizeT64Archive,
    recognizePc64File,
    recognizeLynxArchive,
    recognizeGcrImage,
    // by size
    recognizeDiskImage,
};

std::unique_ptr<Container> recognize(const std::shared_ptr<disk::ImageFile>& file, const std::string& argument) {
    for (const Recognizer recognizer : recognizers) {
        if (auto container = recognizer(file, argument)) return container;
    }
    return nullptr;
}

}  // namespace

// Anything else than a regular file refuses the selector, and so does a file
// that is no container, unless its name says it was meant as one.
std::optional<cli::Msg> openContainer(const std::string& path, const std::string& argument,
                                      std::unique_ptr<Container>& container) {
    const std::optional<std::uint64_t> size = disk::regularFileSize(path);
    if (!size) return selectorRefused(argument);
    if (auto problem = checkFileExistsReadable(path)) {
        if (disk::layoutForSize(*size) || namedAsContainer(path)) return problem;
        return selectorRefused(argument);
    }
    std::shared_ptr<disk::ImageFile> file = disk::openImageFile(path, *size);
    if (!file) return pathMessageWithCode(path, "': unknown error while opening for read: ", errno);
    container = recognize(file, argument);
    if (container) return std::nullopt;
    if (auto nearMiss = notAsNamed(path, argument, *size)) return nearMiss;
    return selectorRefused(argument);
}

}  // namespace nuk
