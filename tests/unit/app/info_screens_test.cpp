#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/info_screens.hpp"
#include "app/product.hpp"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(WarrantyText, HasSixDashLinesOfTheRightLengths) {
    EXPECT_EQ(warrantyText.size(), 458u);
    ASSERT_EQ(warrantyText.front(), '\n');
    ASSERT_NE(warrantyText.back(), '\n');
    const auto lines = linesOf(warrantyText.substr(1));
    const std::vector<std::size_t> lengths = {77, 75, 74, 75, 74, 77};
    const std::vector<std::string> endings = {"EXPRESS OR", "MERCHANTABILITY,", "IN NO EVENT SHALL",
                                              "WHETHER",    "OUT OF OR IN",     "THE SOFTWARE."};
    ASSERT_EQ(lines.size(), lengths.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), lengths[i]) << lines[i];
        EXPECT_EQ(lines[i].rfind(" - ", 0), 0u) << lines[i];
        EXPECT_EQ(lines[i].substr(lines[i].size() - endings[i].size()), endings[i]);
    }
    EXPECT_NE(warrantyText.find("THE AUTHORS BE LIABLE"), std::string::npos);
}

TEST(DisclaimerScreen, IsHeadingEmptyLineAndSixLines) {
    std::ostringstream out;
    printDisclaimer(out);
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Disclaimer of Warranty");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(out.str().back(), '\n');
}

TEST(VersionKeywords, RevisionIsTheNumberOnly) {
    EXPECT_EQ(revisionFromKeyword("$Rev: 529 $"), "529");
    EXPECT_EQ(revisionFromKeyword("$Rev: 12345 $"), "12345");
    EXPECT_EQ(revisionFromKeyword(revisionKeyword), "529");
}

TEST(VersionKeywords, DateDropsTheTimeZone) {
    EXPECT_EQ(dateFromKeyword(dateKeyword), "2025-03-31 15:46:03");
    EXPECT_EQ(dateFromKeyword("$LastChangedDate: 2024-12-01 08:00:59 -0500 (Sun, 01 Dec 2024) $"),
              "2024-12-01 08:00:59");
}

TEST(VersionKeywords, MalformedKeywordsGiveEmptyTextInsteadOfThrowing) {
    for (const std::string keyword : {"", "$", "$Rev:", "$LastChangedDate:-"}) {
        EXPECT_NO_THROW(revisionFromKeyword(keyword)) << keyword;
        EXPECT_NO_THROW(dateFromKeyword(keyword)) << keyword;
    }
}

VersionFacts sampleFacts() {
    return {"hexloom", "1.2.0", "2020-2025", "$Rev: 529 $",
            "$LastChangedDate: 2025-03-31 15:46:03 -0400 (Mon, 31 Mar 2025) $", "Mar 31 2025", "15:46:03",
            "i386/Linux"};
}

TEST(VersionBlock, IsTwoLinesAndAnEmptyLine) {
    std::ostringstream out;
    writeVersionBlock(out, sampleFacts());
    EXPECT_EQ(out.str(),
              "hexloom v1.2.0 [r529; 2025-03-31 15:46:03] (c) 2020-2025 Norvane - MIT license\n"
              "               built: Mar 31 2025 15:46:03 for: i386/Linux\n"
              "\n");
}

TEST(VersionBlock, BuiltLineFollowsTheLengthOfNameAndVersion) {
    VersionFacts facts = sampleFacts();
    facts.name = "hx";
    facts.version = "10.20.300";
    std::ostringstream out;
    writeVersionBlock(out, facts);
    const auto lines = linesOf(out.str());
    ASSERT_GE(lines.size(), 2u);
    const auto bracket = lines[0].find(" [r");
    EXPECT_EQ(lines[1].find(" built: "), bracket);
    EXPECT_EQ(lines[1].find_first_not_of(' '), bracket + 1);
}

TEST(VersionScreen, ShowsTheBuildOfThisBinary) {
    std::ostringstream out;
    printVersion(out);
    printCredits(out);
    const auto lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].rfind("hexloom v1.2.0 [r529; 2025-03-31 15:46:03] (c) 2020-2025 Norvane", 0), 0u);
    EXPECT_EQ(lines[1].substr(lines[1].size() - buildTarget.size()), buildTarget);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Credits");
    EXPECT_EQ(lines[4], " - Tamsel/Norvane: coding");
}

TEST(BuildTarget, NamesTheArchitectureThisBinaryRunsOn) {
    if (sizeof(void*) == 4) {
        EXPECT_NE(buildArchitecture, "x86_64");
    } else {
        EXPECT_NE(buildArchitecture, "i386");
    }
#if defined(__i386__)
    EXPECT_EQ(buildTarget, "i386/Linux");
#elif defined(__x86_64__) && defined(__linux__)
    EXPECT_EQ(buildTarget, "x86_64/Linux");
#elif defined(_WIN64)
    EXPECT_EQ(buildTarget, "x86_64/Windows");
#endif
}

}  // namespace
