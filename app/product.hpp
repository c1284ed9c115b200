#pragma once
// The program's identity and its information screens.

#include <ostream>
#include <string>

extern const std::string productName;
extern const std::string productVersion;
extern const std::string productYears;
extern const std::string creditLine;
extern const std::string revisionKeyword;
extern const std::string dateKeyword;
extern const std::string buildArchitecture;
extern const std::string buildTarget;
extern const std::string warrantyText;
extern const std::string usageDescription;

// The version block: two lines and an empty line.
void printVersion(std::ostream& out);
