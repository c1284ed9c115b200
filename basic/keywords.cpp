// The keyword tables, one row of sixteen tokens a line, the first token of
// each row in the margin, as the machines' manuals print them. "^" is
// PETSCII $5E, the up arrow of the power operator; "\xff" is pi.

#include "basic/keywords.hpp"

#include <array>
#include <cstddef>

namespace basic {

namespace {

using Row = std::array<std::string_view, 16>;

// clang-format off

// BASIC 2: $80 to $CB, and pi at $FF.
constexpr std::array<Row, 5> basic2Rows = {{
/* $80 */ {"END",   "FOR",   "NEXT",  "DATA",  "INPUT#", "INPUT", "DIM",  "READ",  "LET",    "GOTO",   "RUN",  "IF",   "RESTORE", "GOSUB", "RETURN", "REM"},
/* $90 */ {"STOP",  "ON",    "WAIT",  "LOAD",  "SAVE",   "VERIFY","DEF",  "POKE",  "PRINT#", "PRINT",  "CONT", "LIST", "CLR",     "CMD",   "SYS",    "OPEN"},
/* $A0 */ {"CLOSE", "GET",   "NEW",   "TAB(",  "TO",     "FN",    "SPC(", "THEN",  "NOT",    "STEP",   "+",    "-",    "*",       "/",     "^",      "AND"},
/* $B0 */ {"OR",    ">",     "=",     "<",     "SGN",    "INT",   "ABS",  "USR",   "FRE",    "POS",    "SQR",  "RND",  "LOG",     "EXP",   "COS",    "SIN"},
/* $C0 */ {"TAN",   "ATN",   "PEEK",  "LEN",   "STR$",   "VAL",   "ASC",  "CHR$",  "LEFT$",  "RIGHT$", "MID$", "GO",   "",        "",      "",       ""},
}};

// BASIC 4: the disk commands from $CC to $DA.
constexpr std::array<Row, 2> basic4Rows = {{
/* $C0 */ {"",       "",        "",         "",        "",         "",      "",       "",        "",        "",         "",        "",         "CONCAT", "DOPEN", "DCLOSE", "RECORD"},
/* $D0 */ {"HEADER", "COLLECT", "BACKUP",   "COPY",    "APPEND",   "DSAVE", "DLOAD",  "CATALOG", "RENAME",  "SCRATCH",  "DIRECTORY","",        "",       "",      "",       ""},
}};

// BASIC 3.5: $CC to $FD. BASIC 7 has the same but for $CE and $FE, its
// prefixes.
constexpr std::array<Row, 4> basic35Rows = {{
/* $C0 */ {"",       "",        "",         "",        "",         "",      "",       "",        "",        "",         "",        "",         "RGR",    "RCLR",  "RLUM",  "JOY"},
/* $D0 */ {"RDOT",   "DEC",     "HEX$",     "ERR$",    "INSTR",    "ELSE",  "RESUME", "TRAP",    "TRON",    "TROFF",    "SOUND",   "VOL",      "AUTO",   "PUDEF", "GRAPHIC","PAINT"},
/* $E0 */ {"CHAR",   "BOX",     "CIRCLE",   "GSHAPE",  "SSHAPE",   "DRAW",  "LOCATE", "COLOR",   "SCNCLR",  "SCALE",    "HELP",    "DO",       "LOOP",   "EXIT",  "DIRECTORY","DSAVE"},
/* $F0 */ {"DLOAD",  "HEADER",  "SCRATCH",  "COLLECT", "COPY",     "RENAME","BACKUP", "DELETE",  "RENUMBER","KEY",      "MONITOR", "USING",    "UNTIL",  "WHILE", "",       ""},
}};

// BASIC 7's functions after $CE: $CE $02 to $CE $0A.
constexpr Row basic7Functions =
/* $00 */ {"",       "",        "POT",      "BUMP",    "PEN",      "RSPPOS","RSPRITE","RSPCOLOR","XOR",     "RWINDOW",  "POINTER", "",         "",       "",      "",       ""};

// BASIC 7's statements after $FE: $FE $02 to $FE $26 ($20 and $22, the
// space and the quote, are no second byte).
constexpr std::array<Row, 3> basic7Statements = {{
/* $00 */ {"",       "",        "BANK",     "FILTER",  "PLAY",     "TEMPO", "MOVSPR", "SPRITE",  "SPRCOLOR","RREG",     "ENVELOPE","SLEEP",    "CATALOG","DOPEN", "APPEND", "DCLOSE"},
/* $10 */ {"BSAVE",  "BLOAD",   "RECORD",   "CONCAT",  "DVERIFY",  "DCLEAR","SPRSAV", "COLLISION","BEGIN",   "BEND",     "WINDOW",  "BOOT",     "WIDTH",  "SPRDEF","QUIT",   "STASH"},
/* $20 */ {"",       "FETCH",   "",         "SWAP",    "OFF",      "FAST",  "SLOW",   "",        "",        "",         "",        "",         "",       "",      "",       ""},
}};

// clang-format on

constexpr std::string_view pi = "\xff";

template <std::size_t rows>
std::string_view lookUp(const std::array<Row, rows>& table, std::size_t first, std::uint8_t token) {
    if (token < first || token >= first + 16 * rows) return {};
    const std::size_t index = token - first;
    return table[index / 16][index % 16];
}

std::string_view extension(Dialect dialect, std::uint8_t token) {
    switch (dialect) {
    case Dialect::basic2: return {};
    case Dialect::basic4: return lookUp(basic4Rows, 0xC0, token);
    case Dialect::basic35: return lookUp(basic35Rows, 0xC0, token);
    case Dialect::basic7: return isTokenPrefix(dialect, token) ? std::string_view() : lookUp(basic35Rows, 0xC0, token);
    }
    return {};
}

constexpr std::array<std::pair<Dialect, std::string_view>, 4> dialectNames = {{
    {Dialect::basic2, "2"}, {Dialect::basic4, "4"}, {Dialect::basic35, "3.5"}, {Dialect::basic7, "7"}}};

}  // namespace

std::string_view dialectName(Dialect dialect) {
    for (const auto& [named, name] : dialectNames) {
        if (named == dialect) return name;
    }
    return {};
}

std::optional<Dialect> dialectNamed(std::string_view name) {
    for (const auto& [dialect, named] : dialectNames) {
        if (named == name) return dialect;
    }
    return std::nullopt;
}

std::string_view keyword(Dialect dialect, std::uint8_t token) {
    if (token == 0xFF) return pi;
    const std::string_view common = lookUp(basic2Rows, 0x80, token);
    return common.empty() ? extension(dialect, token) : common;
}

bool isTokenPrefix(Dialect dialect, std::uint8_t byte) {
    return dialect == Dialect::basic7 && (byte == functionPrefix || byte == statementPrefix);
}

std::string_view prefixedKeyword(std::uint8_t prefix, std::uint8_t second) {
    if (prefix == functionPrefix) return lookUp(std::array<Row, 1>{basic7Functions}, 0, second);
    if (prefix == statementPrefix) return lookUp(basic7Statements, 0, second);
    return {};
}

}  // namespace basic
