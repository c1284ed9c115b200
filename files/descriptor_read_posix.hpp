#pragma once
// Reading a descriptor whose length is not known in advance (standard input,
// a pipe) to its end, in chunks, into memory.

#include "files/byte_store.hpp"

namespace nuk {

enum class ReadOutcome { complete, failed, tooLarge };

struct DescriptorRead {
    ReadOutcome outcome = ReadOutcome::complete;
    int error = 0;  // errno of the failing read when outcome is failed
};

// Appends everything up to end of file to data and trims it once at the end.
// A read error (a directory, a closed descriptor) ends the loop instead of
// retrying forever.
DescriptorRead readToEnd(int descriptor, Bytes& data);

}  // namespace nuk
