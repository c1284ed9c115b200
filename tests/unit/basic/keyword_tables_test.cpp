// Every keyword of every dialect, both ways: the program of one token a line
// lists as the table below, and the table read back is that program. Each
// table is a listing whose line numbers are the tokens: 128 is $80; for
// BASIC 7, 1000 + n is $CE n and 2000 + n is $FE n.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../piece_source.hpp"
#include "basic/listing_input.hpp"
#include "basic/program_listing.hpp"

namespace {

using basic::Dialect;

const std::string basic2Table =
    "128 END\n129 FOR\n130 NEXT\n131 DATA\n132 INPUT#\n133 INPUT\n134 DIM\n135 READ\n136 LET\n137 GOTO\n138 RUN\n"
    "139 IF\n140 RESTORE\n141 GOSUB\n142 RETURN\n143 REM\n144 STOP\n145 ON\n146 WAIT\n147 LOAD\n148 SAVE\n149 VERIFY\n"
    "150 DEF\n151 POKE\n152 PRINT#\n153 PRINT\n154 CONT\n155 LIST\n156 CLR\n157 CMD\n158 SYS\n159 OPEN\n160 CLOSE\n"
    "161 GET\n162 NEW\n163 TAB(\n164 TO\n165 FN\n166 SPC(\n167 THEN\n168 NOT\n169 STEP\n170 +\n171 -\n172 *\n173 /\n"
    "174 {uparrow}\n175 AND\n176 OR\n177 >\n178 =\n179 <\n180 SGN\n181 INT\n182 ABS\n183 USR\n184 FRE\n185 POS\n"
    "186 SQR\n187 RND\n188 LOG\n189 EXP\n190 COS\n191 SIN\n192 TAN\n193 ATN\n194 PEEK\n195 LEN\n196 STR$\n197 VAL\n"
    "198 ASC\n199 CHR$\n200 LEFT$\n201 RIGHT$\n202 MID$\n203 GO\n255 {pi}\n";

const char* const basic4Extension =
    "204 CONCAT\n205 DOPEN\n206 DCLOSE\n207 RECORD\n208 HEADER\n209 COLLECT\n210 BACKUP\n211 COPY\n212 APPEND\n"
    "213 DSAVE\n214 DLOAD\n215 CATALOG\n216 RENAME\n217 SCRATCH\n218 DIRECTORY\n";

const char* const basic35Extension =
    "204 RGR\n205 RCLR\n206 RLUM\n207 JOY\n208 RDOT\n209 DEC\n210 HEX$\n211 ERR$\n212 INSTR\n213 ELSE\n214 RESUME\n"
    "215 TRAP\n216 TRON\n217 TROFF\n218 SOUND\n219 VOL\n220 AUTO\n221 PUDEF\n222 GRAPHIC\n223 PAINT\n224 CHAR\n"
    "225 BOX\n226 CIRCLE\n227 GSHAPE\n228 SSHAPE\n229 DRAW\n230 LOCATE\n231 COLOR\n232 SCNCLR\n233 SCALE\n234 HELP\n"
    "235 DO\n236 LOOP\n237 EXIT\n238 DIRECTORY\n239 DSAVE\n240 DLOAD\n241 HEADER\n242 SCRATCH\n243 COLLECT\n"
    "244 COPY\n245 RENAME\n246 BACKUP\n247 DELETE\n248 RENUMBER\n249 KEY\n250 MONITOR\n251 USING\n252 UNTIL\n"
    "253 WHILE\n";

// BASIC 3.5's tokens but for $CE, then the two-byte ones.
const char* const basic7Extension =
    "204 RGR\n205 RCLR\n207 JOY\n208 RDOT\n209 DEC\n210 HEX$\n211 ERR$\n212 INSTR\n213 ELSE\n214 RESUME\n"
    "215 TRAP\n216 TRON\n217 TROFF\n218 SOUND\n219 VOL\n220 AUTO\n221 PUDEF\n222 GRAPHIC\n223 PAINT\n224 CHAR\n"
    "225 BOX\n226 CIRCLE\n227 GSHAPE\n228 SSHAPE\n229 DRAW\n230 LOCATE\n231 COLOR\n232 SCNCLR\n233 SCALE\n234 HELP\n"
    "235 DO\n236 LOOP\n237 EXIT\n238 DIRECTORY\n239 DSAVE\n240 DLOAD\n241 HEADER\n242 SCRATCH\n243 COLLECT\n"
    "244 COPY\n245 RENAME\n246 BACKUP\n247 DELETE\n248 RENUMBER\n249 KEY\n250 MONITOR\n251 USING\n252 UNTIL\n"
    "253 WHILE\n"
    "1002 POT\n1003 BUMP\n1004 PEN\n1005 RSPPOS\n1006 RSPRITE\n1007 RSPCOLOR\n1008 XOR\n1009 RWINDOW\n1010 POINTER\n"
    "2002 BANK\n2003 FILTER\n2004 PLAY\n2005 TEMPO\n2006 MOVSPR\n2007 SPRITE\n2008 SPRCOLOR\n2009 RREG\n"
    "2010 ENVELOPE\n2011 SLEEP\n2012 CATALOG\n2013 DOPEN\n2014 APPEND\n2015 DCLOSE\n2016 BSAVE\n2017 BLOAD\n"
    "2018 RECORD\n2019 CONCAT\n2020 DVERIFY\n2021 DCLEAR\n2022 SPRSAV\n2023 COLLISION\n2024 BEGIN\n2025 BEND\n"
    "2026 WINDOW\n2027 BOOT\n2028 WIDTH\n2029 SPRDEF\n2030 QUIT\n2031 STASH\n2033 FETCH\n2035 SWAP\n2036 OFF\n"
    "2037 FAST\n2038 SLOW\n";

// The program the table's line numbers stand for.
std::vector<std::uint8_t> programOf(const std::string& table, std::uint16_t loadAddress) {
    std::vector<std::uint8_t> program = {static_cast<std::uint8_t>(loadAddress), static_cast<std::uint8_t>(loadAddress >> 8)};
    std::istringstream lines(table);
    unsigned address = loadAddress;
    for (std::string line; std::getline(lines, line);) {
        const unsigned number = static_cast<unsigned>(std::stoul(line));
        std::vector<std::uint8_t> token;
        if (number < 256) token = {static_cast<std::uint8_t>(number)};
        else if (number < 2000) token = {0xCE, static_cast<std::uint8_t>(number - 1000)};
        else token = {0xFE, static_cast<std::uint8_t>(number - 2000)};
        address += 4 + static_cast<unsigned>(token.size()) + 1;
        program.insert(program.end(), {static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8)});
        program.insert(program.end(), token.begin(), token.end());
        program.push_back(0);
    }
    program.insert(program.end(), {0, 0});
    return program;
}

std::string listingOf(const std::vector<std::uint8_t>& program, Dialect dialect) {
    test::PieceSource source(program, {7}, false);
    basic::ListingSettings settings;
    settings.dialect = dialect;
    std::string text;
    const basic::ListingResult result = basic::listProgram(source, settings, [&text](const std::string& piece) { text += piece; });
    EXPECT_TRUE(result.listed);
    EXPECT_TRUE(result.held.empty());
    return text;
}

std::vector<std::uint8_t> programRead(const std::string& text, Dialect dialect) {
    test::PieceSource source(std::vector<std::uint8_t>(text.begin(), text.end()), {5}, false);
    basic::ListingInputSettings settings;
    settings.dialect = dialect;
    settings.loadAddress = basic::basicStart(dialect);
    std::ostringstream out;
    EXPECT_FALSE(basic::readListing(source, settings, out));
    const std::string bytes = out.str();
    return {bytes.begin(), bytes.end()};
}

struct Table {
    Dialect dialect;
    std::string text;
};

TEST(KeywordTables, EveryKeywordListsAsItsTokenAndReadsBackAsIt) {
    for (const Table& table : {Table{Dialect::basic2, basic2Table}, Table{Dialect::basic4, basic2Table + basic4Extension},
                               Table{Dialect::basic35, basic2Table + basic35Extension},
                               Table{Dialect::basic7, basic2Table + basic7Extension}}) {
        // pi ends BASIC 2's table; the extensions come before it.
        std::string text = table.text;
        const std::string pi = "255 {pi}\n";
        text.erase(text.find(pi), pi.size());
        const std::size_t twoByte = text.find("\n1002 ");
        text.insert(twoByte == std::string::npos ? text.size() : twoByte + 1, pi);
        const std::vector<std::uint8_t> program = programOf(text, basic::basicStart(table.dialect));
        SCOPED_TRACE(std::string(basic::dialectName(table.dialect)));
        EXPECT_EQ(listingOf(program, table.dialect), text);
        EXPECT_EQ(programRead(text, table.dialect), program);
    }
}

}  // namespace
