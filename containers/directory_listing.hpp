#pragma once
// The listing of a container as a drive delivers a disk's directory for
// LOAD"$",8: a BASIC program, made line by line while the entries are read.
//
// Byte by byte (all numbers little-endian; every line is a link to the next
// line's address, a line number, text and a zero byte):
//   01 04                         load address $0401
//   header line, 30 bytes:        link, line number 0, $12 (reverse on), '"',
//                                 the 16 bytes of the disk name, '"', ' ',
//                                 id, padding byte and DOS type (5 bytes);
//                                 $A0 in name and id shown as a space
//   one line per entry, 32 bytes: link, blocks as line number, 1 to 3 spaces
//                                 (3 below 10 blocks, 2 below 100, else 1),
//                                 '"', the name up to its first $A0, '"', the
//                                 rest of the 16 name bytes ($A0 as space),
//                                 '*' for an unclosed file or ' ', the type
//                                 (DEL SEQ PRG USR REL CBM, else ???), '<'
//                                 for a locked file or ' ', spaces up to 27
//                                 bytes of text
//   last line, 30 bytes:          link, free blocks as line number,
//                                 "BLOCKS FREE." and 13 spaces
//   00 00                         the end of the program
// The links are the addresses the lines have when loaded at $0401 (the
// drive sends placeholders that the machine's LOAD puts right).

#include <memory>
#include <optional>
#include <string>

#include "containers/disk_name_pattern.hpp"
#include "containers/listed_entry.hpp"
#include "files/block_source.hpp"

namespace nuk::disk {

// Every entry the reader hands out is listed, or only those whose name
// matches the pattern. Entries that fail end the listing after the lines
// before the failure, with the message in failure(); entries that loop end
// it with the closing lines.
std::unique_ptr<BlockSource> openDirectoryListing(const DiskHeader& header, std::unique_ptr<EntryReader> entries,
                                                  std::optional<NamePattern> pattern);

}  // namespace nuk::disk
