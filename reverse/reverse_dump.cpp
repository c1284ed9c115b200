// The lines of an input read back as the dumps they are (dump_reader).

#include "reverse/reverse_dump.hpp"

#include <vector>

#include "reverse/byte_sink.hpp"
#include "reverse/dump_reader.hpp"
#include "reverse/dump_line.hpp"
#include "reverse/line_source.hpp"

namespace undump {

std::optional<Fault> reverseDump(nuk::BlockSource& source, const ReverseSettings& settings, std::ostream& out) {
    ByteSink sink(out);
    DumpReader reader(settings, sink);
    LineSource lines(source);
    std::vector<std::uint8_t> bytes;
    const char* begin = nullptr;
    const char* end = nullptr;
    while (!sink.failed() && lines.next(begin, end)) {
        if (lines.tooLong()) return Fault{lines.lineNumber(), "not a dump line"};
        const auto length = static_cast<std::size_t>(end - begin);
        if (bytes.size() < mostBytesOf(length)) bytes.resize(mostBytesOf(length));
        const DumpLine line = readDumpLine(begin, end, bytes.data());
        if (auto fault = reader.take(line, bytes.data(), lines.lineNumber())) return fault;
    }
    return reader.endDump();
}

}  // namespace undump
