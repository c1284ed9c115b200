// The Windows command line arrives as UTF-16 words; the parser works on UTF-8.

#include <string>
#include <vector>

#include "cli/parser.hpp"
#include "cli/utf16.hpp"

namespace nuk::cli {

void Parser::parse(int argc, const wchar_t* const* argv) {
    // A word with an unpaired surrogate is kept (see toUtf8KeepingSurrogates)
    // rather than thrown out, so the run can name it and go on.
    std::vector<std::string> words;
    if (argv != nullptr && argc > 0) {
        words.push_back(toUtf8KeepingSurrogates(argv[0]));
        for (int index = 1; index < argc; ++index) {
            if (argv[index]) words.push_back(toUtf8KeepingSurrogates(argv[index]));
        }
    }
    parseWords(words);
}

}  // namespace nuk::cli
