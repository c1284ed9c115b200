// Wildcard expansion of one FILE argument. The Windows shell passes patterns
// such as *.prg unexpanded, so the program matches them itself with the
// system's own rules for * and ?.

#include <windows.h>

#include <cctype>

#include "cli/utf16.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/windows/long_path.hpp"

namespace nuk {

namespace {

// A name with an unpaired surrogate has no UTF-8 form (or carries one that
// does not convert back); it is named as far as it converts.
cli::Msg unconvertibleName(const std::string& convertiblePart) {
    return pathMessage(convertiblePart, "': name cannot be converted to UTF-8");
}

// "C:*.prg" names entries in drive C's current directory; they stay
// "C:a.prg", which a backslash would turn into the drive's root.
bool isBareDrive(const std::string& directory) {
    return directory.size() == 2 && directory[1] == ':' && std::isalpha(static_cast<unsigned char>(directory[0]));
}

std::string entryPath(const std::string& directory, const std::string& name) {
    return isBareDrive(directory) ? directory + name : joinPath(directory, name);
}

struct PatternParts {
    std::string directory;  // as the user wrote it, with its trailing separators
    std::string pattern;
};

PatternParts splitPattern(const std::string& argument) {
    const std::string directory = dirName(argument);
    const bool driveRelative = directory.empty() && isBareDrive(argument.substr(0, 2));
    if (driveRelative) return {argument.substr(0, 2), argument.substr(2)};
    return {directory, baseName(argument)};
}

bool isDotEntry(const wchar_t* name) { return std::wstring(name) == L"." || std::wstring(name) == L".."; }

// Closes the search on every way out of the expansion.
class Search {
public:
    explicit Search(HANDLE handle) : handle_(handle) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;
    bool started() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& entry) { return FindNextFileW(handle_, &entry) != 0; }

private:
    HANDLE handle_;
};

// Hands one entry to its handler. A message of one entry goes to the
// caller at once, before the next entry, and never stops the expansion.
void dispatchEntry(const std::string& directory, const WIN32_FIND_DATAW& entry, const PathHandler& onFile,
                   const DirectoryHandler& onDirectory, const MatchMessageHandler& onMatchMessage) {
    const std::wstring name = entry.cFileName;
    if (convertibleUtf16Length(name) != name.size()) {
        const std::wstring convertible = name.substr(0, convertibleUtf16Length(name));
        onMatchMessage(unconvertibleName(entryPath(directory, toUtf8(convertible))));
        return;
    }
    const std::string path = entryPath(directory, toUtf8(name));
    const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::optional<cli::Msg> problem = isDirectory ? onDirectory(path, onFile) : onFile(path);
    if (problem) onMatchMessage(*problem);
}

}  // namespace

std::optional<cli::Msg> glob(const std::string& argument, PathHandler onFile, DirectoryHandler onDirectory,
                             MatchMessageHandler onMatchMessage) {
    if (convertibleUtf8Length(argument) != argument.size()) {
        return unconvertibleName(argument.substr(0, convertibleUtf8Length(argument)));
    }
    const DWORD attributes = fileAttributes(argument);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return onDirectory(argument, onFile);
        return onFile(argument);
    }

    const auto [directory, name] = splitPattern(argument);
    // A missing directory part is named as such, also when nothing follows it.
    if (!directory.empty() && fileAttributes(directory) == INVALID_FILE_ATTRIBUTES) {
        return pathMessage(directory, "': no such path");
    }
    // Without a last component the search would find the directory itself
    // and hand it on under a doubled name.
    if (name.empty()) return pathMessage(argument, "': no such file or directory");
    const std::string pattern = directory.empty() ? name : entryPath(directory, name);

    WIN32_FIND_DATAW entry;
    Search search(FindFirstFileW(toLongPath(pattern).c_str(), &entry));
    if (!search.started()) return pathMessage(argument, "': no such file or directory");
    for (;;) {
        if (!isDotEntry(entry.cFileName)) dispatchEntry(directory, entry, onFile, onDirectory, onMatchMessage);
        if (!search.next(entry)) {
            const DWORD code = GetLastError();
            if (code == ERROR_NO_MORE_FILES) return std::nullopt;
            cli::Msg message;
            message.text = "unknown error during glob: " + std::to_string(code);
            return message;
        }
    }
}

}  // namespace nuk
