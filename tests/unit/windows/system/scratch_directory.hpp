#pragma once
// A fresh directory under the system's temporary folder, made the current
// directory for the test and removed afterwards, with helpers that create
// entries by their UTF-8 names.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/message.hpp"
#include "tests/unit/read_all.hpp"

namespace nuk::test {

class ScratchDirectory : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void makeFile(const std::string& name, const std::string& content = "");
    void makeDirectory(const std::string& name);
    // The current directory, UTF-8, without a trailing backslash.
    std::string here() const;

private:
    std::wstring root_;
    std::wstring previous_;
};

// The text a message writes after the program name and severity.
std::string textOf(const cli::Msg& message);

using scratch::readAll;

}  // namespace nuk::test
