// SPDX-License-Identifier: MIT
// Every kind of OUT fretlux-cli may be given, each run from a shell line of its own: regular
// files wherever they are, links of every sort, FIFOs and devices, and the program's own
// standard output in its modes; what was there before is kept whenever the write fails.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>

#include "cli_fixture.h"

namespace fretlux::testing {
namespace {

const std::string kSong =
    "Riff\ne|---0---|\nB|---1---|\nG|-------|\nD|-------|\nA|-------|\nE|-------|\n";

std::string CloseMessage(std::string_view description) {
    return "Error '" + std::string(description) +
           "' encountered while trying to close file, please retry.\n";
}

class OutputTargetsTest : public CliTest {
protected:
    // Runs line with sh in the work directory, "$CLI" naming the program; stderr is captured.
    CliRun Shell(const std::string& line) const {
        const std::string command = "cd '" + work_.string() + "' && CLI='" + FRETLUX_CLI_PATH +
                                    "' && (" + line + ") 2>'" + (root_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
        run.err = ReadBytes(root_ / "stderr");
        return run;
    }
};

struct TargetCase {
    const char* name;
    std::function<void(const fs::path& work)> prepare;
    std::string line;
    int exitCode;
    std::string err;
    // What the directory holds afterwards.
    std::function<void(const fs::path& work)> check;
};

TEST_F(OutputTargetsTest, EveryKindOfTargetIsWrittenOrReportedAndNothingIsLost) {
    Write("song.tab", kSong);
    Write("song.xml", kSong);
    // Its Fretlux form is more than the 4 KiB "ulimit -f 8" lets a file grow to.
    std::string big;
    for (int t = 0; t < 20; ++t) big += kSong;
    Write("big.tab", big);
    // What the convert writes, in each form.
    const std::string flx = Convert(Path("song.tab"), (root_ / "reference.flx").string());
    const std::string tab = Convert(Path("song.tab"), (root_ / "reference.tab").string());
    const auto write = [](const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    };
    const auto link = [](const char* target, const fs::path& path) {
        fs::create_symlink(target, path);
    };
    // A regular file under /dev/shm is a regular file like any other.
    std::string shm = "/dev/shm/fretlux-cli-XXXXXX";
    const bool haveShm = ::mkdtemp(shm.data()) != nullptr;

    const std::vector<TargetCase> cases = {
        {"a regular file is replaced and keeps its mode",
         [&](const fs::path& w) {
             write(w / "out.flx", "old\n");
             fs::permissions(w / "out.flx", fs::perms(0640));
         },
         "\"$CLI\" convert song.tab out.flx", 0, "",
         [&](const fs::path& w) {
             EXPECT_EQ(ReadBytes(w / "out.flx"), flx);
             EXPECT_EQ(fs::status(w / "out.flx").permissions(), fs::perms(0640));
         }},
        {"a missing directory fails", nullptr, "\"$CLI\" convert song.tab missing/out.flx", 1,
         CloseMessage(std::strerror(ENOENT)), nullptr},
        {"a directory fails", [&](const fs::path& w) { fs::create_directory(w / "out.flx"); },
         "\"$CLI\" convert song.tab out.flx", 1, CloseMessage(std::strerror(EISDIR)),
         [](const fs::path& w) { EXPECT_TRUE(fs::is_empty(w / "out.flx")); }},
        {"a link to a file writes the file and stays a link",
         [&](const fs::path& w) {
             fs::create_directory(w / "real");
             write(w / "real/song.flx", "old\n");
             link("real/song.flx", w / "out.flx");
         },
         "\"$CLI\" convert song.tab out.flx", 0, "",
         [&](const fs::path& w) {
             EXPECT_TRUE(fs::is_symlink(w / "out.flx"));
             EXPECT_EQ(ReadBytes(w / "real/song.flx"), flx);
         }},
        {"a dangling link makes the file it names",
         [&](const fs::path& w) {
             fs::create_directory(w / "real");
             link("real/song.flx", w / "out.flx");
         },
         "\"$CLI\" convert song.tab out.flx", 0, "",
         [&](const fs::path& w) {
             EXPECT_TRUE(fs::is_symlink(w / "out.flx"));
             EXPECT_EQ(ReadBytes(w / "real/song.flx"), flx);
         }},
        {"a link into a missing directory fails",
         [&](const fs::path& w) { link("missing/song.flx", w / "out.flx"); },
         "\"$CLI\" convert song.tab out.flx", 1, CloseMessage(std::strerror(ENOENT)),
         [](const fs::path& w) {
             EXPECT_TRUE(fs::is_symlink(w / "out.flx"));
             EXPECT_FALSE(fs::exists(w / "missing"));
         }},
        {"a link loop fails",
         [&](const fs::path& w) {
             link("loop.flx", w / "out.flx");
             link("out.flx", w / "loop.flx");
         },
         "\"$CLI\" convert song.tab out.flx", 1, CloseMessage(std::strerror(ELOOP)),
         [](const fs::path& w) {
             EXPECT_EQ(fs::read_symlink(w / "out.flx"), "loop.flx");
             EXPECT_EQ(fs::read_symlink(w / "loop.flx"), "out.flx");
         }},
        {"a FIFO with a reader gets the bytes",
         [&](const fs::path& w) { ::mkfifo((w / "pipe.flx").c_str(), 0600); },
         "cat pipe.flx >got & \"$CLI\" convert song.tab pipe.flx; status=$?; wait; exit $status", 0,
         "",
         [&](const fs::path& w) {
             EXPECT_TRUE(fs::is_fifo(w / "pipe.flx"));
             EXPECT_EQ(ReadBytes(w / "got"), flx);
         }},
        {"a FIFO without a reader fails after five seconds",
         [&](const fs::path& w) { ::mkfifo((w / "pipe.flx").c_str(), 0600); },
         "\"$CLI\" convert song.tab pipe.flx", 1, CloseMessage("no program reads it"),
         [](const fs::path& w) { EXPECT_TRUE(fs::is_fifo(w / "pipe.flx")); }},
        {"a full device reports it", nullptr, "\"$CLI\" convert song.tab /dev/full", 1,
         CloseMessage(std::strerror(ENOSPC)), nullptr},
        {"/dev/stdout appends to a file opened for appending",
         [&](const fs::path& w) { write(w / "log", "first\n"); },
         "\"$CLI\" convert song.tab /dev/stdout >>log", 0, "",
         [&](const fs::path& w) { EXPECT_EQ(ReadBytes(w / "log"), "first\n" + tab); }},
        {"/proc/self/fd/1 is written where standard output stands", nullptr,
         "{ echo first; \"$CLI\" convert song.tab /proc/self/fd/1; } >log", 0, "",
         [&](const fs::path& w) { EXPECT_EQ(ReadBytes(w / "log"), "first\n" + tab); }},
        {"/dev/fd/1 with standard output closed fails", nullptr,
         "\"$CLI\" convert song.tab /dev/fd/1 >&-", 1, CloseMessage(std::strerror(EBADF)), nullptr},
        {"MusicXML over the TAB being read is refused", nullptr,
         "\"$CLI\" export song.xml song.xml", 1,
         "fretlux-cli: song.xml is the file being read; give the output another name\n",
         [](const fs::path& w) { EXPECT_EQ(ReadBytes(w / "song.xml"), kSong); }},
    };
    std::vector<TargetCase> all = cases;
    if (haveShm) {
        all.push_back({"a new file under /dev/shm is made", nullptr,
                       "\"$CLI\" convert song.tab " + shm + "/new.flx", 0, "",
                       [&](const fs::path&) { EXPECT_EQ(ReadBytes(shm + "/new.flx"), flx); }});
        all.push_back({"a write that fails keeps the file under /dev/shm",
                       [&](const fs::path&) { write(shm + "/old.flx", "old\n"); },
                       "trap '' XFSZ; ulimit -f 8; \"$CLI\" convert big.tab " + shm + "/old.flx", 1,
                       CloseMessage(std::strerror(EFBIG)),
                       [&](const fs::path&) { EXPECT_EQ(ReadBytes(shm + "/old.flx"), "old\n"); }});
    }
    for (const TargetCase& c : all) {
        SCOPED_TRACE(c.name);
        const fs::path work = work_ / "case";
        fs::create_directory(work);
        fs::copy(Path("song.tab"), work / "song.tab");
        fs::copy(Path("song.xml"), work / "song.xml");
        fs::copy(Path("big.tab"), work / "big.tab");
        if (c.prepare) c.prepare(work);
        const CliRun run = Shell("cd case && { " + c.line + "; }");
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        if (c.check) c.check(work);
        // Nothing is left beside the target, whatever happened.
        for (const auto& entry : fs::directory_iterator(work)) {
            EXPECT_FALSE(entry.path().filename().string().starts_with(".fretlux-"));
        }
        fs::remove_all(work);
    }
    if (haveShm) fs::remove_all(shm);
}

}  // namespace
}  // namespace fretlux::testing
