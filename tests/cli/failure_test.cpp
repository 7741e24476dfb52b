// SPDX-License-Identifier: MIT
// fretlux-cli on wrong arguments, unreadable and oversized input, and outputs that cannot be
// written: the window's message on stderr, exit code 1 or 2, never a crash, and an existing
// output file left as it was.
#include <cerrno>
#include <cstring>
#include <string>

#include "cli_process.h"

namespace fretlux {
namespace {

std::string OpenError(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to open file, please retry.\n";
}

std::string CloseError(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to close file, please retry.\n";
}

std::string Block(const std::string& header) {
    return header + "\ne|---0---|\nB|-------|\nG|-------|\nD|-------|\nA|-------|\nE|-------|\n";
}

std::string Blocks(int count) {
    std::string file;
    for (int i = 1; i <= count; ++i) file += Block("Part " + std::to_string(i));
    return file;
}

void ExpectFailure(const CliRun& run, int exitCode, const std::string& err) {
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exitCode, exitCode);
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, "");
}

TEST_F(CliTest, WrongArgumentsPrintUsageAndExit2) {
    const std::string song = Write("song.tab", Block("Song"));
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"convert"},
        {"convert", song},
        {"convert", song, Path("a.flx"), Path("b.flx")},
        {"dump"},
        {"dump", song, song},
        {"play", song},
        {"--dump", song},
        {"CONVERT", song, song}};
    for (const auto& args : wrong) {
        const CliRun run = Run(args);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitCode, 2) << args.size() << " arguments";
        EXPECT_EQ(run.err.rfind("usage: fretlux-cli convert IN OUT\n", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"song.tab"});

    const CliRun help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("fretlux-cli dump IN"), std::string::npos);
}

TEST_F(CliTest, UnreadableInputGivesOpenMessage) {
    std::filesystem::create_directory(Path("folder.tab"));
    const std::string missing = OpenError(std::strerror(ENOENT));
    const std::string folder = OpenError(std::strerror(EISDIR));
    ExpectFailure(Run({"dump", Path("missing.tab")}), 1, missing);
    ExpectFailure(Run({"convert", Path("missing.tab"), Path("out.flx")}), 1, missing);
    ExpectFailure(Run({"dump", Path("folder.tab")}), 1, folder);
    ExpectFailure(Run({"convert", Path("folder.tab"), Path("out.flx")}), 1, folder);
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder.tab"});
}

TEST_F(CliTest, BinaryGarbageIsReadWithoutHarm) {
    std::string garbage;
    unsigned state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        garbage += static_cast<char>(state >> 16);
        if (i % 97 == 0) garbage += std::string("\0---\xFF\x80", 6);
        if (i % 131 == 0) garbage += '\n';
    }
    ASSERT_NE(garbage.find('\0'), std::string::npos);
    const std::string file = Write("garbage.flx", garbage);
    const CliRun dump = Run({"dump", file});
    EXPECT_EQ(dump.signal, 0);
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_NE(dump.out.find("\"tabCount\": "), std::string::npos);
    EXPECT_EQ(dump.out.find("\"tabCount\": 0"), std::string::npos);
    EXPECT_TRUE(IsStrictUtf8(dump.out));
    EXPECT_FALSE(Convert(file, Path("garbage-out.flx")).empty());
    EXPECT_FALSE(Convert(file, Path("garbage-out.tab")).empty());
}

TEST_F(CliTest, MoreThan501LinesBeforeBlockIsOutOfRange) {
    const std::string outOfRange = OpenError("Subscript out of range");
    std::string text;
    for (int i = 0; i < 494; ++i) text += "text line " + std::to_string(i) + "\n";
    // 494 text lines, the header and six string lines: 501 buffered lines still fit.
    const std::string fits =
        Convert(Write("fits.tab", text + Block("Long song")), Path("fits.flx"));
    EXPECT_EQ(fits.rfind("text line 0\r\n", 0), 0u);
    EXPECT_NE(fits.find("text line 493\r\n\r\nLong song\r\nE----"), std::string::npos);
    ExpectFailure(Run({"dump", Write("over.tab", text + "one more\n" + Block("Long song"))}), 1,
                  outOfRange);

    // Lines without any block count as well.
    std::string lines;
    for (int i = 0; i < 501; ++i) lines += "-\n";
    EXPECT_EQ(Convert(Write("501.tab", lines), Path("501.flx")), "");
    ExpectFailure(Run({"convert", Write("502.tab", lines + "-\n"), Path("502.flx")}), 1,
                  outOfRange);
    EXPECT_FALSE(std::filesystem::exists(Path("502.flx")));
}

TEST_F(CliTest, MoreThan101TabsIsOutOfRange) {
    const std::string written = Convert(Write("101.tab", Blocks(101)), Path("101.flx"));
    size_t lines = 0;
    for (const char ch : written) lines += ch == '\n';
    EXPECT_EQ(lines, 707u);
    EXPECT_NE(written.find("Part 101\r\n"), std::string::npos);

    const std::string tooMany = Write("102.tab", Blocks(102));
    ExpectFailure(Run({"dump", tooMany}), 1, OpenError("Subscript out of range"));
    ExpectFailure(Run({"convert", tooMany, Path("102.flx")}), 1,
                  OpenError("Subscript out of range"));
    EXPECT_FALSE(std::filesystem::exists(Path("102.flx")));
}

TEST_F(CliTest, UnwritableOutputGivesCloseMessage) {
    const std::string song = Write("song.tab", Block("Song"));
    ExpectFailure(Run({"convert", song, Path("no-such-folder/song.flx")}), 1,
                  CloseError(std::strerror(ENOENT)));

    std::filesystem::create_directory(Path("folder.flx"));
    Write("folder.flx/inside", "stays");
    ExpectFailure(Run({"convert", song, Path("folder.flx")}), 1, CloseError(std::strerror(EISDIR)));
    EXPECT_EQ(ReadBytes(Path("folder.flx/inside")), "stays");
    // Nothing half-written is left beside the target.
    EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.flx", "song.tab"}));
}

TEST_F(CliTest, FailedConvertLeavesExistingOutputUntouched) {
    const std::string out = Write("out.flx", "keep me\r\n");
    ExpectFailure(Run({"convert", Path("missing.tab"), out}), 1, OpenError(std::strerror(ENOENT)));
    ExpectFailure(Run({"convert", Write("102.tab", Blocks(102)), out}), 1,
                  OpenError("Subscript out of range"));
    EXPECT_EQ(ReadBytes(out), "keep me\r\n");

    // A write cut short (here by a file size limit of 4 KiB, as a full disk would) must not
    // replace the old file with the part that was written.
    const std::string big = Write("100.tab", Blocks(100));
    ExpectFailure(Run({"convert", big, out}, "trap '' XFSZ; ulimit -f 8"), 1,
                  CloseError(std::strerror(EFBIG)));
    EXPECT_EQ(ReadBytes(out), "keep me\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"100.tab", "102.tab", "out.flx"}));
    // Without the limit the same convert succeeds.
    EXPECT_GT(Convert(big, out).size(), 30000u);
}

}  // namespace
}  // namespace fretlux
