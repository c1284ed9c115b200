// Reading the track and sector numbers of a selector.

#include "containers/sector_selection.hpp"

#include "cli/value.hpp"

namespace nuk::disk {

namespace {

std::optional<std::uint64_t> number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const std::int64_t value = cli::toInteger(text);
    if (value < 0) return std::nullopt;
    return static_cast<std::uint64_t>(value);
}

// "T" or "T/S".
std::optional<TrackOrSector> trackOrSector(const std::string& text) {
    const std::size_t slash = text.find('/');
    TrackOrSector place;
    const std::optional<std::uint64_t> track = number(text.substr(0, slash));
    if (!track) return std::nullopt;
    place.track = *track;
    if (slash == std::string::npos) return place;
    place.sector = number(text.substr(slash + 1));
    if (!place.sector) return std::nullopt;
    return place;
}

}  // namespace

std::optional<SectorSelection> parseSectorSelection(const std::string& selector) {
    SectorSelection selection;
    if (selector.size() < 2) return std::nullopt;
    const std::string rest = selector.substr(1);
    if (selector[0] == '%') {
        const std::optional<std::uint64_t> track = number(rest);
        if (!track) return std::nullopt;
        selection.kind = SectorSelection::Kind::recordedTrack;
        selection.first.track = *track;
        selection.last = selection.first;
        return selection;
    }
    if (selector[0] != '@') return std::nullopt;
    const std::size_t dash = rest.find('-');
    const std::optional<TrackOrSector> first = trackOrSector(rest.substr(0, dash));
    if (!first) return std::nullopt;
    selection.first = *first;
    selection.last = *first;
    if (dash == std::string::npos) return selection;
    const std::optional<TrackOrSector> last = trackOrSector(rest.substr(dash + 1));
    if (!last) return std::nullopt;
    selection.last = *last;
    return selection;
}

bool selectsSectors(const std::string& selector) {
    if (selector.empty()) return false;
    return selector[0] == '@' || (selector[0] == '%' && parseSectorSelection(selector));
}

// A listing's pattern may end in "@" as any name may.
bool selectsEntrySectors(const std::string& selector) {
    const bool listing = selector.rfind("$:", 0) == 0;
    return selector.size() > 1 && selector.back() == '@' && !listing && !selectsSectors(selector);
}

}  // namespace nuk::disk
