// The whole program on a damaged disk image, archive or cartridge, started as
// a command line
//   hexloom OPTIONS image.d64:SELECTOR
// would start it. The input's first bytes choose the options and the selector
// from the program's own grammar; the rest is the image: a kind (one of the
// sizes the kinds of sector image have, a small G64's, a cartridge in 16 KiB,
// or an archive or a tape, as long as its blocks reach) and blocks of 256 bytes, each a 2-byte block
// index followed by up to 256 bytes; all other blocks are zero. The seeds are
// real images in that form, so the fuzzer mutates whole sectors as well as
// their bytes.
// fuzz/image_inputs.py writes the seeds, and shows any input (a crash, say)
// as its command line and image.
// Standard output and standard error go to /dev/null while the program runs;
// the sanitizers still report through the fuzzer's own standard error.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "app/entry.hpp"
#include "app/options.hpp"
#include "fuzz/fuzz_support.hpp"

extern "C" __attribute__((weak)) void __sanitizer_set_report_fd(void* fd);

namespace {

struct ImageKind {
    std::uint64_t size;  // 0: as long as the blocks written reach
    const char* name;
};

constexpr ImageKind imageKinds[] = {
    {174848, "image.d64"}, {175531, "image.d64"}, {196608, "image.d64"}, {197376, "image.d64"},
    {349696, "image.d71"}, {351062, "image.d71"}, {819200, "image.d81"}, {822400, "image.d81"},
    {533248, "image.d80"}, {1066496, "image.d82"}, {16384, "image.crt"},
    {0, "image.t64"},      {0, "image.p00"},      {0, "image.lnx"},
    {16072, "image.g64"},  // 84 half-tracks, two tracks of 7692 bytes
    {0, "image.tap"},
};

// The blocks an archive's input can place: 64 KiB.
constexpr std::uint64_t archiveBlocks = 256;

// Numbers around the edges of a sector's 254 data bytes and of a block.
constexpr unsigned edgeNumbers[] = {0, 1, 2, 3, 253, 254, 255, 256, 257, 508, 65535, 65536};

// A number option: absent, one of the edge numbers, or any 16-bit value.
void addNumber(fuzz::ByteReader& input, const char* name, std::vector<std::string>& words) {
    const std::uint8_t choice = input.byte();
    if (choice == 0) return;
    const std::uint64_t value = choice <= std::size(edgeNumbers) ? edgeNumbers[choice - 1] : input.number(2);
    char text[24];
    std::snprintf(text, sizeof text, choice % 2 ? "%llu" : "$%llx", static_cast<unsigned long long>(value));
    words.push_back(name);
    words.push_back(text);
}

std::string selectorFrom(fuzz::ByteReader& input) {
    const std::uint8_t choice = input.byte();
    std::string pattern(choice >> 2 & 15, ' ');
    for (char& c : pattern) {
        const std::uint8_t byte = input.byte();
        c = static_cast<char>(byte != 0 ? byte : 0xA0);  // a word of argv holds no NUL; $A0 pads names
    }
    // Sectors below the files: a run, whose numbers reach past every disk,
    // a recorded track, a file's own sectors.
    switch (choice >> 6) {
    case 1: {
        const unsigned track = input.byte() % 160u, sector = input.byte() % 45u;
        return "@" + std::to_string(track) + "/" + std::to_string(sector) + "-" + std::to_string(track + sector % 3);
    }
    case 2: return "%" + std::to_string(input.byte() % 45u);
    case 3: return pattern + "@";
    default: break;
    }
    switch (choice & 3) {
    case 0: return "$";
    case 1: return "$:" + pattern;
    case 2: return pattern;
    default: return "*";
    }
}

// OPTIONS as words, in the order the input chose them.
std::vector<std::string> optionsFrom(fuzz::ByteReader& input) {
    static const char* const flags[] = {"-L", "-c", "-H", "--0x", "--turbo", "--ascii", "-U", "-C",
                                        "--Epath", "--Enewline", "-v", "-q"};
    std::vector<std::string> words{"hexloom"};
    const std::uint64_t chosen = input.number(2);
    for (std::size_t i = 0; i < std::size(flags); ++i) {
        if (chosen >> i & 1) words.push_back(flags[i]);
    }
    addNumber(input, "-s", words);
    addNumber(input, "-l", words);
    addNumber(input, "-w", words);
    addNumber(input, "-S", words);
    return words;
}

// Where the images are written: a directory of this process's own, in memory
// where the system has /dev/shm, as each run writes and opens an image. Its
// path is never destroyed, so that the removal at exit can still read it.
const std::filesystem::path& workDirectory() {
    static const std::filesystem::path& directory = *[] {
        const std::filesystem::path memory = "/dev/shm";
        const auto parent = std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
        std::string name = (parent / "hexloom-fuzz-XXXXXX").string();
        if (!mkdtemp(name.data())) fuzz::fail("a temporary directory", name);
        return new std::filesystem::path(name);
    }();
    static const bool removedAtExit = std::atexit([] { std::filesystem::remove_all(workDirectory()); }) == 0;
    (void)removedAtExit;
    return directory;
}

std::string writeImage(fuzz::ByteReader& input) {
    const ImageKind& kind = imageKinds[input.byte() % std::size(imageKinds)];
    const std::string path = (workDirectory() / kind.name).string();
    // A new file each time: truncating one that holds data waits for the disk on some file systems.
    unlink(path.c_str());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    fuzz::check(fd >= 0 && ftruncate(fd, static_cast<off_t>(kind.size)) == 0, "an image file", path);
    const std::uint64_t sectors = kind.size != 0 ? kind.size / 256 : archiveBlocks;
    while (input.restSize() > 2) {
        const std::uint64_t index = input.number(2) % sectors;
        const std::size_t n = std::min<std::size_t>(256, input.restSize());
        fuzz::check(pwrite(fd, input.rest(), n, static_cast<off_t>(index * 256)) == static_cast<ssize_t>(n),
                    "a sector written", path);
        for (std::size_t i = 0; i < n; ++i) input.byte();
    }
    close(fd);
    return path;
}

// Each run starts from the state a new process has.
void resetProgramState() {
    parser.groups.clear();
    for (nuk::cli::Option* option : {&help, &version, &verbose, &quiet, &warranty, &debug, &load, &start, &len, &seek,
                                     &width, &hex0x, &turbo, &hexUpper, &color, &lowercase, &unicode, &ascii, &Epath,
                                     &Enewline}) {
        option->reset();
        option->count = 0;
        option->foundIn.clear();
    }
    console = nuk::con::Console();
}

// Runs the program with standard output and standard error on /dev/null.
int runSilenced(const std::vector<std::string>& words) {
    static const int nullFd = open("/dev/null", O_WRONLY);
    static const int savedOut = dup(1);
    static const int savedErr = [] {
        const int fd = dup(2);
        if (__sanitizer_set_report_fd) __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)));
        return fd;
    }();
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());

    std::fflush(nullptr);
    dup2(nullFd, 1);
    dup2(nullFd, 2);
    const int status = enterProgram([&](nuk::cli::Parser& p) { p.parse(static_cast<int>(argv.size()), argv.data()); });
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    std::cout.clear();
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteReader input(data, size);
    std::vector<std::string> words = optionsFrom(input);
    const std::string selector = selectorFrom(input);
    words.push_back(writeImage(input) + ":" + selector);

    resetProgramState();
    const int status = runSilenced(words);
    std::string commandLine = "command line:";
    for (const std::string& word : words) commandLine += " [" + fuzz::shown(word) + "]";
    fuzz::check(status == 0 || status == 1, "the exit status is 0 or 1", commandLine);
    return 0;
}
