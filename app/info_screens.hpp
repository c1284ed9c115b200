#pragma once
// The information screens beyond printVersion: credits and the disclaimer,
// and the pieces the version block is made of.

#include <ostream>
#include <string>

// "Credits" and the credit line; follows the version block.
void printCredits(std::ostream& out);
// "Disclaimer of Warranty", an empty line and the six lines of the disclaimer.
void printDisclaimer(std::ostream& out);

// Everything the version block shows.
struct VersionFacts {
    std::string name;
    std::string version;
    std::string years;
    std::string revisionKeyword;
    std::string dateKeyword;
    std::string buildDate;
    std::string buildTime;
    std::string target;
};

// The product's own facts, with the moment this program was compiled.
VersionFacts productVersionFacts();
void writeVersionBlock(std::ostream& out, const VersionFacts& facts);

// "529" from "$Rev: 529 $".
std::string revisionFromKeyword(const std::string& keyword);
// "2025-03-31 15:46:03" from "$LastChangedDate: 2025-03-31 15:46:03 -0400 (...) $".
std::string dateFromKeyword(const std::string& keyword);
