#pragma once
// A fresh scripted console for each test, and standard error captured, so a
// test sees exactly the "Fatal: in" lines the console layer writes.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "console/console.hpp"
#include "console/console_string.hpp"
#include "console/platform_seam.hpp"
#include "scripted_console_system.hpp"

namespace nuk::con::test {

// How a console call fails when standard output is not a console.
inline const Answer notAConsole = Answer::failsWith(ERROR_INVALID_HANDLE);

class WindowsConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetScriptedConsole();
        savedErrorBuffer_ = std::cerr.rdbuf(errors_.rdbuf());
    }

    void TearDown() override {
        std::cerr.rdbuf(savedErrorBuffer_);
        // Later tests must not reach this test's console through the registry.
        registerConsole(dormant(), std::cout);
        registerConsole(dormant(), std::cerr);
    }

    ScriptedConsole& system() { return scriptedConsole(); }
    std::string errorOutput() const { return errors_.str(); }

    // Standard output is a console in these tests, standard error is not.
    Console& attachToConsole() { return console.attach(std::cout); }
    Console& attachToRedirectedStream() {
        std::cerr.rdbuf(savedErrorBuffer_);
        console.attach(std::cerr);
        savedErrorBuffer_ = std::cerr.rdbuf(errors_.rdbuf());
        return console;
    }

    Console console;

private:
    static Console& dormant() {
        static Console unused;
        return unused;
    }

    std::ostringstream errors_;
    std::streambuf* savedErrorBuffer_ = nullptr;
};

}  // namespace nuk::con::test
