#pragma once
// Captures what the process writes to a standard descriptor (1 or 2), below
// the C++ streams, so that std::cout keeps the buffer it had at start-up and
// the console layer still recognises it as standard output.

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

class DescriptorCapture {
public:
    explicit DescriptorCapture(int descriptor) : descriptor_(descriptor) {
        flushEverything();
        std::FILE* sink = std::tmpfile();
        sinkDescriptor_ = dup(fileno(sink));
        std::fclose(sink);  // the duplicate keeps the unnamed file open
        savedDescriptor_ = dup(descriptor_);
        dup2(sinkDescriptor_, descriptor_);
    }

    ~DescriptorCapture() { finish(); }

    DescriptorCapture(const DescriptorCapture&) = delete;
    DescriptorCapture& operator=(const DescriptorCapture&) = delete;

    // Ends the capture and returns everything written since it began.
    std::string finish() {
        if (savedDescriptor_ < 0) {
            return captured_;
        }
        flushEverything();
        dup2(savedDescriptor_, descriptor_);
        close(savedDescriptor_);
        savedDescriptor_ = -1;
        captured_ = readAll(sinkDescriptor_);
        close(sinkDescriptor_);
        return captured_;
    }

private:
    static void flushEverything() {
        std::cout.flush();
        std::cerr.flush();
        std::clog.flush();
        std::fflush(nullptr);
    }

    static std::string readAll(int descriptor) {
        std::string text;
        lseek(descriptor, 0, SEEK_SET);
        char chunk[4096];
        ssize_t got = 0;
        while ((got = read(descriptor, chunk, sizeof chunk)) > 0) {
            text.append(chunk, static_cast<std::size_t>(got));
        }
        return text;
    }

    int descriptor_;
    int sinkDescriptor_ = -1;
    int savedDescriptor_ = -1;
    std::string captured_;
};
