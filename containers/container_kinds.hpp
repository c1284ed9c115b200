#pragma once
// The kinds of container and how each is recognised. A kind with a signature
// is known by its content, a sector image by its size alone; the extension
// never decides, it only names what a file that is none of them was meant
// to be. A new kind is its recogniser, declared here, and one row of the
// table in container_kinds.cpp.

#include <memory>
#include <string>

#include "containers/container.hpp"
#include "containers/image_file.hpp"

namespace nuk {

// The container the file holds when it is of the recognizer's kind, nothing
// when it is not. `argument` ("path:selector") names it in its messages.
using Recognizer = std::unique_ptr<Container> (*)(const std::shared_ptr<disk::ImageFile>& file,
                                                  const std::string& argument);

// Cartridge images (.crt), by the signature their header starts with.
std::unique_ptr<Container> recognizeCartridgeImage(const std::shared_ptr<disk::ImageFile>& file,
                                                   const std::string& argument);

// T64 tape archives, by one of the signatures their header starts with.
std::unique_ptr<Container> recognizeT64Archive(const std::shared_ptr<disk::ImageFile>& file,
                                               const std::string& argument);

// TAP files (recorded tape pulses), by their signature "C64-TAPE-RAW".
std::unique_ptr<Container> recognizeTapFile(const std::shared_ptr<disk::ImageFile>& file,
                                            const std::string& argument);

// PC64 files, by their signature "C64File".
std::unique_ptr<Container> recognizePc64File(const std::shared_ptr<disk::ImageFile>& file,
                                             const std::string& argument);

// Lynx archives, by their BASIC program and the "LYNX" in their directory.
std::unique_ptr<Container> recognizeLynxArchive(const std::shared_ptr<disk::ImageFile>& file,
                                                const std::string& argument);

// G64 and G71 images, by their signature.
std::unique_ptr<Container> recognizeGcrImage(const std::shared_ptr<disk::ImageFile>& file,
                                             const std::string& argument);

// D64, D71, D81, D80 and D82 images, by their size.
std::unique_ptr<Container> recognizeDiskImage(const std::shared_ptr<disk::ImageFile>& file,
                                              const std::string& argument);
// Whether a file of this size is taken for such an image: one that cannot
// be read then says why rather than refusing the selector.
bool isDiskImageSize(std::uint64_t size);

}  // namespace nuk
