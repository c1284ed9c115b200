// The version, credits and disclaimer screens, and the usage text.

#include "app/info_screens.hpp"

#include <iomanip>

#include "app/product.hpp"

// The standard disclaimer paragraph, one " - " line per sentence piece.
const std::string warrantyText =
    "\n - THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR"
    "\n - IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,"
    "\n - FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL"
    "\n - THE AUTHORS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER"
    "\n - IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN"
    "\n - CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.";

// The parser drops the leading newline; the usage line ends after "[FILE]...".
const std::string usageDescription =
    "\n[options...] [FILE]...\n\n  > hexloom is an xxd-like hex dumper with PETSCII output.\n";

namespace {

const std::string revisionPrefix = "$Rev: ";
const std::string datePrefix = "$LastChangedDate: ";

}  // namespace

std::string revisionFromKeyword(const std::string& keyword) {
    const auto lastSpace = keyword.rfind(' ');
    if (lastSpace == std::string::npos || lastSpace < revisionPrefix.size()) return "";
    return keyword.substr(revisionPrefix.size(), lastSpace - revisionPrefix.size());
}

std::string dateFromKeyword(const std::string& keyword) {
    // The date ends before the blank that precedes the time-zone offset.
    const auto lastDash = keyword.rfind('-');
    if (lastDash == std::string::npos || lastDash < datePrefix.size() + 1) return "";
    return keyword.substr(datePrefix.size(), lastDash - datePrefix.size() - 1);
}

VersionFacts productVersionFacts() {
    return {productName, productVersion, productYears, revisionKeyword, dateKeyword, __DATE__, __TIME__,
            buildTarget};
}

void writeVersionBlock(std::ostream& out, const VersionFacts& facts) {
    out << facts.name << " v" << facts.version << " [r" << revisionFromKeyword(facts.revisionKeyword) << "; "
        << dateFromKeyword(facts.dateKeyword) << "] (c) " << facts.years << " Norvane - MIT license\n";
    // The second line starts under the " [r" of the first.
    const auto indent = facts.name.size() + 2 + facts.version.size();
    out << std::setw(static_cast<int>(indent)) << "" << " built: " << facts.buildDate << " " << facts.buildTime
        << " for: " << facts.target << "\n\n";
}

void printVersion(std::ostream& out) { writeVersionBlock(out, productVersionFacts()); }

void printCredits(std::ostream& out) { out << "Credits\n - " << creditLine << "\n"; }

void printDisclaimer(std::ostream& out) { out << "Disclaimer of Warranty\n" << warrantyText << "\n"; }
