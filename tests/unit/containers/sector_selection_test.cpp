#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "containers/sector_selection.hpp"

namespace {

using nuk::disk::SectorSelection;

constexpr std::uint64_t track = UINT64_MAX;  // a whole track: no sector

struct SelectionCase {
    std::string selector;
    bool valid;
    SectorSelection::Kind kind;
    std::uint64_t firstTrack, firstSector, lastTrack, lastSector;
};

std::uint64_t sectorOf(const nuk::disk::TrackOrSector& place) { return place.sector.value_or(track); }

// Every end may be a track or a track and sector, in any notation of the
// program; anything else after "@" is no selection.
TEST(SectorSelection, ReadsTracksSectorsAndRuns) {
    const auto sectors = SectorSelection::Kind::sectors;
    const auto recorded = SectorSelection::Kind::recordedTrack;
    const SelectionCase cases[] = {
        {"@18/0", true, sectors, 18, 0, 18, 0},
        {"@$12/0x01", true, sectors, 18, 1, 18, 1},
        {"@%10010/1", true, sectors, 18, 1, 18, 1},
        {"@18", true, sectors, 18, track, 18, track},
        {"@17/20-18/1", true, sectors, 17, 20, 18, 1},
        {"@1-35", true, sectors, 1, track, 35, track},
        {"@0/99", true, sectors, 0, 99, 0, 99},  // checked against the disk later
        {"%18", true, recorded, 18, track, 18, track},
        {"%$12", true, recorded, 18, track, 18, track},
        {"@", false, sectors, 0, 0, 0, 0},
        {"@18/", false, sectors, 0, 0, 0, 0},
        {"@/1", false, sectors, 0, 0, 0, 0},
        {"@18/0-", false, sectors, 0, 0, 0, 0},
        {"@18/0-19/1-20", false, sectors, 0, 0, 0, 0},
        {"@18/1/2", false, sectors, 0, 0, 0, 0},
        {"@GAME", false, sectors, 0, 0, 0, 0},
        {"%18/0", false, sectors, 0, 0, 0, 0},
        {"%", false, sectors, 0, 0, 0, 0},
    };
    for (const SelectionCase& c : cases) {
        const std::optional<SectorSelection> selection = nuk::disk::parseSectorSelection(c.selector);
        ASSERT_EQ(selection.has_value(), c.valid) << c.selector;
        if (!selection) continue;
        EXPECT_EQ(selection->kind, c.kind) << c.selector;
        EXPECT_EQ(selection->first.track, c.firstTrack) << c.selector;
        EXPECT_EQ(sectorOf(selection->first), c.firstSector) << c.selector;
        EXPECT_EQ(selection->last.track, c.lastTrack) << c.selector;
        EXPECT_EQ(sectorOf(selection->last), c.lastSector) << c.selector;
    }
}

// Names keep their meaning unless they start with "@", are "%" and a number,
// or end in "@" (outside a listing's pattern).
TEST(SectorSelection, TellsSectorsFromNames) {
    const struct {
        std::string selector;
        bool sectors, entrySectors;
    } cases[] = {
        {"@18/0", true, false},   {"@GAME", true, false},    {"%18", true, false},
        {"%GAME", false, false},  {"GAME@", false, true},    {"#3@", false, true},
        {"A@B", false, false},    {"GAME\\x40", false, false}, {"@", true, false},
        {"$:G*@", false, false},  {"$", false, false},       {"@18@", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nuk::disk::selectsSectors(c.selector), c.sectors) << c.selector;
        EXPECT_EQ(nuk::disk::selectsEntrySectors(c.selector), c.entrySectors) << c.selector;
    }
}

}  // namespace
