// The kinds of container, one row each: how a file of the kind is
// recognised, the extensions its files are named with, and what the message
// calls a file so named that is no such container. The kinds with a
// signature are asked first, then the sector images, which only their size
// tells apart.

#include "containers/container_kinds.hpp"

#include <algorithm>
#include <cerrno>

#include "files/file.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

struct ContainerKind {
    Recognizer recognize;
    // In lower case, each with its dot; "#" stands for any digit.
    const char* extensions;
    const char* whatItIsNot;
};

constexpr ContainerKind kinds[] = {
    // by signature
    {recognizeCartridgeImage, ".crt", "a cartridge image"},
    {recognizeTapFile, ".tap", "a TAP file"},
    {recognizeT64Archive, ".t64", "a T64 tape archive"},
    {recognizePc64File, ".p## .s## .u## .r## .d##", "a PC64 file"},
    {recognizeLynxArchive, ".lnx", "a Lynx archive"},
    {recognizeGcrImage, ".g64 .g71", "a GCR disk image"},
    // by size
    {recognizeDiskImage, ".d64 .d71 .d81 .d80 .d82", "a disk image of a known size"},
};

std::unique_ptr<Container> recognize(const std::shared_ptr<disk::ImageFile>& file, const std::string& argument) {
    for (const ContainerKind& kind : kinds) {
        if (auto container = kind.recognize(file, argument)) return container;
    }
    return nullptr;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

bool sameExtension(const std::string& known, const std::string& extension) {
    if (known.size() != extension.size()) return false;
    for (std::size_t i = 0; i < known.size(); ++i) {
        if (known[i] != extension[i] && !(known[i] == '#' && isDigit(extension[i]))) return false;
    }
    return true;
}

// Whether one of the kind's extensions is this one: those spelled out, or
// those with digits left open.
bool namesKind(const ContainerKind& kind, const std::string& extension, bool withOpenDigits) {
    const std::string extensions = kind.extensions;
    for (std::size_t at = 0; at < extensions.size();) {
        const std::size_t end = std::min(extensions.find(' ', at), extensions.size());
        const std::string known = extensions.substr(at, end - at);
        const bool open = known.find('#') != std::string::npos;
        if (open == withOpenDigits && sameExtension(known, extension)) return true;
        at = end + 1;
    }
    return false;
}

// The kind the path's extension names, if any. An extension spelled out
// wins over one with open digits: .d64 is a disk image, .d01 a PC64 file.
const ContainerKind* namedKindOf(const std::string& path) {
    constexpr std::size_t extensionLength = 4;
    if (path.size() < extensionLength) return nullptr;
    const std::string extension = lowerCase(path.substr(path.size() - extensionLength));
    for (const bool withOpenDigits : {false, true}) {
        for (const ContainerKind& kind : kinds) {
            if (namesKind(kind, extension, withOpenDigits)) return &kind;
        }
    }
    return nullptr;
}

// Why a file whose name says it is a container of some kind is no
// container: nothing when the name says no kind.
std::optional<cli::Msg> notAsNamed(const std::string& path, const std::string& argument, std::uint64_t size) {
    const ContainerKind* kind = namedKindOf(path);
    if (!kind) return std::nullopt;
    return pathMessage(argument, "': not " + std::string(kind->whatItIsNot) + " (" + std::to_string(size) + " bytes)");
}

}  // namespace

bool namedAsContainer(const std::string& path) { return namedKindOf(path) != nullptr; }

// Anything else than a regular file refuses the selector, and so does a file
// that is no container, unless its name says it was meant as one.
std::optional<cli::Msg> openContainer(const std::string& path, const std::string& argument,
                                      std::unique_ptr<Container>& container) {
    const std::optional<std::uint64_t> size = regularFileSize(path);
    if (!size) return selectorRefused(argument);
    if (auto problem = checkFileExistsReadable(path)) {
        if (isDiskImageSize(*size) || namedAsContainer(path)) return problem;
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
